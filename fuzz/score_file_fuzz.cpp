// A score file through the whole read: header, unscrambling, chunk tree and checksums.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "data/score_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vellmora;
    std::unique_ptr<ScoreList> list;
    if (decodeScoreFile(std::span<const std::uint8_t>(data, size), "fuzz", list) == kOk && list) {
        // What was read must write back out.
        (void)encodeScoreFile(*list, 1234);
    }
    return 0;
}
