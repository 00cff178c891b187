// The settings reader, with the normal buffers and with tight ones.
#include "fuzz/fuzz_drivers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vellmora::fuzz::driveSettings(std::span<const std::uint8_t>(data, size));
    return 0;
}
