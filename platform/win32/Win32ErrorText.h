#pragma once

#include <windows.h>

#include <string>

// The system's own text for an error code of GetLastError, as FormatMessage gives it, without
// its line end; the code in digits when the system has no text for it.
std::string Win32ErrorText(DWORD code);
