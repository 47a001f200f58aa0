// Angle reduction, trigonometry of degrees, sexagesimal split and the
// near-meridian azimuth test.
#include "foundations/foundations.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace lunarfix {

namespace {

// Degrees to radians: d2r0 for sind and cosd, d2r_tan for tand
// (foundations.h).

// The full turn 2*pi0 (pi0 + pi0 is exact) split for an exact multiple:
// kTurnHi keeps the upper 26 bits of the significand, so k * kTurnHi is
// exact for every k below 2^27; kTurnLo is the exact remainder.
const double kTurn = pi0 + pi0;
const double kTurnHi = 0x1.921fb5p+2;  // 26-bit head of kTurn
const double kTurnLo = kTurn - kTurnHi;             // exact tail

} // namespace

/* norm360 - reduce an angle to [0, 360).
 *   xxx      angle, degrees
 *   returns  the angle in [0, 360), degrees
 * Notes: a negative angle is first folded into (-360, 0] by its magnitude,
 * then lifted by one turn; the final floor step also turns a sum that
 * rounded up to 360 into 0 (so -1e-20 gives 0).  One step at any size.
 * Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 1 ("reduction
 * of angles"). */
double norm360(double xxx) {
    double w = xxx;
    if (w < 0.0) {
        w = std::fabs(w);
        w = w - 360.0 * std::floor(w / 360.0);
        w = -w;
    }
    if (w < 0.0) w = w + 360.0;  // w was in (-360, 0): one turn suffices
    w = w - 360.0 * std::floor(w / 360.0);
    // Far from zero the quotient may round to the next whole turn and leave
    // a tiny negative remainder; keep the promised range.
    if (w < 0.0) {
        w = w + 360.0;
        if (w >= 360.0) w = 0.0;
    }
    return w;
}

/* lim180 - one step towards (-180, 180].
 *   xxx      angle, degrees
 *   returns  xxx - 360 when xxx > 180, else xxx (degrees)
 * Notes: applied to a result of norm360 it gives (-180, 180].
 * Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 1. */
double lim180(double xxx) {
    if (xxx > 180.0) return xxx - 360.0;
    return xxx;
}

/* dmodx - remainder of x modulo |y|, in [0, |y|).
 *   x, y     numbers in one unit (the lunar series: radians and 2 pi)
 *   returns  x mod |y|
 * Notes: the magnitude of x is reduced with floor and the sign put back,
 * then a negative remainder is lifted by |y| once.
 * Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 1. */
double dmodx(double x, double y) {
    const double m = std::fabs(y);
    const double s = (x < 0.0) ? -1.0 : 1.0;
    const double a = s * x;
    double r = a - std::floor(a / m) * m;
    r = s * r;
    if (r < 0.0) r = r + m;
    return r;
}

/* norm2pi - lift a negative angle by whole turns.
 *   x0       angle, radians
 *   returns  x0 plus the fewest whole turns 2*pi0 that make it
 *            non-negative, in [0, 2*pi0]; a non-negative x0 (also -0.0,
 *            NaN, +inf) comes back unchanged
 * Notes: the number of turns is found in one division and added in one
 * step (Cody-Waite split of the turn), so the cost does not depend on the
 * size of x0.  A tiny negative x0 (above about -2^-51) gives 2*pi0
 * exactly.  -inf gives NaN.
 * Reference: Cody & Waite, Software Manual for the Elementary Functions
 * (1980), argument reduction. */
double norm2pi(double x0) {
    if (!(x0 < 0.0)) return x0;
    const double k = std::ceil(-x0 / kTurn);  // turns needed, >= 1
    double x;
    if (k < 134217728.0) {  // 2^27: k * kTurnHi is exact
        x = (x0 + k * kTurnHi) + k * kTurnLo;
    } else {
        x = x0 + k * kTurn;
    }
    // The quotient may round one turn short or over.
    if (x < 0.0) x = x + kTurn;
    if (x > kTurn) x = x - kTurn;
    if (x == 0.0) x = 0.0;  // an exact whole turn gives +0
    return x;
}

/* cost - cosine of an angle in radians.
 *   x        angle, radians
 *   returns  cos x
 * Notes: the angle goes to the library cosine in one call, which reduces
 * it itself; the cost is the same for any argument and the result is the
 * cosine of norm2pi(x) up to rounding.  NaN and infinities give NaN.
 * Reference: Bretagnon & Francou (1988), VSOP87 (terms A cos(B + C t)). */
double cost(double x) {
    return std::cos(x);
}

/* sind - sine of an angle in degrees.
 *   x        angle, degrees
 *   returns  sin x
 * Notes: x times pi0/180, then the library sine. */
double sind(double x) {
    return std::sin(d2r0 * x);
}

/* cosd - cosine of an angle in degrees.
 *   x        angle, degrees
 *   returns  cos x
 * Notes: x times pi0/180, then the library cosine. */
double cosd(double x) {
    return std::cos(d2r0 * x);
}

/* tand - tangent of an angle in degrees.
 *   x        angle, degrees
 *   returns  tan x
 * Notes: x times the fixed factor 0.017453292519943278, then the library
 * tangent. */
double tand(double x) {
    return std::tan(d2r_tan * x);
}

/* trunc2 - reduce an angle to one turn.
 *   x        angle, radians
 *   returns  (q - floor q) * 2 pi with q = x / 2 pi, in [0, 2 pi); 2 pi
 *            itself when q rounds into [-2^-54, 0); NaN for NaN or an
 *            infinite x
 * Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 1. */
double trunc2(double x) {
    const double pi = pi0;
    const double pi2 = pi + pi;
    const double q = x / pi2;
    return (q - std::floor(q)) * pi2;
}

/* cxangle - split a signed decimal angle or hour into sexagesimal parts.
 *   w0   decimal degrees or hours, |w0| < 2^31
 *   ig0  whole degrees, truncated, with the sign of w0 (output)
 *   im0  whole minutes, truncated, with the sign of w0 (output)
 *   sm0  decimal minutes of the fraction of a degree, with the sign of w0
 *        (output)
 *   ss0  decimal seconds of the fraction of a minute, with the sign of w0
 *        (output)
 * Notes: nothing is rounded and nothing carries (1.99 gives 1 deg 59.4').
 * For |w0| < 1 the whole part is 0 and carries no sign.  An argument out
 * of range (|w0| >= 2^31 or NaN) gives the largest int with the sign of
 * w0 (NaN: 0) and zero minutes and seconds.
 * Reference: Meeus, Astronomical Algorithms, 2nd ed., ch. 1 ("sexagesimal
 * notation"). */
void cxangle(double w0, int* ig0, int* im0, double* sm0, double* ss0) {
    const int isign = (w0 < 0.0) ? -1 : 1;
    const double z0 = std::fabs(w0);
    if (!(z0 < 2147483648.0)) {
        *ig0 = (z0 == z0) ? INT_MAX * isign : 0;
        *im0 = 0;
        *sm0 = 0.0;
        *ss0 = 0.0;
        return;
    }
    const int ig = static_cast<int>(z0);
    const double xmin = (z0 - ig) * 60.0;
    const int im = static_cast<int>(xmin);
    const double xsec = (xmin - im) * 60.0;
    *ig0 = ig * isign;
    *im0 = im * isign;
    *sm0 = isign * xmin;
    *ss0 = isign * xsec;
}

/* cxround - ready sexagesimal parts for printing at a given precision.
 *   ndec  decimals printed of the last unit (clamped to 0..9)
 *   ig0   whole degrees or hours (in/out)
 *   im0   whole minutes (in/out); nullptr when the last unit printed is
 *         the decimal minutes
 *   x0    decimal minutes (im0 nullptr) or decimal seconds (in/out)
 * Notes: the split of cxangle truncates, so a value a hair below a whole
 * minute or degree leaves 59.99999... in its last unit, which a print
 * rounded to ndec decimals shows as "60.00".  When the last unit rounds to
 * 60 at ndec decimals (decided by the same conversion the print uses), it
 * becomes +0 and one unit is carried away from zero into the unit above,
 * seconds into minutes and, when those reach 60, on into degrees.  The
 * sign is that of the first part that is not zero (degrees, minutes, last
 * unit), as cxangle and the dialog's degrees-and-minutes values give it.
 * Parts that do not round to 60 are left exactly as they are, so they
 * print as before.  A whole part at the end of the int range is left
 * alone. */
void cxround(int ndec, int* ig0, int* im0, double* x0) {
    if (ndec < 0) ndec = 0;
    if (ndec > 9) ndec = 9;
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", ndec, std::fabs(*x0));
    if (!(std::strtod(text, nullptr) >= 60.0)) return;  // also NaN
    int sign = 1;
    if (*ig0 != 0) {
        sign = (*ig0 < 0) ? -1 : 1;
    } else if (im0 != nullptr && *im0 != 0) {
        sign = (*im0 < 0) ? -1 : 1;
    } else if (*x0 < 0.0) {
        sign = -1;
    }
    if (*ig0 == INT_MAX || *ig0 == INT_MIN) return;
    *x0 = 0.0;
    if (im0 != nullptr) {
        *im0 += sign;
        if (*im0 != 60 && *im0 != -60) return;
        *im0 = 0;
    }
    *ig0 += sign;
}

/* angcheck - test for an azimuth close to the meridian.
 *   w0       azimuth, degrees
 *   returns  999 when w0 lies within 0.1 degree of 0 or 180 (mod 360),
 *            else 0
 * Notes: both tests are strict, on differences as computed in double
 * precision.  Used to avoid the tangent of a line of position that runs
 * almost east-west. */
int angcheck(double w0) {
    double www = norm360(w0);
    int ivert = 0;
    if (std::fabs(www - 180.0) < 0.1) ivert = 999;
    www = norm360(www - 180.0);
    if (std::fabs(www - 180.0) < 0.1) ivert = 999;
    return ivert;
}

} // namespace lunarfix
