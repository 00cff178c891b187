// A map file through the header check, the chunk tree and the town map's loading.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "data/file_io.h"
#include "data/map_chunk.h"
#include "fuzz/fuzz_support.h"
#include "game/map_file.h"
#include "game/town_map.h"

namespace {

// The shipped building data when the program folder has it, else a few buildings of our own.
std::string buildingDataPath() {
    const std::string shipped = std::string(VELLMORA_FUZZ_DATA_DIR) + "/zdt/blddata";
    if (vellmora::pathExists(shipped)) {
        return shipped;
    }
    static const char kFallback[] =
        "blddata,10000,fuzz,1\n"
        "10000,grass,1,5,2,100,1,0,0,2,0,0\n"
        "10001,road,0,0,1,0,2,0,0,0,0,0\n"
        "10002,wall,0,0,-1,0,3,0,0,0,0,0\n";
    return vellmora::fuzz::writeScratchFile(
        "blddata", reinterpret_cast<const std::uint8_t*>(kFallback), sizeof(kFallback) - 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vellmora;
    static const std::string buildings = buildingDataPath();
    const std::span<const std::uint8_t> bytes(data, size);

    MapChunk bare;
    (void)MapChunk::parse(bytes, bare);

    MapChunk root;
    if (decodeMapFile(bytes, root) != kOk) {
        return 0;
    }
    TownMap map;
    if (map.init(20, 15, buildings) != kOk) {
        return 0;
    }
    if (map.loadMap(root) == kOk) {
        (void)describeMap(map);
    }
    return 0;
}
