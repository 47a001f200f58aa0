// Earth: heliocentric ecliptic longitude, latitude and radius vector from
// the complete VSOP87D series of the Earth (coefficients generated into
// vsop87d_earth.inc by tools/gen_vsop87d.mjs).
//
// Reference: P. Bretagnon and G. Francou, Astron. Astrophys. 202, 309
// (1988); J. Meeus, Astronomical Algorithms, 2nd ed., ch. 32.
#include "series/series.h"
#include "series/vsop87d_rule.h"

namespace lunarfix {

/* Learth: heliocentric ecliptic longitude of the Earth, mean ecliptic and
 * equinox of date.
 *   x  Tau, Julian millennia of TT from J2000.0
 *   returns degrees: the radian sum lifted by norm2pi (only a negative sum
 *   changes) times 180/pi.  The sum passes 0 at the September equinox of
 *   1999; before it the result lies in [0, 360], after it the result is not
 *   reduced and grows by 360 a year.
 * Notes: 1,080 terms in blocks L0 to L5 (559, 341, 142, 22, 11, 5).
 * Reference: VSOP87D, Earth, variable L; Meeus ch. 32. */
double Learth(double x) {
    double S0 = +0.0, S1 = +0.0, S2 = +0.0, S3 = +0.0, S4 = +0.0, S5 = +0.0;
#define VSOP87D_L
#include "series/vsop87d_earth.inc"
#undef VSOP87D_L
    return norm2pi(vsop87d::combine(x, S0, S1, S2, S3, S4, S5)) * r2d0;
}

/* Bearth: heliocentric ecliptic latitude of the Earth, mean ecliptic and
 * equinox of date.
 *   x  Tau, Julian millennia of TT from J2000.0
 *   returns degrees, signed, not reduced
 * Notes: 348 terms in blocks B0 to B4 (184, 99, 49, 11, 5); there is no
 * block B5.
 * Reference: VSOP87D, Earth, variable B; Meeus ch. 32. */
double Bearth(double x) {
    double S0 = +0.0, S1 = +0.0, S2 = +0.0, S3 = +0.0, S4 = +0.0;
#define VSOP87D_B
#include "series/vsop87d_earth.inc"
#undef VSOP87D_B
    return vsop87d::combine(x, S0, S1, S2, S3, S4) * r2d0;
}

/* Rearth: radius vector of the Earth.
 *   x  Tau, Julian millennia of TT from J2000.0
 *   returns astronomical units
 * Notes: 997 terms in blocks R0 to R5 (526, 292, 139, 27, 10, 3).
 * Reference: VSOP87D, Earth, variable R; Meeus ch. 32. */
double Rearth(double x) {
    double S0 = +0.0, S1 = +0.0, S2 = +0.0, S3 = +0.0, S4 = +0.0, S5 = +0.0;
#define VSOP87D_R
#include "series/vsop87d_earth.inc"
#undef VSOP87D_R
    return vsop87d::combine(x, S0, S1, S2, S3, S4, S5);
}

}  // namespace lunarfix
