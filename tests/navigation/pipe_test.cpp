// The real program fed from a pipe: a short script ends the run at the end
// of input with status 0 and without hanging, and a full script runs to the
// stop answer and leaves both remembered-input files.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "dialog_harness.h"

namespace {

using namespace lunarfix_test;

// Runs the program in the current directory with the script as standard
// input (through a pipe) and a time limit; returns its exit status, or -1
// when it did not exit normally (killed by the time limit: 124).
int run_binary(const std::string& input, std::string* out) {
    write_file("script.txt", input);
    std::string cmd = std::string("cat script.txt | timeout 120 ") +
                      LUNARFIX_BINARY + " > transcript.txt 2>&1";
    int st = std::system(cmd.c_str());
    *out = read_file("transcript.txt");
    if (st == -1 || !WIFEXITED(st)) return -1;
    return WEXITSTATUS(st);
}

TEST(ProgramPipe, ShortScriptEndsAtEndOfInput) {
    for (const std::string& input :
         {std::string(""), std::string("\n"), std::string("\n\n\n2017 6 17\n"),
          std::string("1\nx\n\n\n2017 6 17\n3 0 0\n\n44 0\n")}) {
        TempDir dir;
        ASSERT_TRUE(dir.ok());
        std::string out;
        EXPECT_EQ(run_binary(input, &out), 0) << input;
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
    EXPECT_EQ(run_binary("\n\n\n2017 6 17\n3 0 0\n\n91 0", &out), 0);
    EXPECT_TRUE(has(out, "!!! ERROR, Latitude=91.000000\n"));
    EXPECT_TRUE(has(out, "--- END ---"));
}

TEST(ProgramPipe, FullDefaultRunToStop) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    std::string input(22, '\n');
    input += "9\n\n";
    std::string out;
    EXPECT_EQ(run_binary(input, &out), 0);
    EXPECT_FALSE(has(out, "Input ended"));
    EXPECT_TRUE(has(out, "\n>> fixed: write moondist0x1.txt >> fixed: write "
                         "moondist0x2.txt  \n"));
    EXPECT_EQ(file_lines("moondist0x1.txt").size(), 10u);
    EXPECT_EQ(file_lines("moondist0x2.txt").size(), 9u);
    EXPECT_TRUE(file_exists("moondist0x0.txt"));
    EXPECT_EQ(file_lines("moondist0x1.txt")[9], "48.116667 1 ");
}

}  // namespace
