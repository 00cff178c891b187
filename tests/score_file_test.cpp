#include "data/score_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <vector>

#include "data/clock.h"
#include "data/map_chunk.h"
#include "data/result_codes.h"
#include "data/score_book.h"
#include "support/temp_dir.h"

namespace vellmora {
namespace {

const LocalDateTime kWinTime{2026, 12, 5, 21, 7, 0};

std::unique_ptr<ScoreRecord> win(std::int32_t gameDate, std::int32_t difficulty,
                                 std::int32_t poisonings = 0) {
    ScoreResults results;
    results.competitors = 2;
    results.researchLevel = 4;
    results.poisonings = poisonings;
    results.overworkDeaths = 1;
    results.difficulty = difficulty;
    return std::make_unique<ScoreRecord>(kWinTime, gameDate / 10000, (gameDate / 100) % 100,
                                         results);
}

std::vector<std::int32_t> gameDates(const ScoreList& list, int table, int slots) {
    std::vector<std::int32_t> dates;
    for (int place = 0; place < slots; ++place) {
        const ScoreRecord* record = list.record(place, table);
        dates.push_back(record ? record->gameDate() : 0);
    }
    return dates;
}

// Unscrambles a file's payload, lets `edit` change the plain bytes, scrambles it back.
std::vector<std::uint8_t> editPlain(std::vector<std::uint8_t> file,
                                    const std::function<void(std::vector<std::uint8_t>&)>& edit) {
    std::uint32_t length = readLe32(file.data() + 256);
    auto seed = static_cast<std::int32_t>(readLe32(file.data() + 260));
    std::vector<std::uint8_t> plain(file.begin() + 264, file.begin() + 264 + length);
    unscrambleScoreData(plain, seed);
    edit(plain);
    scrambleScoreData(plain, seed);
    std::copy(plain.begin(), plain.end(), file.begin() + 264);
    return file;
}

// Offset of field f of the first record chunk in the plain data: root head 8 + root data 280 +
// chunk head 8.
constexpr std::size_t kFirstRecordData = 8 + 280 + 8;

TEST(ScoreRecordTest, ComposesAndSplitsDates) {
    auto record = win(20100, 3);
    EXPECT_EQ(record->realDate(), 1261205);
    EXPECT_EQ(record->realTime(), 2107);
    EXPECT_EQ(record->gameDate(), 20100);
    EXPECT_EQ(record->realYearSince1900(), 126);
    EXPECT_EQ(record->realMonth(), 12);
    EXPECT_EQ(record->realDay(), 5);
    EXPECT_EQ(record->hour(), 21);
    EXPECT_EQ(record->minute(), 7);
    EXPECT_EQ(record->gameYear(), 2);
    EXPECT_EQ(record->gameMonth(), 1);
    EXPECT_EQ(record->fields()[3], 0);
    EXPECT_EQ(record->fields()[4], 0);
}

TEST(ScoreListTest, RanksByGameDateAndKeepsOverflowUnsaved) {
    ScoreList list("town", kScoreTableCount, kScorePlaceCount);
    for (std::int32_t date : {20500, 20300, 20300, 30100, 20100}) {
        auto record = win(date, 1);
        ASSERT_EQ(list.insert(record, 1), kOk);
        EXPECT_EQ(record, nullptr);
    }
    EXPECT_EQ(gameDates(list, 1, 5),
              (std::vector<std::int32_t>{20100, 20300, 20300, 20500, 30100}));
    // Equal dates keep the order they came in.
    ScoreList ties("ties", 1, 3);
    auto first = win(20300, 0, 1);
    auto second = win(20300, 0, 2);
    ASSERT_EQ(ties.insert(first, 0), kOk);
    ASSERT_EQ(ties.insert(second, 0), kOk);
    EXPECT_EQ(ties.record(0, 0)->poisonings(), 1);
    EXPECT_EQ(ties.record(1, 0)->poisonings(), 2);

    auto slow = win(40100, 1);
    ASSERT_EQ(list.insert(slow, 1), kOk);
    ASSERT_NE(list.record(5, 1), nullptr);
    EXPECT_EQ(list.record(5, 1)->gameDate(), 40100);

    std::unique_ptr<ScoreList> reread;
    ASSERT_EQ(decodeScoreFile(encodeScoreFile(list, 77), "town", reread), kOk);
    EXPECT_EQ(gameDates(*reread, 1, 6),
              (std::vector<std::int32_t>{20100, 20300, 20300, 20500, 30100, 0}));
    EXPECT_EQ(reread->record(0, 0), nullptr);

    for (int table : {-1, 5}) {
        auto record = win(20100, 0);
        EXPECT_EQ(list.insert(record, table), kRefused);
        EXPECT_NE(record, nullptr);  // the caller keeps it
    }
    ScoreList noPlaces("none", 5, 0);
    auto record = win(20100, 0);
    EXPECT_EQ(noPlaces.insert(record, 0), kRefused);
    EXPECT_NE(record, nullptr);
    EXPECT_EQ(list.record(-1, 1), nullptr);
    EXPECT_EQ(list.record(0, 9), nullptr);
}

TEST(ScoreFileTest, ScrambleKeystream) {
    std::vector<std::uint8_t> bytes(3, 0);
    scrambleScoreData(bytes, 0);
    EXPECT_EQ(bytes[0], 0);    // s = 12345: key 0
    EXPECT_EQ(bytes[1], 196);  // (113527590 / 65536) & 0xFF
    std::vector<std::uint8_t> text = {'z', 0xFF, 0x00, 0x80, 'q'};
    for (std::int32_t seed : {0, 1, 9999, -7}) {
        std::vector<std::uint8_t> copy = text;
        scrambleScoreData(copy, seed);
        unscrambleScoreData(copy, seed);
        EXPECT_EQ(copy, text) << seed;
    }
}

TEST(ScoreFileTest, RoundTripKeepsEveryField) {
    ScoreList list("town", kScoreTableCount, kScorePlaceCount);
    for (int difficulty = 0; difficulty < 5; ++difficulty) {
        auto record = win(20100 + difficulty * 100, difficulty, difficulty + 1);
        ASSERT_EQ(list.insert(record, difficulty), kOk);
    }
    std::vector<std::uint8_t> file = encodeScoreFile(list, 4321);
    EXPECT_EQ(std::memcmp(file.data(), "zrf\0ZRFfile for quillmarch\0", 27), 0);
    EXPECT_EQ(readLe32(file.data() + 68), 10000u);
    EXPECT_EQ(readLe32(file.data() + 72), file.size() - 256);
    EXPECT_EQ(readLe32(file.data() + 260), 4321u);

    std::unique_ptr<ScoreList> reread;
    ASSERT_EQ(decodeScoreFile(file, "town", reread), kOk);
    EXPECT_EQ(reread->tableCount(), 5);
    EXPECT_EQ(reread->places(), 5);
    for (int difficulty = 0; difficulty < 5; ++difficulty) {
        ASSERT_NE(reread->record(0, difficulty), nullptr);
        EXPECT_EQ(reread->record(0, difficulty)->fields(), list.record(0, difficulty)->fields());
    }
}

TEST(ScoreFileTest, ChecksumCoverage) {
    ScoreList list("town", kScoreTableCount, kScorePlaceCount);
    auto record = win(20100, 1, 2);
    ASSERT_EQ(list.insert(record, 1), kOk);
    const std::vector<std::uint8_t> file = encodeScoreFile(list, 5);

    auto setField = [&](int field, std::int32_t value) {
        return editPlain(file, [&](std::vector<std::uint8_t>& plain) {
            writeLe32(plain.data() + kFirstRecordData + 4 + 4 * field,
                      static_cast<std::uint32_t>(value));
        });
    };
    std::unique_ptr<ScoreList> reread;
    // Difficulty is outside the checksum: the record loads and moves to table 3.
    ASSERT_EQ(decodeScoreFile(setField(9, 3), "town", reread), kOk);
    EXPECT_EQ(reread->record(0, 1), nullptr);
    ASSERT_NE(reread->record(0, 3), nullptr);
    // A difficulty without a table drops the record but keeps the file.
    ASSERT_EQ(decodeScoreFile(setField(9, 7), "town", reread), kOk);
    EXPECT_EQ(reread->record(0, 1), nullptr);
    // A competitor count of 0 reads as 3 (the field is checksummed, so the sum is fixed as well).
    std::vector<std::uint8_t> zeroCompetitors =
        editPlain(file, [&](std::vector<std::uint8_t>& plain) {
            std::uint8_t* data = plain.data() + kFirstRecordData;
            std::int32_t checksum =
                static_cast<std::int32_t>(readLe32(data + 44)) - 2;  // field 5 held 2
            writeLe32(data + 4 + 4 * 5, 0);
            writeLe32(data + 44, static_cast<std::uint32_t>(checksum));
        });
    ASSERT_EQ(decodeScoreFile(zeroCompetitors, "town", reread), kOk);
    EXPECT_EQ(reread->record(0, 1)->competitors(), 3);

    std::unique_ptr<ScoreList> untouched;
    EXPECT_EQ(decodeScoreFile(setField(7, 3), "town", untouched), kRefused);  // poisonings
    EXPECT_EQ(decodeScoreFile(setField(2, 20200), "town", untouched), kRefused);
    EXPECT_EQ(untouched, nullptr);
}

TEST(ScoreFileTest, RefusedFiles) {
    ScoreList list("town", kScoreTableCount, kScorePlaceCount);
    auto record = win(20100, 0);
    ASSERT_EQ(list.insert(record, 0), kOk);
    const std::vector<std::uint8_t> good = encodeScoreFile(list, 1);

    auto patched = [&](std::size_t offset, std::uint32_t value) {
        std::vector<std::uint8_t> file = good;
        writeLe32(file.data() + offset, value);
        return file;
    };
    auto plainPatched = [&](std::size_t offset, std::uint32_t value) {
        return editPlain(good, [&](std::vector<std::uint8_t>& plain) {
            writeLe32(plain.data() + offset, value);
        });
    };
    std::vector<std::uint8_t> badMagic = good;
    badMagic[10] = 'x';
    const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases = {
        {"version 10001", patched(68, 10001)},
        {"bad magic", badMagic},
        {"empty", {}},
        {"header only", std::vector<std::uint8_t>(good.begin(), good.begin() + 256)},
        {"truncated payload", std::vector<std::uint8_t>(good.begin(), good.end() - 1)},
        {"payload length past the end", patched(72, 0xFFFFFFF0u)},
        {"payload length below 8", patched(72, 4)},
        {"data length past the payload", patched(256, static_cast<std::uint32_t>(good.size()))},
        {"chunk tree cut short", patched(256, 100)},
        {"root version", plainPatched(8, 9999)},
        {"root check value", plainPatched(12, 0)},
        {"table count huge", plainPatched(8 + 12, 0x7FFFFFFF)},
        {"places negative", plainPatched(8 + 16, 0xFFFFFFFFu)},
        {"record version", plainPatched(kFirstRecordData, 10001)},
        {"record chunk length", plainPatched(8 + 280, 0xFFFF)},
    };
    for (const auto& [name, bytes] : cases) {
        std::unique_ptr<ScoreList> out;
        EXPECT_EQ(decodeScoreFile(bytes, "town", out), kRefused) << name;
        EXPECT_EQ(out, nullptr) << name;
    }
}

TEST(ScoreBookTest, OpenSaveAndReload) {
    test::TempDir dir;
    FixedClock clock(1700001234, kWinTime);
    ScopedClock scope(clock);
    const std::string folder = dir.file("zrf/");

    ScoreBook book;
    book.configure(folder);
    ASSERT_EQ(book.openList("town"), kOk);
    ASSERT_EQ(book.openList("harbour"), kOk);  // a new list answers kOk whatever its slot
    EXPECT_EQ(book.findList("harbour")->slotInBook(), 1);
    EXPECT_EQ(book.openList("harbour"), 1);  // a list already in the book answers its slot
    EXPECT_EQ(book.openList("town"), 0);
    ScoreList* list = book.findList("town");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->tableCount(), 5);
    EXPECT_EQ(list->places(), 5);
    auto record = win(20100, 2);
    ASSERT_EQ(list->insert(record, 2), kOk);

    // The score folder does not exist yet: saving creates it.
    ASSERT_EQ(book.saveList("town"), kOk);
    std::string path = dir.file("zrf/town.zrf");
    ASSERT_TRUE(std::filesystem::exists(path));
    std::string bytes = test::TempDir::readFile(path);
    EXPECT_EQ(readLe32(reinterpret_cast<const std::uint8_t*>(bytes.data()) + 260),
              1234u);  // seed = seconds % 10000
    EXPECT_EQ(book.saveList("nowhere"), kRefused);

    ScoreBook other;
    other.configure(folder);
    ASSERT_EQ(other.openList("town"), 0);
    ASSERT_NE(other.findList("town")->record(0, 2), nullptr);
    EXPECT_EQ(other.findList("town")->record(0, 2)->realDate(), 1261205);
    EXPECT_EQ(other.findList("Town"), nullptr);

    // A file stored under another map's name still belongs to the map it is opened for.
    std::filesystem::copy_file(path, dir.file("zrf/copy.zrf"));
    ScoreListStatus status;
    ASSERT_EQ(other.openList("copy", status), kOk);
    EXPECT_NE(other.findList("copy"), nullptr);
    EXPECT_EQ(other.findList("copy")->slotInBook(), 1);
    EXPECT_EQ(status.state, ScoreListState::Open);
    EXPECT_EQ(status.path, dir.file("zrf/copy.zrf"));
}

// A score file that exists but cannot be read is not a missing one: no empty list is made in its
// place, so the next win cannot write over the records it holds.
TEST(ScoreBookTest, UnreadableFilesAreNeitherMissingNorReplaced) {
    struct Case {
        const char* why;
        std::function<void(const test::TempDir&)> make;
        std::filesystem::file_type made;
    };
    std::vector<Case> cases = {
        {"a folder in its place",
         [](const test::TempDir& dir) {
             std::filesystem::create_directories(dir.file("zrf/town.zrf"));
         },
         std::filesystem::file_type::directory},
        {"a link that loops",
         [](const test::TempDir& dir) {
             std::filesystem::create_directories(dir.file("zrf"));
             std::filesystem::create_symlink("town.zrf", dir.file("zrf/town.zrf"));
         },
         std::filesystem::file_type::symlink},
    };
    if (::geteuid() != 0) {  // root reads whatever the permissions say
        cases.push_back({"no permission to read",
                         [](const test::TempDir& dir) {
                             dir.write("zrf/town.zrf", "records");
                             std::filesystem::permissions(dir.file("zrf/town.zrf"),
                                                          std::filesystem::perms::none);
                         },
                         std::filesystem::file_type::regular});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        test::TempDir dir;
        c.make(dir);
        ScoreBook book;
        book.configure(dir.file("zrf/"));
        ScoreListStatus status;
        EXPECT_EQ(book.openList("town", status), kUnreadableFile);
        EXPECT_EQ(status.state, ScoreListState::Unreadable);
        EXPECT_EQ(status.path, dir.file("zrf/town.zrf"));
        EXPECT_FALSE(status.reason.empty());
        EXPECT_EQ(book.findList("town"), nullptr);
        EXPECT_EQ(book.saveList("town"), kRefused);
        // Still there as it was, not replaced by a new file.
        EXPECT_EQ(std::filesystem::symlink_status(dir.file("zrf/town.zrf")).type(), c.made);
    }

    // Missing stays missing: a new list, written at the first save.
    test::TempDir dir;
    ScoreBook book;
    book.configure(dir.file("zrf/"));
    ScoreListStatus status;
    EXPECT_EQ(book.openList("town", status), kOk);
    EXPECT_EQ(status.state, ScoreListState::Open);
    EXPECT_TRUE(status.reason.empty());
    ScoreBook noFolder;
    EXPECT_EQ(noFolder.openList("town", status), kOk);
    EXPECT_EQ(status.state, ScoreListState::Open);
    EXPECT_TRUE(status.path.empty());  // no score folder: nothing is ever written
    EXPECT_EQ(noFolder.saveList("town"), kRefused);
}

TEST(ScoreBookTest, RefusedFilesAndNames) {
    test::TempDir dir;
    dir.write("zrf/broken.zrf", "not a score file");
    ScoreBook book;
    book.configure(dir.file("zrf/"));
    ScoreListStatus status;
    EXPECT_EQ(book.openList("broken", status), kRefused);
    EXPECT_EQ(status.state, ScoreListState::Refused);
    EXPECT_EQ(book.findList("broken"), nullptr);
    EXPECT_EQ(book.saveList("broken"), kRefused);
    EXPECT_EQ(dir.read("zrf/broken.zrf"), "not a score file");
    for (const std::string& name :
         {std::string(), std::string("../up"), std::string("a\\b"), std::string(".."),
          std::string(260, 'n'), std::string("a\0b", 3)}) {
        EXPECT_EQ(book.openList(name), kRefused) << name;
    }
    EXPECT_EQ(book.openList(std::string(259, 'n')), 0);
    EXPECT_EQ(book.slotCount(), 1);

    // A write into a folder that cannot be created fails with kRefused.
    dir.write("blocked", "a file where the folder should be");
    ScoreBook blocked;
    blocked.configure(dir.file("blocked/zrf/"));
    ASSERT_EQ(blocked.openList("town"), 0);
    EXPECT_EQ(blocked.saveList("town"), kRefused);
}

}  // namespace
}  // namespace vellmora
