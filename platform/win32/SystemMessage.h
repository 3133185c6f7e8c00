// The system's own description of an error code, as an ANSI text.
#pragma once
#include <string>

#include <windows.h>

namespace platform::win32 {

// FormatMessageA of code with the trailing line break and full stop removed,
// so that it can end a sentence of ours; "" when the system has no text.
std::string SystemErrorMessage(DWORD code);

}  // namespace platform::win32
