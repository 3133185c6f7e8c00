// The pack copy on real files of the Win32 platform: the cases of
// tests/PackCopyCases.h, which also run on the in-memory machine. The cases
// of read-only files (the leftover copy, the .PAK refresh) run as an ordinary
// user (their type is named "AsUser"): Wine run as root writes to read-only
// files.
#include "tests/PackCopyCases.h"
#include "tests/win32/ScratchFolder.h"

namespace {
struct AsUserName {
  template <class>
  static std::string GetName(int) { return "AsUser"; }
};
}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, PackCopyCases, Win32ScratchMachine);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, PackCopyReadOnlyCases, Win32ScratchMachine, AsUserName);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, PakRefreshCases, Win32ScratchMachine, AsUserName);
