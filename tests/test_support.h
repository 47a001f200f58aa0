// Shared by every test program: the units the tolerances are written in,
// small angle helpers, a temporary working directory, whole-file helpers
// and the process console pointed at string streams.
#ifndef LUNARFIX_TESTS_TEST_SUPPORT_H
#define LUNARFIX_TESTS_TEST_SUPPORT_H

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include <gtest/gtest.h>

#include "foundations/console_io.h"

namespace lunarfix_test {

// ------------------------------------------------------------------ units

constexpr double degree = 1.0;               // angles are in degrees
constexpr double deg = degree;
constexpr double arcmin = degree / 60.0;
constexpr double arcsec = degree / 3600.0;
constexpr double arcmin_m = 1.0;             // quantities given in arcminutes
constexpr double arcsec_m = arcmin_m / 60.0;  // (parallax, semi-diameter)
constexpr double hour = 1.0;                 // times of day are in hours
constexpr double minute = hour / 60.0;
constexpr double second = hour / 3600.0;
constexpr double day = 1.0;                  // Julian days
constexpr double radian = 1.0;
constexpr double twopi = 3.141592653589793 + 3.141592653589793;
constexpr double sec_dt = 1.0;               // Delta T is in seconds

// ----------------------------------------------------------------- angles

// Hours, minutes, seconds of right ascension to degrees.
inline double hms(int h, int m, double s) { return 15.0 * (h + m / 60.0 + s / 3600.0); }

// Signed degrees, minutes, seconds to degrees.
inline double dms(int sign, int d, int m, double s) {
    return sign * (d + m / 60.0 + s / 3600.0);
}

// Difference of two angles in degrees, folded into (-180, 180].
inline double angdiff(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d > 180.0) d -= 360.0;
    if (d <= -180.0) d += 360.0;
    return d;
}

// Expects an angle in degrees within one turn: 0 <= angle < 360.
inline void expect_within_one_turn(double angle, const char* what = "angle") {
    EXPECT_GE(angle, 0.0) << what;
    EXPECT_LT(angle, 360.0) << what;
}

// Expects a right ascension, a Greenwich hour angle and a sidereal time,
// each within one turn.
inline void expect_within_one_turn(double ra, double gha, double gast) {
    expect_within_one_turn(ra, "right ascension");
    expect_within_one_turn(gha, "hour angle");
    expect_within_one_turn(gast, "sidereal time");
}

// Expects lo < x < hi.
inline void expect_between(double x, double lo, double hi) {
    EXPECT_GT(x, lo);
    EXPECT_LT(x, hi);
}

// ------------------------------------------------------------------ files

// Removes a directory tree, giving back to its owner first any permission
// a test took away.  True when nothing of it is left.
inline bool remove_tree(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::recursive_directory_iterator it(path, ec), end;
    while (!ec && it != end) {
        std::error_code ignored;
        if (!it->is_symlink(ignored))
            fs::permissions(it->path(), fs::perms::owner_all,
                            fs::perm_options::add, ignored);
        it.increment(ec);
    }
    fs::remove_all(path, ec);
    return !ec && !fs::exists(path, ec);
}

// A fresh directory /tmp/lunarfix_<tag>_XXXXXX, the working directory
// while it lives; at leave() or at the end of its life the former working
// directory is restored and the directory removed with all it holds.
class TempDir {
public:
    explicit TempDir(const char* tag = "test") {
        char here[4096];
        old_ = getcwd(here, sizeof here) ? here : "";
        std::string name = std::string("/tmp/lunarfix_") + tag + "_XXXXXX";
        std::vector<char> buf(name.begin(), name.end());
        buf.push_back('\0');
        if (old_.empty() || !mkdtemp(buf.data())) return;
        path_ = buf.data();
        if (chdir(path_.c_str()) != 0) {
            remove_tree(path_);
            path_.clear();
        }
    }
    ~TempDir() { leave(); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // True while the directory exists and is the working directory.
    bool ok() const { return !path_.empty(); }
    const std::string& path() const { return path_; }

    // Back to the former working directory, the directory removed; true
    // when both succeeded (or when there was nothing left to do).
    bool leave() {
        if (path_.empty()) return true;
        const bool back = chdir(old_.c_str()) == 0;
        const bool gone = back && remove_tree(path_);
        path_.clear();
        return back && gone;
    }

private:
    std::string path_;
    std::string old_;
};

inline bool file_exists(const char* name) {
    struct stat st;
    return stat(name, &st) == 0;
}

// The whole file, byte for byte ("" when it cannot be read).
inline std::string read_file(const char* name) {
    std::ifstream f(name, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// Replaces the file's whole contents with `text`.
inline void write_file(const char* name, const std::string& text) {
    std::ofstream f(name, std::ios::binary | std::ios::trunc);
    f << text;
}

inline std::vector<std::string> file_lines(const char* name) {
    std::vector<std::string> out;
    std::istringstream s(read_file(name));
    std::string l;
    while (std::getline(s, l)) out.push_back(l);
    return out;
}

// ---------------------------------------------------------------- console

// The process console pointed at two string streams while this lives;
// afterwards back at std::cin and std::cout.
class CapturedConsole {
public:
    CapturedConsole() { lunarfix::set_console(&in, &out); }
    ~CapturedConsole() { lunarfix::set_console(&std::cin, &std::cout); }
    CapturedConsole(const CapturedConsole&) = delete;
    CapturedConsole& operator=(const CapturedConsole&) = delete;

    // New typed input, the output so far dropped, and the console pointed
    // here again (which clears its end-of-input mark).
    void feed(const std::string& text) {
        in.str(text);
        in.clear();
        out.str("");
        lunarfix::set_console(&in, &out);
    }
    // The typed input not read yet.
    std::string rest() {
        std::string r;
        std::getline(in, r, '\0');
        return r;
    }

    std::istringstream in;
    std::ostringstream out;
};

// A fixture whose tests each run with the console on string streams.
class ConsoleFixture : public ::testing::Test {
protected:
    void feed(const std::string& text) { capture_.feed(text); }
    std::string rest() { return capture_.rest(); }

    CapturedConsole capture_;
    std::istringstream& in_ = capture_.in;
    std::ostringstream& out_ = capture_.out;
};

}  // namespace lunarfix_test

#endif
