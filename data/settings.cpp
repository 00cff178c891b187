#include "data/settings.h"

#include <unordered_set>

#include "data/file_io.h"
#include "data/result_codes.h"

namespace vellmora {
namespace {

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

struct ParsedSection {
    std::string name;
    std::vector<std::string_view> lines;  // "key=value" lines, trimmed
};

// Sections in file order; a name that occurs again adds nothing (lookups find the first).
std::vector<ParsedSection> parseIni(std::string_view bytes) {
    std::vector<ParsedSection> sections;
    std::unordered_set<std::string_view> seen;
    ParsedSection* current = nullptr;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        std::string_view line = trim(bytes.substr(start, end - start));
        start = end + 1;
        if (line.empty()) {
            continue;
        }
        if (line.front() == '[') {
            std::size_t close = line.find(']');
            std::string_view name =
                close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1);
            current = nullptr;
            // A set keeps this linear in the number of sections: a file of nothing but
            // section lines must not take quadratic time.
            if (seen.insert(name).second) {
                sections.push_back({std::string(name), {}});
                current = &sections.back();
            }
            continue;
        }
        if (current != nullptr && line.front() != ';' && line.find('=') != std::string_view::npos) {
            current->lines.push_back(line);
        }
    }
    return sections;
}

// The platform reports a buffer that was filled (or overflowed) as its size minus 2.
bool fillsBuffer(std::size_t needed, std::size_t bufferSize) {
    return needed + 2 >= bufferSize;
}

void appendClean(std::string& out, std::string_view text) {
    for (char c : text) {
        out.push_back(c == '\r' || c == '\n' ? ' ' : c);
    }
}

}  // namespace

int Settings::load(const std::string& path, std::size_t namesBufferSize,
                   std::size_t sectionBufferSize) {
    if (!pathExists(path)) {
        filePath_ = path;
        return kOk;
    }
    std::string bytes;
    if (readWholeFile(path, kMaxSettingsFileBytes, bytes) != kOk) {
        return kUnreadable;
    }
    std::vector<ParsedSection> parsed = parseIni(bytes);
    std::size_t namesLength = 0;
    for (const ParsedSection& section : parsed) {
        namesLength += section.name.size() + 1;
    }
    if (fillsBuffer(namesLength, namesBufferSize)) {
        return kMissingFile;
    }
    filePath_ = path;
    int result = kOk;
    for (const ParsedSection& section : parsed) {
        if (findSection(section.name) == nullptr) {
            sections_.push_back({section.name, {}});
        }
        std::size_t sectionLength = 0;
        for (std::string_view line : section.lines) {
            sectionLength += line.size() + 1;
        }
        if (fillsBuffer(sectionLength, sectionBufferSize)) {
            result = kUnreadable;
            continue;
        }
        // Sets, not scans: a section of many keys must load in linear time.
        SettingsSection& target = *findSection(section.name);
        // Copies: the entries below may move the strings of the earlier ones.
        std::unordered_set<std::string> keysBefore;
        for (const auto& entry : target.entries) {
            keysBefore.insert(entry.first);
        }
        std::unordered_set<std::string_view> keysRead;
        for (std::string_view line : section.lines) {
            std::size_t equals = line.find('=');
            std::string_view key = trim(line.substr(0, equals));
            if (!keysRead.insert(key).second) {
                continue;  // the first entry of a key is the one a lookup finds
            }
            const std::string_view value = trim(line.substr(equals + 1));
            if (keysBefore.count(std::string(key)) != 0) {
                set(section.name, key, value);
            } else {
                target.entries.emplace_back(std::string(key), std::string(value));
            }
        }
    }
    return result;
}

const std::string* Settings::get(std::string_view section, std::string_view key) const {
    const SettingsSection* s = findSection(section);
    if (s == nullptr) {
        return nullptr;
    }
    for (const auto& [k, v] : s->entries) {
        if (k == key) {
            return &v;
        }
    }
    return nullptr;
}

void Settings::set(std::string_view section, std::string_view key, std::string_view value) {
    SettingsSection* s = findSection(section);
    if (s == nullptr) {
        sections_.push_back({std::string(section), {}});
        s = &sections_.back();
    }
    for (auto& [k, v] : s->entries) {
        if (k == key) {
            v = value;
            return;
        }
    }
    s->entries.emplace_back(std::string(key), std::string(value));
}

std::string Settings::serialize() const {
    std::string out;
    for (const SettingsSection& section : sections_) {
        out += '[';
        appendClean(out, section.name);
        out += "]\r\n";
        for (const auto& [key, value] : section.entries) {
            appendClean(out, key);
            out += '=';
            appendClean(out, value);
            out += "\r\n";
        }
        out += "\r\n";
    }
    return out;
}

int Settings::save() const {
    return save(filePath_);
}

int Settings::save(const std::string& path) const {
    if (path.empty()) {
        return kRefused;
    }
    return writeFileAtomically(path, serialize()) == kOk ? kOk : kRefused;
}

SettingsSection* Settings::findSection(std::string_view name) {
    for (SettingsSection& s : sections_) {
        if (s.name == name) {
            return &s;
        }
    }
    return nullptr;
}

const SettingsSection* Settings::findSection(std::string_view name) const {
    for (const SettingsSection& s : sections_) {
        if (s.name == name) {
            return &s;
        }
    }
    return nullptr;
}

}  // namespace vellmora
