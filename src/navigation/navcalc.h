// Navigation computations of the dialog: sextant altitude corrections,
// sight reduction, the true and the cleared lunar distance, running a
// position along a course, distances in the plane of the fix, and the
// intersection of two lines of position.
//
// Every function is a plain function of its arguments; results beyond the
// return value go to output parameters that the caller owns.  Angles are
// decimal degrees (North, East and above the horizon positive), distances
// nautical miles (one arcminute of a great circle).  None of them returns
// a NaN for finite arguments: the arguments of arc sines and arc cosines
// are limited to -1..+1 and the degenerate cases are settled as stated in
// each comment block.  A NaN argument gives a NaN result, which the dialog
// reports as a failed computation.
#ifndef LUNARFIX_NAVIGATION_NAVCALC_H
#define LUNARFIX_NAVIGATION_NAVCALC_H

namespace lunarfix {

/* limb_sign: the sign with which the semi-diameter of the observed limb
 * carries the limb's altitude to the centre's: +1 for a lower limb (Sun 0,
 * Moon 2), -1 for an upper limb (Sun 1, Moon 3), 0 for a planet or a star.
 *   iur         int     body code 0..8
 *   (function)  double  +1, -1 or 0 */
double limb_sign(int iur);

/* BESCHICKUNG: sextant altitude to observed altitude of the body's centre
 * as seen from the centre of the Earth.
 *
 * Given:
 *   ibes        int     not read (callers pass 1)
 *   iur         int     body code: 0/1 Sun lower/upper limb, 2/3 Moon
 *                       lower/upper limb, 4..7 planets, 8 star
 *   Lati        double  assumed latitude (deg)
 *   Azi         double  azimuth of the body (deg, from true north)
 *   ha0         double  sextant altitude as read (deg)
 *   indb        double  index correction (arcmin), added to ha0
 *   temperatur  double  air temperature (deg C)
 *   druck       double  air pressure (hPa)
 *   aug         double  height of eye (m)
 *   SDiam       double  semi-diameter (arcmin), read for the Sun only
 *   HorPar      double  horizontal parallax (arcmin), 0 for a star
 * Returned:
 *   HP1         double* parallax in altitude incl. oblateness term (arcmin)
 *   dip1        double* dip of the horizon (arcmin)
 *   r1          double* refraction before the temperature/pressure factor
 *                       (arcmin)
 *   SD1         double* semi-diameter applied to the limb, unsigned
 *                       (arcmin; Moon augmented, Sun SDiam, others 0)
 *   gb1         double* total correction Ho - ha0 incl. index (arcmin)
 *   (function)  double  observed altitude Ho of the centre (deg)
 *
 * Notes:
 * 1) Order: index correction, dip 1.76*sqrt(aug), refraction (scaled by
 *    283.15*druck/((273.15+temperatur)*1010)), semi-diameter with the limb
 *    sign, parallax in altitude with the Earth's flattening 1/298.257.
 * 2) Refraction: below a sextant altitude of 15 deg the low-altitude
 *    formula (a rational function of the altitude) is used; from 15 deg up
 *    the cotangent formula 0.96474/tan h - 0.00113/tan^3 h.  The cotangent
 *    formula is only used while the altitude after index and dip is at
 *    least 10 deg; a larger negative index correction that drops it lower
 *    (which would make tan h small, zero or negative) falls back to the
 *    low-altitude formula, which is finite at every altitude.  At 10 deg
 *    the two formulas agree within 0.02 arcmin.
 * 3) The Moon's semi-diameter is augmented from the horizontal parallax
 *    (Moon/Earth radius ratio 0.2725); should the parallax be so large that
 *    the augmentation formula has no real value, the plain geocentric
 *    semi-diameter asin(0.2725 sin HP) is used.
 * 4) A negative height of eye counts as 0.
 *
 * Reference: Bowditch, American Practical Navigator (2002), chapter
 * "Sight Reduction" (altitude corrections); Meeus, Astronomical
 * Algorithms, 2nd ed., ch. 16 (refraction).
 */
double BESCHICKUNG(int ibes, int iur, double Lati, double Azi, double ha0,
                   double indb, double temperatur, double druck, double aug,
                   double SDiam, double HorPar, double* HP1, double* dip1,
                   double* r1, double* SD1, double* gb1);

/* HcAz: sight reduction; local hour angle, computed altitude and azimuth.
 *
 * Given:
 *   lat0    double  assumed latitude (deg)
 *   lon0    double  assumed longitude (deg, East positive)
 *   DEC0    double  declination of the body (deg)
 *   GHA0    double  Greenwich hour angle of the body (deg)
 * Returned:
 *   LHA00   double* local hour angle, [0, 360) (deg, westward)
 *   Hcalc   double* computed altitude Hc (deg)
 *   Az0     double* azimuth, 0..360 (deg, clockwise from true north; 360
 *                   only for a body west of the meridian whose arc cosine
 *                   rounds to 0)
 *
 * Notes:
 * 1) Hc = asin(sin dec sin lat + cos lat cos dec cos LHA); the azimuth is
 *    acos((sin dec - sin lat sin Hc)/(cos lat cos Hc)), taken as 360 minus
 *    that value when LHA lies strictly between 0 and 180 (body west).
 * 2) Both arguments are limited to -1..+1.  On the meridian (LHA exactly
 *    0 or 180) the azimuth is exactly 0 or 180, by the sign of the cosine;
 *    a body in the zenith gives Hc = 90.
 * 3) When cos lat * cos Hc vanishes (assumed position at a pole, or body in
 *    the zenith) the azimuth is taken from the two-argument arc tangent of
 *    -cos dec sin LHA and sin dec cos lat - cos dec sin lat cos LHA, the
 *    limit of the same direction; if both vanish it is 0.
 *
 * Reference: Bowditch, American Practical Navigator (2002), chapter
 * "Sight Reduction".
 */
void HcAz(double lat0, double lon0, double DEC0, double GHA0, double* LHA00,
          double* Hcalc, double* Az0);

/* LDist: true geocentric angular distance of two bodies.
 *
 * Given:
 *   DecM, DecS  double  declinations of the Moon and the second body (deg)
 *   RaM, RaS    double  their right ascensions (deg)
 * Returned:
 *   (function)  double  distance, 0..180 (deg)
 *
 * Notes:
 * 1) The cosine of the distance is limited to -1..+1: two coincident
 *    bodies give 0, two opposite bodies 180.
 * 2) Symmetric in the two bodies.
 *
 * Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 17.
 */
double LDist(double DecM, double DecS, double RaM, double RaS);

/* Lunaclear: clears a measured lunar distance of refraction and parallax.
 *
 * Given (all deg):
 *   d       apparent distance between the centres
 *   M       observed (true) altitude of the Moon's centre
 *   S       observed (true) altitude of the second body's centre
 *   m       apparent altitude of the Moon
 *   s       apparent altitude of the second body
 *   Azm     azimuth of the Moon
 *   Azs     azimuth of the second body
 *   HP      the Moon's parallax in altitude
 *   Lati    latitude of the observer
 * Returned:
 *   (function)  double  cleared (geocentric) distance (deg)
 *
 * Notes:
 * 1) Young's formula: cos D = (cos d + cos(m+s)) cos M cos S / (cos m
 *    cos s) - cos(M+S), its value limited to -1..+1.
 * 2) Oblateness term f*HP*sin(2 Lati)*sin Azm*q with f = 1/298.257 and
 *    q = cos S sin(Azm-Azs)/sin D, the sine of the angle at the Moon
 *    between its vertical circle and the distance arc.  q is limited to
 *    -1..+1, and the term is dropped when sin D is 0 (distance 0 or 180),
 *    where that angle is undefined; so the term never exceeds f*HP.
 *
 * Reference: Cotter, A History of Nautical Astronomy (1968), on
 * Young's method of clearing the lunar distance.
 */
double Lunaclear(double d, double M, double S, double m, double s, double Azm,
                 double Azs, double HP, double Lati);

/* shiftpos: runs a position along a rhumb line.
 *
 * Given:
 *   isw         int     1: distance = elapsed time * |velav|; else dist
 *   dist        double  distance (nautical miles), when isw != 1
 *   h1, m1      int     hour and minute of the start (isw 1 only)
 *   h2, m2      int     hour and minute of the end (isw 1 only)
 *   latitude1   double  start latitude (deg)
 *   longitude1  double  start longitude (deg)
 *   velav       double  speed (knots), isw 1 only
 *   kursav      double  course (deg, from true north)
 * Returned:
 *   xlat2       double* end latitude (deg), not limited
 *   xlong2      double* end longitude (deg), in (-180, 180]
 *
 * Notes:
 * 1) The start latitude is limited to -89..+89.
 * 2) The course is reduced to [0, 360) in one step (so -90 is 270, west).
 *    Within 0.01 deg of 90 or 270: parallel sailing, departure divided by
 *    the cosine of the mean latitude; otherwise Mercator sailing
 *    (difference of meridional parts times tan course).
 * 3) Mercator sailing ending at or beyond a pole, where the rhumb line
 *    gives no longitude, keeps the start longitude.
 *
 * Reference: Bowditch, American Practical Navigator (2002), chapter
 * "The Sailings" (parallel and Mercator sailing).
 */
void shiftpos(int isw, double dist, int h1, int m1, int h2, int m2,
              double latitude1, double longitude1, double velav,
              double kursav, double* xlat2, double* xlong2);

/* verspos: dead reckoning between two instants by mid-latitude sailing.
 *
 * Given:
 *   jd1, jd2    double  Julian days of the start and the end
 *   velav       double  speed (knots); a negative value is the distance
 *                       run (nautical miles) with its sign dropped
 *   kursav      double  course (deg)
 *   latitude1   double  start latitude (deg)
 *   longitude1  double  start longitude (deg)
 * Returned:
 *   latitude2   double* end latitude (deg)
 *   longitude2  double* end longitude (deg), in (-180, 180]
 *   (function)  int     0 done; 1 run longer than 2000 nautical miles
 *                       (made all the same); 2 a step reached 90 deg of
 *                       latitude (whole degrees).  A later status replaces
 *                       an earlier one.
 *
 * Notes:
 * 1) The run is cut into floor(distance) steps, at most 200, of equal
 *    length; each step changes the latitude by cos(course) * step and the
 *    longitude by sin(course) * step / cos(mean latitude of the step).
 * 2) A distance below 1 nautical mile, or negative, leaves the position.
 *
 * Reference: Bowditch, American Practical Navigator (2002), chapter
 * "The Sailings" (mid-latitude sailing).
 */
int verspos(double jd1, double jd2, double velav, double kursav,
            double latitude1, double longitude1, double* latitude2,
            double* longitude2);

/* bestver: distance of two points of the plane of the fix.
 *
 * Given:
 *   ibestv      int     1 (the distance; no other kind is computed)
 *   x0, y0      double  first point: latitude (deg), longitude*ynorm (deg)
 *   xpos, ypos  double  second point, likewise
 *   ynorm       double  cosine of the mean latitude of the fix plane
 * Returned:
 *   (function)  double  distance (nautical miles)
 *
 * Notes:
 * 1) The longitude difference (ypos - y0)/ynorm is taken in (-180, 180],
 *    so points on either side of the 180 deg meridian are near.
 * 2) With ynorm 0 (a pole) only the latitude difference counts.
 *
 * Reference: Bowditch, American Practical Navigator (2002), chapter
 * "The Sailings" (plane sailing).
 */
double bestver(int ibestv, double x0, double y0, double xpos, double ypos,
               double ynorm);

/* IntersectionCase: how two lines of position were intersected. */
enum IntersectionCase : int {
    kLopGeneral = 0,      /* both lines oblique, general intersection */
    kLopLine1EastWest = 1, /* line 1 runs east-west (azimuth ~0 or ~180) */
    kLopLine2EastWest = 2, /* line 2 runs east-west */
    kLopParallel = 4      /* lines parallel: fix = point of line 2 (error) */
};

/* lopfix: intersects two lines of position in the local plane of the fix.
 *
 * Given:
 *   latitude1, longitude1  double  point of line 1 (deg)
 *   azim1                  double  azimuth of sight 1 (deg); line 1 runs
 *                                  at right angles to it
 *   latitude2, longitude2  double  point of line 2 (deg)
 *   azim2                  double  azimuth of sight 2 (deg)
 * Returned:
 *   xpos, ypos   double*  the fix in the plane: latitude (deg) and
 *                         longitude*ynorm (deg), in the frame of line 1's
 *                         longitude (may lie beyond +-180*ynorm)
 *   ynorm        double*  cosine of the mean latitude of the two points
 *   latitudep    double*  fix latitude (deg)
 *   longitudep   double*  fix longitude (deg), in (-180, 180]
 *   (function)   IntersectionCase
 *
 * Notes:
 * 1) Plane: x = latitude, y = longitude * ynorm.  Slope dy/dx of a line
 *    is tan(azimuth - 90); a line whose azimuth lies within 0.1 deg of
 *    0 or 180 (angcheck) runs east-west and gets slope 9999.
 * 2) Case 1/2 when only line 1/2 runs east-west, else general; case 4
 *    (parallel) whenever the slopes differ by less than 0.01, including
 *    two east-west lines; then the fix is the point of line 2.
 * 3) The longitude of point 2 is taken within 180 deg of point 1 before
 *    entering the plane, so lines of position on either side of the 180
 *    deg meridian cross where they really cross.
 * 4) The position error of a fix from a run position (lat0, lon0) is
 *    bestver(1, lat0, lon0 * ynorm, xpos, ypos, ynorm), which takes the
 *    longitude difference across the 180 deg meridian correctly.
 * 5) The caller keeps both latitudes below 90 deg; ynorm is never taken
 *    below 1e-9.
 *
 * Reference: Bowditch, American Practical Navigator (2002), chapter
 * "Sight Reduction" (the fix from two lines of position).
 */
IntersectionCase lopfix(double latitude1, double longitude1, double azim1,
                        double latitude2, double longitude2, double azim2,
                        double* xpos, double* ypos, double* ynorm,
                        double* latitudep, double* longitudep);

/* lopangle: the angle at which two lines of position cross.
 *
 * Given:
 *   azim1, azim2  double  azimuths of the two sights (deg, any turn)
 * Returned:
 *   (function)    double  crossing angle of the lines (deg), 0 to 90;
 *                         NaN when either azimuth is not finite
 *
 * Notes:
 * 1) Each line runs at right angles to its sight's azimuth, so the lines
 *    cross at the angle between the azimuths, taken without regard to
 *    direction: 0 and 180 deg apart give parallel lines, 90 deg a square
 *    cut.
 * 2) An error e in the altitude of one sight moves the fix by about
 *    e / sin(angle) along the other line: 6 times e at 10 deg, 29 times
 *    at 2 deg.  Near 0 the two circles of equal altitude may also cross a
 *    second time close by, and both crossings satisfy both sights.
 *
 * Reference: Bowditch, American Practical Navigator (2002), chapter
 * "Sight Reduction" (the fix from two lines of position).
 */
double lopangle(double azim1, double azim2);

} // namespace lunarfix

#endif
