// The folders depend on each other one way only: every project include of a source file names a
// folder that its own folder may use.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The layers each layer may include from, besides itself.
const std::map<std::string, std::set<std::string>>& allowedIncludes() {
    static const std::map<std::string, std::set<std::string>> allowed{
        {"data", {}},
        {"game", {"data"}},
        {"audio", {"data"}},
        {"app/framework", {}},
        {"resources", {"data", "game"}},
        {"dialogs", {"data", "game", "resources", "audio", "app/framework"}},
        {"app", {"data", "game", "resources", "audio", "dialogs", "app/framework"}},
    };
    return allowed;
}

// The layer of a path relative to the source folder: its first folder, or the framework's.
std::string layerOf(const std::string& path) {
    if (path.starts_with("app/framework/")) {
        return "app/framework";
    }
    const std::size_t slash = path.find('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The project headers a file includes, as written ("game/town_map.h").
std::vector<std::string> projectIncludes(const fs::path& file) {
    std::vector<std::string> includes;
    std::ifstream in(file);
    std::string line;
    const std::string directive = "#include \"";
    while (std::getline(in, line)) {
        const std::size_t at = line.find(directive);
        if (at != 0) {
            continue;
        }
        const std::size_t start = at + directive.size();
        const std::size_t end = line.find('"', start);
        if (end != std::string::npos) {
            includes.push_back(line.substr(start, end - start));
        }
    }
    return includes;
}

TEST(Layers, EveryIncludeRunsDownwards) {
    const char* source = std::getenv("VELLMORA_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const fs::path root(source);
    int checked = 0;
    for (const char* folder : {"data", "game", "audio", "resources", "dialogs", "app"}) {
        ASSERT_TRUE(fs::is_directory(root / folder)) << folder;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / folder)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h")) {
                continue;
            }
            const std::string file = fs::relative(entry.path(), root).generic_string();
            const std::string layer = layerOf(file);
            const std::set<std::string>& allowed = allowedIncludes().at(layer);
            for (const std::string& include : projectIncludes(entry.path())) {
                const std::string target = layerOf(include);
                if (target == layer || !allowedIncludes().contains(target)) {
                    continue;
                }
                EXPECT_TRUE(allowed.contains(target)) << file << " includes " << include;
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}

}  // namespace
