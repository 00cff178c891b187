// The settings reader, with the normal buffers and with tight ones.
#include <cstddef>
#include <cstdint>

#include "data/settings.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vellmora;
    const std::string path = fuzz::writeScratchFile("settings.ini", data, size);
    Settings normal;
    if (normal.load(path) == kOk) {
        (void)normal.serialize();
    }
    Settings tight;
    (void)tight.load(path, 16, 64);
    return 0;
}
