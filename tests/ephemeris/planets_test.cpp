// Tests of the apparent places of Venus, Mars, Jupiter and Saturn
// (planeteph).
#include <cmath>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "ephemeris/planets.h"
#include "ephemeris/sun_place.h"
#include "foundations/console_io.h"
#include "foundations/foundations.h"
#include "test_support.h"

namespace lunarfix {
namespace {

// Angles in degrees; the horizontal parallax comes in arcminutes.
using namespace lunarfix_test;

struct PlanetPlace {
    double dec, gha, gast, ra, hp;
};

PlanetPlace planet_at(int id, double dt, int y, int mo, int d, int h, int mi,
                      int s)
{
    PlanetPlace p{-999.0, -999.0, -999.0, -999.0, -999.0};
    planeteph(id, dt, y, mo, d, h, mi, s, &p.dec, &p.gha, &p.gast, &p.ra,
              &p.hp);
    return p;
}

// Meeus, Astronomical Algorithms, ex. 33.a: Venus on 1992 December 20.0
// TD from the complete VSOP87 series.
TEST(Planeteph, VenusWorkedExample1992December20)
{
    const PlanetPlace v = planet_at(4, 0.0, 1992, 12, 20, 0, 0, 0);
    EXPECT_NEAR(angdiff(v.ra, hms(21, 4, 41.454)), 0.0, 0.5 * arcsec);
    EXPECT_NEAR(v.dec, dms(-1, 18, 53, 16.84), 0.5 * arcsec);
    // Distance 0.910947 AU (ex. 33.a): parallax 8.794″/Δ.
    EXPECT_NEAR(v.hp, 8.794 / 0.910947 / 60.0 * arcmin_m, 1e-6 * arcmin_m);
}

TEST(Planeteph, SiderealTimeIsTheSameForEveryPlanetAndTheSun)
{
    const double sgast = sun_at(0.0, 1992, 12, 20, 0, 0, 0).gast;
    for (int id = 4; id <= 7; ++id) {
        SCOPED_TRACE(id);
        const PlanetPlace p = planet_at(id, 0.0, 1992, 12, 20, 0, 0, 0);
        // With ΔT = 0 the centuries of TT and of UT coincide.
        EXPECT_EQ(p.gast, sgast);
    }
    // With ΔT the planets take the small T², T³ terms from TT, the Sun
    // from UT: far below a microarcsecond apart.
    const double sgast2 = sun_at(69.0, 2024, 8, 10, 3, 15, 30).gast;
    const PlanetPlace m = planet_at(5, 69.0, 2024, 8, 10, 3, 15, 30);
    EXPECT_NEAR(m.gast, sgast2, 1e-6 * arcsec);
}

// Independent evaluation of the same theory (complete VSOP87D, one light-
// time pass, aberration by Meeus eq. 23.2, FK5, IAU 1980 nutation) with
// the astronomia 4.2.0 library, ΔT = 0.  Columns: body code, date and
// time, RA, Dec (degrees), geocentric distance used for the parallax (AU).
struct PlanetRef {
    int id, y, mo, d, h, mi, s;
    double ra, dec, dist;
};
const PlanetRef kPlanetRefs[] = {
    {4, 1800, 6, 15, 0, 0, 0, 67.950493334, 21.281784556, 1.664628891},
    {4, 1900, 2, 28, 18, 30, 0, 16.785192060, 7.193809673, 1.148209734},
    {4, 1992, 12, 20, 0, 0, 0, 316.172724403, -18.888011042, 0.910947701},
    {4, 2000, 1, 1, 12, 0, 0, 239.891850284, -18.448722095, 1.137574462},
    {4, 2024, 8, 10, 3, 15, 30, 158.502734751, 10.603604598, 1.609259253},
    {4, 2100, 11, 5, 21, 0, 0, 195.104006927, -4.630087343, 1.425960749},
    {4, 2200, 3, 10, 6, 0, 0, 342.101822503, -9.053000473, 1.687867326},
    {5, 1800, 6, 15, 0, 0, 0, 3.610067925, -0.924293424, 1.122439483},
    {5, 1900, 2, 28, 18, 30, 0, 332.364905212, -12.538626371, 2.349631794},
    {5, 1992, 12, 20, 0, 0, 0, 117.147320858, 24.592744928, 0.648327202},
    {5, 2000, 1, 1, 12, 0, 0, 330.516256360, -13.182681119, 1.849683885},
    {5, 2024, 8, 10, 3, 15, 30, 72.405952678, 21.993651079, 1.551768668},
    {5, 2100, 11, 5, 21, 0, 0, 212.977863513, -12.846469860, 2.577171291},
    {5, 2200, 3, 10, 6, 0, 0, 138.910832851, 20.067407380, 0.750086854},
    {6, 1800, 6, 15, 0, 0, 0, 99.304005061, 23.251090637, 6.166472972},
    {6, 1900, 2, 28, 18, 30, 0, 248.223739523, -21.070349630, 5.277470329},
    {6, 1992, 12, 20, 0, 0, 0, 191.790149389, -3.698707442, 5.599154930},
    {6, 2000, 1, 1, 12, 0, 0, 23.867857769, 8.594290273, 4.621126260},
    {6, 2024, 8, 10, 3, 15, 30, 74.833321215, 22.009664502, 5.433344369},
    {6, 2100, 11, 5, 21, 0, 0, 213.825820331, -12.487551443, 6.420071648},
    {6, 2200, 3, 10, 6, 0, 0, 350.902873137, -4.995648879, 5.966363201},
    {7, 1800, 6, 15, 0, 0, 0, 130.096244596, 19.188364884, 9.842684795},
    {7, 1900, 2, 28, 18, 30, 0, 273.736421110, -22.408288957, 10.425908553},
    {7, 1992, 12, 20, 0, 0, 0, 317.924362315, -17.261325017, 10.514363056},
    {7, 2000, 1, 1, 12, 0, 0, 38.765419380, 12.614765553, 8.652748958},
    {7, 2024, 8, 10, 3, 15, 30, 349.889823187, -6.670947575, 8.783577290},
    {7, 2100, 11, 5, 21, 0, 0, 209.877513731, -9.786022426, 10.719348998},
    {7, 2200, 3, 10, 6, 0, 0, 338.151293283, -10.686549365, 10.764632847},
};

TEST(Planeteph, EachPlanetAgreesWithIndependentEvaluation1800To2200)
{
    for (const PlanetRef& r : kPlanetRefs) {
        SCOPED_TRACE(std::to_string(r.id) + " " + std::to_string(r.y));
        const PlanetPlace p = planet_at(r.id, 0.0, r.y, r.mo, r.d, r.h, r.mi, r.s);
        EXPECT_NEAR(angdiff(p.ra, r.ra) * cosd(r.dec), 0.0, 0.05 * arcsec);
        EXPECT_NEAR(p.dec, r.dec, 0.05 * arcsec);
        EXPECT_NEAR(p.hp, 8.794 / r.dist / 60.0 * arcmin_m, 1e-6 * arcmin_m);
        EXPECT_NEAR(angdiff(p.gha, p.gast - p.ra), 0.0, 1e-9 * arcsec);
    }
}

TEST(Planeteph, ParallaxFollowsDistance)
{
    // Venus at inferior conjunction (2020 June 3, some 0.29 AU): about half
    // an arcminute.  Saturn near 9 to 10 AU: under 0.02 arcminute.
    const PlanetPlace v = planet_at(4, 0.0, 2020, 6, 3, 18, 0, 0);
    EXPECT_NEAR(v.hp, 0.50 * arcmin_m, 0.02 * arcmin_m);
    for (int y = 1990; y <= 2020; y += 5) {
        expect_between(planet_at(7, 0.0, y, 1, 1, 0, 0, 0).hp, 0.012 * arcmin_m,
                       0.02 * arcmin_m);
    }
    // Mars at the close opposition of 2003 August 27, 0.3727 AU.
    const PlanetPlace m = planet_at(5, 0.0, 2003, 8, 27, 10, 0, 0);
    EXPECT_NEAR(m.hp, 8.794 / 0.3727 / 60.0 * arcmin_m, 0.001 * arcmin_m);
}

TEST(Planeteph, DeltaTShiftsTheEphemerisTimeOnly)
{
    // A full day of ΔT gives the place of the next day at the same UT
    // (the same JDE, so the same light time); the sidereal time stays.
    for (int id = 4; id <= 7; ++id) {
        SCOPED_TRACE(id);
        const PlanetPlace a = planet_at(id, 86400.0, 2031, 5, 9, 22, 0, 0);
        const PlanetPlace b = planet_at(id, 0.0, 2031, 5, 10, 22, 0, 0);
        const PlanetPlace c = planet_at(id, 0.0, 2031, 5, 9, 22, 0, 0);
        EXPECT_EQ(a.ra, b.ra);
        EXPECT_EQ(a.dec, b.dec);
        EXPECT_EQ(a.hp, b.hp);
        // Only the nutation of the JDE moves it: its fortnightly terms
        // change by up to about 0.1″ in a day.
        EXPECT_NEAR(angdiff(a.gast, c.gast), 0.0, 0.2 * arcsec);
        EXPECT_NE(a.ra, c.ra);
    }
}

TEST(Planeteph, OutputRangesOverTheWholeDateRange)
{
    const int dates[][6] = {
        {-1999, 1, 1, 0, 0, 0}, {-700, 7, 4, 6, 0, 0}, {1000, 2, 29, 12, 0, 0},
        {1582, 10, 4, 23, 59, 59}, {1800, 1, 1, 0, 0, 0}, {2000, 1, 1, 12, 0, 0},
        {2200, 12, 31, 23, 0, 0}, {4000, 6, 6, 6, 6, 6}, {5999, 12, 31, 23, 59, 59},
    };
    for (int id = 4; id <= 7; ++id) {
        for (const auto& t : dates) {
            SCOPED_TRACE(std::to_string(id) + " " + std::to_string(t[0]));
            const PlanetPlace p = planet_at(id, 0.0, t[0], t[1], t[2], t[3], t[4], t[5]);
            expect_within_one_turn(p.ra, p.gha, p.gast);
            // Within the ecliptic band: obliquity plus the largest
            // geocentric latitude (Venus, up to about 9°).
            EXPECT_LT(std::fabs(p.dec), 34.0);
            expect_between(p.hp, 0.0, 0.6 * arcmin_m);
        }
    }
}

TEST(Planeteph, PlanetsKeepTheirPlacesRelativeToTheSun)
{
    // Venus never strays more than about 47.8° from the Sun; the outer
    // planets pass through every elongation.  Checked over eight years.
    double max_venus = 0.0;
    for (int m = 0; m < 96; ++m) {
        const int y = 2020 + m / 12, mo = 1 + m % 12;
        const SunPlace s = sun_at(0.0, y, mo, 1, 0, 0, 0);
        const PlanetPlace v = planet_at(4, 0.0, y, mo, 1, 0, 0, 0);
        const double cose = sind(s.dec) * sind(v.dec)
                            + cosd(s.dec) * cosd(v.dec) * cosd(v.ra - s.ra);
        const double elong = std::acos(cose) * 180.0 / 3.141592653589793;
        max_venus = std::fmax(max_venus, elong);
    }
    expect_between(max_venus, 44.0 * deg, 47.9 * deg);
}

TEST(Planeteph, UnknownBodyCodeIsReportedAndComputesNothing)
{
    CapturedConsole console;
    std::ostringstream& out = console.out;
    for (int id : {-1, 0, 3, 8, 9, 1000}) {
        SCOPED_TRACE(id);
        out.str("");
        const PlanetPlace p = planet_at(id, 0.0, 2000, 1, 1, 12, 0, 0);
        EXPECT_EQ(out.str(), "\n Unknown planet code " + std::to_string(id)
                                 + " (4 Venus, 5 Mars, 6 Jupiter, 7 Saturn):"
                                   " no planet computed!\n");
        EXPECT_EQ(p.dec, 0.0);
        EXPECT_EQ(p.gha, 0.0);
        EXPECT_EQ(p.gast, 0.0);
        EXPECT_EQ(p.ra, 0.0);
        EXPECT_EQ(p.hp, 0.0);
    }
    // A valid code prints nothing.
    out.str("");
    planet_at(6, 0.0, 2000, 1, 1, 12, 0, 0);
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace lunarfix
