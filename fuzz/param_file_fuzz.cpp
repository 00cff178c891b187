// The parameter file reader and every table loader on top of it: rate, price, computer players
// and building data.
#include "fuzz/fuzz_drivers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vellmora::fuzz::driveParamFile(std::span<const std::uint8_t>(data, size));
    return 0;
}
