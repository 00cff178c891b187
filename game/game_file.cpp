#include "game/game_file.h"

#include "data/byte_stream.h"
#include "data/file_io.h"
#include "data/result_codes.h"

namespace vellmora {

namespace {

constexpr std::size_t kVersionAt = 16;
constexpr std::size_t kLengthAt = 20;
constexpr std::size_t kCountAt = 24;

std::uint32_t le32At(std::span<const std::uint8_t> bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
    }
    return value;
}

void putLe32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

}  // namespace

std::vector<std::uint8_t> encodeGameFile(const std::vector<std::vector<std::uint8_t>>& sections) {
    ByteWriter out;
    out.raw(std::span(reinterpret_cast<const std::uint8_t*>(kGameFileMagic.data()),
                      kGameFileMagic.size()));
    out.u32(kGameFileVersion);
    out.u32(0);  // length, filled in by sealGameFile
    out.u32(static_cast<std::uint32_t>(sections.size()));
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const std::string_view tag = i < kSectionTags.size() ? kSectionTags[i] : "????";
        out.raw(std::span(reinterpret_cast<const std::uint8_t*>(tag.data()), 4));
        out.u32(static_cast<std::uint32_t>(sections[i].size()));
        out.raw(sections[i]);
    }
    out.u32(0);  // checksum
    sealGameFile(out.bytes());
    return std::move(out.bytes());
}

DataFileStamp stampDataFile(const std::string& path) {
    DataFileStamp stamp;
    stamp.path = path;
    std::string bytes;
    if (readWholeFile(path, kGameFileMaxBytes, bytes) == kOk) {
        stamp.present = true;
        stamp.size = bytes.size();
        stamp.crc =
            crc32(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    }
    return stamp;
}

void sealGameFile(std::vector<std::uint8_t>& file) {
    if (file.size() < kGameFileHeadBytes + kGameFileTrailerBytes) {
        return;
    }
    putLe32(file, kLengthAt, static_cast<std::uint32_t>(file.size()));
    const std::size_t body = file.size() - kGameFileTrailerBytes;
    putLe32(file, body, crc32(std::span(file.data(), body)));
}

int decodeGameFile(std::span<const std::uint8_t> file, std::vector<GameFileSection>& sections,
                   std::string& reason) {
    sections.clear();
    if (file.size() < kGameFileMagic.size() ||
        std::string_view(reinterpret_cast<const char*>(file.data()), kGameFileMagic.size()) !=
            kGameFileMagic) {
        reason = "not a game file";
        return kGameFileForeign;
    }
    if (file.size() < kGameFileHeadBytes + kGameFileTrailerBytes) {
        reason = "the file is truncated";
        return kGameFileDamaged;
    }
    if (le32At(file, kVersionAt) != kGameFileVersion) {
        reason = "unknown game file version " + std::to_string(le32At(file, kVersionAt));
        return kGameFileVersionUnknown;
    }
    const std::uint32_t declared = le32At(file, kLengthAt);
    if (declared > file.size()) {
        reason = "the file is truncated";
        return kGameFileDamaged;
    }
    if (declared < file.size()) {
        reason = "the file has bytes after its end";
        return kGameFileDamaged;
    }
    const std::size_t body = file.size() - kGameFileTrailerBytes;
    if (crc32(file.first(body)) != le32At(file, body)) {
        reason = "the file is damaged (checksum mismatch)";
        return kGameFileDamaged;
    }
    const std::uint32_t count = le32At(file, kCountAt);
    if (count != kSectionTags.size()) {
        reason = "the file has " + std::to_string(count) + " sections instead of " +
                 std::to_string(kSectionTags.size());
        return kGameFileDamaged;
    }
    std::vector<GameFileSection> found;
    std::size_t at = kGameFileHeadBytes;
    for (const std::string_view tag : kSectionTags) {
        if (body - at < kGameFileSectionHeadBytes) {
            reason = "section '" + std::string(tag) + "' is missing";
            return kGameFileDamaged;
        }
        const std::string_view seen(reinterpret_cast<const char*>(file.data() + at), 4);
        const std::uint32_t length = le32At(file, at + 4);
        at += kGameFileSectionHeadBytes;
        if (seen != tag) {
            reason = "section '" + std::string(tag) + "' is missing";
            return kGameFileDamaged;
        }
        if (length > body - at) {
            reason = "section '" + std::string(tag) + "' runs past the end of the file";
            return kGameFileDamaged;
        }
        found.push_back({std::string(tag), file.subspan(at, length)});
        at += length;
    }
    if (at != body) {
        reason = "the file has bytes after its last section";
        return kGameFileDamaged;
    }
    sections = std::move(found);
    return kOk;
}

}  // namespace vellmora
