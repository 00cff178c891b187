#include "data/chip_bitmap.h"

#include <gtest/gtest.h>

#include <string>

#include "support/chip_bitmap_writer.h"
#include "support/temp_dir.h"

namespace vellmora {
namespace {

using test::BmpLayout;

std::span<const std::uint8_t> asBytes(const std::string& text) {
    return std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

std::string smallBitmap(BmpLayout layout) {
    std::vector<std::uint8_t> pixels;
    const int rows = layout.height < 0 ? -layout.height : layout.height;
    for (int i = 0; i < layout.width * rows; ++i) {
        pixels.push_back(static_cast<std::uint8_t>(i));
    }
    return test::bmpBytes(layout, test::sheetPalette(), pixels);
}

TEST(ChipBitmapTest, ReadsRowsTopFirstWhateverTheStoredOrder) {
    for (bool topDown : {false, true}) {
        BmpLayout layout{.width = 4, .height = 8, .topDown = topDown};
        ChipBitmap bitmap;
        ASSERT_EQ(parseChipBitmap(asBytes(smallBitmap(layout)), bitmap), kChipBitmapOk);
        EXPECT_EQ(bitmap.width, 4);
        EXPECT_EQ(bitmap.height, 8);
        EXPECT_EQ(bitmap.colourAt(0, 0), test::kMagenta);
        EXPECT_EQ(bitmap.colourAt(1, 2), test::sheetPalette()[9]);
        EXPECT_EQ(bitmap.colourAt(3, 7), test::sheetPalette()[31]);
    }
}

TEST(ChipBitmapTest, FindsThePaletteAfterALongerHeaderAndThePixelsAtTheirOffset) {
    BmpLayout layout{.width = 4, .height = 4, .infoSize = 124, .gap = 12};
    ChipBitmap bitmap;
    ASSERT_EQ(parseChipBitmap(asBytes(smallBitmap(layout)), bitmap), kChipBitmapOk);
    EXPECT_EQ(bitmap.colourAt(2, 1), test::sheetPalette()[6]);
}

TEST(ChipBitmapTest, RefusesDamagedFilesAndLeavesTheTargetAlone) {
    struct Case {
        const char* name;
        std::string bytes;
        int result;
    };
    const std::string good = smallBitmap({.width = 4, .height = 4});
    std::string notBm = good;
    notBm[1] = 'A';
    std::string shortPixels = good.substr(0, good.size() - 1);
    std::string offsetInPalette = good;
    test::putU32(offsetInPalette, 10, 54 + 1000);
    std::string offsetPastEnd = good;
    test::putU32(offsetPastEnd, 10, 0xFFFFFFF0u);
    // A height that asks for far more rows than the file holds.
    std::string hugeHeight = good;
    test::putU32(hugeHeight, 22, 0x7FFFFFFCu);
    const std::vector<Case> cases = {
        {"empty", "", kChipBitmapNotBm},
        {"one byte", "B", kChipBitmapNotBm},
        {"not BM", notBm, kChipBitmapNotBm},
        {"headers cut", good.substr(0, 40), kChipBitmapTruncated},
        {"width 6", smallBitmap({.width = 6, .height = 4}), kChipBitmapBadSize},
        {"height 6", smallBitmap({.width = 4, .height = 6}), kChipBitmapBadSize},
        {"top-down height 6", smallBitmap({.width = 4, .height = 6, .topDown = true}),
         kChipBitmapBadSize},
        {"width 0", smallBitmap({.width = 0, .height = 4}), kChipBitmapBadSize},
        {"width -4", smallBitmap({.width = -4, .height = 4}), kChipBitmapBadSize},
        {"24 bits", smallBitmap({.width = 4, .height = 4, .bitCount = 24}), kChipBitmapBadFormat},
        {"16 colours", smallBitmap({.width = 4, .height = 4, .coloursUsed = 16}),
         kChipBitmapBadFormat},
        {"palette cut", good.substr(0, 54 + 500), kChipBitmapTruncated},
        {"pixels one byte short", shortPixels, kChipBitmapTruncated},
        {"offset inside the palette", offsetInPalette, kChipBitmapTruncated},
        {"offset past the end", offsetPastEnd, kChipBitmapTruncated},
        {"rows beyond the file", hugeHeight, kChipBitmapTruncated},
    };
    for (const Case& c : cases) {
        ChipBitmap bitmap;
        bitmap.width = 48;
        EXPECT_EQ(parseChipBitmap(asBytes(c.bytes), bitmap), c.result) << c.name;
        EXPECT_EQ(bitmap.width, 48) << c.name;
        EXPECT_TRUE(bitmap.pixels.empty()) << c.name;
    }
    // 256 colours used and more are accepted.
    ChipBitmap bitmap;
    EXPECT_EQ(parseChipBitmap(asBytes(smallBitmap({.width = 4, .height = 4, .coloursUsed = 300})),
                              bitmap),
              kChipBitmapOk);
}

TEST(ChipBitmapTest, LoadsAFileAndReportsOneThatCannotBeOpened) {
    test::TempDir dir;
    const std::string path = dir.write("mapchip.bmp", test::chipSheetBytes(2));
    ChipBitmap bitmap;
    ASSERT_EQ(loadChipBitmap(path, bitmap), kChipBitmapOk);
    EXPECT_EQ(bitmap.width, 768);
    EXPECT_EQ(bitmap.height, 96);
    EXPECT_EQ(bitmap.colourAt(0, 0), test::kMagenta);
    EXPECT_EQ(bitmap.colourAt(48 + 8 + 2, 48 + 8 + 2), test::kMagenta);  // cell (1, 1)'s hole
    EXPECT_EQ(bitmap.colourAt(48 + 20, 48 + 20), test::sheetPalette()[test::sheetCellIndex(1, 1)]);
    EXPECT_EQ(loadChipBitmap(dir.file("missing.bmp"), bitmap), kChipBitmapOpenFailed);
    EXPECT_EQ(loadChipBitmap(dir.path().string(), bitmap), kChipBitmapOpenFailed);
    EXPECT_EQ(bitmap.width, 768);
}

}  // namespace
}  // namespace vellmora
