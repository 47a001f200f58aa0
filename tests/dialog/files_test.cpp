// The program's files as a run finds them: the reset of the title screen
// beside names a save would not write, files that cannot be read or
// written (named once in a run), temporary files of saves that were cut
// short (swept at start, and not left by a signal).
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dialog_harness.h"

namespace {

using namespace lunarfix_test;
using Lines = std::vector<std::string>;
using ProgramFilesInRun = InTempDir;

// What a test puts at a name: '-' nothing, 'w' a plain file "keep\n", 'r'
// the same write protected (0444), 'u' the same unreadable (0200), 'l' a
// link to such a file, 'p' a FIFO, 'd' a directory.
void make_name(const char* name, char kind) {
    const bool file = kind == 'w' || kind == 'r' || kind == 'u';
    if (file) write_file(name, "keep\n");
    if (kind == 'r' || kind == 'u') {
        ASSERT_EQ(chmod(name, kind == 'r' ? 0444 : 0200), 0) << name;
    }
    if (kind == 'l') {
        write_file("away", "keep\n");
        ASSERT_EQ(symlink("away", name), 0) << name;
    }
    if (kind == 'p') {
        ASSERT_EQ(mkfifo(name, 0644), 0) << name;
    }
    if (kind == 'd') {
        ASSERT_EQ(mkdir(name, 0755), 0) << name;
    }
}

// The name still is what make_name put there, with its content.
void expect_name_kept(const char* name, char kind) {
    struct stat st;
    ASSERT_EQ(lstat(name, &st), 0) << name;
    const unsigned type = st.st_mode & S_IFMT;
    const unsigned want = kind == 'l' ? S_IFLNK : kind == 'p' ? S_IFIFO
                          : kind == 'd' ? S_IFDIR : S_IFREG;
    EXPECT_EQ(type, want) << name;
    if (kind == 'r' || kind == 'u') {
        EXPECT_EQ(st.st_mode & 07777, kind == 'r' ? 0444u : 0200u) << name;
        chmod(name, 0600);
        EXPECT_EQ(read_file(name), "keep\n") << name;
    }
    if (kind == 'l') {
        EXPECT_EQ(read_file("away"), "keep\n");
    }
}

TEST_F(ProgramFilesInRun, ResetRemovesOnlyWhatASaveWouldWrite) {
    // Kinds at moondist0x1.txt, 0x2 and 0x0 in one directory each.
    const char* const names[3] = {"moondist0x1.txt", "moondist0x2.txt",
                                  "moondist0x0.txt"};
    for (const char* kinds : {"rlp", "w-d"}) {
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        std::string said[3];
        for (int i = 0; i < 3; ++i) {
            ASSERT_NO_FATAL_FAILURE(make_name(names[i], kinds[i]));
            const char k = kinds[i];
            if (k == 'r')
                said[i] = fmt(" !!! file %s is WRITE PROTECTED, left as it is\n",
                              names[i]);
            if (k == 'l' || k == 'p' || k == 'd')
                said[i] = fmt(" !!! file %s is not a plain file, left as it is\n",
                              names[i]);
        }
        DialogRun r = run_dialog(script({"1", "2", ""}));
        EXPECT_TRUE(has(r.out, " OK, + RESETTiNG files 0x1 and 0x2.txt\n" +
                                   said[0] + said[1] +
                                   "  To RESET file 0x0 enter: '2' ) ==>"
                                   " OK, + RESETTiNG file 0x0.txt\n" +
                                   said[2] +
                                   "            ... hit ENTER to continue: \n"))
            << kinds << "\n" << r.out.substr(0, 2500);
        EXPECT_FALSE(has(r.out, "PROTECTED\n")) << kinds;
        for (int i = 0; i < 3; ++i) {
            if (kinds[i] == 'w' || kinds[i] == '-') continue;
            ASSERT_NO_FATAL_FAILURE(expect_name_kept(names[i], kinds[i]));
        }
        if (kinds[0] == 'w') {
            // Removed, and written from the defaults at its sight.
            EXPECT_EQ(read_file(names[0]), kDefaultFirst);
            EXPECT_FALSE(file_exists(names[1]));
        }
    }
}

TEST_F(ProgramFilesInRun, FileThatCannotBeUsedIsNamedOnceAndKept) {
    // A default run to the stop: the file is named by its first note and,
    // when it is a remembered-input file, by the closing line, and nowhere
    // else (the title names the Delta T table once).
    struct Case {
        const char* name;
        char kind;
        const char* note;
        int status;
    };
    const Case cases[] = {
        {"moondist0x1.txt", 'r',
         "\n !!! file moondist0x1.txt cannot be written: inputs not saved\n", 2},
        {"moondist0x1.txt", 'u',
         "\n !!! file moondist0x1.txt cannot be read: built-in defaults used, "
         "file kept\n", 2},
        {"moondist0x2.txt", 'p',
         "\n !!! file moondist0x2.txt cannot be written: inputs not saved\n", 2},
        {"moondist0x0.txt", 'd',
         " ??? moondist0x0.txt can be neither created nor read: Delta-T of the "
         "built-in model\n", 0},
    };
    for (const Case& c : cases) {
        if (c.kind == 'u' && geteuid() == 0) continue;  // root reads it
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        ASSERT_NO_FATAL_FAILURE(make_name(c.name, c.kind));
        DialogRun r = run_dialog(script(default_answers() + Lines{"9", ""}));
        EXPECT_EQ(r.status, c.status) << c.name << c.kind;
        EXPECT_EQ(count(r.out, c.note), 1) << c.name << c.kind;
        EXPECT_EQ(count(r.out, c.name), 2) << c.name << c.kind;
        if (c.status == 2) {
            EXPECT_TRUE(has(r.out, fmt(" !!! not saved: %s\n", c.name)));
        }
        EXPECT_TRUE(has(r.out, "POSITION has CONVERGED")) << c.name << c.kind;
        ASSERT_NO_FATAL_FAILURE(expect_name_kept(c.name, c.kind));
    }
}

// Sets the time of the last change of a name (not through a link) to
// `age` seconds ago.
void age_name(const char* name, long age) {
    timeval now;
    gettimeofday(&now, nullptr);
    timeval t[2] = {{now.tv_sec - age, 0}, {now.tv_sec - age, 0}};
    ASSERT_EQ(lutimes(name, t), 0) << name;
}

TEST_F(ProgramFilesInRun, StaleTemporaryFilesAreSweptAtStart) {
    struct Case {
        const char* name;
        char kind;  // 'w' plain file, 'l' link
        long age;   // seconds
        bool swept;
    };
    const Case cases[] = {
        {"moondist0x1.txt.Ab3dE9.tmp", 'w', 7200, true},
        {"moondist0x0.txt.ZZZZZZ.tmp", 'w', 3700, true},
        {"moondist0x2.txt.abcdef.tmp", 'w', 7200, true},
        {"moondist0x2.txt.abcdeg.tmp", 'w', 60, false},  // a save now
        {"moondist0x2.txt.abcde.tmp", 'w', 7200, false},
        {"moondist0x3.txt.abcdef.tmp", 'w', 7200, false},
        {"moondist0x1.txt.abcdef.tmp.x", 'w', 7200, false},
        {"moondist0x1.txt.abc-ef.tmp", 'w', 7200, false},
        {"xmoondist0x1.txt.abcdef.tmp", 'w', 7200, false},
        {"moondist0x1.txt.Qabcde.tmp", 'l', 7200, false},
    };
    for (const Case& c : cases) {
        ASSERT_NO_FATAL_FAILURE(make_name(c.name, c.kind));
        ASSERT_NO_FATAL_FAILURE(age_name(c.name, c.age));
    }
    ASSERT_NO_FATAL_FAILURE(age_name("away", 7200));
    run_dialog("");
    for (const Case& c : cases) {
        struct stat st;
        EXPECT_EQ(lstat(c.name, &st) != 0, c.swept) << c.name;
    }
    EXPECT_EQ(read_file("away"), "keep\n");
}

TEST(ProgramSignals, EndingSignalLeavesNoTemporaryFile) {
    // The real program killed at moments spread over a default run, most of
    // them inside the automatic passes, which save after every sight.
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    write_file("script.txt", script(default_answers() + Lines{"9", ""}));
    const int sigs[3] = {SIGTERM, SIGINT, SIGHUP};
    int killed = 0;
    for (int i = 0; i < 30; ++i) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            const int in = open("script.txt", O_RDONLY);
            const int out = open("/dev/null", O_WRONLY);
            if (in < 0 || out < 0) _exit(126);
            // Started as from a shell in the foreground, whatever this test
            // program was started to ignore.
            for (const int sig : sigs) signal(sig, SIG_DFL);
            dup2(in, 0);
            dup2(out, 1);
            execl(LUNARFIX_BINARY, LUNARFIX_BINARY, static_cast<char*>(nullptr));
            _exit(127);
        }
        usleep(static_cast<useconds_t>(5000 + 4000 * i));
        const int sig = sigs[i % 3];
        kill(pid, sig);
        int st = 0;
        ASSERT_EQ(waitpid(pid, &st, 0), pid);
        if (WIFSIGNALED(st)) {
            EXPECT_EQ(WTERMSIG(st), sig) << i;
            ++killed;
        } else {
            EXPECT_TRUE(WIFEXITED(st) && WEXITSTATUS(st) == 0) << i;
        }
        for (const auto& e : std::filesystem::directory_iterator(".")) {
            const std::string n = e.path().filename().string();
            EXPECT_EQ(n.find(".tmp"), std::string::npos) << i << " " << n;
            if (n.rfind("moondist0x", 0) == 0) std::filesystem::remove(e.path());
        }
    }
    EXPECT_GT(killed, 10);  // the moments did fall inside the runs
}

}  // namespace
