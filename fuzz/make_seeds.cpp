// Writes the binary fuzz seeds that no build step makes already: a score file with a few wins.
// Usage: make_seeds FOLDER (writes FOLDER/score_file/list.zrf).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "data/score_file.h"
#include "data/score_list.h"
#include "data/score_record.h"

int main(int argc, char** argv) {
    using namespace vellmora;
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds FOLDER\n");
        return 2;
    }
    ScoreList list("seed", 5, 5);
    for (int i = 0; i < 4; ++i) {
        const LocalDateTime when{2026, 1 + i, 10 + i, 12, 30, 0};
        ScoreResults results{};
        results.competitors = 1 + i % 3;
        results.researchLevel = 10 * i;
        results.difficulty = i % 5;
        auto record = std::make_unique<ScoreRecord>(when, 3 + i, 1 + i, results);
        (void)list.insert(record, results.difficulty);
    }
    const std::filesystem::path folder = std::filesystem::path(argv[1]) / "score_file";
    std::filesystem::create_directories(folder);
    const std::vector<std::uint8_t> bytes = encodeScoreFile(list, 4321);
    std::ofstream out(folder / "list.zrf", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return out ? 0 : 1;
}
