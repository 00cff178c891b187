#include "data/param_file.h"

#include <charconv>
#include <cstdint>
#include <limits>

#include "data/file_io.h"
#include "data/result_codes.h"

namespace vellmora {
namespace {

bool isCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Where the digits of a C-style number start: past leading white space and one optional sign.
std::size_t skipSpaceAndSign(std::string_view text, bool& negative) {
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i])) {
        ++i;
    }
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    return i;
}

}  // namespace

int ParamFile::load(const std::string& path) {
    std::string bytes;
    if (readWholeFile(path, kMaxParamFileBytes, bytes) != kOk) {
        return kRefused;
    }
    return loadFromBytes(bytes, path);
}

int ParamFile::loadFromBytes(std::string_view bytes, const std::string& path) {
    if (bytes.size() > kMaxParamFileBytes) {
        return kRefused;
    }
    std::string buffer;
    std::vector<Field> fields;
    std::vector<std::uint32_t> rowFirst;
    buffer.reserve(bytes.size() + bytes.size() / 2 + 16);

    auto addField = [&](std::string_view text) {
        fields.push_back(
            {static_cast<std::uint32_t>(buffer.size()), static_cast<std::uint32_t>(text.size())});
        buffer.append(text);
        buffer.push_back('\0');
    };

    // An empty file has no lines at all; otherwise every line feed ends one line, and the text
    // after the last line feed (empty when the file ends with one) is the last line.
    std::size_t lineStart = 0;
    while (!bytes.empty()) {
        std::size_t lineFeed = bytes.find('\n', lineStart);
        std::size_t lineEnd = lineFeed == std::string_view::npos ? bytes.size() : lineFeed;
        std::string_view line = bytes.substr(lineStart, lineEnd - lineStart);
        if (lineFeed != std::string_view::npos && !line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        rowFirst.push_back(static_cast<std::uint32_t>(fields.size()));
        std::size_t fieldStart = 0;
        bool any = false;
        while (fieldStart <= line.size()) {
            std::size_t comma = line.find(',', fieldStart);
            std::size_t fieldEnd = comma == std::string_view::npos ? line.size() : comma;
            if (fieldEnd > fieldStart) {
                addField(line.substr(fieldStart, fieldEnd - fieldStart));
                any = true;
            }
            if (comma == std::string_view::npos) {
                break;
            }
            fieldStart = comma + 1;
        }
        if (!any) {
            addField(line);
        }
        if (lineFeed == std::string_view::npos) {
            break;
        }
        lineStart = lineFeed + 1;
    }

    buffer_ = std::move(buffer);
    fields_ = std::move(fields);
    rowFirst_ = std::move(rowFirst);
    path_ = path;
    return kOk;
}

int ParamFile::rowCount() const {
    return static_cast<int>(rowFirst_.size());
}

int ParamFile::fieldCount(int row) const {
    if (row < 0 || row >= rowCount()) {
        return 0;
    }
    std::size_t index = static_cast<std::size_t>(row);
    std::size_t end = index + 1 < rowFirst_.size() ? rowFirst_[index + 1] : fields_.size();
    return static_cast<int>(end - rowFirst_[index]);
}

bool ParamFile::isMissing(int row, int field) const {
    return row < 0 || row >= rowCount() || field < 0 || field >= fieldCount(row);
}

const char* ParamFile::cell(int row, int field) const {
    if (isMissing(row, field)) {
        return nullptr;
    }
    const Field& f =
        fields_[rowFirst_[static_cast<std::size_t>(row)] + static_cast<std::size_t>(field)];
    return buffer_.data() + f.begin;
}

std::string_view ParamFile::cellView(int row, int field) const {
    if (isMissing(row, field)) {
        return {};
    }
    const Field& f =
        fields_[rowFirst_[static_cast<std::size_t>(row)] + static_cast<std::size_t>(field)];
    return std::string_view(buffer_.data() + f.begin, f.length);
}

int ParamFile::intAt(int row, int field) const {
    return parseInt(cellView(row, field));
}

double ParamFile::realAt(int row, int field) const {
    return parseReal(cellView(row, field));
}

std::vector<int> ParamFile::findSectionRows(std::string_view tag) const {
    std::vector<int> rows;
    for (int row = 0; row < rowCount(); ++row) {
        if (!isMissing(row, 0) && equalsIgnoreAsciiCase(cellView(row, 0), tag)) {
            rows.push_back(row);
        }
    }
    return rows;
}

int ParamFile::checkHeader(std::string_view magic, MagicCompare compare) const {
    if (isMissing(0, 0) || isMissing(0, 1)) {
        return kRefused;
    }
    std::string_view word = cellView(0, 0);
    bool same = compare == MagicCompare::Exact ? word == magic : equalsIgnoreAsciiCase(word, magic);
    return same && intAt(0, 1) == kParamFileVersion ? kOk : kRefused;
}

int ParamFile::parseInt(std::string_view text) {
    bool negative = false;
    std::size_t i = skipSpaceAndSign(text, negative);
    constexpr std::int64_t kLimit = static_cast<std::int64_t>(std::numeric_limits<int>::max()) + 1;
    std::int64_t value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kLimit) {
            value = kLimit;  // keep going over the digits, the result is saturated anyway
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(value);
}

double ParamFile::parseReal(std::string_view text) {
    bool negative = false;
    std::size_t i = skipSpaceAndSign(text, negative);
    std::string number;
    std::size_t digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++digits) {
        number.push_back(text[i]);
    }
    if (number.empty()) {
        number.push_back('0');
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        number.push_back('.');
        for (; i < text.size() && isDigit(text[i]); ++i, ++digits) {
            number.push_back(text[i]);
        }
        number.push_back('0');
    }
    if (digits == 0) {
        return 0.0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            exponent.push_back(text[j]);
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            for (; j < text.size() && isDigit(text[j]); ++j) {
                bool leadingZero = text[j] == '0' && !isDigit(exponent.back());
                // Beyond a dozen digits every value is out of range, which reads as 0 anyway.
                if (!leadingZero && exponent.size() < 12) {
                    exponent.push_back(text[j]);
                }
            }
            if (!isDigit(exponent.back())) {
                exponent.push_back('0');
            }
            number += exponent;
        }
    }
    double value = 0.0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

bool ParamFile::equalsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace vellmora
