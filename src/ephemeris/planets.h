// Apparent place of Venus, Mars, Jupiter and Saturn.
#ifndef LUNARFIX_EPHEMERIS_PLANETS_H
#define LUNARFIX_EPHEMERIS_PLANETS_H

namespace lunarfix {

/* planeteph: apparent place of a planet for one instant of UT.
 *
 * Given:
 *   idplanet  int      body code: 4 Venus, 5 Mars, 6 Jupiter, 7 Saturn
 *   DeltaT0   double   ΔT = TT − UT (seconds)
 *   ky,km,kd  int      UT calendar date: year, month, day
 *   kth,ktm,kts int    UT clock time: hour, minute, second
 *
 * Returned:
 *   delta1    double*  apparent declination, −90..90 (degrees)
 *   grts1     double*  Greenwich hour angle of the planet, [0, 360)
 *                      (degrees)
 *   grtg1     double*  Greenwich hour angle of Aries, i.e. apparent
 *                      sidereal time, [0, 360) (degrees)
 *   alfa1     double*  apparent right ascension, [0, 360) (degrees)
 *   hpar1     double*  horizontal parallax (arcminutes)
 *
 * Notes:
 *   1) Heliocentric places of the Earth and of the planet from their
 *      complete VSOP87D series at JDE = JD + ΔT/86400; the planet is taken
 *      once more at JDE less the light time of its first geocentric
 *      distance (one pass, no iteration).  Venus and Mars then carry the
 *      retarded epoch and distance into the later steps; Jupiter and
 *      Saturn keep those of the instant (the difference is below
 *      0.0001″ for them).
 *   2) Then annual aberration (constant κ and the perihelion ϖ and
 *      eccentricity e of the Earth's orbit), the FK5 correction, nutation in longitude (IAU 1980), and
 *      the equator with the true obliquity.  The sidereal time takes its
 *      T² and T³ terms from centuries of TT.
 *   3) A body code other than 4 to 7 computes nothing: a message goes to
 *      the console and every output is set to 0.
 *   4) Every output is written once, at the end.  No state is kept.
 *
 * Reference:
 *   Meeus, Astronomical Algorithms, 2nd ed., ch. 23 (eq. 23.2), 32, 33
 *   (ex. 33.a).
 */
void planeteph(int idplanet, double DeltaT0, int ky, int km, int kd,
               int kth, int ktm, int kts, double* delta1, double* grts1,
               double* grtg1, double* alfa1, double* hpar1);

} // namespace lunarfix

#endif
