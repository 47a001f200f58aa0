// Altitude corrections, sight reduction and lunar distances.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "navigation/navcalc.h"
#include "test_support.h"

namespace {

using namespace lunarfix;

using lunarfix_test::arcmin;
using lunarfix_test::arcsec;
using lunarfix_test::deg;
// The altitude corrections themselves are reported in arcminutes.
constexpr double am = 1.0;
constexpr double kPi = 3.141592653589793;
constexpr double rad = 180.0 / kPi;  // degrees per radian

double R1ref(double h) {  // cotangent refraction formula, arcmin
    double t = std::tan(h / rad);
    return 0.96474 / t - 0.00113 / (t * t * t);
}
double R2ref(double h) {  // low-altitude refraction formula, arcmin
    return (34.133 + 4.197 * h + 0.00428 * h * h) /
           (1.0 + 0.505 * h + 0.0845 * h * h);
}

struct Corr {
    double Ho, HP1, dip1, r1, SD1, gb1;
};

Corr besch(int iur, double Lati, double Azi, double ha0, double indb,
           double t, double p, double aug, double SDiam, double HorPar) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Corr c{nan, nan, nan, nan, nan, nan};
    c.Ho = BESCHICKUNG(1, iur, Lati, Azi, ha0, indb, t, p, aug, SDiam, HorPar,
                       &c.HP1, &c.dip1, &c.r1, &c.SD1, &c.gb1);
    return c;
}

bool all_finite(const Corr& c) {
    return std::isfinite(c.Ho) && std::isfinite(c.HP1) &&
           std::isfinite(c.dip1) && std::isfinite(c.r1) &&
           std::isfinite(c.SD1) && std::isfinite(c.gb1);
}

// ---------------------------------------------------------------- refraction

TEST(AltitudeCorrections, RefractionBranchAtFifteenDegrees) {
    // Exactly 15 deg of sextant altitude: cotangent formula.
    Corr a = besch(8, 0, 0, 15.0, 0, 10, 1010, 0, 0, 0);
    EXPECT_NEAR(a.r1, R1ref(15.0), 1e-9 * am);
    EXPECT_GT(std::fabs(a.r1 - R2ref(15.0)), 0.005 * am);  // the branches differ
    // Just below: low-altitude formula, even when the index correction lifts
    // the corrected altitude above 15 deg.
    Corr b = besch(8, 0, 0, 14.99, 60.0, 10, 1010, 0, 0, 0);
    EXPECT_NEAR(b.r1, R2ref(15.99), 1e-9 * am);
    // From 15 deg a negative index correction keeps the cotangent formula
    // while the altitude stays at 10 deg or above...
    Corr c = besch(8, 0, 0, 15.0, -240.0, 10, 1010, 0, 0, 0);
    EXPECT_NEAR(c.r1, R1ref(11.0), 1e-9 * am);
}

TEST(AltitudeCorrections, HugeNegativeIndexCorrectionStaysFinite) {
    // ...and below 10 deg falls back to the low-altitude formula.
    Corr a = besch(8, 0, 0, 20.0, -900.0, 10, 1010, 0, 0, 0);
    EXPECT_NEAR(a.r1, R2ref(5.0), 1e-9 * am);
    for (double indb : {-888.0, -900.0, -1200.0, -1201.0}) {
        Corr c = besch(2, 40, 100, 20.0, indb, 10, 1010, 10, 0, 57);
        EXPECT_TRUE(all_finite(c)) << indb;
        EXPECT_GT(c.r1, 0.0) << indb;
    }
    // Far below the horizon the number has no meaning, but is a number.
    for (double indb : {-2000.0, -3000.0, -6000.0})
        EXPECT_TRUE(all_finite(besch(3, 40, 100, 20.0, indb, 10, 1010, 10, 0, 57)));
    // At 10 deg the two formulas nearly agree, so the switch is smooth.
    EXPECT_NEAR(R1ref(10.0), R2ref(10.0), 0.02 * am);
}

TEST(AltitudeCorrections, StarAtForty) {
    Corr c = besch(8, 50, 123, 40.0, 0, 10, 1010, 0, 0, 0);
    EXPECT_EQ(c.dip1, 0.0);
    EXPECT_EQ(c.SD1, 0.0);
    EXPECT_EQ(c.HP1, 0.0);
    lunarfix_test::expect_between(c.r1, 1.0, 1.2);
    EXPECT_NEAR(c.r1, R1ref(40.0), 1e-9 * am);
    EXPECT_NEAR(c.gb1, -c.r1, 1e-9 * am);
    EXPECT_NEAR(c.Ho, 40.0 - c.r1 / 60.0, 1e-9 * arcsec);
}

TEST(AltitudeCorrections, SunLowerLimb) {
    Corr c = besch(0, 30, 200, 10.0, -1.5, 10, 1010, 4, 16.0, 0.15);
    EXPECT_DOUBLE_EQ(c.dip1, 3.52);
    const double H2 = 10.0 - 1.5 / 60.0 - 3.52 / 60.0;
    EXPECT_NEAR(c.r1, R2ref(H2), 1e-9 * am);
    EXPECT_DOUBLE_EQ(c.SD1, 16.0);  // given, not augmented
    lunarfix_test::expect_between(c.HP1, 0.14, 0.15);
    // Ho from the parts: apparent altitude, refraction, semi-diameter,
    // parallax.
    EXPECT_NEAR(c.Ho, H2 - c.r1 / 60.0 + 16.0 / 60.0 + c.HP1 / 60.0,
                1e-9 * arcsec);
    EXPECT_NEAR(c.gb1, 60.0 * (c.Ho - 10.0), 1e-9 * am);
    // Upper limb: same size, subtracted, reported without sign.
    Corr u = besch(1, 30, 200, 10.0, -1.5, 10, 1010, 4, 16.0, 0.15);
    EXPECT_DOUBLE_EQ(u.SD1, 16.0);
    EXPECT_NEAR((c.Ho - u.Ho) * 60.0, 32.0, 0.01 * am);
}

TEST(AltitudeCorrections, MoonLowerAndUpperLimb) {
    const double ha0 = 24.0 + 14.0 / 60.0;
    Corr lo = besch(2, 44.78, 120, ha0, 0, 16.1, 1026.4, 1.83, 0, 57.0);
    Corr up = besch(3, 44.78, 120, ha0, 0, 16.1, 1026.4, 1.83, 0, 57.0);
    EXPECT_EQ(lo.dip1, up.dip1);
    EXPECT_EQ(lo.r1, up.r1);
    EXPECT_NEAR(lo.dip1, 1.76 * std::sqrt(1.83), 1e-12 * am);
    // The semi-diameter is read from the parallax, not from SDiam.
    Corr lo2 = besch(2, 44.78, 120, ha0, 0, 16.1, 1026.4, 1.83, 99.0, 57.0);
    EXPECT_EQ(lo.SD1, lo2.SD1);
    // Augmented semi-diameter: geocentric value times about
    // 1 + sin(h) sin(HP).
    const double HP = 57.0 / 60.0 / rad;
    const double sdgeo = std::asin(0.2725 * std::sin(HP)) * rad * 60.0;
    const double aug = sdgeo * (1.0 + std::sin(ha0 / rad) * std::sin(HP));
    EXPECT_NEAR(lo.SD1, aug, 0.01 * am);
    EXPECT_NEAR(up.SD1, aug, 0.01 * am);
    EXPECT_GT(lo.SD1, sdgeo + 0.05 * am);
    // Both positive; they differ slightly, as do the parallaxes.
    EXPECT_GT(up.SD1, 0.0);
    EXPECT_NE(lo.SD1, up.SD1);
    EXPECT_LT(std::fabs(lo.SD1 - up.SD1), 0.01 * am);
    EXPECT_GT(std::fabs(lo.HP1 - up.HP1), 0.05 * am);
    // Upper limb lower by about twice the semi-diameter.
    EXPECT_NEAR((lo.Ho - up.Ho) * 60.0, 2.0 * lo.SD1, 0.5 * am);
    // Parallax in altitude about HP cos(h), within the oblateness term.
    const double H4 = lo.Ho - lo.HP1 / 60.0;
    EXPECT_NEAR(lo.HP1, std::asin(std::sin(HP) * std::cos(H4 / rad)) * rad * 60,
                0.0034 * 57.0 * am);
}

TEST(AltitudeCorrections, ZeroPressureRemovesRefractionButReportsIt) {
    Corr c = besch(8, 10, 10, 30.0, 2.0, 10, 0.0, 9, 0, 0);
    EXPECT_NEAR(c.r1, R1ref(30.0 + 2.0 / 60.0 - 1.76 * 3.0 / 60.0), 1e-9 * am);
    EXPECT_GT(c.r1, 1.0);
    EXPECT_NEAR(c.Ho, 30.0 + 2.0 / 60.0 - 5.28 / 60.0, 1e-9 * arcsec);
    // Temperature and pressure scale what is applied.
    Corr cold = besch(8, 10, 10, 30.0, 2.0, -10, 1030, 9, 0, 0);
    const double fR = 283.15 * 1030.0 / (263.15 * 1010.0);
    EXPECT_NEAR(cold.Ho, 30.0 + 2.0 / 60.0 - 5.28 / 60.0 - fR * cold.r1 / 60.0,
                1e-9 * arcsec);
}

// ---------------------------------------------------------------- HcAz

struct Red {
    double lha, hc, az;
};
Red reduce(double lat, double lon, double dec, double gha) {
    Red r{-1, -1, -1};
    HcAz(lat, lon, dec, gha, &r.lha, &r.hc, &r.az);
    return r;
}

// Altitude and azimuth from the body's direction vector in the observer's
// east-north-up frame.
void enu(double lat, double dec, double lha, double* hc, double* az) {
    const double p = lat / rad, d = dec / rad, t = lha / rad;
    const double e = -std::cos(d) * std::sin(t);
    const double n = std::cos(p) * std::sin(d) - std::sin(p) * std::cos(d) * std::cos(t);
    const double u = std::sin(p) * std::sin(d) + std::cos(p) * std::cos(d) * std::cos(t);
    *hc = std::atan2(u, std::hypot(e, n)) * rad;
    *az = std::atan2(e, n) * rad;
    if (*az < 0) *az += 360.0;
}

// Expects the reduction at latitude lat to agree with the direction vector.
void expect_as_direction_vector(double lat, double dec, const Red& r, double tol_hc,
                                double tol_az) {
    double hc, az;
    enu(lat, dec, r.lha, &hc, &az);
    EXPECT_NEAR(r.hc, hc, tol_hc);
    EXPECT_NEAR(r.az, az, tol_az) << lat << " " << dec << " " << r.lha;
}

TEST(SightReduction, EastAndWestOfTheMeridian) {
    Red e = reduce(44.78, -17.19, 10.0, 300.0);
    EXPECT_NEAR(e.lha, 300.0 - 17.19, 1e-9 * arcsec);
    lunarfix_test::expect_between(e.az, 90.0, 110.0);
    expect_as_direction_vector(44.78, 10.0, e, 1e-6 * arcsec, 1e-6 * arcsec);

    Red w = reduce(44.78, -17.19, 10.0, 60.0);
    EXPECT_NEAR(w.lha, 60.0 - 17.19, 1e-9 * arcsec);
    lunarfix_test::expect_between(w.az, 180.0, 360.0);
    expect_as_direction_vector(44.78, 10.0, w, 1e-6 * arcsec, 1e-6 * arcsec);

    // Many positions against the direction vector.
    for (double lat = -80; lat <= 80; lat += 23.3)
        for (double dec = -60; dec <= 60; dec += 17.9)
            for (double gha = 3; gha < 360; gha += 41.7)
                expect_as_direction_vector(lat, dec, reduce(lat, 12.5, dec, gha),
                                           1e-4 * arcsec, 0.01 * arcsec);
}

TEST(SightReduction, LocalHourAngleWraps) {
    EXPECT_NEAR(reduce(10, -20, 5, 10).lha, 350.0, 1e-9 * arcsec);   // -10
    EXPECT_NEAR(reduce(10, 20, 5, 350).lha, 10.0, 1e-9 * arcsec);    // 370
    EXPECT_EQ(reduce(10, -20, 5, 20).lha, 0.0);              // 0
    Red r = reduce(10, 170, 5, 350);                         // 520
    EXPECT_NEAR(r.lha, 160.0, 1e-9 * arcsec);
}

TEST(SightReduction, NotANumberStaysNotANumber) {
    // A failed ephemeris must not come back as a body in the zenith or as
    // two bodies in one place.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    double lha = 0, hc = 0, az = 0;
    HcAz(44.78, -17.19, nan, 300.0, &lha, &hc, &az);
    EXPECT_TRUE(std::isnan(hc));
    EXPECT_TRUE(std::isnan(LDist(nan, 10.0, 20.0, 30.0)));
    EXPECT_TRUE(std::isnan(Lunaclear(40.0, nan, 30.0, 25.0, 30.0, 100.0,
                                     200.0, 0.9, 45.0)));
}

TEST(SightReduction, MeridianZenithAndPoleGiveNoNaN) {
    // Upper transit south and north of the observer, lower transit.
    Red s = reduce(40, 0, 10, 0);
    EXPECT_NEAR(s.hc, 60.0, 1e-6 * arcsec);
    EXPECT_NEAR(s.az, 180.0, 1e-6 * arcsec);
    Red n = reduce(40, 0, 60, 0);
    EXPECT_NEAR(n.hc, 70.0, 1e-6 * arcsec);
    EXPECT_NEAR(n.az, 0.0, 1e-6 * arcsec);
    Red l = reduce(60, 0, 80, 180);
    EXPECT_NEAR(l.hc, 50.0, 1e-6 * arcsec);
    EXPECT_NEAR(l.az, 0.0, 1e-6 * arcsec);
    // Any meridian passage gives exactly north or south.
    for (double lat = -89.5; lat < 90; lat += 7.1)
        for (double dec = -88.3; dec < 89; dec += 5.3)
            for (double gha : {0.0, 180.0}) {
                Red r = reduce(lat, -gha, dec, gha * 2);
                ASSERT_TRUE(std::isfinite(r.hc) && std::isfinite(r.az));
                const double dn = std::fmin(r.az, std::fabs(360.0 - r.az));
                EXPECT_TRUE(dn == 0.0 || r.az == 180.0)
                    << lat << " " << dec << " " << r.az;
            }
    // Zenith: altitude 90, some azimuth, no NaN.
    Red z = reduce(30, 0, 30, 0);
    EXPECT_NEAR(z.hc, 90.0, 1e-9 * arcsec);
    EXPECT_TRUE(z.az >= 0.0 && z.az < 360.0);
    // North pole: altitude is the declination; a body on the Greenwich
    // meridian lies due "south" along it.
    Red p = reduce(90, 0, 20, 0);
    EXPECT_NEAR(p.hc, 20.0, 1e-6 * arcsec);
    EXPECT_NEAR(p.az, 180.0, 1e-6 * arcsec);
    Red q = reduce(-90, 0, -20, 90);
    EXPECT_NEAR(q.hc, 20.0, 1e-6 * arcsec);
    EXPECT_TRUE(q.az >= 0.0 && q.az < 360.0);
}

// ---------------------------------------------------------------- LDist

TEST(LunarDistance, TrueDistance) {
    EXPECT_NEAR(LDist(0, 0, 10, 50), 40.0, 1e-9 * arcsec);
    EXPECT_NEAR(LDist(0, 0, 50, 10), 40.0, 1e-9 * arcsec);
    EXPECT_NEAR(LDist(0, 0, 350, 30), 40.0, 1e-9 * arcsec);  // across 0h
    EXPECT_NEAR(LDist(30, -30, 77, 77), 60.0, 1e-9 * arcsec);
    for (double a = -80; a < 90; a += 13.7)
        for (double b = -85; b < 90; b += 21.1) {
            const double ra = a * 3.3 + 100, rb = b * 1.7 - 20;
            EXPECT_EQ(LDist(a, b, ra, rb), LDist(b, a, rb, ra));
            const double dd = LDist(a, b, ra, rb);
            EXPECT_TRUE(dd >= 0.0 && dd <= 180.0);
        }
}

TEST(LunarDistance, CoincidentAndOppositeBodies) {
    for (double dec : {-89.9, -23.44, 0.0, 7.77, 23.4, 45.0, 89.99})
        for (double ra : {0.0, 123.4, 359.999}) {
            const double dd = LDist(dec, dec, ra, ra);
            ASSERT_FALSE(std::isnan(dd));
            EXPECT_NEAR(dd, 0.0, 0.01 * arcsec);
            EXPECT_NEAR(LDist(dec, -dec, ra, ra + 180.0), 180.0, 0.01 * arcsec);
        }
}

// ---------------------------------------------------------------- Lunaclear

// Angular distance of two points given by altitude and azimuth.
double horizon_distance(double h1, double a1, double h2, double a2) {
    const double c = std::sin(h1 / rad) * std::sin(h2 / rad) +
                     std::cos(h1 / rad) * std::cos(h2 / rad) * std::cos((a1 - a2) / rad);
    return std::acos(c) * rad;
}

TEST(LunarClearing, IdentityCases) {
    // Apparent altitudes equal to the true ones and no parallax term.
    for (double d : {15.0, 47.3, 90.0, 123.0})
        EXPECT_NEAR(Lunaclear(d, 30, 40, 30, 40, 100, 200, 0.0, 45), d,
                    1e-6 * arcsec);
    // The oblateness term vanishes with HP 0, on the equator, with equal
    // azimuths.
    const double base = Lunaclear(60, 20.5, 35.2, 20.0, 35.3, 80, 200, 0.0, 40);
    EXPECT_EQ(Lunaclear(60, 20.5, 35.2, 20.0, 35.3, 80, 200, 0.0, 40), base);
    EXPECT_EQ(Lunaclear(60, 20.5, 35.2, 20.0, 35.3, 80, 200, 0.95, 0.0), base);
    const double same = Lunaclear(60, 20.5, 35.2, 20.0, 35.3, 80, 80, 0.0, 40);
    EXPECT_EQ(Lunaclear(60, 20.5, 35.2, 20.0, 35.3, 80, 80, 0.95, 40), same);
    // ...and otherwise is at most f * HP.
    const double t = Lunaclear(60, 20.5, 35.2, 20.0, 35.3, 80, 200, 0.95, 40);
    EXPECT_GT(std::fabs(t - base), 0.0);
    EXPECT_LE(std::fabs(t - base), 0.95 / 298.257 + 1e-15);
}

TEST(LunarClearing, RecoversTheTrueDistanceFromShiftedAltitudes) {
    // True altitudes and azimuths of the Moon and a star; parallax lowers
    // and refraction lifts each along its vertical circle, which leaves the
    // azimuths alone.  Clearing the apparent distance gives the true one.
    struct Case { double M, Azm, S, Azs, hp; };
    for (Case c : {Case{25.0, 100.0, 40.0, 210.0, 0.95},
                   Case{60.0, 300.0, 12.0, 20.0, 0.92},
                   Case{8.0, 45.0, 70.0, 47.0, 1.0}}) {
        const double truedist = horizon_distance(c.M, c.Azm, c.S, c.Azs);
        // Apparent Moon: parallax in altitude removed, refraction added.
        const double m = c.M - std::asin(std::sin(c.hp / rad) * std::cos(c.M / rad)) * rad +
                         R2ref(c.M) / 60.0;
        const double s = c.S + R2ref(c.S) / 60.0;
        const double app = horizon_distance(m, c.Azm, s, c.Azs);
        ASSERT_GT(std::fabs(app - truedist), 0.05 * deg);
        // On the equator the oblateness term is 0.
        EXPECT_NEAR(Lunaclear(app, c.M, c.S, m, s, c.Azm, c.Azs, c.hp, 0.0),
                    truedist, 1e-6 * arcsec);
    }
}

TEST(LunarClearing, DegenerateInputsGiveNoNaN) {
    // Coincident bodies: distance 0, no division by sin D = 0.
    EXPECT_NEAR(Lunaclear(0.0, 30, 30, 30, 30, 100, 100, 0.9, 45), 0.0,
                0.01 * arcsec);
    // Inputs that do not fit together push the cosine beyond 1 or -1.
    const double a = Lunaclear(0.0, 0, 0, 10, 10, 100, 250, 0.9, 45);
    const double b = Lunaclear(170.0, 0, 0, -10, -10, 100, 280, 0.9, 45);
    ASSERT_TRUE(std::isfinite(a));
    ASSERT_TRUE(std::isfinite(b));
    EXPECT_NEAR(a, 0.0, 0.01 * arcsec);
    EXPECT_NEAR(b, 180.0, 0.01 * arcsec);
    // Nearly opposite: the oblateness term stays within f * HP.
    const double c0 = Lunaclear(179.9999, 10, 10, 10, 10, 0, 180, 0.0, 45);
    const double c1 = Lunaclear(179.9999, 10, 10, 10, 10, 45, 180, 0.9, 45);
    EXPECT_LE(std::fabs(c1 - c0), 0.9 / 298.257 + 1e-12);
}

}  // namespace
