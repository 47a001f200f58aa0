// The lunar-distance pass, the fix and the result menu run in-process:
// observations made up from the program's own ephemerides at a known
// position and time are solved back from a wrong assumed position and
// clock; the result menu's answers; the checks and failures of the fix and
// of the clearing, set up directly in the run state.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "dialog_harness.h"
#include "ephemeris/ephemeris.h"
#include "foundations/foundations.h"
#include "navigation/navcalc.h"
#include "dialog/remembered_inputs.h"
#include "dialog/sight.h"

namespace {

using namespace lunarfix_test;
using lunarfix::DialogStep;
using lunarfix::RunState;
using Lines = std::vector<std::string>;
using LunarRun = InTempDir;
using LunarMenu = InTempDir;
using LunarFix = InTempDir;
using LunarPass = InTempDir;


constexpr double nm = arcmin;  // one nautical mile of latitude

// ------------------------------------------------------------------------
// Made-up observations: the sextant altitudes and the lunar distance that
// a navigator at (lat, lon) would read at the given UTC, computed with the
// program's own sight computation and clearing, so that the dialog has an
// exact solution to find.

struct Truth {
    int year, month, day, hour, min, sec;
    double lat, lon;
    int body;  // BodyCode of the second sight
    int star;  // StarIndex when body is 8
};

struct Observation {
    double hs_moon;   // sextant altitude of the Moon's lower limb, degrees
    double hs_body;   // sextant altitude of the second body, degrees
    double ld_limb;   // measured distance from the Moon's near limb, degrees
    double ld_true;   // geocentric distance at the true time, degrees
    int side;         // 1 EAST, 2 WEST of the Moon
    double sda_moon;  // the Moon's augmented semi-diameter, degrees
};

// Sextant altitude whose observed altitude equals the computed one.
double sextant_for(RunState* rs, lunarfix::SightResult* r) {
    double hs = 20.0;
    lunarfix::sight_compute(lunarfix::sight_input(*rs, hs), r);
    hs = r->hc;
    for (int k = 0; k < 20; ++k) {
        lunarfix::sight_compute(lunarfix::sight_input(*rs, hs), r);
        hs += r->hc - r->ho;
    }
    return hs;
}

Observation observe(const Truth& t) {
    RunState rs;
    rs.DeltaTT = lunarfix::deltatime(t.year, t.month);
    rs.indb = 0.0;
    rs.aug = 1.83;
    rs.temperature = 16.1;
    rs.pressure = 1026.4;
    set_date_time(&rs.work, t.year, t.month, t.day, t.hour, t.min, t.sec);
    rs.latitude1 = rs.latitude2 = t.lat;
    rs.longitude1 = rs.longitude2 = t.lon;

    Observation o;
    lunarfix::SightResult m, b;
    rs.nobs = 1;
    rs.work.iur = 2;
    o.hs_moon = sextant_for(&rs, &m);
    rs.nobs = 2;
    rs.work.iur = t.body;
    rs.work.idstar = t.star;
    o.hs_body = sextant_for(&rs, &b);

    o.ld_true = lunarfix::LDist(m.dec, b.dec, m.ra, b.ra);
    double d = o.ld_true;
    for (int k = 0; k < 50; ++k)
        d += o.ld_true - lunarfix::Lunaclear(d, m.ho, b.ho, m.happ, b.happ,
                                             m.az, b.az, m.hpa / 60.0, t.lat);
    o.sda_moon = m.sda / 60.0;
    o.ld_limb = d - o.sda_moon;
    if (t.body == 0 || t.body == 1) o.ld_limb -= b.sd / 60.0;
    // East of the Moon: the body's right ascension runs ahead of the Moon's.
    double dra = lunarfix::lim180(lunarfix::norm360(b.ra - m.ra));
    o.side = dra > 0.0 ? 1 : 2;
    return o;
}

// The answers of a whole run: the first sight at the assumed position and
// clock, the second sight, and the lunar distance; every later prompt is
// answered by the program itself until the menu reads.
Lines run_answers(const Truth& t, const Observation& o, int h, int m, int s,
                  double lat, double lon) {
    return Lines{"", "", "", fmt("%d %d %d", t.year, t.month, t.day),
                 fmt("%d %d %d", h, m, s), "", deg_min(lat), deg_min(lon), "2",
                 "0", "1.83", deg_min(o.hs_moon), "", ""} +
           second_sight_and_distance(t.body, t.star, o.hs_body, 1, o.side,
                                     o.ld_limb);
}

struct Solved {
    Observation obs;  // what was typed
    DialogRun run;
    double clock_error;  // hours
};

// Runs the dialog from a wrong position (dlat, dlon degrees off) and clock
// (dsec seconds off) and stops at the first answer the menu reads.
Solved solve(const Truth& t, double dlat, double dlon, int dsec) {
    Solved s;
    s.obs = observe(t);
    int total = t.hour * 3600 + t.min * 60 + t.sec + dsec;
    Lines l = run_answers(t, s.obs, total / 3600, total / 60 % 60, total % 60,
                          t.lat + dlat, t.lon + dlon);
    l.push_back("9");
    l.push_back("");
    s.run = run_dialog(script(l));
    const RunState& st = s.run.state;
    double clock = st.sight1.hour + st.sight1.min / 60.0 + st.sight1.sec / 3600.0;
    s.clock_error = clock - (t.hour + t.min / 60.0 + t.sec / 3600.0);
    return s;
}

void expect_solved(const Solved& s, const Truth& t, const char* what) {
    const RunState& st = s.run.state;
    EXPECT_EQ(s.run.status, 0) << what;
    EXPECT_FALSE(s.run.ended) << what;
    EXPECT_EQ(s.run.passes, 31) << what;
    EXPECT_EQ(s.run.menu_reads, 1) << what;
    EXPECT_LT(std::fabs(st.dist), 0.1) << what;
    // Whole seconds of clock time: 1 s moves the fix by 0.25' of longitude.
    EXPECT_LE(std::fabs(s.clock_error), 1.01 * second) << what;
    EXPECT_NEAR(st.latitudep, t.lat, 0.3 * nm) << what;
    EXPECT_NEAR(st.longitudep, t.lon, 0.4 * nm / std::cos(t.lat / 57.3))
        << what;
    std::string last = s.run.out.substr(s.run.out.rfind("LUNAR RESULT"));
    EXPECT_TRUE(has(last, " ==> POSITION has CONVERGED:\n")) << what;
    EXPECT_TRUE(has(s.run.out, ">> fixed: write moondist0x2.txt ")) << what;
}

// ----------------------------------------------------------- whole runs

TEST_F(LunarRun, PlanetEastOfTheMoon) {
    Truth t{2017, 6, 17, 4, 10, 0, 44.5, -17.5, 4, 33};
    Solved s = solve(t, 0.25, -0.3, 150);
    EXPECT_EQ(s.obs.side, 1);
    expect_solved(s, t, "Venus");
    EXPECT_TRUE(has(s.run.out, " MOON: SDa="));
    EXPECT_TRUE(has(s.run.out, "', Planet= Venus\n"));
    // The first correction moved the clock back by about the 150 s.
    EXPECT_TRUE(has(s.run.out, " Time corrected by 0 hours -2 min\n"));
}

TEST_F(LunarRun, StarWestOfTheMoon) {
    Truth t{2017, 6, 17, 3, 50, 30, 45.0, -16.0, 8, 12};  // Altair
    Solved s = solve(t, -0.2, 0.2, -100);
    EXPECT_EQ(s.obs.side, 2);
    expect_solved(s, t, "Altair");
    EXPECT_TRUE(has(s.run.out, " - Star selected: 12=Altair\n"));
    EXPECT_TRUE(has(s.run.out, " GHA_STAR 12 > Altair= "));
    EXPECT_TRUE(has(s.run.out, "', Star= 12 > Altair \n"));
    // West of the Moon: a clock 100 s slow is moved forward.
    EXPECT_TRUE(has(s.run.out, " Time corrected by 0 hours 1 min\n"));
}

TEST_F(LunarRun, SunAlwaysNearLimb) {
    Truth t{2017, 6, 17, 8, 0, 0, 44.0, -17.0, 0, 33};
    Solved s = solve(t, 0.2, 0.2, 60);
    expect_solved(s, t, "Sun");
    EXPECT_TRUE(has(s.run.out, " for SUN always NEAR limb assumed!\n\n"
                               " LUNAR DISTANCE = degrees  minutes:\n"));
    EXPECT_TRUE(has(s.run.out, "', Lunar Distance to SUN\n"));
    EXPECT_TRUE(has(s.run.out, " GHA of SUN = "));
    // The Sun's semi-diameter is added to the measured distance.
    const RunState& st = s.run.state;
    EXPECT_NEAR(st.LDapp,
                st.LD_limb + st.SDamoon / 60.0 + st.SDsun / 60.0, 1e-5 * deg);
    EXPECT_GT(st.SDsun, 15.0);
}

TEST_F(LunarRun, SaturnWestAndFarLimb) {
    Truth t{2017, 6, 17, 3, 0, 0, 44.0, -17.0, 7, 33};
    Observation o = observe(t);
    EXPECT_EQ(o.side, 2);
    // The same observation given from the far limb: the semi-diameter is
    // then subtracted, so the distance typed is larger by two of them.
    Lines l = run_answers(t, o, 3, 1, 0, 44.1, -17.1);
    const std::size_t limb = l.size() - 4;  // limb, side, distance, ENTER
    ASSERT_EQ(l[limb], "1");
    l[limb] = "2";
    l[limb + 2] = deg_min(o.ld_limb + 2.0 * o.sda_moon);
    l.push_back("9");
    l.push_back("");
    DialogRun r = run_dialog(script(l));
    EXPECT_EQ(r.state.xnear, 2.0);
    EXPECT_EQ(r.state.signdist, -1);
    EXPECT_EQ(r.passes, 31);
    EXPECT_LT(std::fabs(r.state.dist), 0.1);
    EXPECT_NEAR(r.state.latitudep, 44.0, 0.3 * nm);
    EXPECT_NEAR(r.state.longitudep, -17.0, 0.6 * nm);
    EXPECT_EQ(r.state.sight1.hour * 3600 + r.state.sight1.min * 60 +
                  r.state.sight1.sec,
              3 * 3600 + 0 * 60 + 0);
    EXPECT_TRUE(has(r.out, "', Planet= Saturn\n"));
}

TEST_F(LunarRun, SideAnswerAgainstTheEphemeridesIsOverruled) {
    // One observation answered once as EAST and once as WEST: the distance
    // to Venus closes, so both corrections go as for EAST, and the wrong
    // answer is told once.
    Truth t{2017, 6, 17, 4, 10, 0, 44.5, -17.5, 4, 33};
    Observation o = observe(t);
    double dz[2] = {0.0, 0.0};
    for (int side = 1; side <= 2; ++side) {
        Observation oo = o;
        oo.side = side;
        oo.ld_limb = o.ld_limb + 0.1;  // 0.1 deg too large
        // The run ends during the iteration.
        DialogRun r =
            run_in_fresh_dir(run_answers(t, oo, 4, 10, 0, t.lat, t.lon)).run;
        std::size_t p = r.out.find(" Time new/old[h]: t1=");
        ASSERT_NE(p, std::string::npos);
        double t1 = 0.0, t0 = 0.0;
        ASSERT_EQ(std::sscanf(r.out.c_str() + p, " Time new/old[h]: t1=%lf "
                                                 "t0=%lf",
                              &t1, &t0),
                  2);
        dz[side - 1] = t1 - t0;
        EXPECT_EQ(count(r.out, " !!! The distance to Venus is closing: "
                               "corrected as for EAST\n"),
                  side == 2 ? 1 : 0);
    }
    EXPECT_LT(dz[0], -0.1);  // east: back by about 0.18 h
    EXPECT_EQ(dz[0], dz[1]);
}

// ------------------------------------------------------------ result menu

TEST_F(LunarMenu, FixAgainOtherAnswerAndRestart) {
    Lines l = default_answers() + Lines{"0", "7", "-2", "1"} +
              Lines{"", "", "", "", "", "", "", "", "", "", "", ""} +
              Lines{"", "", "", ""} + Lines{"", "", "", ""} + Lines{"9", ""};
    DialogRun r = run_dialog(script(l));
    EXPECT_EQ(r.status, 0);
    EXPECT_FALSE(r.ended);
    // 0: the renewed second sight, the fix and the result once more.
    std::size_t first_read = r.out.find(" For FINAL CHECK, press again RETURN !");
    ASSERT_NE(first_read, std::string::npos);
    std::size_t renew = r.out.find(" Renewing Position 2 after sailing from "
                                   "Pos. 1\n", first_read);
    ASSERT_NE(renew, std::string::npos);
    std::string after = r.out.substr(renew);
    EXPECT_TRUE(has(after, " ~~~~~~~~~~~ [2.] Observation FINAL ~~~~~~~~ \n\n"));
    // Other answers show the menu again without the result screen.
    EXPECT_TRUE(has(after, " For FINAL CHECK, press again RETURN !\n"
                           " ## ENTER: 1=restart, 5=TALMAR, 9=stop:\n"
                           " For FINAL CHECK, press again RETURN !\n"
                           " ## ENTER: 1=restart, 5=TALMAR, 9=stop:\n"));
    // 1: a new run from the first sight, the lunar distance asked again.
    EXPECT_EQ(count(r.out, "[Default: 44 46.99 ] Input: "), 2);
    EXPECT_EQ(count(r.out, " ==> Enter LUNAR DISTANCE now:"), 2);
    EXPECT_EQ(count(r.out, " Time corrected by "), 2);
    EXPECT_EQ(r.passes, 62);
    EXPECT_EQ(r.menu_reads, 5);
    EXPECT_EQ(file_lines("moondist0x1.txt").size(), 10u);
}

TEST_F(LunarMenu, EnterAtReadingMenuStartsAnotherSeries) {
    DialogRun r = run_dialog(script(default_answers() + Lines{"", "5", "9", ""}));
    EXPECT_EQ(r.passes, 93);
    EXPECT_EQ(r.menu_reads, 3);
    EXPECT_EQ(count(r.out, " ==> Enter LUNAR DISTANCE now:"), 1);
}

TEST_F(LunarMenu, ConvergedMenuCopiesOnlyTheLatitude) {
    DialogRun r = run_dialog(script(default_answers() + Lines{"9", ""}));
    const RunState& st = r.state;
    EXPECT_EQ(st.sight1.latd, st.work.latd);
    EXPECT_DOUBLE_EQ(st.sight1.latmf, st.work.latmf);
    EXPECT_EQ(st.sight2.latd, st.work.latd);
    EXPECT_DOUBLE_EQ(st.sight2.latmf, st.work.latmf);
}

// ------------------------------------------------- steps set up directly

// A state as a converged default run leaves it at its result menu.
void converged_state(RunState* st) {
    st->timezero = 1;
    st->initluna = 1;
    st->latitude0 = 44.0 + 46.99 / 60.0;
    st->longitude0 = -17.0 - 11.6 / 60.0;
    st->hdif1 = 0.0;
    st->azim1 = 127.47;
    st->hdif2 = 0.0;
    st->azim2 = 79.88;
}

// A state ready for a lunar-distance pass: the default sights of the Moon
// and of the body `iur`, their altitudes, azimuths and the Moon's parallax.
void pass_state(RunState* st, int iur) {
    st->timezero = 1;
    st->initluna = 1;
    st->sight2.iur = iur;
    st->HMc = 25.286;
    st->HSc = 7.649;
    st->HMapp = 24.455;
    st->HSapp = 7.757;
    st->AZM = 127.47;
    st->AZS = 79.88;
    st->HPaMOON = 0.866;
}

// A dialog driven step by step from a set-up state, its transcript kept.
struct StepRig {
    CapturedConsole console;
    std::ostringstream& out = console.out;
    lunarfix::Dialog dialog{&lunarfix::readers()};
    // The input typed, and the state set up by `set_up` when given.
    explicit StepRig(const std::string& input,
                     void (*set_up)(RunState*) = nullptr) {
        console.feed(input);
        lunarfix::readers().reset();
        if (set_up) set_up(&st());
    }
    ~StepRig() { lunarfix::readers().reset(); }
    RunState& st() { return dialog.mutable_state(); }
    DialogStep step(DialogStep s) { return dialog.step(s); }
};

TEST_F(LunarMenu, FixAgainRunsFromTheFirstSightsComputedPosition) {
    // The converged menu copies the fix latitude into the sight records;
    // answer 0 still runs from the position at which the first sight was
    // computed, so the same sights give the same fix again.
    StepRig rig("0\n");
    RunState& st = rig.st();
    st.iterq = 1;  // both sights computed without reads
    st.DeltaTT = 68.59;
    for (int nobs = 1; nobs <= 2; ++nobs) {
        st.nobs = nobs;
        st.work = nobs == 1 ? st.sight1 : st.sight2;
        ASSERT_EQ(rig.step(DialogStep::SextantAltitude),
                  DialogStep::SightComputation);
        rig.step(DialogStep::SightComputation);
        rig.step(DialogStep::SightResultScreen);
        rig.step(DialogStep::EphemeridesScreen);
    }
    converged_state(&st);
    st.hdif1 = 0.04;  // puts the fix a few hundredths of a mile away
    st.iterend = 0;
    ASSERT_EQ(rig.step(DialogStep::Continue), DialogStep::Renewing);
    rig.step(DialogStep::Renewing);
    ASSERT_EQ(rig.step(DialogStep::Fix), DialogStep::LunarResult);
    const double lat0 = st.latitude0, latp = st.latitudep;
    const double lonp = st.longitudep, dist = st.dist;
    ASSERT_LT(dist, 0.1);
    ASSERT_GT(std::fabs(latp - lat0), 0.01 * nm);
    rig.step(DialogStep::LunarResult);
    ASSERT_EQ(rig.step(DialogStep::ResultMenu), DialogStep::Continue);
    EXPECT_NE(st.sight1.latd + st.sight1.latmf / 60.0, lat0);
    rig.step(DialogStep::Continue);
    EXPECT_EQ(st.latitude0, lat0);
    rig.step(DialogStep::Renewing);
    ASSERT_EQ(rig.step(DialogStep::Fix), DialogStep::LunarResult);
    EXPECT_EQ(st.latitudep, latp);
    EXPECT_EQ(st.longitudep, lonp);
    EXPECT_EQ(st.dist, dist);
}

TEST_F(LunarFix, GeneralIntersection) {
    StepRig rig("", converged_state);
    rig.st().hdif1 = 3.0;
    rig.st().hdif2 = -2.0;
    EXPECT_EQ(rig.step(DialogStep::Fix), DialogStep::LunarResult);
    const RunState& st = rig.st();
    EXPECT_TRUE(std::isfinite(st.dist));
    EXPECT_GT(st.dist, 2.0);
    EXPECT_LT(st.dist, 20.0);
    EXPECT_EQ(st.iersum, 0);
    // The fix lies on both lines of position: 3 nm toward the Moon and
    // 2 nm away from the planet.
    double dn = (st.latitudep - st.latitude0) * 60.0;
    double de = (st.longitudep - st.longitude0) * 60.0 *
                std::cos(st.latitude0 / 57.29577951308232);
    double a1 = st.azim1 / 57.29577951308232, a2 = st.azim2 / 57.29577951308232;
    EXPECT_NEAR(dn * std::cos(a1) + de * std::sin(a1), 3.0, 0.02);
    EXPECT_NEAR(dn * std::cos(a2) + de * std::sin(a2), -2.0, 0.02);
    EXPECT_EQ(rig.st().work.latd, 44);
}

TEST_F(LunarFix, ParallelLinesAreErrorFour) {
    StepRig rig("\n", converged_state);
    rig.st().azim1 = 30.0;
    rig.st().azim2 = 210.0;
    rig.st().hdif1 = 1.0;
    rig.st().hdif2 = 1.0;
    EXPECT_EQ(rig.step(DialogStep::Fix), DialogStep::LunarResult);
    EXPECT_EQ(rig.st().iersum, 1);
    EXPECT_TRUE(has(rig.out.str(),
                    "\n!!! ERROR 4, bad intersection of position lines!\n"));
    EXPECT_FALSE(lunarfix::console().ended);  // the pause took its line
    // The fix is the point of the second line.
    EXPECT_NEAR(rig.st().latitudep, rig.st().latitude2, 1e-12);
    EXPECT_EQ(rig.step(DialogStep::LunarResult), DialogStep::ResultMenu);
    EXPECT_TRUE(has(rig.out.str(), " !!! Observations not independent !!!\n"
                                   " !!! Result probably not good !!!\n\n"));
    EXPECT_EQ(rig.st().iersum, 0);
}

TEST_F(LunarFix, AzimuthCheck) {
    StepRig rig("\n", converged_state);
    rig.st().azim2 = 361.5;
    rig.st().iterq = 1;
    rig.st().nobs = 2;
    EXPECT_EQ(rig.step(DialogStep::Fix), DialogStep::LoopHead);
    EXPECT_TRUE(has(rig.out.str(), "\n !!! ERROR: Azimut1,2: 127.470000 "
                                   "361.500000\n hit ENTER to restart!\n"));
    EXPECT_EQ(rig.st().iterq, 0);
    EXPECT_EQ(rig.st().nobs, 1);
    EXPECT_EQ(rig.st().timezero, 1);
    EXPECT_EQ(rig.st().initluna, 1);
    // 360.9 truncates to 360: no error.
    StepRig ok("", converged_state);
    ok.st().azim1 = -360.9;
    EXPECT_EQ(ok.step(DialogStep::Fix), DialogStep::LunarResult);
}

TEST_F(LunarFix, LatitudeCheck) {
    StepRig rig("\n", converged_state);
    rig.st().latitude0 = 89.5;
    rig.st().azim1 = 0.0;
    rig.st().hdif1 = 60.0;  // one degree further north
    EXPECT_EQ(rig.step(DialogStep::Fix), DialogStep::LoopHead);
    EXPECT_TRUE(has(rig.out.str(), "\n !!! ERROR: Latitude1/2 > 89= "));
    EXPECT_TRUE(has(rig.out.str(), "\n restart the program!\n"));
    EXPECT_EQ(rig.st().timezero, 0);
    EXPECT_EQ(rig.st().initluna, 0);
    EXPECT_EQ(rig.st().nobs, 1);
}

TEST_F(LunarFix, NotANumberNeverReachesTheScreens) {
    StepRig rig("\n", converged_state);
    rig.st().hdif2 = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(rig.step(DialogStep::Fix), DialogStep::LoopHead);
    std::string o = rig.out.str();
    EXPECT_FALSE(has(o, "nan"));
    EXPECT_TRUE(has(o, "\n !!! ERROR: no line of position from these "
                       "sights\n"));
    EXPECT_EQ(rig.st().timezero, 0);
    EXPECT_EQ(rig.st().iterq, 0);
}

TEST_F(LunarFix, DisplacementBoundFromAnyTypedAltitude) {
    // The bound 10 * |90 - whole degrees of the Moon's sextant altitude|
    // nautical miles, for altitudes typed far outside their range too.
    struct Case {
        int had;
        double dist;
        bool warned;
    } cases[] = {{25, 650.5, true},   {25, 650.0, false},
                 {-2147483647 - 1, 5.0, false}, {2147483647, 5.0, false},
                 {300000000, 5.0, false}};
    for (const Case& c : cases) {
        TempDir dir;
        StepRig rig("", converged_state);
        rig.st().sight1.had = c.had;
        rig.st().dist = c.dist;
        EXPECT_EQ(rig.step(DialogStep::LunarResult), DialogStep::ResultMenu);
        EXPECT_EQ(has(rig.out.str(), " ?? Displacement too big, St. Hilaire?\n"),
                  c.warned)
            << c.had << " " << c.dist;
    }
}

TEST_F(LunarPass, ClockOutOfRangeRestartsTheRun) {
    // A clock time that no lunar distance can give (hundreds of thousands
    // of hours) is refused before it reaches the sights.
    StepRig rig("\n");
    RunState& st = rig.st();
    pass_state(&st, 4);
    st.sight1.hour = 200000;
    EXPECT_EQ(rig.step(DialogStep::LunarDistancePass), DialogStep::LoopHead);
    EXPECT_TRUE(has(rig.out.str(), "\n !!! ERROR: the corrected time is out "
                                   "of range\n Check the sextant values; hit "
                                   "ENTER to restart!\n"));
    EXPECT_EQ(st.timezero, 0);
    EXPECT_EQ(st.initluna, 0);
    EXPECT_EQ(st.iterq, 0);
    EXPECT_EQ(st.nobs, 1);
}

TEST_F(LunarPass, FailedAltitudeIsReportedNotCleared) {
    // An observed altitude that is not a number (a failed computation)
    // gives no cleared distance; it must not pass for a distance of 0 deg
    // and move the clock by days.
    StepRig rig("\n");
    RunState& st = rig.st();
    pass_state(&st, 4);
    st.HMc = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(rig.step(DialogStep::LunarDistancePass), DialogStep::LoopHead);
    EXPECT_TRUE(has(rig.out.str(), "\n !!! ERROR: the lunar distance cannot "
                                   "be cleared\n"));
    EXPECT_EQ(st.timezero, 0);
    EXPECT_EQ(st.initluna, 0);
    EXPECT_EQ(st.sight1.hour, RunState().sight1.hour);
}

TEST_F(LunarRun, SecondSightRunsAlongTheCourseShown) {
    // The same default observations, once without a run between the sights
    // and once with the second sight's inputs saying course 90 and 10
    // nautical miles run: the fix is the position after the run, 10 miles
    // due east of the first, which at latitude L is 10' / cos L of
    // longitude.
    RunState still, moved;
    {
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        DialogRun r = run_dialog(script(default_answers() + Lines{"9", ""}));
        still = r.state;
        EXPECT_TRUE(has(r.out, " Course was:     0  Velocity: 0.00 \n"));
    }
    {
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        {
            CapturedConsole quiet;
            RunState rs;
            rs.kursav = 90.0;
            rs.velav = -10.0;
            ASSERT_EQ(lunarfix::WriteSecondSightMemory(rs, 1), 1);
        }
        ASSERT_EQ(file_lines("moondist0x2.txt")[8], "90.000000 -10.000000");
        DialogRun r = run_dialog(script(default_answers() + Lines{"9", ""}));
        moved = r.state;
        EXPECT_TRUE(has(r.out, " Course was:    90  Velocity: -10.00 \n"));
        EXPECT_LT(std::fabs(r.state.dist), 0.1);
    }
    const double coslat = std::cos(still.latitudep / 57.29577951308232);
    EXPECT_NEAR(moved.latitudep, still.latitudep, 0.3 * nm);
    EXPECT_NEAR((moved.longitudep - still.longitudep) * coslat, 10.0 * nm,
                0.3 * nm);
}

TEST_F(LunarPass, UnknownSecondBodyEndsTheRun) {
    StepRig rig("");
    rig.st().sight2.iur = 9;
    EXPECT_EQ(rig.step(DialogStep::LunarDistancePass), DialogStep::End);
    EXPECT_FALSE(file_exists("moondist0x1.txt"));
}

TEST_F(LunarPass, LaterPassStopsAfterTenClearings) {
    StepRig rig("");
    RunState& st = rig.st();
    // A lunar whose distance changes slowly (Altair passing 29 deg north of
    // the Moon, 0.15 deg/h): with 1.8 h per degree every clearing takes off
    // only a quarter of the clock error, and a measured distance 0.3 deg
    // off keeps the clock moving after the tenth clearing.
    pass_state(&st, 8);
    st.sight2.idstar = 12;
    set_date_time(&st.sight1, 2103, 4, 28, 20, 46, 0);
    double decm, ghm, ghaa, ram, hpm, sdm, decs, ghs, ras, sha;
    lunarfix::mooneph(1, st.DeltaTT, 2103, 4, 28, 20, 46, 0, &decm, &ghm,
                      &ghaa, &ram, &hpm, &sdm);
    lunarfix::starseph(1, 12, st.DeltaTT, 2103, 4, 28, 20, 46, 0, &decs, &ghs,
                       &ghaa, &ras, &sha);
    st.SDamoon = 15.7;
    st.LD_limb = lunarfix::LDist(decm, decs, ram, ras) - 15.7 / 60.0 + 0.3;
    EXPECT_EQ(rig.step(DialogStep::LunarDistancePass), DialogStep::LoopHead);
    EXPECT_EQ(st.ncount, 10);
    EXPECT_EQ(st.iterq, 1);
    EXPECT_EQ(st.iterend, 1);
    // Same distance as the almanac's: a single clearing settles it.
    StepRig one("");
    RunState& s1 = one.st();
    s1 = st;
    s1.sight1 = RunState().sight1;
    s1.sight2 = RunState().sight2;
    s1.ncount = 0;
    s1.LD_limb = 48.11666666666667;
    s1.signdist = 1;
    EXPECT_EQ(one.step(DialogStep::LunarDistancePass), DialogStep::LoopHead);
    EXPECT_GE(s1.ncount, 2);
    EXPECT_LT(s1.ncount, 10);
}

TEST_F(LunarPass, SideAnswerDecidesOnlyBelowAThousandthOfADegreeAnHour) {
    // Alphard passes about 27 deg south of the Moon on 2021 January 2, its
    // distance least near 19:03 UT and closing before.  Alphard stands west
    // of the Moon in right ascension, so WEST is what a navigator answers.
    // At 18:50 the distance closes at about 0.002 deg/h: the ephemerides
    // set EAST.  At 19:00 it changes by about 0.0005 deg/h: the answer
    // stands.
    struct Row {
        int min;       // minutes after 18 h
        int answer;    // 1 EAST, -1 WEST
        int used;      // the side the clearing went by
        bool notice;   // the line that overrules the answer
    };
    const Row rows[] = {
        {50, -1, 1, true}, {50, 1, 1, false}, {60, -1, -1, false},
        {60, 1, 1, false}};
    for (const Row& row : rows) {
        StepRig rig("\n");
        RunState& st = rig.st();
        pass_state(&st, 8);
        st.timezero = 0;  // the first pass: one clearing at the time given
        st.sight2.idstar = 9;
        st.signdist = row.answer;
        set_date_time(&st.sight1, 2021, 1, 2, 18, row.min, 0);
        // The rate from the places of the two bodies, by the cosine rule.
        const double rad = twopi / 360.0;
        double dist[2];
        for (int k = 0; k < 2; ++k) {
            double dm, gm, ga, am, hp, sd, ds, gs, as, sha;
            lunarfix::mooneph(1, st.DeltaTT, 2021, 1, 2, 18, row.min,
                              180 * k, &dm, &gm, &ga, &am, &hp, &sd);
            lunarfix::starseph(1, 9, st.DeltaTT, 2021, 1, 2, 18, row.min,
                               180 * k, &ds, &gs, &ga, &as, &sha);
            dist[k] = std::acos(std::sin(dm * rad) * std::sin(ds * rad) +
                                std::cos(dm * rad) * std::cos(ds * rad) *
                                    std::cos((am - as) * rad)) /
                      rad;
            if (k == 0) st.LD_limb = dist[0] - 15.7 / 60.0;
        }
        const double rate = (dist[1] - dist[0]) / (180.0 * second);
        ASSERT_LT(rate, 0.0) << row.min;
        ASSERT_EQ(std::fabs(rate) > 0.001, row.min == 50) << rate;
        st.SDamoon = 15.7;
        rig.step(DialogStep::LunarDistancePass);
        EXPECT_EQ(st.signdist, row.used) << row.min << " " << row.answer;
        EXPECT_EQ(has(rig.out.str(), " !!! The distance to Alphard is "
                                     "closing: corrected as for EAST\n"),
                  row.notice)
            << row.min << " " << row.answer;
    }
}

TEST_F(LunarPass, LimbAnswerBetweenNearAndFarTakesTheCentre) {
    // 1.5 at the limb question (neither near nor far): the distance is
    // taken to the Moon's centre at every clearing; nothing is carried over
    // from an earlier clearing, so the Sun's semi-diameter is added once
    // and a distance entered anew is used.
    StepRig rig("");
    RunState& st = rig.st();
    pass_state(&st, 0);
    st.SDamoon = 15.7;
    st.indb = 1.2;
    st.xnear = 1.5;
    st.LD_limb = 93.6;  // the Sun stands about 94 deg from the Moon
    st.signdist = -1;
    EXPECT_EQ(rig.step(DialogStep::LunarDistancePass), DialogStep::LoopHead);
    EXPECT_GE(st.ncount, 2);
    EXPECT_GT(st.SDsun * arcmin, 15.0 * arcmin);
    EXPECT_NEAR(st.LDapp, 93.6 * deg + 1.2 * arcmin + st.SDsun * arcmin,
                1e-9 * deg);
    st.sight1 = RunState().sight1;
    st.LD_limb = 93.2;
    rig.step(DialogStep::LunarDistancePass);
    EXPECT_NEAR(st.LDapp, 93.2 * deg + 1.2 * arcmin + st.SDsun * arcmin,
                1e-9 * deg);
}

TEST_F(LunarPass, NegativeClockTimeIsReported) {
    StepRig rig("\n");
    RunState& st = rig.st();
    pass_state(&st, 4);
    st.sight1.hour = 0;
    st.sight1.min = 1;
    st.sight1.sec = 0;
    st.SDamoon = 15.7;
    st.LD_limb = 50.8;  // about one hour before 0 h
    EXPECT_EQ(rig.step(DialogStep::LunarDistancePass), DialogStep::LoopHead);
    EXPECT_TRUE(has(rig.out.str(), "\n !!! Warning: new hour t1 negativ!\n"));
    EXPECT_LT(st.sight1.hour * 3600 + st.sight1.min * 60 + st.sight1.sec, 0);
    EXPECT_EQ(st.sight1.day, 17);  // the date does not change
    EXPECT_EQ(st.sight2.hour, st.sight1.hour);
}

TEST_F(LunarMenu, NoConvergenceAfterFiftyIterations) {
    StepRig rig("\n", converged_state);
    RunState& st = rig.st();
    st.dist = 5.0;  // never converging
    st.work.latd = 44;
    int reads = 0;
    for (int k = 0; k < 60; ++k) {
        DialogStep next = rig.step(DialogStep::ResultMenu);
        if (next != DialogStep::Iterate) {
            reads = k;
            break;
        }
        rig.step(DialogStep::Iterate);
        st.dist = 5.0;
        st.work.latd = 44;
    }
    EXPECT_EQ(reads, 50);
    EXPECT_TRUE(has(rig.out.str(), " !!! No convergence after 50 iterations: "
                                   "the position lines do not settle.\n"
                                   " continue with RETURN, 1=start, or "
                                   "9=stop\n"));
    EXPECT_EQ(rig.dialog.menu_reads(), 1);
    EXPECT_EQ(st.initluna, 0);
    EXPECT_EQ(st.iterend, 0);
}

TEST_F(LunarMenu, FixNearThePoleAsksTheNavigator) {
    StepRig rig("9\n", converged_state);
    RunState& st = rig.st();
    st.dist = 5.0;
    st.work.latd = 89;
    st.iterend = 7;
    EXPECT_EQ(rig.step(DialogStep::ResultMenu), DialogStep::Stop);
    EXPECT_TRUE(has(rig.out.str(), " continue with RETURN, 1=start, or "
                                   "9=stop\n"));
    EXPECT_EQ(st.iterend, 0);
    EXPECT_EQ(st.initluna, 0);
    // Within 88 whole degrees the iteration goes on without a read.
    StepRig it("", converged_state);
    it.st().dist = 5.0;
    it.st().work.latd = -88;
    EXPECT_EQ(it.step(DialogStep::ResultMenu), DialogStep::Iterate);
    EXPECT_EQ(it.out.str(), " ## ENTER: 1=restart, 4=ITERATE, 9=stop:");
}

}  // namespace
