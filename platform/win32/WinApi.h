// <windows.h> for the Win32 glue. Its A/W name macros (CopyFile -> CopyFileA,
// ...) would rename the members of platform::Platform that share those names,
// so they are removed here; the glue calls the A functions by their full names.
#pragma once
#include <windows.h>

#undef CopyFile
#undef MoveFile
#undef DeleteFile
#undef GetDriveType
#undef GetDiskFreeSpace
