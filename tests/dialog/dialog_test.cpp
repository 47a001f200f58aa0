// The console dialog run in-process from typed scripts: start-up and reset
// questions, the prompts of the two sights, their clamps and refusals, the
// sight menus, end of input, and the default run from an empty directory to
// the stop answer with the remembered-input files it leaves behind.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "dialog_harness.h"
#include "foundations/foundations.h"
#include "dialog/run_state.h"

namespace {

using namespace lunarfix_test;
using Lines = std::vector<std::string>;
using DialogStartUp = InTempDir;
using DialogEndOfInput = InTempDir;
using DialogDate = InTempDir;
using DialogEnd = InTempDir;
using DialogPosition = InTempDir;
using DialogSextant = InTempDir;
using DialogBody = InTempDir;
using DialogSightMenu = InTempDir;


constexpr double nm = 1.0 / 60.0;  // one nautical mile of latitude, degrees

// Answers up to the first sight's menu: the reset question and its pause,
// the example pause, date, time, earth conditions, latitude, longitude,
// body, index correction, height of eye, sextant altitude and the pause of
// the result screen.
Lines first_sight(const std::string& date = "", const std::string& time = "",
                  const std::string& lat = "", const std::string& lon = "",
                  const std::string& body = "", const std::string& ic = "",
                  const std::string& eye = "", const std::string& hs = "") {
    return {"", "", "", date, time, "", lat, lon, body, ic, eye, hs, ""};
}

// The text between the first occurrence of `from` and the next `to`.
std::string section(const std::string& text, const std::string& from,
                    const std::string& to, std::size_t start = 0) {
    std::size_t a = text.find(from, start);
    if (a == std::string::npos) return "";
    std::size_t b = text.find(to, a + from.size());
    return text.substr(a, b == std::string::npos ? std::string::npos : b - a);
}

// ------------------------------------------------------------------ title

TEST_F(DialogStartUp, TitleScreenAndNoReset) {
    DialogRun r = run_dialog(script({"", ""}));
    EXPECT_EQ(r.status, 1);  // the input ends before the run does
    EXPECT_EQ(r.out.rfind(" >skip> \n", 0), 0u);
    EXPECT_TRUE(has(r.out, " LUNAR DISTANCE for Sextanting. V13 \n"
                           " ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~ \n"
                           " Determine position of a ship at sea\n"));
    EXPECT_TRUE(has(r.out, " c) Finally auto-iteration until convergence.\n"
                           " (Delta-T prediction from file moondist0x0.txt)."
                           "\n\n  To RESET files 0x1,0x2 enter: '1' ==>"
                           " OK, - No RESET of files 0x0,0x1,0x2.txt\n"
                           "            ... hit ENTER to continue: \n"));
    EXPECT_FALSE(has(r.out, "To RESET file 0x0"));
    // The prediction file exists before the first screen.
    EXPECT_TRUE(file_exists("moondist0x0.txt"));
}

TEST_F(DialogStartUp, ResetAnswersOneRAndR) {
    for (const char* answer : {"1", "R", "r"}) {
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        write_file("moondist0x1.txt", "2000 1 1 \n");
        write_file("moondist0x2.txt", "2000 1 1 \n");
        DialogRun r = run_dialog(script({answer, "n", ""}));
        EXPECT_TRUE(has(r.out, "==> OK, + RESETTiNG files 0x1 and 0x2.txt\n"
                               "  To RESET file 0x0 enter: '2' ) ==>"
                               " OK, - No RESET of file 0x0.txt\n"
                               "            ... hit ENTER to continue: \n"))
            << answer;
        EXPECT_FALSE(has(r.out, "PROTECTED")) << answer;
        // The first file is written again from the defaults at its sight;
        // the second is gone until its sight.
        EXPECT_EQ(read_file("moondist0x1.txt"), kDefaultFirst) << answer;
        EXPECT_FALSE(file_exists("moondist0x2.txt")) << answer;
        EXPECT_TRUE(file_exists("moondist0x0.txt")) << answer;
    }
}

TEST_F(DialogStartUp, ResetOfPredictionFile) {
    for (const char* answer : {"2", "X", "x"}) {
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        DialogRun r = run_dialog(script({"1", answer, ""}));
        // Missing files are nothing to reset: no line about them.
        EXPECT_TRUE(has(r.out, " OK, + RESETTiNG files 0x1 and 0x2.txt\n"
                               "  To RESET file 0x0 enter: '2' ) ==>"
                               " OK, + RESETTiNG file 0x0.txt\n"))
            << answer;
        EXPECT_FALSE(has(r.out, "WRITE PROTECTED"));
        // Not needed again before the input ended.
        EXPECT_FALSE(file_exists("moondist0x0.txt")) << answer;
    }
}

TEST_F(DialogStartUp, PredictionFileThatCannotBeRemoved) {
    ASSERT_EQ(mkdir("moondist0x0.txt", 0755), 0);
    write_file("moondist0x0.txt/keep", "x");
    DialogRun r = run_dialog(script({"r", "x", ""}));
    EXPECT_TRUE(has(r.out, " OK, + RESETTiNG file 0x0.txt\n"
                           " !!! file moondist0x0.txt is not a plain file, "
                           "left as it is\n"));
    EXPECT_EQ(r.status, 1);  // the input ends before the run does
    std::remove("moondist0x0.txt/keep");
    rmdir("moondist0x0.txt");
}

TEST_F(DialogStartUp, OtherFirstAnswersResetNothing) {
    for (const char* answer : {"", "2", "x", "0", "q"}) {
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        write_file("moondist0x1.txt", kDefaultFirst);
        write_file("moondist0x2.txt", "2000 1 1 \n");
        DialogRun r = run_dialog(script({answer, ""}));
        EXPECT_TRUE(has(r.out, " OK, - No RESET of files 0x0,0x1,0x2.txt\n"))
            << answer;
        EXPECT_FALSE(has(r.out, "To RESET file 0x0")) << answer;
        EXPECT_EQ(read_file("moondist0x2.txt"), "2000 1 1 \n") << answer;
    }
}

// ------------------------------------------------------------ end of input

TEST_F(DialogEndOfInput, EndsAtEveryPointWithStatusOne) {
    // Cut the default run's answers after every possible line: each run must
    // end, with the closing screen and status 1 (input ended first).
    Lines all = first_sight() + Lines{""} + Lines{"", "", ""} + Lines{""} +
                Lines{"", "", "", ""};
    for (std::size_t n = 0; n <= all.size(); ++n) {
        Lines cut(all.begin(), all.begin() + static_cast<long>(n));
        DialogRun r = run_in_fresh_dir(cut).run;
        EXPECT_EQ(r.status, 1) << n;
        EXPECT_TRUE(r.ended) << n;
        EXPECT_TRUE(has(r.out, "\n !!! Input ended: the run stops here, "
                               "nothing more is saved.\n"))
            << n;
        EXPECT_TRUE(has(r.out, "           --- END ---\n")) << n;
        EXPECT_EQ(count(r.out, "--- END ---"), 1) << n;
        // Nothing of a stop is written.
        EXPECT_FALSE(has(r.out, ">> fixed:")) << n;
    }
}

TEST_F(DialogEndOfInput, NothingIsSavedAfterTheInputEnded) {
    // The first sight is computed and remembered; the input ends at the
    // second sight's body prompt, so its file keeps the state of its
    // creation.
    DialogRun r = run_dialog(script(first_sight("2017 6 17", "4 0 0") +
                                    Lines{""}));
    EXPECT_TRUE(r.ended);
    std::vector<std::string> l1 = file_lines("moondist0x1.txt");
    ASSERT_EQ(l1.size(), 10u);
    EXPECT_EQ(l1[1], "4 0 0 ");
    std::vector<std::string> l2 = file_lines("moondist0x2.txt");
    ASSERT_EQ(l2.size(), 9u);
    EXPECT_EQ(l2[1], "4 0 0 ");
    EXPECT_EQ(l2[8], "0.000000 0.000000");
}

// ------------------------------------------------------------------- date

TEST_F(DialogDate, YearClampAndPrecisionWarning) {
    struct Case {
        const char* typed;
        int year;
        bool warning;
        bool julian;
    } cases[] = {
        {"6000 6 17", 5999, true, false},   {"-2500 6 17", -1999, true, true},
        {"1499 6 17", 1499, true, true},    {"1500 6 17", 1500, false, true},
        {"2500 6 17", 2500, false, false},  {"2501 6 17", 2501, true, false},
        {"1582 10 4", 1582, false, true},   {"1583 1 1", 1583, false, false},
    };
    for (const Case& c : cases) {
        // After a Julian date the pause takes one line before the time.
        Lines s = {"", "", "", c.typed};
        if (c.julian) s.push_back("");
        s.push_back("5 6 7");
        DialogRun r = run_in_fresh_dir(s).run;
        std::string after = r.out.substr(r.out.find(" [Default: 2017 6 17 ]"));
        EXPECT_EQ(has(after, " Year outside the range of high precision!\n"),
                  c.warning)
            << c.typed;
        EXPECT_EQ(has(after, "\n Dates before 1582-OCT-5 are JULIAN "
                             "calender\n"),
                  c.julian)
            << c.typed;
        EXPECT_TRUE(has(after, fmt(" Year: %d   Month: ", c.year))) << c.typed;
        EXPECT_EQ(r.state.sight1.year, c.year) << c.typed;
        // The time was read from the line after the pause.
        expect_clock(r.state.sight1, 5, 6, 7, c.typed);
    }
}

TEST_F(DialogDate, DeltaTOfTheDateAndTheCheckDate) {
    DialogRun r = run_in_fresh_dir({"", "", "", "1992 4 12", "0 0 0", ""}).run;
    EXPECT_TRUE(has(r.out, "    Delta_T=TT-UT1= 0.00 sec\n"));
    EXPECT_TRUE(has(r.out, " Delta-T : 0.00 sec\n"));
    r = run_in_fresh_dir({"", "", "", "1992 4 12", "0 0 1", ""}).run;
    EXPECT_FALSE(has(r.out, " Delta-T : 0.00 sec\n"));
    EXPECT_NEAR(r.state.DeltaTT, lunarfix::deltatime(1992, 4), 1e-9);
    {
        // A year after 2020 takes Delta T from the prediction file.
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        DialogRun r = run_dialog(script({"", "", "", "2030 1 1", "", ""}));
        double dt = lunarfix::delta0x(2030);
        EXPECT_GT(dt, 0.0);
        EXPECT_NEAR(r.state.DeltaTT, dt, 1e-9);
        EXPECT_TRUE(has(r.out, fmt(" Delta-T : %.2f sec\n", dt)));
    }
}

TEST_F(DialogDate, YearThePredictionFileDoesNotCover) {
    // The model's row 2100 holds 80 s.
    const double model2100 = 80.0;
    {
        // The file ends at 2050: one line, the model's value, and the
        // answers that follow reach their own prompts.
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        write_file("moondist0x0.txt", "2020 69\n2035 67\n2050 70\n");
        DialogRun r = run_dialog(script({"", "", "", "2100 1 1", "5 6 7", ""}));
        EXPECT_EQ(count(r.out, " ??? moondist0x0.txt does not cover the year "
                               "2100: Delta-T of the built-in model\n"),
                  1);
        EXPECT_TRUE(has(r.out, "    Delta_T=TT-UT1= 80.00 sec (extrapolated!)\n"));
        EXPECT_NEAR(r.state.DeltaTT, model2100, 1e-9 * sec_dt);
        EXPECT_EQ(r.state.sight1.hour, 5);
        EXPECT_EQ(r.state.sight1.sec, 7);
    }
    {
        // Rows out of order: the message, no pause (neither at start-up nor
        // for the date), the model's value.
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        write_file("moondist0x0.txt", "2020 69\n2035 67\n2030 70\n3000 100\n");
        DialogRun r = run_dialog(script({"", "", "", "2100 1 1", "5 6 7", ""}));
        EXPECT_TRUE(has(r.out, "? wrong sequence:2035\n"));
        EXPECT_NEAR(r.state.DeltaTT, model2100, 1e-9 * sec_dt);
        EXPECT_EQ(r.state.sight1.year, 2100);
        expect_clock(r.state.sight1, 5, 6, 7);
    }
}

TEST_F(DialogDate, ValuesOutsideTheirRangesAreRefusedAndAskedAgain) {
    // A month and a day that no calendar has, and a time of day that no
    // clock shows: each answer is refused with one line, the same question
    // comes again with its default unchanged, and the next answer is taken.
    Lines in = {"", "", "", "2147483647 2147483647 2147483647", "2017 0 17",
                "2017 6 32", "2016 12 31", "24 0 0", "0 60 0", "0 0 -1",
                "23 59 59"};
    Lines rest = first_sight();
    in.insert(in.end(), rest.begin() + 5, rest.end());
    DialogRun r = run_dialog(script(in + Lines{"9", ""}));
    EXPECT_EQ(r.status, 0);
    EXPECT_FALSE(r.ended);
    const std::string date_q =
        "###> Year: 2017   Month: 6   Day: 17\n"
        "                            Year Month Day\n"
        " [Default: 2017 6 17 ] Input: ";
    EXPECT_TRUE(has(r.out, date_q + " !!! Month must be from 1 to 12: asked "
                                    "again\n" + date_q +
                               " !!! Month must be from 1 to 12: asked again"
                               "\n" + date_q +
                               " !!! Day must be from 1 to 31: asked again\n" +
                               date_q + " >skip> "))
        << r.out;
    const std::string time_q =
        "\n###> Time-UTC:  3 h 57 min 14 sec \n"
        "                            Hour Min. Sec.\n"
        " [Default: 3 57 14 ] Input: ";
    EXPECT_TRUE(has(r.out, time_q + " !!! Hour must be from 0 to 23: asked "
                                    "again\n" + time_q +
                               " !!! Minute must be from 0 to 59: asked again"
                               "\n" + time_q +
                               " !!! Second must be from 0 to 59: asked again"
                               "\n" + time_q))
        << r.out;
    EXPECT_EQ(count(r.out, time_q), 4);
    expect_date(r.state.sight1, 2016, 12, 31);
    expect_clock(r.state.sight1, 23, 59, 59);
    EXPECT_FALSE(has(r.out, "2147483647"));
    EXPECT_FALSE(has(r.out, "nan"));
}

TEST_F(DialogDate, OverlongDateLineAnswersOnlyTheDate) {
    // 66 characters: the date, blanks up to the reader's 60, then a tail.
    std::string date = "2018 7 19";
    date += std::string(60 - date.size(), ' ');
    date += "11 22 ";
    ASSERT_EQ(date.size(), 66u);
    DialogRun r = run_dialog(script({"", "", "", date, "5 6 7", ""}));
    expect_date(r.state.sight1, 2018, 7, 19);
    // The time is the time line's, not the tail of the date line.
    expect_clock(r.state.sight1, 5, 6, 7);
    EXPECT_TRUE(has(r.out, " Time-UTC:  5 h 6 min 7 sec \n"));
}

TEST_F(DialogDate, InputEndingWhileAskedAgainEndsTheRun) {
    DialogRun r = run_dialog(script({"", "", "", "2017 13 1"}));
    EXPECT_TRUE(r.ended);
    EXPECT_EQ(count(r.out, " !!! Month must be from 1 to 12: asked again"), 1);
    EXPECT_TRUE(has(r.out, " !!! Input ended: the run stops here"));
    EXPECT_EQ(r.state.sight1.month, 6);
}

// --------------------------------------------------------------- position

TEST_F(DialogEnd, ClosingScreenCreditsOnlyTheSourcesOfTheMethods) {
    // The first sight, then 9 at its menu.
    DialogRun r = run_dialog(script(enters(13) + Lines{"9", ""}));
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(has(r.out,
                    " or hit RETURN  \n"
                    " Computations follow Jean Meeus,\n"
                    " Astronomical Algorithms, 2nd ed. 1998. Data:\n"
                    " Earth,Planets: VSOP87D; Stars: FK5-catalog.\n"
                    " Nutation Model IAU1980. Moon-precision:\n"
                    " LEA-406b by S.M.Kudryavtsev (2007); Delta-T:\n"
                    " Stephenson, Morrison & Hohenkerk (2016).\n"
                    " Precision about +- 1'',years 1800-2200.\n"
                    " \n"))
        << r.out;
    EXPECT_FALSE(has(r.out, "HORIZONS"));
}

TEST_F(DialogPosition, LatitudeBeyondNinetyIsAskedForAgain) {
    // Typed, it is refused (and the file is left as it was); run beyond the
    // pole in automatic mode, the run goes back to the navigator, who must
    // type a new one: no run ends there, and none with status 0.
    const std::string custom =
        "2017 6 17 \n3 57 14 \n10 0.000000 \n-17 -11.600000 \n2 33 \n"
        "24 14.000000 0 \n0.000000 1.830000 \n0.000000 180.000000 3.141593 \n"
        "16.100000 1026.400000 \n";
    write_file("moondist0x1.txt", custom);
    DialogRun r = run_dialog(script({"", "", "", "", "", "", "91 0", ""}));
    EXPECT_TRUE(has(r.out, "[Default: 10 0.00 ] Input:  !!! Latitude must be "
                           "from -90 to 90 deg: asked again\n"));
    EXPECT_TRUE(has(r.out, "###>  Longitude"));
    EXPECT_FALSE(has(r.out, "ERROR, Latitude"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(read_file("moondist0x1.txt"), custom);

    std::remove("moondist0x1.txt");
    CapturedConsole console;
    // The pause of the error, the example, date, time and earth
    // conditions; ENTER at the latitude offered (91 30) is refused.
    console.feed(script({"", "", "", "", "", "", "33 0"}));
    lunarfix::readers().reset();
    lunarfix::Dialog d(&lunarfix::readers());
    lunarfix::RunState& rs = d.mutable_state();
    rs.nobs = 1;
    rs.iterq = 1;
    rs.sight1.latd = 91;
    rs.sight1.latmf = 30.0;
    rs.work = rs.sight1;
    const int status = d.run_from(lunarfix::DialogStep::Latitude);
    const std::string out = console.out.str();
    lunarfix::readers().reset();
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(has(out, "\n!!! ERROR, Latitude=91.500000\n"
                         " restart with new position\n"));
    EXPECT_EQ(count(out, " !!! Latitude must be from -90 to 90 deg: asked "
                         "again\n"),
              1)
        << out;
    EXPECT_EQ(d.state().latitude1, 33.0);
    EXPECT_TRUE(has(out, " !!! Input ended: the run stops here"));
}

TEST_F(DialogPosition, LatitudeAnswersAndSignOfMinutes) {
    // Degrees with a fraction and minutes are refused; the minutes take the
    // sign of the degrees.
    DialogRun r =
        run_dialog(script({"", "", "", "", "", "", "-33.7 15", "-33 15", ""}));
    EXPECT_EQ(count(r.out, " !!! Type degrees and minutes (-33 30) or decimal "
                           "degrees alone (-33.5): asked again\n"),
              1);
    EXPECT_EQ(r.state.work.latd, -33);
    EXPECT_DOUBLE_EQ(r.state.work.latmf, -15.0);
    EXPECT_NEAR(r.state.latitude1, -33.25, 1e-12);
    EXPECT_NEAR(r.state.latitude2, -33.25, 1e-12);
    // A remembered latitude of 0 deg 30' South stays South.
    TempDir d2;
    write_file("moondist0x1.txt",
               "2017 6 17 \n3 57 14 \n0 -30.000000 \n-17 -11.600000 \n");
    DialogRun s = run_dialog(script({"", "", "", "", "", "", ""}));
    EXPECT_TRUE(has(s.out, "###> Latitude:  0 deg -30.00' \n"));
    EXPECT_TRUE(has(s.out, "[Default: 0 -30.00 ] Input: "));
    EXPECT_NEAR(s.state.latitude1, -0.5, 1e-12);
}

TEST_F(DialogPosition, LongitudeWrapsIntoHalfOpenRange) {
    struct Case {
        const char* typed;
        double lon;
        const char* shown;
    } cases[] = {
        {"190 0", -170.0, " Longitude: -170 deg  0.00' \n"},
        {"-190 0", 170.0, " Longitude: 170 deg  0.00' \n"},
        {"180 0", 180.0, " Longitude: 180 deg  0.00' \n"},
        {"-180 0", 180.0, " Longitude: 180 deg  0.00' \n"},
        {"-17 11.6", -17.0 - 11.6 / 60.0, " Longitude: -17 deg -11.60' \n"},
    };
    for (const Case& c : cases) {
        DialogRun r =
            run_in_fresh_dir({"", "", "", "", "", "", "", c.typed}).run;
        EXPECT_NEAR(r.state.longitude1, c.lon, 1e-9) << c.typed;
        EXPECT_NEAR(r.state.longitude2, c.lon, 1e-9) << c.typed;
        // The summary screen shows the longitude used.
        EXPECT_TRUE(has(r.out, c.shown)) << c.typed;
    }
}

// ------------------------------------------------------- sextant settings

TEST_F(DialogSextant, HeightOfEyeClamp) {
    struct Case {
        const char* typed;
        double aug;
    } cases[] = {{"-1", 0.0}, {"50", 40.0}, {"40", 40.0}, {"12.5", 12.5}};
    for (const Case& c : cases) {
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        DialogRun r = run_dialog(
            script(first_sight("", "", "", "", "", "", c.typed, "")));
        EXPECT_DOUBLE_EQ(r.state.aug, c.aug) << c.typed;
        EXPECT_TRUE(has(r.out, fmt(" Index corr. Ic: 0.00'  Height of eye: "
                                   "%.2fm \n",
                                   c.aug)))
            << c.typed;
        EXPECT_EQ(file_lines("moondist0x1.txt")[6],
                  fmt("0.000000 %f ", c.aug))
            << c.typed;
    }
}

TEST_F(DialogSextant, IndexCorrectionAndSextantAltitude) {
    DialogRun r = run_dialog(
        script(first_sight("", "", "", "", "3", "-1.5", "", "24.1666666666667")));
    EXPECT_TRUE(has(r.out, "###>  [Default: 2  ]   Input:  => Moon upper "
                           "rim\n"));
    EXPECT_DOUBLE_EQ(r.state.indb, -1.5);
    // 24.1666... degrees: 24 deg 10'.
    EXPECT_EQ(r.state.sight1.had, 24);
    EXPECT_NEAR(r.state.sight1.hamf, 10.0, 1e-9);
    EXPECT_TRUE(has(r.out, " Sextant viewed: Hs= 24 deg 10.00'\n"));
    EXPECT_EQ(r.state.sight1.iur, 3);
    std::vector<std::string> l = file_lines("moondist0x1.txt");
    ASSERT_GE(l.size(), 7u);
    EXPECT_EQ(l[4], "3 33 ");
    EXPECT_EQ(l[5], "24 10.000000 0 ");
    EXPECT_EQ(l[6], "-1.500000 1.830000 ");
}

// ------------------------------------------------------------------ bodies

TEST_F(DialogBody, FirstSightRefusals) {
    // 4 and 9 are refused with the codes the sight takes and the question
    // is asked again; -3 is taken as 3.
    Lines s = {"", "", "", "", "", "", "", "", "4", "9", "-3", "", "", "", ""};
    DialogRun r = run_dialog(script(s));
    EXPECT_EQ(count(r.out, " Celestial object: Moon\n"), 1);
    const std::string q = "###>  [Default: 2  ]   Input: ";
    const std::string no = " !!! Body must be 2 or 3 (the Moon): asked again\n";
    EXPECT_TRUE(has(r.out, q + no + q + no + q + " => Moon upper rim\n"))
        << r.out;
    EXPECT_EQ(r.state.sight1.iur, 3);
}

TEST_F(DialogBody, SecondSightRefusalsAndEchoes) {
    Lines s = first_sight() + Lines{""} + Lines{"2", "3", "12", "-5", "", ""};
    DialogRun r = run_dialog(script(s));
    EXPECT_EQ(count(r.out, " Celestial object: Sun, Planet or Star\n"), 1);
    const std::string q = "###>  [Default: 4  ]   Input: ";
    const std::string no =
        " !!! Body must be 0, 1 or 4 to 8 (not the Moon): asked again\n";
    EXPECT_TRUE(has(r.out, q + no + q + no + q + no + q +
                               " => Planet Mars\n"))
        << r.out;
    EXPECT_EQ(r.state.sight2.iur, 5);
}

// ------------------------------------------------------------- typed text

TEST(DialogTypedText, TextRefusedAndAskedAgainNumbersTaken) {
    // An answer holding text is refused with one line and its question
    // comes again with the default unchanged; the numbers typed next are
    // taken as ever (one date line of numbers answers year, month and day).
    struct Case {
        std::size_t at;           // position of the answer in a default run
        const char* text;         // refused
        const char* numbers;      // then taken
        const char* prompt_end;   // the end of the question's prompt
        const char* asked_again;  // the refusal up to the next screen
        const char* taken;        // a line that shows the numbers taken
    };
    const Case cases[] = {
        {3, "17 June 2017", "2016 12 31", "Input: ",
         " !!! Date must be numbers (Year Month Day): asked again\n"
         "###> Year: 2017   Month: 6   Day: 17\n"
         "                            Year Month Day\n"
         " [Default: 2017 6 17 ] Input:  >skip> \n",
         " Year: 2016   Month: 12   Day: 31\n"},
        {6, "33 20 S", "-33 20", "Input: ",
         " !!! Type south latitudes and west longitudes with a minus sign: "
         "-33 20\n"
         "\n###> Latitude:  44 deg 46.99' \n"
         "                        +-Degree Minute\n"
         "[Default: 44 46.99 ] Input:  >skip> \n",
         " Latitude:  -33 deg -20.00' \n"},
        {9, "12abc", "-1.5", "Input: ",
         " !!! Index correction must be from -600' to +600': asked again\n"
         "\n###> Index correction(sext) Ic: 0.00' \n"
         "                         +-Minutes \n"
         " [Default: 0.00  ] Input:  >skip> \n",
         " Index corr. Ic: -1.50'\n"},
        {14, "Venus", "4", "Input: ",
         " !!! Body must be 0, 1 or 4 to 8 (not the Moon): asked again\n"
         "###>  [Default: 4  ]   Input:  => Planet Venus\n >skip> \n",
         " MOON: SDa= 15.70', Planet= Venus\n"},
        {22, "x", "9", "RETURN !\n",
         " !!! Choice must be a number: asked again\n"
         " ## ENTER: 1=restart, 5=TALMAR, 9=stop:\n"
         " For FINAL CHECK, press again RETURN !\n"
         "\n>> fixed: write moondist0x1.txt ",
         "           --- END ---\n"},
    };
    for (const Case& c : cases) {
        Lines in = default_answers() + Lines{"9", ""};
        in[c.at] = c.numbers;
        in.insert(in.begin() + static_cast<long>(c.at), c.text);
        const RunFiles f = run_in_fresh_dir(in);
        const std::string& out = f.run.out;
        // Right after the question's first prompt, once.
        EXPECT_EQ(count(out, c.prompt_end + std::string(c.asked_again)), 1)
            << c.text << "\n" << out;
        const std::string refusal(c.asked_again, at(c.asked_again, "\n") + 1);
        EXPECT_EQ(count(out, refusal), 1) << c.text;
        const std::size_t p = at(out, c.asked_again);
        ASSERT_NE(p, std::string::npos) << c.text;
        EXPECT_TRUE(has(out.substr(p), c.taken)) << c.text << "\n" << out;
    }
}

TEST(DialogTypedNumbers, ReadAsTyped) {
    // A minus sign before 0 degrees belongs to the minutes, one number
    // written with a decimal point is decimal degrees, seconds and minutes
    // of 60 are refused, a tab separates numbers, a line of blanks is
    // ENTER, and a second number at a question that takes one (a decimal
    // comma) is refused.  Each answer is checked on the screen and in the
    // remembered file, which the first sight writes after its result and
    // the stop with the lunar distance (line 10).
    struct Case {
        std::size_t at;          // position of the answer in a default run
        Lines typed;             // in place of the ENTER there
        const char* refusal;     // each typed line but the last gets it
        const char* shown;       // a line showing the value taken
        std::size_t line;        // of moondist0x1.txt
        const char* saved;       // that line
    };
    const char* const degrees =
        " !!! Type degrees and minutes (-33 30) or decimal degrees alone "
        "(-33.5): asked again\n";
    const char* const comma_ic =
        " !!! Index correction is one number: type a decimal point (2.5): "
        "asked again\n";
    const char* const comma_eye =
        " !!! Height of eye is one number: type a decimal point (2.5): "
        "asked again\n";
    const char* const seconds =
        " !!! Type seconds as decimal minutes (48 7 30 is 48 7.5): asked "
        "again\n";
    const Case cases[] = {
        {6, {"-0 30"}, "", " Latitude:  0 deg -30.00' \n", 2, "0 -30.000000 "},
        {7, {"-0 45"}, "", " Longitude: 0 deg -45.00' \n", 3, "0 -45.000000 "},
        {11, {"-0 20"}, "", " Sextant viewed: Hs= 0 deg -20.00'\n", 5,
         "0 -20.000000 0 "},
        {6, {"-33.5"}, "", " Latitude:  -33 deg -30.00' \n", 2,
         "-33 -30.000000 "},
        {7, {"-0.75"}, "", " Longitude: 0 deg -45.00' \n", 3, "0 -45.000000 "},
        {6, {"-33.5 10", "-33 10"}, degrees, " Latitude:  -33 deg -10.00' \n",
         2, "-33 -10.000000 "},
        {11, {"24.5 10", "24.5"}, degrees, " Sextant viewed: Hs= 24 deg 30.00'\n",
         5, "24 30.000000 0 "},
        {3, {"2018\t3\t2"}, "", " Year: 2018   Month: 3   Day: 2\n", 0,
         "2018 3 2 "},
        {4, {"4\t5\t6"}, "", " Time-UTC:  4 h 5 min 6 sec \n", 1, "4 5 6 "},
        {3, {"2016,12,31"}, "", " Year: 2016   Month: 12   Day: 31\n", 0,
         "2016 12 31 "},
        {9, {"1,5", "1.5"}, comma_ic, " Index corr. Ic: 1.50'\n", 6,
         "1.500000 1.830000 "},
        {10, {"2,5", "1 5", "2.5"}, comma_eye,
         " Index corr. Ic: 0.00'  Height of eye: 2.50m \n", 6,
         "0.000000 2.500000 "},
        // A decimal point makes decimal degrees, whatever the fraction.
        {6, {"48.0"}, "", " Latitude:  48 deg  0.00' \n", 2, "48 0.000000 "},
        {7, {"5."}, "", " Longitude: 5 deg  0.00' \n", 3, "5 0.000000 "},
        {20, {"48.0"}, "", " ok, LD_limb= 48 deg 0.0'\n", 9, "48.000000 1 "},
        // Seconds are typed as decimal minutes; minutes stay below 60.
        {11, {"24 14 30", "24 14.5"}, seconds,
         " Sextant viewed: Hs= 24 deg 14.50'\n", 5, "24 14.500000 0 "},
        {20, {"48 7 30", "48 7.5"}, seconds, " ok, LD_limb= 48 deg 7.5'\n",
         9, "48.125000 1 "},
        {6, {"48 70", "48 10"},
         " !!! Latitude minutes must be below 60 in size: asked again\n",
         " Latitude:  48 deg 10.00' \n", 2, "48 10.000000 "},
        {20, {"48 60", "48 -7"},
         " !!! Lunar distance minutes must be below 60 in size: asked again\n",
         " ok, LD_limb= 48 deg 7.0'\n", 9, "48.116667 1 "},
        // No latitude beyond the pole.
        {6, {"95 0", "-90 1", "-45 0"},
         " !!! Latitude must be from -90 to 90 deg: asked again\n",
         " Latitude:  -45 deg  0.00' \n", 2, "-45 0.000000 "},
        // A line of blanks or tabs is ENTER; a trailing blank or tab adds
        // no number.
        {10, {" \t "}, "", " Index corr. Ic: 0.00'  Height of eye: 1.83m \n",
         6, "0.000000 1.830000 "},
        {8, {"  "}, "", " => Moon lower rim\n", 4, "2 33 "},
        {4, {"1\t"}, "", " Time-UTC:  1 h 57 min 14 sec \n", 1, "1 57 14 "},
        {3, {"2016 5 "}, "", " Year: 2016   Month: 5   Day: 17\n", 0,
         "2016 5 17 "},
        // The limb and the side take one number.
        {18, {"1 2", "2"}, " !!! Limb of Moon is one number: asked again\n",
         " ok, LD_limb= 48 deg 7.0'\n", 9, "48.116667 1 "},
        {19, {"2 1", "1"}, " !!! Side of Moon is one number: asked again\n",
         " ok, LD_limb= 48 deg 7.0'\n", 9, "48.116667 1 "},
    };
    for (const Case& c : cases) {
        Lines in = default_answers() + Lines{"9", ""};
        if (c.at < 13) in.resize(13);  // to the first sight's result
        in.erase(in.begin() + static_cast<long>(c.at));
        in.insert(in.begin() + static_cast<long>(c.at), c.typed.begin(),
                  c.typed.end());
        const std::string what = c.typed.back();
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        const DialogRun r = run_dialog(script(in));
        EXPECT_EQ(count(r.out, "asked again\n"), c.typed.size() - 1) << what;
        if (*c.refusal != '\0') {
            EXPECT_EQ(count(r.out, c.refusal), c.typed.size() - 1) << what;
        }
        // Shown after the last refusal.
        const std::size_t p = *c.refusal ? r.out.rfind(c.refusal) : 0;
        EXPECT_TRUE(p != std::string::npos &&
                    has(r.out.substr(p), c.shown))
            << what << "\n" << r.out;
        const std::vector<std::string> l = file_lines("moondist0x1.txt");
        EXPECT_EQ(l.size() > c.line ? l[c.line] : "", c.saved) << what;
    }
}

// ---------------------------------------------------------- sight menus

TEST_F(DialogSightMenu, FirstSightAnswers) {
    {
        // 1 repeats from the example screen without reading the file; a
        // negative answer asks again; 9 ends without a further save.
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        Lines s = first_sight() + Lines{"-1", "1"} +
                  Lines{"", "", "", "", "", "", "", "", "", "33 0", ""} +
                  Lines{"9", ""};
        DialogRun r = run_dialog(script(s));
        EXPECT_FALSE(r.ended);
        EXPECT_EQ(count(r.out, "E X A M P L E"), 2);
        EXPECT_EQ(count(r.out, " ### ENTER: 1=repeat 9=stop, or hit RETURN "),
                  3);
        EXPECT_TRUE(has(r.out, " ### ENTER: 1=repeat 9=stop, or hit RETURN  "
                               "### ENTER: 1=repeat 9=stop, or hit RETURN "));
        EXPECT_EQ(r.state.sight1.had, 33);
        EXPECT_EQ(file_lines("moondist0x1.txt")[5], "33 0.000000 0 ");
        EXPECT_FALSE(file_exists("moondist0x2.txt"));
        EXPECT_FALSE(has(r.out, "[2.] Observation"));
        EXPECT_TRUE(has(r.out, "or hit RETURN  \n Computations follow"));
    }
    {
        // 0 repeats as well; 3 and above stop.
        TempDir dir;
        Lines s = first_sight() + Lines{"0", "", "", "", "", "", "", "", "",
                                        "", "", "", "3", ""};
        DialogRun r = run_dialog(script(s));
        EXPECT_EQ(count(r.out, "E X A M P L E"), 2);
        EXPECT_TRUE(has(r.out, "--- END ---"));
        EXPECT_FALSE(file_exists("moondist0x2.txt"));
    }
}

TEST_F(DialogSightMenu, SecondSightAnswers) {
    // 0: the second sight again (no example screen); 2: its file read
    // again; 1: back to the first sight; 4: stop without saving.
    Lines s = first_sight() + Lines{""} + Lines{"", "", "", "0"} +
        Lines{"6", "", "", "2"} + Lines{"", "", "", "1"} +
        Lines{"", "", "", "", "", "", "", "", "", "", ""} + Lines{""} +
        Lines{"", "", "", "4", ""};
    DialogRun r = run_dialog(script(s));
    EXPECT_FALSE(r.ended);
    EXPECT_EQ(count(r.out, "E X A M P L E"), 2);
    EXPECT_EQ(count(r.out, " ### ENTER: 2=repeat[2.obs.] or hit RETURN "), 4);
    // After answer 2 the body default comes from the file just written.
    std::size_t second = r.out.find(" => Planet Jupiter");
    ASSERT_NE(second, std::string::npos);
    EXPECT_TRUE(has(r.out.substr(second), "###>  [Default: 6  ]   Input:  => "
                                          "Planet Jupiter\n"));
    EXPECT_EQ(r.state.sight2.iur, 6);
    EXPECT_FALSE(has(r.out, "LUNAR DISTANCE now"));
    EXPECT_TRUE(has(r.out, "or hit RETURN  \n Computations follow"));
    EXPECT_EQ(file_lines("moondist0x2.txt")[4], "6 33 ");
}

// --------------------------------------------------------------- the run

TEST(DialogRun, DefaultRunToStop) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    Lines s = default_answers();
    ASSERT_EQ(s.size(), 22u);
    DialogRun r = run_dialog(script(s + Lines{"9", ""}));
    const std::string& o = r.out;
    EXPECT_EQ(r.status, 0);
    EXPECT_FALSE(r.ended);

    // Both default sights.
    EXPECT_TRUE(has(o, " Sext. calculat: Hc= 25 deg 17.15' Moon_2\n"));
    EXPECT_TRUE(has(o, " GHA of MOON = "));
    EXPECT_TRUE(has(o, " GHA of VENUS = "));
    EXPECT_TRUE(has(o, " Sext. calculat: Hc= 7 deg 38.94' Planet_4\n"));

    // The lunar-distance input, once, and the first time correction.
    EXPECT_EQ(count(o, " ==> Enter LUNAR DISTANCE now:\n"), 1);
    EXPECT_TRUE(has(o, " >skip> \n \n \n"));
    std::string in = section(o, "\n ==> Enter LUNAR DISTANCE now:", "\n >skip>");
    EXPECT_TRUE(has(in, "\n ==> Enter LUNAR DISTANCE now:\n\n"
                        " Which Limb of Moon? 1=NEAR 2=FAR:\n"
                        " [Default: 1 ] Input: \n"
                        " To which side of Moon? 1=EAST 2=WEST:\n"
                        " [Default: 1 ] Input: \n"
                        " LUNAR DISTANCE = degrees  minutes:\n"
                        "###> [Default: 48 7.00 ] Input:  ok, LD_limb= 48 "
                        "deg 7.0'\n\n LDclear="));
    EXPECT_FALSE(has(in, "for SUN"));
    EXPECT_EQ(count(o, " LDclear="), 1);
    EXPECT_EQ(count(o, " Time corrected by "), 1);
    EXPECT_TRUE(has(in, "\n NEW TIME = 3 hours 57 min 13 sec\n\n"
                        " ITERATION starts, press ENTER ...."));

    // The first result screen of the run has no lunar-distance lines.
    std::string first = section(o, "LUNAR RESULT", " ## ENTER:");
    ASSERT_FALSE(first.empty());
    EXPECT_FALSE(has(first, "Lunar Dist."));
    EXPECT_TRUE(has(first, " MOON: SDa= 15.70', Planet= Venus\n"));

    // Iteration to a converged fix, then 31 lunar-distance passes before
    // the menu reads its one answer.
    EXPECT_EQ(r.passes, 31);
    EXPECT_EQ(r.menu_reads, 1);
    EXPECT_GE(r.iterations, 1);
    EXPECT_EQ(count(o, " ITERATION started:\n"), r.iterations);
    EXPECT_EQ(count(o, "LUNAR RESULT"), r.fixes);
    EXPECT_EQ(r.fixes, 31 + r.iterations);
    // Clearings after the first correction fill the result screen.
    std::string last = o.substr(o.rfind("LUNAR RESULT"));
    EXPECT_TRUE(has(last, " Lunar Dist. measured = 48 deg 7.0'\n"
                          " Lunar Dist. (Almanac)= 48 deg 36' "));
    EXPECT_TRUE(has(last, " ==> POSITION has CONVERGED:\n"));
    EXPECT_TRUE(has(last, " This is actual POSITION, deviat.< 0.1nm\n"));
    EXPECT_TRUE(has(last, "\n ## ENTER: 1=restart, 5=TALMAR, 9=stop:\n"
                          " For FINAL CHECK, press again RETURN !\n"
                          "\n>> fixed: write moondist0x1.txt >> fixed: write "
                          "moondist0x2.txt  \n Computations follow Jean "
                          "Meeus,\n"));
    EXPECT_TRUE(has(last, " SUN_R/S(Az)=5h21m(56) 20h56m(304) D~40m\n"));
    EXPECT_EQ(o.substr(o.size() - 24), "\n           --- END ---\n");
    // The converged fix lies at the default assumed position.
    EXPECT_LT(std::fabs(r.state.dist), 0.1);
    EXPECT_NEAR(r.state.latitudep, 44.0 + 46.99 / 60.0, 0.05 * nm);
    EXPECT_NEAR(r.state.longitudep, -17.0 - 11.6 / 60.0, 0.05 * nm);

    // The remembered inputs after the stop, byte for byte.
    const lunarfix::RunState& st = r.state;
    // Date, clock and position of each record, as the run left them.
    auto head = [](const lunarfix::SightRecord& w) {
        return "2017 6 17 \n" + fmt("%d %d %d \n", w.hour, w.min, w.sec) +
               fmt("%d %f \n%d %f \n", w.latd, w.latmf, w.lond, w.lonmf);
    };
    EXPECT_EQ(read_file("moondist0x1.txt"),
              head(st.sight1) +
                  "2 33 \n24 14.000000 0 \n0.000000 1.830000 \n" +
                  fmt("0.000000 %f 0.000000 \n", st.azim1) +
                  "16.100000 1026.400000 \n48.116667 1 \n");
    EXPECT_EQ(read_file("moondist0x2.txt"),
              head(st.sight2) +
                  "4 33 \n7 47.800000 0 \n0.000000 1.830000 \n" +
                  fmt("0.000000 %f 0.000000 \n", st.azim2) +
                  "0.000000 0.000000 \n");
    EXPECT_EQ(st.sight1.hour, 3);
    EXPECT_EQ(st.sight1.min, 57);
    EXPECT_NEAR(st.sight1.sec, 14, 1);
    EXPECT_EQ(st.sight1.latd, 44);
    EXPECT_NEAR(st.sight1.latmf, 46.99, 0.05);
    EXPECT_NEAR(st.azim1, 127.47, 0.01);
    EXPECT_NEAR(st.azim2, 79.88, 0.01);
}

TEST(DialogRun, NextRunOffersTheStoredLunarDistance) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    std::string f1 =
        "2017 6 17 \n3 57 14 \n44 46.990000 \n-17 -11.600000 \n2 33 \n"
        "24 14.000000 0 \n0.000000 1.830000 \n0.000000 127.469695 0.000000 \n"
        "16.100000 1026.400000 \n48.250000 -1 \n";
    write_file("moondist0x1.txt", f1);
    Lines s = first_sight() + Lines{""} + Lines{"", "", "", ""};
    DialogRun r = run_dialog(script(s));
    EXPECT_TRUE(has(r.out, " To which side of Moon? 1=EAST 2=WEST:\n"
                           " [Default: 2 ] Input: "));
    EXPECT_TRUE(has(r.out, "###> [Default: 48 15.00 ] Input: "));
}

}  // namespace
