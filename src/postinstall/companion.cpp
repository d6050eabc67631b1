#include "companion.h"

// PLACEHOLDER until the companion lands.
bool BuildCompanionProperties(wchar_t*) { return false; }
void LaunchCompanion() {}
