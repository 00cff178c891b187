// The shipped pictures: the two chip bitmaps as the map view reads them, every picture that the
// building data names, the cursor cells, and the sizes of the title, toolbar and icons.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "data/building_table.h"
#include "data/file_io.h"
#include "data/result_codes.h"

namespace vellmora {
namespace {

constexpr int kCell = 48;
constexpr int kColumns = 16;
constexpr int kFrames = 8;

std::string programDir() {
    const char* dir = std::getenv("VELLMORA_PROGRAM_DIR");
    return dir != nullptr ? dir : "";
}

std::uint32_t le(const std::string& bytes, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

std::uint32_t be32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

// A chip bitmap read the way the map view reads it, with the pixel rows turned top-down.
struct ChipBitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;    // top-down
    std::set<std::uint8_t> transparent;  // palette entries that are magenta

    bool opaqueAt(int x, int y) const {
        return transparent.count(pixels[static_cast<std::size_t>(y) * width + x]) == 0;
    }
    int rows() const { return height / kCell; }
    // Opaque pixels in a cell; -1 for a cell outside the bitmap.
    int opaquePixels(int column, int row) const {
        if (column < 0 || column >= kColumns || row < 0 || row >= rows()) {
            return -1;
        }
        int count = 0;
        for (int y = row * kCell; y < (row + 1) * kCell; ++y) {
            for (int x = column * kCell; x < (column + 1) * kCell; ++x) {
                count += opaqueAt(x, y) ? 1 : 0;
            }
        }
        return count;
    }
    std::vector<std::uint8_t> cell(int column, int row) const {
        std::vector<std::uint8_t> out;
        for (int y = row * kCell; y < (row + 1) * kCell; ++y) {
            for (int x = column * kCell; x < (column + 1) * kCell; ++x) {
                out.push_back(pixels[static_cast<std::size_t>(y) * width + x]);
            }
        }
        return out;
    }
};

// The header checks of the game's loader (type, sizes in multiples of 4, 8 bits, a full palette),
// plus what drawing needs: uncompressed bottom-up rows that fill the file.
::testing::AssertionResult readChipBitmap(const std::string& name, ChipBitmap& out) {
    std::string bytes;
    if (readWholeFile(programDir() + "/" + name, 64u << 20, bytes) != kOk) {
        return ::testing::AssertionFailure() << name << " cannot be read in " << programDir();
    }
    if (bytes.size() < 14 + 40 + 1024 || bytes[0] != 'B' || bytes[1] != 'M') {
        return ::testing::AssertionFailure() << name << ": not a BMP";
    }
    const std::uint32_t fileSize = le(bytes, 2, 4);
    const std::uint32_t offset = le(bytes, 10, 4);
    const std::uint32_t headerSize = le(bytes, 14, 4);
    const auto width = static_cast<std::int32_t>(le(bytes, 18, 4));
    const auto height = static_cast<std::int32_t>(le(bytes, 22, 4));
    const std::uint32_t planes = le(bytes, 26, 2);
    const std::uint32_t bits = le(bytes, 28, 2);
    const std::uint32_t compression = le(bytes, 30, 4);
    const std::uint32_t coloursUsed = le(bytes, 46, 4);
    if (fileSize != bytes.size() || headerSize != 40 || offset != 14 + 40 + 1024) {
        return ::testing::AssertionFailure()
               << name << ": header sizes " << fileSize << " " << headerSize << " " << offset;
    }
    if (width != kColumns * kCell || height <= 0 || height % kCell != 0 || width % 4 != 0 ||
        height % 4 != 0) {
        return ::testing::AssertionFailure() << name << ": " << width << " x " << height;
    }
    if (planes != 1 || bits != 8 || compression != 0 || (coloursUsed != 0 && coloursUsed < 256)) {
        return ::testing::AssertionFailure() << name << ": not 8-bit uncompressed with 256 colours";
    }
    if (bytes.size() - offset != static_cast<std::size_t>(width) * height) {
        return ::testing::AssertionFailure() << name << ": pixel data of the wrong length";
    }
    out.width = width;
    out.height = height;
    for (int i = 0; i < 256; ++i) {
        const std::size_t entry = 54 + static_cast<std::size_t>(i) * 4;  // blue, green, red, 0
        if (le(bytes, entry, 3) == 0xFF00FFu) {
            out.transparent.insert(static_cast<std::uint8_t>(i));
        }
    }
    if (out.transparent.empty()) {
        return ::testing::AssertionFailure() << name << ": no magenta in the palette";
    }
    out.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const std::size_t from = offset + static_cast<std::size_t>(height - 1 - y) * width;
        for (int x = 0; x < width; ++x) {
            out.pixels[static_cast<std::size_t>(y) * width + x] =
                static_cast<std::uint8_t>(bytes[from + static_cast<std::size_t>(x)]);
        }
    }
    return ::testing::AssertionSuccess();
}

class PicturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(readChipBitmap("mapchip.bmp", still_));
        ASSERT_TRUE(readChipBitmap("motionchip.bmp", motion_));
        ASSERT_EQ(table_.load(programDir() + "/zdt/blddata"), kOk);
        ASSERT_FALSE(table_.definitions().empty());
    }

    ChipBitmap still_;
    ChipBitmap motion_;
    BuildingTable table_;
};

TEST_F(PicturesTest, EveryBuildingPointsAtADrawnCell) {
    for (const auto& [id, def] : table_.definitions()) {
        const int column = def.chip % kColumns;
        const int row = def.chip / kColumns;
        const int frames = def.chipPage == 1 ? kFrames : 1;
        const ChipBitmap& sheet = def.chipPage == 1 ? motion_ : still_;
        ASSERT_TRUE(def.chipPage == 0 || def.chipPage == 1) << id;
        for (int f = 0; f < frames; ++f) {
            EXPECT_GT(sheet.opaquePixels(column, row + f), 0)
                << id << " page " << def.chipPage << " cell (" << column << ", " << row + f << ")";
        }
    }
}

// True when every 8 x 8 block of the cell has a transparent pixel.
bool seeThroughEverywhere(const ChipBitmap& sheet, int column, int row) {
    for (int by = 0; by < kCell; by += 8) {
        for (int bx = 0; bx < kCell; bx += 8) {
            bool gap = false;
            for (int y = by; y < by + 8 && !gap; ++y) {
                for (int x = bx; x < bx + 8 && !gap; ++x) {
                    gap = !sheet.opaqueAt(column * kCell + x, row * kCell + y);
                }
            }
            if (!gap) {
                return false;
            }
        }
    }
    return true;
}

TEST_F(PicturesTest, GroundIsSolidAndPicturesDrawnOverOthersLetThemShow) {
    // Ground (layer 0) is drawn first over black, so it must cover its tile. Overlays (1) lie
    // over the whole tile and must let the ground show all over it; shops (3-6) share the tile
    // with the pictures below them and must leave some of them seen.
    for (const auto& [id, def] : table_.definitions()) {
        const ChipBitmap& sheet = def.chipPage == 1 ? motion_ : still_;
        const int column = def.chip % kColumns;
        const int row = def.chip / kColumns;
        const int opaque = sheet.opaquePixels(column, row);
        if (def.layer == 0) {
            EXPECT_EQ(opaque, kCell * kCell) << id;
        } else if (def.layer == 1) {
            EXPECT_TRUE(seeThroughEverywhere(sheet, column, row)) << id;
        } else if (def.layer >= 3) {
            EXPECT_LT(opaque, kCell * kCell) << id;
        }
    }
}

TEST_F(PicturesTest, AnimatedChipsMove) {
    for (const auto& [id, def] : table_.definitions()) {
        if (def.chipPage != 1) {
            continue;
        }
        const int column = def.chip % kColumns;
        const int row = def.chip / kColumns;
        std::set<std::vector<std::uint8_t>> distinct;
        for (int f = 0; f < kFrames; ++f) {
            distinct.insert(motion_.cell(column, row + f));
        }
        EXPECT_GE(distinct.size(), 2u) << id << " does not move";
    }
}

TEST_F(PicturesTest, CursorCellsAreDrawnAndSeeThrough) {
    for (const int code : {253, 254, 255}) {
        const int opaque = still_.opaquePixels(code % kColumns, code / kColumns);
        EXPECT_GT(opaque, 0) << code;
        // The tile under the cursor stays visible inside the frame.
        EXPECT_LT(opaque, kCell * kCell / 2) << code;
    }
}

TEST_F(PicturesTest, CellsOfDifferentBuildingsDiffer) {
    // A picture copied to a second building would make the two look alike on the map.
    std::set<std::vector<std::uint8_t>> seen;
    for (const auto& [id, def] : table_.definitions()) {
        const ChipBitmap& sheet = def.chipPage == 1 ? motion_ : still_;
        EXPECT_TRUE(seen.insert(sheet.cell(def.chip % kColumns, def.chip / kColumns)).second) << id;
    }
}

struct PngCase {
    const char* path;
    std::uint32_t width;
    std::uint32_t height;
    bool alpha;
};

TEST(PictureFiles, HaveTheirSizes) {
    const PngCase cases[] = {
        {"res/title.png", 770, 320, false},
        {"res/toolbar.png", 640, 30, true},
        {"res/icons/vellmora-16.png", 16, 16, true},
        {"res/icons/vellmora-32.png", 32, 32, true},
        {"res/icons/vellmora-48.png", 48, 48, true},
        {"res/icons/vellmora-64.png", 64, 64, true},
        {"res/icons/vellmora-128.png", 128, 128, true},
        {"res/icons/vellmora-256.png", 256, 256, true},
    };
    for (const PngCase& c : cases) {
        std::string bytes;
        ASSERT_EQ(readWholeFile(programDir() + "/" + c.path, 16u << 20, bytes), kOk) << c.path;
        ASSERT_GE(bytes.size(), 33u) << c.path;
        EXPECT_EQ(bytes.substr(1, 3), "PNG") << c.path;
        EXPECT_EQ(bytes.substr(12, 4), "IHDR") << c.path;
        EXPECT_EQ(be32(bytes, 16), c.width) << c.path;
        EXPECT_EQ(be32(bytes, 20), c.height) << c.path;
        if (c.alpha) {
            EXPECT_EQ(static_cast<unsigned char>(bytes[25]), 6) << c.path << " has no alpha";
        }
    }
    std::string svg;
    ASSERT_EQ(readWholeFile(programDir() + "/res/icons/vellmora.svg", 1u << 20, svg), kOk);
    EXPECT_NE(svg.find("<svg"), std::string::npos);
}

}  // namespace
}  // namespace vellmora
