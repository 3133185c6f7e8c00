// The exit code of every way a run of the installer can end.
#include <gtest/gtest.h>

#include "deploy/ExitCodes.h"

namespace {

using deploy::RunEnd;

TEST(ExitCodeTest, EachWayARunEndsHasItsCode) {
  const struct {
    RunEnd end;
    std::size_t pendingDiscs;
    int code;
  } cases[] = {
      {RunEnd::Finished, 0, 0},
      {RunEnd::Finished, 2, 10},  // the prompt was cancelled, or a disc was not found
      {RunEnd::CouldNotStart, 0, 1},
      {RunEnd::CancelledBeforeCopy, 0, 2},
      {RunEnd::FatalError, 0, 4},
      {RunEnd::FatalError, 3, 4},  // an error outranks the discs it left pending
      {RunEnd::StoppedDuringCopy, 0, 5},
      {RunEnd::StoppedDuringCopy, 1, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.end));
    EXPECT_EQ(deploy::ExitCodeFor(c.end, c.pendingDiscs), c.code);
  }
}

}  // namespace
