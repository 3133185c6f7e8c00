// What every platform's files do on Seek, checked on the fake and on the real
// system alike.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "platform/Platform.h"

// file holds "0123456789" and is open for reading.
inline void ExpectSeekMovesTheReadPositionAnywhere(platform::File& file) {
  char two[2];
  ASSERT_TRUE(file.Seek(7));
  ASSERT_TRUE(file.Read(two, 2));
  EXPECT_EQ(std::string(two, 2), "78");
  ASSERT_TRUE(file.Seek(1));
  ASSERT_TRUE(file.Read(two, 2));
  EXPECT_EQ(std::string(two, 2), "12");
  // Past the end is a place to stand, not to read from.
  ASSERT_TRUE(file.Seek(20));
  EXPECT_FALSE(file.Read(two, 1));
  EXPECT_FALSE(file.Seek(-1));
}
