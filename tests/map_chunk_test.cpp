#include "data/map_chunk.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "data/result_codes.h"

namespace vellmora {
namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes& bytes, std::uint32_t value) {
    std::uint8_t raw[4];
    writeLe32(raw, value);
    bytes.insert(bytes.end(), raw, raw + 4);
}

// A chunk head followed by `dataLength` bytes of 0xAB.
Bytes head(std::uint32_t total, std::uint32_t dataLength, std::size_t dataBytes) {
    Bytes bytes;
    put32(bytes, total);
    put32(bytes, dataLength);
    bytes.resize(bytes.size() + dataBytes, 0xAB);
    return bytes;
}

Bytes concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

MapChunk sampleTree() {
    MapChunk root;
    root.appendInt32(10000);
    root.appendInt32(-7);
    MapChunk& first = root.addChild(MapChunk{});
    first.appendInt8(-1);
    first.appendUint8(200);
    MapChunk grandChild;
    grandChild.appendUint32(0xFFFFFFFFu);
    first.addChild(std::move(grandChild));
    root.addChild(MapChunk{});  // a child with no data at all
    MapChunk third;
    third.appendZeros(3);
    root.addChild(std::move(third));
    return root;
}

TEST(MapChunkTest, RoundTripKeepsDataAndChildrenInOrder) {
    const MapChunk tree = sampleTree();
    Bytes bytes;
    ASSERT_EQ(tree.serialize(bytes), kOk);
    ASSERT_EQ(bytes.size(), tree.totalLength());
    // root head: total, own data 8
    EXPECT_EQ(readLe32(bytes.data()), bytes.size());
    EXPECT_EQ(readLe32(bytes.data() + 4), 8u);

    MapChunk parsed;
    std::size_t consumed = 0;
    ASSERT_EQ(MapChunk::parse(bytes, parsed, &consumed), kOk);
    EXPECT_EQ(consumed, bytes.size());
    ASSERT_EQ(parsed.childCount(), 3u);
    std::int32_t value = 0;
    ASSERT_TRUE(parsed.readInt32(4, value));
    EXPECT_EQ(value, -7);
    const MapChunk* first = parsed.child(0);
    std::int8_t signedByte = 0;
    ASSERT_TRUE(first->readInt8(0, signedByte));
    EXPECT_EQ(signedByte, -1);
    ASSERT_EQ(first->childCount(), 1u);
    std::uint32_t all = 0;
    ASSERT_TRUE(first->child(0)->readUint32(0, all));
    EXPECT_EQ(all, 0xFFFFFFFFu);
    EXPECT_TRUE(parsed.child(1)->data().empty());
    EXPECT_EQ(parsed.child(2)->data().size(), 3u);
    EXPECT_EQ(parsed.child(3), nullptr);

    Bytes again;
    ASSERT_EQ(parsed.serialize(again), kOk);
    EXPECT_EQ(again, bytes);
}

TEST(MapChunkTest, FixedSizeRecordChunkHasExpectedHead) {
    MapChunk record;
    record.appendZeros(48);
    Bytes bytes;
    ASSERT_EQ(record.serialize(bytes), kOk);
    EXPECT_EQ(readLe32(bytes.data()), 56u);
    EXPECT_EQ(readLe32(bytes.data() + 4), 48u);
}

TEST(MapChunkTest, ReadsPastTheOwnDataFailAndLeaveTheTargetAlone) {
    MapChunk chunk;
    chunk.appendInt32(5);
    chunk.appendInt8(1);
    std::int32_t value = 99;
    EXPECT_FALSE(chunk.readInt32(2, value));
    EXPECT_FALSE(chunk.readInt32(SIZE_MAX - 1, value));
    EXPECT_EQ(value, 99);
    EXPECT_TRUE(chunk.readInt32(0, value));
    EXPECT_EQ(value, 5);
    std::uint8_t byte = 7;
    EXPECT_FALSE(chunk.readUint8(5, byte));
    EXPECT_EQ(byte, 7);
    EXPECT_FALSE(chunk.writeInt32At(2, 1));
    EXPECT_TRUE(chunk.writeInt32At(1, 0x01020304));
}

TEST(MapChunkTest, TrailingBytesAfterTheRootAreIgnored) {
    const Bytes bytes = concat(head(12, 4, 4), Bytes{1, 2, 3});
    MapChunk parsed;
    std::size_t consumed = 0;
    ASSERT_EQ(MapChunk::parse(bytes, parsed, &consumed), kOk);
    EXPECT_EQ(consumed, 12u);
    EXPECT_EQ(parsed.childCount(), 0u);
}

// A chain of `depth` chunks, each the only child of the one before; built by hand so that the
// writer's own depth limit does not stop the fixture.
Bytes nested(int depth) {
    Bytes out = head(8, 0, 0);
    for (int i = 1; i < depth; ++i) {
        Bytes parent;
        put32(parent, static_cast<std::uint32_t>(out.size() + 8));
        put32(parent, 0);
        out = concat(parent, out);
    }
    return out;
}

TEST(MapChunkTest, RefusedInputsLeaveTheTargetUnchanged) {
    struct Case {
        const char* name;
        Bytes bytes;
    };
    const Case cases[] = {
        {"empty", {}},
        {"head cut short", {8, 0, 0, 0, 0, 0}},
        {"total below the head", head(7, 0, 0)},
        {"total past the end", head(20, 4, 4)},
        {"data past the total", head(12, 5, 4)},
        {"data length near 2^32", head(12, 0xFFFFFFFCu, 4)},
        {"total near 2^32", head(0xFFFFFFFFu, 0, 0)},
        {"partial child head", concat(head(14, 2, 2), Bytes{1, 2, 3, 4})},
        {"child past its parent",
         // parent says 16 bytes: 8 head + one child of 8, but the child claims 12 (bytes exist)
         concat(head(16, 0, 0), head(12, 4, 4))},
        {"child with zero total", concat(head(16, 0, 0), head(0, 0, 0))},
        {"too deep", nested(MapChunk::kMaxDepth + 1)},
    };
    for (const Case& c : cases) {
        MapChunk target;
        target.appendInt32(42);
        EXPECT_EQ(MapChunk::parse(c.bytes, target), kRefused) << c.name;
        std::int32_t value = 0;
        EXPECT_TRUE(target.readInt32(0, value)) << c.name;
        EXPECT_EQ(value, 42) << c.name;
    }
}

TEST(MapChunkTest, DepthLimitIsInclusive) {
    MapChunk parsed;
    EXPECT_EQ(MapChunk::parse(nested(MapChunk::kMaxDepth), parsed), kOk);
}

TEST(MapChunkTest, WriterRefusesATreeTooDeepToRead) {
    MapChunk chunk;
    for (int i = 1; i <= MapChunk::kMaxDepth; ++i) {
        MapChunk parent;
        parent.addChild(std::move(chunk));
        chunk = std::move(parent);
    }
    Bytes bytes{9};
    EXPECT_EQ(chunk.serialize(bytes), kRefused);
    EXPECT_EQ(bytes, Bytes{9});
}

}  // namespace
}  // namespace vellmora
