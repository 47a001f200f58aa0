// Runs the whole console dialog in-process from a script of typed lines,
// inside a fresh temporary working directory, and hands back the transcript,
// the exit status, the run state and the files the run left behind; and a
// fixture for single screens.
#ifndef LUNARFIX_TESTS_NAVIGATION_DIALOG_HARNESS_H
#define LUNARFIX_TESTS_NAVIGATION_DIALOG_HARNESS_H

#include <sys/stat.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "foundations/console_io.h"
#include "dialog/console.h"
#include "dialog/dialog.h"
#include "test_support.h"

namespace lunarfix_test {

// Lines 1 to 9 of the first-sight file the built-in defaults give (a file
// of nine lines is what earlier versions wrote after a sight), and the
// whole file.
inline const std::string kDefaultFirstNine =
    "2017 6 17 \n"
    "3 57 14 \n"
    "44 46.990000 \n"
    "-17 -11.600000 \n"
    "2 33 \n"
    "24 14.000000 0 \n"
    "0.000000 1.830000 \n"
    "0.000000 180.000000 3.141593 \n"
    "16.100000 1026.400000 \n";
inline const std::string kDefaultFirst = kDefaultFirstNine + "48.116667 1 \n";

// The line a remembered-input file that could not be written leaves.
inline std::string unsaved_note(const std::string& name) {
    return "\n !!! file " + name + " cannot be written: inputs not saved\n";
}

// The permission bits of a file are `mode` (fatal when it cannot be seen).
inline void expect_mode(const char* name, unsigned mode) {
    struct stat st;
    ASSERT_EQ(stat(name, &st), 0) << name;
    EXPECT_EQ(st.st_mode & 07777, mode) << name;
}

// The script: one typed line per entry ("" is ENTER alone).
inline std::string script(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + "\n";
    return s;
}

inline std::vector<std::string> enters(int n) {
    return std::vector<std::string>(static_cast<std::size_t>(n), "");
}

// Answers of a run that takes every default, up to the first read of the
// result menu: the start-up pauses, the first sight with its result pause
// and menu, the second sight, the lunar distance and the pause after the
// time correction.
inline std::vector<std::string> default_answers() { return enters(22); }

inline std::vector<std::string> operator+(std::vector<std::string> a,
                                          const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// printf into a std::string.
template <typename... A>
std::string fmt(const char* f, A... a) {
    char buf[512];
    std::snprintf(buf, sizeof buf, f, a...);
    return buf;
}

// Degrees and minutes as typed at a degrees-and-minutes prompt.
inline std::string deg_min(double x) {
    int d = static_cast<int>(x);
    return fmt("%d %.6f", d, (x - d) * 60.0);
}

// The answers from the second sight to the pause after the first time
// correction: the body (for a star its number and the pause of the star
// list), the sextant altitude, the result pause and the sight menu, then
// the limb, the side and the measured distance (degrees), and the pause.
inline std::vector<std::string> second_sight_and_distance(
    int body, int star, double hs_body, int limb, int side, double distance) {
    std::vector<std::string> l = {fmt("%d", body)};
    if (body == 8) {
        l.push_back(fmt("%d", star));
        l.push_back("");
    }
    return l + std::vector<std::string>{deg_min(hs_body), "", "",
                                        fmt("%d", limb), fmt("%d", side),
                                        deg_min(distance), ""};
}

struct DialogRun {
    std::string out;          // transcript
    int status = -1;          // exit status
    lunarfix::RunState state;  // run state at the end
    int passes = 0, iterations = 0, fixes = 0, menu_reads = 0;
    bool ended = false;        // the input ran out
};

// Runs the dialog on the given input in the current working directory.
inline DialogRun run_dialog(const std::string& input) {
    CapturedConsole console;
    console.feed(input);
    lunarfix::readers().reset();
    DialogRun r;
    {
        lunarfix::Dialog d(&lunarfix::readers());
        r.status = d.run();
        r.state = d.state();
        r.passes = d.passes();
        r.iterations = d.iterations();
        r.fixes = d.fixes();
        r.menu_reads = d.menu_reads();
    }
    r.ended = lunarfix::console().ended;
    r.out = console.out.str();
    lunarfix::readers().reset();
    return r;
}

// A run in a fresh temporary working directory of its own, and the two
// remembered-input files it left there (empty when missing).
struct RunFiles {
    DialogRun run;
    std::string first, second;
};

inline RunFiles run_in_fresh_dir(const std::vector<std::string>& lines) {
    TempDir dir;
    RunFiles f;
    if (!dir.ok()) {
        ADD_FAILURE() << "no temporary working directory";
        return f;
    }
    f.run = run_dialog(script(lines));
    f.first = read_file("moondist0x1.txt");
    f.second = read_file("moondist0x2.txt");
    return f;
}

// The fixture `Base` in a fresh temporary working directory of its own,
// which must be left and removed with whatever the test put in it.
template <class Base>
class InTempDirWith : public Base {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.ok()); }
    void TearDown() override {
        Base::TearDown();
        ASSERT_TRUE(dir_.leave());
    }
    TempDir dir_;
};
using InTempDir = InTempDirWith<::testing::Test>;

// Sets the date and the clock time of a sight record or a sight input.
template <class Sight>
void set_date_time(Sight* s, int y, int mo, int d, int h, int mi, int sec) {
    s->year = y;
    s->month = mo;
    s->day = d;
    s->hour = h;
    s->min = mi;
    s->sec = sec;
}

// The record's date, and its clock time.
inline void expect_date(const lunarfix::SightRecord& s, int y, int mo, int d,
                        const std::string& what = "") {
    EXPECT_EQ(s.year, y) << what;
    EXPECT_EQ(s.month, mo) << what;
    EXPECT_EQ(s.day, d) << what;
}
inline void expect_clock(const lunarfix::SightRecord& s, int h, int m,
                         int sec, const std::string& what = "") {
    EXPECT_EQ(s.hour, h) << what;
    EXPECT_EQ(s.min, m) << what;
    EXPECT_EQ(s.sec, sec) << what;
}

// A fixture for the screens: the console on string streams, the input
// readers started afresh with every new input and at the end.
class ScreenFixture : public ConsoleFixture {
protected:
    void feed(const std::string& text) {
        ConsoleFixture::feed(text);
        lunarfix::readers().reset();
    }
    void TearDown() override { lunarfix::readers().reset(); }
};

inline int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t p = text.find(what); p != std::string::npos;
         p = text.find(what, p + what.size()))
        ++n;
    return n;
}

inline bool has(const std::string& text, const std::string& what) {
    return text.find(what) != std::string::npos;
}

// Position of `what` in the text, npos when absent.
inline std::size_t at(const std::string& text, const std::string& what,
                      std::size_t from = 0) {
    return text.find(what, from);
}

}  // namespace lunarfix_test

#endif
