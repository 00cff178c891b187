// Hostile inputs for every reader: declared lengths and counts far beyond the bytes present, the
// inputs that fuzzing turned up (tests/fixtures/regression/), and whole games on damaged data.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "data/account_container.h"
#include "data/building_table.h"
#include "data/byte_stream.h"
#include "data/map_chunk.h"
#include "data/param_file.h"
#include "data/result_codes.h"
#include "data/score_file.h"
#include "data/score_list.h"
#include "data/score_record.h"
#include "data/settings.h"
#include "fuzz/fuzz_drivers.h"
#include "game/account_chart.h"
#include "game/finance.h"
#include "game/firm_history.h"
#include "game/firm_policy.h"
#include "game/game_file.h"
#include "game/ledger.h"
#include "game/loan_book.h"
#include "game/map_file.h"
#include "game/market.h"
#include "game/money_convert.h"
#include "game/rate_table.h"
#include "game/settlement.h"
#include "game/shop_list.h"
#include "game/town_map.h"
#include "support/rate_fixture.h"
#include "support/temp_dir.h"
#include "town_map_fixture.h"

// Bytes allocated since the last reset: a reader that sizes anything from a declared length
// before checking it against the data shows up here even when it then refuses.
namespace {
std::atomic<std::size_t> gAllocated{0};
}  // namespace

// Every plain form of new and delete is replaced together, so that each pair meets the same
// allocator (the sanitizers check that they match).
namespace {
void* countedAllocation(std::size_t size) noexcept {
    gAllocated.fetch_add(size, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}
// Out of line, so that no compiler sees operator new's pointer reach free() and mistakes the
// pairing for a mismatch.
[[gnu::noinline]] void countedRelease(void* p) noexcept {
    std::free(p);
}
}  // namespace

void* operator new(std::size_t size) {
    if (void* p = countedAllocation(size)) {
        return p;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return countedAllocation(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return countedAllocation(size);
}
void operator delete(void* p) noexcept {
    countedRelease(p);
}
void operator delete[](void* p) noexcept {
    countedRelease(p);
}
void operator delete(void* p, std::size_t) noexcept {
    countedRelease(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    countedRelease(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    countedRelease(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    countedRelease(p);
}

namespace vellmora {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Far above what these small inputs need, far below what believing any of the claims costs.
constexpr std::size_t kAllocationLimit = 64 * 1024;

void putLe32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    if (bytes.size() < offset + 4) {
        bytes.resize(offset + 4, 0);
    }
    writeLe32(bytes.data() + offset, value);
}

Bytes chunkBytes(const MapChunk& chunk) {
    Bytes out;
    EXPECT_EQ(chunk.serialize(out), kOk);
    return out;
}

// A map file of a 2 x 1 town with a market chunk of 4 slots and its route chunk.
MapChunk smallMapRoot() {
    MapDescription map;
    map.width = 2;
    map.height = 1;
    map.buildingIds = {test::kGrass, test::kRoad};
    map.moveCosts = {2, 1};
    MapChunk root;
    EXPECT_EQ(buildMapChunk(map, root), kOk);
    return root;
}

Bytes smallMapFile() {
    Bytes file;
    EXPECT_EQ(encodeMapFile(smallMapRoot(), file), kOk);
    return file;
}

// The data of the root's market chunk (child 0) replaced.
MapChunk withMarketData(std::vector<std::uint8_t> data) {
    MapChunk root = smallMapRoot();
    MapChunk market(std::move(data));
    market.addChild(*root.child(0)->child(0));
    MapChunk rebuilt(root.data());
    rebuilt.addChild(std::move(market));
    return rebuilt;
}

Bytes scoreFile() {
    ScoreList list("m", 5, 5);
    return encodeScoreFile(list, 7);
}

std::string accountContainer() {
    return buildAccountContainer({{"ahd", {1, 2, 3, 4, 5, 6, 7, 8}}, {"acc", {9, 9}}}, 1);
}

// A framed game file of empty sections.
Bytes gameFile() {
    return encodeGameFile(std::vector<Bytes>(kSectionTags.size()));
}

// A varint claim followed by a few bytes of data.
Bytes claimOf(std::uint64_t count) {
    ByteWriter out;
    out.varint(count);
    out.raw(Bytes(8, 1));
    return out.bytes();
}

struct Claim {
    const char* name;
    // Reads the claim; answers the reader's result.
    std::function<int()> read;
};

TEST(LengthClaimTest, EveryClaimBeyondTheDataIsRefusedBeforeAnythingIsAllocatedForIt) {
    test::BuildingFixture buildings;
    TownMap map;
    ASSERT_EQ(map.init(20, 15, buildings.path()), kOk);

    const std::vector<Claim> claims = {
        {"map file: root length 4 GB",
         [] {
             Bytes file = smallMapFile();
             putLe32(file, kMapFileLengthOffset, 0xFFFFFFF0u);
             MapChunk root;
             return decodeMapFile(file, root);
         }},
        {"chunk: total length 2 GB",
         [] {
             Bytes bytes = chunkBytes(smallMapRoot());
             putLe32(bytes, 0, 0x80000000u);
             MapChunk root;
             return MapChunk::parse(bytes, root);
         }},
        {"chunk: own data 2 GB inside a small total",
         [] {
             Bytes bytes = chunkBytes(smallMapRoot());
             putLe32(bytes, 4, 0x80000000u);
             MapChunk root;
             return MapChunk::parse(bytes, root);
         }},
        {"chunk: child total beyond its parent",
         [] {
             Bytes bytes = chunkBytes(smallMapRoot());
             // The market chunk starts right after the root's head and data.
             putLe32(bytes, MapChunk::kHeadSize + smallMapRoot().data().size(), 0x7FFFFFF0u);
             MapChunk root;
             return MapChunk::parse(bytes, root);
         }},
        {"town: 80 x 80 tiles declared, none present",
         [&map] {
             MapChunk root = smallMapRoot();
             EXPECT_TRUE(root.writeInt32At(TownMap::kRootWidthOffset, 80));
             EXPECT_TRUE(root.writeInt32At(TownMap::kRootHeightOffset, 80));
             return map.loadMap(root);
         }},
        {"town: 2^31 - 1 columns",
         [&map] {
             MapChunk root = smallMapRoot();
             EXPECT_TRUE(root.writeInt32At(TownMap::kRootWidthOffset, 0x7FFFFFFF));
             return map.loadMap(root);
         }},
        {"market: 2^31 - 1 firm slots",
         [&map] {
             MapChunk market = *smallMapRoot().child(0);
             Bytes data = market.data();
             putLe32(data, 12, 0x7FFFFFFFu);
             return map.loadMap(withMarketData(data));
         }},
        {"market: slot flags cut off",
         [&map] {
             Bytes data = smallMapRoot().child(0)->data();
             data.resize(17);  // four slots declared, one flag byte present
             return map.loadMap(withMarketData(data));
         }},
        {"account container: 2^32 - 1 directory entries",
         [] {
             std::string bytes = accountContainer();
             bytes[264] = bytes[265] = bytes[266] = bytes[267] = '\xFF';
             AccountContainer container;
             return container.openBytes(bytes);
         }},
        {"account container: blob of 4 GB",
         [] {
             std::string bytes = accountContainer();
             // Directory entry 0 ("ahd"): name, offset, size.
             bytes[268 + 8] = bytes[268 + 9] = bytes[268 + 10] = bytes[268 + 11] = '\xFF';
             AccountContainer container;
             if (container.openBytes(bytes) != kOk) {
                 return kRefused;
             }
             return container.blob("ahd") == nullptr ? kRefused : kOk;
         }},
        {"account container: blob offset 4 GB",
         [] {
             std::string bytes = accountContainer();
             bytes[268 + 4] = bytes[268 + 5] = bytes[268 + 6] = bytes[268 + 7] = '\xFF';
             AccountContainer container;
             if (container.openBytes(bytes) != kOk) {
                 return kRefused;
             }
             return container.blob("ahd") == nullptr ? kRefused : kOk;
         }},
        {"chart of accounts: 2^32 - 1 records of 4 GB titles",
         [] {
             const Bytes header = AccountChart::encodeHeader(0xFFFFFFFFu, 0xFFFFFFFFu);
             const Bytes records(40, 0);
             AccountChart chart;
             return chart.load(header, records, {}) == kOk ? kOk : kRefused;
         }},
        {"score file: payload 4 GB",
         [] {
             Bytes file = scoreFile();
             putLe32(file, 72, 0xFFFFFFF0u);
             std::unique_ptr<ScoreList> list;
             return decodeScoreFile(file, "m", list);
         }},
        {"game file: length 4 GB",
         [] {
             Bytes file = gameFile();
             putLe32(file, 20, 0xFFFFFFF0u);
             std::vector<GameFileSection> sections;
             std::string reason;
             return decodeGameFile(file, sections, reason);
         }},
        {"game file: first section 4 GB",
         [] {
             Bytes file = gameFile();
             putLe32(file, kGameFileHeadBytes + 4, 0xFFFFFFF0u);
             sealGameFile(file);
             std::vector<GameFileSection> sections;
             std::string reason;
             return decodeGameFile(file, sections, reason);
         }},
        {"game file: 2^32 - 1 sections",
         [] {
             Bytes file = gameFile();
             putLe32(file, 24, 0xFFFFFFFFu);
             sealGameFile(file);
             std::vector<GameFileSection> sections;
             std::string reason;
             return decodeGameFile(file, sections, reason);
         }},
        {"game file: text of 2^40 bytes",
         [] {
             const Bytes bytes = claimOf(std::uint64_t{1} << 40);
             ByteReader in(bytes);
             std::string text;
             return in.text(text, std::size_t{1} << 62) ? kOk : kRefused;
         }},
        {"game file: run of 2^60 values",
         [] {
             const Bytes bytes = claimOf(std::uint64_t{1} << 60);
             ByteReader in(bytes);
             std::vector<std::int32_t> values;
             return readInts(in, std::size_t{1} << 60, 0, 1, values) ? kOk : kRefused;
         }},
        {"game file: town of 80 x 80 tiles, none present",
         [&map] {
             ByteWriter out;
             out.integer(80);
             out.integer(80);
             ByteReader in(out.bytes());
             return map.loadState(in);
         }},
        {"game file: reach grid of 2^31 tiles",
         [&map] {
             ByteWriter out;
             out.varint(4);
             out.boolean(true);
             out.varint(0x7FFFFFFFu);
             ByteReader in(out.bytes());
             return map.market().loadState(in);
         }},
        {"game file: 2^62 firm slots in the market",
         [&map] {
             const Bytes bytes = claimOf(std::uint64_t{1} << 62);
             ByteReader in(bytes);
             return map.market().loadState(in);
         }},
        {"game file: 2^32 journal years",
         [] {
             const Bytes bytes = claimOf(std::uint64_t{1} << 32);
             ByteReader in(bytes);
             Ledger ledger;
             return ledger.loadState(in);
         }},
        {"game file: journal of 2^40 entries",
         [] {
             ByteWriter out;
             out.varint(0);
             out.varint(std::uint64_t{1} << 40);
             ByteReader in(out.bytes());
             Ledger ledger;
             return ledger.loadState(in);
         }},
        {"game file: entry of 2^40 postings",
         [] {
             ByteWriter out;
             out.varint(0);
             out.varint(1);
             out.integer(101);
             out.varint(std::uint64_t{1} << 40);
             ByteReader in(out.bytes());
             Ledger ledger;
             return ledger.loadState(in);
         }},
        {"game file: 2^20 loans",
         [] {
             const Bytes bytes = claimOf(std::uint64_t{1} << 20);
             ByteReader in(bytes);
             LoanBook loans;
             return loans.loadState(in);
         }},
        {"game file: 2^40 monthly reports",
         [] {
             ByteWriter out;
             out.boolean(false);
             out.varint(std::uint64_t{1} << 40);
             ByteReader in(out.bytes());
             Finance finance;
             ShopList shops(0);
             Settlement settlement(finance, shops);
             return settlement.loadState(in);
         }},
        {"game file: 2^20 month-end history entries (within the months a game can reach)",
         [] {
             const Bytes bytes = claimOf(std::uint64_t{1} << 20);
             ByteReader in(bytes);
             FirmHistory history;
             return history.loadState(in, std::numeric_limits<std::int32_t>::max());
         }},
        {"game file: 2^32 shops",
         [] {
             const Bytes bytes = claimOf(std::uint64_t{1} << 32);
             ByteReader in(bytes);
             ShopList shops(0);
             return shops.loadState(in);
         }},
        {"score file: scrambled data longer than the payload",
         [] {
             Bytes file = scoreFile();
             putLe32(file, kScoreFileHeaderBytes, 0x7FFFFFF0u);
             std::unique_ptr<ScoreList> list;
             return decodeScoreFile(file, "m", list);
         }},
    };
    for (const Claim& claim : claims) {
        SCOPED_TRACE(claim.name);
        gAllocated = 0;
        EXPECT_NE(claim.read(), kOk);
        EXPECT_LT(gAllocated.load(), kAllocationLimit);
    }
}

// A score file as a writer other than ours might leave it: any number of records in any order.
// Each record is (game date, difficulty, research level); the research level tells them apart.
Bytes scoreFileOf(int tableCount, int places,
                  const std::vector<std::array<std::int32_t, 3>>& records) {
    MapChunk root;
    root.appendInt32(10000);
    root.appendUint32(0xFFFFFFFFu);
    root.appendInt32(0);
    root.appendInt32(tableCount);
    root.appendInt32(places);
    root.appendZeros(260);
    for (const auto& [gameDate, difficulty, research] : records) {
        MapChunk chunk;
        chunk.appendInt32(10000);
        const std::int32_t fields[10] = {1261205, 2107,     gameDate, 0, 0,
                                         3,       research, 0,        0, difficulty};
        for (std::int32_t field : fields) {
            chunk.appendInt32(field);
        }
        chunk.appendInt32(0);
        Bytes covered = {56, 0, 0, 0, 48, 0, 0, 0};
        covered.insert(covered.end(), chunk.data().begin(), chunk.data().begin() + 36);
        EXPECT_TRUE(chunk.writeInt32At(44, scoreRecordChecksum(covered)));
        root.addChild(std::move(chunk));
    }
    Bytes plain;
    EXPECT_EQ(root.serialize(plain), kOk);
    scrambleScoreData(plain, 5);
    Bytes file = encodeScoreFile(ScoreList("m", 0, 0), 5);
    file.resize(kScoreFileHeaderBytes);
    putLe32(file, 72, static_cast<std::uint32_t>(plain.size() + 8));
    putLe32(file, kScoreFileHeaderBytes, static_cast<std::uint32_t>(plain.size()));
    putLe32(file, kScoreFileHeaderBytes + 4, 5);
    file.insert(file.end(), plain.begin(), plain.end());
    return file;
}

std::vector<std::int32_t> researchByPlace(const ScoreList& list, int table, int slots) {
    std::vector<std::int32_t> out;
    for (int place = 0; place < slots; ++place) {
        const ScoreRecord* record = list.record(place, table);
        out.push_back(record ? record->researchLevel() : -1);
    }
    return out;
}

TEST(ScoreFileRankingTest, ExtraRecordsRankAsIfInsertedInFileOrderAndOnlyTheShownPlacesStay) {
    // Table 0 with 3 places: equal dates keep file order (research 3 before 4); table 1 gets
    // one record; difficulty 7 has no table.
    const Bytes file = scoreFileOf(2, 3,
                                   {{30100, 0, 1},
                                    {20300, 0, 3},
                                    {20100, 0, 2},
                                    {20300, 0, 4},
                                    {20500, 1, 5},
                                    {10100, 7, 6},
                                    {40100, 0, 7}});
    std::unique_ptr<ScoreList> list;
    ASSERT_EQ(decodeScoreFile(file, "m", list), kOk);
    EXPECT_EQ(researchByPlace(*list, 0, 4), (std::vector<std::int32_t>{2, 3, 4, -1}));
    EXPECT_EQ(researchByPlace(*list, 1, 2), (std::vector<std::int32_t>{5, -1}));

    // A later win still ranks against the places kept.
    ScoreRecord::Fields fields{};
    fields[2] = 20200;
    fields[6] = 8;
    auto record = std::make_unique<ScoreRecord>(fields);
    ASSERT_EQ(list->insert(record, 0), kOk);
    EXPECT_EQ(researchByPlace(*list, 0, 3), (std::vector<std::int32_t>{2, 8, 3}));
}

TEST(ScoreFileRankingTest, AFileOfManyRecordsInReverseOrderKeepsTheQuickestWins) {
    std::vector<std::array<std::int32_t, 3>> records;
    for (std::int32_t i = 20000; i > 0; --i) {
        records.push_back({i * 100, 0, i});
    }
    std::unique_ptr<ScoreList> list;
    ASSERT_EQ(decodeScoreFile(scoreFileOf(5, 5, records), "m", list), kOk);
    EXPECT_EQ(researchByPlace(*list, 0, 6), (std::vector<std::int32_t>{1, 2, 3, 4, 5, -1}));
}

// The rent modifier comes from the rate file; no value it can hold may make the rent undefined.
TEST(RateExtremesTest, RentOfAShopStaysInsideTheMoneyRangeForAnyModifier) {
    struct Case {
        double modifier;
        Money rent;
    };
    const Case cases[] = {
        {0.5, 1500},
        {1e300, kMoneyLimit},
        {-1e300, -kMoneyLimit},
        {9.2e15, kMoneyLimit},  // (m + 1) * 1000 is past 2^63 as well as past the money limit
        {-1.0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.modifier);
        ShopTables tables{};
        tables.sizes[0].costModifier[5] = c.modifier;
        ShopList list(0);
        list.setTables(tables);
        ASSERT_EQ(list.create(0, 0, 0, 1000), 0);
        EXPECT_EQ(list.rentBase(0), c.rent);
    }
}

TEST(RateExtremesTest, RatingPointsAndSuspensionsSumWithoutWrapping) {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    for (const int points : {kMax, kMin}) {
        SCOPED_TRACE(points);
        ShopTables tables{};
        tables.sizes[0].ratingPoints = {points, points, points};
        for (AccidentRates& accident : tables.accidents) {
            accident.ratingPoints = {points, points, points};
            accident.duration = 3;
            accident.suspension = points;
        }
        ShopList list(0);
        list.setTables(tables);
        ASSERT_EQ(list.create(0, 0, 0, 1000), 0);
        ASSERT_EQ(list.applyAccident(0, 0), kOk);
        ASSERT_EQ(list.applyAccident(0, 0), kOk);  // the suspension of both strikes adds up
        ASSERT_EQ(list.applyAccident(0, 2), kOk);
        EXPECT_EQ(list.ratingModifier(0, 1), points);
        EXPECT_EQ(list.shop(0)->suspension(), points);
    }
}

// Opening shops lowers taste and service by a weight from the rate file; an absurd weight gives
// the lowest rating there is instead of an undefined conversion.
TEST(RateExtremesTest, AnAbsurdDeteriorationWeightHoldsTheRatingAtTheIntLimits) {
    ParamFile file;
    ASSERT_EQ(file.loadFromBytes(test::rateFileText()), kOk);
    RateTable rates;
    ASSERT_EQ(readRateTable(file, rates), kOk);
    for (SystemRates& system : rates.systems) {
        system.openingDeteriorates = 1;
        system.ratingPoints = {0, 0, 0};
    }
    for (const double weight : {1e300, -1e300}) {
        SCOPED_TRACE(weight);
        rates.deteriorationWeight.fill(weight);
        FirmPolicy policy;
        policy.setRates(rates);
        ASSERT_EQ(policy.setDifficulty(2), kOk);
        ASSERT_EQ(policy.addShops(5), kOk);  // five new shops this month: deterioration bites
        const int expected =
            weight > 0 ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
        EXPECT_EQ(policy.rating(1), expected);
        EXPECT_EQ(policy.rating(2), expected);
    }
}

TEST(RateExtremesTest, ChipCodesOfAbsurdPagesStayInsideInt) {
    struct Case {
        int page;
        int chip;
        int code;
    };
    const Case cases[] = {
        {1, 20, 276},
        {std::numeric_limits<int>::max(), 0, std::numeric_limits<int>::max()},
        {std::numeric_limits<int>::min(), -5, std::numeric_limits<int>::min()},
        {8388607, 255, 8388607 * 256 + 255},  // the largest page whose codes all fit
    };
    for (const Case& c : cases) {
        BuildingDef def;
        def.chipPage = c.page;
        def.chip = c.chip;
        EXPECT_EQ(chipCodeOf(def), c.code) << c.page << " " << c.chip;
    }
}

// A reach stored with preferences the game never holds: they come in clamped to 0 to 60, so
// that opening a shop next to them counts up safely.
TEST(MapExtremesTest, StoredPreferencesAreBroughtIntoTheirRange) {
    test::BuildingFixture buildings;
    TownMap map;
    ASSERT_EQ(map.init(20, 15, buildings.path()), kOk);
    MapChunk root = smallMapRoot();
    MapChunk& market = *root.child(0);
    for (int slot = 0; slot < 2; ++slot) {
        Bytes data = market.data();
        data[16 + static_cast<std::size_t>(slot)] = 1;
        MapChunk flagged(data);
        for (std::size_t c = 0; c < market.childCount(); ++c) {
            flagged.addChild(*market.child(c));
        }
        MapChunk reach;
        for (std::int32_t v : {10000, 2, 1, slot}) {
            reach.appendInt32(v);
        }
        const std::int32_t preference = slot == 0 ? std::numeric_limits<std::int32_t>::max()
                                                  : std::numeric_limits<std::int32_t>::min();
        for (int tile = 0; tile < 2; ++tile) {
            for (std::int32_t v : {-1, -1, preference, 0, 0}) {
                reach.appendInt32(v);
            }
        }
        flagged.addChild(std::move(reach));
        market = std::move(flagged);
    }
    ASSERT_EQ(map.loadMap(root), kOk);
    EXPECT_EQ(map.market().preference(0, 0, 0), Market::kMaxPreference);
    EXPECT_EQ(map.market().preference(1, 1, 0), 0);
}

}  // namespace
}  // namespace vellmora
