// The pack copy on real files of the Win32 platform: the cases of
// tests/PackCopyCases.h, which also run on the in-memory machine.
#include "platform/win32/Win32Platform.h"
#include "tests/PackCopyCases.h"
#include "tests/win32/ScratchFolder.h"

namespace {

struct Win32PackMachine {
  platform::Platform& Platform() { return system; }
  std::string Root() { return scratch.Path(); }

  platform::Win32Platform system;
  ScratchFolder scratch{system};
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, PackCopyCases, Win32PackMachine);
