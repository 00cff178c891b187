// Ordered INI store: sections and keys keep the order in which they were first read or added.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vellmora {

inline constexpr std::size_t kSettingsNamesBuffer = 1024;
inline constexpr std::size_t kSettingsSectionBuffer = 32768;
// Settings files larger than this are not read.
inline constexpr std::size_t kMaxSettingsFileBytes = 16u * 1024u * 1024u;

struct SettingsSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;  // key, value in order
};

class Settings {
public:
    // kOk (also when no file exists: the path is remembered and the store stays as it was);
    // kMissingFile (-2) when the section names do not fit the names buffer (nothing loaded);
    // kUnreadable (-3) when a section did not fit the section buffer (that section stays empty,
    // the others load), or when the file exists but cannot be read (store and path unchanged).
    [[nodiscard]] int load(const std::string& path,
                           std::size_t namesBufferSize = kSettingsNamesBuffer,
                           std::size_t sectionBufferSize = kSettingsSectionBuffer);

    // The value, or nullptr when the section or key is absent. Names compare exactly.
    const std::string* get(std::string_view section, std::string_view key) const;
    void set(std::string_view section, std::string_view key, std::string_view value);

    // Writes "[name]" and "key=value" lines with CR LF, an empty line after each section,
    // atomically. save() uses filePath(). kOk, or kRefused when there is no path or the write
    // fails.
    [[nodiscard]] int save() const;
    [[nodiscard]] int save(const std::string& path) const;

    const std::vector<SettingsSection>& sections() const { return sections_; }
    const std::string& filePath() const { return filePath_; }
    // The bytes save() would write.
    std::string serialize() const;

private:
    SettingsSection* findSection(std::string_view name);
    const SettingsSection* findSection(std::string_view name) const;

    std::vector<SettingsSection> sections_;
    std::string filePath_;
};

}  // namespace vellmora
