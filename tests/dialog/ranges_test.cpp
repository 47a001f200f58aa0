// Values outside the range where the computations mean anything: typed
// ones are refused and asked again with the default unchanged, remembered
// ones fall back to the built-in defaults, and no number that is not finite
// reaches a screen or a file.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "dialog_harness.h"
#include "dialog/remembered_inputs.h"
#include "dialog/run_state.h"

namespace {

using namespace lunarfix_test;
using Lines = std::vector<std::string>;

// The answers of a default run up to the stop: the reset question and its
// pause, the example pause, date, time, earth conditions, latitude,
// longitude, body, index correction, height of eye, sextant altitude, the
// result pause and the menu of the first sight; body, sextant altitude,
// result pause and menu of the second; limb, side and lunar distance; the
// pause after the time correction; then the converged result menu reads 9
// and the closing screen one more ENTER.
constexpr int kIndexLine = 9;     // zero-based positions in that script
constexpr int kSextant2Line = 15;
constexpr int kDistanceLine = 20;

Lines default_run() { return default_answers() + Lines{"9", ""}; }

// A word "nan" or "inf" in any case, as printf writes a number that is not
// finite.
bool has_nonfinite(const std::string& text) {
    static const std::regex word("\\b(nan|inf)\\b", std::regex::icase);
    return std::regex_search(text, word);
}

// Removes every occurrence of `what` from `text`.
std::string without(std::string text, const std::string& what) {
    for (std::size_t p = text.find(what); p != std::string::npos;
         p = text.find(what, p))
        text.erase(p, what.size());
    return text;
}

TEST(TypedRanges, AbsurdAnswersRefusedAndTheRunGoesOnAsWithEnter) {
    // The index correction 1e308, the second sextant altitude -1e308 0 and
    // the lunar distance 200 0 each once, answered ENTER when asked again.
    Lines hostile = default_run();
    hostile.insert(hostile.begin() + kDistanceLine, "200 0");
    hostile.insert(hostile.begin() + kSextant2Line, "-1e308 0");
    hostile.insert(hostile.begin() + kIndexLine, "1e308");
    const RunFiles a = run_in_fresh_dir(default_run());
    const RunFiles b = run_in_fresh_dir(hostile);
    ASSERT_FALSE(a.run.out.empty());

    const std::string ic_refused =
        " !!! Index correction must be from -600' to +600': asked again\n"
        "\n###> Index correction(sext) Ic: 0.00' \n"
        "                         +-Minutes \n"
        " [Default: 0.00  ] Input: ";
    const std::string hs_refused =
        " !!! Sextant altitude must be from -10 to 120 deg: asked again\n"
        "\n###> SEXTANT measurement: Hs= 7 deg 47.80'\n"
        "                          +-Degrees  Min.\n"
        "[Default: 7 47.80 ] Input: ";
    const std::string ld_refused =
        " !!! Lunar distance must be above 0 and below 180 deg: asked again\n"
        " LUNAR DISTANCE = degrees  minutes:\n"
        "###> [Default: 48 7.00 ] Input: ";
    for (const std::string* s : {&ic_refused, &hs_refused, &ld_refused})
        EXPECT_EQ(count(b.run.out, *s), 1) << *s << "\n" << b.run.out;

    // Without the refusals and the repeated questions, the run is the
    // default run: the defaults stayed unchanged, and the files are alike.
    std::string rest = without(b.run.out, ic_refused);
    rest = without(rest, hs_refused);
    rest = without(rest, ld_refused);
    EXPECT_EQ(rest, a.run.out);
    EXPECT_EQ(b.first, a.first);
    EXPECT_EQ(b.second, a.second);
    EXPECT_FALSE(has_nonfinite(b.run.out));
    EXPECT_FALSE(has_nonfinite(b.first + b.second));
    EXPECT_EQ(b.run.state.indb, 0.0);
}

TEST(TypedRanges, DistanceFarFromTheTrueOneIsAFailedClearing) {
    // 179 deg 59' is a distance the sextant can show, but on 2017 June 17 the
    // Moon stands about 50 deg from the second body: the first pass takes the
    // apparent distance, 130 deg too large, which at 1.8 h per degree would
    // move the clock by some 230 hours.  Such a clock is reported as a failed
    // clearing; nothing of it reaches a screen or a file.
    Lines hostile(kDistanceLine, "");
    hostile.push_back("179 59");
    const RunFiles b = run_in_fresh_dir(hostile);
    EXPECT_EQ(count(b.run.out, " !!! ERROR: the corrected time is out of "
                               "range\n"),
              1)
        << b.run.out;
    EXPECT_FALSE(has(b.run.out, "Time corrected by"));
    EXPECT_EQ(b.run.state.timezero, 0);
    expect_clock(b.run.state.sight1, 3, 57, 14);
    EXPECT_FALSE(has_nonfinite(b.run.out + b.first + b.second));
}

TEST(TypedRanges, NonFiniteAnswersRefused) {
    // "inf" and "nan" are not taken as 0 or passed over as if ENTER had
    // been hit: they are refused like any value outside the range.
    Lines hostile = default_run();
    hostile.insert(hostile.begin() + kIndexLine, "nan");
    hostile.insert(hostile.begin() + kIndexLine, "-inf");
    const RunFiles b = run_in_fresh_dir(hostile);
    EXPECT_EQ(count(b.run.out, " !!! Index correction must be from -600' to "
                               "+600': asked again\n"),
              2);
    EXPECT_EQ(b.run.state.indb, 0.0);
    EXPECT_FALSE(has_nonfinite(b.run.out));
}

using RememberedRanges = InTempDirWith<ConsoleFixture>;

TEST_F(RememberedRanges, ValuesOutsideTheirRangesGiveTheDefaults) {
    // A hand-edited file: month 13, a latitude beyond the pole, a sextant
    // altitude below -10 degrees, an index correction of 1e308, a
    // temperature of 100 C, a pressure of 1e308 hPa and a lunar distance of
    // 200 degrees.  Each is replaced by its built-in default with one line;
    // the sound values of the file are kept.
    write_file("moondist0x1.txt",
               "2018 13 9 \n1 2 3 \n95 0 \n10 30 \n3 33 \n-11 0 0 \n"
               "1e308 2.5 \n0 90 0 \n100 1e308 \n200 -1 \n");
    lunarfix::RunState rs;
    const lunarfix::RunState def;
    ASSERT_EQ(lunarfix::ReadFirstSightMemory(&rs), 1);
    const std::string out = out_.str();
    const char* const lines[] = {
        " !!! moondist0x1.txt: Month must be from 1 to 12; built-in default "
        "taken\n",
        " !!! moondist0x1.txt: Latitude must be from -90 to 90 deg; built-in "
        "default taken\n",
        " !!! moondist0x1.txt: Sextant altitude must be from -10 to 120 deg; "
        "built-in default taken\n",
        " !!! moondist0x1.txt: Index correction must be from -600' to +600'; "
        "built-in default taken\n",
        " !!! moondist0x1.txt: Temperature must be from -80 to +60 C; "
        "built-in default taken\n",
        " !!! moondist0x1.txt: Pressure must be from 0 to 1200 hPa; built-in "
        "default taken\n",
        " !!! moondist0x1.txt: Lunar distance must be above 0 and below 180 "
        "deg; built-in default taken\n",
    };
    std::string expected;
    for (const char* l : lines) expected += l;
    EXPECT_EQ(out, expected);
    expect_date(rs.work, 2018, def.sight1.month, 9);
    EXPECT_EQ(rs.work.hour, 1);
    EXPECT_EQ(rs.work.latd, def.sight1.latd);
    EXPECT_EQ(rs.work.latmf, def.sight1.latmf);
    EXPECT_EQ(rs.work.lond, 10);
    EXPECT_EQ(rs.work.lonmf, 30.0);
    EXPECT_EQ(rs.work.iur, 3);
    EXPECT_EQ(rs.work.had, def.sight1.had);
    EXPECT_EQ(rs.work.hamf, def.sight1.hamf);
    EXPECT_EQ(rs.indb, def.indb);
    EXPECT_EQ(rs.aug, 2.5);
    EXPECT_EQ(rs.temperature, def.temperature);
    EXPECT_EQ(rs.pressure, def.pressure);
    EXPECT_EQ(rs.LD_limb, def.LD_limb);
    EXPECT_EQ(rs.signdist, -1);

    // The second file: course and speed beyond any run.
    write_file("moondist0x2.txt",
               "2018 1 9 \n1 2 3 \n10 0 \n10 30 \n8 5 \n30 0 0 \n0 0 \n"
               "0 90 0 \n720 -1e300 \n");
    feed("");
    ASSERT_EQ(lunarfix::ReadSecondSightMemory(&rs), 1);
    EXPECT_EQ(out_.str(),
              " !!! moondist0x2.txt: Course must be from -360 to 360 deg; "
              "built-in default taken\n"
              " !!! moondist0x2.txt: Velocity must be from -2000 to 2000; "
              "built-in default taken\n");
    EXPECT_EQ(rs.kursav, def.kursav);
    EXPECT_EQ(rs.velav, def.velav);
    EXPECT_EQ(rs.work.had, 30);
}

TEST_F(RememberedRanges, ClockBeforeOrAfterItsDateIsKept) {
    // A clock corrected by a lunar distance may lie before 0 h or after
    // 24 h of a date that stays; read back it is kept as it was written,
    // the minutes and seconds with the hour's sign.
    struct Case {
        const char* clock;
        int h, m, s;
    };
    const Case kept[] = {
        {"-3 -30 -15", -3, -30, -15}, {"30 5 0", 30, 5, 0},
        {"-24 0 0", -24, 0, 0},       {"48 0 0", 48, 0, 0},
        {"0 -20 -5", 0, -20, -5},     {"12 30 60", 12, 30, 60},
    };
    for (const Case& c : kept) {
        write_file("moondist0x1.txt",
                   std::string("2017 6 17 \n") + c.clock + " \n");
        feed("");
        lunarfix::RunState rs;
        ASSERT_EQ(lunarfix::ReadFirstSightMemory(&rs), 1);
        EXPECT_EQ(out_.str(), "") << c.clock;
        expect_clock(rs.work, c.h, c.m, c.s, c.clock);
    }
    // Beyond those two days, or with parts of mixed sign, the clock is the
    // built-in default.
    const lunarfix::RunState def;
    for (const char* clock : {"48 0 1", "-24 -0 -1", "-269 -1 -36", "3 -5 0",
                              "-3 5 0", "0 20 -5", "3 60 0", "3 0 61"}) {
        write_file("moondist0x1.txt",
                   std::string("2017 6 17 \n") + clock + " \n");
        feed("");
        lunarfix::RunState rs;
        ASSERT_EQ(lunarfix::ReadFirstSightMemory(&rs), 1);
        EXPECT_EQ(out_.str(), " !!! moondist0x1.txt: Time-UTC must be from "
                              "-24 h to +48 h; built-in default taken\n")
            << clock;
        expect_clock(rs.work, def.sight1.hour, def.sight1.min, def.sight1.sec,
                     clock);
    }
}

TEST_F(RememberedRanges, AbsurdPressureInTheFileShowsNoNan) {
    // The path: a pressure of 1e308 hPa on line 9 of the first
    // file gave a refraction and a parallax that were not numbers.
    write_file("moondist0x1.txt",
               "2017 6 17 \n3 57 14 \n44 46.990000 \n-17 -11.600000 \n2 33 \n"
               "24 14.000000 0 \n0.000000 1.830000 \n"
               "0.000000 180.000000 3.141593 \n16.100000 1e308 \n");
    DialogRun r = run_dialog(script(default_run()));
    EXPECT_EQ(count(r.out, " !!! moondist0x1.txt: Pressure must be from 0 to "
                           "1200 hPa; built-in default taken\n"),
              1);
    EXPECT_TRUE(has(r.out, " ==> POSITION has CONVERGED:"));
    EXPECT_FALSE(has_nonfinite(r.out));
    EXPECT_FALSE(has_nonfinite(read_file("moondist0x1.txt")));
    EXPECT_FALSE(has_nonfinite(read_file("moondist0x2.txt")));
}

}  // namespace
