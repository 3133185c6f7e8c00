// The catalogue files on real files of the Win32 platform: the cases of
// tests/CatalogueCases.h, which also run on the in-memory machine.
#include "platform/win32/Win32Platform.h"
#include "tests/CatalogueCases.h"
#include "tests/win32/ScratchFolder.h"

namespace {

struct Win32CatalogueMachine {
  platform::Platform& Platform() { return system; }
  std::string Root() { return scratch.Path(); }

  platform::Win32Platform system;
  ScratchFolder scratch{system};
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, CatalogueCases, Win32CatalogueMachine);
