#include "data/account_container.h"

#include <cstring>

#include "data/file_io.h"
#include "data/result_codes.h"

namespace vellmora {
namespace {

constexpr std::size_t kTypeBytes = 4;
constexpr std::size_t kDescriptionOffset = 4;
constexpr std::size_t kDescriptionBytes = 32;
constexpr std::size_t kVersionOffset = 260;
constexpr std::size_t kCountOffset = 264;
constexpr std::size_t kEntryBytes = 12;
constexpr std::size_t kMaxNameLength = 3;

const char kType[kTypeBytes] = {'d', 'a', 't', '\0'};
constexpr std::string_view kDescription = "for account data";

std::uint32_t le32(std::string_view bytes, std::size_t offset) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + offset);
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void putLe32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

}  // namespace

int AccountContainer::open(const std::string& path) {
    std::string bytes;
    if (readWholeFile(path, kMaxAccountContainerBytes, bytes) != kOk) {
        return kRefused;
    }
    return openBytes(bytes);
}

int AccountContainer::openBytes(std::string_view bytes) {
    if (bytes.size() < kDescriptionOffset + kDescriptionBytes) {
        return kRefused;
    }
    char description[kDescriptionBytes] = {};
    std::memcpy(description, kDescription.data(), kDescription.size());
    if (std::memcmp(bytes.data(), kType, kTypeBytes) != 0 ||
        std::memcmp(bytes.data() + kDescriptionOffset, description, kDescriptionBytes) != 0) {
        return kMissingFile;
    }
    if (bytes.size() < kAccountContainerHeaderBytes) {
        return kRefused;
    }
    std::uint32_t version = le32(bytes, kVersionOffset);
    if (version > kAccountContainerMaxVersion) {
        return kRefused;
    }
    std::uint64_t count = le32(bytes, kCountOffset);
    if (count > (bytes.size() - kAccountContainerHeaderBytes) / kEntryBytes) {
        return kRefused;  // directory runs past the end of the file
    }
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t at = kAccountContainerHeaderBytes + i * kEntryBytes;
        std::string_view rawName = bytes.substr(at, 4);
        std::size_t zero = rawName.find('\0');
        // A name without its terminator cannot equal any name of 3 characters or less.
        std::string name = zero == std::string_view::npos ? std::string(rawName)
                                                          : std::string(rawName.substr(0, zero));
        entries.push_back({std::move(name), le32(bytes, at + 4), le32(bytes, at + 8)});
    }
    bytes_ = std::string(bytes);
    entries_ = std::move(entries);
    version_ = version;
    return kOk;
}

std::unique_ptr<Blob> AccountContainer::blob(std::string_view name) const {
    for (const Entry& entry : entries_) {
        if (entry.name != name) {
            continue;
        }
        if (static_cast<std::uint64_t>(entry.offset) + entry.size > bytes_.size()) {
            return nullptr;
        }
        const auto* begin = reinterpret_cast<const std::uint8_t*>(bytes_.data()) + entry.offset;
        return std::make_unique<Blob>(begin, begin + entry.size);
    }
    return nullptr;
}

std::string buildAccountContainer(const std::vector<AccountBlobEntry>& blobs,
                                  std::uint32_t version) {
    std::uint64_t total =
        kAccountContainerHeaderBytes + kEntryBytes * static_cast<std::uint64_t>(blobs.size());
    for (const AccountBlobEntry& blob : blobs) {
        if (blob.name.size() > kMaxNameLength || blob.name.find('\0') != std::string::npos) {
            return {};
        }
        total += blob.bytes.size();
    }
    if (total > UINT32_MAX) {
        return {};
    }
    std::string out(kTypeBytes + kDescriptionBytes + 224, '\0');
    std::memcpy(out.data(), kType, kTypeBytes);
    std::memcpy(out.data() + kDescriptionOffset, kDescription.data(), kDescription.size());
    putLe32(out, version);
    putLe32(out, static_cast<std::uint32_t>(blobs.size()));
    std::uint32_t offset =
        static_cast<std::uint32_t>(kAccountContainerHeaderBytes + kEntryBytes * blobs.size());
    for (const AccountBlobEntry& blob : blobs) {
        std::string name = blob.name;
        name.resize(4, '\0');
        out += name;
        putLe32(out, offset);
        putLe32(out, static_cast<std::uint32_t>(blob.bytes.size()));
        offset += static_cast<std::uint32_t>(blob.bytes.size());
    }
    for (const AccountBlobEntry& blob : blobs) {
        out.append(reinterpret_cast<const char*>(blob.bytes.data()), blob.bytes.size());
    }
    return out;
}

int writeAccountContainer(const std::string& path, const std::vector<AccountBlobEntry>& blobs,
                          std::uint32_t version) {
    std::string bytes = buildAccountContainer(blobs, version);
    if (bytes.empty()) {
        return kRefused;
    }
    return writeFileAtomically(path, bytes) == kOk ? kOk : kRefused;
}

}  // namespace vellmora
