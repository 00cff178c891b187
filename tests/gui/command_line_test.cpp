// The window's --help and --version, and its one-line answer to arguments it does not know.
#include "app/command_line.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "dialogs/about_dialog.h"
#include "support/temp_dir.h"

namespace vellmora {
namespace {

using test::TempDir;

TEST(CommandLineTest, HelpAndVersionCountOnlyWhereAnOptionStands) {
    struct Case {
        std::vector<std::string> args;
        InfoRequest expected;
    };
    for (const Case& c : {
             Case{{}, InfoRequest::None},
             Case{{"--help"}, InfoRequest::Help},
             Case{{"--version"}, InfoRequest::Version},
             Case{{"--version", "--help"}, InfoRequest::Version},
             Case{{"--screenshots", "shots", "--help"}, InfoRequest::Help},
             Case{{"--bogus", "--version"}, InfoRequest::Version},
             // Values of options: a folder or map may be called that.
             Case{{"--screenshots", "--help"}, InfoRequest::None},
             Case{{"--screenshots", "shots", "--map", "--version"}, InfoRequest::None},
             Case{{"--help-me"}, InfoRequest::None},
         }) {
        std::string joined;
        for (const std::string& arg : c.args) {
            joined += arg + " ";
        }
        SCOPED_TRACE(joined);
        EXPECT_EQ(infoRequest(c.args), c.expected);
    }
}

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

RunResult runWindow(const std::string& arguments) {
    const char* folder = std::getenv("VELLMORA_PROGRAM_DIR");
    TempDir scratch;
    const std::string command = "'" + std::string(folder == nullptr ? "" : folder) + "/vellmora' " +
                                arguments + " >'" + scratch.file("out") + "' 2>'" +
                                scratch.file("err") + "'";
    RunResult result;
    const int status = std::system(command.c_str());
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = scratch.read("out");
    result.err = scratch.read("err");
    return result;
}

class WindowProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* folder = std::getenv("VELLMORA_PROGRAM_DIR");
        if (folder == nullptr || !std::filesystem::exists(std::string(folder) + "/vellmora")) {
            GTEST_SKIP() << "vellmora is not built";
        }
    }
};

TEST_F(WindowProgramTest, HelpAndVersionPrintAndExitWithoutAWindow) {
    const RunResult help = runWindow("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: vellmora ", 0), 0u) << help.out;
    EXPECT_TRUE(help.err.empty()) << help.err;

    // The same version as the about box shows.
    const RunResult version = runWindow("--screenshots shots --version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, std::string("vellmora ") + AboutDialog::kVersion + "\n");
    EXPECT_TRUE(version.err.empty()) << version.err;
}

TEST_F(WindowProgramTest, BadArgumentsGiveOneLineAndCodeTwo) {
    struct Case {
        std::string args;
        std::string named;  // a word the line must contain
    };
    for (const Case& c :
         {Case{"--bogus", "--bogus"}, Case{"-h", "-h"}, Case{"--screenshots", "--screenshots"},
          Case{"--screenshots shots --months many", "--months"},
          Case{"--map hinode", "--screenshots"}}) {
        SCOPED_TRACE(c.args);
        const RunResult run = runWindow(c.args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.empty()) << run.out;
        ASSERT_FALSE(run.err.empty());
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace vellmora
