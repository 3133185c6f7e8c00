// The catalogue files on real files of the Win32 platform: the cases of
// tests/CatalogueCases.h, which also run on the in-memory machine.
#include "tests/CatalogueCases.h"
#include "tests/win32/ScratchFolder.h"

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, CatalogueCases, Win32ScratchMachine);
