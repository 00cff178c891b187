// The game file: a game saved and resumed plays on exactly like the game never saved, and every
// refused file leaves the running game as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "data/byte_stream.h"
#include "data/clock.h"
#include "data/result_codes.h"
#include "game/calendar.h"
#include "game/finance.h"
#include "game/firm.h"
#include "game/firm_history.h"
#include "game/game.h"
#include "game/game_file.h"
#include "game/money_convert.h"
#include "game/monthly_report.h"
#include "game/random.h"
#include "support/game_fixture.h"
#include "support/temp_dir.h"
#include "tools/sim/greedy_player.h"

namespace vellmora {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

constexpr std::int64_t kClockSeconds = 1'700'000'000;

std::string programDir() {
    const char* dir = std::getenv("VELLMORA_PROGRAM_DIR");
    return dir == nullptr ? std::string() : std::string(dir);
}

// The shipped data copied into a private folder, so that wins write their score files there.
class ShippedData {
public:
    ShippedData() {
        const fs::path from(programDir());
        std::error_code error;
        for (const char* part : {"zdt", "map", "acc.dat"}) {
            fs::copy(from / part, dir_.path() / part, fs::copy_options::recursive, error);
            if (error) {
                return;
            }
        }
        ready_ = true;
    }
    bool ready() const { return ready_; }
    std::string folder() const { return dir_.path().string() + "/"; }
    std::string map(const std::string& town) const { return dir_.file("map/" + town + ".zmf"); }
    const TempDir& dir() const { return dir_; }

private:
    TempDir dir_;
    bool ready_ = false;
};

// One game with the simulator's player strategy. The greedy player's planner reseeds the shared
// generator when it is made; a resumed game keeps the saved sequence instead.
class Session {
public:
    Session(const std::string& folder, std::int64_t seed)
        : clock_(kClockSeconds + seed, dateTimeOf(kClockSeconds + seed, TimeZone::Utc)),
          useClock_(clock_),
          game_(folder) {}

    bool start(const std::string& mapPath, bool greedy) {
        NewGameSetup setup;
        setup.mapPath = mapPath;
        setup.playerName = "player";
        setup.companyName = "company";
        if (game_.newGame(setup) != kOk) {
            return false;
        }
        if (greedy) {
            player_ = std::make_unique<sim::GreedyPlayer>(game_);
        }
        return true;
    }

    int resume(const std::string& path, bool greedy) {
        const int result = game_.loadGame(path);
        if (result == kOk && greedy) {
            const std::uint32_t random = rng::state();
            player_ = std::make_unique<sim::GreedyPlayer>(game_);
            rng::setState(random);
        }
        return result;
    }

    // Plays up to `months` months; answers one line per month with the flags and each firm's
    // cash, shops and customers.
    std::string play(int months) {
        std::string transcript;
        for (int month = 0; month < months && !game_.finished(); ++month) {
            if (player_ != nullptr) {
                player_->play();
            }
            transcript += std::to_string(game_.endTurn());
            for (int slot = 0; slot < kFirmSlots; ++slot) {
                const Firm* firm = game_.firm(slot);
                transcript += " " + std::to_string(firm->cash()) + "/" +
                              std::to_string(firm->shopCount()) + "/" +
                              std::to_string(firm->customers());
            }
            transcript += "\n";
        }
        return transcript;
    }

    Game& game() { return game_; }

    // Every firm's month-end history, slot by slot.
    std::vector<std::vector<FirmHistoryEntry>> histories() const {
        std::vector<std::vector<FirmHistoryEntry>> all;
        for (int slot = 0; slot < kFirmSlots; ++slot) {
            all.push_back(game_.firm(slot)->history().entries());
        }
        return all;
    }

private:
    FixedClock clock_;
    ScopedClock useClock_;
    Game game_;
    std::unique_ptr<sim::GreedyPlayer> player_;
};

struct RoundTrip {
    const char* town;
    bool greedy;
    std::int64_t seed;
};

class GameFileRoundTripTest : public ::testing::TestWithParam<RoundTrip> {};

// Saved at month 13, the game and its resumed copy play 60 more months: the same months, and at
// the end the same books, market, month-end history and generator (their game files are byte
// for byte the same).
TEST_P(GameFileRoundTripTest, ResumedGamePlaysOnExactlyLikeTheOriginal) {
    const RoundTrip& trip = GetParam();
    ShippedData data;
    if (!data.ready() || !fs::exists(data.map(trip.town))) {
        GTEST_SKIP() << "the program folder has no data (" << programDir() << ")";
    }
    const std::string saved = data.dir().file("month13.sav");
    std::string original;
    std::vector<std::vector<FirmHistoryEntry>> savedHistories;
    std::vector<std::vector<FirmHistoryEntry>> originalHistories;
    {
        Session session(data.folder(), trip.seed);
        ASSERT_TRUE(session.start(data.map(trip.town), trip.greedy));
        (void)session.play(13);
        ASSERT_FALSE(session.game().finished()) << "pick a seed that plays past month 13";
        ASSERT_EQ(session.game().saveGame(saved), kOk) << session.game().fileError();
        savedHistories = session.histories();
        original = session.play(60);
        originalHistories = session.histories();
        ASSERT_EQ(session.game().saveGame(data.dir().file("end-a.sav")), kOk);
    }
    ASSERT_EQ(savedHistories[0].size(), 13u);
    Session resumed(data.folder(), trip.seed + 1000);  // another clock: nothing may read it
    ASSERT_EQ(resumed.resume(saved, trip.greedy), kOk) << resumed.game().fileError();
    EXPECT_EQ(resumed.game().calendar()->monthsPlayed(), 13);
    EXPECT_TRUE(resumed.histories() == savedHistories) << "the month-end history changed";
    EXPECT_EQ(resumed.play(60), original);
    EXPECT_TRUE(resumed.histories() == originalHistories)
        << "the month-end history differs after 60 months";
    ASSERT_EQ(resumed.game().saveGame(data.dir().file("end-b.sav")), kOk);
    EXPECT_TRUE(TempDir::readFile(data.dir().file("end-a.sav")) ==
                TempDir::readFile(data.dir().file("end-b.sav")))
        << "the books, market or generator differ after 60 months";
}

INSTANTIATE_TEST_SUITE_P(
    ShippedTowns, GameFileRoundTripTest,
    ::testing::Values(RoundTrip{"hinode", false, 1}, RoundTrip{"hinode", true, 2},
                      RoundTrip{"ekimae", false, 3}, RoundTrip{"ekimae", true, 4},
                      RoundTrip{"kawabe", false, 5}, RoundTrip{"kawabe", true, 6},
                      RoundTrip{"oomachi", false, 7}, RoundTrip{"oomachi", true, 9}),
    [](const ::testing::TestParamInfo<RoundTrip>& info) {
        return std::string(info.param.town) + (info.param.greedy ? "Greedy" : "Passive");
    });

// A small running game on the fixture's data, and a file saved from it.
class GameFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        NewGameSetup setup;
        setup.mapPath = fixture_.mapPath();
        setup.playerName = "player";
        setup.companyName = "company";
        ASSERT_EQ(game_.newGame(setup), kOk);
        ASSERT_GE(game_.buildShop(2, 2, 1), 0);
        ASSERT_GE(game_.borrow(), 0);
        for (int month = 0; month < 14; ++month) {
            (void)game_.endTurn();
        }
        saved_ = fixture_.dir().file("game.sav");
        ASSERT_EQ(game_.saveGame(saved_), kOk) << game_.fileError();
        bytes_ = fileBytes(saved_);
    }

    static std::vector<std::uint8_t> fileBytes(const std::string& path) {
        const std::string text = TempDir::readFile(path);
        return std::vector<std::uint8_t>(text.begin(), text.end());
    }

    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        return fixture_.dir().write(
            name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }

    // The running game as a file: what a refused load must leave unchanged.
    std::vector<std::uint8_t> snapshot() {
        const std::string path = fixture_.dir().file("snapshot.sav");
        EXPECT_EQ(game_.saveGame(path), kOk);
        return fileBytes(path);
    }

    test::GameFixture fixture_;
    FixedClock clock_{kClockSeconds, dateTimeOf(kClockSeconds, TimeZone::Utc)};
    ScopedClock useClock_{clock_};
    Game game_{fixture_.folder()};
    std::string saved_;
    std::vector<std::uint8_t> bytes_;
};

TEST_F(GameFileTest, LoadedGameHasTheSavedStateAndSavesTheSameFile) {
    Game other(fixture_.folder());
    ASSERT_EQ(other.loadGame(saved_), kOk) << other.fileError();
    EXPECT_TRUE(other.running());
    EXPECT_FALSE(other.finished());
    EXPECT_EQ(other.mapName(), "town");
    EXPECT_EQ(other.calendar()->monthsPlayed(), 14);
    EXPECT_EQ(other.player()->name(), "company");
    EXPECT_EQ(other.player()->cash(), game_.player()->cash());
    EXPECT_EQ(other.player()->finance().loans().loanCount(), 1);
    EXPECT_EQ(other.player()->shopCount(), 1);
    EXPECT_EQ(other.player()->finance().ledger().closings().size(), 1u);
    EXPECT_EQ(other.player()->history().count(), 14);
    for (int slot = 0; slot < kFirmSlots; ++slot) {
        EXPECT_TRUE(other.firm(slot)->history().entries() == game_.firm(slot)->history().entries())
            << "slot " << slot;
    }
    EXPECT_EQ(other.fileError(), "");
    const std::string again = fixture_.dir().file("again.sav");
    ASSERT_EQ(other.saveGame(again), kOk);
    EXPECT_EQ(fileBytes(again), bytes_);
}

struct Refusal {
    const char* name;
    int code;
    const char* reason;
    // Changes the saved bytes into the refused file.
    void (*damage)(std::vector<std::uint8_t>& bytes);
};

std::uint32_t le32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
    }
    return value;
}

void putLe32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// Where the first byte of a section's contents lies.
std::size_t sectionAt(const std::vector<std::uint8_t>& bytes, std::size_t section) {
    std::size_t at = kGameFileHeadBytes;
    for (std::size_t i = 0; i < section; ++i) {
        at += kGameFileSectionHeadBytes + le32(bytes, at + 4);
    }
    return at + kGameFileSectionHeadBytes;
}

TEST_F(GameFileTest, RefusedFilesNameTheReasonAndChangeNothing) {
    const std::vector<Refusal> refusals = {
        {"empty file", kGameFileForeign, "not a game file", [](auto& b) { b.clear(); }},
        {"another format", kGameFileForeign, "not a game file", [](auto& b) { b[0] = 'Q'; }},
        {"version 2", kGameFileVersionUnknown, "unknown game file version 2",
         [](auto& b) { putLe32(b, 16, 2); }},
        {"cut short", kGameFileDamaged, "the file is truncated",
         [](auto& b) { b.resize(b.size() / 2); }},
        {"cut after the header", kGameFileDamaged, "the file is truncated",
         [](auto& b) { b.resize(20); }},
        {"bytes appended", kGameFileDamaged, "the file has bytes after its end",
         [](auto& b) { b.push_back(0); }},
        {"one bit flipped", kGameFileDamaged, "the file is damaged (checksum mismatch)",
         [](auto& b) { b[b.size() / 2] ^= 0x10; }},
        {"a section missing", kGameFileDamaged, "the file has 8 sections instead of 9",
         [](auto& b) {
             putLe32(b, 24, 8);
             sealGameFile(b);
         }},
        {"a section longer than the file", kGameFileDamaged,
         "section 'data' runs past the end of the file",
         [](auto& b) {
             putLe32(b, kGameFileHeadBytes + 4, 0xFFFFFFF0u);
             sealGameFile(b);
         }},
        {"a game without a map", kGameFileDamaged, "section 'game' is damaged",
         [](auto& b) {
             // The section ends with the map's name, "town" after its length.
             const std::size_t start = sectionAt(b, 1);
             const std::uint32_t length = le32(b, start - 4);
             const std::size_t end = start + length;
             ASSERT_EQ(std::string(b.begin() + static_cast<std::ptrdiff_t>(end - 4),
                                   b.begin() + static_cast<std::ptrdiff_t>(end)),
                       "town");
             b.erase(b.begin() + static_cast<std::ptrdiff_t>(end - 4),
                     b.begin() + static_cast<std::ptrdiff_t>(end));
             b[end - 5] = 0;
             putLe32(b, start - 4, length - 4);
             sealGameFile(b);
         }},
        {"town wider than its tiles", kGameFileDamaged, "section 'town' is damaged",
         [](auto& b) {
             // The width (10, coded 20) is the section's first value: 63 columns, 10 x 8 tiles.
             b[sectionAt(b, 2)] = 126;
             sealGameFile(b);
         }},
        {"market grid value out of range", kGameFileDamaged, "section 'mrkt' is damaged",
         [](auto& b) {
             // Slot count, present flag, distance count, first distance (-1 is coded 1).
             const std::size_t at = sectionAt(b, 3) + 3;
             b[at] = 0x7F;  // distance -64
             sealGameFile(b);
         }},
        {"player firm in another slot", kGameFileDamaged, "section 'frm0' is damaged",
         [](auto& b) {
             b[sectionAt(b, 4)] = 2;  // index 1
             sealGameFile(b);
         }},
    };
    const std::vector<std::uint8_t> before = snapshot();
    for (const Refusal& refusal : refusals) {
        std::vector<std::uint8_t> bytes = bytes_;
        refusal.damage(bytes);
        const std::string path = write("damaged.sav", bytes);
        const std::uint32_t random = rng::state();
        EXPECT_EQ(game_.loadGame(path), refusal.code) << refusal.name;
        EXPECT_EQ(game_.fileError(), refusal.reason) << refusal.name;
        EXPECT_EQ(rng::state(), random) << refusal.name;
        EXPECT_EQ(snapshot(), before) << refusal.name;
    }
}

// A month-end history written as given: the count, then each entry.
struct HistoryClaim {
    const char* name;
    std::uint64_t count;
    std::vector<FirmHistoryEntry> entries;
};

// The player's history closes section frm0: swaps it for the claim's, in a resealed file.
std::vector<std::uint8_t> withPlayerHistory(const std::vector<std::uint8_t>& file,
                                            const FirmHistory& saved, const HistoryClaim& claim) {
    ByteWriter old;
    saved.saveState(old);
    ByteWriter replacement;
    replacement.varint(claim.count);
    for (const FirmHistoryEntry& entry : claim.entries) {
        replacement.integer(entry.date);
        replacement.integer(entry.shops);
        replacement.integer(entry.cash);
        replacement.integer(entry.sales);
        replacement.integer(entry.result);
    }
    std::vector<std::uint8_t> bytes = file;
    const std::size_t start = sectionAt(bytes, 4);
    const std::size_t end = start + le32(bytes, start - 4);
    const std::size_t tail = end - old.size();
    EXPECT_TRUE(std::equal(old.bytes().begin(), old.bytes().end(),
                           bytes.begin() + static_cast<std::ptrdiff_t>(tail)));
    bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(tail),
                bytes.begin() + static_cast<std::ptrdiff_t>(end));
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(tail), replacement.bytes().begin(),
                 replacement.bytes().end());
    putLe32(bytes, start - 4,
            static_cast<std::uint32_t>(end - start - old.size() + replacement.size()));
    sealGameFile(bytes);
    return bytes;
}

TEST_F(GameFileTest, HistoryBeyondTheSavedMonthOrOutOfRangeIsRefused) {
    // Saved after 14 months: the history holds 101 to 112, 201 and 202; 203 is being played.
    const FirmHistory& saved = game_.player()->history();
    const FirmHistoryEntry first{101, 1, 5000, 100, -20};
    auto entry = [&first](std::int32_t date) {
        FirmHistoryEntry e = first;
        e.date = date;
        return e;
    };
    auto with = [&first](auto change) {
        FirmHistoryEntry e = first;
        change(e);
        return e;
    };
    const std::vector<HistoryClaim> refused = {
        {"2^40 entries, one present", std::uint64_t{1} << 40, {first}},
        {"two entries claimed, one present", 2, {first}},
        {"a month repeated", 2, {first, entry(101)}},
        {"months out of order", 2, {entry(102), first}},
        {"the month being played", 1, {entry(203)}},
        {"a month after it", 1, {entry(301)}},
        {"month 13", 1, {entry(113)}},
        {"month 0", 1, {entry(200)}},
        {"negative shops", 1, {with([](auto& e) { e.shops = -1; })}},
        {"more shops than slots", 1, {with([](auto& e) { e.shops = kFirmShopSlots + 1; })}},
        {"cash beyond the money limit", 1, {with([](auto& e) { e.cash = kMoneyLimit + 1; })}},
        {"sales beyond the report limit", 1, {with([](auto& e) { e.sales = kReportLimit + 1; })}},
        {"result below the report limit", 1, {with([](auto& e) { e.result = -kReportLimit - 1; })}},
    };
    const std::vector<std::uint8_t> before = snapshot();
    for (const HistoryClaim& claim : refused) {
        const std::string path = write("history.sav", withPlayerHistory(bytes_, saved, claim));
        EXPECT_EQ(game_.loadGame(path), kGameFileDamaged) << claim.name;
        EXPECT_EQ(game_.fileError(), "section 'frm0' is damaged") << claim.name;
        EXPECT_EQ(snapshot(), before) << claim.name;
    }

    // The same rewriting with figures in range loads them as written.
    const HistoryClaim accepted{"widest figures",
                                2,
                                {with([](auto& e) {
                                     e.shops = kFirmShopSlots;
                                     e.cash = -kMoneyLimit;
                                     e.sales = kReportLimit;
                                     e.result = -kReportLimit;
                                 }),
                                 entry(202)}};
    const std::string path = write("history.sav", withPlayerHistory(bytes_, saved, accepted));
    ASSERT_EQ(game_.loadGame(path), kOk) << game_.fileError();
    EXPECT_TRUE(game_.player()->history().entries() == accepted.entries);
}

TEST_F(GameFileTest, ChangedOrMissingDataFileIsNamed) {
    const std::vector<std::uint8_t> before = snapshot();
    const std::string rate = fixture_.dir().file("zdt/rate.txt");
    const std::string original = TempDir::readFile(rate);
    fixture_.dir().write("zdt/rate.txt", original + "\r\n");
    EXPECT_EQ(game_.loadGame(saved_), kGameFileDataChanged);
    EXPECT_EQ(game_.fileError(), "data file changed since the save: zdt/rate.txt");
    fs::remove(rate);
    EXPECT_EQ(game_.loadGame(saved_), kGameFileDataChanged);
    EXPECT_EQ(game_.fileError(), "data file missing: zdt/rate.txt");
    fixture_.dir().write("zdt/rate.txt", original);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(game_.loadGame(saved_), kOk) << game_.fileError();
}

TEST_F(GameFileTest, MissingFileAndFailedWriteAreReported) {
    EXPECT_EQ(game_.loadGame(fixture_.dir().file("nothing.sav")), kMissingFile);
    EXPECT_EQ(game_.fileError(), "the file cannot be opened");
    EXPECT_EQ(game_.saveGame(fixture_.dir().file("game.sav/inside")), kGameFileWriteFailed);
    EXPECT_EQ(game_.fileError(), "the file cannot be written");
    EXPECT_EQ(fileBytes(saved_), bytes_);  // the earlier file is whole

    Game idle(fixture_.folder());
    EXPECT_EQ(idle.saveGame(fixture_.dir().file("idle.sav")), kRefused);
    EXPECT_EQ(idle.fileError(), "no game is running");
    EXPECT_FALSE(fs::exists(fixture_.dir().file("idle.sav")));

    // The game without a map that exists before the first one is no game to keep.
    Game withoutMap(fixture_.folder());
    ASSERT_EQ(withoutMap.newGame(NewGameSetup{}), kOk);
    EXPECT_TRUE(withoutMap.running());
    EXPECT_FALSE(withoutMap.inProgress());
    EXPECT_EQ(withoutMap.saveGame(fixture_.dir().file("no-map.sav")), kRefused);
    EXPECT_FALSE(fs::exists(fixture_.dir().file("no-map.sav")));
    EXPECT_TRUE(game_.inProgress());
}

TEST_F(GameFileTest, GameFileFoundItsDataAfterTheFolderMoved) {
    TempDir moved;
    fs::copy(fixture_.dir().path(), moved.path(), fs::copy_options::recursive);
    Game other(moved.path().string() + "/");
    ASSERT_EQ(other.loadGame(moved.file("game.sav")), kOk) << other.fileError();
    EXPECT_EQ(other.dataFiles()[0].path, moved.file("zdt/base.zdt"));
}

}  // namespace
}  // namespace vellmora
