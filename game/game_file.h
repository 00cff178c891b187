// The game file: a saved game in progress. Layout (all words little-endian):
//   16 bytes  magic "quillmarch_save" and a zero byte
//   u32       version (10000)
//   u32       length of the whole file in bytes
//   u32       section count
//   sections  each a 4-byte tag, a u32 length and that many bytes, in the order of kSectionTags
//   u32       CRC-32 of every byte before it
// The sections' contents are written by the classes they hold (see game_save.cpp).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/result_codes.h"

namespace vellmora {

inline constexpr std::string_view kGameFileMagic{"quillmarch_save\0", 16};
inline constexpr std::uint32_t kGameFileVersion = 10000;
inline constexpr std::size_t kGameFileHeadBytes = 28;
inline constexpr std::size_t kGameFileSectionHeadBytes = 8;
inline constexpr std::size_t kGameFileTrailerBytes = 4;
// Far beyond the largest town's game after centuries of play.
inline constexpr std::size_t kGameFileMaxBytes = 256u * 1024 * 1024;

// Results of saving and loading, besides kOk, kRefused (no game to save) and kMissingFile.
inline constexpr int kGameFileForeign = -10;  // not a game file (magic word)
inline constexpr int kGameFileVersionUnknown = -11;
inline constexpr int kGameFileDamaged = -12;      // length, checksum or a section's contents
inline constexpr int kGameFileDataChanged = -13;  // a data file differs from the one saved with
inline constexpr int kGameFileWriteFailed = -14;

// Sections in file order: the data files, the game's own counters, the town, the market, the
// four firms and the controllers.
inline constexpr std::array<std::string_view, 9> kSectionTags = {
    "data", "game", "town", "mrkt", "frm0", "frm1", "frm2", "frm3", "ctrl"};

struct GameFileSection {
    std::string tag;
    std::span<const std::uint8_t> bytes;
};

// Frames the sections (given in kSectionTags order) into a whole file.
std::vector<std::uint8_t> encodeGameFile(const std::vector<std::vector<std::uint8_t>>& sections);

// Splits a whole file into its sections, which point into `file`. kOk, kGameFileForeign,
// kGameFileVersionUnknown or kGameFileDamaged; `reason` names the fault in a short phrase.
[[nodiscard]] int decodeGameFile(std::span<const std::uint8_t> file,
                                 std::vector<GameFileSection>& sections, std::string& reason);

// A data file as a game was started with it: where it is and what it held.
struct DataFileStamp {
    std::string path;
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
    bool present = false;
};
// Reads the file and stamps it (present false when it cannot be read).
DataFileStamp stampDataFile(const std::string& path);

// Rewrites the length and the checksum of a file whose contents were changed in place (tests
// and fuzzing reach the section readers through it).
void sealGameFile(std::vector<std::uint8_t>& file);

}  // namespace vellmora
