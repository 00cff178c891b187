// ".zrf" score files: a 256-byte header, then a scrambled chunk tree of the list's records.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "data/score_list.h"

namespace vellmora {

inline constexpr std::size_t kScoreFileHeaderBytes = 256;
inline constexpr std::int32_t kScoreFileVersion = 10000;
inline constexpr std::size_t kMaxScoreFileBytes = 4u * 1024u * 1024u;

// Adds (or, when unscrambling, subtracts) the fixed keystream of `seed` to the bytes in place.
void scrambleScoreData(std::span<std::uint8_t> bytes, std::int32_t seed);
void unscrambleScoreData(std::span<std::uint8_t> bytes, std::int32_t seed);

// Checksum of a record chunk: the signed sum of its 8 head bytes and data bytes 0 to 35.
std::int32_t scoreRecordChecksum(std::span<const std::uint8_t> chunkHeadAndData);

// The whole file for a list, scrambled with `seed` (0 to 9999). Only the first places() slots
// of each table are written.
std::vector<std::uint8_t> encodeScoreFile(const ScoreList& list, std::int32_t seed);

// Parses a whole file. kOk and `out` holds a new list named `name` (the name of the file's map,
// whatever name the file itself carries); kRefused for any bad header, length, chunk or
// checksum, or table/place counts outside 1..100 (`out` untouched).
[[nodiscard]] int decodeScoreFile(std::span<const std::uint8_t> bytes, const std::string& name,
                                  std::unique_ptr<ScoreList>& out);

// Reads a file: kOk; kMissingFile when it does not exist; kUnreadableFile when it exists but
// cannot be read (no permission, a folder, an I/O error, too many open files), with `reason`
// telling why; kRefused when it is not a valid score file (also when it is too large).
[[nodiscard]] int readScoreFile(const std::string& path, const std::string& name,
                                std::unique_ptr<ScoreList>& out, std::string* reason = nullptr);
// Writes the list atomically, seed = clock seconds mod 10000, creating the folder when missing.
// kOk or kRefused.
[[nodiscard]] int writeScoreFile(const std::string& path, const ScoreList& list);

}  // namespace vellmora
