// The real program fed from a pipe: a short script ends the run at the end
// of input with status 1 and without hanging, and a full script runs to the
// stop answer and leaves both remembered-input files.  Then the program's
// files under hostile conditions: links planted at its file names and at
// the temporary name earlier versions used, FIFOs, a write-protected file,
// output that cannot be written, and several copies started at once.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "dialog_harness.h"

namespace {

using namespace lunarfix_test;
using Lines = std::vector<std::string>;

// Runs the program in the current directory with the script as standard
// input (through a pipe) and a time limit; returns its exit status, or -1
// when it did not exit normally (killed by the time limit: 124).  The
// output goes to transcript.txt unless `output` names another place.
int run_binary(const std::string& input, std::string* out,
               const char* output = "transcript.txt", int seconds = 120) {
    write_file("script.txt", input);
    std::string cmd = "cat script.txt | timeout " + std::to_string(seconds) +
                      " " + LUNARFIX_BINARY + " > " + output + " 2>&1";
    int st = std::system(cmd.c_str());
    *out = read_file("transcript.txt");
    if (st == -1 || !WIFEXITED(st)) return -1;
    return WEXITSTATUS(st);
}

// The answers of the default run up to the stop choice and the closing
// pause.
std::string stop_script() { return script(default_answers() + Lines{"9", ""}); }

bool is_link(const char* name) {
    struct stat st;
    return lstat(name, &st) == 0 && S_ISLNK(st.st_mode);
}

bool is_regular(const char* name) {
    struct stat st;
    return lstat(name, &st) == 0 && S_ISREG(st.st_mode);
}

// Links at the three file names followed by `suffix`: two to files kept in
// away/, the one of the Delta T file dangling (to away/new0.txt).
void plant_links(const std::string& suffix) {
    ASSERT_EQ(mkdir("away", 0755), 0);
    write_file("away/keep1.txt", "precious\n");
    write_file("away/keep2.txt", "precious\n");
    ASSERT_EQ(symlink("away/new0.txt", ("moondist0x0.txt" + suffix).c_str()),
              0);
    ASSERT_EQ(symlink("away/keep1.txt", ("moondist0x1.txt" + suffix).c_str()),
              0);
    ASSERT_EQ(symlink("away/keep2.txt", ("moondist0x2.txt" + suffix).c_str()),
              0);
}

// What the planted links point to stays as it was; nothing appears at the
// dangling one.
void expect_link_targets_untouched() {
    EXPECT_EQ(read_file("away/keep1.txt"), "precious\n");
    EXPECT_EQ(read_file("away/keep2.txt"), "precious\n");
    EXPECT_FALSE(file_exists("away/new0.txt"));
}

TEST(ProgramPipe, ShortScriptEndsAtEndOfInput) {
    for (const std::string& input :
         {std::string(""), std::string("\n"), std::string("\n\n\n2017 6 17\n"),
          std::string("1\nx\n\n\n2017 6 17\n3 0 0\n\n44 0\n")}) {
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        std::string out;
        EXPECT_EQ(run_binary(input, &out), 1) << input;
        EXPECT_TRUE(has(out, " !!! Input ended: the run stops here, nothing "
                             "more is saved.\n"))
            << input;
        EXPECT_EQ(count(out, "           --- END ---\n"), 1) << input;
        EXPECT_EQ(out.rfind(" >skip> \n", 0), 0u);
    }
}

TEST(ProgramPipe, InputEndingWithoutLineEnd) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    std::string out;
    // The last answer has no line end: it is still taken.
    EXPECT_EQ(run_binary("\n\n\n2017 6 17\n3 0 0\n\n33 5", &out), 1);
    EXPECT_TRUE(has(out, " Latitude:  33 deg  5.00' \n"));
    EXPECT_TRUE(has(out, "--- END ---"));
}

TEST(ProgramPipe, FullDefaultRunToStop) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    std::string out;
    EXPECT_EQ(run_binary(stop_script(), &out), 0);
    EXPECT_FALSE(has(out, "Input ended"));
    EXPECT_TRUE(has(out, "\n>> fixed: write moondist0x1.txt >> fixed: write "
                         "moondist0x2.txt  \n"));
    EXPECT_EQ(file_lines("moondist0x1.txt").size(), 10u);
    EXPECT_EQ(file_lines("moondist0x2.txt").size(), 9u);
    EXPECT_TRUE(file_exists("moondist0x0.txt"));
    EXPECT_EQ(file_lines("moondist0x1.txt")[9], "48.116667 1 ");
}

TEST(ProgramFiles, LinksAtTheTemporaryNamesAreNotWrittenThrough) {
    // Links planted where earlier versions put their temporary files: two to
    // files elsewhere, one dangling.  The files they point to stay as they
    // were and the dangling one makes nothing appear.
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    ASSERT_NO_FATAL_FAILURE(plant_links(".tmp"));
    std::string out;
    EXPECT_EQ(run_binary(stop_script(), &out), 0);
    expect_link_targets_untouched();
    EXPECT_TRUE(is_regular("moondist0x0.txt"));
    EXPECT_TRUE(is_regular("moondist0x1.txt"));
    EXPECT_EQ(file_lines("moondist0x1.txt").size(), 10u);
    EXPECT_TRUE(is_link("moondist0x1.txt.tmp"));
}

TEST(ProgramFiles, LinksAtTheFileNamesAreLeftAlone) {
    // A name that is a link is not a file of the program: it is neither read
    // nor replaced, and what it points to stays as it was.
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    ASSERT_NO_FATAL_FAILURE(plant_links(""));
    std::string out;
    EXPECT_EQ(run_binary(stop_script(), &out), 2);
    expect_link_targets_untouched();
    for (const char* name :
         {"moondist0x0.txt", "moondist0x1.txt", "moondist0x2.txt"})
        EXPECT_TRUE(is_link(name)) << name;
    EXPECT_TRUE(has(out, " ??? moondist0x0.txt can be neither created nor "
                         "read: Delta-T of the built-in model\n"));
    EXPECT_TRUE(has(out, unsaved_note("moondist0x1.txt")));
    EXPECT_FALSE(has(out, ">> fixed: write"));
    EXPECT_TRUE(has(out, " !!! not saved: moondist0x1.txt moondist0x2.txt\n"
                         "\n           --- END ---\n"));
}

TEST(ProgramFiles, FifoAtAnyNameNeverBlocks) {
    // A FIFO without a writer would hold a reader for ever.  Killed after
    // 30 s, a blocked run would end with 124.
    for (const char* name :
         {"moondist0x0.txt", "moondist0x1.txt", "moondist0x2.txt"}) {
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        ASSERT_EQ(mkfifo(name, 0644), 0);
        std::string out;
        const int status = run_binary(stop_script(), &out, "transcript.txt", 30);
        EXPECT_NE(status, 124) << name;
        struct stat st;
        ASSERT_EQ(lstat(name, &st), 0) << name;
        EXPECT_TRUE(S_ISFIFO(st.st_mode)) << name;
        EXPECT_TRUE(has(out, "--- END ---")) << name;
        if (std::string(name) == "moondist0x0.txt") {
            EXPECT_EQ(status, 0);
            EXPECT_TRUE(has(out, " ??? moondist0x0.txt can be neither "
                                 "created nor read"));
        } else {
            EXPECT_EQ(status, 2) << name;
            EXPECT_TRUE(has(out, unsaved_note(name))) << name;
            EXPECT_TRUE(has(out, std::string(" !!! not saved: ") + name +
                                     "\n"))
                << name;
        }
    }
}

TEST(ProgramFiles, ExitStatus) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    std::string out;
    // Every save made and every screen written: 0.
    EXPECT_EQ(run_binary(stop_script(), &out), 0);
    EXPECT_FALSE(has(out, "not saved"));
    // No input at all: 1.
    int st = std::system((std::string("timeout 60 ") + LUNARFIX_BINARY +
                          " < /dev/null > transcript.txt 2>&1").c_str());
    ASSERT_TRUE(st != -1 && WIFEXITED(st));
    EXPECT_EQ(WEXITSTATUS(st), 1);
    EXPECT_TRUE(has(read_file("transcript.txt"),
                    " !!! Input ended: the run stops here, nothing more is "
                    "saved.\n"));
    // Output that cannot be written: 2, and the run still goes to its end
    // (the files are written).
    std::remove("moondist0x1.txt");
    EXPECT_EQ(run_binary(stop_script(), &out, "/dev/full"), 2);
    EXPECT_EQ(file_lines("moondist0x1.txt").size(), 10u);
    // A write-protected remembered file (even for root): 2, the file and its
    // permissions kept, the closing screen names it.  Its note came with the
    // first write of the run, so the stop writes only the other file.
    write_file("moondist0x2.txt", "2000 1 1 \n");
    ASSERT_EQ(chmod("moondist0x2.txt", 0444), 0);
    EXPECT_EQ(run_binary(stop_script(), &out), 2);
    EXPECT_EQ(read_file("moondist0x2.txt"), "2000 1 1 \n");
    ASSERT_NO_FATAL_FAILURE(expect_mode("moondist0x2.txt", 0444u));
    EXPECT_TRUE(has(out, "\n>> fixed: write moondist0x1.txt  \n"));
    EXPECT_TRUE(has(out, " !!! not saved: moondist0x2.txt\n"));
}

TEST(ProgramFiles, ExitStatusInAReadOnlyDirectory) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write into a read-only directory";
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    write_file("script.txt", stop_script());
    write_file("transcript.txt", "");
    ASSERT_EQ(chmod(".", 0555), 0);
    int st = std::system((std::string("timeout 120 ") + LUNARFIX_BINARY +
                          " < script.txt > transcript.txt 2>&1").c_str());
    ASSERT_EQ(chmod(".", 0755), 0);
    ASSERT_TRUE(st != -1 && WIFEXITED(st));
    EXPECT_EQ(WEXITSTATUS(st), 2);
    const std::string out = read_file("transcript.txt");
    EXPECT_TRUE(has(out, " !!! not saved: moondist0x1.txt moondist0x2.txt\n"));
    EXPECT_FALSE(has(out, ">> fixed: write"));
}

TEST(ProgramFiles, LunarDistanceKeptWhenTheInputEnds) {
    // The measured lunar distance and side of an earlier stop survive a run
    // that ends by the end of input after the first sight.
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    write_file("moondist0x1.txt",
               "2017 6 17 \n3 57 14 \n44 46.990000 \n-17 -11.600000 \n"
               "2 33 \n24 14.000000 0 \n0.000000 1.830000 \n"
               "0.000000 180.000000 0.000000 \n16.100000 1026.400000 \n"
               "52.500000 -1 \n");
    std::string out;
    EXPECT_EQ(run_binary(std::string(13, '\n'), &out), 1);
    EXPECT_TRUE(has(out, " ### ENTER: 1=repeat 9=stop, or hit RETURN "));
    const std::vector<std::string> l = file_lines("moondist0x1.txt");
    ASSERT_EQ(l.size(), 10u);
    EXPECT_NE(l[7], "0.000000 180.000000 0.000000 ");  // the sight was saved
    EXPECT_EQ(l[9], "52.500000 -1 ");
}

TEST(ProgramFiles, CopiesStartedTogetherInAnEmptyDirectory) {
    // Eight copies at once, each creating the missing files: none may find
    // the Delta T file unusable or see it half written, and every copy ends
    // its run normally.
    std::string reference;
    {
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        std::string out;
        ASSERT_EQ(run_binary(stop_script(), &out), 0);
        reference = read_file("moondist0x0.txt");
    }
    ASSERT_FALSE(reference.empty());
    constexpr int kCopies = 8;
    constexpr int kRounds = 5;
    for (int round = 0; round < kRounds; ++round) {
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        write_file("script.txt", stop_script());
        std::string sh;
        for (int i = 0; i < kCopies; ++i)
            sh += std::string("(timeout 120 ") + LUNARFIX_BINARY +
                  " < script.txt > out" + std::to_string(i) +
                  ".txt 2>&1; echo $? > status" + std::to_string(i) +
                  ".txt) &\n";
        sh += "wait\n";
        write_file("copies.sh", sh);
        ASSERT_EQ(std::system("sh copies.sh"), 0);
        for (int i = 0; i < kCopies; ++i) {
            const std::string n = std::to_string(i);
            const std::string out = read_file(("out" + n + ".txt").c_str());
            EXPECT_FALSE(has(out, "neither created nor read")) << round;
            EXPECT_FALSE(has(out, "cannot be written")) << round;
            EXPECT_EQ(read_file(("status" + n + ".txt").c_str()), "0\n")
                << round;
        }
        EXPECT_EQ(read_file("moondist0x0.txt"), reference) << round;
        EXPECT_EQ(file_lines("moondist0x1.txt").size(), 10u) << round;
        EXPECT_EQ(std::system("ls | grep -q '[.]tmp$'"), 256) << round;
    }
}

}  // namespace
