#include "data/chip_bitmap.h"

#include <algorithm>
#include <utility>

#include "data/file_io.h"
#include "data/result_codes.h"

namespace vellmora {

namespace {

constexpr std::size_t kInfoStart = ChipBitmap::kFileHeaderBytes;
constexpr std::size_t kHeadersBytes = ChipBitmap::kFileHeaderBytes + ChipBitmap::kInfoHeaderBytes;

std::uint32_t u32At(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::int32_t i32At(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::int32_t>(u32At(bytes, at));
}

std::uint16_t u16At(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

}  // namespace

int parseChipBitmap(std::span<const std::uint8_t> bytes, ChipBitmap& out) {
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') {
        return kChipBitmapNotBm;
    }
    if (bytes.size() < kHeadersBytes) {
        return kChipBitmapTruncated;
    }
    const std::uint32_t pixelOffset = u32At(bytes, 10);
    const std::uint32_t infoSize = u32At(bytes, kInfoStart);
    const std::int32_t width = i32At(bytes, kInfoStart + 4);
    const std::int32_t height = i32At(bytes, kInfoStart + 8);
    const std::uint16_t bitCount = u16At(bytes, kInfoStart + 14);
    const std::uint32_t coloursUsed = u32At(bytes, kInfoStart + 32);

    // A negative height marks rows stored top first.
    const std::int64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
    if (width <= 0 || rows == 0 || width % 4 != 0 || rows % 4 != 0) {
        return kChipBitmapBadSize;
    }
    if (bitCount != 8 || (coloursUsed != 0 && coloursUsed < ChipBitmap::kPaletteEntries)) {
        return kChipBitmapBadFormat;
    }

    // The palette follows the information header (longer headers of later versions included).
    const std::uint64_t paletteStart =
        kInfoStart + std::max<std::uint64_t>(ChipBitmap::kInfoHeaderBytes, infoSize);
    const std::uint64_t paletteEnd = paletteStart + ChipBitmap::kPaletteBytes;
    // Rows of 8-bit pixels are padded to 4 bytes; a width that is a multiple of 4 needs none.
    const std::uint64_t rowBytes = static_cast<std::uint64_t>(width);
    const std::uint64_t pixelBytes = rowBytes * static_cast<std::uint64_t>(rows);
    if (paletteEnd > bytes.size() || pixelOffset < paletteEnd || pixelOffset > bytes.size() ||
        bytes.size() - pixelOffset < pixelBytes) {
        return kChipBitmapTruncated;
    }

    ChipBitmap bitmap;
    bitmap.width = width;
    bitmap.height = static_cast<int>(rows);
    for (std::size_t i = 0; i < ChipBitmap::kPaletteEntries; ++i) {
        const std::size_t at = static_cast<std::size_t>(paletteStart) + i * 4;
        // Entries are stored blue, green, red, reserved.
        bitmap.palette[i] = static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
                            static_cast<std::uint32_t>(bytes[at + 1]) << 8 | bytes[at];
    }
    bitmap.pixels.resize(static_cast<std::size_t>(pixelBytes));
    const bool bottomUp = height > 0;
    for (std::int64_t row = 0; row < rows; ++row) {
        const std::int64_t fileRow = bottomUp ? rows - 1 - row : row;
        const auto* from =
            bytes.data() + pixelOffset + static_cast<std::size_t>(fileRow) * rowBytes;
        std::copy(from, from + rowBytes,
                  bitmap.pixels.begin() +
                      static_cast<std::ptrdiff_t>(row) * static_cast<std::ptrdiff_t>(rowBytes));
    }
    out = std::move(bitmap);
    return kChipBitmapOk;
}

int loadChipBitmap(const std::string& path, ChipBitmap& out) {
    std::string bytes;
    if (readWholeFile(path, ChipBitmap::kMaxFileBytes, bytes) != kOk) {
        return kChipBitmapOpenFailed;
    }
    return parseChipBitmap(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), out);
}

const char* chipBitmapResultText(int result) {
    switch (result) {
        case kChipBitmapOk:
            return "loaded";
        case kChipBitmapOpenFailed:
            return "cannot be opened";
        case kChipBitmapNotBm:
            return "is not a BMP file";
        case kChipBitmapBadSize:
            return "has a width or height that is not a multiple of 4";
        case kChipBitmapBadFormat:
            return "is not an 8-bit palettised bitmap";
        case kChipBitmapTruncated:
            return "is shorter than its headers say";
        default:
            return "cannot be read";
    }
}

}  // namespace vellmora
