// Readers of fixed-column text tables.
#include <gtest/gtest.h>

#include "foundations/foundations.h"

using namespace lunarfix;

namespace {

const char kRows35[4][35] = {
    " 0 0 0 0 1-171996-174.2 92025 8.9 ",
    " 0 0 2-2 2 -13187  -1.6  5736-3.1 ",
    "1850     9.3\t",
    "-700     20500",
};

const char kRows60[2][60] = {
    "Acamar      2 58 15.7   -40 18 17.0   44.1  -5.3   20.2",
    "   12.5",
};

} // namespace

TEST(ColumnTables, NutationRowFields) {
    EXPECT_EQ(iarr35(kRows35, 0, 0, 2), 0);
    EXPECT_EQ(iarr35(kRows35, 0, 8, 10), 1);          // " 1-"
    EXPECT_EQ(iarr35(kRows35, 0, 10, 17), -171996);   // "-171996-"
    EXPECT_EQ(farr35(kRows35, 0, 17, 23), -174.2);    // "-174.2 "
    EXPECT_EQ(iarr35(kRows35, 0, 23, 29), 92025);     // " 92025 "
    EXPECT_EQ(farr35(kRows35, 0, 29, 35), 8.9);       // " 8.9 " and the row end
}

TEST(ColumnTables, SharedColumnsDoNotChangeValues) {
    // Row " 0 0 2-2 2 ...": each range takes the sign of the next field.
    EXPECT_EQ(iarr35(kRows35, 1, 2, 4), 0);
    EXPECT_EQ(iarr35(kRows35, 1, 4, 6), 2);
    EXPECT_EQ(iarr35(kRows35, 1, 6, 8), -2);
    EXPECT_EQ(iarr35(kRows35, 1, 8, 10), 2);
    EXPECT_EQ(iarr35(kRows35, 1, 10, 17), -13187);
    EXPECT_EQ(farr35(kRows35, 1, 17, 23), -1.6);
    EXPECT_EQ(iarr35(kRows35, 1, 23, 29), 5736);
    EXPECT_EQ(farr35(kRows35, 1, 29, 35), -3.1);
}

TEST(ColumnTables, BlankEmptyAndTextFieldsReadZero) {
    EXPECT_EQ(yarr35(kRows35, 2, 4, 8), 0.0);   // blanks
    EXPECT_EQ(iarr35(kRows35, 2, 5, 8), 0);
    EXPECT_EQ(yarr35(kRows35, 0, 10, 9), 0.0);  // ke < ka
    EXPECT_EQ(iarr35(kRows35, 0, 10, 9), 0);
    EXPECT_EQ(farr60(kRows60, 0, 0, 5), 0.0);   // begins with a letter
    EXPECT_EQ(yarr35(kRows35, 2, 20, 34), 0.0);  // NUL padding
}

TEST(ColumnTables, DeltaTRowWithTab) {
    EXPECT_EQ(yarr35(kRows35, 2, 0, 4), 1850.0);
    EXPECT_EQ(yarr35(kRows35, 2, 6, 15), 9.3);
    EXPECT_EQ(yarr35(kRows35, 3, 0, 4), -700.0);
    EXPECT_EQ(yarr35(kRows35, 3, 6, 15), 20500.0);
}

TEST(ColumnTables, SixtyColumnRows) {
    EXPECT_EQ(farr60(kRows60, 0, 11, 14), 2.0);
    EXPECT_EQ(farr60(kRows60, 0, 14, 17), 58.0);
    EXPECT_EQ(farr60(kRows60, 0, 17, 22), 15.7);
    EXPECT_EQ(farr60(kRows60, 0, 23, 28), -40.0);
    EXPECT_EQ(farr60(kRows60, 0, 51, 59), 20.2);
    EXPECT_EQ(farr60(kRows60, 0, 51, 60), 20.2);  // up to the end of the row
    EXPECT_EQ(farr60(kRows60, 1, 0, 9), 12.5);    // the second row
}

TEST(ColumnTables, ReadingTwiceGivesTheSameNumber) {
    EXPECT_EQ(farr35(kRows35, 0, 17, 23), farr35(kRows35, 0, 17, 23));
    EXPECT_EQ(iarr35(kRows35, 1, 10, 17), iarr35(kRows35, 1, 10, 17));
}
