// The catalogue files on the in-memory machine (the same cases run on the
// real system under Wine, tests/win32/CatalogueWin32Test.cpp).
#include "platform/fake/FakePlatform.h"
#include "tests/CatalogueCases.h"

namespace {

struct FakeCatalogueMachine {
  FakeCatalogueMachine() {
    machine.AddDrive('C');
    machine.AddFolder(Root());
  }
  platform::Platform& Platform() { return machine; }
  std::string Root() { return "C:\\CatalogueTest\\"; }

  platform::FakePlatform machine;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, CatalogueCases, FakeCatalogueMachine);
