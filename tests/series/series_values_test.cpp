// Values of the fifteen series functions: the evaluation rule reproduced
// term by term, the Tau = 0 case, reference values of an independent VSOP87
// evaluator, the ranges of the longitudes (the Earth's across the September
// equinoxes of 1999 and 2000) and of the latitudes and radius vectors.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "foundations/foundations.h"
#include "series/series.h"
#include "series/vsop87d_rows.h"
#include "series/vsop87d_rule.h"
#include "test_support.h"

namespace {

using lunarfix_test::Coordinate;
using lunarfix_test::Row;
using lunarfix_test::coordinate_rows;

using lunarfix_test::day;  // Julian days
using lunarfix_test::expect_between;
using lunarfix_test::deg;  // results in degrees
constexpr double au = 1.0;  // radius vectors in astronomical units

typedef double (*SeriesFn)(double);

struct Fn {
    const char* body;
    char coord;
    SeriesFn f;
};

const Fn kFns[] = {
    {"earth", 'L', lunarfix::Learth},     {"earth", 'B', lunarfix::Bearth},
    {"earth", 'R', lunarfix::Rearth},     {"venus", 'L', lunarfix::Lvenus},
    {"venus", 'B', lunarfix::Bvenus},     {"venus", 'R', lunarfix::Rvenus},
    {"mars", 'L', lunarfix::Lmars},       {"mars", 'B', lunarfix::Bmars},
    {"mars", 'R', lunarfix::Rmars},       {"jupiter", 'L', lunarfix::Ljupiter},
    {"jupiter", 'B', lunarfix::Bjupiter}, {"jupiter", 'R', lunarfix::Rjupiter},
    {"saturn", 'L', lunarfix::Lsaturn},   {"saturn", 'B', lunarfix::Bsaturn},
    {"saturn", 'R', lunarfix::Rsaturn},
};

const Fn& fn(const char* body, char coord) {
    for (const Fn& f : kFns)
        if (std::strcmp(f.body, body) == 0 && f.coord == coord) return f;
    ADD_FAILURE() << "no function " << body << coord;
    return kFns[0];
}

/* The coordinate's radian (or AU) sum from the row table, term by term in
 * file order with the operations of the rule; blocks_only0 keeps block 0. */
double rule_sum(const Coordinate& c, double x, bool block0_only = false) {
    double S[6] = {+0.0, +0.0, +0.0, +0.0, +0.0, +0.0};
    int top = 0;
    for (std::size_t i = 0; i < c.n; ++i) {
        const Row& r = c.rows[i];
        if (block0_only && r.k != 0) continue;
        top = r.k > top ? r.k : top;
        double& s = S[r.k];
        switch (r.kind) {
            case lunarfix_test::kCos: {
                double t = r.C * x;
                t = t + r.B;
                double v = lunarfix::cost(t);
                v = v * r.A;
                s = v + s;
                break;
            }
            case lunarfix_test::kAdd: s = r.A + s; break;
            case lunarfix_test::kSub: s = s - r.A; break;
        }
    }
    if (block0_only) return S[0];
    const double x2 = x * x, x3 = x2 * x, x4 = x3 * x, x5 = x4 * x;
    double sum = S[1] * x + S[0];
    sum = sum + S[2] * x2;
    sum = sum + S[3] * x3;
    sum = sum + S[4] * x4;
    if (top == 5) sum = sum + S[5] * x5;
    return sum;
}

/* The function's final step applied to a sum. */
double finish(const Fn& f, double s) {
    if (f.coord == 'R') return s;
    if (f.coord == 'B') return s * 57.29577951308232;
    if (std::strcmp(f.body, "earth") == 0) return lunarfix::norm2pi(s) * 57.29577951308232;
    return lunarfix::trunc2(s) * 57.29577951308232;
}

double tau_of(double jde) { return (jde - 2451545.0) / 365250.0; }

TEST(SeriesRule, DegreeFactors) {
    EXPECT_EQ(180.0 / lunarfix::pi0, 57.29577951308232);
    EXPECT_EQ(lunarfix::vsop87d::rtd, 57.29577951308232);
}

// Every function equals the rule evaluated row by row from its table: each
// block from +0.0 in file order, constant terms folded at their places, the
// fixed combination order, and its own final step.  The equality is exact.
TEST(SeriesRule, FunctionsFollowTheRuleToTheLastBit) {
    const double taus[] = {-4.0, -1.3, -0.2, -0.1, -0.000274, 0.0, 0.05, 0.1, 2.5, 4.0};
    for (const Fn& f : kFns) {
        const Coordinate c = coordinate_rows(f.body, f.coord);
        for (double x : taus) {
            EXPECT_EQ(f.f(x), finish(f, rule_sum(c, x)))
                << f.body << f.coord << " at Tau " << x;
        }
    }
}

// At Tau = 0 only the blocks of power 0 contribute; -0.0 gives the same.
TEST(SeriesRule, AtJ2000OnlyBlockZeroCounts) {
    for (const Fn& f : kFns) {
        const Coordinate c = coordinate_rows(f.body, f.coord);
        const double expect = finish(f, rule_sum(c, 0.0, true));
        EXPECT_EQ(f.f(0.0), expect) << f.body << f.coord;
        EXPECT_EQ(f.f(-0.0), expect) << f.body << f.coord;
    }
}

// A constant term in the middle of a block is folded at its place: the
// Earth's B0 subtracts 1.039e-8 after its 60th term, Venus's B0 subtracts
// 0.00032814918 after its second.  Moving the constant to the front changes
// the result by no more than rounding, while dropping it changes it by the
// constant itself.
TEST(SeriesRule, ConstantTermInTheMiddleOfABlock) {
    const Coordinate c = coordinate_rows("venus", 'B');
    const double with = lunarfix::Bvenus(0.0) / lunarfix::vsop87d::rtd;
    double without = +0.0;
    for (std::size_t i = 0; i < c.n; ++i) {
        const Row& r = c.rows[i];
        if (r.k != 0 || r.kind != lunarfix_test::kCos) continue;
        without = lunarfix::cost(r.C * 0.0 + r.B) * r.A + without;
    }
    EXPECT_NEAR(with - without, -0.00032814918, 1e-15);

    const Coordinate e = coordinate_rows("earth", 'B');
    ASSERT_EQ(e.rows[60].kind, lunarfix_test::kSub);
    EXPECT_EQ(e.rows[60].A, 0.00000001039);
}

struct Reference {
    const char* body;
    double tau;
    double L, B, R;
};

// Produced by tools/vsop87d_reference.mjs with astronomia@4.2.0
// (planetposition.Planet(vsop87D<body>).position(jde), jde = 2451545 +
// 365250 Tau): { body, Tau, L deg, B deg, R AU }.  That evaluator sums each
// block in reverse order, takes the cosine of the unreduced argument and
// combines the blocks by Horner's rule, so it agrees to rounding only; its
// longitudes are reduced to [0, 360).
const Reference kReference[] = {
    {"earth", -4, 71.364077930938848, -0.00018066958269923015, 0.98522541924059714},
    {"earth", -0.1, 99.644382533059726, -0.000032538262319373775, 0.98326897781031941},
    {"earth", 0, 100.37784367119831, -0.00022721051444223787, 0.98332768191054898},
    {"earth", 0.1, 101.11776484247574, -0.000058051959410983239, 0.98335131254368846},
    {"earth", 4, 130.60275891117954, -0.000048705878419276739, 0.98888292375047981},
    {"venus", -4, 134.81808866615231, 3.3472158946455197, 0.72017323117343746},
    {"venus", -0.1, 342.34011817245982, -3.3876703394758905, 0.72747193587858427},
    {"venus", 0, 182.60292031691992, 3.2646152489230449, 0.72021292527191216},
    {"venus", 0.1, 20.529342668013872, -2.8504443359540974, 0.72514959902547083},
    {"venus", 4, 231.43551988631023, 3.0295813632874600, 0.72075930319829151},
    {"mars", -4, 53.360782359418991, 1.0814545157706810, 1.6397399902847987},
    {"mars", -0.1, 286.14661189855320, -1.5582496477770811, 1.4218777705060395},
    {"mars", 0, 359.44730721312436, -1.4196738146624714, 1.3912076925119936},
    {"mars", 0.1, 67.839505058894815, 0.55668477796480853, 1.5100776889964151},
    {"mars", 4, 293.50042479040786, -1.0032004037702567, 1.5772894827188531},
    {"jupiter", -4, 259.26768004800073, -0.49956954384771596, 5.0623964154201309},
    {"jupiter", -0.1, 234.49745643678031, 0.92502098430026347, 5.3850276670783037},
    {"jupiter", 0, 36.294665770441910, -1.1745694315689332, 4.9653813154221123},
    {"jupiter", 0.1, 191.03112162619698, 1.2988289299485127, 5.4514373081241692},
    {"jupiter", 4, 172.64697657591566, 0.55654882046933540, 5.2007790995143335},
    {"saturn", -4, 75.983950412850703, -0.11493233954696204, 9.1738213651738665},
    {"saturn", -0.1, 266.49892158562369, 1.1040977456315979, 10.066853199727735},
    {"saturn", 0, 45.722254137287692, -2.3031995169469894, 9.1838483715425667},
    {"saturn", 0.1, 200.00655903561292, 2.4746482082466366, 9.6662754841759000},
    {"saturn", 4, 28.966216052104283, -2.0248461763691261, 9.8414817703299171},
};

// Longitudes at |Tau| = 4 get a wider margin.  Block L1 of Venus and Mars
// opens with its constant term (10213.5 and 3340.9 radians), so each of its
// several hundred additions rounds at about 1.8e-12 radian; multiplied by
// Tau = 4 that leaves a few 1e-11 radian, some 3e-9 degree, in the published
// summation order.  The reference sums each block from its smallest terms
// and is more accurate there; the difference is rounding, not a term.
TEST(SeriesReference, AgreesWithAnIndependentEvaluator) {
    for (const Reference& r : kReference) {
        SCOPED_TRACE(std::string(r.body) + " at Tau " + std::to_string(r.tau));
        const double tol_L = std::fabs(r.tau) <= 0.1 ? 1e-9 * deg : 5e-9 * deg;
        EXPECT_NEAR(lunarfix_test::angdiff(fn(r.body, 'L').f(r.tau), r.L), 0.0, tol_L);
        EXPECT_NEAR(fn(r.body, 'B').f(r.tau), r.B, 1e-9 * deg);
        EXPECT_NEAR(fn(r.body, 'R').f(r.tau), r.R, 1e-12 * au);
    }
}

TEST(SeriesReference, PlanetLongitudesAreReducedToOneTurn) {
    for (const Reference& r : kReference) {
        if (std::strcmp(r.body, "earth") == 0) continue;
        SCOPED_TRACE(std::string(r.body) + " " + std::to_string(r.tau));
        lunarfix_test::expect_within_one_turn(fn(r.body, 'L').f(r.tau));
    }
}

// The Earth's longitude: a negative sum is lifted into [0, 360); a positive
// one is not reduced.  At Tau = 0.1 (the year 2100) the result is the
// longitude plus one hundred whole turns.
TEST(EarthLongitude, LiftedBelowButNotReducedAbove) {
    const double at_minus = lunarfix::Learth(-0.1);
    lunarfix_test::expect_within_one_turn(at_minus);
    EXPECT_NEAR(at_minus, 99.644382533059726, 1e-9 * deg);
    lunarfix_test::expect_within_one_turn(lunarfix::Learth(-4.0));

    const double at_plus = lunarfix::Learth(0.1);
    EXPECT_EQ(std::floor(at_plus / 360.0), 100.0);
    EXPECT_NEAR(lunarfix::norm360(at_plus), 101.11776484247574, 1e-9 * deg);
    EXPECT_NEAR(lunarfix::sind(at_plus), lunarfix::sind(101.11776484247574), 1e-11);
    EXPECT_NEAR(lunarfix::cosd(at_plus), lunarfix::cosd(101.11776484247574), 1e-11);

    // At J2000.0 the sum is positive and still below one turn.
    EXPECT_NEAR(lunarfix::Learth(0.0), 100.37784367119831, 1e-9 * deg);
}

// The sum passes 0 at the September equinox of 1999 (1999 Sep 23, about
// 11:31 UT, JDE 2451444.98): the result steps from just under 360 to just
// over 0.  A year later it passes 360 and is not reduced again.
TEST(EarthLongitude, AcrossTheSeptemberEquinoxes) {
    expect_between(lunarfix::Learth(tau_of(2451443.98)), 359.0, 360.0);
    expect_between(lunarfix::Learth(tau_of(2451445.98)), 0.0, 1.0);

    // Bisection on the step: the sum's zero lies at the equinox within the
    // small offset of aberration and nutation (well under 0.05 day).
    double lo = 2451443.98, hi = 2451445.98;
    for (int i = 0; i < 60; ++i) {
        const double mid = 0.5 * (lo + hi);
        if (lunarfix::Learth(tau_of(mid)) > 180.0) lo = mid; else hi = mid;
    }
    EXPECT_NEAR(hi, 2451444.98, 0.05 * day);
    EXPECT_LT(lunarfix::Learth(tau_of(hi)), 1e-5 * deg);

    // 2000 Sep 22, about 17:28 UT (JDE 2451810.23): 360 is passed, with no
    // step back.
    const double before00 = lunarfix::Learth(tau_of(2451809.23));
    const double after00 = lunarfix::Learth(tau_of(2451811.23));
    expect_between(before00, 359.0, 360.0);
    expect_between(after00, 360.0, 361.0);
    // Two days of motion (about 0.98 degree a day), no step of 360.
    expect_between(after00 - before00, 1.9 * deg, 2.0 * deg);
}

// Over the caller's span (Tau from -4 to +4) the longitudes of the planets
// stay in [0, 360), the latitudes within their known bounds and the radius
// vectors within their orbits.
TEST(SeriesRanges, OverTheWholeSpan) {
    // Largest |latitude|, least and greatest radius vector of each body.
    const struct { const char* body; double B, Rmin, Rmax; } bounds[] = {
        {"earth", 0.001 * deg, 0.98 * au, 1.02 * au}, {"venus", 3.5 * deg, 0.71 * au, 0.73 * au},
        {"mars", 2.0 * deg, 1.37 * au, 1.68 * au},    {"jupiter", 2.0 * deg, 4.9 * au, 5.5 * au},
        {"saturn", 2.8 * deg, 8.9 * au, 10.2 * au},
    };
    for (int i = 0; i <= 80; ++i) {
        const double x = -4.0 + 0.1 * i;
        SCOPED_TRACE("Tau " + std::to_string(x));
        EXPECT_GE(lunarfix::Learth(x), 0.0);
        for (const auto& b : bounds) {
            SCOPED_TRACE(b.body);
            if (std::strcmp(b.body, "earth") != 0)
                lunarfix_test::expect_within_one_turn(fn(b.body, 'L').f(x));
            EXPECT_LT(std::fabs(fn(b.body, 'B').f(x)), b.B);
            expect_between(fn(b.body, 'R').f(x), b.Rmin, b.Rmax);
        }
    }
}

// Values the series' descriptions quote.
TEST(SeriesValues, QuotedValues) {
    EXPECT_LT(lunarfix::Bmars(0.0), 0.0);  // Mars south of the ecliptic
    EXPECT_NEAR(lunarfix::Bsaturn(0.0), -2.30, 0.005 * deg);
    EXPECT_NEAR(lunarfix::Bsaturn(0.1), 2.47, 0.005 * deg);
    EXPECT_NEAR(lunarfix::Bsaturn(-0.2), 0.597, 0.0005 * deg);
    EXPECT_NEAR(lunarfix::Lsaturn(0.0), 45.7, 0.05 * deg);
    EXPECT_NEAR(lunarfix::Lsaturn(0.1), 200.0, 0.05 * deg);
    EXPECT_NEAR(lunarfix::Lsaturn(-0.2), 126.0, 0.5 * deg);
    EXPECT_NEAR(lunarfix::Rsaturn(0.0), 9.18, 0.005 * au);
    EXPECT_NEAR(lunarfix::Rsaturn(0.1), 9.67, 0.005 * au);
    EXPECT_NEAR(lunarfix::Rsaturn(-0.1), 10.1, 0.05 * au);
    EXPECT_NEAR(lunarfix::Rsaturn(-0.2), 9.10, 0.005 * au);
    EXPECT_NEAR(lunarfix::Rjupiter(0.0), 4.97, 0.005 * au);
    EXPECT_NEAR(lunarfix::Rjupiter(0.1), 5.45, 0.005 * au);
    EXPECT_NEAR(lunarfix::Rjupiter(-0.2), 5.13, 0.005 * au);
    // Bearth stays below 0.0005 degree between the years 1500 and 2500.
    for (int i = 0; i <= 100; ++i) {
        const double x = -0.5 + 0.01 * i;
        EXPECT_LT(std::fabs(lunarfix::Bearth(x)), 0.0005 * deg) << x;
    }
}

TEST(SeriesValues, RepeatableAndNaNPropagates) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const Fn& f : kFns) {
        EXPECT_EQ(f.f(-0.37), f.f(-0.37)) << f.body << f.coord;
        EXPECT_TRUE(std::isnan(f.f(nan))) << f.body << f.coord;
    }
}

}  // namespace
