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

}  // namespace
