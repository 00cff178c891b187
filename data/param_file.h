// Comma-separated text tables: rows of fields, a magic word and version in row 0, and
// section tags in brackets ("[system]").
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vellmora {

// Files larger than this are refused; real tables are a few kilobytes.
inline constexpr std::size_t kMaxParamFileBytes = 4u * 1024u * 1024u;
inline constexpr int kParamFileVersion = 10000;

enum class MagicCompare { IgnoreAsciiCase, Exact };

class ParamFile {
public:
    // kOk; kRefused when the file is missing, unreadable or larger than kMaxParamFileBytes
    // (the previous rows and path are then kept).
    [[nodiscard]] int load(const std::string& path);
    // Same rules on bytes held in memory; `path` is stored as the file's path.
    [[nodiscard]] int loadFromBytes(std::string_view bytes, const std::string& path = {});

    int rowCount() const;
    // Number of fields of a row; 0 for a row that does not exist.
    int fieldCount(int row) const;
    bool isMissing(int row, int field) const;
    // Zero-terminated text of the field, or nullptr when missing. Valid until the next load.
    const char* cell(int row, int field) const;
    // Text of the field; empty when missing (use isMissing to tell the two apart).
    std::string_view cellView(int row, int field) const;
    // C-like conversions of a cell; 0 when the cell is missing.
    int intAt(int row, int field) const;
    double realAt(int row, int field) const;

    const std::string& path() const { return path_; }

    // Rows whose field 0 equals `tag` ignoring the case of ASCII letters, in file order.
    std::vector<int> findSectionRows(std::string_view tag) const;
    // kOk when row 0 holds `magic` in field 0 (compared as asked) and 10000 in field 1, else
    // kRefused.
    [[nodiscard]] int checkHeader(std::string_view magic, MagicCompare compare) const;

    // The number rules of the format: leading white space, optional sign, decimal digits up to
    // the first other character; 0 when there are none. Integers saturate at the 32-bit limits.
    static int parseInt(std::string_view text);
    // Decimal real with optional fraction and exponent; no hex, inf or nan. Out of range gives 0.
    static double parseReal(std::string_view text);
    static bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b);

private:
    struct Field {
        std::uint32_t begin;
        std::uint32_t length;
    };
    std::string buffer_;                   // file bytes, each field followed by a '\0'
    std::vector<Field> fields_;            // all fields, row after row
    std::vector<std::uint32_t> rowFirst_;  // index of each row's first field in fields_
    std::string path_;
};

}  // namespace vellmora
