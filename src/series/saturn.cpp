// Saturn: heliocentric ecliptic longitude, latitude and radius vector from
// the complete VSOP87D series of Saturn (coefficients generated into
// vsop87d_saturn.inc by tools/gen_vsop87d.mjs).
//
// Reference: P. Bretagnon and G. Francou, Astron. Astrophys. 202, 309
// (1988); J. Meeus, Astronomical Algorithms, 2nd ed., ch. 32.
#include "series/series.h"
#include "series/vsop87d_rule.h"

namespace lunarfix {

/* Lsaturn: heliocentric ecliptic longitude of Saturn, mean ecliptic and
 * equinox of date.
 *   x  Tau, Julian millennia of TT from J2000.0
 *   returns degrees in [0, 360): the radian sum reduced by trunc2 (in one
 *   step, from above and below) times rtd; exactly 360 only when the sum is
 *   a negative number within 2^-54 of a turn of 0.
 * Notes: 2,358 terms in blocks L0 to L5 (1152, 642, 321, 148, 68, 27).
 * Reference: VSOP87D, Saturn, variable L; Meeus ch. 32. */
double Lsaturn(double x) {
    double S0 = +0.0, S1 = +0.0, S2 = +0.0, S3 = +0.0, S4 = +0.0, S5 = +0.0;
#define VSOP87D_L
#include "series/vsop87d_saturn.inc"
#undef VSOP87D_L
    return trunc2(vsop87d::combine(x, S0, S1, S2, S3, S4, S5)) * vsop87d::rtd;
}

/* Bsaturn: heliocentric ecliptic latitude of Saturn, mean ecliptic and
 * equinox of date.
 *   x  Tau, Julian millennia of TT from J2000.0
 *   returns degrees, signed, not reduced
 * Notes: 966 terms in blocks B0 to B5 (500, 260, 111, 58, 26, 11).
 * Reference: VSOP87D, Saturn, variable B; Meeus ch. 32. */
double Bsaturn(double x) {
    double S0 = +0.0, S1 = +0.0, S2 = +0.0, S3 = +0.0, S4 = +0.0, S5 = +0.0;
#define VSOP87D_B
#include "series/vsop87d_saturn.inc"
#undef VSOP87D_B
    return vsop87d::combine(x, S0, S1, S2, S3, S4, S5) * vsop87d::rtd;
}

/* Rsaturn: radius vector of Saturn.
 *   x  Tau, Julian millennia of TT from J2000.0
 *   returns astronomical units
 * Notes: 2,435 terms in blocks R0 to R5 (1205, 639, 342, 157, 64, 28).
 * Reference: VSOP87D, Saturn, variable R; Meeus ch. 32. */
double Rsaturn(double x) {
    double S0 = +0.0, S1 = +0.0, S2 = +0.0, S3 = +0.0, S4 = +0.0, S5 = +0.0;
#define VSOP87D_R
#include "series/vsop87d_saturn.inc"
#undef VSOP87D_R
    return vsop87d::combine(x, S0, S1, S2, S3, S4, S5);
}

}  // namespace lunarfix
