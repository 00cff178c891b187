// The game file reader (see fuzz/game_file_driver.h).
#include <cstddef>
#include <cstdint>

#include "fuzz/game_file_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static vellmora::fuzz::GameFileDriver driver(VELLMORA_FUZZ_DATA_DIR);
    driver.run(std::span<const std::uint8_t>(data, size));
    return 0;
}
