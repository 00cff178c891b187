#include "data/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace vellmora {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) {
            iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return handle_; }

private:
    iconv_t handle_;
};

// Bytes to skip for one bad character: 1 for a stray byte, or the UTF-8 sequence that
// could not be mapped (only as far as its continuation bytes are well formed).
using SkipRule = std::size_t (*)(const unsigned char* at, std::size_t left);

std::size_t skipOneByte(const unsigned char*, std::size_t) {
    return 1;
}

std::size_t skipUtf8Sequence(const unsigned char* at, std::size_t left) {
    unsigned char lead = at[0];
    std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                         : lead >= 0xE0 && lead <= 0xEF ? 3
                         : lead >= 0xC2 && lead <= 0xDF ? 2
                                                        : 1;
    std::size_t skip = 1;
    while (skip < length && skip < left && (at[skip] & 0xC0) == 0x80) {
        ++skip;
    }
    return skip;
}

std::string convert(std::string_view input, const char* to, const char* from,
                    std::string_view replacement, SkipRule skipRule) {
    Converter converter(to, from);
    if (!converter.valid()) {
        return std::string(input);
    }
    std::string out;
    std::vector<char> buffer(input.size() * 2 + 16);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        std::size_t result = iconv(converter.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), buffer.size() - outLeft);
        if (result != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            continue;
        }
        // EILSEQ (bad or unmappable) or EINVAL (cut off at the end): replace and go on.
        out.append(replacement);
        std::size_t skip = skipRule(reinterpret_cast<const unsigned char*>(in), inLeft);
        in += skip;
        inLeft -= skip;
        iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

}  // namespace

std::string cp932ToUtf8(std::string_view cp932) {
    return convert(cp932, "UTF-8", "CP932", "\xEF\xBF\xBD", skipOneByte);
}

std::string utf8ToCp932(std::string_view utf8) {
    return convert(utf8, "CP932", "UTF-8", "?", skipUtf8Sequence);
}

std::size_t cp932PrefixLength(std::string_view text, std::size_t maxBytes) {
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t width = isCp932LeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + width > maxBytes || i + width > text.size()) {
            break;
        }
        i += width;
    }
    return i;
}

std::string cutCp932(std::string_view text, std::size_t maxBytes) {
    return std::string(text.substr(0, cp932PrefixLength(text, maxBytes)));
}

}  // namespace vellmora
