// Scratch files for fuzz targets whose readers take a path.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

namespace vellmora::fuzz {

// A file of this process under the temp folder, overwritten with `size` bytes on every call.
inline std::string writeScratchFile(const char* name, const std::uint8_t* data, std::size_t size) {
    const std::string path =
        "/tmp/vellmora-fuzz-" + std::to_string(getpid()) + "-" + std::string(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

}  // namespace vellmora::fuzz
