// The length-prefixed chunk tree used by the map files and the score files.
//
// Layout of one chunk (little-endian):
//   0  4  total length in bytes (head, own data and every child included)
//   4  4  length of the chunk's own data
//   8  n  own data
//   8+n   child chunks, one after another, until the total length is used up
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace vellmora {

class MapChunk {
public:
    static constexpr std::size_t kHeadSize = 8;
    // Deepest nesting that parse accepts; the root is depth 1.
    static constexpr int kMaxDepth = 16;

    MapChunk() = default;
    explicit MapChunk(std::vector<std::uint8_t> data) : data_(std::move(data)) {}

    // Parses the chunk that starts at bytes[0]. Refuses (kRefused) a head that does not fit, a
    // total length below 8, a data length or child that runs past its parent or the end of the
    // bytes, and nesting deeper than kMaxDepth. On refusal `out` is left unchanged. Bytes after
    // the root's total length are ignored; `consumed` (if given) receives the root's total length.
    [[nodiscard]] static int parse(std::span<const std::uint8_t> bytes, MapChunk& out,
                                   std::size_t* consumed = nullptr);

    // Own data and children.
    const std::vector<std::uint8_t>& data() const { return data_; }
    std::vector<std::uint8_t>& data() { return data_; }
    std::size_t childCount() const { return children_.size(); }
    // Null when i is out of range.
    const MapChunk* child(std::size_t i) const;
    MapChunk* child(std::size_t i);
    // Appends a child and returns a reference to it (valid until the next addChild).
    MapChunk& addChild(MapChunk child);

    // Reading from the own data: false, target unchanged, when offset + size exceeds the data.
    [[nodiscard]] bool readInt32(std::size_t offset, std::int32_t& value) const;
    [[nodiscard]] bool readUint32(std::size_t offset, std::uint32_t& value) const;
    [[nodiscard]] bool readInt8(std::size_t offset, std::int8_t& value) const;
    [[nodiscard]] bool readUint8(std::size_t offset, std::uint8_t& value) const;
    [[nodiscard]] bool readBytes(std::size_t offset, std::span<std::uint8_t> target) const;

    // Building the own data (writers).
    void appendInt32(std::int32_t value);
    void appendUint32(std::uint32_t value);
    void appendInt8(std::int8_t value);
    void appendUint8(std::uint8_t value);
    void appendBytes(std::span<const std::uint8_t> bytes);
    void appendZeros(std::size_t count);
    // Overwrites 4 bytes of the own data; false when they do not lie inside it.
    [[nodiscard]] bool writeInt32At(std::size_t offset, std::int32_t value);

    // Head + data + children, in bytes (64-bit so that it cannot wrap while summing).
    std::uint64_t totalLength() const;

    // Flattens the tree (head, data, children in order) onto the end of `out`. Refuses, leaving
    // `out` unchanged, when a length does not fit into 32 bits or the tree is deeper than
    // kMaxDepth.
    [[nodiscard]] int serialize(std::vector<std::uint8_t>& out) const;

private:
    static int parseAt(std::span<const std::uint8_t> bytes, int depth, MapChunk& out,
                       std::size_t& consumed);
    int serializeAt(int depth, std::vector<std::uint8_t>& out) const;

    std::vector<std::uint8_t> data_;
    std::vector<MapChunk> children_;
};

// Little-endian helpers for formats built on raw bytes (headers around chunk trees).
std::uint32_t readLe32(const std::uint8_t* bytes);
void writeLe32(std::uint8_t* bytes, std::uint32_t value);

}  // namespace vellmora
