// Angle reduction, trigonometry of degrees, sexagesimal split, meridian test.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "foundations/foundations.h"
#include "test_support.h"

using namespace lunarfix;
using namespace lunarfix_test;

namespace {

// The lift of a negative angle one turn per pass.  Each pass rounds at
// the size of the running sum, so this is a reference only for small
// arguments.
double norm2pi_by_turns(double x0) {
    double x = x0;
    while (x < 0.0) x += twopi;
    return x;
}

// x0 lifted by whole turns of the double 2*pi0 in quadruple precision
// (113-bit significand: the product of a turn count below 2^60 and the
// turn is exact): the reference for any argument.
double norm2pi_exact(double x0) {
    if (!(x0 < 0.0)) return x0;
    const double k = std::ceil(-x0 / twopi);
    __float128 r = static_cast<__float128>(x0) +
                   static_cast<__float128>(k) * static_cast<__float128>(twopi);
    if (r < 0) r += static_cast<__float128>(twopi);
    return static_cast<double>(r);
}

// An angle split by cxangle.
struct Parts {
    int ig, im;
    double sm, ss;
};

Parts split(double w) {
    Parts p{0, 0, 0.0, 0.0};
    cxangle(w, &p.ig, &p.im, &p.sm, &p.ss);
    return p;
}

} // namespace

TEST(Norm360, RangeEnds) {
    EXPECT_EQ(norm360(-30.0), 330.0);
    EXPECT_EQ(norm360(720.0), 0.0);
    EXPECT_EQ(norm360(360.0), 0.0);
    EXPECT_EQ(norm360(-360.0), 0.0);
    EXPECT_NEAR(norm360(-725.0), 355.0, 1e-12 * degree);
    EXPECT_EQ(norm360(360.0 * 1.0e9 + 0.5), 0.5);
    EXPECT_EQ(norm360(0.0), 0.0);
    EXPECT_EQ(norm360(359.5), 359.5);
    // -1e-20 + 360 rounds to 360: the final step brings it back to 0.
    EXPECT_EQ(norm360(-1e-20), 0.0);
}

TEST(Norm360, AlwaysInRangeFarFromZero) {
    const double xs[] = {1e15, -1e15, 1e17 + 3.0, -1e17 - 3.0, 1e300, -1e300,
                         360.0 - 1e-13, -360.0 + 1e-13, 7.0e16 + 16.0};
    for (double x : xs) {
        SCOPED_TRACE(x);
        expect_within_one_turn(norm360(x));
    }
}

TEST(Lim180, OneStepOnly) {
    EXPECT_EQ(lim180(180.0), 180.0);
    const double just_above = std::nextafter(180.0, 181.0);
    EXPECT_GT(lim180(just_above), -180.0);
    EXPECT_LT(lim180(just_above), -179.9999999999);
    EXPECT_EQ(lim180(540.0), 180.0);
    EXPECT_EQ(lim180(-500.0), -500.0);
    EXPECT_EQ(lim180(270.0), -90.0);
}

TEST(Dmodx, SignOfDivisorIgnored) {
    EXPECT_EQ(dmodx(-7.0, 3.0), 2.0);
    EXPECT_EQ(dmodx(7.0, -3.0), 1.0);
    EXPECT_EQ(dmodx(7.0, 3.0), 1.0);
    EXPECT_NEAR(dmodx(10.0, twopi), 10.0 - twopi, 1e-15 * radian);
    EXPECT_NEAR(dmodx(-1.0, twopi), twopi - 1.0, 1e-15 * radian);
    EXPECT_EQ(dmodx(6.0, 3.0), 0.0);
}

TEST(Norm2pi, LiftsNegativeAnglesOnly) {
    EXPECT_EQ(norm2pi(7.0), 7.0);
    EXPECT_EQ(norm2pi(1.0e6), 1.0e6);  // no upper reduction
    EXPECT_EQ(norm2pi(0.0), 0.0);
    EXPECT_TRUE(std::signbit(norm2pi(-0.0)));  // -0.0 is not below 0
    // -7 needs two turns to become non-negative.
    EXPECT_NEAR(norm2pi(-7.0), -7.0 + 2.0 * twopi, 1e-15 * radian);
    EXPECT_NEAR(norm2pi(-1.0), -1.0 + twopi, 1e-15 * radian);
    // A tiny negative angle gives the full turn exactly.
    EXPECT_EQ(norm2pi(-1e-20), 6.283185307179586);
    EXPECT_EQ(norm2pi(-1e-17), twopi);
    // An exact whole number of turns gives +0.
    const double r = norm2pi(-twopi);
    EXPECT_EQ(r, 0.0);
    EXPECT_FALSE(std::signbit(r));
    EXPECT_TRUE(std::isnan(norm2pi(std::nan(""))));
}

TEST(Norm2pi, MatchesTurnByTurnLiftForSmallArguments) {
    const double xs[] = {-0.5, -3.2, -6.2831853, -6.2831854, -13.0, -40.25};
    for (double x : xs) {
        EXPECT_NEAR(norm2pi(x), norm2pi_by_turns(x), 1e-14 * radian) << x;
    }
}

TEST(Norm2pi, ExactLiftForSeriesArguments) {
    // Arguments like C*Tau + B of the planetary series before J2000.0
    // (C up to about 327575 rad per millennium, Tau down to -4).
    const double xs[] = {-0.5, -100.25, -1234.5678, -65536.1,
                         -327575.0 * 0.2 - 1.3, -327575.0 * 4.0 + 0.7, -8.0e7 - 0.1};
    for (double x : xs) {
        const double got = norm2pi(x);
        EXPECT_NEAR(got, norm2pi_exact(x), 4e-15 * radian) << x;
        EXPECT_GE(got, 0.0) << x;
        EXPECT_LE(got, twopi) << x;
    }
}

TEST(Norm2pi, HugeNegativeArgumentsEndInRange) {
    const double xs[] = {-1.0e9, -3.0e12, -7.2e16, -1.0e20};
    for (double x : xs) {
        const double got = norm2pi(x);
        EXPECT_GE(got, 0.0) << x;
        EXPECT_LE(got, twopi) << x;
    }
    // Up to 2^27 turns the lift is exact to rounding of the result.
    EXPECT_NEAR(std::cos(norm2pi(-1.0e8)), std::cos(1.0e8), 1e-7);
}

TEST(Cost, IsTheCosine) {
    EXPECT_EQ(cost(0.0), 1.0);
    EXPECT_NEAR(cost(pi0), -1.0, 1e-15);
    EXPECT_NEAR(cost(-pi0 / 3.0), 0.5, 1e-15);
    EXPECT_NEAR(cost(-7.0), std::cos(-7.0 + 2.0 * twopi), 1e-14);
    // Far before J2000 (large negative arguments) and far after.
    const double xs[] = {-65536.125, -327575.0 * 4.0 + 0.7, 1.0e6 + 0.25, -1.0e7};
    // The turn of the lift, 2*pi0, falls 2.4e-16 short of 2 pi: over
    // k turns the two cosines part by up to k * 2.4e-16.
    for (double x : xs) {
        const double k = std::ceil(-x / twopi);
        const double tol = 1e-15 + std::fabs(k) * 2.5e-16;
        EXPECT_NEAR(cost(x), std::cos(norm2pi_exact(x)), tol) << x;
    }
    EXPECT_TRUE(std::isnan(cost(std::nan(""))));
    EXPECT_TRUE(std::isnan(cost(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(cost(-std::numeric_limits<double>::infinity())));
}

TEST(Trunc2, OneTurn) {
    EXPECT_NEAR(trunc2(7.0), 7.0 - twopi, 1e-15 * radian);
    EXPECT_EQ(trunc2(twopi), 0.0);
    EXPECT_EQ(trunc2(-twopi), 0.0);
    EXPECT_EQ(trunc2(-1e-20), twopi);  // the fraction rounds to 1
    EXPECT_NEAR(trunc2(-1.0), twopi - 1.0, 1e-15 * radian);
    EXPECT_EQ(trunc2(0.0), 0.0);
    EXPECT_FALSE(std::signbit(trunc2(-0.0)));
    EXPECT_EQ(trunc2(1.0e17), 0.0);  // whole number of turns at this size
    EXPECT_TRUE(std::isnan(trunc2(std::nan(""))));
    EXPECT_TRUE(std::isnan(trunc2(std::numeric_limits<double>::infinity())));
    const double w = trunc2(-123456.789);
    EXPECT_GE(w, 0.0);
    EXPECT_LT(w, twopi);
}

TEST(DegreeTrig, KnownValues) {
    EXPECT_NEAR(sind(30.0), 0.5, 1e-15);
    EXPECT_NEAR(sind(-90.0), -1.0, 1e-15);
    EXPECT_NEAR(cosd(60.0), 0.5, 1e-15);
    EXPECT_NEAR(cosd(180.0), -1.0, 1e-15);
    EXPECT_NEAR(tand(45.0), 1.0, 1e-14);
    // tand's degree factor lies a few units in the last place below pi0/180.
    EXPECT_LT(tand(45.0), std::tan(pi0 / 180.0 * 45.0));
    EXPECT_NEAR(tand(-30.0), -1.0 / std::sqrt(3.0), 1e-15);
    EXPECT_NEAR(sind(390.0), 0.5, 1e-14);
}

TEST(Cxangle, TruncatedPartsCarryTheSign) {
    // Angle; degrees, minutes, decimal minutes, seconds; the tolerances of
    // the decimal minutes and of the seconds (0: exact).
    const struct { double w; Parts want; double tol_sm, tol_ss; } cases[] = {
        {1.99, {1, 59, 59.4, 24.0}, 1e-9, 1e-7},
        {-3.25, {-3, -15, -15.0, 0.0}, 0.0, 0.0},
        {-0.5, {0, -30, -30.0, 0.0}, 0.0, 0.0},
        {10.5, {10, 30, 30.0, 0.0}, 0.0, 0.0},
        {0.0, {0, 0, 0.0, 0.0}, 0.0, 0.0},
        {-123.75 - 30.0 / 3600.0, {-123, -45, -45.5, -30.0}, 1e-9, 1e-7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.w);
        const Parts p = split(c.w);
        EXPECT_EQ(p.ig, c.want.ig);
        EXPECT_EQ(p.im, c.want.im);
        EXPECT_NEAR(p.sm, c.want.sm, c.tol_sm);
        EXPECT_NEAR(p.ss, c.want.ss, c.tol_ss);
    }
    EXPECT_TRUE(std::signbit(split(-0.5).ss));  // the sign shows in the seconds
    EXPECT_FALSE(std::signbit(split(0.0).sm));
    EXPECT_FALSE(std::signbit(split(0.0).ss));
    EXPECT_FALSE(std::signbit(split(-0.0).sm));  // negative zero counts as positive
}

TEST(Cxangle, OutOfRangeArgumentStaysDefined) {
    int ig = 1, im = 1;
    double sm = 1.0, ss = 1.0;
    cxangle(-1.0e12, &ig, &im, &sm, &ss);
    EXPECT_LT(ig, 0);
    EXPECT_EQ(im, 0);
    cxangle(std::nan(""), &ig, &im, &sm, &ss);
    EXPECT_EQ(ig, 0);
    EXPECT_EQ(sm, 0.0);
}

TEST(Angcheck, NearMeridian) {
    const double near[] = {0.0, 0.05, -0.05, 180.0 - 0.05, 180.0 - 0.1,
                           -180.0 + 0.09, 540.0 + 0.05, 0.1, 180.0 + 0.1, 360.0};
    for (double w : near) EXPECT_EQ(angcheck(w), 999) << w;
}

// What a screen prints of a value split by cxangle and readied by cxround:
// degrees and minutes with ndec decimals, or degrees, minutes and seconds.
std::string print_dm(double w, int ndec) {
    Parts p = split(w);
    cxround(ndec, &p.ig, nullptr, &p.sm);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d deg %.*f'", p.ig, ndec, p.sm);
    return buf;
}
std::string print_dms(double w, int ndec) {
    Parts p = split(w);
    cxround(ndec, &p.ig, &p.im, &p.ss);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d deg %d' %.*f''", p.ig, p.im, ndec, p.ss);
    return buf;
}

TEST(Cxround, CarriesWhatRoundsToSixty) {
    // A hair below 45 degrees: 44 deg 59.999994' is 45 deg 0.00'.
    EXPECT_EQ(print_dm(45.0 - 0.0000001 * deg, 2), "45 deg 0.00'");
    // A distance of 48 deg 36' 59.999'' is 48 deg 37' 0.00''.
    EXPECT_EQ(print_dms(48.0 + 36.0 * arcmin + 59.999 * arcsec, 2),
              "48 deg 37' 0.00''");
    // The carry runs on through the minutes into the degrees.
    EXPECT_EQ(print_dms(12.0 + 59.0 * arcmin + 59.996 * arcsec, 2),
              "13 deg 0' 0.00''");
    // One decimal: 59.96' shows as 60.0 unless carried.
    EXPECT_EQ(print_dm(7.0 + 59.96 * arcmin, 1), "8 deg 0.0'");
    // Hours, minutes and seconds alike (23h 59m 59.999s).
    EXPECT_EQ(print_dms(24.0 - 0.001 / 3600.0, 2), "24 deg 0' 0.00''");
    // Negative values carry away from zero; with 0 degrees the minutes,
    // with 0 minutes too the seconds hold the sign.
    EXPECT_EQ(print_dm(-(17.0 + 59.999 * arcmin), 2), "-18 deg 0.00'");
    EXPECT_EQ(print_dm(-(59.999 * arcmin), 2), "-1 deg 0.00'");
    EXPECT_EQ(print_dms(-(59.999 * arcsec), 2), "0 deg -1' 0.00''");
    EXPECT_EQ(print_dms(-(59.0 * arcmin + 59.999 * arcsec), 2), "-1 deg 0' 0.00''");

    // Degrees and minutes given as parts (a typed position): the sign is
    // that of the degrees, or of the minutes with 0 degrees.
    int d = -17;
    double m = -59.999;
    cxround(2, &d, nullptr, &m);
    EXPECT_EQ(d, -18);
    EXPECT_EQ(m, 0.0);
    EXPECT_FALSE(std::signbit(m));
    d = 0;
    m = 59.9951;
    cxround(2, &d, nullptr, &m);
    EXPECT_EQ(d, 1);
    EXPECT_EQ(m, 0.0);
}

TEST(Cxround, LeavesEverythingElseAsItIs) {
    // Values off the boundary keep their parts bit for bit.
    const double values[] = {44.99, 24.55, -17.0 - 11.6 * arcmin, 1.99, 0.5,
                             -0.5, 0.0, 48.0 + 36.0 * arcmin + 59.994 * arcsec,
                             200.25, 359.875};
    for (double w : values) {
        const Parts p = split(w);
        Parts q = p;
        cxround(2, &q.ig, nullptr, &q.sm);
        EXPECT_EQ(q.ig, p.ig) << w;
        EXPECT_EQ(std::memcmp(&q.sm, &p.sm, sizeof p.sm), 0) << w;
        q.ig = p.ig;
        cxround(2, &q.ig, &q.im, &q.ss);
        EXPECT_EQ(q.ig, p.ig) << w;
        EXPECT_EQ(q.im, p.im) << w;
        EXPECT_EQ(std::memcmp(&q.ss, &p.ss, sizeof p.ss), 0) << w;
    }
    // Just below the rounding point: 59.994999' still prints 59.99.
    EXPECT_EQ(print_dm(3.0 + 59.994999 * arcmin, 2), "3 deg 59.99'");
    // A whole part at the end of the int range stays put.
    int d = INT_MAX;
    double m = 59.999;
    cxround(2, &d, nullptr, &m);
    EXPECT_EQ(d, INT_MAX);
}

TEST(Angcheck, AwayFromMeridian) {
    const double away[] = {0.2, -0.1, 90.0, 180.0 - 0.2, 180.0 + 0.2, 360.0 - 0.1,
                           270.0, -90.0};
    for (double w : away) EXPECT_EQ(angcheck(w), 0) << w;
}
