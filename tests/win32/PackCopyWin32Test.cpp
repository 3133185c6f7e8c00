// The pack copy on real files of the Win32 platform: the cases of
// tests/PackCopyCases.h, which also run on the in-memory machine.
#include <string>

#include "tests/PackCopyCases.h"
#include "tests/win32/ScratchFolder.h"

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, PackCopyCases, Win32ScratchMachine);

// The refresh cases rest on read-only files, which Wine run as root ignores:
// their suite's name ends in "AsUser", the suites scripts/test runs under
// Wine as an ordinary user.
struct AsUserSuiteName {
  template <class Machine>
  static std::string GetName(int) {
    return "AsUser";
  }
};
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, PakRefreshCases, Win32ScratchMachine, AsUserSuiteName);
