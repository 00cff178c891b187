#include "data/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace vellmora {
namespace {

// "店長" in CP932 and UTF-8.
const std::string kTenchoCp932 = "\x93\x58\x92\xB7";
const std::string kTenchoUtf8 = "\xE5\xBA\x97\xE9\x95\xB7";

TEST(TextEncodingTest, RoundTripAndKatakanaBackslash) {
    EXPECT_EQ(cp932ToUtf8(kTenchoCp932), kTenchoUtf8);
    EXPECT_EQ(utf8ToCp932(kTenchoUtf8), kTenchoCp932);
    // Half-width katakana (single byte) and plain ASCII with a backslash path separator.
    EXPECT_EQ(cp932ToUtf8("zdt\\\xB1"), "zdt\\\xEF\xBD\xB1");
    EXPECT_EQ(utf8ToCp932("zdt\\\xEF\xBD\xB1"), "zdt\\\xB1");
    EXPECT_EQ(cp932ToUtf8(""), "");
}

TEST(TextEncodingTest, InvalidInputIsReplacedNotDropped) {
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(cp932ToUtf8("a\xA0"
                          "b"),
              "a" + replacement + "b");
    EXPECT_EQ(cp932ToUtf8("a\x93"), "a" + replacement);  // cut double-byte character at the end
    EXPECT_EQ(utf8ToCp932("a\xFF"
                          "b"),
              "a?b");
    EXPECT_EQ(utf8ToCp932("a\xE5\xBA"), "a?");
    // A character with no CP932 form (U+1F600) becomes one "?" and the rest survives.
    EXPECT_EQ(utf8ToCp932("\xF0\x9F\x98\x80" + kTenchoUtf8), "?" + kTenchoCp932);
    std::string binary;
    for (int i = 0; i < 256; ++i) {
        binary.push_back(static_cast<char>(i));
    }
    EXPECT_FALSE(cp932ToUtf8(binary).empty());
    EXPECT_FALSE(utf8ToCp932(binary).empty());
}

TEST(TextEncodingTest, CutNeverSplitsADoubleByteCharacter) {
    const std::string mixed = "a" + kTenchoCp932 + "\xB1";  // a, 2 double-byte, 1 katakana: 6 bytes
    const std::pair<std::size_t, std::string> cases[] = {
        {0, ""},          {1, "a"},         {2, "a"},
        {3, "a\x93\x58"}, {4, "a\x93\x58"}, {5, "a" + kTenchoCp932},
        {6, mixed},       {100, mixed},
    };
    for (const auto& [limit, expected] : cases) {
        EXPECT_EQ(cutCp932(mixed, limit), expected) << limit;
    }
    // A trailing lead byte without its partner is dropped; a trail byte in 0x40-0x7E is not a lead.
    EXPECT_EQ(cutCp932("ab\x81", 10), "ab");
    EXPECT_EQ(cutCp932("\x81\x5C"
                       "c",
                       2),
              "\x81\x5C");
    EXPECT_EQ(cutCp932("\xE0\x40\xFC\x40", 3), "\xE0\x40");
}

}  // namespace
}  // namespace vellmora
