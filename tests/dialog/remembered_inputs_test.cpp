// Remembered inputs: exact bytes of both files for the built-in defaults,
// after sights and after a stop; reading back; cut, corrupt and unwritable
// files.  Every test works in its own temporary directory.
#include "foundations/console_io.h"
#include "dialog/console.h"
#include "dialog/remembered_inputs.h"
#include "dialog/run_state.h"
#include "dialog_harness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace lunarfix {
namespace {

using lunarfix_test::expect_date;
using lunarfix_test::expect_mode;
using lunarfix_test::kDefaultFirst;
using lunarfix_test::kDefaultFirstNine;
using lunarfix_test::read_file;
using lunarfix_test::unsaved_note;
using lunarfix_test::write_file;

using RememberedTest =
    lunarfix_test::InTempDirWith<lunarfix_test::ConsoleFixture>;

// The names in the working directory, sorted, for a check that no
// temporary file is left behind.
std::string dir_listing() {
    std::string names;
    FILE* p = popen("ls -A", "r");
    if (p == nullptr) return "?";
    char buf[256];
    while (std::fgets(buf, sizeof buf, p) != nullptr) names += buf;
    pclose(p);
    return names;
}

TEST_F(RememberedTest, FirstFileFromTheBuiltInDefaults) {
    RunState rs;
    EXPECT_EQ(ReadFirstSightMemory(&rs), 0);  // missing
    EXPECT_EQ(WriteFirstSightMemory(rs), 1);
    EXPECT_EQ(read_file("moondist0x1.txt"), kDefaultFirst);
    EXPECT_EQ(dir_listing(), "moondist0x1.txt\n");  // no leftovers
    EXPECT_EQ(out_.str(), "");
}

TEST_F(RememberedTest, SecondFileCreatedWithTheFirstSightsDateAndPlace) {
    RunState rs;
    rs.sight1.hour = 5;
    rs.sight1.latd = -3;
    rs.sight1.latmf = -0.5;
    rs.sight2.hour = 23;  // replaced by the first sight's time
    EXPECT_EQ(ReadSecondSightMemory(&rs), 0);
    EXPECT_EQ(WriteSecondSightMemory(rs, 1), 1);
    EXPECT_EQ(read_file("moondist0x2.txt"),
              "2017 6 17 \n"
              "5 57 14 \n"
              "-3 -0.500000 \n"
              "-17 -11.600000 \n"
              "4 33 \n"
              "7 47.800000 0 \n"
              "0.000000 1.830000 \n"
              "0.000000 180.000000 3.141593\n"
              "0.000000 0.000000\n");
}

TEST_F(RememberedTest, WrittenAfterASightAndReadBack) {
    RunState rs;
    rs.work.year = 1992;
    rs.work.latd = 0;
    rs.work.latmf = -30.25;
    rs.work.iur = 8;
    rs.work.idstar = 43;
    rs.hdif = -3.2;
    rs.az0 = 359.5;
    rs.kursav = 45;
    rs.velav = 10;
    EXPECT_EQ(WriteSecondSightMemory(rs, 0), 1);
    EXPECT_EQ(read_file("moondist0x2.txt"),
              "1992 6 17 \n"
              "3 57 14 \n"
              "0 -30.250000 \n"
              "-17 -11.600000 \n"
              "8 43 \n"
              "24 14.000000 0 \n"
              "0.000000 1.830000 \n"
              "-3.200000 359.500000 3.141593 \n"
              "45.000000 10.000000 \n");
    RunState back;
    back.indb = 7.0;  // line 7 of this file is not taken
    EXPECT_EQ(ReadSecondSightMemory(&back), 1);
    EXPECT_EQ(back.work.year, 1992);
    EXPECT_EQ(back.work.latd, 0);
    EXPECT_DOUBLE_EQ(back.work.latmf, -30.25);
    EXPECT_EQ(back.work.iur, 8);
    EXPECT_EQ(back.work.idstar, 43);
    EXPECT_DOUBLE_EQ(back.hdif, -3.2);
    EXPECT_DOUBLE_EQ(back.az0, 359.5);
    EXPECT_DOUBLE_EQ(back.kursav, 45);
    EXPECT_DOUBLE_EQ(back.velav, 10);
    EXPECT_EQ(back.indb, 7.0);
    EXPECT_EQ(back.aug, 1.83);
}

TEST_F(RememberedTest, MinusBeforeZeroDegreesBelongsToTheMinutes) {
    // A file edited by hand holds 0 deg 30' S as it would be typed: "-0 30".
    // The latitude, the longitude and the sextant altitude of both files
    // read it so; other lines read as written.
    struct Case {
        const char *lat, *lon, *alt;  // lines 3, 4 and 6
        double latmf, lonmf, hamf;
    };
    const Case cases[] = {
        {"-0 30.000000", "-0 45.5", "-0 20 0", -30, -45.5, -20},
        {" -0\t-30", "-0  0.25", "-0 7.5 0", -30, -0.25, -7.5},
        {"0 -30.000000", "0 45.5", "0 20 0", -30, 45.5, 20},
        {"+0 30", "-1 45.5", "+0 20 0", 30, 45.5, 20},
        {"-0 0", "-0 0.0", "-0 0 0", 0, 0, 0},  // no minus zero shown
    };
    for (const Case& c : cases) {
        const std::string text = std::string("2017 6 17 \n3 57 14 \n") +
                                 c.lat + " \n" + c.lon + " \n%d 33 \n" +
                                 c.alt + " \n0.000000 1.830000 \n";
        write_file("moondist0x1.txt", lunarfix_test::fmt(text.c_str(), 2));
        write_file("moondist0x2.txt", lunarfix_test::fmt(text.c_str(), 4));
        RunState first, second;
        ASSERT_EQ(ReadFirstSightMemory(&first), 1);
        ASSERT_EQ(ReadSecondSightMemory(&second), 1);
        for (const RunState* rs : {&first, &second}) {
            EXPECT_EQ(rs->work.latd, 0) << text;
            EXPECT_DOUBLE_EQ(rs->work.latmf, c.latmf) << text;
            EXPECT_DOUBLE_EQ(rs->work.lonmf, c.lonmf) << text;
            EXPECT_DOUBLE_EQ(rs->work.hamf, c.hamf) << text;
            EXPECT_FALSE(std::signbit(rs->work.latmf) && c.latmf == 0) << text;
        }
    }
    EXPECT_EQ(out_.str(), "");  // every value in its range
}

TEST_F(RememberedTest, StopWritesTenLinesAndTheSecondFile) {
    RunState rs;
    rs.work.year = 2020;
    rs.work.idstar = 12;
    rs.sight1.hour = 4;
    rs.sight1.min = 1;
    rs.sight1.sec = 60;
    rs.sight2.iur = 0;
    rs.sight2.had = 31;
    rs.sight2.hamf = 5.5;
    rs.azim1 = 101.25;
    rs.azim2 = 250.5;
    rs.hdif = 9.9;  // not written by the stop
    rs.LD_limb = 52.5;
    rs.signdist = -1;
    rs.indb = -1.5;
    rs.kursav = 90;
    rs.velav = -2;
    WriteStopMemory(rs);
    EXPECT_EQ(out_.str(),
              "\n>> fixed: write moondist0x1.txt >> fixed: write moondist0x2.txt ");
    EXPECT_EQ(read_file("moondist0x1.txt"),
              "2020 6 17 \n"
              "4 1 60 \n"
              "44 46.990000 \n"
              "-17 -11.600000 \n"
              "2 12 \n"
              "24 14.000000 0 \n"
              "-1.500000 1.830000 \n"
              "0.000000 101.250000 0.000000 \n"
              "16.100000 1026.400000 \n"
              "52.500000 -1 \n");
    EXPECT_EQ(read_file("moondist0x2.txt"),
              "2020 6 17 \n"
              "3 57 14 \n"
              "44 46.990000 \n"
              "-17 -11.600000 \n"
              "0 12 \n"
              "31 5.500000 0 \n"
              "-1.500000 1.830000 \n"
              "0.000000 250.500000 0.000000 \n"
              "90.000000 -2.000000 \n");
    // The next run offers the lunar distance and side.
    RunState next;
    EXPECT_EQ(ReadFirstSightMemory(&next), 1);
    EXPECT_DOUBLE_EQ(next.LD_limb, 52.5);
    EXPECT_EQ(next.signdist, -1);
    EXPECT_DOUBLE_EQ(next.az0, 101.25);
    EXPECT_EQ(next.hthird, 0.0);
}

TEST_F(RememberedTest, NineLinesKeepTheLunarDistance) {
    write_file("moondist0x1.txt", kDefaultFirstNine);
    RunState rs;
    rs.LD_limb = 30.0;
    rs.signdist = -1;
    rs.temperature = 0.0;
    EXPECT_EQ(ReadFirstSightMemory(&rs), 1);
    EXPECT_EQ(rs.LD_limb, 30.0);
    EXPECT_EQ(rs.signdist, -1);
    EXPECT_DOUBLE_EQ(rs.temperature, 16.1);
}

TEST_F(RememberedTest, CutAndCorruptFilesKeepTheRest) {
    RunState defaults;
    // Cut after line 4: date, time and position are read.
    write_file("moondist0x1.txt", "1999 12 31\n23 59 58\n-45 -30.5\n170 15\n");
    RunState rs;
    EXPECT_EQ(ReadFirstSightMemory(&rs), 1);
    EXPECT_EQ(rs.work.year, 1999);
    EXPECT_EQ(rs.work.sec, 58);
    EXPECT_EQ(rs.work.latd, -45);
    EXPECT_DOUBLE_EQ(rs.work.latmf, -30.5);
    EXPECT_EQ(rs.work.lond, 170);
    EXPECT_DOUBLE_EQ(rs.work.lonmf, 15);
    EXPECT_EQ(rs.work.iur, defaults.work.iur);
    EXPECT_EQ(rs.work.had, defaults.work.had);
    EXPECT_EQ(rs.aug, defaults.aug);
    EXPECT_EQ(rs.temperature, defaults.temperature);
    EXPECT_EQ(rs.LD_limb, defaults.LD_limb);

    // Text on line 3: date and time are read, nothing from there on.
    write_file("moondist0x1.txt",
        "2001 2 3 \n4 5 6 \nforty 46.99 \n-17 -11.6 \n3 1 \n20 1 0 \n"
        "1 2 \n0 90 0 \n20 1000 \n");
    rs = RunState();
    EXPECT_EQ(ReadFirstSightMemory(&rs), 1);
    EXPECT_EQ(rs.work.year, 2001);
    EXPECT_EQ(rs.work.sec, 6);
    EXPECT_EQ(rs.work.latd, defaults.work.latd);
    EXPECT_EQ(rs.work.iur, defaults.work.iur);
    EXPECT_EQ(rs.indb, defaults.indb);
    EXPECT_EQ(rs.az0, defaults.az0);

    // Values that are no finite number, or an integer out of range, stop
    // the reading as text does.
    write_file("moondist0x1.txt", "2001 2 3 \n4 5 6 \n10 nan \n");
    rs = RunState();
    EXPECT_EQ(ReadFirstSightMemory(&rs), 1);
    EXPECT_EQ(rs.work.latd, 10);
    EXPECT_EQ(rs.work.latmf, defaults.work.latmf);
    write_file("moondist0x1.txt", "2001 99999999999 3\n");
    rs = RunState();
    EXPECT_EQ(ReadFirstSightMemory(&rs), 1);
    expect_date(rs.work, 2001, defaults.work.month, defaults.work.day);

    // An empty file is present but changes nothing; line breaks carry no
    // meaning, line ends of either convention are fine.
    write_file("moondist0x1.txt", "");
    rs = RunState();
    EXPECT_EQ(ReadFirstSightMemory(&rs), 1);
    EXPECT_EQ(rs.work.year, defaults.work.year);
    write_file("moondist0x1.txt", "2003\r\n7 8\r\n9 10 11 12 13.5\r\n");
    rs = RunState();
    EXPECT_EQ(ReadFirstSightMemory(&rs), 1);
    EXPECT_EQ(rs.work.year, 2003);
    EXPECT_EQ(rs.work.day, 8);
    EXPECT_EQ(rs.work.hour, 9);
    EXPECT_EQ(rs.work.latd, 12);
    EXPECT_DOUBLE_EQ(rs.work.latmf, 13.5);
    EXPECT_EQ(rs.work.lond, defaults.work.lond);
}

TEST_F(RememberedTest, BodyTheSightCannotTakeGivesTheDefault) {
    // The first sight is of the Moon (2, 3), the second of any other body
    // (0, 1, 4 to 8); a remembered code outside those is replaced by the
    // built-in default with one line.
    const std::string moon_only =
        " !!! moondist0x1.txt: Body must be 2 or 3 (the Moon); built-in "
        "default taken\n";
    const std::string not_moon =
        " !!! moondist0x2.txt: Body must be 0, 1 or 4 to 8 (not the Moon); "
        "built-in default taken\n";
    struct Case {
        int nobs;
        const char* body;  // line 5
        const std::string* line;
        int iur;
    };
    const std::string none;
    const Case cases[] = {
        {2, "2 12", &not_moon, 4}, {2, "3 12", &not_moon, 4},
        {2, "9 12", &not_moon, 4}, {2, "-4 12", &not_moon, 4},
        {2, "0 12", &none, 0},     {2, "8 12", &none, 8},
        {1, "4 12", &moon_only, 2}, {1, "8 12", &moon_only, 2},
        {1, "3 12", &none, 3},
    };
    for (const Case& c : cases) {
        const std::string text = std::string("2017 6 17 \n3 57 14 \n44 0 \n"
                                             "-17 0 \n") +
                                 c.body + " \n24 0 0 \n";
        write_file(c.nobs == 1 ? "moondist0x1.txt" : "moondist0x2.txt", text);
        feed("");
        RunState rs;
        ASSERT_EQ(c.nobs == 1 ? ReadFirstSightMemory(&rs)
                              : ReadSecondSightMemory(&rs),
                  1);
        EXPECT_EQ(out_.str(), *c.line) << c.body;
        EXPECT_EQ(rs.work.iur, c.iur) << c.body;
        EXPECT_EQ(rs.work.idstar, 12) << c.body;
    }
}

TEST(RememberedBody, MoonAsSecondBodyRunGoesOnWithEnter) {
    // A second-sight file naming the Moon: its message once, then the run
    // of ENTER answers is the one of a file naming Venus, the default.
    const std::string second =
        "2017 6 17 \n3 57 14 \n44 46.990000 \n-17 -11.600000 \n%d 33 \n"
        "7 47.800000 0 \n0.000000 1.830000 \n"
        "0.000000 180.000000 3.141593\n0.000000 0.000000\n";
    std::vector<std::string> answers = lunarfix_test::default_answers();
    answers.push_back("9");
    answers.push_back("");
    const std::string in = lunarfix_test::script(answers);
    lunarfix_test::DialogRun run[2];
    std::string files[2];
    for (int i = 0; i < 2; ++i) {
        lunarfix_test::TempDir dir;
        ASSERT_TRUE(dir.ok());
        write_file("moondist0x2.txt",
                   lunarfix_test::fmt(second.c_str(), i == 0 ? 4 : 2));
        run[i] = lunarfix_test::run_dialog(in);
        files[i] = read_file("moondist0x1.txt") + read_file("moondist0x2.txt");
    }
    const std::string note =
        " !!! moondist0x2.txt: Body must be 0, 1 or 4 to 8 (not the Moon); "
        "built-in default taken\n";
    EXPECT_EQ(lunarfix_test::count(run[1].out, note), 1);
    EXPECT_EQ(run[1].status, 0);
    EXPECT_EQ(run[1].state.sight2.iur, 4);
    std::string rest = run[1].out;
    const std::size_t p = rest.find(note);
    if (p != std::string::npos) rest.erase(p, note.size());
    EXPECT_EQ(rest, run[0].out);
    EXPECT_EQ(files[1], files[0]);
    EXPECT_TRUE(lunarfix_test::has(run[0].out, " ==> POSITION has CONVERGED:"));
}

TEST_F(RememberedTest, UnwritableFileIsReportedAndKept) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    write_file("moondist0x1.txt", "1 2 3\n");
    ASSERT_EQ(chmod("moondist0x1.txt", 0444), 0);
    RunState rs;
    EXPECT_EQ(WriteFirstSightMemory(rs), 0);
    EXPECT_EQ(out_.str(), unsaved_note("moondist0x1.txt"));
    EXPECT_EQ(read_file("moondist0x1.txt"), "1 2 3\n");

    // A directory that cannot be written: one line, nothing left behind.
    out_.str("");
    ASSERT_EQ(chmod(".", 0500), 0);
    EXPECT_EQ(WriteSecondSightMemory(rs, 1), 0);
    EXPECT_EQ(out_.str(), unsaved_note("moondist0x2.txt"));
    ASSERT_EQ(chmod(".", 0700), 0);
    EXPECT_NE(access("moondist0x2.txt", F_OK), 0);
    EXPECT_EQ(dir_listing(), "moondist0x1.txt\n");
}

TEST_F(RememberedTest, WriteProtectedFileKeptWhoeverRuns) {
    // A file without its owner's write permission is the navigator's way
    // of keeping it: left alone even by root, who passes every access test.
    write_file("moondist0x1.txt", "1 2 3\n");
    ASSERT_EQ(chmod("moondist0x1.txt", 0444), 0);
    RunState rs;
    EXPECT_EQ(WriteFirstSightMemory(rs), 0);
    EXPECT_EQ(out_.str(), unsaved_note("moondist0x1.txt"));
    EXPECT_EQ(read_file("moondist0x1.txt"), "1 2 3\n");
    ASSERT_NO_FATAL_FAILURE(expect_mode("moondist0x1.txt", 0444u));

    // The stop reports as written only the file that was written (the
    // other was named already in this run).
    out_.str("");
    EXPECT_EQ(WriteStopMemory(rs), kFirstSightUnsaved);
    EXPECT_EQ(out_.str(), ">> fixed: write moondist0x2.txt ");
    EXPECT_EQ(read_file("moondist0x1.txt"), "1 2 3\n");
    EXPECT_EQ(dir_listing(), "moondist0x1.txt\nmoondist0x2.txt\n");
}

TEST_F(RememberedTest, ReplacedFileKeepsItsPermissionsButNoSpecialBits) {
    // The read, write and execute bits are carried over; a setuid, setgid
    // or sticky bit never is (a file of root's with mode 6755 must not
    // come back as a root-owned setuid file).
    struct Case {
        unsigned before, after;
    } cases[] = {{0600, 0600}, {0640, 0640}, {06755, 0755}, {04700, 0700},
                 {01644, 0644}};
    for (const Case& c : cases) {
        write_file("moondist0x1.txt", "1 2 3\n");
        ASSERT_EQ(chmod("moondist0x1.txt", c.before), 0);
        RunState rs;
        EXPECT_EQ(WriteFirstSightMemory(rs), 1);
        EXPECT_EQ(read_file("moondist0x1.txt"), kDefaultFirst);
        ASSERT_NO_FATAL_FAILURE(expect_mode("moondist0x1.txt", c.after));
        EXPECT_EQ(dir_listing(), "moondist0x1.txt\n");
    }
}

TEST_F(RememberedTest, FileInTheWayOfADirectory) {
    // A directory under the file's name can be neither replaced nor read
    // as a record (this holds for every user).
    ASSERT_EQ(mkdir("moondist0x1.txt", 0700), 0);
    RunState rs;
    rs.work.year = 1800;
    EXPECT_EQ(WriteFirstSightMemory(rs), 0);
    EXPECT_EQ(out_.str(), unsaved_note("moondist0x1.txt"));
    EXPECT_EQ(dir_listing(), "moondist0x1.txt\n");
    ReadFirstSightMemory(&rs);
    EXPECT_EQ(rs.work.year, 1800);
    EXPECT_EQ(rs.aug, 1.83);
}

TEST_F(RememberedTest, UnreadableFileIsKeptNotTakenForMissing) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    write_file("moondist0x2.txt", "1 2 3\n");
    ASSERT_EQ(chmod("moondist0x2.txt", 0), 0);
    RunState rs;
    EXPECT_EQ(ReadSecondSightMemory(&rs), -1);
    EXPECT_EQ(rs.work.year, 2017);
    EXPECT_EQ(rs.unsaved, kSecondSightUnsaved);
    EXPECT_EQ(WriteSecondSightMemory(rs, 1), 0);  // not written
    EXPECT_EQ(out_.str(), "\n !!! file moondist0x2.txt cannot be read: built-in "
                          "defaults used, file kept\n");
}

} // namespace
} // namespace lunarfix
