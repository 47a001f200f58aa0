// VSOP87D series of lunarfix: heliocentric ecliptic longitude, latitude and
// radius vector of the Earth, Venus, Mars, Jupiter and Saturn, referred to
// the mean ecliptic and equinox of date, from the complete VSOP87 version D
// series of each body.
//
// Every function takes Tau, Julian millennia of TT from J2000.0
// (Tau = (JDE - 2451545.0) / 365250), evaluates every term of its series on
// every call and keeps no state.  Longitudes and latitudes are returned in
// degrees, radius vectors in astronomical units.
//
// Reference: P. Bretagnon and G. Francou, "Planetary theories in rectangular
// and spherical variables. VSOP87 solutions", Astron. Astrophys. 202, 309
// (1988); J. Meeus, Astronomical Algorithms, 2nd ed., ch. 32.
#ifndef LUNARFIX_SERIES_SERIES_H
#define LUNARFIX_SERIES_SERIES_H

namespace lunarfix {

/* Learth: heliocentric ecliptic longitude of the Earth.
 *   x  Tau, Julian millennia of TT from J2000.0
 *   returns degrees, never negative.  A negative sum is lifted by whole turns
 *   into [0, 360); a positive sum (from the September equinox of 1999 on) is
 *   returned without reduction and exceeds 360 from the September equinox of
 *   2000 on.  Callers reduce it with norm360 or use only its sine and cosine.
 * Notes: 1,080 terms (6 constant); VSOP87D, Earth, variable L. */
double Learth(double x);

/* Bearth: heliocentric ecliptic latitude of the Earth.
 *   x  Tau
 *   returns degrees, signed, not reduced.
 * Notes: 348 terms in blocks B0 to B4 (2 constant); VSOP87D, Earth, B. */
double Bearth(double x);

/* Rearth: radius vector of the Earth.
 *   x  Tau
 *   returns astronomical units.
 * Notes: 997 terms (4 constant); VSOP87D, Earth, variable R. */
double Rearth(double x);

/* Lvenus, Lmars, Ljupiter, Lsaturn: heliocentric ecliptic longitude.
 *   x  Tau
 *   returns degrees in [0, 360) (exactly 360 only when the radian sum is a
 *   negative number within 2^-54 of a turn of 0).
 * Notes: Venus 671 terms, Mars 2,393, Jupiter 1,484, Saturn 2,358, six
 * constant in each; the radian sum is reduced by trunc2. */
double Lvenus(double x);
double Lmars(double x);
double Ljupiter(double x);
double Lsaturn(double x);

/* Bvenus, Bmars, Bjupiter, Bsaturn: heliocentric ecliptic latitude.
 *   x  Tau
 *   returns degrees, signed, not reduced.
 * Notes: Venus 426 terms, Mars 915, Jupiter 530, Saturn 966. */
double Bvenus(double x);
double Bmars(double x);
double Bjupiter(double x);
double Bsaturn(double x);

/* Rvenus, Rmars, Rjupiter, Rsaturn: radius vector.
 *   x  Tau
 *   returns astronomical units.
 * Notes: Venus 585 terms, Mars 2,175, Jupiter 1,469, Saturn 2,435. */
double Rvenus(double x);
double Rmars(double x);
double Rjupiter(double x);
double Rsaturn(double x);

}  // namespace lunarfix

#endif  // LUNARFIX_SERIES_SERIES_H
