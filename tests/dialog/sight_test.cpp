// One sight: the computation for each body kind, the result screen and the
// EPHEMERIDES screen line by line, the bookkeeping after the result screen.
#include "ephemeris/ephemeris.h"
#include "foundations/console_io.h"
#include "foundations/foundations.h"
#include "dialog/console.h"
#include "navigation/navcalc.h"
#include "dialog/run_state.h"
#include "dialog/sight.h"
#include "dialog/sight_screens.h"
#include "dialog_harness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace lunarfix {
namespace {

using lunarfix_test::arcmin;  // degrees
using lunarfix_test::arcsec;
using lunarfix_test::set_date_time;

class SightTest
    : public lunarfix_test::InTempDirWith<lunarfix_test::ScreenFixture> {
protected:
    void SetUp() override {
        InTempDirWith::SetUp();
        feed("");
    }
    // The EPHEMERIDES screen alone on the console.
    void screen(RunState* rs, const SightInput& in, const SightResult& r) {
        feed("");
        ephemerides_screen(*rs, in, r);
    }
    // Line of the output that begins with `head` (empty when none).
    std::string line(const std::string& head) const {
        std::istringstream s(out_.str());
        std::string l;
        while (std::getline(s, l)) {
            if (l.rfind(head, 0) == 0) return l;
        }
        return "";
    }
};

SightInput at(int y, int mo, int d, int h, int mi, int s, int iur) {
    SightInput in;
    set_date_time(&in, y, mo, d, h, mi, s);
    in.iur = iur;
    in.DeltaTT = 0.0;
    in.lat = 44.0 + 46.99 / 60.0;
    in.lon = -17.0 - 11.6 / 60.0;
    in.hs = 24.0 + 14.0 / 60.0;
    in.indb = 0.0;
    in.aug = 1.83;
    in.temperature = 16.1;
    in.pressure = 1026.4;
    in.iterq = 1;
    return in;
}

// What every computed sight must satisfy, whatever the body.
void expect_consistent(const SightInput& in, const SightResult& r) {
    double lha = 0, hc = 0, az = 0;
    HcAz(in.lat, in.lon, r.dec, r.gha, &lha, &hc, &az);
    EXPECT_EQ(r.lha, lha);
    EXPECT_EQ(r.hc, hc);
    EXPECT_EQ(r.az, az);
    double hp1 = 0, dip = 0, refr = 0, sd1 = 0, gb = 0;
    double ho = BESCHICKUNG(1, in.iur, in.lat, az, in.hs, in.indb,
                            in.temperature, in.pressure, in.aug, r.sd, r.hp,
                            &hp1, &dip, &refr, &sd1, &gb);
    EXPECT_EQ(r.ho, ho);
    EXPECT_EQ(r.hpa, hp1);
    EXPECT_EQ(r.dip, dip);
    EXPECT_EQ(r.refr, refr);
    EXPECT_EQ(r.sda, sd1);
    EXPECT_EQ(r.corr, gb);
    // The apparent altitude of the centre: a lower limb lies a
    // semi-diameter below it, an upper limb above it.
    const double limb = (in.iur == 0 || in.iur == 2)   ? 1.0
                        : (in.iur == 1 || in.iur == 3) ? -1.0
                                                       : 0.0;
    EXPECT_DOUBLE_EQ(r.happ, in.hs + in.indb / 60 - dip / 60 + limb * sd1 / 60);
    EXPECT_DOUBLE_EQ(r.hdif, (r.ho - r.hc) * 60);
    EXPECT_NEAR(r.lha, norm360(r.gha + in.lon), 1e-9);
}

TEST_F(SightTest, SunKeepsItsOwnEphemeris) {
    // 1992 October 13, 0h UT: the apparent Sun at 13h13m31s, -7 deg 47'.
    SightInput in = at(1992, 10, 13, 0, 0, 0, 0);
    SightResult r;
    sight_compute(in, &r);
    expect_consistent(in, r);
    EXPECT_NEAR(r.ra, (13 + 13 / 60.0 + 31.4 / 3600.0) * 15, 1.5 * 15 * arcsec);
    EXPECT_NEAR(r.dec, -(7 + 47 / 60.0), 1 * arcmin);
    double d, g, a, ra, hp, sd, jde;
    suneph(0.0, 1992, 10, 13, 0, 0, 0, &d, &g, &a, &ra, &hp, &sd, &jde);
    EXPECT_EQ(r.dec, d);
    EXPECT_EQ(r.gha, g);
    EXPECT_EQ(r.ra_sun, ra);
    EXPECT_EQ(r.jde, jde);
    EXPECT_EQ(r.hp, hp);
    EXPECT_EQ(r.sd, sd);
    EXPECT_EQ(r.sda, sd);  // the Sun's semi-diameter, not augmented
    EXPECT_EQ(r.sha, 0.0);

    // The upper limb subtracts what the lower limb adds.
    SightInput up = in;
    up.iur = 1;
    SightResult ru;
    sight_compute(up, &ru);
    EXPECT_NEAR(r.ho - ru.ho, 2 * sd / 60, 0.01 * arcmin);
    // So does it in the apparent altitude of the centre.
    expect_consistent(up, ru);
    EXPECT_NEAR(r.happ - ru.happ, 2 * sd / 60, 1e-9 * lunarfix_test::deg);

    // The screens show the computed values.
    RunState rs;
    readers().set_automatic(true);
    sight_result_screen(rs, in, r);
    ephemerides_screen(rs, in, r);
    EXPECT_EQ(line(" Rectascension = 13 hour 13 m ").size(),
              std::string(" Rectascension = 13 hour 13 m 31.xx s").size());
    EXPECT_EQ(line(" Declination = -7 deg -47' ").empty(), false);
    EXPECT_EQ(line(" GHA of SUN = ").empty(), false);
}

TEST_F(SightTest, MoonPlanetAndStar) {
    // The Moon: its own parallax and semi-diameter; the Sun's right
    // ascension is still there for the equation of time.
    SightInput in = at(2017, 6, 17, 3, 57, 14, 2);
    SightResult r;
    sight_compute(in, &r);
    expect_consistent(in, r);
    EXPECT_GT(r.hp, 53.0);
    EXPECT_LT(r.hp, 62.0);
    EXPECT_GT(r.sd, 14.0);
    EXPECT_LT(r.sd, 17.0);
    EXPECT_GT(r.sda, r.sd);  // augmented at 24 degrees
    double d, g, a, ra, hp, sd, jde;
    suneph(0.0, 2017, 6, 17, 3, 57, 14, &d, &g, &a, &ra, &hp, &sd, &jde);
    EXPECT_EQ(r.ra_sun, ra);
    EXPECT_NE(r.ra, ra);

    // Venus, 1992 December 20, 0h: 21h04m41s, -18 deg 53'.
    in = at(1992, 12, 20, 0, 0, 0, 4);
    sight_compute(in, &r);
    expect_consistent(in, r);
    EXPECT_NEAR(r.ra, (21 + 4 / 60.0 + 41.5 / 3600.0) * 15, 1.5 * 15 * arcsec);
    EXPECT_NEAR(r.dec, -(18 + 53 / 60.0), 1 * arcmin);
    EXPECT_EQ(r.sd, 0.0);
    EXPECT_EQ(r.sda, 0.0);
    EXPECT_GT(r.hp, 0.0);
    EXPECT_LT(r.hp, 1.0);

    // Sirius, 2021 December 13, 0h: SHA 258 deg 28', -16 deg 45'.
    in = at(2021, 12, 13, 0, 0, 0, 8);
    in.idstar = 53;
    sight_compute(in, &r);
    expect_consistent(in, r);
    EXPECT_EQ(r.idstar, 53);
    EXPECT_NEAR(r.sha, 258 + 28 / 60.0, 0.6 * arcmin);
    EXPECT_NEAR(r.dec, -(16 + 45 / 60.0), 0.6 * arcmin);
    EXPECT_EQ(r.hp, 0.0);
    EXPECT_EQ(r.sd, 0.0);
    EXPECT_EQ(r.hpa, 0.0);

    // Polaris: the computed altitude is near the latitude.
    in.idstar = 43;
    sight_compute(in, &r);
    EXPECT_EQ(r.idstar, 43);
    EXPECT_NEAR(r.hc, in.lat, 1.0);
    // An index the catalogue does not name is the DUMMY row.
    in.idstar = 70;
    sight_compute(in, &r);
    EXPECT_EQ(r.idstar, 58);
    EXPECT_NEAR(r.hc, in.lat, 1.0);
}

TEST_F(SightTest, NegativeObservedAltitudeKeepsItsSign) {
    SightInput in = at(2021, 12, 13, 0, 0, 0, 8);
    in.idstar = 53;
    in.hs = -2.0;
    SightResult r;
    sight_compute(in, &r);
    const double ho_signed = in.hs + r.corr / 60;
    ASSERT_LT(ho_signed, 0.0);
    EXPECT_NEAR(r.ho, ho_signed, 1e-12);
    EXPECT_DOUBLE_EQ(r.hdif, (r.ho - r.hc) * 60);
}

TEST_F(SightTest, RereductionAtAnotherPosition) {
    SightInput in = at(2017, 6, 17, 3, 57, 14, 4);
    SightResult r;
    sight_compute(in, &r);
    SightResult moved = r;
    sight_rereduce(45.0, -16.0, &moved);
    double lha, hc, az;
    HcAz(45.0, -16.0, r.dec, r.gha, &lha, &hc, &az);
    EXPECT_EQ(moved.hc, hc);
    EXPECT_EQ(moved.az, az);
    EXPECT_EQ(moved.lha, lha);
    EXPECT_DOUBLE_EQ(moved.hdif, (r.ho - hc) * 60);
    EXPECT_EQ(moved.ho, r.ho);
    EXPECT_EQ(moved.dec, r.dec);
}

// A hand-made result, so that every line can be checked to the character.
SightResult made() {
    SightResult r;
    r.dec = -7.7875;
    r.gha = 200.25;
    r.ghaa = 30.5;
    r.ra = 191.25;
    r.hp = 57.0;
    r.sd = 15.5;
    r.idstar = 0;
    r.ra_sun = 30.5 - (16.0 / 60 + 5.0 / 3600) * 15;  // EoT +16m 5s at 12h
    r.jde = 2457921.6661111;
    r.lha = 183.0;
    r.hc = 24.5;
    r.az = 123.456;
    r.ho = 24.6;
    r.happ = 24.55;
    r.hpa = 54.0;
    r.dip = 2.38;
    r.refr = 2.1;
    r.sda = 16.25;
    r.corr = 20.1;
    r.hdif = 6.0;
    return r;
}

SightInput made_input(int iur, int nobs) {
    SightInput in = at(2017, 6, 17, 12, 0, 0, iur);
    in.nobs = nobs;
    in.DeltaTT = 68.92;
    in.iterq = 0;
    return in;
}

RunState made_state() {
    RunState rs;
    rs.GMST0 = 100.75;
    rs.nut_dpsi = 0.004;
    rs.nut_deps = -0.002;
    rs.nut_eps = 23.43;
    return rs;
}

TEST_F(SightTest, ResultScreenLines) {
    feed("x\n");
    RunState rs = made_state();
    SightInput in = made_input(2, 1);
    sight_result_screen(rs, in, made());
    std::string expect = " >skip> \n";
    for (int i = 0; i < 25; ++i) expect += " \n";
    expect +=
        " Sextanting by LUNAR DISTANCE \n"
        " ~~~~~~~~~~~ [1.] Observation ~~~~~~~~~~~~~\n\n"
        " Year: 2017   Month: 6   Day: 17\n"
        " Time-UTC:  3 h 57 min 14 sec \n"
        " Latitude:  44 deg 46.99' \n"
        " Longitude: -17 deg -11.60' \n"
        " Index corr. Ic: 0.00'  Height of eye: 1.83m \n"
        " Sextant viewed: Hs= 24 deg 14.00'\n"
        " Sextant appar.: Ha= 24 deg 33.00'\n"
        " Sextant corr. : Ho= 24 deg 36.00'\n"
        " Sext. calculat: Hc= 24 deg 30.00' Moon_2\n"
        "                 Hc= 24 deg 30' 0.00''\n"
        " ==> Position =   6.00 miles closer to star\n"
        " ==> Azimut   = 123.46 degrees\n"
        " ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\n"
        "     ... hit ENTER to continue ";
    EXPECT_EQ(out_.str(), expect);
    EXPECT_TRUE(in_.peek() == EOF);  // the pause read its character

    // The body's own Hc line, the intercept cases, no pause when automatic.
    struct Case {
        int iur, nobs;
        double hdif;
        const char* hc_line;
        const char* pos_line;
    };
    const Case cases[] = {
        {0, 2, -3.2, " Sext. calculat: Hc= 24 deg 30.00' SUN_0",
         " ==> Position =  -3.20 miles, away from star"},
        {1, 2, 0.0, " Sext. calculat: Hc= 24 deg 30.00' SUN_1",
         " ==> Position =   0.00 miles closer to star"},
        {3, 1, 1998.99, " Sext. calculat: Hc= 24 deg 30.00' Moon_3",
         " ==> Position = 1998.99 miles closer to star"},
        {7, 2, 1999.0, " Sext. calculat: Hc= 24 deg 30.00' Planet_7",
         " ==> !!!  Error in the measured values !!! "},
        {8, 2, NAN, " Sext. calculat. Hc= 24 deg 30.00' Star_33",
         " ==> !!!  Error in the measured values !!! "},
    };
    for (const Case& c : cases) {
        feed("x\n");
        SightInput ci = made_input(c.iur, c.nobs);
        ci.iterq = 1;
        SightResult r = made();
        r.hdif = c.hdif;
        r.idstar = 33;
        sight_result_screen(rs, ci, r);
        EXPECT_EQ(line(" Sext. calculat"), c.hc_line);
        EXPECT_EQ(line(" ==> "), c.pos_line);
        EXPECT_EQ(line(" ~~~~~~~~~~~ ["),
                  c.nobs == 1 ? " ~~~~~~~~~~~ [1.] Observation ~~~~~~~~~~~~~"
                              : " ~~~~~~~~~~~ [2.] Observation ~~~~~~~~~~~~~");
        EXPECT_EQ(in_.peek(), 'x');  // nothing read
    }
}

TEST_F(SightTest, EphemeridesScreenLines) {
    RunState rs = made_state();
    SightInput in = made_input(4, 2);
    ephemerides_screen(rs, in, made());
    EXPECT_EQ(out_.str(),
              "\n EPHEMERIDES of celestial object:\n"
              " ============ JDE = 2457921.6661111 ============\n"
              " GHA of VENUS = 200 deg 15' 0.00''\n"
              " GHA (dec.) = 200.25000000 deg \n"
              " LHA ship  = 183 deg 0' 0.00''\n"
              " Declination = -7.78750000 deg\n"
              " Declination = -7 deg -47' -15.00''\n"
              " Rectascension = 191.25000000 deg \n"
              " Rectascension = 12 hour 45 m 0.00 s\n"
              " GAST (appar. Sid.Time) = 30.50000000 deg \n"
              " GAST = 'Aries'         =  30 deg 30' 0.00'' \n"
              " GMST  (mean Sid.Time)  =  100 deg 45' 0.00'' \n"
              " EoT= 16m 5.00s;   DELTA-T = 68.92 sec(+-1)\n"
              " delta_psi=14.40''; delta_eps=-7.20''\n"
              " Ecliptic Obliquity eps=23.43000000 deg\n"
              " Sext.: Ha=24d33.0' Ho=24d36.0' Hcalc=24d30.0'\n"
              " S_Correction= 20.10'; Index= 0.00' SDa=16.25'\n"
              " Dip= 2.38' Refr= 2.10' HP= 54.00'[max:57.00]\n"
              " Precision:+-1''\n"
              " ==============================================\n");
    EXPECT_EQ(rs.HPaMOON, 0.0);  // set by the Moon sight only

    // The GHA line of each body.
    const char* gha[] = {" GHA of SUN = ",    " GHA of SUN = ",
                         " GHA of MOON = ",   " GHA of MOON = ",
                         " GHA of VENUS = ",  " GHA of MARS = ",
                         " GHA of JUPITER = ", " GHA of SATURN = "};
    for (int iur = 0; iur <= 7; ++iur) {
        screen(&rs, made_input(iur, 1), made());
        EXPECT_EQ(line(" GHA of"), std::string(gha[iur]) + "200 deg 15' 0.00''")
            << iur;
        EXPECT_EQ(line(" SHA"), "");
    }
    // The screen only prints: the Moon's parallax in altitude that the
    // clearing reads is stored with the sight, not by its screen.
    EXPECT_EQ(rs.HPaMOON, 0.0);
}

TEST_F(SightTest, StarLinesAndPolarisInDecimalMinutes) {
    RunState rs = made_state();
    SightResult r = made();
    r.idstar = 33;
    r.ra = -33.75;  // a star's right ascension comes in (-180, 180]
    r.sha = 326.25;
    ephemerides_screen(rs, made_input(8, 2), r);
    EXPECT_EQ(line(" GHA_STAR"), " GHA_STAR 33 > Hamal= 200 deg 15' 0.00''");
    EXPECT_EQ(line(" Rectascension = 3"), " Rectascension = 326.25000000 deg ");
    EXPECT_EQ(line(" Rectascension = 2"), " Rectascension = 21 hour 45 m 0.00 s");
    EXPECT_EQ(line(" SHA"), " SHA (star)= 326 deg 15' 0.00'' ");

    r.idstar = 43;
    r.gha = 300.1;
    screen(&rs, made_input(8, 2), r);
    EXPECT_EQ(line(" GHA_STAR"), " GHA_STAR 43 > POLARIS= 300 deg 6.00'");

    r.idstar = 19;
    screen(&rs, made_input(8, 2), r);
    EXPECT_EQ(line(" GHA_STAR"), " GHA_STAR 19 > Betelgeuse= 300 deg 6' 0.00''");
}

TEST_F(SightTest, EquationOfTimeSigns) {
    int m = 9;
    double s = 9;
    equation_of_time_parts(-30.0 / 3600, &m, &s);
    EXPECT_EQ(m, 0);
    EXPECT_NEAR(s, -30.0, 1e-9);
    equation_of_time_parts(-(3.5 / 60), &m, &s);
    EXPECT_EQ(m, -3);
    EXPECT_NEAR(s, 30.0, 1e-9);
    equation_of_time_parts(16.0 / 60 + 5.0 / 3600, &m, &s);
    EXPECT_EQ(m, 16);
    EXPECT_NEAR(s, 5.0, 1e-9);
    equation_of_time_parts(0.0, &m, &s);
    EXPECT_EQ(m, 0);
    EXPECT_FALSE(std::signbit(s));

    // On the screen: a Sun hour angle of -0.125 deg at 12h is -30 s, one of
    // -0.875 deg is -3 min 30 s.
    RunState rs = made_state();
    SightResult r = made();
    r.ghaa = 359.875;
    r.ra_sun = 0.0;
    ephemerides_screen(rs, made_input(4, 2), r);
    EXPECT_EQ(line(" EoT="), " EoT= 0m -30.00s;   DELTA-T = 68.92 sec(+-1)");
    r.ghaa = 359.125;
    screen(&rs, made_input(4, 2), r);
    EXPECT_EQ(line(" EoT="), " EoT= -3m 30.00s;   DELTA-T = 68.92 sec(+-1)");
}

TEST_F(SightTest, AnglesAHairBelowAWholeUnitPrintWithTheCarry) {
    RunState rs = made_state();
    rs.work.latd = 44;
    rs.work.latmf = 59.999;          // typed: 44 deg 59.999'
    rs.work.lond = -17;
    rs.work.lonmf = -59.9951;
    SightResult r = made();
    r.hc = 45.0 - 0.0000001 * lunarfix_test::deg;  // 44 deg 59.999994'
    r.happ = 24.0 + 59.97 * arcmin;  // 59.97' is 60.0 at one decimal
    r.dec = -(7.0 + 59.0 * arcmin + 59.999 * arcsec);
    r.ghaa = 30.0 - 0.0000001 * lunarfix_test::deg;
    SightInput in = made_input(2, 1);
    in.iterq = 1;
    in.hs = 24.0 + 59.996 * arcmin;
    sight_result_screen(rs, in, r);
    EXPECT_EQ(line(" Latitude:"), " Latitude:  45 deg 0.00' ");
    EXPECT_EQ(line(" Longitude:"), " Longitude: -18 deg 0.00' ");
    EXPECT_EQ(line(" Sextant viewed:"), " Sextant viewed: Hs= 25 deg 0.00'");
    EXPECT_EQ(line(" Sext. calculat:"), " Sext. calculat: Hc= 45 deg 0.00' Moon_2");
    EXPECT_EQ(line("                 Hc="), "                 Hc= 45 deg 0' 0.00''");
    out_.str("");
    ephemerides_screen(rs, in, r);
    EXPECT_NE(out_.str().find("\n Declination = -8 deg 0' 0.00''\n"),
              std::string::npos);
    EXPECT_EQ(line(" GAST = "), " GAST = 'Aries'         =  30 deg 0' 0.00'' ");
    EXPECT_EQ(line(" Sext.: "), " Sext.: Ha=25d0.0' Ho=24d36.0' Hcalc=45d0.0'");

    // The equation of time: 3 min 59.999 s shows as 4 min 0.00 s.
    int m = 0;
    double sec = 0.0;
    equation_of_time_parts((3.0 + 59.999 / 60.0) / 60.0, &m, &sec);
    EXPECT_EQ(m, 4);
    EXPECT_EQ(sec, 0.0);
    equation_of_time_parts(-(59.999 / 3600.0), &m, &sec);
    EXPECT_EQ(m, -1);
    EXPECT_EQ(sec, 0.0);
}

TEST_F(SightTest, AbsurdValuesAreShownWithoutOverflow) {
    RunState rs = made_state();
    SightResult r = made();
    r.hc = 1e300;
    r.ho = NAN;
    r.happ = -1e300;
    SightInput in = made_input(2, 1);
    in.iterq = 1;
    in.hs = 1e308;
    sight_result_screen(rs, in, r);
    ephemerides_screen(rs, in, r);
    // Clamped just below 2^31 - 1 degrees, whose minutes round up to the
    // largest whole degree.
    EXPECT_EQ(line(" Sext. calculat:").rfind(
                  " Sext. calculat: Hc= 2147483647 deg 0.00'", 0),
              0u);
    EXPECT_EQ(line(" Sextant viewed:"), " Sextant viewed: Hs= 2147483647 deg 0.00'");
    EXPECT_EQ(line(" Sextant corr. :"), " Sextant corr. : Ho= 0 deg 0.00'");
}

TEST_F(SightTest, StoredAfterTheResultScreen) {
    RunState rs;
    rs.work.iur = 2;
    SightInput in = sight_input(rs, 24.25);
    EXPECT_EQ(in.nobs, 1);
    EXPECT_EQ(in.lat, rs.latitude1);
    EXPECT_EQ(in.hs, 24.25);
    EXPECT_EQ(in.temperature, 16.1);
    SightResult r = made();
    r.hdif = -1.5;
    r.az = 101.0;
    sight_store(&rs, in, r);
    EXPECT_EQ(rs.HMc, r.ho);
    EXPECT_EQ(rs.HMapp, r.happ);
    EXPECT_EQ(rs.AZM, 101.0);
    EXPECT_EQ(rs.SDamoon, r.sda);
    EXPECT_EQ(rs.HPaMOON, 54.0 / 60);  // the parallax in altitude, degrees
    EXPECT_EQ(rs.hdif1, -1.5);
    EXPECT_EQ(rs.azim1, 101.0);
    EXPECT_EQ(rs.hdif, -1.5);
    EXPECT_EQ(rs.az0, 101.0);
    std::ifstream f1("moondist0x1.txt");
    std::string l;
    for (int i = 0; i < 8; ++i) std::getline(f1, l);
    EXPECT_EQ(l, "-1.500000 101.000000 3.141593 ");

    // The second sight: a star, its index from the star routine.
    rs.nobs = 2;
    rs.work.iur = 8;
    rs.work.idstar = 70;
    rs.latitude2 = 10.0;
    in = sight_input(rs, 30.0);
    EXPECT_EQ(in.lat, 10.0);
    r.idstar = 58;
    r.az = 250.0;
    sight_store(&rs, in, r);
    EXPECT_EQ(rs.work.idstar, 58);
    EXPECT_EQ(rs.sight2.idstar, 58);
    EXPECT_EQ(rs.sight2.iur, 8);
    EXPECT_EQ(rs.HSc, r.ho);
    EXPECT_EQ(rs.AZS, 250.0);
    EXPECT_EQ(rs.azim2, 250.0);
    EXPECT_EQ(rs.azim1, 101.0);
    EXPECT_EQ(access("moondist0x2.txt", F_OK), 0);
}

} // namespace
} // namespace lunarfix
