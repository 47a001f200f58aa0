// Tests of the LEA-406b term table (str406), the lunar series (LEA406,
// lea406dif) and the apparent place of the Moon (mooneph).
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "ephemeris/moon.h"
#include "foundations/console_io.h"
#include "foundations/foundations.h"
#include "test_support.h"

namespace lunarfix {
namespace {

// Angles in degrees, distances in km, parallax and semi-diameter in
// arcminutes, time offsets in days.
using namespace lunarfix_test;
constexpr double km = 1.0;
constexpr double sec_d = 1.0 / 86400.0;

constexpr int kDistFirst = 1, kDistCount = 1029;
constexpr int kLonFirst = 1030, kLonCount = 1753;
constexpr int kLatFirst = 2783, kLatCount = 1089;
// The three blocks, distance, longitude, latitude: first row and size.
constexpr int first[3] = {kDistFirst, kLonFirst, kLatFirst};
constexpr int count[3] = {kDistCount, kLonCount, kLatCount};

// One term row as its 21 numbers.
struct Row {
    int n;
    int k[14];
    double A[3];
    double P[3];
};

bool scan_row(const char* text, Row* r)
{
    return std::sscanf(text,
                       " %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d  %lf %lf %lf %lf %lf %lf ",
                       &r->n, &r->k[0], &r->k[1], &r->k[2], &r->k[3], &r->k[4],
                       &r->k[5], &r->k[6], &r->k[7], &r->k[8], &r->k[9], &r->k[10],
                       &r->k[11], &r->k[12], &r->k[13], &r->A[0], &r->A[1], &r->A[2],
                       &r->P[0], &r->P[1], &r->P[2]) == 21;
}

// Runs f with the console pointed at string streams; returns the output.
template <class F>
std::string captured(F f, const std::string& input = "")
{
    CapturedConsole console;
    console.feed(input);
    f();
    return console.out.str();
}

// ---------------------------------------------------------------------
// The term table
// ---------------------------------------------------------------------

TEST(Lea406Table, HeaderTrailerAndRowStorage)
{
    EXPECT_STREQ(str406[0],
                 " 1029   1753   1089              "
                 "LEA-406b lunar series, S. M. Kudryavtsev");
    EXPECT_STREQ(str406[kLea406Rows - 1], "0");
    EXPECT_NE(std::strstr(str406[kLea406Rows - 2], "3871"), nullptr);
    // Block sizes in the header equal the blocks.
    int n9 = 0, n10 = 0, n11 = 0;
    ASSERT_EQ(std::sscanf(str406[0], "%d %d %d", &n9, &n10, &n11), 3);
    EXPECT_EQ(n9, kDistCount);
    EXPECT_EQ(n10, kLonCount);
    EXPECT_EQ(n11, kLatCount);
    EXPECT_EQ(1 + n9 + n10 + n11 + 2, kLea406Rows);

    // Every row is NUL terminated and NUL padded; the longest holds 154.
    size_t longest = 0;
    for (int i = 0; i < kLea406Rows; ++i) {
        const size_t len = strnlen(str406[i], kLea406RowLen);
        ASSERT_LT(len, size_t(kLea406RowLen)) << "row " << i;
        for (int c = int(len); c < kLea406RowLen; ++c)
            ASSERT_EQ(str406[i][c], '\0') << "row " << i << " col " << c;
        if (i >= 1 && i <= 3871 && len > longest) longest = len;
    }
    EXPECT_EQ(longest, 154u);
}

TEST(Lea406Table, EveryTermRowScansWithItsTermNumber)
{
    // Published counts of zero amplitudes: A0, A1, A2 per block.
    const int zeroA0[3] = {17, 27, 54};
    const int zeroA1[3] = {476, 601, 427};
    const int zeroA2[3] = {598, 861, 600};
    for (int b = 0; b < 3; ++b) {
        int z0 = 0, z1 = 0, z2 = 0;
        for (int n = 1; n <= count[b]; ++n) {
            Row r;
            const int row = first[b] + n - 1;
            ASSERT_TRUE(scan_row(str406[row], &r)) << "row " << row;
            ASSERT_EQ(r.n, n) << "row " << row;
            for (int a = 0; a < 3; ++a) ASSERT_GE(r.A[a], 0.0) << "row " << row;
            for (int a = 0; a < 3; ++a) {
                ASSERT_LE(std::fabs(r.P[a]), 180.0) << "row " << row;
            }
            z0 += r.A[0] == 0.0;
            z1 += r.A[1] == 0.0;
            z2 += r.A[2] == 0.0;
        }
        EXPECT_EQ(z0, zeroA0[b]) << "block " << b;
        EXPECT_EQ(z1, zeroA1[b]) << "block " << b;
        EXPECT_EQ(z2, zeroA2[b]) << "block " << b;
    }
}

TEST(Lea406Table, TellingRows)
{
    struct Telling {
        int row;
        int k[14];
        double A[3];
        double P[3];
    };
    const Telling rows[] = {
        {kDistFirst, {0}, {385000.5391914, 0.022719, 0.000373},
         {0.0, 0.0, 180.0}},
        {kDistFirst + 1, {1}, {20905.1323372, 0.980795, 5.053451},
         {-179.998214819582, 20.874852007105, 86.848103326125}},
        {kLonFirst, {1}, {22639.4323623, 0.901286, 5.524167},
         {0.000626771183, -111.628732249300, -91.004872180211}},
        {kLatFirst, {0, 0, 1}, {18461.3045037, 0.706748, 4.386216},
         {-0.000010526140, -86.594593605340, -90.013463073815}},
    };
    for (const Telling& t : rows) {
        Row r;
        ASSERT_TRUE(scan_row(str406[t.row], &r));
        EXPECT_EQ(r.n, 1 + (t.row == kDistFirst + 1));
        for (int j = 0; j < 14; ++j) EXPECT_EQ(r.k[j], t.k[j]) << t.row << " k" << j;
        for (int a = 0; a < 3; ++a) {
            EXPECT_EQ(r.A[a], t.A[a]) << t.row;
            EXPECT_EQ(r.P[a], t.P[a]) << t.row;
        }
    }
    // A row whose published multipliers touch ("1-11") is held with blanks.
    Row r;
    ASSERT_TRUE(scan_row(str406[kDistFirst + 77], &r));
    EXPECT_EQ(r.n, 78);
    const int k78[14] = {-1, 0, -2, 2, 0, 0, 1, -11, 0, 0, 0, 0, 0, 0};
    for (int j = 0; j < 14; ++j) EXPECT_EQ(r.k[j], k78[j]) << j;
}

// FNV-1a 64 over every row followed by a line feed, as the generator's
// banner states it.
uint64_t rows_fnv1a64()
{
    uint64_t h = 0xcbf29ce484222325ull;
    for (int i = 0; i < kLea406Rows; ++i) {
        const size_t len = strnlen(str406[i], kLea406RowLen);
        for (size_t c = 0; c <= len; ++c) {
            const unsigned char byte = c < len ? (unsigned char)str406[i][c] : '\n';
            h ^= byte;
            h *= 0x100000001b3ull;
        }
    }
    return h;
}

TEST(Lea406Table, CompiledRowsMatchTheGeneratorsChecksum)
{
    const std::string path =
        std::string(LUNARFIX_SOURCE_DIR) + "/src/ephemeris/lea406_table.cpp";
    const std::string text = read_file(path.c_str());
    ASSERT_FALSE(text.empty()) << path;
    const std::string key = "rows-fnv1a64: ";
    const size_t at = text.find(key);
    ASSERT_NE(at, std::string::npos);
    const uint64_t banner = std::strtoull(text.substr(at + key.size(), 16).c_str(), nullptr, 16);
    EXPECT_EQ(rows_fnv1a64(), banner);
    // The banner names the source and the term counts.
    EXPECT_NE(text.find("J/A+A/471/1069"), std::string::npos);
    EXPECT_NE(text.find("table9.dat"), std::string::npos);
    EXPECT_NE(text.find("(longitude, 1753 terms)"), std::string::npos);
}

TEST(Lea406Table, GeneratorVerifiesTheCommittedRows)
{
    if (std::system("python3 -c 1 >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 not available";
    const std::string cmd = std::string("python3 ") + LUNARFIX_SOURCE_DIR +
                            "/tools/gen_lea406_table.py --verify " + LUNARFIX_SOURCE_DIR +
                            "/src/ephemeris/lea406_table.cpp >/dev/null";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
}

// ---------------------------------------------------------------------
// The series
// ---------------------------------------------------------------------

TEST(Lea406, EpochOffsetAtItsBreakPoints)
{
    EXPECT_EQ(lea406dif(2195773.5), 0.0);
    EXPECT_EQ(lea406dif(2451545.0), 0.0);
    EXPECT_EQ(lea406dif(2720304.5), 0.0);
    EXPECT_NEAR(lea406dif(2999498.5), 40.0 * sec_d, 1e-15);
    EXPECT_EQ(lea406dif(2999498.6), 40.0 / 86400.0);  // exactly the end value
    EXPECT_EQ(lea406dif(5e6), 40.0 / 86400.0);  // exactly the end value
    EXPECT_EQ(lea406dif(1e12), 40.0 / 86400.0);  // exactly the end value
    EXPECT_NEAR(lea406dif(1903773.5), -28.0 * sec_d, 1e-15);
    EXPECT_NEAR(lea406dif(1611773.5), -56.0 * sec_d, 1e-15);
    // Linear between: half the rise halfway, and no limit below.
    EXPECT_NEAR(lea406dif((2720304.5 + 2999498.5) / 2), 20.0 * sec_d, 1e-15);
    EXPECT_NEAR(lea406dif(2195773.5 - 146000.0), -14.0 * sec_d, 1e-15);
    EXPECT_LT(lea406dif(-1e6), lea406dif(0.0));
}

TEST(Lea406, MeeusExample47a)
{
    // 1992 April 12, 0h TD (Meeus, Astronomical Algorithms, ex. 47.a).  The
    // example's own series is truncated, hence the tolerances.
    double lon, lat, dist;
    LEA406(2448724.5, &lon, &lat, &dist);
    EXPECT_NEAR(angdiff(lon, 133.162655), 0.0, 3.0 * arcsec);
    // A southern latitude comes back as 360 minus its size.
    expect_between(lat, 180.0, 360.0);
    EXPECT_NEAR(lat - 360.0, -3.229126, 3.0 * arcsec);
    EXPECT_NEAR(dist, 368409.7, 10.0 * km);
}

TEST(Lea406, AtJ2000OnlyTheConstantPartsCount)
{
    // At T = 0 each argument is the sum of the multiplied constant parts of
    // the fundamental arguments: an independent sum over the table.
    const double a0[14] = {134.96340251, 357.52910918, 93.27209062, 297.85019547,
                           125.04455501, 252.25090552, 181.97980085, 100.46645683,
                           355.43299958, 34.35151874, 50.0774443, 314.05500511,
                           304.34866548, 0.0};  // in the row order l, l', F, D, ...
    const double d2r = 3.141592653589793 / 180.0;
    double sums[3] = {0.0, 218.31664563 * 3600.0, 0.0};
    for (int b = 0; b < 3; ++b) {
        for (int i = 0; i < count[b]; ++i) {
            Row r;
            ASSERT_TRUE(scan_row(str406[first[b] + i], &r));
            double arg = 0.0;
            for (int j = 0; j < 14; ++j) arg += r.k[j] * a0[j];
            const double x = (r.P[0] + arg) * d2r;
            sums[b] += r.A[0] * (b == 0 ? std::cos(x) : std::sin(x));
        }
    }
    double lon, lat, dist;
    LEA406(2451545.0, &lon, &lat, &dist);
    EXPECT_NEAR(dist, sums[0], 1e-6 * km);
    EXPECT_NEAR(angdiff(lon, std::fmod(sums[1] / 3600.0, 360.0)), 0.0, 1e-6 * arcsec);
    EXPECT_NEAR(angdiff(lat, sums[2] / 3600.0), 0.0, 1e-6 * arcsec);
    expect_within_one_turn(lon, "longitude");
    EXPECT_LT(lat, 360.0);
}

TEST(Lea406, SameInstantGivesBitIdenticalResults)
{
    double a[3], b[3];
    LEA406(2460000.25, &a[0], &a[1], &a[2]);
    LEA406(2300000.75, &b[0], &b[1], &b[2]);  // another instant between
    LEA406(2460000.25, &b[0], &b[1], &b[2]);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(a[i], b[i]);
}

TEST(Lea406, ResultsStayInRangeAcrossTheInterval)
{
    for (double jd = 625700.0; jd < 2816700.0; jd += 54321.37) {
        double lon, lat, dist;
        const std::string out = captured([&] { LEA406(jd, &lon, &lat, &dist); });
        EXPECT_EQ(out, "") << jd;
        expect_within_one_turn(lon, "longitude");
        // |latitude| below 5.4 degrees, held in [0, 360).
        EXPECT_TRUE((lat >= 0.0 && lat < 5.4) || (lat > 354.6 && lat < 360.0)) << lat;
        expect_between(dist, 356000.0 * km, 407000.0 * km);
    }
}

std::string notice(double tdb)
{
    char line[96];
    std::snprintf(line, sizeof line, " range 625674..2816787, tdb[1]]=%.1f\n", tdb);
    return std::string(" the input epoch is outside the time interval\n"
                       " where the LEA406b series are precise.\n") + line;
}

TEST(Lea406, ValidityNoticeOutsideTheInterval)
{
    double lon, lat, dist;
    // Both end points already lie outside once the offset is added.
    EXPECT_EQ(captured([&] { LEA406(625673.5, &lon, &lat, &dist); }),
              notice(625673.5 + lea406dif(625673.5)));
    EXPECT_EQ(captured([&] { LEA406(2816787.5, &lon, &lat, &dist); }),
              notice(2816787.5 + lea406dif(2816787.5)));
    EXPECT_TRUE(std::isfinite(lon) && std::isfinite(lat) && std::isfinite(dist));
    // Just inside: nothing.
    EXPECT_EQ(captured([&] { LEA406(625673.6, &lon, &lat, &dist); }), "");
    EXPECT_EQ(captured([&] { LEA406(2816787.4, &lon, &lat, &dist); }), "");
    // The notice never waits: with no input left the console is not ended.
    bool ended = true;
    captured([&] {
        LEA406(3e6, &lon, &lat, &dist);
        ended = console().ended;
    });
    EXPECT_FALSE(ended);
}

TEST(Lea406, FarEpochStillGivesNumbers)
{
    // 100000 years from J2000.0 on either side.
    for (double jd : {2451545.0 + 36524250.0, 2451545.0 - 36524250.0}) {
        double lon = -1, lat = -1, dist = -1;
        const std::string out = captured([&] { LEA406(jd, &lon, &lat, &dist); });
        EXPECT_EQ(out.rfind(" the input epoch is outside", 0), 0u);
        EXPECT_TRUE(std::isfinite(lon) && std::isfinite(lat) && std::isfinite(dist));
        expect_within_one_turn(lon, "longitude");
    }
}

// ---------------------------------------------------------------------
// The apparent place
// ---------------------------------------------------------------------

struct MoonPlace {
    double dec, gha, gast, ra, hp, sd;
};

MoonPlace moon(double dt, int y, int mo, int d, int h, int mi, int s, int flag = 1)
{
    MoonPlace p;
    mooneph(flag, dt, y, mo, d, h, mi, s, &p.dec, &p.gha, &p.gast, &p.ra, &p.hp, &p.sd);
    return p;
}

TEST(MoonEph, MeeusExample47aApparentPlace)
{
    const MoonPlace p = moon(0.0, 1992, 4, 12, 0, 0, 0);
    EXPECT_NEAR(angdiff(p.ra, 134.688470), 0.0, 3.0 * arcsec);
    EXPECT_NEAR(p.dec, 13.768368, 3.0 * arcsec);
    EXPECT_GT(p.dec, 0.0);  // north of the equator at a southern latitude
    // Equatorial horizontal parallax 0.991990 degrees in the example.
    EXPECT_NEAR(p.hp, 0.991990 * 60.0, 0.002 * arcmin_m);
    EXPECT_NEAR(p.gha, std::fmod(p.gast - p.ra + 360.0, 360.0), 1e-9 * deg);
}

TEST(MoonEph, ParallaxAndSemiDiameterFromTheSeriesDistance)
{
    double lon, lat, dist;
    LEA406(julday(2021, 12, 13, 6, 30, 0) + 69.0 / 86400.0, &lon, &lat, &dist);
    const MoonPlace p = moon(69.0, 2021, 12, 13, 6, 30, 0);
    EXPECT_NEAR(p.hp, std::asin(6378.14 / dist) * 57.29577951308238 * 60.0,
                1e-9 * arcmin_m);
    EXPECT_NEAR(p.sd, 358473400.0 / dist / 60.0, 1e-9 * arcmin_m);
    expect_between(p.hp, 53.0 * arcmin_m, 62.0 * arcmin_m);
}

TEST(MoonEph, DeltaTMovesOnlyTheInstantOfTheSeries)
{
    const MoonPlace a = moon(0.0, 2010, 7, 3, 18, 0, 0);
    const MoonPlace b = moon(60.0, 2010, 7, 3, 18, 0, 0);
    const MoonPlace c = moon(0.0, 2010, 7, 3, 18, 1, 0);
    // Same mean sidereal time; the apparent one differs by dpsi cos(eps).
    EXPECT_NEAR(angdiff(a.gast, b.gast), 0.0, 0.001 * arcsec);
    // The place with Delta T 60 s is the place one minute later.
    EXPECT_NEAR(angdiff(b.ra, c.ra), 0.0, 1e-6 * arcsec);
    EXPECT_NEAR(b.dec, c.dec, 1e-6 * arcsec);
    EXPECT_NEAR(b.hp, c.hp, 1e-9 * arcmin_m);
    // And it differs from the place without Delta T by the Moon's motion.
    EXPECT_GT(std::fabs(angdiff(a.ra, b.ra)), 20.0 * arcsec);
}

TEST(MoonEph, RangesOverAMonthAndTheIgnoredFlag)
{
    for (int day = 1; day <= 31; ++day) {
        SCOPED_TRACE(day);
        const MoonPlace p = moon(69.2, 2022, 1, day, (day * 7) % 24, 0, 0);
        expect_within_one_turn(p.ra, p.gha, p.gast);
        EXPECT_LT(std::fabs(p.dec), 29.0 * deg);
        expect_between(p.sd, 14.5 * arcmin_m, 17.0 * arcmin_m);
    }
    const MoonPlace a = moon(50.0, 1850, 3, 1, 2, 3, 4, 1);
    const MoonPlace b = moon(50.0, 1850, 3, 1, 2, 3, 4, 0);
    EXPECT_EQ(a.dec, b.dec);
    EXPECT_EQ(a.ra, b.ra);
    EXPECT_EQ(a.sd, b.sd);
}

TEST(MoonEph, OutsideTheSeriesIntervalOnlyTheSeriesNotice)
{
    MoonPlace p;
    const std::string out = captured(
        [&] { p = moon(0.0, 3001, 6, 1, 0, 0, 0); }, "x\n");
    const double tdb = julday(3001, 6, 1, 0, 0, 0) + lea406dif(julday(3001, 6, 1, 0, 0, 0));
    EXPECT_EQ(out, notice(tdb));
    EXPECT_TRUE(std::isfinite(p.dec) && std::isfinite(p.ra) && std::isfinite(p.hp));
}

}  // namespace
}  // namespace lunarfix
