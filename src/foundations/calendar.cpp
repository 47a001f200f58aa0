// Calendar date to Julian day, and Greenwich mean sidereal time.
#include "foundations/foundations.h"

#include <cmath>

namespace lunarfix {

/* julday - Julian day of a calendar date and time.
 *   year, month, day   calendar date; year 0 is the year before 1
 *   hour, min, sec     time of day (UT)
 *   returns            Julian day, days (0h of a date ends in .5)
 * Notes: the calendar is chosen by the day number of 0h in the Julian
 * calendar: above 2299160.0 (from 1582 October 5 on) the Gregorian
 * correction applies, so 1582 October 5 to 14 count as Gregorian dates.
 * Nothing is validated: day 0, month 13, hour 24 or second 60 run through
 * the same arithmetic.
 * Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 7. */
double julday(int year, int month, int day, int hour, int min, int sec) {
    const double ut = (hour + min / 60.0) + sec / 3600.0;
    const double dfrac = ut / 24.0;
    double y = year;
    double m = month;
    if (m < 3.0) {
        y = static_cast<double>(year) - 1.0;
        m = static_cast<double>(month) + 12.0;
    }
    const double a = std::floor(y / 100.0);
    const double b = (2.0 - a) + std::floor(a / 4.0);
    double jd = std::floor(365.25 * (y + 4716.0)) +
                std::floor(30.6001 * (m + 1.0)) + day - 1524.5;
    if (jd > 2299160.0) jd = jd + b;  // Gregorian calendar
    return jd + dfrac;
}

/* green0mean - Greenwich mean sidereal time.
 *   jd       Julian day of UT
 *   returns  mean sidereal time at Greenwich, degrees in [0, 360)
 * Notes: IAU 1982 expression in days d and centuries T of UT from J2000.0:
 *   280.46061837 + 360.98564736629 d + 0.000387933 T^2 - T^3/38710000.
 * Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 12, eq. 12.4. */
double green0mean(double jd) {
    const double d = jd - kJ2000;
    const double T = d / kDaysPerCentury;
    const double gmst = ((280.46061837 + 360.98564736629 * d) +
                         0.000387933 * T * T) - T * T * T / 38710000.0;
    return norm360(gmst);
}

double apparent_sidereal(double jd, double t, double dpsi, double eps) {
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double mean = norm360((((jd - kJ2000) * 360.98564736629 +
                                  280.46061837) +
                                 0.000387933 * t2) -
                                t3 / 38710000.0);
    return norm360(mean + dpsi * cosd(eps));
}

} // namespace lunarfix
