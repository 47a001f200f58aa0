// Sailings, distances in the plane of the fix, intersection of two lines of
// position, and the fix iterated from sights reduced at a known position.
#include <gtest/gtest.h>

#include <cmath>

#include "navigation/navcalc.h"
#include "test_support.h"

namespace {

using namespace lunarfix;

using lunarfix_test::arcmin;
using lunarfix_test::arcsec;
using lunarfix_test::deg;
constexpr double nmi = 1.0;  // nautical mile, the unit of distances
constexpr double kPi = 3.141592653589793;
constexpr double rad = 180.0 / kPi;

struct Pos {
    double lat, lon;
};

Pos shift(double dist, double lat, double lon, double course) {
    Pos p{-999, -999};
    shiftpos(0, dist, 0, 0, 0, 0, lat, lon, 0.0, course, &p.lat, &p.lon);
    return p;
}

// Great-circle distance in nautical miles, by the haversine formula.
double gc_nmi(double lat1, double lon1, double lat2, double lon2) {
    const double p1 = lat1 / rad, p2 = lat2 / rad;
    const double a = std::sin((p2 - p1) / 2), b = std::sin((lon2 - lon1) / rad / 2);
    const double h = a * a + std::cos(p1) * std::cos(p2) * b * b;
    return 2.0 * std::asin(std::sqrt(h)) * rad * 60.0;
}

// --------------------------------------------------------------- shiftpos

TEST(Shiftpos, ParallelSailing) {
    Pos e = shift(60.0, 60.0, 10.0, 90.0);
    EXPECT_NEAR(e.lat, 60.0, 1e-9 * arcsec);
    EXPECT_NEAR(e.lon, 12.0, 1e-6 * arcsec);
    Pos e2 = shift(60.0, 60.0, 10.0, 90.005);  // within 0.01 deg of east
    EXPECT_NEAR(e2.lat, 60.0 - std::sin(0.005 / rad), 1e-6 * arcsec);
    EXPECT_NEAR(e2.lon, 10.0 + 1.0 / std::cos((60.0 + e2.lat) / 2.0 / rad),
                1e-6 * arcsec);
    Pos w = shift(60.0, 60.0, 10.0, 270.0);
    EXPECT_NEAR(w.lat, 60.0, 1e-9 * arcsec);
    EXPECT_NEAR(w.lon, 8.0, 1e-6 * arcsec);
    // A course given negative counts from north the other way: -90 is west.
    Pos n = shift(60.0, 60.0, 10.0, -90.0);
    EXPECT_NEAR(n.lon, 8.0, 1e-6 * arcsec);
    // Across the 180 deg meridian.
    Pos x = shift(60.0, 0.0, 179.5, 90.0);
    EXPECT_NEAR(x.lon, -179.5, 1e-6 * arcsec);
    Pos y = shift(60.0, 0.0, -179.5, 270.0);
    EXPECT_NEAR(y.lon, 179.5, 1e-6 * arcsec);
}

TEST(Shiftpos, NorthSouthAndLatitudeLimit) {
    Pos n = shift(60.0, 20.0, -30.0, 0.0);
    EXPECT_NEAR(n.lat, 21.0, 1e-9 * arcsec);
    EXPECT_NEAR(n.lon, -30.0, 1e-9 * arcsec);
    Pos s = shift(60.0, 20.0, -30.0, 180.0);
    EXPECT_NEAR(s.lat, 19.0, 1e-9 * arcsec);
    EXPECT_NEAR(s.lon, -30.0, 1e-6 * arcsec);
    Pos f = shift(60.0, 20.0, -30.0, 360.0);
    EXPECT_NEAR(f.lat, 21.0, 1e-9 * arcsec);
    // Starts from 89 at most.
    Pos p = shift(60.0, 89.5, 5.0, 180.0);
    EXPECT_NEAR(p.lat, 88.0, 1e-9 * arcsec);
    Pos q = shift(0.0, -89.9, 5.0, 45.0);
    EXPECT_NEAR(q.lat, -89.0, 1e-9 * arcsec);
    // Beyond the pole the end latitude is left as computed and the start
    // longitude stands; nothing undefined comes back.
    Pos r = shift(120.0, 88.5, 5.0, 10.0);
    EXPECT_NEAR(r.lat, 88.5 + 2.0 * std::cos(10.0 / rad), 1e-6 * arcsec);
    EXPECT_EQ(r.lon, 5.0);
}

TEST(Shiftpos, MercatorSailingAgreesWithFineMidLatitudeSteps) {
    // A rhumb line run by Mercator sailing and by 200 short steps of
    // mid-latitude sailing ends at the same place.
    for (double course : {45.0, 135.0, 200.0, 300.0, 10.0}) {
        Pos m = shift(150.0, 40.0, 179.9, course);
        double la, lo;
        verspos(0.0, 0.0, -150.0, course, 40.0, 179.9, &la, &lo);
        EXPECT_NEAR(m.lat, la, 1e-6 * arcsec) << course;
        EXPECT_NEAR(m.lon, lo, 0.01 * arcsec) << course;
        EXPECT_GT(m.lon, -180.0);
        EXPECT_LE(m.lon, 180.0);
    }
    // Known value: 45 deg from the equator by 60 * 10 nautical miles.
    Pos k = shift(600.0, 0.0, 0.0, 45.0);
    const double dlat = 10.0 * std::cos(45.0 / rad);
    EXPECT_NEAR(k.lat, dlat, 1e-9 * arcsec);
    EXPECT_NEAR(k.lon, std::log(std::tan(kPi / 4 + dlat / 2 / rad)) * rad, 1e-6 * arcsec);
}

TEST(Shiftpos, DistanceFromSpeedAndTime) {
    // 2 h 30 min at 10 knots due north: 25 nautical miles.
    Pos p{0, 0};
    shiftpos(1, 999.0, 10, 0, 12, 30, 30.0, 40.0, -10.0, 0.0, &p.lat, &p.lon);
    EXPECT_NEAR(p.lat, 30.0 + 25.0 / 60.0, 1e-9 * arcsec);
    EXPECT_NEAR(p.lon, 40.0, 1e-9 * arcsec);
    // 45 minutes across the hour: 10:50 to 11:35.
    shiftpos(1, 999.0, 10, 50, 11, 35, 30.0, 40.0, 8.0, 180.0, &p.lat, &p.lon);
    EXPECT_NEAR(p.lat, 30.0 - 6.0 / 60.0, 1e-9 * arcsec);
}

// --------------------------------------------------------------- verspos

// The same dead reckoning with a chosen number of steps.
Pos dr_steps(double lat, double lon, double course, double dist, int n) {
    const double st = dist / n;
    const double dl = std::cos(course / rad) * st / 60.0;
    const double dp = std::sin(course / rad) * st / 60.0;
    for (int i = 0; i < n; ++i) {
        const double nl = lat + dl;
        lon += dp / std::cos((lat + nl) / 2.0 / rad);
        lat = nl;
    }
    return {lat, lon};
}

TEST(Verspos, StepCounts) {
    double la = 0, lo = 0;
    // Half a mile: no step, nothing changes; status 0.  The same with 10
    // knots for no time, or backwards in time.
    const double none[][3] = {{2450000.0, 2450001.0, -0.5},
                              {2450000.5, 2450000.5, 10.0},
                              {2450000.5, 2450000.0, 10.0}};
    for (const auto& n : none) {
        const int status = verspos(n[0], n[1], n[2], 45.0, 50.0, 7.0, &la, &lo);
        if (n[1] >= n[0]) {
            EXPECT_EQ(status, 0);
        }
        EXPECT_EQ(la, 50.0);
        EXPECT_EQ(lo, 7.0);
    }
    // 250 miles: 200 steps of 1.25 miles (the number of steps shows in the
    // longitude at high latitude).
    EXPECT_EQ(verspos(0.0, 0.0, -250.0, 45.0, 80.0, 0.0, &la, &lo), 0);
    const Pos s200 = dr_steps(80.0, 0.0, 45.0, 250.0, 200);
    const Pos s250 = dr_steps(80.0, 0.0, 45.0, 250.0, 250);
    EXPECT_NEAR(la, s200.lat, 1e-9 * arcsec);
    EXPECT_NEAR(lo, s200.lon, 1e-7 * arcsec);
    EXPECT_GT(std::fabs(lo - s250.lon), 1e-3 * arcsec);
    // 150.7 miles: 150 steps.
    verspos(0.0, 0.0, -150.7, 45.0, 80.0, 0.0, &la, &lo);
    const Pos s150 = dr_steps(80.0, 0.0, 45.0, 150.7, 150);
    const Pos s151 = dr_steps(80.0, 0.0, 45.0, 150.7, 151);
    EXPECT_NEAR(lo, s150.lon, 1e-7 * arcsec);
    EXPECT_GT(std::fabs(lo - s151.lon), 1e-5 * arcsec);
    // Speed and time: 10 knots for 2.5 hours due east on the equator.
    EXPECT_EQ(verspos(2450000.0, 2450000.0 + 2.5 / 24.0, 10.0, 90.0, 0.0,
                      0.0, &la, &lo), 0);
    EXPECT_NEAR(la, 0.0, 1e-6 * arcsec);
    EXPECT_NEAR(lo, 25.0 / 60.0, 1e-3 * arcsec);  // time given in days
}

TEST(Verspos, StatusAndTheAntimeridian) {
    double la, lo;
    // Longer than 2000 miles: made, status 1.
    EXPECT_EQ(verspos(0.0, 0.0, -2500.0, 90.0, 0.0, 0.0, &la, &lo), 1);
    EXPECT_NEAR(lo, 2500.0 / 60.0, 1e-6 * arcsec);
    // Reaching 90 deg: status 2 replaces 1.
    EXPECT_EQ(verspos(0.0, 0.0, -2500.0, 0.0, 60.0, 0.0, &la, &lo), 2);
    EXPECT_EQ(verspos(0.0, 0.0, -70.0, 0.0, 89.0, 0.0, &la, &lo), 2);
    EXPECT_EQ(verspos(0.0, 0.0, -50.0, 0.0, 89.0, 0.0, &la, &lo), 0);
    EXPECT_NEAR(la, 89.0 + 50.0 / 60.0, 1e-9 * arcsec);
    // East across 180 deg.
    verspos(0.0, 0.0, -30.0, 90.0, 0.0, 179.9, &la, &lo);
    EXPECT_NEAR(lo, -179.6, 1e-6 * arcsec);
    verspos(0.0, 0.0, -30.0, 270.0, 0.0, -179.9, &la, &lo);
    EXPECT_NEAR(lo, 179.6, 1e-6 * arcsec);
}

// --------------------------------------------------------------- bestver

TEST(Bestver, DistanceInThePlane) {
    EXPECT_NEAR(bestver(1, 0.0, 179.9, 0.0, -179.9, 1.0), 12.0 * nmi, 1e-9 * nmi);
    EXPECT_NEAR(bestver(1, 0.0, -179.9, 0.0, 179.9, 1.0), 12.0 * nmi, 1e-9 * nmi);
    // At 60 deg a degree of longitude is half a degree of departure.
    const double yn = std::cos(60.0 / rad);
    EXPECT_NEAR(bestver(1, 60.0, 179.9 * yn, 60.0, -179.9 * yn, yn), 6.0 * nmi,
                1e-9 * nmi);
    EXPECT_NEAR(bestver(1, 10.0, 5.0, 11.0, 5.0, 0.9), 60.0 * nmi, 1e-9 * nmi);
    EXPECT_NEAR(bestver(1, 10.0, 5.0, 10.3, 5.4, 0.9), 30.0 * nmi, 1e-9 * nmi);
    // At a pole only the latitude counts.
    EXPECT_NEAR(bestver(1, 89.0, 0.0, 89.5, 0.0, 0.0), 30.0 * nmi, 1e-9 * nmi);
}

// --------------------------------------------------------------- lopfix

struct Fix {
    IntersectionCase c;
    double xpos, ypos, ynorm, lat, lon;
};

Fix intersect(double la1, double lo1, double az1, double la2, double lo2,
              double az2) {
    Fix f{kLopGeneral, 0, 0, 0, 0, 0};
    f.c = lopfix(la1, lo1, az1, la2, lo2, az2, &f.xpos, &f.ypos, &f.ynorm,
                 &f.lat, &f.lon);
    return f;
}

TEST(LopFix, GeneralCase) {
    // Lines through (10, 20): azimuth 45 (slope -1) and 135 (slope +1);
    // the points lie 0.1 deg along each line, both at latitude 10 +- 0.1.
    const double yn = std::cos(10.0 / rad);
    const double lon = 20.0 - 0.1 / yn;
    Fix f = intersect(10.1, lon, 45.0, 9.9, lon, 135.0);
    EXPECT_EQ(f.c, kLopGeneral);
    EXPECT_NEAR(f.ynorm, yn, 1e-10);
    EXPECT_NEAR(f.lat, 10.0, 1e-6 * arcsec);
    EXPECT_NEAR(f.lon, 20.0, 1e-6 * arcsec);
    EXPECT_NEAR(f.xpos, 10.0, 1e-6 * arcsec);
    EXPECT_NEAR(f.ypos, 20.0 * yn, 1e-6 * arcsec);
    // The same with the sights the other way round, and with reciprocal
    // azimuths (the line is the same).
    Fix g = intersect(9.9, lon, 135.0, 10.1, lon, 225.0);
    EXPECT_EQ(g.c, kLopGeneral);
    EXPECT_NEAR(g.lat, 10.0, 1e-6 * arcsec);
    EXPECT_NEAR(g.lon, 20.0, 1e-6 * arcsec);
}

TEST(LopFix, EastWestLines) {
    // Line 1 east-west (azimuth near 0), line 2 north-south (azimuth 90).
    Fix a = intersect(30.0, 40.0, 0.05, 30.2, 40.3, 90.0);
    EXPECT_EQ(a.c, kLopLine1EastWest);
    EXPECT_NEAR(a.lat, 30.0, 1e-9 * arcsec);
    EXPECT_NEAR(a.lon, 40.3, 1e-6 * arcsec);
    // Line 2 east-west (azimuth near 180).
    Fix b = intersect(30.0, 40.0, 270.0, 30.2, 40.3, 179.95);
    EXPECT_EQ(b.c, kLopLine2EastWest);
    EXPECT_NEAR(b.lat, 30.2, 1e-9 * arcsec);
    EXPECT_NEAR(b.lon, 40.0, 1e-6 * arcsec);
    // Line 1 east-west, line 2 oblique: on line 1's latitude, on line 2.
    Fix c = intersect(-20.0, 100.0, 359.96, -20.5, 100.0, 135.0);
    EXPECT_EQ(c.c, kLopLine1EastWest);
    EXPECT_NEAR(c.lat, -20.0, 1e-9 * arcsec);
    EXPECT_NEAR(c.ypos - 100.0 * c.ynorm, 0.5, 1e-6 * arcsec);
}

TEST(LopFix, ParallelLines) {
    // Azimuths 30 and 210: the same slope.
    Fix a = intersect(10.0, 20.0, 30.0, 10.5, 20.5, 210.0);
    EXPECT_EQ(a.c, kLopParallel);
    EXPECT_EQ(a.lat, 10.5);
    EXPECT_NEAR(a.lon, 20.5, 1e-9 * arcsec);
    // Both near 0 and 180: two east-west lines.
    EXPECT_EQ(intersect(10.0, 20.0, 0.05, 10.5, 20.5, 179.98).c, kLopParallel);
    EXPECT_EQ(intersect(10.0, 20.0, 359.95, 10.5, 20.5, 0.02).c, kLopParallel);
    // Nearly parallel north-south lines: slopes within 0.01.
    EXPECT_EQ(intersect(10.0, 20.0, 90.0, 10.5, 20.5, 270.3).c, kLopParallel);
    // Slopes 0.0105 apart are not parallel.
    EXPECT_EQ(intersect(10.0, 20.0, 90.0, 10.5, 20.5, 90.6).c, kLopGeneral);
}

TEST(LopFix, CrossingAngle) {
    // {azimuth 1, azimuth 2, angle the lines cross at}
    const double rows[][3] = {
        {45.0, 135.0, 90.0}, {30.0, 210.0, 0.0},  {0.0, 90.0, 90.0},
        {359.0, 1.0, 2.0},   {10.0, 350.0, 20.0}, {100.0, 290.0, 10.0},
        {185.5, 2.0, 3.5},   {-30.0, 30.0, 60.0}, {200.0, 48.0, 28.0},
    };
    for (const auto& r : rows) {
        EXPECT_NEAR(lopangle(r[0], r[1]), r[2], 1e-9) << r[0] << " " << r[1];
        EXPECT_NEAR(lopangle(r[1], r[0]), r[2], 1e-9) << r[1] << " " << r[0];
    }
    EXPECT_TRUE(std::isnan(lopangle(std::nan(""), 10.0)));
}

TEST(LopFix, LinesStraddlingTheAntimeridian) {
    // Lines through F, points 0.1 deg of departure either side of it, the
    // two points on opposite sides of the 180 deg meridian.
    for (Pos F : {Pos{20.0, 179.95}, Pos{-30.0, -179.97}, Pos{5.0, 180.0}}) {
        const double yn = std::cos((F.lat + 0.1) / rad);
        const double lo1 = F.lon - 0.1 / yn;   // along azimuth-45 line
        double lo2 = F.lon + 0.1 / yn;         // along azimuth-135 line
        double l1 = lo1 <= -180.0 ? lo1 + 360.0 : lo1;
        if (lo2 > 180.0) lo2 -= 360.0;
        Fix f = intersect(F.lat + 0.1, l1, 45.0, F.lat + 0.1, lo2, 135.0);
        EXPECT_EQ(f.c, kLopGeneral);
        EXPECT_NEAR(f.lat, F.lat, 1e-6 * arcsec);
        // (a fix on the meridian itself may come back as +180 or as a hair
        // above -180)
        EXPECT_NEAR(std::remainder(f.lon - F.lon, 360.0), 0.0, 1e-6 * arcsec)
            << F.lat;
        EXPECT_GT(f.lon, -180.0);
        EXPECT_LE(f.lon, 180.0);
        // The position error from a run position across the meridian.
        const double run = -179.99;
        const double dlon = std::fabs(std::remainder(F.lon - run, 360.0));
        EXPECT_NEAR(bestver(1, F.lat, run * f.ynorm, f.xpos, f.ypos, f.ynorm),
                    dlon * f.ynorm * 60.0 * nmi, 1e-6 * nmi);
    }
    // A north-south line just west of the meridian, an east-west line
    // through a point just east of it.
    Fix g = intersect(0.1, 179.9, 90.0, 0.2, -179.9, 0.0);
    EXPECT_EQ(g.c, kLopLine2EastWest);
    EXPECT_NEAR(g.lat, 0.2, 1e-9 * arcsec);
    EXPECT_NEAR(g.lon, 179.9, 1e-6 * arcsec);
    // A fix exactly on the meridian comes back as +180, not -180.
    Fix h = intersect(0.0, -180.0, 90.0, 0.0, 179.8, 180.0);
    EXPECT_EQ(h.c, kLopLine2EastWest);
    EXPECT_EQ(h.lon, 180.0);
}

TEST(LopFix, PolarPointsGiveNoNaN) {
    Fix f = intersect(90.0, 10.0, 45.0, 90.0, -10.0, 135.0);
    EXPECT_TRUE(std::isfinite(f.lat) && std::isfinite(f.lon));
    EXPECT_GT(f.ynorm, 0.0);
    EXPECT_GT(f.lon, -180.0);
    EXPECT_LE(f.lon, 180.0);
}

// ------------------------------------------- fix iterated from known sights

// Sights of the Moon and a star whose observed altitudes are the altitudes
// at a known position; starting 15 nautical miles away, the fix is moved
// to each new fix until it moves less than 0.1 mile.  It must end within
// 0.05 mile of the known position.
double iterate_fix(Pos truth, double decM, double ghaM, double decS,
                   double ghaS, double start_course, int* passes) {
    double lha, hoM, hoS, az;
    HcAz(truth.lat, truth.lon, decM, ghaM, &lha, &hoM, &az);
    HcAz(truth.lat, truth.lon, decS, ghaS, &lha, &hoS, &az);

    Pos ap = shift(15.0, truth.lat, truth.lon, start_course);
    EXPECT_NEAR(gc_nmi(ap.lat, ap.lon, truth.lat, truth.lon), 15.0, 0.1);
    *passes = 0;
    for (int it = 0; it < 20; ++it) {
        ++*passes;
        double hc1, az1, hc2, az2;
        HcAz(ap.lat, ap.lon, decM, ghaM, &lha, &hc1, &az1);
        HcAz(ap.lat, ap.lon, decS, ghaS, &lha, &hc2, &az2);
        const Pos p1 = shift((hoM - hc1) * 60.0, ap.lat, ap.lon, az1);
        const Pos p2 = shift((hoS - hc2) * 60.0, ap.lat, ap.lon, az2);
        Fix f = intersect(p1.lat, p1.lon, az1, p2.lat, p2.lon, az2);
        EXPECT_EQ(f.c, kLopGeneral);
        const double err = bestver(1, ap.lat, ap.lon * f.ynorm, f.xpos, f.ypos, f.ynorm);
        ap = Pos{f.lat, f.lon};
        if (err < 0.1 * nmi) break;
    }
    return gc_nmi(ap.lat, ap.lon, truth.lat, truth.lon);
}

TEST(FixIteration, ConvergesToTheTruePosition) {
    const struct { Pos truth; double decM, ghaM, decS, ghaS, start_course; } sights[] = {
        // Moon east of the meridian, star west of it.
        {{44.78, -17.19}, 12.0, 330.0, 25.0, 80.0, 225.0},
        // Southern hemisphere, Moon high in the north-west, star low in the
        // east.
        {{-33.9, 18.4}, 5.0, 1.6, -10.0, 280.0, 40.0},
        // Near the 180 deg meridian, starting on its other side.
        {{-20.0, 179.9}, -8.0, 160.0, 30.0, 230.0, 90.0},
        {{52.0, -179.95}, 20.0, 150.0, -5.0, 210.0, 270.0},
    };
    for (const auto& s : sights) {
        SCOPED_TRACE(s.truth.lat);
        int passes = 0;
        EXPECT_LT(iterate_fix(s.truth, s.decM, s.ghaM, s.decS, s.ghaS, s.start_course,
                              &passes),
                  0.05 * nmi);
        EXPECT_LT(passes, 10);
    }
}

}  // namespace
