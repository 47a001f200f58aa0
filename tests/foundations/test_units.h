// Units for the tolerances of the foundations tests.
#ifndef LUNARFIX_TESTS_FOUNDATIONS_TEST_UNITS_H
#define LUNARFIX_TESTS_FOUNDATIONS_TEST_UNITS_H

namespace lunarfix_test {

constexpr double degree = 1.0;               // angles are in degrees
constexpr double arcmin = degree / 60.0;
constexpr double arcsec = degree / 3600.0;
constexpr double hour = 1.0;                 // times of day are in hours
constexpr double minute = hour / 60.0;
constexpr double second = hour / 3600.0;
constexpr double day = 1.0;                  // Julian days
constexpr double radian = 1.0;
constexpr double twopi = 3.141592653589793 + 3.141592653589793;
constexpr double sec_dt = 1.0;               // Delta T is in seconds

} // namespace lunarfix_test

#endif
