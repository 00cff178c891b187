// A score file through the whole read: header, unscrambling, chunk tree and checksums.
#include "fuzz/fuzz_drivers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vellmora::fuzz::driveScoreFile(std::span<const std::uint8_t>(data, size));
    return 0;
}
