// Apparent place of Venus, Mars, Jupiter and Saturn from the VSOP87D
// series of the planet and of the Earth.
#include "ephemeris/planets.h"

#include <cmath>
#include <ostream>

#include "foundations/console_io.h"
#include "foundations/foundations.h"
#include "series/series.h"

namespace lunarfix {

namespace {

constexpr double kDtr = d2r0;
constexpr double kRtd = r2d0;

// Light time for one astronomical unit, days (Meeus, eq. 33.3).
constexpr double kLightTimePerAU = 0.0057755183;

// Shift of the Sun's longitude to FK5, degrees (0.09″ rounded).
constexpr double kSunLongShift = 2.5e-5;

// FK5 reduction of VSOP87 places (Meeus, eq. 32.3).
constexpr double kFk5Lambda1 = 1.397;     // degrees per century
constexpr double kFk5Lambda2 = 0.00031;   // degrees per century²
constexpr double kFk5LongShift = -0.09033;  // arcseconds
constexpr double kFk5Term = 0.03916;      // arcseconds

// Horizontal parallax at 1 AU, arcseconds.
constexpr double kParallax1AU = 8.794;

// Body codes of the planets.
constexpr int kVenus = 4;
constexpr int kMars = 5;
constexpr int kJupiter = 6;
constexpr int kSaturn = 7;

// Rectangular ecliptic coordinates (AU) of a place given by its longitude
// and latitude (degrees) and its distance (AU).
void rectangular(double L, double B, double R, double* x, double* y,
                 double* z)
{
    *x = R * cosd(B) * cosd(L);
    *y = R * cosd(B) * sind(L);
    *z = R * sind(B);
}

// Heliocentric longitude, latitude (degrees) and radius vector (AU) of a
// planet at Tau, the three series called in that order.
void heliocentric(int idplanet, double tau, double* L, double* B, double* R)
{
    switch (idplanet) {
    case kVenus:
        *L = Lvenus(tau);
        *B = Bvenus(tau);
        *R = Rvenus(tau);
        break;
    case kMars:
        *L = Lmars(tau);
        *B = Bmars(tau);
        *R = Rmars(tau);
        break;
    case kJupiter:
        *L = Ljupiter(tau);
        *B = Bjupiter(tau);
        *R = Rjupiter(tau);
        break;
    default:  // kSaturn; the caller has checked the code
        *L = Lsaturn(tau);
        *B = Bsaturn(tau);
        *R = Rsaturn(tau);
        break;
    }
}

// Geocentric rectangular ecliptic place (AU) of a planet at Tau: its
// heliocentric place less the Earth's (xe, ye, ze).
void geocentric(int idplanet, double tau, double xe, double ye, double ze,
                double* x, double* y, double* z)
{
    double L, B, R;
    heliocentric(idplanet, tau, &L, &B, &R);
    rectangular(L, B, R, x, y, z);
    *x -= xe;
    *y -= ye;
    *z -= ze;
}

}  // namespace

void planeteph(int idplanet, double DeltaT0, int ky, int km, int kd,
               int kth, int ktm, int kts, double* delta1, double* grts1,
               double* grtg1, double* alfa1, double* hpar1)
{
    if (idplanet < kVenus || idplanet > kSaturn) {
        *console().out << "\n Unknown planet code " << idplanet
                       << " (4 Venus, 5 Mars, 6 Jupiter, 7 Saturn):"
                          " no planet computed!\n";
        *delta1 = 0.0;
        *grts1 = 0.0;
        *grtg1 = 0.0;
        *alfa1 = 0.0;
        *hpar1 = 0.0;
        return;
    }
    // Jupiter and Saturn keep the instant's epoch and distance after the
    // light-time pass; Venus and Mars move on with the retarded ones.
    const bool retard_epoch = idplanet == kVenus || idplanet == kMars;

    // Time.
    const double JD = julday(ky, km, kd, kth, ktm, kts);
    double JDE = JD + DeltaT0 / kSecondsPerDay;
    const double TEinstant = (JDE - kJ2000) / kDaysPerCentury;
    double TE = TEinstant;  // Venus, Mars: retarded below
    double TE2 = TE * TE;
    const double Tau = TE / 10.0;

    double dpsi, deps, eps0, eps;
    Nutation(TE, &dpsi, &deps, &eps0, &eps);

    // Sidereal time (IAU 1982), T² and T³ terms from centuries of TT.
    const double GHAAtrue = apparent_sidereal(JD, TE, dpsi, eps);

    // Earth, and the Sun's geocentric longitude.
    const double L0 = Learth(Tau);
    const double B0 = Bearth(Tau);
    const double R0 = Rearth(Tau);
    const double Lsun_true = norm360((180.0 + L0) - kSunLongShift);
    double xe, ye, ze;
    rectangular(L0, B0, R0, &xe, &ye, &ze);

    // Planet at the instant: geocentric rectangular ecliptic place (AU).
    double x, y, z;
    geocentric(idplanet, Tau, xe, ye, ze, &x, &y, &z);
    double d = std::sqrt(x * x + y * y + z * z);
    const double lt = kLightTimePerAU * d;

    // Once more at the instant less the light time.
    double Tau_corr;
    if (retard_epoch) {
        JDE = JDE - lt;
        TE = (JDE - kJ2000) / kDaysPerCentury;
        TE2 = TE * TE;
        Tau_corr = TE / 10.0;
    } else {
        Tau_corr = (JDE - lt - kJ2000) / kDaysPerMillennium;
    }
    geocentric(idplanet, Tau_corr, xe, ye, ze, &x, &y, &z);
    if (retard_epoch) d = std::sqrt(x * x + y * y + z * z);

    // Geocentric ecliptic longitude and latitude (radians).
    double lambda = std::atan2(y, x);
    double beta = std::atan(z / std::sqrt(x * x + y * y));

    // Annual aberration, its elements at the instant.
    double dl_ab, db_ab;
    annual_aberration(TEinstant, Lsun_true * kDtr, lambda, beta, &dl_ab,
                      &db_ab);
    lambda += dl_ab;
    beta += db_ab;

    // FK5 reduction (Meeus, eq. 32.3).
    const double lambda_prime = (lambda - kFk5Lambda1 * kDtr * TE)
                                - kFk5Lambda2 * kDtr * TE2;
    const double dl_fk5 = (kFk5LongShift
        + kFk5Term * (std::cos(lambda_prime) + std::sin(lambda_prime))
          * std::tan(beta)) * kDtr / 3600.0;
    const double db_fk5 = kFk5Term
        * (std::cos(lambda_prime) - std::sin(lambda_prime)) * kDtr / 3600.0;
    lambda += dl_fk5;
    beta += db_fk5;

    // Nutation in longitude.
    lambda += dpsi * kDtr;

    // Equator, true obliquity.
    double RAplanet = trunc2(std::atan2(std::sin(lambda) * cosd(eps)
                                        - std::tan(beta) * sind(eps),
                                        std::cos(lambda))) * kRtd;
    if (RAplanet >= 360.0) RAplanet -= 360.0;  // a full turn by rounding
    const double DECplanet = std::asin(std::sin(beta) * cosd(eps)
                                       + std::cos(beta) * sind(eps)
                                         * std::sin(lambda)) * kRtd;

    const double GHAplanet = norm360(GHAAtrue - RAplanet);
    const double HPplanet = kParallax1AU / d;

    *delta1 = DECplanet;
    *grts1 = GHAplanet;
    *grtg1 = GHAAtrue;
    *alfa1 = RAplanet;
    *hpar1 = HPplanet / 60.0;
}

}  // namespace lunarfix
