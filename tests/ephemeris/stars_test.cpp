// Tests of the star catalogue (StarCatalog) and of the apparent place of a
// catalogue star (starseph).
#include <cmath>
#include <cstring>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "ephemeris/stars.h"
#include "foundations/console_io.h"
#include "foundations/foundations.h"
#include "test_support.h"

namespace lunarfix {
namespace {

using namespace lunarfix_test;

struct StarPlace {
    double dec, gha, gast, ra, sha;
    int ret;
};

StarPlace star(int idstar, double dt, int y, int mo, int d, int h, int mi, int s,
               int iterq = 0)
{
    StarPlace p;
    p.ret = starseph(iterq, idstar, dt, y, mo, d, h, mi, s, &p.dec, &p.gha, &p.gast,
                     &p.ra, &p.sha);
    return p;
}

// The catalogue right ascension and declination of star i, in degrees.
struct CataloguePlace {
    double ra, dec;
};
CataloguePlace catalogue_place(int i)
{
    return {farr60(StarCatalog, i, 0, 13) * 15.0, farr60(StarCatalog, i, 14, 28)};
}

// Difference in right ascension, in degrees of a great circle.
double ra_arc(double ra, const CataloguePlace& c)
{
    return std::remainder(ra - c.ra, 360.0) * std::cos(c.dec * 3.141592653589793 / 180.0);
}

// Degrees rounded to whole arcminutes (half away from zero).
long to_arcmin(double x) { return std::lround(x * 60.0); }

// ---------------------------------------------------------------------
// The catalogue
// ---------------------------------------------------------------------

TEST(StarCatalog, RowTextsAndPadding)
{
    EXPECT_STREQ(StarCatalog[0], " 2.9710266670 -40.3047138890  -0.3910    1.9400  0.0280 ");
    for (int i = 0; i < kStarRows; ++i) {
        const size_t want = (i == 43 || i >= 58) ? 57u : 56u;
        EXPECT_EQ(strnlen(StarCatalog[i], kStarRowLen), want) << "row " << i;
        for (int c = int(want); c < kStarRowLen; ++c)
            ASSERT_EQ(StarCatalog[i][c], '\0') << i;
    }
}

TEST(StarCatalog, FieldsReadByColumns)
{
    struct Expect {
        int row;
        double v[5];
    };
    const Expect rows[] = {
        {0, {2.9710266670, -40.3047138890, -0.3910, 1.9400, 0.0280}},
        {12, {19.8463894440, 8.8683416670, 3.6290, 38.6300, 0.1981}},
        {43, {2.5301955560, 89.2640888890, 19.8770, -1.520, 0.0070}},
        {49, {14.6599680560, -60.8354000000, -49.8260, 69.9300, 0.7516}},
        {50, {17.1729669440, -15.7249194400, 0.2600, 9.5000, 0.0520}},
        {53, {6.7524641670, -16.7161083330, -3.8470, -120.5300, 0.3751}},
        {57, {14.8479758330, -16.0417833330, -0.7340, -6.6800, 0.0490}},
        {58, {2.5301955560, 89.2640888890, 19.8770, -1.520, 0.0070}},
        {59, {2.5301955560, 89.2640888890, 19.8770, -1.520, 0.0070}},
    };
    const int ka[5] = {0, 14, 29, 38, 49};
    const int ke[5] = {13, 28, 37, 47, 55};
    for (const Expect& e : rows)
        for (int f = 0; f < 5; ++f)
            EXPECT_EQ(farr60(StarCatalog, e.row, ka[f], ke[f]), e.v[f])
                << "row " << e.row << " field " << f;
    // Every row has a right ascension in [0, 24) h and a declination.
    for (int i = 0; i < kStarRows; ++i) {
        const double ra = farr60(StarCatalog, i, 0, 13);
        const double dec = farr60(StarCatalog, i, 14, 28);
        EXPECT_GT(ra, 0.0) << i;
        EXPECT_LT(ra, 24.0) << i;
        EXPECT_LE(std::fabs(dec), 90.0) << i;
        EXPECT_NE(dec, 0.0) << i;
    }
}

// ---------------------------------------------------------------------
// The apparent place
// ---------------------------------------------------------------------

TEST(StarEph, SiriusAgainstTheAlmanac)
{
    // 2021 December 13, 0h UT: SHA 258°28', Dec S16°45' (almanac values).
    const StarPlace p = star(53, 0.0, 2021, 12, 13, 0, 0, 0);
    EXPECT_EQ(p.ret, 53);
    EXPECT_EQ(to_arcmin(p.sha), 258 * 60 + 28);
    EXPECT_EQ(to_arcmin(p.dec), -(16 * 60 + 45));
}

TEST(StarEph, SignConventionsOfRightAscensionAndSiderealHourAngle)
{
    // Altair: right ascension near 19h 51m, so alfa1 is negative.
    const StarPlace p = star(12, 0.0, 2021, 12, 13, 0, 0, 0);
    expect_between(p.ra, -180.0, 0.0);
    EXPECT_NEAR(p.sha, -p.ra, 1e-12 * deg);
    EXPECT_NEAR(p.ra, 19.8463894440 * 15.0 - 360.0, 30.0 * arcmin);
    EXPECT_NEAR(p.gha, std::fmod(p.gast - p.ra, 360.0), 1e-9 * deg);
    // Sirius: right ascension below 12h, alfa1 positive, sha = 360 - alfa1.
    const StarPlace s = star(53, 0.0, 2021, 12, 13, 0, 0, 0);
    EXPECT_GT(s.ra, 0.0);
    EXPECT_NEAR(s.sha, 360.0 - s.ra, 1e-12 * deg);
}

TEST(StarEph, RangesForEveryCatalogueStar)
{
    for (int i = 0; i < kStarRows; ++i) {
        const StarPlace p = star(i, 69.0, 2021, 6, 21, 15, 30, 0);
        EXPECT_EQ(p.ret, i);
        EXPECT_GT(p.ra, -180.0) << i;
        EXPECT_LE(p.ra, 180.0) << i;
        SCOPED_TRACE(i);
        expect_within_one_turn(p.sha, "sidereal hour angle");
        expect_within_one_turn(p.gha, "hour angle");
        EXPECT_NEAR(std::remainder(360.0 - p.sha - p.ra, 360.0), 0.0, 1e-9 * deg) << i;
        // Within a degree of the catalogue place after 21 years.
        const CataloguePlace c = catalogue_place(i);
        EXPECT_NEAR(p.dec, c.dec, 0.2 * deg) << i;
        EXPECT_NEAR(ra_arc(p.ra, c), 0.0, 0.3 * deg) << i;
    }
}

TEST(StarEph, AtJ2000OnlyParallaxNutationAndAberrationRemain)
{
    // 2000 January 1, 12h with Delta T 0: no proper motion, no precession.
    for (int i : {2, 12, 30, 53}) {
        const StarPlace p = star(i, 0.0, 2000, 1, 1, 12, 0, 0);
        const CataloguePlace c = catalogue_place(i);
        SCOPED_TRACE(i);
        // Aberration 20.5", nutation 17" in longitude and 9" in obliquity,
        // parallax below 1".
        expect_between(std::hypot(ra_arc(p.ra, c), p.dec - c.dec), 1.0 * arcsec,
                       45.0 * arcsec);
    }
}

TEST(StarEph, SpareRowsAndTheRadialVelocityTerm)
{
    // Row 58 is Polaris without its radial velocity: identical at J2000.0
    // (no proper motion yet), different by a tiny amount later.
    const StarPlace a = star(43, 0.0, 2000, 1, 1, 12, 0, 0);
    const StarPlace b = star(58, 0.0, 2000, 1, 1, 12, 0, 0);
    EXPECT_EQ(a.ra, b.ra);
    EXPECT_EQ(a.dec, b.dec);
    const StarPlace c = star(43, 0.0, 2150, 1, 1, 0, 0, 0);
    const StarPlace d = star(58, 0.0, 2150, 1, 1, 0, 0, 0);
    const StarPlace e = star(59, 0.0, 2150, 1, 1, 0, 0, 0);
    EXPECT_NE(c.ra, d.ra);
    EXPECT_NEAR(std::remainder(c.ra - d.ra, 360.0), 0.0, 0.05 * arcsec * 60.0);
    EXPECT_NEAR(c.dec, d.dec, 0.01 * arcsec);
    EXPECT_EQ(d.ra, e.ra);
    EXPECT_EQ(d.dec, e.dec);
}

TEST(StarEph, TheDialogFlagHasNoEffect)
{
    const StarPlace a = star(30, 65.0, 2005, 3, 4, 5, 6, 7, 0);
    const StarPlace b = star(30, 65.0, 2005, 3, 4, 5, 6, 7, 1);
    EXPECT_EQ(a.dec, b.dec);
    EXPECT_EQ(a.ra, b.ra);
    EXPECT_EQ(a.gha, b.gha);
    EXPECT_EQ(a.sha, b.sha);
}

TEST(StarEph, DeltaTShiftsTheStarOnlySlightly)
{
    // Sidereal time keeps its linear term in UT: one minute of Delta T moves
    // the hour angle by far less than one minute of time would.
    const StarPlace a = star(53, 0.0, 2021, 12, 13, 0, 0, 0);
    const StarPlace b = star(53, 60.0, 2021, 12, 13, 0, 0, 0);
    EXPECT_NEAR(std::remainder(a.gha - b.gha, 360.0), 0.0, 0.01 * arcsec);
    EXPECT_NEAR(a.dec, b.dec, 0.01 * arcsec);
}

TEST(StarEph, IndexOutsideTheCatalogue)
{
    StarPlace p = {1, 1, 1, 1, 1, 0};
    std::string out;
    int r1, r2;
    {
        CapturedConsole console;
        r1 = starseph(0, 60, 0.0, 2021, 1, 1, 0, 0, 0, &p.dec, &p.gha, &p.gast, &p.ra, &p.sha);
        r2 = starseph(0, -1, 0.0, 2021, 1, 1, 0, 0, 0, &p.dec, &p.gha, &p.gast, &p.ra, &p.sha);
        out = console.out.str();
    }
    EXPECT_EQ(r1, -1);
    EXPECT_EQ(r2, -1);
    EXPECT_EQ(out, " ??? no catalogue star 60\n ??? no catalogue star -1\n");
    EXPECT_EQ(p.dec, 0.0);
    EXPECT_EQ(p.ra, 0.0);
    EXPECT_EQ(p.sha, 0.0);
}

}  // namespace
}  // namespace lunarfix
