// Astronomical foundations of lunarfix: angle and trigonometry functions,
// calendar date to Julian day, mean sidereal time, fixed-column text tables,
// Delta T (built-in model and prediction file moondist0x0.txt), nutation and
// obliquity (IAU 1980), aberration elements and the equation of time.
//
// Angles are decimal degrees unless a function says radians.  Every function
// is a plain function of its arguments; further results go through output
// pointers owned by the caller.
#ifndef LUNARFIX_FOUNDATIONS_FOUNDATIONS_H
#define LUNARFIX_FOUNDATIONS_FOUNDATIONS_H

namespace lunarfix {

/* pi0: the double nearest pi. */
constexpr double pi0 = 3.141592653589793;

/* d2r0, r2d0: radians per degree and degrees per radian formed from pi0
 * (0.017453292519943295 and 57.29577951308232, the doubles nearest pi/180
 * and 180/pi): sind and cosd, the planet series and ephemerides, the
 * stars, the lunar series' arguments. */
constexpr double d2r0 = pi0 / 180.0;
constexpr double r2d0 = 180.0 / pi0;

/* Shorter or rounded values of pi and of the degree factors that single
 * routines use instead of pi0, d2r0 and r2d0.  They differ from them in
 * the last digits only (a relative 1e-15 at the most, far below the
 * routines' precision), but each routine's results depend on its own value
 * to the last bit, and its published values were computed with it; so
 * each keeps its own, named here beside pi0:
 *   d2r_tan  radians per degree 5 units in the last place below d2r0
 *            (3.14159265358979/180): tand, and the sextant altitude
 *            corrections (BESCHICKUNG) for every angle.
 *   r2d_eph  degrees per radian 6e-14 above r2d0: the Sun and Moon
 *            ephemerides turn the results of atan2 and asin into degrees
 *            with it, and so do the sight reduction (HcAz) and the lunar
 *            distances (LDist, Lunaclear), which are compared with them.
 *   pi_13    pi rounded to 13 decimals (7e-15 above pi): the lunar series
 *            turns its sums back into degrees with it, sunrise and sunset
 *            (suntime) and the rhumb-line sailing (shiftpos) form their
 *            degree factors from it.
 *   pi_11    pi rounded to 11 decimals (2e-12 below pi): the slopes of the
 *            lines of position and the plane of the fix (lopfix). */
constexpr double d2r_tan = 0.017453292519943278;
constexpr double r2d_eph = 57.29577951308238;
constexpr double pi_13 = 3.1415926535898;
constexpr double pi_11 = 3.14159265359;

/* Time-scale constants shared by the ephemerides (Meeus, ch. 7 and 22):
 * the Julian day of the epoch J2000.0, days per Julian century and per
 * Julian millennium, and seconds per day. */
constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerCentury = 36525.0;
constexpr double kDaysPerMillennium = 365250.0;
constexpr double kSecondsPerDay = 86400.0;

/* ------------------------------------------------------------------------
 * Angle and trigonometry functions
 * ---------------------------------------------------------------------- */

/* norm360: angle reduced to [0, 360).
 *   xxx  angle, degrees
 *   returns the angle in [0, 360), degrees */
double norm360(double xxx);

/* lim180: one step towards (-180, 180]: xxx - 360 when xxx > 180, else xxx.
 *   xxx  angle, degrees
 *   returns degrees */
double lim180(double xxx);

/* dmodx: x modulo |y|, in [0, |y|).  Any unit (the lunar series passes
 * radians and 2 pi). */
double dmodx(double x, double y);

/* norm2pi: a negative angle lifted by the fewest whole turns 2 pi that make
 * it non-negative; a non-negative angle comes back unchanged.
 *   x0  angle, radians
 *   returns radians */
double norm2pi(double x0);

/* cost: cosine of an angle in radians (of norm2pi(x)). */
double cost(double x);

/* sind, cosd, tand: sine, cosine, tangent of an angle in degrees. */
double sind(double x);
double cosd(double x);
double tand(double x);

/* trunc2: angle reduced to [0, 2 pi) (2 pi itself only by rounding for a
 * tiny negative argument).
 *   x  angle, radians
 *   returns radians */
double trunc2(double x);

/* cxangle: split of a signed decimal angle (or hour) into sexagesimal parts,
 * truncated, each carrying the sign of the input.
 *   w0   decimal degrees or hours, |w0| < 2^31
 *   ig0  whole degrees (hours)              (int, output)
 *   im0  whole minutes                      (int, output)
 *   sm0  decimal minutes of the fraction    (double, output)
 *   ss0  decimal seconds of the minute      (double, output) */
void cxangle(double w0, int* ig0, int* im0, double* sm0, double* ss0);

/* cxround: sexagesimal parts made ready for printing with ndec decimals of
 * the last unit shown: when that unit would print as 60 it becomes 0 and
 * one is carried into the unit above (seconds into minutes, minutes into
 * degrees or hours); otherwise nothing changes.
 *   ndec  decimals printed of the last unit, 0 to 9
 *   ig0   whole degrees or hours (in/out)
 *   im0   whole minutes (in/out), or nullptr when the last unit is minutes
 *   x0    the last unit: decimal minutes (im0 nullptr) or decimal seconds
 *         (in/out)
 * The parts carry the sign of the value as cxangle gives them (with 0
 * degrees the minutes carry it); the carry goes in that sign. */
void cxround(int ndec, int* ig0, int* im0, double* x0);

/* angcheck: 999 when the azimuth w0 (degrees) lies within 0.1 degree of
 * 0 or 180 degrees (modulo 360), else 0. */
int angcheck(double w0);

/* ------------------------------------------------------------------------
 * Calendar and sidereal time
 * ---------------------------------------------------------------------- */

/* julday: Julian day of a calendar date and time (UT).  Julian calendar up
 * to 1582 October 4, Gregorian after; year 0 is the year before 1.
 *   returns the Julian day, days */
double julday(int year, int month, int day, int hour, int min, int sec);

/* green0mean: Greenwich mean sidereal time, degrees in [0, 360).
 *   jd  Julian day of UT */
double green0mean(double jd);

/* apparent_sidereal: Greenwich apparent sidereal time (IAU 1982) as the
 * ephemeris routines form it, degrees in [0, 360): the mean time from the
 * linear term in the Julian day of UT and the T^2 and T^3 terms in the
 * centuries t that the routine gives (the Sun's of UT, the planets' and
 * stars' of TT), reduced to [0, 360), plus the nutation in right ascension
 * dpsi * cos(eps), reduced again.
 *   jd    Julian day of UT
 *   t     Julian centuries from J2000.0 for the T^2 and T^3 terms
 *   dpsi  nutation in longitude, degrees
 *   eps   true obliquity, degrees
 * Reference: Meeus, Astronomical Algorithms, 2nd ed., eq. 12.4 and
 *   ch. 12 (apparent sidereal time). */
double apparent_sidereal(double jd, double t, double dpsi, double eps);

/* ------------------------------------------------------------------------
 * Fixed-column text tables: rows of W characters stored one after another
 * (a shorter text is NUL padded); a field is the inclusive, zero-based
 * column range ka..ke of row jz; a blank field reads 0.
 * ---------------------------------------------------------------------- */

/* iarr35: integer field of a table of 35-character rows. */
int iarr35(const char (*arr)[35], int jz, int ka, int ke);

/* farr35: real field of a table of 35-character rows (nutation rates). */
double farr35(const char (*arr)[35], int jz, int ka, int ke);

/* yarr35: real field of a table of 35-character rows (Delta T table). */
double yarr35(const char (*arr)[35], int jz, int ka, int ke);

/* farr60: real field of a table of 60-character rows (star catalogue). */
double farr60(const char (*arr)[60], int jz, int ka, int ke);

/* ------------------------------------------------------------------------
 * Delta T = TT - UT1
 * ---------------------------------------------------------------------- */

/* deltatime: Delta T in seconds from the built-in model, -700 to 3500
 * (month does not enter the result).  Prints two lines and returns 0
 * outside that range. */
double deltatime(int year, int month);

/* quadipola: value at x of the parabola through (x1,y1), (x2,y2), (x3,y3);
 * the abscissae must differ. */
double quadipola(double x1, double y1, double x2, double y2, double x3,
                 double y3, double x);

/* kDeltaTLeast, kDeltaTMost: the range of a Delta T the navigator may type
 * or the prediction file may give, seconds (the built-in model stays within
 * it from -700 to 3000). */
constexpr double kDeltaTLeast = -1000.0;
constexpr double kDeltaTMost = 6000.0;

/* delta0x: Delta T in seconds for year0 from the prediction file
 * moondist0x0.txt in the working directory (written with its default rows
 * when missing; at most 100 rows are read, one a line, and a line that is
 * no row ends them).  A year from 2020 to 3000 that the file does not
 * cover (past its last row, rows out of order, a repeated year, a value
 * read or interpolated outside kDeltaTLeast to kDeltaTMost) gets the
 * built-in model's value after a message, without a pause; so does every
 * such year when the file can be neither created nor read (its message
 * once in a run).  0 for a year after 3000 and for a year before 2020 that
 * the file does not cover. */
double delta0x(int year0);

/* kPredictionFile: the name of the Delta T prediction file. */
extern const char kPredictionFile[];  // "moondist0x0.txt"

/* quadipol: value at x of the polynomial through n points (Neville).
 *   xa, ya  abscissae and ordinates, indexed 1 to n (n from 1 to 9)
 *   n       number of points
 *   x       abscissa wanted
 *   y       the value at x (output); 0 when two abscissae are equal */
void quadipol(const double* xa, const double* ya, int n, double x, double* y);

/* ------------------------------------------------------------------------
 * Nutation, aberration, equation of time
 * ---------------------------------------------------------------------- */

/* Nutation: IAU 1980 nutation and the obliquity of the ecliptic.
 *   TE        Julian centuries of TT from J2000.0
 *   dpsi      nutation in longitude, degrees (output)
 *   deps      nutation in obliquity, degrees (output)
 *   epsilon0  mean obliquity, degrees (output)
 *   epsilon1  true obliquity, degrees (output) */
void Nutation(double TE, double* dpsi, double* deps, double* epsilon0,
              double* epsilon1);

/* Aberration: elements of the annual aberration.
 *   TE     Julian centuries of TT from J2000.0
 *   kappa  constant of aberration, degrees (output)
 *   peri   longitude of the perihelion of the Earth's orbit, degrees (output)
 *   eab    eccentricity of the Earth's orbit (output) */
void Aberration(double TE, double* kappa, double* peri, double* eab);

/* annual_aberration: shift of an ecliptic place by the annual aberration,
 * the e-terms included, with the elements of Aberration.
 *   TE       Julian centuries of TT from J2000.0
 *   sun      the Sun's geometric longitude, radians
 *   lambda   ecliptic longitude of the body, radians
 *   beta     ecliptic latitude of the body, radians
 *   dlambda  shift in longitude, radians (output)
 *   dbeta    shift in latitude, radians (output)
 * Reference: Meeus, Astronomical Algorithms, 2nd ed., eq. 23.2. */
void annual_aberration(double TE, double sun, double lambda, double beta,
                       double* dlambda, double* dbeta);

/* equ_of_time: equation of time (apparent minus mean solar time), hours.
 *   hour, min, sec  clock time, UT
 *   grtg0           Greenwich apparent sidereal time, degrees
 *   alfasun         the Sun's apparent right ascension, degrees */
double equ_of_time(int hour, int min, int sec, double grtg0, double alfasun);

} // namespace lunarfix

#endif
