// The account container and the chart of accounts in its "ahd" and "acc" blobs.
#include "fuzz/fuzz_drivers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vellmora::fuzz::driveAccounts(std::span<const std::uint8_t>(data, size));
    return 0;
}
