// The session at the top of README.md is the program's real output: the
// command shown there is run with the freshly built program, in an empty
// directory, and its output must equal the text printed below it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "dialog_harness.h"

namespace {

using namespace lunarfix_test;

TEST(ReadmeSession, ShownOutputIsWhatTheProgramPrints) {
    const std::string readme =
        read_file((std::string(LUNARFIX_SOURCE_DIR) + "/README.md").c_str());
    const std::string prompt = "\n$ ";
    const std::size_t at = readme.find(prompt);
    ASSERT_NE(at, std::string::npos) << "README.md shows no session";
    const std::size_t cmd_end = readme.find('\n', at + prompt.size());
    const std::size_t fence = readme.find("\n```", cmd_end);
    ASSERT_NE(cmd_end, std::string::npos);
    ASSERT_NE(fence, std::string::npos);
    std::string command = readme.substr(at + prompt.size(),
                                        cmd_end - at - prompt.size());
    const std::string shown = readme.substr(cmd_end + 1, fence - cmd_end);

    // The session calls the program by the path make builds it at; run the
    // one just built, by its absolute path, in an empty directory.
    const std::string name = "| build/lunarfix |";
    const std::size_t p = command.find(name);
    ASSERT_NE(p, std::string::npos) << command;
    command.replace(p, name.size(),
                    std::string("| timeout 120 ") + LUNARFIX_BINARY + " |");

    TempDir dir;
    ASSERT_TRUE(dir.ok());
    write_file("session.sh", command + " > session.txt\n");
    ASSERT_EQ(std::system("sh session.sh"), 0);
    EXPECT_EQ(read_file("session.txt"), shown);
    EXPECT_TRUE(file_exists("moondist0x1.txt"));
    EXPECT_EQ(file_lines("moondist0x1.txt").size(), 10u);
}

}  // namespace
