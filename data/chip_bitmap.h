// The chip bitmaps: 8-bit palettised BMP files holding the map pictures in cells of 48 x 48
// pixels. The reader checks every length against the bytes present, so a loaded bitmap always
// holds width x height pixel bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vellmora {

// Results of the reader.
inline constexpr int kChipBitmapOk = 0;
inline constexpr int kChipBitmapOpenFailed = -1;
inline constexpr int kChipBitmapNotBm = -2;
// Width or height not a multiple of 4 (or not positive).
inline constexpr int kChipBitmapBadSize = -3;
// Bit count not 8, or a colour count that is neither 0 nor at least 256.
inline constexpr int kChipBitmapBadFormat = -4;
// Headers, palette or pixel rows shorter than they must be, or a pixel-data offset that points
// into the headers.
inline constexpr int kChipBitmapTruncated = -5;

struct ChipBitmap {
    static constexpr std::size_t kFileHeaderBytes = 14;
    static constexpr std::size_t kInfoHeaderBytes = 40;
    static constexpr std::size_t kPaletteEntries = 256;
    static constexpr std::size_t kPaletteBytes = kPaletteEntries * 4;
    // Files above this size are not read (a chip sheet is well under a megabyte or two).
    static constexpr std::size_t kMaxFileBytes = 64u << 20;

    int width = 0;
    int height = 0;
    // 0xRRGGBB per palette index.
    std::array<std::uint32_t, kPaletteEntries> palette{};
    // Palette indices, top row first, `width` bytes per row.
    std::vector<std::uint8_t> pixels;

    bool empty() const { return width <= 0 || height <= 0; }
    // The colour of a pixel as 0xRRGGBB; the caller keeps x and y inside the bitmap.
    std::uint32_t colourAt(int x, int y) const {
        return palette[pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                              static_cast<std::size_t>(x)]];
    }
};

// Reads a chip bitmap from bytes. On failure `out` is left unchanged.
[[nodiscard]] int parseChipBitmap(std::span<const std::uint8_t> bytes, ChipBitmap& out);
// Reads the file at `path`; kChipBitmapOpenFailed when it cannot be read.
[[nodiscard]] int loadChipBitmap(const std::string& path, ChipBitmap& out);

// A short English description of a result, for messages.
const char* chipBitmapResultText(int result);

}  // namespace vellmora
