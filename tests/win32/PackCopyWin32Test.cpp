// The pack copy on real files of the Win32 platform: the cases of
// tests/PackCopyCases.h, which also run on the in-memory machine.
#include "tests/PackCopyCases.h"
#include "tests/win32/ScratchFolder.h"

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, PackCopyCases, Win32ScratchMachine);
