// Writes 8-bit palettised BMP files for tests and benchmarks: chip sheets with one colour per
// cell, and damaged headers for the reader's refusals.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vellmora::test {

struct BmpLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    std::uint16_t bitCount = 8;
    std::uint32_t coloursUsed = 0;
    std::uint32_t infoSize = 40;
    // Bytes between the palette and the pixel rows.
    std::uint32_t gap = 0;
};

inline void putU32(std::string& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// `palette` holds 0xRRGGBB per index; `pixels` one index per pixel, top row first.
inline std::string bmpBytes(const BmpLayout& layout, const std::array<std::uint32_t, 256>& palette,
                            const std::vector<std::uint8_t>& pixels) {
    const std::size_t paletteStart = 14 + layout.infoSize;
    const std::size_t pixelStart = paletteStart + 1024 + layout.gap;
    const std::size_t rowBytes = static_cast<std::size_t>((layout.width + 3) / 4 * 4);
    const std::size_t rows =
        static_cast<std::size_t>(layout.height < 0 ? -layout.height : layout.height);
    std::string out(pixelStart + rowBytes * rows, '\0');
    out[0] = 'B';
    out[1] = 'M';
    putU32(out, 2, static_cast<std::uint32_t>(out.size()));
    putU32(out, 10, static_cast<std::uint32_t>(pixelStart));
    putU32(out, 14, layout.infoSize);
    putU32(out, 18, static_cast<std::uint32_t>(layout.width));
    putU32(out, 22, static_cast<std::uint32_t>(layout.topDown ? -layout.height : layout.height));
    out[26] = 1;
    out[28] = static_cast<char>(layout.bitCount & 0xFF);
    out[29] = static_cast<char>(layout.bitCount >> 8);
    putU32(out, 46, layout.coloursUsed);
    for (std::size_t i = 0; i < 256; ++i) {
        const std::uint32_t c = palette[i];
        out[paletteStart + i * 4] = static_cast<char>(c & 0xFF);
        out[paletteStart + i * 4 + 1] = static_cast<char>((c >> 8) & 0xFF);
        out[paletteStart + i * 4 + 2] = static_cast<char>((c >> 16) & 0xFF);
    }
    const std::size_t width = static_cast<std::size_t>(std::max(0, layout.width));
    for (std::size_t row = 0; row < rows && width > 0; ++row) {
        const std::size_t fileRow = layout.topDown ? row : rows - 1 - row;
        for (std::size_t x = 0; x < width; ++x) {
            const std::size_t i = row * width + x;
            out[pixelStart + fileRow * rowBytes + x] =
                static_cast<char>(i < pixels.size() ? pixels[i] : 0);
        }
    }
    return out;
}

inline constexpr std::uint32_t kMagenta = 0xFF00FF;
inline constexpr int kCellPixels = 48;
// Every cell of a chip sheet has a transparent square of this side, placed by the cell's column
// and row so that holes of different cells do not line up.
inline constexpr int kCellHole = 8;

// True when pixel (x, y) of a chip sheet lies in its cell's transparent square.
inline bool inCellHole(int x, int y) {
    const int left = x / kCellPixels % 5 * kCellHole;
    const int top = y / kCellPixels % 5 * kCellHole;
    const int cx = x % kCellPixels;
    const int cy = y % kCellPixels;
    return cx >= left && cx < left + kCellHole && cy >= top && cy < top + kCellHole;
}

// Palette index 0 is magenta; index i >= 1 a colour unique to it.
inline const std::array<std::uint32_t, 256>& sheetPalette() {
    static const std::array<std::uint32_t, 256> palette = [] {
        std::array<std::uint32_t, 256> colours{};
        colours[0] = kMagenta;
        for (std::uint32_t i = 1; i < 256; ++i) {
            colours[i] =
                (i * 0x3Bu & 0xFFu) << 16 | (i * 0x95u & 0xFFu) << 8 | (i & 0xFFu) | 0x010000u;
        }
        return colours;
    }();
    return palette;
}

// Index of the colour of a sheet cell: 1 + (row * 16 + column) mod 255.
inline std::uint8_t sheetCellIndex(int column, int row) {
    return static_cast<std::uint8_t>(1 + (row * 16 + column) % 255);
}

// A sheet of 16 x `rows` cells of 48 x 48: each cell one colour, except its hole, which is
// magenta (transparent).
inline std::string chipSheetBytes(int rows) {
    BmpLayout layout;
    layout.width = 16 * kCellPixels;
    layout.height = rows * kCellPixels;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(layout.width * layout.height));
    for (int y = 0; y < layout.height; ++y) {
        for (int x = 0; x < layout.width; ++x) {
            const bool hole = inCellHole(x, y);
            pixels[static_cast<std::size_t>(y * layout.width + x)] =
                hole ? 0 : sheetCellIndex(x / kCellPixels, y / kCellPixels);
        }
    }
    return bmpBytes(layout, sheetPalette(), pixels);
}

}  // namespace vellmora::test
