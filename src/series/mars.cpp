// Mars: heliocentric ecliptic longitude, latitude and radius vector from
// the complete VSOP87D series of Mars (coefficients generated into
// vsop87d_mars.inc by tools/gen_vsop87d.mjs).
//
// Reference: P. Bretagnon and G. Francou, Astron. Astrophys. 202, 309
// (1988); J. Meeus, Astronomical Algorithms, 2nd ed., ch. 32.
#include "series/series.h"
#include "series/vsop87d_rule.h"

namespace lunarfix {

/* Lmars: heliocentric ecliptic longitude of Mars, mean ecliptic and
 * equinox of date.
 *   x  Tau, Julian millennia of TT from J2000.0
 *   returns degrees in [0, 360): the radian sum reduced by trunc2 (in one
 *   step, from above and below) times rtd; exactly 360 only when the sum is
 *   a negative number within 2^-54 of a turn of 0.
 * Notes: 2,393 terms in blocks L0 to L5 (1217, 686, 310, 129, 36, 15).
 * Reference: VSOP87D, Mars, variable L; Meeus ch. 32. */
double Lmars(double x) {
    double S0 = +0.0, S1 = +0.0, S2 = +0.0, S3 = +0.0, S4 = +0.0, S5 = +0.0;
#define VSOP87D_L
#include "series/vsop87d_mars.inc"
#undef VSOP87D_L
    return trunc2(vsop87d::combine(x, S0, S1, S2, S3, S4, S5)) * vsop87d::rtd;
}

/* Bmars: heliocentric ecliptic latitude of Mars, mean ecliptic and
 * equinox of date.
 *   x  Tau, Julian millennia of TT from J2000.0
 *   returns degrees, signed, not reduced
 * Notes: 915 terms in blocks B0 to B5 (441, 287, 130, 41, 11, 5).
 * Reference: VSOP87D, Mars, variable B; Meeus ch. 32. */
double Bmars(double x) {
    double S0 = +0.0, S1 = +0.0, S2 = +0.0, S3 = +0.0, S4 = +0.0, S5 = +0.0;
#define VSOP87D_B
#include "series/vsop87d_mars.inc"
#undef VSOP87D_B
    return vsop87d::combine(x, S0, S1, S2, S3, S4, S5) * vsop87d::rtd;
}

/* Rmars: radius vector of Mars.
 *   x  Tau, Julian millennia of TT from J2000.0
 *   returns astronomical units
 * Notes: 2,175 terms in blocks R0 to R5 (1118, 596, 313, 111, 28, 9).
 * Reference: VSOP87D, Mars, variable R; Meeus ch. 32. */
double Rmars(double x) {
    double S0 = +0.0, S1 = +0.0, S2 = +0.0, S3 = +0.0, S4 = +0.0, S5 = +0.0;
#define VSOP87D_R
#include "series/vsop87d_mars.inc"
#undef VSOP87D_R
    return vsop87d::combine(x, S0, S1, S2, S3, S4, S5);
}

}  // namespace lunarfix
