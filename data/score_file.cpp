#include "data/score_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "data/clock.h"
#include "data/file_io.h"
#include "data/map_chunk.h"
#include "data/result_codes.h"
#include "data/text_encoding.h"

namespace vellmora {
namespace {

constexpr std::uint32_t kScrambleMultiplier = 113515245u;
constexpr std::uint32_t kScrambleIncrement = 12345u;
constexpr char kType[4] = {'z', 'r', 'f', '\0'};
constexpr std::string_view kMagic{"ZRFfile for quillmarch\0", 23};
constexpr std::size_t kMagicOffset = 4;
constexpr std::size_t kVersionOffset = 68;
constexpr std::size_t kPayloadLengthOffset = 72;
constexpr std::uint32_t kCheckValue = 0xFFFFFFFFu;
constexpr std::size_t kRootDataBytes = 280;
constexpr std::size_t kRootNameOffset = 20;
constexpr std::size_t kRootNameBytes = 260;
static_assert(kRootNameOffset + kRootNameBytes == kRootDataBytes, "the name ends the root data");
constexpr std::size_t kRecordDataBytes = 48;
constexpr std::size_t kChecksummedDataBytes = 36;
constexpr std::size_t kChecksumOffset = 44;
constexpr std::int32_t kMaxTablesOrPlaces = 100;

// Key byte i is bits 16..23 of s / 65536 (signed, truncated toward zero), s stepping by M.
template <typename Apply>
void applyKeystream(std::span<std::uint8_t> bytes, std::int32_t seed, Apply apply) {
    std::uint32_t s = static_cast<std::uint32_t>(seed) * kScrambleMultiplier + kScrambleIncrement;
    for (std::uint8_t& byte : bytes) {
        std::int32_t signedS = static_cast<std::int32_t>(s);
        auto key = static_cast<std::uint8_t>(static_cast<std::uint32_t>(signedS / 65536) & 0xFFu);
        byte = apply(byte, key);
        s += kScrambleMultiplier;
    }
}

std::int32_t checksumOfRecordChunk(const MapChunk& chunk) {
    std::uint8_t head[MapChunk::kHeadSize];
    writeLe32(head, static_cast<std::uint32_t>(chunk.totalLength()));
    writeLe32(head + 4, static_cast<std::uint32_t>(chunk.data().size()));
    std::vector<std::uint8_t> covered(head, head + MapChunk::kHeadSize);
    covered.insert(covered.end(), chunk.data().begin(),
                   chunk.data().begin() + static_cast<std::ptrdiff_t>(kChecksummedDataBytes));
    return scoreRecordChecksum(covered);
}

}  // namespace

void scrambleScoreData(std::span<std::uint8_t> bytes, std::int32_t seed) {
    applyKeystream(bytes, seed, [](std::uint8_t b, std::uint8_t key) {
        return static_cast<std::uint8_t>(b + key);
    });
}

void unscrambleScoreData(std::span<std::uint8_t> bytes, std::int32_t seed) {
    applyKeystream(bytes, seed, [](std::uint8_t b, std::uint8_t key) {
        return static_cast<std::uint8_t>(b - key);
    });
}

std::int32_t scoreRecordChecksum(std::span<const std::uint8_t> chunkHeadAndData) {
    std::uint32_t sum = 0;
    for (std::uint8_t byte : chunkHeadAndData) {
        sum +=
            static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int8_t>(byte)));
    }
    return static_cast<std::int32_t>(sum);
}

std::vector<std::uint8_t> encodeScoreFile(const ScoreList& list, std::int32_t seed) {
    MapChunk root;
    root.appendInt32(kScoreFileVersion);
    root.appendUint32(kCheckValue);
    root.appendInt32(0);
    root.appendInt32(list.tableCount());
    root.appendInt32(list.places());
    // The list is named after the map file (the file system's encoding); the file stores the
    // name in CP932, cut at a character boundary so that the terminator fits.
    const std::string storedName = cutCp932(utf8ToCp932(list.name()), kRootNameBytes - 1);
    std::uint8_t name[kRootNameBytes] = {};
    std::memcpy(name, storedName.data(), storedName.size());
    root.appendBytes(name);

    for (int table = 0; table < list.tableCount(); ++table) {
        for (int place = 0; place < list.places(); ++place) {
            const ScoreRecord* record = list.record(place, table);
            if (record == nullptr) {
                continue;
            }
            MapChunk chunk;
            chunk.appendInt32(kScoreFileVersion);
            for (std::int32_t field : record->fields()) {
                chunk.appendInt32(field);
            }
            chunk.appendInt32(0);
            (void)chunk.writeInt32At(kChecksumOffset, checksumOfRecordChunk(chunk));
            root.addChild(std::move(chunk));
        }
    }

    std::vector<std::uint8_t> data;
    if (root.serialize(data) != kOk) {
        return {};  // cannot happen for at most 100 x 100 records
    }
    scrambleScoreData(data, seed);

    std::vector<std::uint8_t> file(kScoreFileHeaderBytes, 0);
    std::memcpy(file.data(), kType, sizeof kType);
    std::memcpy(file.data() + kMagicOffset, kMagic.data(), kMagic.size());
    writeLe32(file.data() + kVersionOffset, static_cast<std::uint32_t>(kScoreFileVersion));
    writeLe32(file.data() + kPayloadLengthOffset, static_cast<std::uint32_t>(data.size() + 8));
    file.resize(kScoreFileHeaderBytes + 8);
    writeLe32(file.data() + kScoreFileHeaderBytes, static_cast<std::uint32_t>(data.size()));
    writeLe32(file.data() + kScoreFileHeaderBytes + 4, static_cast<std::uint32_t>(seed));
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

int decodeScoreFile(std::span<const std::uint8_t> bytes, const std::string& name,
                    std::unique_ptr<ScoreList>& out) {
    if (bytes.size() < kScoreFileHeaderBytes + 8 ||
        std::memcmp(bytes.data(), kType, sizeof kType) != 0 ||
        std::memcmp(bytes.data() + kMagicOffset, kMagic.data(), kMagic.size()) != 0 ||
        readLe32(bytes.data() + kVersionOffset) != static_cast<std::uint32_t>(kScoreFileVersion)) {
        return kRefused;
    }
    std::uint64_t payload = readLe32(bytes.data() + kPayloadLengthOffset);
    if (payload < 8 || payload > bytes.size() - kScoreFileHeaderBytes) {
        return kRefused;
    }
    std::uint64_t length = readLe32(bytes.data() + kScoreFileHeaderBytes);
    auto seed = static_cast<std::int32_t>(readLe32(bytes.data() + kScoreFileHeaderBytes + 4));
    if (length > payload - 8) {
        return kRefused;
    }
    const std::uint8_t* scrambled = bytes.data() + kScoreFileHeaderBytes + 8;
    std::vector<std::uint8_t> plain(scrambled, scrambled + length);
    unscrambleScoreData(plain, seed);

    MapChunk root;
    if (MapChunk::parse(plain, root) != kOk) {
        return kRefused;
    }
    std::int32_t version = 0;
    std::uint32_t check = 0;
    std::int32_t tableCount = -1;
    std::int32_t places = -1;
    if (root.data().size() < kRootDataBytes || !root.readInt32(0, version) ||
        !root.readUint32(4, check) || !root.readInt32(12, tableCount) ||
        !root.readInt32(16, places) || version != kScoreFileVersion || check != kCheckValue ||
        tableCount < 0 || tableCount > kMaxTablesOrPlaces || places < 0 ||
        places > kMaxTablesOrPlaces) {
        return kRefused;
    }
    std::vector<ScoreRecord::Fields> records;
    for (std::size_t i = 0; i < root.childCount(); ++i) {
        const MapChunk& chunk = *root.child(i);
        std::int32_t childVersion = 0;
        std::int32_t checksum = 0;
        if (chunk.data().size() < kRecordDataBytes || !chunk.readInt32(0, childVersion) ||
            !chunk.readInt32(kChecksumOffset, checksum) || childVersion != kScoreFileVersion ||
            checksum != checksumOfRecordChunk(chunk)) {
            return kRefused;
        }
        ScoreRecord::Fields fields{};
        for (std::size_t f = 0; f < fields.size(); ++f) {
            (void)chunk.readInt32(4 + 4 * f, fields[f]);
        }
        if (fields[5] == 0) {
            fields[5] = 3;  // files of old versions did not store the competitor count
        }
        records.push_back(fields);
    }
    // Inserting the records one by one in file order ranks each table by a stable sort on the
    // game date. Sorting first and inserting only the places that count gives the same shown
    // tables without the quadratic cost of ranking every record of a long, damaged file.
    std::stable_sort(
        records.begin(), records.end(),
        [](const ScoreRecord::Fields& a, const ScoreRecord::Fields& b) { return a[2] < b[2]; });
    auto list = std::make_unique<ScoreList>(name, tableCount, places);
    std::vector<int> inserted(static_cast<std::size_t>(tableCount), 0);
    for (const ScoreRecord::Fields& fields : records) {
        const std::int32_t table = fields[9];
        if (table < 0 || table >= tableCount ||
            inserted[static_cast<std::size_t>(table)] >= places) {
            continue;  // a difficulty without a table drops the record, as does a place not shown
        }
        auto record = std::make_unique<ScoreRecord>(fields);
        if (list->insert(record, table) == kOk) {
            ++inserted[static_cast<std::size_t>(table)];
        }
    }
    out = std::move(list);
    return kOk;
}

int readScoreFile(const std::string& path, const std::string& name, std::unique_ptr<ScoreList>& out,
                  std::string* reason) {
    std::string bytes;
    int error = 0;
    const int result = readWholeFile(path, kMaxScoreFileBytes, bytes, &error);
    if (result != kOk) {
        // Only a file that is surely not there counts as missing: a list made empty in place of
        // one that could not be read would be written over it at the next win.
        if (error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG) {
            return kMissingFile;
        }
        if (error == EFBIG) {
            return kRefused;
        }
        if (reason != nullptr) {
            *reason = std::generic_category().message(error);
        }
        return kUnreadableFile;
    }
    return decodeScoreFile(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), name, out);
}

int writeScoreFile(const std::string& path, const ScoreList& list) {
    std::int64_t seconds = currentClock().secondsSinceEpoch();
    auto seed = static_cast<std::int32_t>(((seconds % 10000) + 10000) % 10000);
    std::vector<std::uint8_t> bytes = encodeScoreFile(list, seed);
    if (bytes.empty()) {
        return kRefused;
    }
    std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return writeFileAtomically(path, view, {.createParentFolder = true}) == kOk ? kOk : kRefused;
}

}  // namespace vellmora
