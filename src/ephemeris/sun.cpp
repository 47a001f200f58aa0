// Apparent place of the Sun from the VSOP87D Earth series, and a short
// sunrise/sunset estimate.
#include "ephemeris/sun.h"

#include <cmath>

#include "foundations/foundations.h"
#include "series/series.h"

namespace lunarfix {

namespace {

// Degrees per radian for the results of atan2 and asin: r2d_eph, 6e-14
// above 180/π (a relative 1e-15, far below a microarcsecond).
constexpr double kDegPerRad = r2d_eph;

// FK5 reduction of VSOP87 longitudes and latitudes (Meeus, eq. 32.3).
constexpr double kFk5LongShift = 2.5091666666666666e-5;  // 0.09033″ in degrees
constexpr double kFk5Lambda1 = 1.397;                    // deg per century
constexpr double kFk5Lambda2 = 0.00031;                  // deg per century²
constexpr double kFk5LatTerm = 0.03916;                  // arcseconds

// Annual aberration of the Sun: −20.4898″/R (Meeus, eq. 25.10), degrees.
constexpr double kSunAberration = 0.005691611;

// Semi-diameter and horizontal parallax of the Sun at 1 AU, arcseconds
// (Meeus, ch. 55 and 40).
constexpr double kSunSemiDiameter1AU = 959.63;
constexpr double kSunParallax1AU = 8.794;

}  // namespace

void suneph(double DeltaT0, int ky, int km, int kd, int kth, int ktm,
            int kts, double* delta1, double* grts1, double* grtg1,
            double* alfa1, double* HPsun1, double* SDsun1, double* jdesun)
{
    // Time: JD of UT, centuries of UT for sidereal time, JDE and TE of TT.
    const double JD = julday(ky, km, kd, kth, ktm, kts);
    const double T = (JD - kJ2000) / kDaysPerCentury;
    const double JDE = JD + DeltaT0 / kSecondsPerDay;
    const double TE = (JDE - kJ2000) / kDaysPerCentury;
    const double TE2 = TE * TE;
    const double Tau = TE * 0.1;

    double dpsi, deps, eps0, eps;
    Nutation(TE, &dpsi, &deps, &eps0, &eps);

    // Sidereal time (IAU 1982), mean and apparent, T² and T³ terms from
    // centuries of UT.
    const double GHAAtrue = apparent_sidereal(JD, T, dpsi, eps);

    // Heliocentric Earth; the Sun is seen from it at L + 180°, latitude −B.
    const double L = Learth(Tau);
    const double B = Bearth(Tau);
    const double R = Rearth(Tau);

    // FK5 frame.
    const double Lsun1 = norm360(((180.0 + L) - kFk5Lambda1 * TE)
                                 - kFk5Lambda2 * TE2);
    const double Lsun0 = norm360((180.0 + L) - kFk5LongShift);
    const double beta = norm360(-B)
        + (cosd(Lsun1) - sind(Lsun1)) * kFk5LatTerm / 3600.0;

    // Nutation in longitude and aberration.
    const double lambda_sun = norm360((dpsi + Lsun0) - kSunAberration / R);

    // Ecliptic to equator with the true obliquity.
    const double RAsun = norm360(
        std::atan2(sind(lambda_sun) * cosd(eps) - tand(beta) * sind(eps),
                   cosd(lambda_sun)) * kDegPerRad);
    const double DECsun = std::asin(sind(beta) * cosd(eps)
                                    + cosd(beta) * sind(eps) * sind(lambda_sun))
                          * kDegPerRad;
    const double GHAsun = norm360(GHAAtrue - RAsun);

    const double SDsun = kSunSemiDiameter1AU / R;
    const double HPsun = kSunParallax1AU / R;

    *delta1 = DECsun;
    *grts1 = GHAsun;
    *grtg1 = GHAAtrue;
    *alfa1 = RAsun;
    *HPsun1 = HPsun / 60.0;
    *SDsun1 = SDsun / 60.0;
    *jdesun = JDE;
}

namespace {

// π rounded to 13 decimals, pi_13 (7e-15 above π, a relative 2e-15, far
// below the precision that sunrise and sunset are given to), and the
// degree factors formed from it.
constexpr double kPiS = pi_13;
constexpr double kDtr = kPiS / 180.0;
constexpr double kRtd = 1.0 / kDtr;

// Reduces an angle in radians to [0, 2π) in one step.
double reduce_turn(double x)
{
    const double turn = 2.0 * kPiS;
    double r = x - turn * std::floor(x / turn);
    if (r >= turn) r -= turn;  // rounding of a tiny negative x
    if (r < 0.0) r = 0.0;
    return r;
}

}  // namespace

double suntime(int year, int month, int day, double Lange, double Breite,
               int* srd, int* srm, int* ssd, int* ssm, int* Ar, int* As,
               int* D)
{
    // A position that is not a number has no rising or setting: read it
    // as a day without a crossing rather than convert NaN to int.
    if (!std::isfinite(Lange) || !std::isfinite(Breite)) {
        *srd = 0;
        *srm = 0;
        *ssd = 0;
        *ssm = 0;
        *Ar = 0;
        *As = 360;
        *D = 0;
        return 0.0;
    }

    // Sun at 12h UT of the date; centuries from J2000.0, no ΔT.
    const double jd = julday(year, month, day, 12, 0, 0);
    const double T = (jd - kJ2000) / kDaysPerCentury;

    if (Breite > 89.99) Breite = 89.99;
    if (Breite < -89.99) Breite = -89.99;
    const double B = kPiS * Breite / 180.0;
    const double h = kPiS * (-0.83) / 180.0;  // Sun's centre at rise/set

    // Mean anomaly and ecliptic longitude (short series, radians).
    const double pi2 = 2.0 * kPiS;
    const double M = reduce_turn(pi2 * (0.993133 + 99.997361 * T));
    const double L = reduce_turn(
        pi2 * (0.7859453 + M / pi2
               + (6893.0 * std::sin(M) + 72.0 * std::sin(2.0 * M)
                  + 6191.2 * T) / 1296000.0));

    // Obliquity of the ecliptic (radians).
    const double eob = pi2 * (23.43929111
                              + (-46.815 * T - 0.00059 * T * T
                                 + 0.001813 * T * T * T) / 3600.0) / 360.0;

    const double DK = std::asin(std::sin(eob) * std::sin(L));

    // Right ascension in hours, in the quadrant of L.
    double RA = std::atan(std::tan(L) * std::cos(eob));
    if (RA < 0.0) RA += kPiS;
    if (L > kPiS) RA += kPiS;
    RA = RA * 3.81972;

    // Right ascension of the mean Sun (hours) and equation of time.  The
    // latter is not reduced: a value near ±24 h falls out in the fmod of
    // the rising and setting times below.
    const double RAm = std::fmod(18.71506921 + 2400.0513369 * T
                                 + (2.5862e-5 - 1.72e-9 * T) * (T * T), 24.0);
    const double Zeitgl = (RAm - RA) * 1.0027379;

    // Hour angle of rising; ±1 beyond means no crossing on this day.
    double aux = (std::sin(h) - std::sin(B) * std::sin(DK))
                 / (std::cos(B) * std::cos(DK));
    if (aux > 1.0 || aux < -1.0) aux = -1.0;
    const double Zd = 12.0 * std::acos(aux) / kPiS;

    double sr = std::fmod((12.0 - Zd - Zeitgl) - Lange / 15.0, 24.0);
    double ss = std::fmod((12.0 + Zd - Zeitgl) - Lange / 15.0, 24.0);

    // Azimuth of rising from north: cos A = sin δ / cos φ.
    double h2 = std::sin(DK) / std::cos(kDtr * Breite);
    if (h2 > 1.0) h2 = 1.0;
    if (h2 < -1.0) h2 = -1.0;
    const double h1 = std::acos(h2) * kRtd;

    if (sr < 0.0) sr += 24.0;
    if (ss < 0.0) ss += 24.0;
    // A tiny negative remainder plus 24 may round to 24 itself.
    if (sr >= 24.0) sr -= 24.0;
    if (ss >= 24.0) ss -= 24.0;

    const bool no_crossing = aux < -0.999999999;
    if (no_crossing) {
        sr = 0.0;
        ss = 0.0;
    }

    const int isrd = static_cast<int>(sr);
    const int isrm = static_cast<int>((sr - isrd) * 60.0);
    const int issd = static_cast<int>(ss);
    const int issm = static_cast<int>((ss - issd) * 60.0);

    const int iAr = static_cast<int>(std::round(h1));
    const int iAs = 360 - iAr;

    // Twilight: a rough rule in the latitude; none without a crossing.
    int iD = static_cast<int>(0.01 * Breite * Breite + 20.0);
    if (no_crossing) iD = 0;

    *srd = isrd;
    *srm = isrm;
    *ssd = issd;
    *ssm = issm;
    *Ar = iAr;
    *As = iAs;
    *D = iD;
    return 0.0;
}

}  // namespace lunarfix
