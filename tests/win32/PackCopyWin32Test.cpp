// The pack copy on real files of the Win32 platform: the cases of
// tests/PackCopyCases.h, which also run on the in-memory machine. They rest
// on read-only attributes, which Wine run as root ignores: they run as an
// ordinary user (the type is named "AsUser").
#include "tests/PackCopyCases.h"
#include "tests/win32/ScratchFolder.h"

namespace {
struct AsUserName {
  template <class>
  static std::string GetName(int) { return "AsUser"; }
};
}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, PackCopyCases, Win32ScratchMachine, AsUserName);
