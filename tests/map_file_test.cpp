#include "game/map_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "data/result_codes.h"
#include "game/town_map.h"
#include "town_map_fixture.h"

namespace vellmora {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string asText(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

Bytes encoded(const std::vector<std::string>& rows) {
    MapChunk root;
    EXPECT_EQ(buildMapChunk(test::describeRows(rows), root), kOk);
    Bytes bytes;
    EXPECT_EQ(encodeMapFile(root, bytes), kOk);
    return bytes;
}

TEST(MapFileTest, WrittenFileHasTheHeaderFieldsAndLoadsIntoATown) {
    test::BuildingFixture buildings;
    MapDescription description = test::describeRows({"h=.", "#.."});
    description.title = "riverside";
    const std::string path = buildings.dir().file("map/riverside.zmf");
    std::filesystem::create_directories(buildings.dir().path() / "map");
    ASSERT_EQ(writeMapFile(path, description), kOk);

    const std::string file = test::TempDir::readFile(path);
    ASSERT_GT(file.size(), kMapFileHeaderSize);
    const auto* raw = reinterpret_cast<const std::uint8_t*>(file.data());
    EXPECT_EQ(readLe32(raw + 68), 10000u);
    EXPECT_EQ(readLe32(raw + 72), file.size() - 256);
    EXPECT_EQ(file.substr(256 + 8, 9), "riverside");

    MapChunk root;
    ASSERT_EQ(readMapFile(path, root), kOk);
    TownMap map;
    ASSERT_EQ(map.init(20, 15, buildings.path()), kOk);
    ASSERT_EQ(map.loadMap(root), kOk);
    EXPECT_EQ(map.width(), 3);
    EXPECT_EQ(map.buildingId(0, 0), test::kHouse);
    EXPECT_EQ(map.routeGraph().cost(0, 1), -1);

    // What is loaded describes the same file again.
    MapDescription again = describeMap(map);
    again.title = description.title;
    Bytes bytesAgain;
    MapChunk rootAgain;
    ASSERT_EQ(buildMapChunk(again, rootAgain), kOk);
    ASSERT_EQ(encodeMapFile(rootAgain, bytesAgain), kOk);
    EXPECT_EQ(asText(bytesAgain), file);
}

TEST(MapFileTest, MissingFileIsReportedAsMissing) {
    test::TempDir dir;
    MapChunk root;
    EXPECT_EQ(readMapFile(dir.file("none.zmf"), root), kMissingFile);
}

TEST(MapFileTest, RefusedFilesLeaveTheRootAlone) {
    const Bytes good = encoded({"..", ".."});
    struct Case {
        const char* name;
        Bytes bytes;
    };
    auto with = [&](auto change) {
        Bytes b = good;
        change(b);
        return b;
    };
    const Case cases[] = {
        {"empty file", {}},
        {"header cut short", Bytes(good.begin(), good.begin() + 200)},
        {"version 9999", with([](Bytes& b) { writeLe32(b.data() + 68, 9999); })},
        {"declared length one past the file", with([](Bytes& b) {
             writeLe32(b.data() + 72, static_cast<std::uint32_t>(b.size() - 255));
         })},
        {"declared length near 4 GiB",
         with([](Bytes& b) { writeLe32(b.data() + 72, 0xFFFFFFF0u); })},
        {"declared length cuts the root chunk", with([](Bytes& b) {
             writeLe32(b.data() + 72, static_cast<std::uint32_t>(b.size() - 257));
         })},
        {"file cut after the header", Bytes(good.begin(), good.begin() + 256 + 20)},
        {"root total past its length",
         with([](Bytes& b) { writeLe32(b.data() + 256, readLe32(b.data() + 256) + 1); })},
    };
    for (const Case& c : cases) {
        MapChunk root;
        root.appendInt32(7);
        EXPECT_EQ(decodeMapFile(c.bytes, root), kRefused) << c.name;
        EXPECT_EQ(root.data().size(), 4u) << c.name;
        EXPECT_EQ(root.childCount(), 0u) << c.name;
    }
    // Trailing bytes after the declared length are not read.
    Bytes longer = good;
    longer.push_back(0x55);
    MapChunk root;
    EXPECT_EQ(decodeMapFile(longer, root), kOk);
}

TEST(MapFileTest, VersionRefusedFromDiskKeepsTheLoadedTown) {
    test::BuildingFixture buildings;
    TownMap map;
    ASSERT_EQ(map.init(5, 4, buildings.path()), kOk);
    Bytes bytes = encoded({"..", ".."});
    writeLe32(bytes.data() + 68, 9999);
    const std::string path = buildings.dir().write("old.zmf", asText(bytes));
    MapChunk root;
    EXPECT_EQ(readMapFile(path, root), kRefused);
    EXPECT_EQ(root.childCount(), 0u);
    EXPECT_EQ(map.width(), 5);
}

TEST(MapFileTest, DescriptionsThatCannotBeWrittenAreRefused) {
    MapDescription wrongCount = test::describeRows({"..", ".."});
    wrongCount.buildingIds.pop_back();
    MapDescription costTooHigh = test::describeRows({".."});
    costTooHigh.moveCosts[1] = 128;
    MapDescription empty;
    for (const MapDescription* d : {&wrongCount, &costTooHigh, &empty}) {
        MapChunk root;
        EXPECT_EQ(buildMapChunk(*d, root), kRefused);
    }
    test::TempDir dir;
    EXPECT_EQ(writeMapFile(dir.file("no/such/folder/x.zmf"), test::describeRows({".."})), kRefused);
}

}  // namespace
}  // namespace vellmora
