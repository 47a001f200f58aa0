// Apparent place of the Sun, and a short estimate of sunrise and sunset.
#ifndef LUNARFIX_EPHEMERIS_SUN_H
#define LUNARFIX_EPHEMERIS_SUN_H

namespace lunarfix {

/* suneph: apparent place of the Sun for one instant of UT.
 *
 * Given:
 *   DeltaT0   double   ΔT = TT − UT (seconds)
 *   ky,km,kd  int      UT calendar date: year, month, day
 *   kth,ktm,kts int    UT clock time: hour, minute, second
 *
 * Returned:
 *   delta1    double*  apparent declination, −90..90 (degrees)
 *   grts1     double*  Greenwich hour angle of the Sun, [0, 360) (degrees)
 *   grtg1     double*  Greenwich hour angle of Aries, i.e. apparent
 *                      sidereal time, [0, 360) (degrees)
 *   alfa1     double*  apparent right ascension, [0, 360) (degrees)
 *   HPsun1    double*  horizontal parallax (arcminutes)
 *   SDsun1    double*  semi-diameter (arcminutes)
 *   jdesun    double*  Julian ephemeris day JDE = JD + ΔT/86400 (days)
 *
 * Notes:
 *   1) The geometric place comes from the complete VSOP87D series of the
 *      Earth evaluated at JDE, shifted to the FK5 frame, then corrected
 *      for nutation in longitude (IAU 1980) and annual aberration
 *      (−20.4898″/R), and turned to the equator with the true obliquity.
 *   2) Sidereal time: IAU 1982 mean sidereal time of UT plus the equation
 *      of the equinoxes Δψ·cos ε.
 *   3) Every output is written once, at the end; any date that julday
 *      accepts is computed.  Nothing is printed, no state is kept.
 *
 * Reference:
 *   Meeus, Astronomical Algorithms, 2nd ed., ch. 12, 22, 25 (ex. 25.b),
 *   32 (FK5 correction).
 */
void suneph(double DeltaT0, int ky, int km, int kd, int kth, int ktm,
            int kts, double* delta1, double* grts1, double* grtg1,
            double* alfa1, double* HPsun1, double* SDsun1, double* jdesun);

/* suntime: low-precision sunrise and sunset for a date and a place.
 *
 * Given:
 *   year,month,day int  calendar date (the Sun is taken at 12h UT)
 *   Lange     double    longitude, East positive (degrees)
 *   Breite    double    latitude, North positive (degrees); beyond ±89.99
 *                       it is taken as ±89.99
 *
 * Returned:
 *   srd, srm  int*      sunrise, hour and minute of UT (truncated)
 *   ssd, ssm  int*      sunset, hour and minute of UT (truncated)
 *   Ar        int*      azimuth of sunrise from true north, 0..180 (whole
 *                       degrees)
 *   As        int*      azimuth of sunset, 360 − Ar (whole degrees)
 *   D         int*      rough duration of twilight (minutes)
 *
 * Returned (function value):
 *             double    always 0.0
 *
 * Notes:
 *   1) A short series of the Sun (mean anomaly, equation of centre,
 *      obliquity) evaluated once at 12h UT; ΔT is not applied.  The
 *      altitude of the Sun's centre at rising and setting is −0.83°.
 *      Times are good to a minute or two.
 *   2) When the Sun does not cross that altitude on the day (midnight sun
 *      or polar night) sunrise and sunset are both 0h 0m and D is 0.
 *   3) D is 20 + 0.01·φ² minutes (φ the latitude in degrees), truncated.
 *   4) Every output is written once, at the end.  Nothing is printed.
 *   5) A longitude or latitude that is not finite is read like a day
 *      without a crossing: 0h 0m, Ar 0, As 360, D 0.
 *
 * Reference:
 *   Meeus, Astronomical Algorithms, 2nd ed., ch. 13 and 15;
 *   Montenbruck & Pfleger, Astronomy on the Personal Computer, ch. 3.
 */
double suntime(int year, int month, int day, double Lange, double Breite,
               int* srd, int* srm, int* ssd, int* ssm, int* Ar, int* As,
               int* D);

} // namespace lunarfix

#endif
