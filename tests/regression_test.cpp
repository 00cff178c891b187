// Hostile inputs for every reader: declared lengths and counts far beyond the bytes present, the
// inputs that fuzzing turned up (tests/fixtures/regression/), and whole games on damaged data.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "data/account_container.h"
#include "data/map_chunk.h"
#include "data/result_codes.h"
#include "data/score_file.h"
#include "data/settings.h"
#include "fuzz/fuzz_drivers.h"
#include "game/account_chart.h"
#include "game/map_file.h"
#include "game/money_convert.h"
#include "game/shop_list.h"
#include "game/town_map.h"
#include "support/temp_dir.h"
#include "town_map_fixture.h"

// Bytes allocated since the last reset: a reader that sizes anything from a declared length
// before checking it against the data shows up here even when it then refuses.
namespace {
std::atomic<std::size_t> gAllocated{0};
}  // namespace

void* operator new(std::size_t size) {
    gAllocated.fetch_add(size, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
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

}  // namespace
}  // namespace vellmora
