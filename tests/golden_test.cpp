// The shipped towns played to the end with vellmora-sim: every output must match the stored one
// in tests/fixtures/golden/<town>/, so that no change alters a game's course by accident. When a
// change is meant to alter results, tools/golden.py writes the files anew.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>

#include "support/sim_output.h"
#include "support/temp_dir.h"

namespace vellmora {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::withoutTimings;

struct GoldenCase {
    const char* player;
    int difficulty;
    int seed;
    int months;
};

constexpr GoldenCase kCases[] = {{"greedy", 2, 1, 120}, {"passive", 4, 2, 120}};
// The big town plays one short game: each of its months costs as much as a small town's game.
constexpr GoldenCase kBigTownCases[] = {{"greedy", 2, 1, 24}};

struct GoldenTown {
    const char* name;
    std::span<const GoldenCase> cases;
};

// tools/golden.py writes the same towns and cases.
constexpr GoldenTown kTowns[] = {{"hinode", kCases},
                                 {"ekimae", kCases},
                                 {"kawabe", kCases},
                                 {"oomachi", kCases},
                                 {"shinkawa", kBigTownCases}};

std::string caseName(const GoldenCase& c) {
    return std::string(c.player) + "-d" + std::to_string(c.difficulty) + "-s" +
           std::to_string(c.seed) + "-m" + std::to_string(c.months);
}

TEST(GoldenTest, ShippedTownsPlayAsStored) {
    const char* program = std::getenv("VELLMORA_PROGRAM_DIR");
    const char* source = std::getenv("VELLMORA_SOURCE_DIR");
    if (program == nullptr || source == nullptr) {
        GTEST_SKIP() << "run through ctest: needs VELLMORA_PROGRAM_DIR and VELLMORA_SOURCE_DIR";
    }
    const fs::path sim = fs::path(program) / "vellmora-sim";
    if (!fs::exists(sim) || !fs::exists(fs::path(program) / "map")) {
        GTEST_SKIP() << "vellmora-sim or the shipped maps are not built";
    }
    const fs::path stored = fs::path(source) / "tests/fixtures/golden";
    TempDir scratch;
    for (const GoldenTown& golden : kTowns) {
        const char* town = golden.name;
        for (const GoldenCase& c : golden.cases) {
            const std::string name = caseName(c);
            SCOPED_TRACE(std::string(town) + "/" + name);
            const std::string expected =
                TempDir::readFile((stored / town / (name + ".txt")).string());
            ASSERT_FALSE(expected.empty());
            const std::string command = "'" + sim.string() + "' --map " + town + " --player " +
                                        c.player + " --difficulty " + std::to_string(c.difficulty) +
                                        " --seed " + std::to_string(c.seed) + " --months " +
                                        std::to_string(c.months) + " >'" + scratch.file("out") +
                                        "'";
            const int status = std::system(command.c_str());
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
            EXPECT_EQ(withoutTimings(scratch.read("out")), expected);
        }
    }
}

}  // namespace
}  // namespace vellmora
