#include "platform/win32/ProcessErrorMode.h"

#include <windows.h>

namespace platform::win32 {

void FailCriticalErrorsSilently() {
  // SetErrorMode answers the mode it replaces: read it first, then add ours.
  const UINT current = ::SetErrorMode(0);
  ::SetErrorMode(current | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

}  // namespace platform::win32
