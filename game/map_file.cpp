#include "game/map_file.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "data/file_io.h"
#include "data/result_codes.h"
#include "game/market.h"
#include "game/town_map.h"

namespace vellmora {

namespace {

constexpr std::size_t kMapHeaderSize = 256;
// Words in the file header; nothing reads them, they only tell a person what the file is.
constexpr std::string_view kFileType = "zmf";
constexpr std::string_view kFileDescription = "ZMFfile for quillmarch";

}  // namespace

MapDescription describeMap(const TownMap& map) {
    MapDescription out;
    out.width = map.width();
    out.height = map.height();
    for (int y = 0; y < map.height(); ++y) {
        for (int x = 0; x < map.width(); ++x) {
            out.buildingIds.push_back(map.buildingId(x, y));
            out.moveCosts.push_back(map.routeGraph().cost(x, y));
        }
    }
    return out;
}

int buildMapChunk(const MapDescription& map, MapChunk& root) {
    if (map.width < 1 || map.height < 1) {
        return kRefused;
    }
    const std::size_t tiles =
        static_cast<std::size_t>(map.width) * static_cast<std::size_t>(map.height);
    if (map.buildingIds.size() != tiles || map.moveCosts.size() != tiles) {
        return kRefused;
    }
    RouteGraph graph(map.width, map.height);
    for (std::size_t i = 0; i < tiles; ++i) {
        graph.setCost(static_cast<int>(i % static_cast<std::size_t>(map.width)),
                      static_cast<int>(i / static_cast<std::size_t>(map.width)), map.moveCosts[i]);
    }
    MapChunk route;
    if (graph.writeChunk(route) != kOk) {
        return kRefused;
    }

    MapChunk tree;
    std::vector<std::uint8_t> header(kMapHeaderSize, 0);
    std::memcpy(header.data(), map.title.data(), std::min(map.title.size(), kMapHeaderSize - 1));
    tree.appendBytes(header);
    tree.appendInt32(map.width);
    tree.appendInt32(map.height);
    for (std::int32_t id : map.buildingIds) {
        tree.appendInt32(id);
    }

    MapChunk market;
    market.appendInt32(kMapFileVersion);
    market.appendInt32(map.width);
    market.appendInt32(map.height);
    market.appendInt32(Market::kFirmSlots);
    market.appendZeros(Market::kFirmSlots);
    market.addChild(std::move(route));
    tree.addChild(std::move(market));
    root = std::move(tree);
    return kOk;
}

int encodeMapFile(const MapChunk& root, std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> out(kMapFileHeaderSize, 0);
    std::memcpy(out.data(), kFileType.data(), kFileType.size());
    std::memcpy(out.data() + 4, kFileDescription.data(), kFileDescription.size());
    if (root.serialize(out) != kOk) {
        return kRefused;
    }
    writeLe32(out.data() + kMapFileVersionOffset, static_cast<std::uint32_t>(kMapFileVersion));
    writeLe32(out.data() + kMapFileLengthOffset,
              static_cast<std::uint32_t>(out.size() - kMapFileHeaderSize));
    bytes = std::move(out);
    return kOk;
}

int decodeMapFile(std::span<const std::uint8_t> bytes, MapChunk& root) {
    if (bytes.size() < kMapFileHeaderSize) {
        return kRefused;
    }
    const auto version = static_cast<std::int32_t>(readLe32(bytes.data() + kMapFileVersionOffset));
    const std::uint32_t length = readLe32(bytes.data() + kMapFileLengthOffset);
    if (version != kMapFileVersion || length > bytes.size() - kMapFileHeaderSize) {
        return kRefused;
    }
    return MapChunk::parse(bytes.subspan(kMapFileHeaderSize, length), root);
}

int readMapFile(const std::string& path, MapChunk& root) {
    std::string bytes;
    const int result = readWholeFile(path, kMaxMapFileBytes, bytes);
    if (result != kOk) {
        return result == kMissingFile ? kMissingFile : kRefused;
    }
    return decodeMapFile(std::span<const std::uint8_t>(
                             reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                         root);
}

int writeMapFile(const std::string& path, const MapChunk& root) {
    std::vector<std::uint8_t> bytes;
    if (encodeMapFile(root, bytes) != kOk) {
        return kRefused;
    }
    return writeFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

int writeMapFile(const std::string& path, const MapDescription& map) {
    MapChunk root;
    if (buildMapChunk(map, root) != kOk) {
        return kRefused;
    }
    return writeMapFile(path, root);
}

}  // namespace vellmora
