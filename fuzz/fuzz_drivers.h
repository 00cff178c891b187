// What each fuzz target does with one input, shared with tests/regression_test.cpp, which
// replays every kept input through the same calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/account_container.h"
#include "data/building_table.h"
#include "data/chip_bitmap.h"
#include "data/file_io.h"
#include "data/map_chunk.h"
#include "data/param_file.h"
#include "data/result_codes.h"
#include "data/score_file.h"
#include "data/score_list.h"
#include "data/settings.h"
#include "fuzz/fuzz_support.h"
#include "game/account_chart.h"
#include "game/ai_params.h"
#include "game/map_file.h"
#include "game/price_table.h"
#include "game/rate_table.h"
#include "game/town_map.h"

namespace vellmora::fuzz {

using Bytes = std::span<const std::uint8_t>;

inline std::string_view asText(Bytes bytes) {
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// The parameter file reader and every table loader on top of it.
inline void driveParamFile(Bytes bytes) {
    ParamFile file;
    if (file.loadFromBytes(asText(bytes)) != kOk) {
        return;
    }
    for (int row = -1; row <= file.rowCount(); ++row) {
        (void)file.intAt(row, 0);
        (void)file.realAt(row, 1);
        (void)file.cell(row, file.fieldCount(row));
    }
    RateTable rates;
    (void)readRateTable(file, rates);
    PriceTable prices;
    (void)prices.load(file);
    AiParams params;
    (void)readAiParams(file, params);
    AiNames names;
    (void)readAiNames(file, names);

    const std::string path = writeScratchFile("blddata", bytes.data(), bytes.size());
    BuildingTable buildings;
    (void)buildings.load(path);
}

// The settings reader with the normal buffers and with tight ones; what it read writes out.
inline void driveSettings(Bytes bytes) {
    const std::string path = writeScratchFile("settings.ini", bytes.data(), bytes.size());
    Settings normal;
    if (normal.load(path) == kOk) {
        (void)normal.serialize();
    }
    Settings tight;
    (void)tight.load(path, 16, 64);
}

// The account container, and the chart of accounts in its "ahd" and "acc" blobs.
inline void driveAccounts(Bytes bytes) {
    static constexpr int kRequiredCodes[] = {1101, 3101, 4101, 5101, 5102, 5103,
                                             5151, 5201, 5301, 5302, 5303};
    auto loadChart = [](Bytes header, Bytes records) {
        AccountChart chart;
        (void)chart.load(header, records, kRequiredCodes);
    };
    AccountContainer container;
    if (container.openBytes(asText(bytes)) == kOk) {
        auto header = container.blob("ahd");
        auto records = container.blob("acc");
        if (header && records) {
            loadChart(*header, *records);
        }
    }
    // The chart reader on raw bytes too: the first eight bytes as the header blob.
    if (bytes.size() >= 8) {
        loadChart(bytes.first(8), bytes.subspan(8));
    }
}

// The shipped building data when the program folder has it, else a few buildings of our own.
inline std::string mapBuildingDataPath(const std::string& programFolder) {
    const std::string shipped = programFolder + "/zdt/blddata";
    if (pathExists(shipped)) {
        return shipped;
    }
    static const char kFallback[] =
        "blddata,10000,fuzz,1\n"
        "10000,grass,1,5,2,100,1,0,0,2,0,0\n"
        "10001,road,0,0,1,0,2,0,0,0,0,0\n"
        "10002,wall,0,0,-1,0,3,0,0,0,0,0\n";
    return writeScratchFile("blddata-map", reinterpret_cast<const std::uint8_t*>(kFallback),
                            sizeof(kFallback) - 1);
}

// Loading a town computes a distance field from every walkable tile to every tile: its cost grows
// with the square of the tiles. Towns above this size are only parsed, not loaded, so that an
// instrumented build loads each input well inside the fuzzer's time limit; the loading code is
// the same for every size.
inline constexpr std::int64_t kMaxFuzzedTiles = 400;

// A map file through the header check, the chunk tree, the town map's loading and its overlays.
inline void driveMapFile(Bytes bytes, const std::string& buildingDataPath) {
    MapChunk bare;
    (void)MapChunk::parse(bytes, bare);

    MapChunk root;
    if (decodeMapFile(bytes, root) != kOk) {
        return;
    }
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (root.readInt32(TownMap::kRootWidthOffset, width) &&
        root.readInt32(TownMap::kRootHeightOffset, height) && width > 0 && height > 0 &&
        static_cast<std::int64_t>(width) * height > kMaxFuzzedTiles) {
        return;
    }
    TownMap map;
    if (map.init(20, 15, buildingDataPath) != kOk || map.loadMap(root) != kOk) {
        return;
    }
    (void)describeMap(map);
    map.showCustomers();
    map.showCatchment();
    for (int firm = 0; firm < 4; ++firm) {
        (void)map.showPreference(firm);
    }
    for (int y = 0; y < map.height(); ++y) {
        for (int x = 0; x < map.width(); ++x) {
            (void)map.rentAt(x, y);
        }
    }
}

// A score file through the whole read; what was read must write back out. The input is read
// twice: as a whole file, and as the plain chunk tree inside one (scrambled and given a header
// here), so that mutations reach the tree and not only the scrambled bytes.
inline void driveScoreFile(Bytes bytes) {
    auto decode = [](Bytes file) {
        std::unique_ptr<ScoreList> list;
        if (decodeScoreFile(file, "fuzz", list) == kOk && list) {
            (void)encodeScoreFile(*list, 1234);
        }
    };
    decode(bytes);

    std::vector<std::uint8_t> file = encodeScoreFile(ScoreList("fuzz", 0, 0), 0);
    file.resize(kScoreFileHeaderBytes);
    std::vector<std::uint8_t> plain(bytes.begin(), bytes.end());
    scrambleScoreData(plain, 77);
    std::uint8_t lengthAndSeed[8];
    writeLe32(lengthAndSeed, static_cast<std::uint32_t>(plain.size()));
    writeLe32(lengthAndSeed + 4, 77);
    writeLe32(file.data() + 72, static_cast<std::uint32_t>(plain.size() + 8));
    file.insert(file.end(), lengthAndSeed, lengthAndSeed + 8);
    file.insert(file.end(), plain.begin(), plain.end());
    decode(file);
}

// A chip bitmap: a loaded one must hold every pixel its size promises.
inline void driveChipBitmap(Bytes bytes) {
    ChipBitmap bitmap;
    if (parseChipBitmap(bytes, bitmap) != kChipBitmapOk) {
        return;
    }
    if (bitmap.pixels.size() !=
        static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height)) {
        __builtin_trap();
    }
    // Palette colours have 24 bits; reading corners and a grid of pixels lets the sanitizer
    // catch a read past the rows.
    auto check = [&bitmap](int x, int y) {
        if (bitmap.colourAt(x, y) > 0xFFFFFFu) {
            __builtin_trap();
        }
    };
    for (int y = 0; y < bitmap.height; y += 7) {
        for (int x = 0; x < bitmap.width; x += 5) {
            check(x, y);
        }
    }
    check(bitmap.width - 1, bitmap.height - 1);
}

}  // namespace vellmora::fuzz
