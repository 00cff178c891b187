// A whole game on data in which one file is the fuzz input (see fuzz/game_driver.h).
#include <cstddef>
#include <cstdint>

#include "fuzz/game_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static vellmora::fuzz::GameDriver driver(VELLMORA_FUZZ_DATA_DIR);
    (void)driver.run(std::span<const std::uint8_t>(data, size));
    return 0;
}
