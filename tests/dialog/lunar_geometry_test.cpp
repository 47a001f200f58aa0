// Closed-loop lunars: error-free observations built from plain topocentric
// geometry (an observer on the WGS84 ellipsoid, the bodies at their
// geocentric places and distances, the limb's own semi-diameter,
// atmospheric refraction, dip), typed into the whole dialog from a wrong
// position and a wrong clock.  The dialog must come back to the instant and
// the place the observations were made at.
//
// Nothing of the program's altitude corrections, apparent altitudes,
// clearing or sight reduction goes into the observations: only the
// geocentric places (right ascension, declination, Greenwich hour angle)
// and the horizontal parallaxes from the ephemeris routines.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "dialog_harness.h"
#include "ephemeris/ephemeris.h"
#include "foundations/foundations.h"
#include "navigation/navcalc.h"
#include "dialog/sight.h"

namespace {

using namespace lunarfix_test;
using lunarfix::DialogStep;
using lunarfix::RunState;
using Lines = std::vector<std::string>;
using lunarfix_test::operator+;  // answer lists; Vec has its own below
using LunarGeometry = InTempDir;  // every case runs the dialog

constexpr double nm = arcmin;  // one nautical mile of a great circle
constexpr double kPi = 3.141592653589793;
constexpr double rad = kPi / 180.0;

// Physical constants of the geometry (km).
constexpr double kEarthEquatorial = 6378.14;  // scale of the parallaxes
constexpr double kWgs84A = 6378.137;
constexpr double kWgs84F = 1.0 / 298.257223563;
constexpr double kMoonRadius = 1737.4;
constexpr double kSunRadius = 696000.0;

// ------------------------------------------------------------- vectors

struct Vec {
    double x, y, z;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec operator*(double k, Vec a) { return {k * a.x, k * a.y, k * a.z}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec cross(Vec a, Vec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z,
            a.x * b.y - a.y * b.x};
}
double norm(Vec a) { return std::sqrt(dot(a, a)); }
Vec unit(Vec a) { return (1.0 / norm(a)) * a; }

// Earth-fixed frame: x to the Greenwich meridian on the equator, y to 90 E,
// z to the north pole.  A body at Greenwich hour angle g (westward) and
// declination d stands over the longitude -g.
Vec earth_fixed(double gha, double dec) {
    return {std::cos(dec * rad) * std::cos(-gha * rad),
            std::cos(dec * rad) * std::sin(-gha * rad), std::sin(dec * rad)};
}

// ------------------------------------------------------------- the sky

// Which bodies and which limbs a lunar uses.
struct Lunar {
    int year, month, day, hour, min, sec;  // UTC of the observations
    int moon;                              // 2 lower, 3 upper limb
    int body;                              // BodyCode of the second sight
    int star;                              // StarIndex for body 8
    int limb;                              // 1 NEAR, 2 FAR
};

// Delta T as the dialog takes it for the date (typed into the dialog too).
double delta_t(const Lunar& l) { return lunarfix::deltatime(l.year, l.month); }

// Geocentric place of a body: Earth-fixed unit vector, distance (km;
// 0 for a star at infinity), radius (km) of its disc (0: a point).
struct Place {
    Vec dir;
    double dist;
    double radius;
    double ra, dec;
};

Place moon_place(const Lunar& l, int dsec = 0) {
    double dec, gha, ghaa, ra, hp, sd;
    lunarfix::mooneph(1, delta_t(l), l.year, l.month, l.day, l.hour, l.min,
                      l.sec + dsec, &dec, &gha, &ghaa, &ra, &hp, &sd);
    return {earth_fixed(gha, dec), kEarthEquatorial / std::sin(hp / 60.0 * rad),
            kMoonRadius, ra, dec};
}

Place body_place(const Lunar& l, int dsec = 0) {
    const double dt = delta_t(l);
    const int s = l.sec + dsec;
    double dec, gha, ghaa, ra, hp, sd, jde, sha;
    if (l.body == 0 || l.body == 1) {
        lunarfix::suneph(dt, l.year, l.month, l.day, l.hour, l.min, s, &dec,
                         &gha, &ghaa, &ra, &hp, &sd, &jde);
        return {earth_fixed(gha, dec),
                kEarthEquatorial / std::sin(hp / 60.0 * rad), kSunRadius, ra,
                dec};
    }
    if (l.body >= 4 && l.body <= 7) {
        lunarfix::planeteph(l.body, dt, l.year, l.month, l.day, l.hour, l.min,
                            s, &dec, &gha, &ghaa, &ra, &hp);
        return {earth_fixed(gha, dec),
                kEarthEquatorial / std::sin(hp / 60.0 * rad), 0.0, ra, dec};
    }
    lunarfix::starseph(1, l.star, dt, l.year, l.month, l.day, l.hour, l.min, s,
                       &dec, &gha, &ghaa, &ra, &sha);
    return {earth_fixed(gha, dec), 0.0, 0.0, ra, dec};
}

// True geocentric distance between the Moon and the body, degrees.
double geocentric_distance(const Lunar& l, int dsec = 0) {
    return std::acos(dot(moon_place(l, dsec).dir, body_place(l, dsec).dir)) /
           rad;
}

// ------------------------------------------------------------ observer

struct Observer {
    double lat, lon;  // geodetic, degrees (north, east positive)
    double eye;       // height of eye, metres
};

Vec observer_position(const Observer& o) {
    const double e2 = kWgs84F * (2.0 - kWgs84F);
    const double sl = std::sin(o.lat * rad), cl = std::cos(o.lat * rad);
    const double n = kWgs84A / std::sqrt(1.0 - e2 * sl * sl);
    const double h = o.eye / 1000.0;
    return {(n + h) * cl * std::cos(o.lon * rad),
            (n + h) * cl * std::sin(o.lon * rad), (n * (1.0 - e2) + h) * sl};
}

// Local frame of the observer: up along the ellipsoid normal, east, north.
struct Frame {
    Vec up, east, north;
};
Frame local_frame(const Observer& o) {
    const double sl = std::sin(o.lat * rad), cl = std::cos(o.lat * rad);
    const double so = std::sin(o.lon * rad), co = std::cos(o.lon * rad);
    return {{cl * co, cl * so, sl}, {-so, co, 0.0}, {-sl * co, -sl * so, cl}};
}

// Refraction (degrees) of a body at true altitude h (degrees) at 10 C and
// 1010 hPa: Saemundsson's formula, Sky & Telescope 72 (1986) 70.
double refraction(double h) {
    return 1.02 / std::tan((h + 10.3 / (h + 5.11)) * rad) / 60.0;
}

// What the observer sees of one body: the true topocentric altitude and
// azimuth of its centre, its topocentric semi-diameter, and the apparent
// (refracted) direction of its centre.
struct Seen {
    double alt, az;  // true topocentric altitude and azimuth of the centre
    double sd;       // topocentric semi-diameter, degrees
    Vec apparent;    // unit vector toward the refracted centre
};

Vec direction(const Frame& f, double alt, double az) {
    return std::cos(alt * rad) * std::cos(az * rad) * f.north +
           std::cos(alt * rad) * std::sin(az * rad) * f.east +
           std::sin(alt * rad) * f.up;
}

Seen see(const Observer& o, const Place& p) {
    const Frame f = local_frame(o);
    Vec v = p.dir;  // a star: the direction itself
    if (p.dist > 0.0) v = p.dist * p.dir - observer_position(o);
    Seen s;
    s.alt = std::asin(dot(v, f.up) / norm(v)) / rad;
    s.az = std::atan2(dot(v, f.east), dot(v, f.north)) / rad;
    s.sd = p.radius > 0.0 ? std::asin(p.radius / norm(v)) / rad : 0.0;
    s.apparent = direction(f, s.alt + refraction(s.alt), s.az);
    return s;
}

// Sextant altitude of a limb (limb = +1 lower, -1 upper, 0 the centre):
// the refracted altitude of the limb above the sea horizon, which the dip
// 1.76' * sqrt(height of eye) lowers.
double sextant_altitude(const Seen& s, int limb, double eye) {
    const double h = s.alt - limb * s.sd;
    return h + refraction(h) + 1.76 * std::sqrt(eye) / 60.0;
}

int limb_of(int code) {
    if (code == 0 || code == 2) return 1;
    if (code == 1 || code == 3) return -1;
    return 0;
}

// The sextant readings of a lunar.
struct Readings {
    double hs_moon, hs_body;  // degrees
    double distance;          // from the chosen limb of the Moon, degrees
    Seen moon, body;
};

Readings observe(const Lunar& l, const Observer& o) {
    Readings r;
    r.moon = see(o, moon_place(l));
    r.body = see(o, body_place(l));
    r.hs_moon = sextant_altitude(r.moon, limb_of(l.moon), o.eye);
    r.hs_body = sextant_altitude(r.body, limb_of(l.body), o.eye);
    // The distance between the refracted centres, less (near limb) or more
    // (far limb) the Moon's semi-diameter, and for the Sun less its own
    // (the near limbs of both are brought together).
    double d = std::acos(dot(r.moon.apparent, r.body.apparent)) / rad;
    d += (l.limb == 1 ? -1.0 : 1.0) * r.moon.sd;
    if (l.body == 0 || l.body == 1) d -= r.body.sd;
    r.distance = d;
    return r;
}

// A place from which the Moon's centre stands about hm and the body's about
// hb degrees high: where the circles of those altitudes around the two
// geographic positions cross (side +1 or -1 of the great circle through
// them).
Observer place_for(const Lunar& l, double hm, double hb, int side,
                   double eye) {
    const Vec a = moon_place(l).dir, b = body_place(l).dir;
    const double c = dot(a, b);
    const double ca = std::cos((90.0 - hm) * rad), cb = std::cos((90.0 - hb) * rad);
    const double al = (ca - c * cb) / (1.0 - c * c);
    const double be = (cb - c * ca) / (1.0 - c * c);
    const Vec n = cross(a, b);
    const double g2 = (1.0 - al * al - be * be - 2.0 * al * be * c) / dot(n, n);
    EXPECT_GT(g2, 0.0) << "no place sees both bodies at those altitudes";
    const Vec x = unit(al * a + be * b + side * std::sqrt(std::fmax(g2, 0.0)) * n);
    // Geodetic latitude of the point of the ellipsoid below x (close enough:
    // the altitudes only need to be about right).
    const double phic = std::asin(x.z);
    const double phi = std::atan(std::tan(phic) / ((1.0 - kWgs84F) * (1.0 - kWgs84F)));
    return {phi / rad, std::atan2(x.y, x.x) / rad, eye};
}

// ------------------------------------------------------------ the dialog

// The answers of a whole run: ΔT, 10 C and 1010 hPa typed on the
// earth-conditions screen, the assumed position and clock, the two sights,
// index correction 0, and the lunar distance with the given side answer
// (1 EAST, 2 WEST); then 9 at the first menu that reads.
Lines answers(const Lunar& l, const Observer& o, const Readings& r,
              double lat, double lon, int clock_sec, int side) {
    return Lines{"", "", "", fmt("%d %d %d", l.year, l.month, l.day),
                 fmt("%d %d %d", clock_sec / 3600, clock_sec / 60 % 60,
                     clock_sec % 60),
                 "1", fmt("%.3f", delta_t(l)), "10", "1010", "",
                 deg_min(lat), deg_min(lon), fmt("%d", l.moon), "0",
                 fmt("%.2f", o.eye), deg_min(r.hs_moon), "", ""} +
           second_sight_and_distance(l.body, l.star, r.hs_body, l.limb, side,
                                     r.distance) +
           Lines{"9", ""};
}

// The side a navigator reads off: east when the body's right ascension runs
// ahead of the Moon's.
int side_by_right_ascension(const Lunar& l) {
    double d = std::fmod(body_place(l).ra - moon_place(l).ra + 720.0, 360.0);
    return d < 180.0 ? 1 : 2;
}

struct Outcome {
    DialogRun run;
    double clock_error;     // hours
    double position_error;  // nautical miles
};

// The dialog started 20' of latitude and 30' of longitude off and with
// the clock 6 minutes late.
Outcome solve(const Lunar& l, const Observer& o, int side) {
    const Readings r = observe(l, o);
    const int t = l.hour * 3600 + l.min * 60 + l.sec;
    Outcome out;
    out.run = run_dialog(script(
        answers(l, o, r, o.lat + 20.0 * arcmin, o.lon - 30.0 * arcmin,
                t + 360, side)));
    const RunState& st = out.run.state;
    out.clock_error = (st.sight1.hour * 3600 + st.sight1.min * 60 +
                       st.sight1.sec - t) * second;
    const double dn = (st.latitudep - o.lat) * 60.0;
    const double de = angdiff(st.longitudep, o.lon) * 60.0 * std::cos(o.lat * rad);
    out.position_error = std::hypot(dn, de) * nm;
    return out;
}

// The clearing leaves a few arcseconds of the distance uncleared: it
// ignores the flattening of the Moon's disc by refraction and takes the
// Earth's flattening only to first order, and its refraction is another
// formula than the sky's near the horizon.  One arcsecond of distance is
// 1.8 s of clock and about a quarter of a mile of longitude, so a sound
// lunar ends within 20 s of clock and 5 nautical miles.
constexpr double kClockTolerance = 20.0 * second;
constexpr double kPositionTolerance = 5.0 * nm;

void expect_found(const Outcome& o, const char* what,
                  double clock_tolerance = kClockTolerance,
                  double position_tolerance = kPositionTolerance) {
    EXPECT_EQ(o.run.status, 0) << what;
    EXPECT_FALSE(o.run.ended) << what;
    EXPECT_EQ(o.run.menu_reads, 1) << what;
    EXPECT_LT(std::fabs(o.run.state.dist), 0.1) << what;
    EXPECT_LE(std::fabs(o.clock_error), clock_tolerance)
        << what << ": clock off by " << o.clock_error / second << " s";
    EXPECT_LE(o.position_error, position_tolerance)
        << what << ": position off by " << o.position_error / nm << " nm";
}

struct Case {
    const char* what;
    Lunar lunar;
    double hm, hb;  // about the altitudes of the Moon and the body
    int side;       // of the great circle through the two bodies
};

void check_case(const Case& c) {
    const Observer o = place_for(c.lunar, c.hm, c.hb, c.side, 3.0);
    Outcome out = solve(c.lunar, o, side_by_right_ascension(c.lunar));
    expect_found(out, c.what);
}

// -------------------------------------------------------------- cases

TEST_F(LunarGeometry, MoonLowerLimbVenusEastNearLimb) {
    check_case({"Moon lower limb, Venus", {2017, 6, 17, 4, 10, 0, 2, 4, 0, 1},
                35.0, 25.0, 1});
}

TEST_F(LunarGeometry, MoonUpperLimbVenusEastNearLimb) {
    check_case({"Moon upper limb, Venus", {2017, 6, 17, 4, 10, 0, 3, 4, 0, 1},
                35.0, 25.0, 1});
}

TEST_F(LunarGeometry, MoonUpperLimbStarWestFarLimb) {
    check_case({"Moon upper limb, Altair, far limb",
                {2017, 6, 17, 3, 50, 30, 3, 8, 12, 2}, 40.0, 30.0, -1});
}

TEST_F(LunarGeometry, SunLowerLimb) {
    check_case({"Sun lower limb", {2017, 6, 17, 8, 0, 0, 2, 0, 0, 1}, 30.0,
                45.0, 1});
}

TEST_F(LunarGeometry, SunUpperLimbMoonUpperLimb) {
    check_case({"Sun upper limb, Moon upper limb",
                {2017, 6, 17, 8, 0, 0, 3, 1, 0, 1}, 50.0, 20.0, -1});
}

TEST_F(LunarGeometry, SaturnBelowFiveDegreesWestFarLimb) {
    // A point of light low down: its sight and the distance get 11' of
    // refraction.  (The Moon's own disc that low would be flattened by
    // refraction by about half an arcminute, which the clearing ignores.)
    check_case({"Saturn at 4 deg, far limb",
                {2017, 6, 17, 3, 0, 0, 2, 7, 0, 2}, 45.0, 4.0, 1});
}

TEST_F(LunarGeometry, StarNorthOfTheMoonWestButClosing) {
    // Altair stands almost due north of the Moon and a little west of it in
    // right ascension, yet the distance closes: the side answer WEST, read
    // off the right ascensions, would correct the clock the wrong way.
    const Lunar l{2103, 4, 28, 20, 46, 0, 2, 8, 12, 1};
    EXPECT_EQ(side_by_right_ascension(l), 2);
    EXPECT_LT(geocentric_distance(l, 180) - geocentric_distance(l, -180),
              0.0);
    const Observer o = place_for(l, 40.0, 35.0, 1, 3.0);
    Outcome out = solve(l, o, 2);
    expect_found(out, "Altair 2103");
    EXPECT_TRUE(has(out.run.out, " !!! The distance to Altair is closing: "
                                 "corrected as for EAST\n"));
}

TEST_F(LunarGeometry, WrongSideAnswerEndsWhereTheRightOneDoes) {
    const Lunar l{2017, 6, 17, 4, 10, 0, 2, 4, 0, 1};
    ASSERT_EQ(side_by_right_ascension(l), 1);
    const Observer o = place_for(l, 35.0, 25.0, 1, 3.0);
    Outcome right, wrong;
    {
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        right = solve(l, o, 1);
    }
    {
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        wrong = solve(l, o, 2);
    }
    expect_found(wrong, "Venus answered WEST");
    EXPECT_EQ(count(wrong.run.out, " !!! The distance to Venus is closing: "
                                   "corrected as for EAST\n"),
              1);
    EXPECT_FALSE(has(right.run.out, " !!! The distance to "));
    const RunState& a = right.run.state;
    const RunState& b = wrong.run.state;
    EXPECT_EQ(b.sight1.hour * 3600 + b.sight1.min * 60 + b.sight1.sec,
              a.sight1.hour * 3600 + a.sight1.min * 60 + a.sight1.sec);
    EXPECT_NEAR(b.latitudep, a.latitudep, 0.1 * nm);
    EXPECT_NEAR(b.longitudep, a.longitudep, 0.1 * nm);
    // The side used is the one the run goes on with (and saves).
    EXPECT_EQ(b.signdist, 1);
}

TEST_F(LunarGeometry, SlowLunarIsFlagged) {
    // Near the closest approach of the Moon and Altair the distance hardly
    // changes: 0.1' of distance is minutes of clock.
    const Lunar l{1999, 6, 3, 8, 49, 0, 2, 8, 12, 1};
    const double rate =
        (geocentric_distance(l, 180) - geocentric_distance(l, -180)) / 0.1;
    ASSERT_LT(std::fabs(rate), 0.05);
    const Observer o = place_for(l, 40.0, 40.0, 1, 3.0);
    Outcome out = solve(l, o, side_by_right_ascension(l));
    const std::string& s = out.run.out;
    const std::size_t result = s.rfind(" ~~~~~~~~~~~~~~~ LUNAR RESULT");
    ASSERT_NE(result, std::string::npos);
    const std::size_t err = s.find(" Final Position Error = ", result);
    ASSERT_NE(err, std::string::npos);
    const std::size_t slow = s.find('\n', err) + 1;
    const std::string head = " !!! Slow lunar: distance changes ";
    EXPECT_EQ(s.compare(slow, head.size(), head), 0) << s.substr(err, 200);
    // The rate and the seconds of clock that 0.1' is worth at it.
    double shown = 0.0, worth = 0.0;
    ASSERT_EQ(std::sscanf(s.c_str() + slow,
                          " !!! Slow lunar: distance changes %lf deg/h, "
                          "0.1' = %lf s of clock",
                          &shown, &worth),
              2);
    EXPECT_NEAR(shown, std::fabs(rate), 0.005);
    const double expected = 0.1 / 60.0 / std::fabs(rate) * 3600.0;
    EXPECT_NEAR(worth, expected, 0.02 * expected);
}

TEST_F(LunarGeometry, SlowLunarsEndWhereTheSightsPutThemAnsweredEitherWay) {
    // Near the closest approach of the Moon and a star far off the ecliptic
    // the side read off the right ascensions can disagree with the closing
    // or opening of the distance.  Whichever side is answered, the run must
    // end where the sights put it: within 20 s of clock and 8" of distance
    // at the lunar's rate (1 deg/h is 1" a second), and within 5 miles and
    // a quarter mile for every second of clock error.
    struct Row {
        const char* what;
        Lunar lunar;
        Observer at;  // eye 0: a place seeing both at about 40 deg
        int side;     // the answer, 1 EAST 2 WEST
    };
    const Observer pacific{7.0 + 29.7 / 60.0, -130.0, 3.0};
    const Lunar altair{1999, 6, 3, 8, 48, 54, 2, 8, 12, 2};
    const Lunar kochab{2021, 1, 2, 13, 0, 0, 2, 8, 35, 1};
    const Row rows[] = {
        {"Altair 1999 answered WEST (closing)", altair, pacific, 2},
        {"Altair 1999 answered EAST", altair, pacific, 1},
        {"Kochab 2021 answered EAST (opening)", kochab, {0.0, 0.0, 0.0}, 1},
        {"Kochab 2021 answered WEST", kochab, {0.0, 0.0, 0.0}, 2},
    };
    for (const Row& row : rows) {
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        const Lunar& l = row.lunar;
        const double rate =
            (geocentric_distance(l, 180) - geocentric_distance(l, -180)) /
            0.1;
        ASSERT_GT(std::fabs(rate), 0.001) << row.what;
        ASSERT_LT(std::fabs(rate), 0.05) << row.what;
        const Observer o =
            row.at.eye > 0.0 ? row.at : place_for(l, 40.0, 40.0, 1, 3.0);
        const Outcome out = solve(l, o, row.side);
        const double clock_tolerance =
            20.0 * second + 8.0 / std::fabs(rate) * second;
        expect_found(out, row.what, clock_tolerance,
                     5.0 * nm + 0.25 * nm * std::fabs(out.clock_error) / second);
        EXPECT_TRUE(has(out.run.out, " !!! Slow lunar: distance changes "))
            << row.what;
    }
    // The side read off the right ascensions disagrees with the distance
    // in both lunars.
    EXPECT_EQ(side_by_right_ascension(altair), 2);
    EXPECT_LT(geocentric_distance(altair, 180), geocentric_distance(altair, -180));
    EXPECT_EQ(side_by_right_ascension(kochab), 1);
    EXPECT_GT(geocentric_distance(kochab, 180), geocentric_distance(kochab, -180));
}

TEST_F(LunarGeometry, BriskLunarIsNotFlagged) {
    const Lunar l{2017, 6, 17, 4, 10, 0, 2, 4, 0, 1};
    Outcome out = solve(l, place_for(l, 35.0, 25.0, 1, 3.0), 1);
    EXPECT_FALSE(has(out.run.out, "Slow lunar"));
}

// ------------------------------------------- lines crossing at an angle

// The angle at which the lines of position of a lunar cross at a place:
// the azimuths of the two bodies as seen from there, folded to 0..90.
double crossing_at(const Lunar& l, const Observer& o) {
    const Readings r = observe(l, o);
    return std::fabs(std::remainder(r.moon.az - r.body.az, 180.0));
}

TEST_F(LunarGeometry, NarrowCrossingOfTheLinesIsFlagged) {
    struct Row {
        const char* what;
        Lunar lunar;
        Observer at;  // eye 0: a place seeing the Moon at 35, the body at 25
        bool narrow;  // the lines cross at less than 10 deg
    };
    const Row rows[] = {
        // The Moon and Altair about 2 deg apart in azimuth: the circles of
        // equal altitude cross twice within some 120 miles, and between the
        // crossings they run side by side.
        {"Altair 1985", {1985, 3, 14, 20, 32, 52, 2, 8, 12, 1},
         {25.0 + 13.79 / 60.0, -(173.0 + 3.79 / 60.0), 1.9}, true},
        {"Venus 2017", {2017, 6, 17, 4, 10, 0, 2, 4, 0, 1}, {0.0, 0.0, 0.0},
         false},
    };
    const std::string head = " !!! Lines of position cross at ";
    for (const Row& row : rows) {
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        const Observer o = row.at.eye > 0.0
                               ? row.at
                               : place_for(row.lunar, 35.0, 25.0, 1, 3.0);
        const double angle = crossing_at(row.lunar, o);
        ASSERT_EQ(angle < 10.0, row.narrow) << row.what << ": " << angle;
        if (!row.narrow) {
            EXPECT_GE(angle, 40.0) << row.what;
        }
        const Outcome out =
            solve(row.lunar, o, side_by_right_ascension(row.lunar));
        const std::string& s = out.run.out;
        const std::size_t result = s.rfind(" ~~~~~~~~~~~~~~~ LUNAR RESULT");
        ASSERT_NE(result, std::string::npos) << row.what;
        const std::size_t line = s.find(head, result);
        ASSERT_EQ(line != std::string::npos, row.narrow) << row.what;
        if (!row.narrow) continue;
        // Right after the position lines and the converged line.
        const std::string converged =
            " This is actual POSITION, deviat.< 0.1nm\n";
        EXPECT_EQ(s.compare(line - converged.size(), converged.size(),
                            converged),
                  0)
            << s.substr(result, 1200);
        // The angle of the lines through the fix the program ended at, as
        // the bodies are seen from there.
        double shown = -1.0;
        ASSERT_EQ(std::sscanf(s.c_str() + line,
                              " !!! Lines of position cross at %lf deg: the "
                              "position is uncertain along them\n",
                              &shown),
                  1);
        const RunState& st = out.run.state;
        EXPECT_NEAR(shown, crossing_at(row.lunar, {st.latitudep, st.longitudep,
                                                   o.eye}),
                    0.15)
            << row.what;
    }
}

// ------------------------------------------------------- one low sight

TEST(LowSight, CentreBelowTheHorizonKeepsItsSign) {
    // The Sun's lower limb just on the sea horizon from 10 m: its centre
    // stands below the true horizon.  Reduced at the very place it was
    // taken from, the sight must give an intercept of about nothing.
    const Lunar l{2017, 6, 17, 19, 0, 0, 2, 0, 0, 1};
    double dec, gha, ghaa, ra, hp, sd, jde;
    lunarfix::suneph(delta_t(l), l.year, l.month, l.day, l.hour, l.min, l.sec,
                     &dec, &gha, &ghaa, &ra, &hp, &sd, &jde);
    // A place where the Sun's centre is 0.3 deg below the true horizon,
    // west of the Sun's geographic position.
    const Observer o{40.0, -gha + 90.0, 10.0};
    Observer at = o;
    // Move along the parallel until the centre's true altitude is -0.3 deg.
    for (int k = 0; k < 60; ++k) {
        const Seen s = see(at, body_place(l));
        at.lon += (s.alt + 0.3) / std::cos(at.lat * rad) * 0.9;
    }
    const Seen sun = see(at, body_place(l));
    ASSERT_NEAR(sun.alt, -0.3, 0.001);
    lunarfix::SightInput in;
    set_date_time(&in, l.year, l.month, l.day, l.hour, l.min, l.sec);
    in.iur = 0;
    in.DeltaTT = delta_t(l);
    in.lat = at.lat;
    in.lon = at.lon;
    in.hs = sextant_altitude(sun, 1, at.eye);
    in.indb = 0.0;
    in.aug = at.eye;
    in.temperature = 10.0;
    in.pressure = 1010.0;
    lunarfix::SightResult r;
    lunarfix::sight_compute(in, &r);
    EXPECT_LT(r.ho, 0.0);
    // Near the horizon two refraction formulas part by some tenths of an
    // arcminute: a mile covers that, the mirror image above the horizon
    // is 35 miles off.
    EXPECT_NEAR(r.hdif, 0.0, 1.0);
}

}  // namespace
