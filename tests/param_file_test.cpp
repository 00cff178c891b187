#include "data/param_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/result_codes.h"
#include "support/temp_dir.h"

namespace vellmora {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows rowsOf(const ParamFile& file) {
    Rows rows;
    for (int r = 0; r < file.rowCount(); ++r) {
        std::vector<std::string> row;
        for (int f = 0; f < file.fieldCount(r); ++f) {
            row.emplace_back(file.cellView(r, f));
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(ParamFileTest, SplitsLinesAndFields) {
    struct Case {
        const char* name;
        std::string bytes;
        Rows rows;
    };
    const std::vector<Case> cases = {
        {"tag then value row", "[budget]\nlabel,1,2,3", {{"[budget]"}, {"label", "1", "2", "3"}}},
        {"runs of commas and edge commas", ",a,,b,", {{"a", "b"}}},
        {"two commas between words", "one,,two", {{"one", "two"}}},
        {"line of commas keeps the commas", ",,,", {{",,,"}}},
        {"empty line is one empty field", "a\n\nb", {{"a"}, {""}, {"b"}}},
        {"trailing line feed adds an empty row", "a\nb\n", {{"a"}, {"b"}, {""}}},
        {"CR before LF dropped", "a,b\r\nc\r\n", {{"a", "b"}, {"c"}, {""}}},
        {"lone CR at end kept", "a\r", {{"a\r"}}},
        {"spaces and tabs stay", " a ,\tb", {{" a ", "\tb"}}},
        {"empty file has no rows", "", {}},
        {"single line feed", "\n", {{""}, {""}}},
    };
    for (const Case& c : cases) {
        ParamFile file;
        ASSERT_EQ(file.loadFromBytes(c.bytes), kOk) << c.name;
        EXPECT_EQ(rowsOf(file), c.rows) << c.name;
    }
}

TEST(ParamFileTest, LongLinesAndBinaryBytesLoadWithoutLoss) {
    std::string longLine(5000, 'x');
    std::string binary = longLine + ",";
    binary.push_back('\0');
    binary += "\xff\x81,z";
    ParamFile file;
    ASSERT_EQ(file.loadFromBytes(binary), kOk);
    ASSERT_EQ(file.rowCount(), 1);
    ASSERT_EQ(file.fieldCount(0), 3);
    EXPECT_EQ(file.cellView(0, 0), longLine);
    EXPECT_EQ(file.cellView(0, 1), std::string("\0\xff\x81", 3));
    EXPECT_STREQ(file.cell(0, 2), "z");
}

TEST(ParamFileTest, MissingCells) {
    ParamFile file;
    EXPECT_TRUE(file.isMissing(0, 0));  // no rows at all
    ASSERT_EQ(file.loadFromBytes("a,b\nc"), kOk);
    EXPECT_FALSE(file.isMissing(0, 1));
    for (auto [row, field] :
         std::vector<std::pair<int, int>>{{0, 5}, {0, 2}, {0, -1}, {-1, 0}, {2, 0}, {1, 1}}) {
        EXPECT_TRUE(file.isMissing(row, field)) << row << "," << field;
        EXPECT_EQ(file.cell(row, field), nullptr);
        EXPECT_EQ(file.intAt(row, field), 0);
        EXPECT_EQ(file.realAt(row, field), 0.0);
    }
    EXPECT_EQ(file.fieldCount(7), 0);
}

TEST(ParamFileTest, IntegerConversion) {
    const std::vector<std::pair<std::string, int>> cases = {
        {" 42", 42},
        {"12abc", 12},
        {"x", 0},
        {"", 0},
        {"-7", -7},
        {"+8", 8},
        {"\t\r\n 3", 3},
        {"- 3", 0},
        {"4.9", 4},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"0x1F", 0},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParamFile::parseInt(text), expected) << '"' << text << '"';
    }
}

TEST(ParamFileTest, RealConversion) {
    const std::vector<std::pair<std::string, double>> cases = {
        {"4.5e1", 45.0}, {" -0.25", -0.25}, {".5", 0.5},
        {"5.", 5.0},     {"3e", 3.0},       {"2e+2x", 200.0},
        {"1E-1", 0.1},   {"a", 0.0},        {".", 0.0},
        {"inf", 0.0},    {"nan", 0.0},      {"0x10", 0.0},
        {"1e999", 0.0},  {"7,5", 7.0},      {"1e00000000000000002", 100.0},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_DOUBLE_EQ(ParamFile::parseReal(text), expected) << '"' << text << '"';
    }
}

TEST(ParamFileTest, HeaderAndSections) {
    ParamFile file;
    ASSERT_EQ(file.loadFromBytes(
                  "Quillmarch_RATE,10000\n[System]\nx,1\n[other]\n[SYSTEM]\nx,2\n[systemx]"),
              kOk);
    EXPECT_EQ(file.checkHeader("quillmarch_rate", MagicCompare::IgnoreAsciiCase), kOk);
    EXPECT_EQ(file.checkHeader("quillmarch_rate", MagicCompare::Exact), kRefused);
    EXPECT_EQ(file.checkHeader("quillmarch_price", MagicCompare::IgnoreAsciiCase), kRefused);
    EXPECT_EQ(file.findSectionRows("[system]"), (std::vector<int>{1, 4}));
    EXPECT_TRUE(file.findSectionRows("[none]").empty());

    const std::vector<std::string> refused = {"quillmarch_rate,10001", "quillmarch_rate", "",
                                              "quillmarch_rate,x", "quillmarch_ratE \t,10000"};
    for (const std::string& bytes : refused) {
        ASSERT_EQ(file.loadFromBytes(bytes), kOk);
        EXPECT_EQ(file.checkHeader("quillmarch_rate", MagicCompare::IgnoreAsciiCase), kRefused)
            << bytes;
    }
    // Only ASCII letters fold: a non-ASCII byte must match exactly.
    EXPECT_FALSE(ParamFile::equalsIgnoreAsciiCase("\xe0", "\xc0"));
}

TEST(ParamFileTest, RefusedLoadKeepsPreviousContents) {
    test::TempDir dir;
    std::string good = dir.write("good.txt", "a,b\n");
    std::string big = dir.write("big.txt", std::string(kMaxParamFileBytes + 1, ','));
    ParamFile file;
    ASSERT_EQ(file.load(good), kOk);
    EXPECT_EQ(file.path(), good);
    for (const std::string& path :
         {dir.file("absent.txt"), big, dir.path().string(), std::string()}) {
        EXPECT_EQ(file.load(path), kRefused) << path;
        EXPECT_EQ(file.path(), good);
        EXPECT_EQ(file.rowCount(), 2);
        EXPECT_STREQ(file.cell(0, 1), "b");
    }
}

}  // namespace
}  // namespace vellmora
