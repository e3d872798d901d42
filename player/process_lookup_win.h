#pragma once
// Running processes, by the Toolhelp snapshot of the Win32 build.
#include <cstdint>
#include <string_view>

// The id of the first running process whose executable file name equals exeName (in the
// system's ANSI code page), letter case aside as Windows compares file names; 0 when there
// is none or no snapshot can be taken.
int32_t findProcessId(std::string_view exeName);
