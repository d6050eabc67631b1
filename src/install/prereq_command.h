// Command lines of the prerequisite installers. Both refuse rather than cut:
// a cut line would start another program or pass other arguments.
#pragma once

#include <cstddef>

const size_t kModuleBufferCapacity = 1024;  // module runs: paths and command line
const size_t kDotNetBufferCapacity = 512;   // .NET run: paths and command line

// "\"" setupDirectory "\" module "\" " arguments. False (and an empty
// buffer) when it does not fit into capacity characters.
bool BuildModuleCommandLine(const wchar_t* setupDirectory, const wchar_t* module, const wchar_t* arguments,
                            wchar_t* commandLine, size_t capacity);

// "\"" setupDirectory "\" installer "\"", no arguments. False (and an empty
// buffer) when it does not fit.
bool BuildDotNetCommandLine(const wchar_t* setupDirectory, const wchar_t* installer, wchar_t* commandLine,
                            size_t capacity);
