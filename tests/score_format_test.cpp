// The score file format pinned from outside our own writer: known keystream bytes, a fixture
// file made independently (tests/fixtures/score/make_fixture.py), and list names stored in CP932.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "data/clock.h"
#include "data/map_chunk.h"
#include "data/result_codes.h"
#include "data/score_book.h"
#include "data/score_file.h"
#include "support/temp_dir.h"

namespace vellmora {
namespace {

// The fixture's two records, as its script writes them.
const ScoreRecord::Fields kFixtureEasy = {1261205, 1430, 20100, 0, 0, 2, 4, 1, 0, 0};
const ScoreRecord::Fields kFixtureHard = {990731, 905, 30600, 0, 0, 3, 7, 0, 2, 3};
constexpr std::int32_t kFixtureSeed = 1234;

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::vector<std::uint8_t> fixtureFile() {
    const char* source = std::getenv("VELLMORA_SOURCE_DIR");
    if (source == nullptr) {
        return {};
    }
    return bytesOf(test::TempDir::readFile(
        (std::filesystem::path(source) / "tests/fixtures/score/known.zrf").string()));
}

// The list name as stored in a file: the zero-terminated bytes at offset 20 of the root data.
std::string storedName(const std::vector<std::uint8_t>& file) {
    std::vector<std::uint8_t> plain(file.begin() + 264, file.end());
    unscrambleScoreData(plain, static_cast<std::int32_t>(readLe32(file.data() + 260)));
    const auto* name = reinterpret_cast<const char*>(plain.data() + 8 + 20);
    return std::string(name, ::strnlen(name, 260));
}

std::unique_ptr<ScoreRecord> easyWin() {
    return std::make_unique<ScoreRecord>(kFixtureEasy);
}

TEST(ScoreFormatTest, KeystreamKnownAnswers) {
    struct Case {
        std::int32_t seed;
        std::vector<std::uint8_t> keys;
        const char* why;
    };
    const Case cases[] = {
        {0, {0, 196, 136, 76, 16, 212}, "s starts at 12345: a first key of 0, then 196"},
        {1, {196, 136, 76, 16, 212, 152}, "one step of M further along"},
        {1234, {74, 15, 211, 151, 91, 31}, "negative s: the division truncates toward zero"},
        {9999, {151, 91, 32, 228, 168, 108}, "the largest seed the writer uses"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::vector<std::uint8_t> bytes(c.keys.size(), 0);
        scrambleScoreData(bytes, c.seed);
        EXPECT_EQ(bytes, c.keys);
        unscrambleScoreData(bytes, c.seed);
        EXPECT_EQ(bytes, std::vector<std::uint8_t>(c.keys.size(), 0));
    }
}

TEST(ScoreFormatTest, ReadsTheFixtureFile) {
    const std::vector<std::uint8_t> file = fixtureFile();
    if (file.empty()) {
        GTEST_SKIP() << "run through ctest: needs VELLMORA_SOURCE_DIR";
    }
    std::unique_ptr<ScoreList> list;
    ASSERT_EQ(decodeScoreFile(file, "opened-as", list), kOk);
    EXPECT_EQ(list->name(), "opened-as");  // named after the map, not the name inside
    EXPECT_EQ(list->tableCount(), 5);
    EXPECT_EQ(list->places(), 5);
    ASSERT_NE(list->record(0, 0), nullptr);
    EXPECT_EQ(list->record(0, 0)->fields(), kFixtureEasy);
    EXPECT_EQ(list->record(0, 0)->realYearSince1900(), 126);
    EXPECT_EQ(list->record(0, 0)->hour(), 14);
    ASSERT_NE(list->record(0, 3), nullptr);
    EXPECT_EQ(list->record(0, 3)->fields(), kFixtureHard);
    EXPECT_EQ(list->record(1, 0), nullptr);
    for (int table : {1, 2, 4}) {
        EXPECT_EQ(list->record(0, table), nullptr) << table;
    }
    EXPECT_EQ(storedName(file), "\x95\x5C\x92\xAC");  // 表町 in CP932
}

TEST(ScoreFormatTest, WritesTheFixtureFileByteForByte) {
    const std::vector<std::uint8_t> file = fixtureFile();
    if (file.empty()) {
        GTEST_SKIP() << "run through ctest: needs VELLMORA_SOURCE_DIR";
    }
    ScoreList list("表町", kScoreTableCount, kScorePlaceCount);
    auto hard = std::make_unique<ScoreRecord>(kFixtureHard);
    auto easy = easyWin();
    ASSERT_EQ(list.insert(hard, 3), kOk);
    ASSERT_EQ(list.insert(easy, 0), kOk);
    EXPECT_EQ(encodeScoreFile(list, kFixtureSeed), file);
}

TEST(ScoreFormatTest, ListNamesAreStoredInCp932) {
    struct Case {
        std::string mapName;
        std::string stored;
        const char* why;
    };
    const Case cases[] = {
        {"表ソ能", "\x95\x5C\x83\x5C\x94\x5C", "second bytes 0x5C, like a backslash"},
        {"店\xF0\x9F\x8D\x9C", "\x93\x58?", "a character CP932 cannot hold becomes ?"},
        {"oomachi", "oomachi", "ASCII as it is"},
    };
    test::TempDir dir;
    FixedClock clock(1700000000, LocalDateTime{2026, 12, 5, 14, 30, 0});
    ScopedClock useClock(clock);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ScoreBook book;
        book.configure(dir.file("zrf/"));
        ASSERT_EQ(book.openList(c.mapName), kOk);
        auto record = easyWin();
        ASSERT_EQ(book.findList(c.mapName)->insert(record, 0), kOk);
        ASSERT_EQ(book.saveList(c.mapName), kOk);

        // The file keeps the file system's name; the name inside is CP932.
        const std::string path = dir.file("zrf/" + c.mapName + ".zrf");
        ASSERT_TRUE(std::filesystem::exists(path));
        EXPECT_EQ(storedName(bytesOf(test::TempDir::readFile(path))), c.stored);

        ScoreBook reread;
        reread.configure(dir.file("zrf/"));
        ASSERT_EQ(reread.openList(c.mapName), kOk);
        const ScoreList* list = reread.findList(c.mapName);
        ASSERT_NE(list, nullptr);
        ASSERT_NE(list->record(0, 0), nullptr);
        EXPECT_EQ(list->record(0, 0)->fields(), kFixtureEasy);
    }
}

TEST(ScoreFormatTest, LongNamesAreCutAtACharacterBoundary) {
    std::string kanji;
    std::string kanjiCp932;
    for (int i = 0; i < 200; ++i) {
        kanji += "表";
        kanjiCp932 += "\x95\x5C";
    }
    struct Case {
        std::string name;
        std::string stored;
    };
    // 259 bytes fit before the terminator: 129 double-byte characters and no half of the 130th.
    for (const Case& c : {Case{kanji, kanjiCp932.substr(0, 258)},
                          Case{"a" + kanji, "a" + kanjiCp932.substr(0, 258)},
                          Case{std::string(300, 'n'), std::string(259, 'n')}}) {
        ScoreList list(c.name, kScoreTableCount, kScorePlaceCount);
        EXPECT_EQ(storedName(encodeScoreFile(list, 7)), c.stored);
    }
}

}  // namespace
}  // namespace vellmora
