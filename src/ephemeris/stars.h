// The star catalogue (FK5, J2000.0) and the apparent place of a catalogue
// star.
#ifndef LUNARFIX_EPHEMERIS_STARS_H
#define LUNARFIX_EPHEMERIS_STARS_H

namespace lunarfix {

/* StarCatalog: 60 rows of 60 characters (a text of 56 characters, 57 for
 * Polaris, NUL padded), indexed by StarIndex: 0..57 the 57 navigational
 * stars and Polaris (43) in alphabetical order of their names; rows 58 and
 * 59 repeat the place of Polaris.  Fields, read with farr60 from these
 * inclusive zero-based columns:
 *   0-13   right ascension, FK5, equinox and epoch J2000.0 (hours)
 *   14-28  declination, FK5, J2000.0 (degrees)
 *   29-37  proper motion in right ascension (seconds of time per century)
 *   38-47  proper motion in declination (arcseconds per century)
 *   49-55  annual parallax (arcseconds) */
constexpr int kStarRows = 60;
constexpr int kStarRowLen = 60;
extern const char StarCatalog[kStarRows][kStarRowLen];

/* starseph: apparent place of a catalogue star for one instant of UT.
 *
 * Given:
 *   iterq     int      automatic-mode flag of the dialog; no effect
 *   idstar    int      StarIndex, row of StarCatalog (0..59)
 *   DeltaT0   double   Delta T = TT - UT (seconds)
 *   ky,km,kd  int      UT calendar date: year, month, day
 *   kth,ktm,kts int    UT clock time: hour, minute, second
 *
 * Returned:
 *   delta1    double*  apparent declination (degrees)
 *   grts1     double*  Greenwich hour angle of the star, [0, 360) (degrees)
 *   grtg1     double*  Greenwich hour angle of Aries, i.e. apparent
 *                      sidereal time, [0, 360) (degrees)
 *   alfa1     double*  apparent right ascension, (-180, 180] (degrees):
 *                      negative for a right ascension between 12h and 24h
 *   shast1    double*  sidereal hour angle, 360 - alfa1 in [0, 360)
 *                      (degrees)
 *
 * Returned (function value):
 *             int      idstar; -1 for an index outside 0..59 (then a notice
 *                      is written and every output is 0)
 *
 * Notes:
 *   1) Proper motion over TE centuries of TT (with the radial-velocity
 *      term of the four stars that have one: StarIndex 12, 43, 49, 53),
 *      precession from J2000.0 to the date in the ecliptic, annual
 *      parallax (Earth-Sun distance 1 AU), nutation in longitude (IAU
 *      1980), annual aberration with the e-terms, then the true obliquity.
 *   2) Sidereal time: IAU 1982 mean sidereal time, linear term from JD of
 *      UT, quadratic and cubic terms from TE; plus dpsi cos(eps).
 *   3) The Sun's geometric longitude (FK5) comes from the VSOP87D Earth
 *      longitude series.
 *   4) Every output is written once, at the end.  No state is kept.
 *
 * Reference:
 *   Meeus, Astronomical Algorithms, 2nd ed., ch. 12, 13, 21 (proper
 *   motion and its radial-velocity term; precession in ecliptic
 *   coordinates, eq. 21.5-21.7), 22 and 23 (aberration with the e-terms,
 *   eq. 23.2).
 */
int starseph(int iterq, int idstar, double DeltaT0, int ky, int km, int kd,
             int kth, int ktm, int kts, double* delta1, double* grts1,
             double* grtg1, double* alfa1, double* shast1);

} // namespace lunarfix

#endif
