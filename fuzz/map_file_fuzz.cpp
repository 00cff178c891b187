// A map file through the header check, the chunk tree and the town map's loading.
#include "fuzz/fuzz_drivers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string buildings =
        vellmora::fuzz::mapBuildingDataPath(VELLMORA_FUZZ_DATA_DIR);
    vellmora::fuzz::driveMapFile(std::span<const std::uint8_t>(data, size), buildings);
    return 0;
}
