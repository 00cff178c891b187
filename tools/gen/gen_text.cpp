#include "tools/gen/gen_text.h"

#include <charconv>
#include <cstdio>

#include "data/file_io.h"
#include "data/result_codes.h"
#include "data/text_encoding.h"

namespace vellmora::gen {

namespace {
constexpr std::size_t kMaxSourceBytes = 4u * 1024u * 1024u;
}

bool fail(std::string_view context, std::string_view message) {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(context.size()), context.data(),
                 static_cast<int>(message.size()), message.data());
    return false;
}

bool readSource(const std::string& path, std::string& out) {
    if (readWholeFile(path, kMaxSourceBytes, out) != kOk) {
        return fail(path, "cannot read the source file");
    }
    // A byte-order mark would become part of the first field.
    if (out.starts_with("\xEF\xBB\xBF")) {
        out.erase(0, 3);
    }
    return true;
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> splitFields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            fields.emplace_back(line.substr(start));
            return fields;
        }
        fields.emplace_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

bool toCp932(std::string_view utf8, std::string& cp932) {
    cp932 = utf8ToCp932(utf8);
    // The converter never fails; a lossy character shows up when converting back.
    return cp932ToUtf8(cp932) == utf8;
}

bool writeBytes(const std::string& path, std::string_view bytes) {
    if (writeFileAtomically(path, bytes, AtomicWriteOptions{.createParentFolder = true}) != kOk) {
        return fail(path, "cannot write the file");
    }
    return true;
}

bool writeLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return writeBytes(path, bytes);
}

bool parseInteger(std::string_view text, long long& value) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace vellmora::gen
