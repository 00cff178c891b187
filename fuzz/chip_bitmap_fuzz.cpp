// The chip bitmap reader.
#include "fuzz/fuzz_drivers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vellmora::fuzz::driveChipBitmap(std::span<const std::uint8_t>(data, size));
    return 0;
}
