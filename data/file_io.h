// Whole-file reading with a size cap, and crash-safe writing (temp file + fsync + rename).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vellmora {

// Reads the whole file into `out`.
// kOk; kMissingFile when the file does not exist or cannot be opened (also a folder);
// kRefused when it is larger than maxBytes or a read error occurs. `out` is untouched on failure.
// When `errorNumber` is given it receives why a read failed: the errno of the failing call
// (ENOENT for a file that does not exist, EISDIR for a folder, EFBIG for a file over maxBytes),
// 0 on success.
[[nodiscard]] int readWholeFile(const std::string& path, std::size_t maxBytes, std::string& out,
                                int* errorNumber = nullptr);

struct AtomicWriteOptions {
    // Create the parent folder (and its parents) when it does not exist.
    bool createParentFolder = false;
};

// Writes `bytes` to a temp file in the same folder, flushes it to disk and renames it over `path`,
// so the old file stays intact until the new one is complete. kOk or kRefused.
[[nodiscard]] int writeFileAtomically(const std::string& path, std::string_view bytes,
                                      AtomicWriteOptions options = {});

// True when something exists at the path (file or folder).
bool pathExists(const std::string& path);

}  // namespace vellmora
