// Elements of the annual aberration, and the equation of time.
#include "foundations/foundations.h"

#include <cmath>

namespace lunarfix {

/* Aberration - elements of the annual aberration.
 *   TE     Julian centuries of TT from J2000.0
 *   kappa  constant of aberration, 0.0056932 degrees (20.49552"),
 *          the same for every TE (output)
 *   peri   longitude of the perihelion of the Earth's orbit, degrees, not
 *          reduced (output)
 *   eab    eccentricity of the Earth's orbit (output)
 * Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 23, eqs. 23.3
 * and 23.4 (e and pi). */
void Aberration(double TE, double* kappa, double* peri, double* eab) {
    const double TE2 = TE * TE;
    *kappa = 0.0056932;
    *peri = (102.93735 + 1.71946 * TE) + 0.00046 * TE2;
    *eab = (0.016708634 - 0.000042037 * TE) - 0.0000001267 * TE2;
}

/* annual_aberration - the annual aberration of a star or planet.
 *   TE              Julian centuries of TT from J2000.0
 *   sun             the Sun's geometric longitude, radians
 *   lambda, beta    ecliptic longitude and latitude of the body, radians
 *   dlambda, dbeta  shifts to add to them, radians (output)
 * Notes: the light of the body comes in along the Earth's velocity, which
 * points 90 degrees behind the Sun's longitude on a circular orbit; the
 * e-terms add the part from the eccentricity of the orbit (perihelion at
 * peri).  Degrees turn into radians with d2r0.
 * Reference: Meeus, Astronomical Algorithms, 2nd ed., eq. 23.2. */
void annual_aberration(double TE, double sun, double lambda, double beta,
                       double* dlambda, double* dbeta) {
    double kappa, peri, eab;
    Aberration(TE, &kappa, &peri, &eab);
    const double k = kappa * d2r0;
    const double w = peri * d2r0;
    *dlambda = (k * eab * std::cos(w - lambda) - k * std::cos(sun - lambda)) /
               std::cos(beta);
    *dbeta = -k * std::sin(beta) *
             (std::sin(sun - lambda) - eab * std::sin(w - lambda));
}

/* equ_of_time - equation of time.
 *   hour, min, sec  clock time, taken as UT
 *   grtg0           Greenwich apparent sidereal time, degrees
 *   alfasun         the Sun's apparent right ascension, degrees
 *   returns         apparent minus mean solar time, hours; positive when the
 *                   apparent Sun is ahead of the mean Sun
 * Notes: the Greenwich hour angle of the apparent Sun, in hours, less the
 * clock time, brought by 12 hours into (-12, 12) for a clock time within
 * a day.  The clock time is not reduced to a day; a further 24-hour step
 * serves clock times below -12 h or above 36 h.
 * Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 28. */
double equ_of_time(int hour, int min, int sec, double grtg0, double alfasun) {
    const double eqot0 = norm360(grtg0 - alfasun);  // hour angle of the Sun
    const double houreff = (hour + min / 60.0) + sec / 3600.0;
    double eqoth = eqot0 / 15.0 - houreff;
    if (eqoth > 0.0) {
        eqoth = eqoth - 12.0;
    } else if (eqoth < 0.0) {
        eqoth = eqoth + 12.0;
    }
    if (eqoth > 24.0) eqoth = eqoth - 24.0;
    if (eqoth < -24.0) eqoth = eqoth + 24.0;
    return eqoth;
}

} // namespace lunarfix
