// Map files (".zmf"): a 256-byte file header, then the root chunk of the town.
//   header offset 68: format version, 10000
//   header offset 72: byte length of the root chunk that follows
// Root chunk data: 256 bytes of map header, width, height, one building id per tile row by row.
// Its first child is the market chunk (version, width, height, slot count, one flag byte per
// slot), whose children are the route chunk and one reach chunk per flagged slot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "data/map_chunk.h"

namespace vellmora {

class TownMap;

inline constexpr std::size_t kMapFileHeaderSize = 256;
inline constexpr std::size_t kMapFileVersionOffset = 68;
inline constexpr std::size_t kMapFileLengthOffset = 72;
inline constexpr std::int32_t kMapFileVersion = 10000;
// No map the game can load comes near this; it bounds what a damaged file can make us read.
inline constexpr std::size_t kMaxMapFileBytes = 64u * 1024u * 1024u;

// What a new map file holds: the tiles' buildings and walking costs.
struct MapDescription {
    int width = 0;
    int height = 0;
    std::vector<std::int32_t> buildingIds;  // width * height, row by row
    std::vector<int> moveCosts;             // width * height, row by row; negative: not walkable
    // Written into the map header (bytes 0-255 of the root data); not read by the game.
    std::string title;
};

// The buildings and route costs of a loaded town, e.g. to write it back out.
MapDescription describeMap(const TownMap& map);

// The root chunk of a map: tiles, and a market chunk with 4 slots, no reach, and the route chunk.
// kRefused when a size is below 1, the vectors do not hold width * height values or a cost is
// above 127 (costs are stored as signed bytes). Reach chunks can be added afterwards to child(0)
// (setting the slot's flag byte at data offset 16 + slot).
[[nodiscard]] int buildMapChunk(const MapDescription& map, MapChunk& root);

// Header plus flattened tree. kRefused when the tree does not flatten.
[[nodiscard]] int encodeMapFile(const MapChunk& root, std::vector<std::uint8_t>& bytes);
// Splits a whole file's bytes. kRefused for a short header, a version other than 10000, a declared
// length beyond the bytes present, or a chunk tree that does not parse; `root` is then unchanged.
[[nodiscard]] int decodeMapFile(std::span<const std::uint8_t> bytes, MapChunk& root);

// kOk; kMissingFile when the file cannot be opened; kRefused as decodeMapFile, or when the file
// is larger than kMaxMapFileBytes.
[[nodiscard]] int readMapFile(const std::string& path, MapChunk& root);
// Written atomically; kRefused when it cannot be written.
[[nodiscard]] int writeMapFile(const std::string& path, const MapChunk& root);
[[nodiscard]] int writeMapFile(const std::string& path, const MapDescription& map);

}  // namespace vellmora
