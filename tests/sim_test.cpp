// The headless simulator as a program: options, repeatable output, victory files and errors.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "data/result_codes.h"
#include "data/score_book.h"
#include "data/score_record.h"
#include "data/version.h"
#include "support/game_fixture.h"
#include "support/sim_output.h"
#include "support/temp_dir.h"

namespace vellmora {
namespace {

using test::GameFixture;
using test::GameFixtureOptions;
using test::TempDir;
using test::withoutTimings;

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string simPath() {
    const char* folder = std::getenv("VELLMORA_PROGRAM_DIR");
    return folder == nullptr ? std::string() : std::string(folder) + "/vellmora-sim";
}

RunResult runSim(const std::string& arguments) {
    TempDir scratch;
    const std::string command = "'" + simPath() + "' " + arguments + " >'" + scratch.file("out") +
                                "' 2>'" + scratch.file("err") + "'";
    RunResult result;
    const int status = std::system(command.c_str());
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = scratch.read("out");
    result.err = scratch.read("err");
    return result;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

class SimTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(simPath())) {
            GTEST_SKIP() << "vellmora-sim is not built";
        }
    }
};

TEST_F(SimTest, SameSeedGivesTheSameOutput) {
    GameFixtureOptions options;
    options.poisoning = {0.05, 0.05, 0.05, 0.05, 0.05};
    GameFixture fixture(options);
    const std::string args =
        "--data '" + fixture.folder() + "' --map town --seed 77 --months 30 --games 2";
    const RunResult first = runSim(args);
    ASSERT_EQ(first.exitCode, 0) << first.err;
    const RunResult second = runSim(args);
    EXPECT_EQ(withoutTimings(first.out), withoutTimings(second.out));

    const std::vector<std::string> out = lines(first.out);
    ASSERT_GE(out.size(), 3u);
    // Yearly lines, then each game's JSON line in seed order, then the summary.
    EXPECT_EQ(out[0].rfind("date=201 firm0[", 0), 0u) << out[0];
    std::vector<std::string> json;
    for (const std::string& line : out) {
        if (line.rfind("{", 0) == 0) {
            json.push_back(line);
        }
    }
    ASSERT_EQ(json.size(), 3u);
    EXPECT_NE(json[0].find("\"seed\": 77,"), std::string::npos) << json[0];
    EXPECT_EQ(out.back(), json[2]);
    EXPECT_EQ(json[2].rfind("{\"games\": 2, ", 0), 0u) << json[2];
    const bool secondGameSeed = json[1].find("\"seed\": 78,") != std::string::npos;
    EXPECT_TRUE(secondGameSeed);
}

TEST_F(SimTest, VictoryEndsTheGameAndWritesNoScoreFileUnlessAsked) {
    GameFixtureOptions options;
    options.capital[2] = 0;  // computer companies cannot build and leave after one month
    GameFixture fixture(options);
    const std::string args =
        "--data '" + fixture.folder() + "' --map town --seed 1 --competitors 2 --player passive";
    const RunResult run = runSim(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), 1u);
    const std::string& json = out[0];
    EXPECT_NE(json.find("\"outcome\": \"victory\", \"end_date\": 102"), std::string::npos) << json;
    EXPECT_NE(json.find("\"months_played\": 1,"), std::string::npos) << json;
    EXPECT_NE(json.find("{\"slot\": 3, \"cash\": 0, \"shops\": 0, \"withdrawn\": true, "
                        "\"withdrawn_date\": null}"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"withdrawn\": true, \"withdrawn_date\": 101}"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(fixture.dir().file("zrf")));

    // With --scores the win goes into that folder, dated by the simulator's fixed clock
    // (seed 1: one second after midnight, 1 January 1970).
    TempDir scores;
    const RunResult kept = runSim(args + " --scores '" + scores.file("wins") + "'");
    ASSERT_EQ(kept.exitCode, 0) << kept.err;
    EXPECT_TRUE(kept.err.empty()) << kept.err;
    EXPECT_EQ(withoutTimings(kept.out), withoutTimings(run.out));
    EXPECT_FALSE(std::filesystem::exists(fixture.dir().file("zrf")));
    ScoreBook book;
    book.configure(scores.file("wins"));
    ASSERT_EQ(book.openList("town"), kOk);
    const ScoreRecord* record = book.findList("town")->record(0, 2);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->realDate(), 700101);
    EXPECT_EQ(record->realTime(), 0);
    EXPECT_EQ(record->gameDate(), 10200);
    EXPECT_EQ(record->competitors(), 2);
}

TEST_F(SimTest, ScoreFileThatCannotBeReadIsReportedOnStandardError) {
    GameFixtureOptions options;
    options.capital[2] = 0;
    GameFixture fixture(options);
    TempDir scores;
    std::filesystem::create_directories(scores.file("town.zrf"));  // in the way of the file
    const RunResult run = runSim("--data '" + fixture.folder() +
                                 "' --map town --seed 1 --competitors 2 --player passive" +
                                 " --scores '" + scores.path().string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\"outcome\": \"victory\""), std::string::npos) << run.out;
    const std::vector<std::string> err = lines(run.err);
    ASSERT_EQ(err.size(), 1u) << run.err;
    EXPECT_NE(err[0].find(scores.file("town.zrf")), std::string::npos) << err[0];
    EXPECT_NE(err[0].find("cannot be read"), std::string::npos) << err[0];
    EXPECT_TRUE(std::filesystem::is_directory(scores.file("town.zrf")));
}

// The JSON line without the figure that counts only the run's own months.
std::string withoutRunFigures(std::string json) {
    const std::string key = "\"months_played\": ";
    const std::size_t at = json.find(key);
    if (at != std::string::npos) {
        json.erase(at, json.find(',', at) + 2 - at);
    }
    return withoutTimings(json);
}

int monthsPlayed(const std::string& json) {
    const std::string key = "\"months_played\": ";
    const std::size_t at = json.find(key);
    return at == std::string::npos ? -1 : std::atoi(json.c_str() + at + key.size());
}

TEST_F(SimTest, SavedAndResumedRunPlaysOnLikeOneRun) {
    GameFixtureOptions options;
    options.poisoning = {0.05, 0.05, 0.05, 0.05, 0.05};
    GameFixture fixture(options);
    const std::string data = "--data '" + fixture.folder() + "' ";
    const std::string saved = fixture.dir().file("run.sav");
    const RunResult whole = runSim(data + "--map town --seed 41 --months 40");
    const RunResult first =
        runSim(data + "--map town --seed 41 --months 15 --save '" + saved + "'");
    const RunResult rest = runSim(data + "--seed 41 --months 25 --load '" + saved + "'");
    ASSERT_EQ(whole.exitCode, 0) << whole.err;
    ASSERT_EQ(first.exitCode, 0) << first.err;
    ASSERT_EQ(rest.exitCode, 0) << rest.err;

    const std::vector<std::string> all = lines(whole.out);
    const std::vector<std::string> before = lines(first.out);
    const std::vector<std::string> after = lines(rest.out);
    ASSERT_EQ(before.size() + after.size() - 2, all.size() - 1);
    for (std::size_t i = 0; i + 1 < after.size(); ++i) {
        EXPECT_EQ(after[i], all[before.size() - 1 + i]);
    }
    EXPECT_EQ(monthsPlayed(after.back()), monthsPlayed(all.back()) - 15);
    EXPECT_EQ(withoutRunFigures(after.back()), withoutRunFigures(all.back()));
}

TEST_F(SimTest, RefusedGameFileOrConflictingOptionsExitWithCodeTwo) {
    GameFixture fixture;
    const std::string data = "--data '" + fixture.folder() + "' ";
    const std::string saved = fixture.dir().file("run.sav");
    ASSERT_EQ(runSim(data + "--map town --seed 3 --months 2 --save '" + saved + "'").exitCode, 0);
    const std::string whole = TempDir::readFile(saved);
    const std::string damaged =
        fixture.dir().write("damaged.sav", whole.substr(0, whole.size() / 2));
    const std::string foreign = fixture.dir().write("foreign.sav", "not a game");
    struct Case {
        std::string args;
        std::string named;
    };
    for (const Case& c : {Case{"--load '" + saved + "' --map town", "--map"},
                          Case{"--load '" + saved + "' --difficulty 1", "--difficulty"},
                          Case{"--load '" + saved + "' --competitors 2", "--competitors"},
                          Case{"--load '" + saved + "' --games 2", "--games"},
                          Case{"--load '" + damaged + "'", "truncated"},
                          Case{"--load '" + foreign + "'", "not a game file"},
                          Case{"--load '" + fixture.dir().file("none.sav") + "'", "none.sav"},
                          Case{"--load", "--load"}}) {
        SCOPED_TRACE(c.args);
        const RunResult run = runSim(data + c.args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.empty());
        const std::vector<std::string> err = lines(run.err);
        ASSERT_EQ(err.size(), 1u);
        EXPECT_NE(err[0].find(c.named), std::string::npos) << err[0];
    }
    // A data file changed since the save is named.
    fixture.dir().write("zdt/price.txt",
                        TempDir::readFile(fixture.dir().file("zdt/price.txt")) + "\r\n");
    const RunResult changed = runSim(data + "--load '" + saved + "'");
    EXPECT_EQ(changed.exitCode, 2);
    EXPECT_NE(changed.err.find("data file changed since the save: zdt/price.txt"),
              std::string::npos)
        << changed.err;
}

TEST_F(SimTest, BenchTimesTheFixedGameOnEachTown) {
    GameFixture fixture;
    const RunResult run = runSim("--data '" + fixture.folder() + "' --bench");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> out = lines(run.out);
    // A header, one row per town, then the same as JSON.
    ASSERT_EQ(out.size(), 3u) << run.out;
    EXPECT_EQ(out[0].rfind("town", 0), 0u) << out[0];
    EXPECT_EQ(out[1].rfind("town ", 0), 0u) << out[1];
    EXPECT_NE(out[1].find("10x8"), std::string::npos) << out[1];
    const std::string& json = out[2];
    EXPECT_EQ(json.rfind("{\"bench\": {\"seed\": 1, \"months\": 120, \"player\": \"greedy\"}, "
                         "\"towns\": [{\"map\": \"town\", \"width\": 10, \"height\": 8, ",
                         0),
              0u)
        << json;
    for (const char* key : {"\"load_ms\": ", "\"peak_mb\": ", "\"turn_mean_ms\": ",
                            "\"turn_p95_ms\": ", "\"turn_max_ms\": ", "\"shops\": "}) {
        EXPECT_NE(json.find(key), std::string::npos) << key;
    }
}

TEST_F(SimTest, BadArgumentsAndDataExitWithCodeTwo) {
    GameFixture fixture;
    GameFixtureOptions broken;
    broken.mapVersion = 9999;
    GameFixture brokenMap(broken);
    GameFixtureOptions huge;
    huge.width = 300;
    huge.height = 2;
    GameFixture hugeMap(huge);
    TempDir empty;
    const std::string data = "--data '" + fixture.folder() + "' ";
    struct Case {
        std::string args;
        std::string named;  // a word the error line must contain
    };
    for (const Case& c :
         {Case{data + "--difficulty 5", "--difficulty"},
          Case{data + "--competitors 0", "--competitors"}, Case{data + "--months many", "--months"},
          Case{data + "--player clever", "--player"}, Case{data + "--games 0", "--games"},
          Case{data + "--seed", "--seed"}, Case{data + "--colour blue", "--colour"},
          Case{data + "--scores ''", "--scores"}, Case{data + "--map nowhere", "nowhere"},
          Case{"--data '" + empty.path().string() + "'", "base.zdt"},
          Case{"--data '" + brokenMap.folder() + "' --map town", "town"},
          Case{"--data '" + hugeMap.folder() + "' --map town",
               "300 x 2 tiles; the largest town is 256 x 256"}}) {
        SCOPED_TRACE(c.args);
        const RunResult run = runSim(c.args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.empty());
        const std::vector<std::string> err = lines(run.err);
        ASSERT_EQ(err.size(), 1u);
        EXPECT_NE(err[0].find(c.named), std::string::npos) << err[0];
    }
}

TEST_F(SimTest, HelpAndVersionPrintAndPlayNothing) {
    const RunResult help = runSim("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: vellmora-sim ", 0), 0u) << help.out;
    EXPECT_TRUE(help.err.empty()) << help.err;

    // Options before it are read (and may be wrong); those after it are not.
    struct Case {
        std::string args;
        int exitCode;
    };
    for (const Case& c : {Case{"--version", 0}, Case{"--months 12 --version", 0},
                          Case{"--version --months many", 0}, Case{"--months many --version", 2},
                          Case{"--seed --version", 2}}) {
        SCOPED_TRACE(c.args);
        const RunResult run = runSim(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        if (c.exitCode == 0) {
            EXPECT_EQ(run.out, std::string("vellmora-sim ") + versionString() + "\n");
            EXPECT_TRUE(run.err.empty()) << run.err;
        } else {
            EXPECT_TRUE(run.out.empty()) << run.out;
            EXPECT_EQ(lines(run.err).size(), 1u) << run.err;
        }
    }
}

}  // namespace
}  // namespace vellmora
