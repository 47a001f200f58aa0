#include <gtest/gtest.h>
#include <cstdlib>
#include <string>

// The executable starts and ends with status 0.
TEST(Program, StartsAndEnds) {
    std::string cmd = std::string(LUNARFIX_BINARY) + " </dev/null >/dev/null";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
}
