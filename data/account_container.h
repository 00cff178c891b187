// "acc.dat": a little-endian container of named blobs (type "dat", description
// "for account data", version <= 100, directory of 12-byte entries).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vellmora {

using Blob = std::vector<std::uint8_t>;

inline constexpr std::uint32_t kAccountContainerMaxVersion = 100;
inline constexpr std::size_t kAccountContainerHeaderBytes = 268;
inline constexpr std::size_t kMaxAccountContainerBytes = 16u * 1024u * 1024u;

struct AccountBlobEntry {
    std::string name;  // at most 3 characters
    Blob bytes;
};

class AccountContainer {
public:
    // kOk; kRefused (-1) when the file cannot be read, is truncated or its version is above
    // 100; kMissingFile (-2) when type or description differ. A failed open keeps the
    // previously opened contents.
    [[nodiscard]] int open(const std::string& path);
    [[nodiscard]] int openBytes(std::string_view bytes);

    // A copy of the first blob with exactly this name, or nullptr when absent or when its
    // directory entry points outside the file.
    std::unique_ptr<Blob> blob(std::string_view name) const;
    std::uint32_t version() const { return version_; }

private:
    struct Entry {
        std::string name;
        std::uint32_t offset;
        std::uint32_t size;
    };
    std::string bytes_;
    std::vector<Entry> entries_;
    std::uint32_t version_ = 0;
};

// The bytes of a container holding the blobs in order. Empty when a name is longer than 3
// characters or the total would not fit 32-bit offsets.
std::string buildAccountContainer(const std::vector<AccountBlobEntry>& blobs,
                                  std::uint32_t version = kAccountContainerMaxVersion);
// Builds and writes atomically; kOk or kRefused.
[[nodiscard]] int writeAccountContainer(const std::string& path,
                                        const std::vector<AccountBlobEntry>& blobs,
                                        std::uint32_t version = kAccountContainerMaxVersion);

}  // namespace vellmora
