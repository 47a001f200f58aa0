// Julian day in both calendars and Greenwich mean sidereal time.
#include <gtest/gtest.h>

#include "foundations/foundations.h"
#include "test_support.h"

using namespace lunarfix;
using namespace lunarfix_test;

TEST(Julday, Epochs) {
    EXPECT_EQ(julday(2000, 1, 1, 12, 0, 0), 2451545.0);
    EXPECT_EQ(julday(-4712, 1, 1, 12, 0, 0), 0.0);
}

// Meeus, Astronomical Algorithms, 2nd ed., examples 7.a, 7.b and table 7.a.
TEST(Julday, PublishedExamples) {
    EXPECT_NEAR(julday(1957, 10, 4, 19, 26, 24), 2436116.31, 1e-9 * day);
    EXPECT_EQ(julday(333, 1, 27, 12, 0, 0), 1842713.0);
    EXPECT_EQ(julday(1999, 1, 1, 0, 0, 0), 2451179.5);
    EXPECT_EQ(julday(1987, 1, 27, 0, 0, 0), 2446822.5);
    EXPECT_EQ(julday(1987, 6, 19, 12, 0, 0), 2446966.0);
    EXPECT_EQ(julday(1988, 1, 27, 0, 0, 0), 2447187.5);
    EXPECT_EQ(julday(1988, 6, 19, 12, 0, 0), 2447332.0);
    EXPECT_EQ(julday(1900, 1, 1, 0, 0, 0), 2415020.5);
    EXPECT_EQ(julday(1600, 1, 1, 0, 0, 0), 2305447.5);
    EXPECT_EQ(julday(1600, 12, 31, 0, 0, 0), 2305812.5);
    EXPECT_NEAR(julday(837, 4, 10, 7, 12, 0), 2026871.8, 1e-9 * day);
    EXPECT_EQ(julday(-123, 12, 31, 0, 0, 0), 1676496.5);
    EXPECT_EQ(julday(-122, 1, 1, 0, 0, 0), 1676497.5);
    EXPECT_EQ(julday(-1000, 7, 12, 12, 0, 0), 1356001.0);
    EXPECT_EQ(julday(-1000, 2, 29, 0, 0, 0), 1355866.5);
    EXPECT_NEAR(julday(-1001, 8, 17, 21, 36, 0), 1355671.4, 1e-9 * day);
}

TEST(Julday, CalendarChange) {
    const double oct4 = julday(1582, 10, 4, 0, 0, 0);
    EXPECT_EQ(oct4, 2299159.5);  // last Julian-calendar date
    EXPECT_NEAR(julday(1582, 10, 4, 23, 0, 0), oct4 + 23.0 / 24.0, 1e-9 * day);
    EXPECT_EQ(julday(1582, 10, 15, 0, 0, 0), oct4 + 1.0);  // first Gregorian
    // October 5 to 14 are taken as Gregorian dates: ten days earlier.
    for (int d = 5; d <= 14; ++d) {
        EXPECT_EQ(julday(1582, 10, d, 0, 0, 0), oct4 + (d - 4) - 10.0) << d;
    }
    EXPECT_EQ(julday(1582, 10, 14, 0, 0, 0), oct4);
}

TEST(Julday, NoValidation) {
    const double feb28 = julday(2000, 2, 28, 0, 0, 0);
    EXPECT_EQ(julday(2000, 2, 29, 0, 0, 0), feb28 + 1.0);
    EXPECT_EQ(julday(2000, 3, 1, 0, 0, 0), feb28 + 2.0);
    EXPECT_EQ(julday(2000, 3, 0, 0, 0, 0), julday(2000, 2, 29, 0, 0, 0));
    EXPECT_EQ(julday(1999, 3, 0, 0, 0, 0), julday(1999, 2, 28, 0, 0, 0));
    EXPECT_EQ(julday(1999, 13, 1, 0, 0, 0), julday(2000, 1, 1, 0, 0, 0));
    EXPECT_EQ(julday(2000, 0, 1, 0, 0, 0), julday(1999, 12, 1, 0, 0, 0));
    EXPECT_EQ(julday(2000, 1, 1, 23, 59, 60), julday(2000, 1, 2, 0, 0, 0));
    EXPECT_EQ(julday(2000, 1, 1, 24, 0, 0), julday(2000, 1, 2, 0, 0, 0));
    EXPECT_NEAR(julday(2000, 1, 1, 6, 30, 36) - julday(2000, 1, 1, 0, 0, 0),
                (6.0 + 30.0 / 60.0 + 36.0 / 3600.0) / 24.0, 1e-9 * day);
    // Julian calendar: 1500 was a leap year there (no Gregorian rule).
    EXPECT_EQ(julday(1500, 3, 1, 0, 0, 0) - julday(1500, 2, 28, 0, 0, 0), 2.0);
    EXPECT_EQ(julday(1900, 3, 1, 0, 0, 0) - julday(1900, 2, 28, 0, 0, 0), 1.0);
}

TEST(Green0mean, J2000) {
    EXPECT_NEAR(green0mean(2451545.0), 280.46061837, 1e-9 * degree);
}

// Meeus, Astronomical Algorithms, 2nd ed., examples 12.a and 12.b.
TEST(Green0mean, PublishedExamples) {
    const double at0h = green0mean(julday(1987, 4, 10, 0, 0, 0));
    EXPECT_NEAR(at0h, (13.0 + 10.0 / 60.0 + 46.3668 / 3600.0) * 15.0,
                0.001 * second * 15.0);
    const double at1921 = green0mean(julday(1987, 4, 10, 19, 21, 0));
    EXPECT_NEAR(at1921, 128.7378734, 1e-6 * degree);
    EXPECT_NEAR(at1921 / 15.0, 8.0 + 34.0 / 60.0 + 57.0896 / 3600.0,
                0.001 * second);
}

TEST(Green0mean, InRange) {
    const double jds[] = {0.0, 1000000.5, 2299160.5, 2451544.5, 3000000.25, -500000.0};
    for (double jd : jds) {
        SCOPED_TRACE(jd);
        expect_within_one_turn(green0mean(jd), "sidereal time");
    }
}
