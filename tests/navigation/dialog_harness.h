// Runs the whole console dialog in-process from a script of typed lines,
// inside a fresh temporary working directory, and hands back the transcript,
// the exit status, the run state and the files the run left behind.
#ifndef LUNARFIX_TESTS_NAVIGATION_DIALOG_HARNESS_H
#define LUNARFIX_TESTS_NAVIGATION_DIALOG_HARNESS_H

#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "foundations/console_io.h"
#include "navigation/console.h"
#include "navigation/dialog.h"

namespace lunarfix_test {

// A temporary directory that is the working directory while it lives.
class TempDir {
public:
    TempDir() {
        char buf[] = "/tmp/lunarfix_dialog_XXXXXX";
        const char* d = mkdtemp(buf);
        path_ = d ? d : "";
        char here[4096];
        old_ = getcwd(here, sizeof here) ? here : "/tmp";
        if (!path_.empty() && chdir(path_.c_str()) != 0) path_.clear();
    }
    ~TempDir() {
        if (chdir(old_.c_str()) != 0) return;
        if (path_.empty()) return;
        if (DIR* dir = opendir(path_.c_str())) {
            while (dirent* e = readdir(dir)) {
                std::string n = e->d_name;
                if (n == "." || n == "..") continue;
                std::string p = path_ + "/" + n;
                chmod(p.c_str(), 0644);
                std::remove(p.c_str());
            }
            closedir(dir);
        }
        chmod(path_.c_str(), 0755);
        rmdir(path_.c_str());
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    bool ok() const { return !path_.empty(); }

private:
    std::string path_;
    std::string old_;
};

inline bool file_exists(const char* name) {
    struct stat st;
    return stat(name, &st) == 0;
}

inline std::string read_file(const char* name) {
    std::ifstream f(name, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

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

// The script: one typed line per entry ("" is ENTER alone).
inline std::string script(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + "\n";
    return s;
}

inline std::vector<std::string> enters(int n) {
    return std::vector<std::string>(static_cast<std::size_t>(n), "");
}

inline std::vector<std::string> operator+(std::vector<std::string> a,
                                          const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct DialogRun {
    std::string out;          // transcript
    int status = -1;          // exit status
    lunarfix::RunState state;  // run state at the end
    int passes = 0, iterations = 0, fixes = 0, menu_reads = 0;
    bool ended = false;        // the input ran out
};

// Runs the dialog on the given input in the current working directory.
// `before` may prepare the dialog (e.g. set fields) before it starts.
inline DialogRun run_dialog(const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    lunarfix::set_console(&in, &out);
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
    r.out = out.str();
    lunarfix::readers().reset();
    return r;
}

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

// printf into a std::string.
template <typename... A>
std::string fmt(const char* f, A... a) {
    char buf[512];
    std::snprintf(buf, sizeof buf, f, a...);
    return buf;
}

}  // namespace lunarfix_test

#endif
