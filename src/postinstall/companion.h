#pragma once

#include <cstddef>

const size_t kCompanionPropertiesCapacity = 1024;

// True with the companion package's extra properties in properties (1024
// characters) when an old or interactively installed companion is present.
bool BuildCompanionProperties(wchar_t* properties);

// Starts the companion as its installation registered it; does not wait.
void LaunchCompanion();
