// Nutation and obliquity, aberration elements, equation of time.
#include <gtest/gtest.h>

#include <cmath>

#include "foundations/foundations.h"
#include "test_support.h"

using namespace lunarfix;
using namespace lunarfix_test;

namespace {

struct NutationOut {
    double dpsi, deps, eps0, eps;
};

NutationOut nutation_at(double TE) {
    NutationOut r{};
    Nutation(TE, &r.dpsi, &r.deps, &r.eps0, &r.eps);
    return r;
}

} // namespace

TEST(Nutation, J2000) {
    const NutationOut n = nutation_at(0.0);
    EXPECT_EQ(n.eps0, 84381.448 / 3600.0);  // the polynomial's constant
    EXPECT_EQ(n.eps, n.eps0 + n.deps);
    // IAU 1980 series at J2000.0 (astronomia 4.2.0, Meeus's 63 largest
    // terms): -13.923153", -5.773910".
    EXPECT_NEAR(n.dpsi, -13.923153 * arcsec, 0.002 * arcsec);
    EXPECT_NEAR(n.deps, -5.773910 * arcsec, 0.002 * arcsec);
}

// Meeus, Astronomical Algorithms, 2nd ed., example 22.a: 1987 April 10,
// 0h TT, with the complete IAU 1980 series.
TEST(Nutation, PublishedExample1987) {
    const double TE = (julday(1987, 4, 10, 0, 0, 0) - 2451545.0) / 36525.0;
    EXPECT_NEAR(TE, -0.127296372348, 1e-12);
    const NutationOut n = nutation_at(TE);
    EXPECT_NEAR(n.dpsi, -3.788 * arcsec, 0.001 * arcsec);
    EXPECT_NEAR(n.deps, 9.443 * arcsec, 0.001 * arcsec);
    EXPECT_NEAR(n.eps0, dms(+1, 23, 26, 27.407), 0.001 * arcsec);
    // The published sum of two values rounded to 0.001".
    EXPECT_NEAR(n.eps, dms(+1, 23, 26, 36.850), 0.0015 * arcsec);
}

// SOFA/ERFA test of the IAU 1980 nutation (nut80) at MJD 53736.0 TT:
// dpsi = -0.9643658353226563966e-5 rad, deps = 0.4060051006879713322e-4 rad.
TEST(Nutation, AllTermsAgainstSofaReference) {
    const double TE = (2453736.5 - 2451545.0) / 36525.0;
    const NutationOut n = nutation_at(TE);
    const double rad = 180.0 / pi0 * degree;
    EXPECT_NEAR(n.dpsi, -0.9643658353226563966e-5 * rad, 1e-7 * arcsec);
    EXPECT_NEAR(n.deps, 0.4060051006879713322e-4 * rad, 1e-7 * arcsec);
}

// Independent evaluation with astronomia 4.2.0 (nutation.nutation, Meeus's
// 63 largest terms; the 43 smaller terms add less than 0.001").
TEST(Nutation, FarFromJ2000) {
    struct Ref {
        double TE, dpsi, deps;
    };
    const Ref refs[] = {
        {-10.0, -7.492540, 7.701554},
        {-2.0, -8.495385, 7.148338},
        {0.5, 15.166060, -5.331981},
        {10.0, 12.746258, -7.153942},
    };
    for (const Ref& r : refs) {
        const NutationOut n = nutation_at(r.TE);
        EXPECT_NEAR(n.dpsi, r.dpsi * arcsec, 0.002 * arcsec) << r.TE;
        EXPECT_NEAR(n.deps, r.deps * arcsec, 0.002 * arcsec) << r.TE;
    }
}

TEST(Nutation, ObliquityPolynomial) {
    // u = 1 (10000 years): the sum of the coefficients.
    const double sum = 84381.448 - 4680.93 - 1.55 + 1999.25 - 51.38 - 249.67 -
                       39.05 + 7.12 + 27.87 + 5.79 + 2.45;
    EXPECT_NEAR(nutation_at(100.0).eps0, sum * arcsec, 1e-9 * arcsec);
    // u = -0.5
    double u = -0.5, p = 0.0;
    const double c[] = {2.45, 5.79, 27.87, 7.12, -39.05, -249.67, -51.38,
                        1999.25, -1.55, -4680.93, 84381.448};
    for (double k : c) p = p * u + k;
    EXPECT_NEAR(nutation_at(-50.0).eps0, p * arcsec, 1e-9 * arcsec);
}

TEST(Nutation, RepeatableAndBounded) {
    const double TEs[] = {-30.0, -12.5, -0.2, 0.0, 0.137, 7.5, 40.0};
    for (double TE : TEs) {
        const NutationOut a = nutation_at(TE);
        const NutationOut b = nutation_at(TE);
        EXPECT_EQ(a.dpsi, b.dpsi);
        EXPECT_EQ(a.deps, b.deps);
        EXPECT_EQ(a.eps0, b.eps0);
        EXPECT_EQ(a.eps, b.eps);
        EXPECT_LT(std::fabs(a.dpsi), 20.0 * arcsec) << TE;
        EXPECT_LT(std::fabs(a.deps), 11.0 * arcsec) << TE;
        EXPECT_EQ(a.eps, a.eps0 + a.deps);
    }
}

TEST(Aberration, Elements) {
    double kappa, peri, eab;
    Aberration(0.0, &kappa, &peri, &eab);
    EXPECT_EQ(kappa, 0.0056932);
    EXPECT_EQ(peri, 102.93735);
    EXPECT_EQ(eab, 0.016708634);
    double k2, p2, e2;
    Aberration(-2.0, &k2, &p2, &e2);
    EXPECT_EQ(k2, 0.0056932);
    EXPECT_NEAR(p2, 102.93735 - 2 * 1.71946 + 4 * 0.00046, 1e-12 * degree);
    EXPECT_NEAR(peri - p2, 3.4, 0.05 * degree);
    EXPECT_GT(e2, eab);
    EXPECT_NEAR(e2, 0.016708634 + 2 * 0.000042037 - 4 * 0.0000001267, 1e-15);
}

TEST(EquOfTime, Signs) {
    EXPECT_NEAR(equ_of_time(12, 0, 0, 4.0, 0.0), 16.0 * minute, 1e-12 * hour);
    EXPECT_NEAR(equ_of_time(12, 0, 0, 356.0, 0.0), -16.0 * minute, 1e-12 * hour);
    EXPECT_NEAR(equ_of_time(0, 0, 0, 184.0, 0.0), 16.0 * minute, 1e-12 * hour);
    EXPECT_EQ(equ_of_time(12, 0, 0, 10.0, 6.0), equ_of_time(12, 0, 0, 4.0, 0.0));
    EXPECT_EQ(equ_of_time(12, 0, 0, 180.0, 0.0), 0.0);
    // Right ascension beyond sidereal time: the hour angle is reduced first.
    EXPECT_NEAR(equ_of_time(12, 0, 0, 2.0, 358.0), 16.0 * minute, 1e-12 * hour);
    // Minutes and seconds of the clock time count: half a minute earlier,
    // the apparent Sun is half a minute further ahead.
    EXPECT_NEAR(equ_of_time(11, 59, 30, 0.0, 356.0), 16.5 * minute, 1e-12 * hour);
    EXPECT_NEAR(equ_of_time(12, 1, 15, 4.0, 0.0), 14.75 * minute, 1e-12 * hour);
}

TEST(EquOfTime, ClockTimesOutsideADay) {
    EXPECT_NEAR(equ_of_time(-20, 0, 0, 300.0, 0.0), 4.0 * hour, 1e-12 * hour);
    EXPECT_NEAR(equ_of_time(40, 0, 0, 0.0, 0.0), -4.0 * hour, 1e-12 * hour);
    // 24 h and later within 36 h: still brought into (-12, 12).
    EXPECT_NEAR(equ_of_time(24, 0, 0, 184.0, 0.0), 16.0 * minute, 1e-12 * hour);
}
