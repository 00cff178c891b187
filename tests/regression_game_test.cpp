// Whole games on damaged data files: every input under tests/fixtures/regression/game/ once made
// the game misbehave (undefined arithmetic on values the readers accepted). Each is the game fuzz
// target's input: a byte choosing the data file, then the file. The sanitizer build catches what
// the game still does wrong with them; every build checks that the game starts and plays.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data/result_codes.h"
#include "fuzz/game_driver.h"

namespace vellmora {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

struct Fixture {
    const char* file;
    // What the damage was; newGame accepts each of these files.
    const char* why;
};

TEST(RegressionGameTest, GamesOnDamagedDataStartAndPlayOverAYearEnd) {
    const char* program = std::getenv("VELLMORA_PROGRAM_DIR");
    const char* source = std::getenv("VELLMORA_SOURCE_DIR");
    if (program == nullptr || source == nullptr) {
        GTEST_SKIP() << "run through ctest: needs VELLMORA_PROGRAM_DIR and VELLMORA_SOURCE_DIR";
    }
    fuzz::GameDriver driver{fs::path(program)};
    if (!driver.ready()) {
        GTEST_SKIP() << "the build wrote no data files into " << program;
    }
    const Fixture fixtures[] = {
        {"rate-points-int-max.bin", "rating points summed past int in a shop's modifiers"},
        {"rate-values-1e300.bin", "a deterioration weight that made a rating beyond int64"},
        {"ai-values-minus-1e300.bin", "a land price coefficient that overflowed a site value"},
        {"buildings-values-int-max.bin", "a chip page that overflowed the chip code"},
        {"map-reach-preference-int-max.bin", "a stored preference counted past int"},
    };
    const fs::path folder = fs::path(source) / "tests/fixtures/regression/game";
    for (const Fixture& fixture : fixtures) {
        SCOPED_TRACE(std::string(fixture.file) + ": " + fixture.why);
        const std::vector<std::uint8_t> input = readFile(folder / fixture.file);
        ASSERT_FALSE(input.empty());
        EXPECT_EQ(driver.run(input), kOk);
    }
}

}  // namespace
}  // namespace vellmora
