// CP932 (Japanese Windows code page) text next to UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vellmora {

// Invalid or unmappable bytes become U+FFFD; never fails.
std::string cp932ToUtf8(std::string_view cp932);
// Invalid UTF-8 or characters without a CP932 form become "?"; never fails.
std::string utf8ToCp932(std::string_view utf8);

// True for a CP932 lead byte (0x81-0x9F, 0xE0-0xFC).
constexpr bool isCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
// The longest prefix of at most maxBytes bytes that does not split a double-byte character
// (a lead byte at the very end of the text is dropped as well).
std::size_t cp932PrefixLength(std::string_view text, std::size_t maxBytes);
std::string cutCp932(std::string_view text, std::size_t maxBytes);

}  // namespace vellmora
