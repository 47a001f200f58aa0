// Delta T: the built-in model, the interpolation helpers and the
// prediction file moondist0x0.txt (each file test in a fresh directory).
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

#include "foundations/console_io.h"
#include "foundations/foundations.h"
#include "test_support.h"

using namespace lunarfix;
using namespace lunarfix_test;
namespace fs = std::filesystem;

namespace {

// The tabulated values of the model, as published (year, Delta T in s).
const double kTable[75][2] = {
    {-700, 20500}, {-500, 16940}, {-300, 14080}, {-100, 11560}, {0, 10440},
    {100, 9410},   {200, 8420},   {300, 7480},   {400, 6540},   {500, 5590},
    {600, 4650},   {700, 3760},   {800, 2940},   {900, 2230},   {1000, 1650},
    {1100, 1220},  {1200, 910},   {1300, 680},   {1400, 480},   {1500, 290},
    {1600, 109},   {1620, 80},    {1640, 54},    {1660, 35},    {1680, 22},
    {1700, 14},    {1720, 12},    {1740, 15},    {1760, 19},    {1780, 21},
    {1800, 18.4},  {1810, 15.7},  {1820, 16.5},  {1830, 10.8},  {1840, 7.6},
    {1850, 9.3},   {1860, 9.04},  {1870, 2.37},  {1880, -3.21}, {1890, -3.88},
    {1895, -5.02}, {1900, -1.98}, {1905, 4.92},  {1910, 11.14}, {1915, 17.48},
    {1920, 21.62}, {1925, 23.79}, {1930, 24.42}, {1935, 24.16}, {1940, 24.43},
    {1945, 27.05}, {1950, 28.93}, {1955, 30.41}, {1960, 33.07}, {1965, 35.09},
    {1970, 39.93}, {1975, 45.28}, {1980, 50.36}, {1985, 54.39}, {1990, 56.99},
    {1995, 60.68}, {2000, 63.81}, {2005, 64.73}, {2010, 66.06}, {2015, 67.69},
    {2018, 68.92}, {2020, 69.36}, {2030, 67},    {2040, 68},    {2050, 70},
    {2100, 80},    {2200, 160},   {2300, 330},   {2400, 610},   {2500, 999},
};

const char kOutOfRange[] =
    " ??? year out of range:  -700 < year < 3500 ??? \n"
    " ??? setting Delta-T == 0 !\n";

const char kWrongSequence2020[] = "??? moondist0x0.txt:\n? wrong sequence:2020\n";
const char kWrongSequence2035[] = "??? moondist0x0.txt:\n? wrong sequence:2035\n";
const char kEqualYears[] =
    " ??ERROR quadipol,setting Delta-T=0.\n File moondist0x0.txt corrupted?\n";
// The line for a year the file does not cover, or cannot give for another
// reason ("repeats a year needed for", "gives an impossible Delta-T for").
std::string not_covered(int year, const std::string& why = "does not cover") {
    return " ??? moondist0x0.txt " + why + " the year " + std::to_string(year) +
           ": Delta-T of the built-in model\n";
}
const char kUnusable[] =
    " ??? moondist0x0.txt can be neither created nor read: Delta-T of the built-in "
    "model\n";

// The prediction file as the program writes it when it is missing.
const char kDefaultFile[] =
    "    2020   69.4 \n"
    "    2025   67.8 \n"
    "    2035   67.4 \n"
    "    2050   70.0 \n"
    "    2070   71.6 \n"
    "    2095   78.1 \n"
    "    2125   91.6 \n"
    "    2160   117.2 \n"
    "    2200   160.0 \n"
    "    2245   222.9 \n"
    "    2295   318.9 \n"
    "    2350   456.4 \n"
    "    2410   644.0 \n"
    "    2475   891.5 \n"
    "    2545   1172.9 \n"
    "    2620   1490.5 \n"
    "    2700   1867.8 \n"
    "    2785   2312.1 \n"
    "    2875   2831.4 \n"
    "    2970   3434.1 \n"
    "    3000   3636.0 \n"
    "  'YEAR'  'DELTA_T(seconds)' \n"
    "\n"
    " DELTA_T = TT-UT1 is obtained (after year 2020)\n"
    " from THIS FILE via local quadratic interpolation,\n"
    " and then entered into lunarfix - \n"
    "\n"
    " Data given by UKHO in 2021 (also see JPL-DE441),\n"
    " up to year 2500, see: https://astro.ukho.gov.uk/nao/lvm/\n"
    " (beyond that by quadratic extrapolation).\n"
    " You may change the entries of the file as you like,\n"
    " but YEARS must be between 2020 and 3000. -\n"
    " If the file gets corrupted, just erase it completely,\n"
    " the program next time will rebuild it in original form.\n";

const char kFile[] = "moondist0x0.txt";

// Delta T values agree to far below a millisecond.
constexpr double dt_tol = 1e-9 * sec_dt;

// Console redirected to string streams for the length of a test.
class ConsoleCapture : public ConsoleFixture {};

// Each test in a fresh temporary working directory, removed afterwards.
class PredictionFile : public ConsoleCapture {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.ok()); }
    void TearDown() override { ASSERT_TRUE(dir_.leave()); }
    static void write(const std::string& text) { write_file(kFile, text); }
    static std::string read() { return read_file(kFile); }
    static int files_in_cwd() {
        int n = 0;
        for (const auto& e : fs::directory_iterator(".")) {
            (void)e;
            ++n;
        }
        return n;
    }
    // delta0x(year) with an answer typed ahead: its value, the one notice
    // it gives, and no pause (the answer is still unread).
    void expect_notice_without_pause(int year, double want, const std::string& notice) {
        feed("typed ahead\n");
        EXPECT_NEAR(delta0x(year), want, dt_tol) << year;
        EXPECT_EQ(out_.str(), notice);
        EXPECT_EQ(rest(), "typed ahead\n");
    }
    TempDir dir_{"deltat"};
};

} // namespace

// ---------------------------------------------------------------- model

TEST(Deltatime, ReproducesEveryTableRow) {
    for (const auto& row : kTable) {
        const int year = static_cast<int>(row[0]);
        EXPECT_NEAR(deltatime(year, 1), row[1], dt_tol) << year;
    }
}

TEST(Deltatime, PublishedEdgeValues) {
    EXPECT_EQ(deltatime(-700, 1), 20500.0);
    EXPECT_EQ(deltatime(0, 6), 10440.0);
    EXPECT_EQ(deltatime(1850, 1), 9.3);
    EXPECT_EQ(deltatime(2020, 12), 69.36);
    EXPECT_EQ(deltatime(2400, 1), 610.0);
    EXPECT_NEAR(deltatime(2500, 1), 999.0, dt_tol);
    const double t = 1600.0;
    EXPECT_NEAR(deltatime(3500, 1), (0.004 * t - 119.4) + 0.0031 * t * t, dt_tol);
    EXPECT_EQ(deltatime(1987, 1), deltatime(1987, 12));  // month has no effect
}

TEST(Deltatime, InterpolatesOverThreeRows) {
    // Between rows: the parabola through the bracketing pair and the next row.
    EXPECT_NEAR(deltatime(1987, 1), quadipola(1985, 54.39, 1990, 56.99, 1995, 60.68, 1987),
                dt_tol);
    EXPECT_NEAR(deltatime(-650, 1),
                quadipola(-700, 20500, -500, 16940, -300, 14080, -650), dt_tol);
    // 2300 to 2499 all use the last three rows.
    for (int y = 2300; y <= 2499; y += 37) {
        EXPECT_NEAR(deltatime(y, 1), quadipola(2300, 330, 2400, 610, 2500, 999, y),
                    dt_tol) << y;
    }
    EXPECT_NEAR(deltatime(2499, 1), quadipola(2300, 330, 2400, 610, 2500, 999, 2499),
                dt_tol);
    EXPECT_NEAR(deltatime(2250, 1), quadipola(2200, 160, 2300, 330, 2400, 610, 2250),
                dt_tol);
}

TEST_F(ConsoleCapture, DeltatimeOutOfRange) {
    EXPECT_EQ(deltatime(-701, 1), 0.0);
    EXPECT_EQ(out_.str(), kOutOfRange);
    out_.str("");
    EXPECT_EQ(deltatime(3501, 1), 0.0);
    EXPECT_EQ(out_.str(), kOutOfRange);
    out_.str("");
    deltatime(-700, 1);
    deltatime(3500, 1);
    EXPECT_EQ(out_.str(), "");
}

// ------------------------------------------------------- interpolation

TEST(Quadipola, ParabolaThroughThreePoints) {
    // y = 2x^2 - 3x + 1
    auto f = [](double x) { return 2 * x * x - 3 * x + 1; };
    EXPECT_NEAR(quadipola(-1, f(-1), 0.5, f(0.5), 4, f(4), 2.25), f(2.25), 1e-12);
    EXPECT_NEAR(quadipola(-1, f(-1), 0.5, f(0.5), 4, f(4), 10.0), f(10.0), 1e-11);
    EXPECT_EQ(quadipola(1, 7, 2, 8, 3, 9, 2), 8.0);
}

TEST_F(ConsoleCapture, QuadipolNeville) {
    auto cubic = [](double x) { return ((0.5 * x - 2) * x + 1) * x - 4; };
    const double xa[5] = {0, -2, 1, 3, 7};
    const double ya[5] = {0, cubic(-2), cubic(1), cubic(3), cubic(7)};
    double y = 0;
    quadipol(xa, ya, 4, 2.5, &y);
    EXPECT_NEAR(y, cubic(2.5), 1e-12);
    quadipol(xa, ya, 4, 7.0, &y);
    EXPECT_NEAR(y, cubic(7.0), 1e-12);
    quadipol(xa, ya, 3, 0.3, &y);
    EXPECT_NEAR(y, quadipola(-2, ya[1], 1, ya[2], 3, ya[3], 0.3), 1e-12);
    quadipol(xa, ya, 1, 5.0, &y);
    EXPECT_EQ(y, ya[1]);
    EXPECT_EQ(out_.str(), "");
}

TEST_F(ConsoleCapture, QuadipolEqualAbscissae) {
    feed("k\nnext\n");
    const double xa[4] = {0, 2050, 2050, 2070};
    const double ya[4] = {0, 70, 71, 72};
    double y = 5.0;
    quadipol(xa, ya, 3, 2060, &y);
    EXPECT_EQ(y, 0.0);
    EXPECT_EQ(out_.str(), kEqualYears);
    EXPECT_EQ(rest(), "k\nnext\n");  // no pause
}

TEST_F(ConsoleCapture, QuadipolBadCountGivesZero) {
    const double xa[11] = {0};
    const double ya[11] = {0};
    double y = 5.0;
    quadipol(xa, ya, 10, 1.0, &y);
    EXPECT_EQ(y, 0.0);
    y = 5.0;
    quadipol(xa, ya, 0, 1.0, &y);
    EXPECT_EQ(y, 0.0);
}

// ------------------------------------------------------ prediction file

TEST_F(PredictionFile, MissingFileIsWrittenWithDefaults) {
    EXPECT_NEAR(delta0x(2020), 69.36, dt_tol);
    EXPECT_EQ(read(), kDefaultFile);
    EXPECT_EQ(files_in_cwd(), 1);  // no temporary file left behind
    EXPECT_EQ(out_.str(), "");
}

TEST_F(PredictionFile, DefaultRows) {
    EXPECT_NEAR(delta0x(2025), 67.8, dt_tol);
    EXPECT_NEAR(delta0x(3000), 3636.0, dt_tol);
    EXPECT_NEAR(delta0x(2970), 3434.1, dt_tol);
    EXPECT_NEAR(delta0x(2100), quadipola(2070, 71.6, 2095, 78.1, 2125, 91.6, 2100),
                dt_tol);
    // 2021: the pair 2020/2025 and the fixed point 2010 before it.
    EXPECT_NEAR(delta0x(2021), quadipola(2010, 66.1, 2020, 69.36, 2025, 67.8, 2021),
                dt_tol);
    EXPECT_EQ(delta0x(2019), 0.0);
    EXPECT_EQ(out_.str(), "");
}

TEST_F(PredictionFile, YearAfter3000DoesNotTouchTheFile) {
    EXPECT_EQ(delta0x(3001), 0.0);
    EXPECT_FALSE(fs::exists(kFile));
    EXPECT_EQ(delta0x(2019), 0.0);  // creates it
    EXPECT_TRUE(fs::exists(kFile));
}

TEST_F(PredictionFile, ExistingFileIsNeverRewritten) {
    const std::string mine = "2020 69\n2040 72.5\n2100 90\n3000 3000\n";
    write(mine);
    EXPECT_NEAR(delta0x(2040), 72.5, dt_tol);
    EXPECT_EQ(read(), mine);
}

TEST_F(PredictionFile, FirstRowValueIsReplaced) {
    std::string edited = kDefaultFile;
    edited.replace(edited.find("69.4"), 4, "99.9");
    write(edited);
    EXPECT_NEAR(delta0x(2020), 69.36, dt_tol);
    EXPECT_NEAR(delta0x(2022), quadipola(2010, 66.1, 2020, 69.36, 2025, 67.8, 2022),
                dt_tol);
}

TEST_F(PredictionFile, FirstRowYearIsReplaced) {
    write("2025 50\n2035 70\n2050 80\n3000 100\n");
    EXPECT_NEAR(delta0x(2025), quadipola(2010, 66.1, 2020, 69.36, 2035, 70, 2025), dt_tol);
}

TEST_F(PredictionFile, EditTakesEffectAtTheNextCall) {
    write("2020 69\n2030 70\n2040 75\n3000 100\n");
    const double before = delta0x(2035);
    write("2020 69\n2030 70\n2040 85\n3000 100\n");
    const double after = delta0x(2035);
    EXPECT_NEAR(before, quadipola(2020, 69.36, 2030, 70, 2040, 75, 2035), dt_tol);
    EXPECT_NEAR(after, quadipola(2020, 69.36, 2030, 70, 2040, 85, 2035), dt_tol);
}

TEST_F(PredictionFile, FreeSpacingAndWindowsLineEnds) {
    write("  2020\t69.4\r\n2030     70.5\r\n\r\n \t \n   2040 72\r\n3000 99 \r\n");
    EXPECT_NEAR(delta0x(2035), quadipola(2020, 69.36, 2030, 70.5, 2040, 72, 2035), dt_tol);
    EXPECT_NEAR(delta0x(3000), 99.0, dt_tol);
}

TEST_F(PredictionFile, RowsAreReadByLine) {
    // A row is one line holding a year and its Delta T; a line with one
    // number, three, or text ends the rows, so a row whose value was
    // deleted never pairs its year with the next row's.  The years past
    // the end get the model's value (from its published table) after one
    // line naming the year; blank lines are skipped.
    std::string no2050 = kDefaultFile;
    no2050.replace(no2050.find("   70.0 "), 8, "");
    struct Case {
        std::string text;
        int year;
        double dt;
        bool model;
    };
    const Case cases[] = {
        {"2020 69.4\n2025\n2030 70\n2040 72\n3000 99\n", 2021,
         quadipola(2020, 69.36, 2030, 67, 2040, 68, 2021), true},
        {no2050, 2042, quadipola(2040, 68, 2050, 70, 2100, 80, 2042), true},
        {no2050, 2030, quadipola(2020, 69.36, 2025, 67.8, 2035, 67.4, 2030),
         false},
        {"2020 69\n2030 70 71\n2040 72\n3000 99\n", 2035,
         quadipola(2030, 67, 2040, 68, 2050, 70, 2035), true},
        {"2020 69\n2030 70\n2040 seventy\n2050 75\n3000 99\n", 2045,
         quadipola(2040, 68, 2050, 70, 2100, 80, 2045), true},
        {"2020 69\n2030 70\n\n \t\n2040 72\n3000 99\n", 2035,
         quadipola(2020, 69.36, 2030, 70, 2040, 72, 2035), false},
    };
    for (const Case& c : cases) {
        write(c.text);
        out_.str("");
        EXPECT_NEAR(delta0x(c.year), c.dt, 1e-9) << c.text;
        EXPECT_EQ(out_.str(), c.model ? not_covered(c.year) : "") << c.text;
    }
}

TEST_F(PredictionFile, EmptyFileIsReportedOutOfSequence) {
    write("");
    // The model's 999 s of 2500 (the table's last row), without a pause.
    expect_notice_without_pause(2500, 999.0, kWrongSequence2020);
    EXPECT_EQ(read(), "");  // the file is not repaired
    // A year before 2020 gets no value from the model.
    EXPECT_EQ(delta0x(2019), 0.0);
}

TEST_F(PredictionFile, FileBeginningWithTextIsReportedOutOfSequence) {
    write("YEAR DT\n2020 69\n2030 70\n");
    expect_notice_without_pause(2025, quadipola(2020, 69.36, 2030, 67, 2040, 68, 2025),
                                kWrongSequence2020);
}

TEST_F(PredictionFile, WrongSequenceAtEndOfInputGoesOn) {
    write("");
    feed("");
    EXPECT_NEAR(delta0x(2100), 80.0, dt_tol);  // the model's row 2100
    EXPECT_EQ(out_.str(), kWrongSequence2020);
    EXPECT_FALSE(console().ended);  // nothing was read
}

TEST_F(PredictionFile, YearPastTheLastRowTakesTheModel) {
    write("2020 69\n2030 70\n2040 72\n2050 75\n");
    EXPECT_NEAR(delta0x(2050), quadipola(2030, 70, 2040, 72, 2050, 75, 2050), dt_tol);
    EXPECT_EQ(out_.str(), "");
    // 2100 is a row of the model's table: 80 s, after one line, no pause.
    expect_notice_without_pause(2100, 80.0, not_covered(2100));
    // 2900 from the model's parabola: t = 1000, 4 - 119.4 + 3100.
    out_.str("");
    EXPECT_NEAR(delta0x(2900), 2984.6, dt_tol);
    EXPECT_EQ(out_.str(), not_covered(2900));
    // A year after 3000 keeps its 0 and says nothing.
    out_.str("");
    EXPECT_EQ(delta0x(3001), 0.0);
    EXPECT_EQ(out_.str(), "");
}

TEST_F(PredictionFile, UpToAHundredRowsAreRead) {
    // n rows: every fifth year from 2020, one second more each.
    auto rows = [](int n) {
        std::string text;
        for (int i = 0; i < n; ++i)
            text += std::to_string(2020 + 5 * i) + " " + std::to_string(70 + i) + "\n";
        return text;
    };
    write(rows(45));
    // Row 45 is 2240 with 114 s.
    EXPECT_NEAR(delta0x(2240), 114.0, dt_tol);
    EXPECT_NEAR(delta0x(2230), 112.0, dt_tol);
    EXPECT_EQ(out_.str(), "");

    write(rows(105));
    // Row 100 is 2515 with 169 s; the rows after it are not read.
    EXPECT_NEAR(delta0x(2515), 169.0, dt_tol);
    EXPECT_EQ(out_.str(), "");
    EXPECT_NEAR(delta0x(2520), deltatime(2520, 1), dt_tol);
    EXPECT_EQ(out_.str(), not_covered(2520));
}

TEST_F(PredictionFile, WrongOrderAfterTheBracketGoesUnnoticed) {
    write("2020 69\n2025 68\n2035 67\n2030 66\n2050 70\n3000 100\n");
    EXPECT_NEAR(delta0x(2030), quadipola(2020, 69.36, 2025, 68, 2035, 67, 2030), dt_tol);
    EXPECT_EQ(out_.str(), "");
    expect_notice_without_pause(2040, 68.0, kWrongSequence2035);  // the model's row
}

TEST_F(PredictionFile, RepeatedYears) {
    write("2020 69\n2035 67\n2050 70\n2050 71\n2070 72\n3000 100\n");
    EXPECT_NEAR(delta0x(2050), quadipola(2020, 69.36, 2035, 67, 2050, 70, 2050), dt_tol);
    EXPECT_EQ(out_.str(), "");
    expect_notice_without_pause(2060, quadipola(2050, 70, 2100, 80, 2200, 160, 2060),
                                not_covered(2060, "repeats a year needed for"));
}

TEST_F(PredictionFile, NonNumericValueEndsTheRows) {
    // A value that is not a finite number is not taken: the rows end there.
    write("2020 69\n2030 70\n2040 nan\n2050 75\n3000 100\n");
    EXPECT_NEAR(delta0x(2030), quadipola(2010, 66.1, 2020, 69.36, 2030, 70, 2030), dt_tol);
    const double model2045 = quadipola(2040, 68, 2050, 70, 2100, 80, 2045);
    EXPECT_NEAR(delta0x(2045), model2045, dt_tol);
    write("2020 69\n2030 70\n2040 1e999\n3000 100\n");
    EXPECT_NEAR(delta0x(2045), model2045, dt_tol);
    write("2020 69\n2030 70\n99999999999 72\n3000 100\n");
    EXPECT_NEAR(delta0x(2045), model2045, dt_tol);
    write("2020 69\n2030 70,5\n3000 100\n");
    EXPECT_NEAR(delta0x(2025), quadipola(2020, 69.36, 2030, 67, 2040, 68, 2025), dt_tol);
    EXPECT_EQ(out_.str(), not_covered(2045) + not_covered(2045) +
                              not_covered(2045) + not_covered(2025));
}

TEST_F(PredictionFile, AbsurdValueEndsTheRows) {
    // A value far beyond any Delta T (a mistyped exponent) is not taken:
    // without this the interpolation overflows to NaN, or the ephemerides
    // are evaluated at an instant where their sums overflow.
    write("2020 69\n2030 1e308\n2040 -1e308\n3000 100\n");
    const double model2035 = quadipola(2030, 67, 2040, 68, 2050, 70, 2035);
    const double v = delta0x(2035);
    EXPECT_TRUE(std::isfinite(v));
    EXPECT_NEAR(v, model2035, dt_tol);
    write("2020 69\n2030 70\n2040 1e300\n3000 100\n");
    EXPECT_NEAR(delta0x(2035), model2035, dt_tol);
    EXPECT_EQ(out_.str(), not_covered(2035) + not_covered(2035));
    out_.str("");
    EXPECT_NEAR(delta0x(2025), quadipola(2010, 66.1, 2020, 69.36, 2030, 70, 2025), dt_tol);
    // Large values are still read as rows; a value between them within
    // -1000 .. 6000 s is used, one outside is not.
    write("2020 69\n2030 70\n2040 -5000\n3000 999999\n");
    EXPECT_NEAR(delta0x(2031), quadipola(2020, 69.36, 2030, 70, 2040, -5000, 2031),
                dt_tol);
    EXPECT_EQ(out_.str(), "");
    EXPECT_NEAR(delta0x(2035), model2035, dt_tol);
    EXPECT_NEAR(delta0x(3000), deltatime(3000, 1), dt_tol);
    EXPECT_EQ(out_.str(),
              not_covered(2035, "gives an impossible Delta-T for") +
                  not_covered(3000, "gives an impossible Delta-T for"));
}

TEST_F(PredictionFile, DeletedFileIsWrittenAgain) {
    write("2020 69\n2030 70\n3000 100\n");
    EXPECT_NEAR(delta0x(3000), 100.0, dt_tol);
    fs::remove(kFile);
    EXPECT_NEAR(delta0x(3000), 3636.0, dt_tol);
    EXPECT_EQ(read(), kDefaultFile);
}

TEST_F(PredictionFile, FileThatCannotBeCreated) {
    // The working directory itself is gone: nothing can be created in it.
    const fs::path here = fs::current_path();
    fs::remove(here);
    EXPECT_NEAR(delta0x(2100), 80.0, dt_tol);  // the model's row 2100
    EXPECT_EQ(out_.str(), kUnusable);
    EXPECT_EQ(console().ended, false);  // no pause was taken
}

TEST_F(PredictionFile, FileThatCannotBeRead) {
    fs::create_directory(kFile);  // a directory in the file's place
    feed("untouched\n");
    EXPECT_NEAR(delta0x(2100), 80.0, dt_tol);  // the model's row 2100
    EXPECT_EQ(out_.str(), kUnusable);
    EXPECT_EQ(rest(), "untouched\n");
    EXPECT_TRUE(fs::is_directory(kFile));
}

TEST_F(PredictionFile, UnusableTableGivesTheModelAfterOneLine) {
    // A name the table cannot be read from, whatever stands there: the years
    // 2020 to 3000 get the model's Delta T, and one line says so in the run.
    const std::string good = "2020 69\n2030 99\n3000 100\n";
    for (const char kind : {'d', 'l', 'p', 'u'}) {
        if (kind == 'u' && geteuid() == 0) continue;  // root reads it
        TempDir dir{"deltat"};
        ASSERT_TRUE(dir.ok());
        if (kind == 'd') fs::create_directory(kFile);
        if (kind == 'l') {
            write_file("good.txt", good);
            fs::create_symlink("good.txt", kFile);
        }
        if (kind == 'p') {
            ASSERT_EQ(mkfifo(kFile, 0644), 0);
        }
        if (kind == 'u') {
            write(good);
            fs::permissions(kFile, fs::perms::none);
        }
        feed("untouched\n");
        EXPECT_NEAR(delta0x(2030), 67.0, dt_tol) << kind;  // the model's row
        EXPECT_NEAR(delta0x(2900), 2984.6, dt_tol) << kind;
        EXPECT_EQ(delta0x(2019), 0.0) << kind;  // the dialog takes the model
        EXPECT_EQ(delta0x(3001), 0.0) << kind;
        EXPECT_EQ(out_.str(), kUnusable) << kind;
        EXPECT_EQ(rest(), "untouched\n") << kind;
    }
}

TEST_F(PredictionFile, InterpolationBeyondAnyDeltaTGivesTheModel) {
    // Every row passes the check of its own, but the parabola through them
    // is absurd far from them.
    write("2020 69\n2021 -1000000\n2022 1000000\n3000 1000000\n");
    expect_notice_without_pause(2511, deltatime(2511, 1),
                                not_covered(2511, "gives an impossible Delta-T for"));
}

TEST_F(PredictionFile, DeltaTOutsideWhatMayBeTypedGivesTheModel) {
    // A value read or interpolated outside -1000 .. 6000 s (the range of a
    // typed Delta T) is not used; the ends themselves are.
    struct Case {
        const char* rows;
        int year;
        double value;  // NaN: the model's, after the line naming the year
    } cases[] = {
        // A row of 11 days: 2021 lies between 69 s and 10^6 s.
        {"2020 69\n2030 1000000\n2040 69\n3000 70\n", 2021, NAN},
        {"2020 69\n2030 1000000\n2040 69\n3000 70\n", 2030, NAN},
        {"2020 69\n2030 6001\n2040 69\n3000 70\n", 2030, NAN},
        {"2020 69\n2030 -1001\n2040 69\n3000 70\n", 2030, NAN},
        {"2020 69\n2030 6000\n2040 69\n3000 70\n", 2030, 6000.0},
        {"2020 69\n2030 -1000\n2040 69\n3000 70\n", 2030, -1000.0},
    };
    for (const Case& c : cases) {
        write(c.rows);
        out_.str("");
        if (std::isnan(c.value)) {
            expect_notice_without_pause(
                c.year, deltatime(c.year, 1),
                not_covered(c.year, "gives an impossible Delta-T for"));
        } else {
            EXPECT_NEAR(delta0x(c.year), c.value, dt_tol) << c.rows;
            EXPECT_EQ(out_.str(), "") << c.rows;
        }
    }
}
