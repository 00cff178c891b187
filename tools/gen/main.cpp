// vellmora-content: writes the game's data files from the UTF-8 sources in content/.
//   text <source> <out>             a parameter file (rate, price, AI, base list) in CP932
//   buildings <source> <out>        the building data ("blddata")
//   accounts <source> <out>         the chart of accounts ("acc.dat")
//   map <params> <blddata> <out>    a town (".zmf") laid out from its parameters
//   show <zmf>                      prints a town as one letter per tile (for checking layouts)
#include <cstdio>
#include <map>
#include <string>
#include <string_view>

#include "data/building_table.h"
#include "data/result_codes.h"
#include "game/map_file.h"
#include "tools/gen/account_gen.h"
#include "tools/gen/building_gen.h"
#include "tools/gen/gen_text.h"
#include "tools/gen/town_plan.h"

namespace vellmora::gen {
namespace {

// The parameter-file reader drops empty fields, which would silently move every later value
// one column to the left; a source may only end a line with commas.
bool checkNoEmptyFields(const std::string& path, const std::vector<std::string>& lines) {
    bool ok = true;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string> fields = splitFields(lines[i]);
        std::size_t last = fields.size();
        while (last > 0 && fields[last - 1].empty()) {
            --last;
        }
        for (std::size_t f = 0; f < last; ++f) {
            if (fields[f].empty()) {
                ok = fail(path + ":" + std::to_string(i + 1), "empty field inside the line");
                break;
            }
        }
    }
    return ok;
}

int convertText(const std::string& source, const std::string& out) {
    std::string text;
    if (!readSource(source, text)) {
        return 1;
    }
    const std::vector<std::string> lines = splitLines(text);
    if (!checkNoEmptyFields(source, lines)) {
        return 1;
    }
    std::vector<std::string> converted;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string bytes;
        if (!toCp932(lines[i], bytes)) {
            fail(source + ":" + std::to_string(i + 1), "a character has no CP932 form");
            return 1;
        }
        converted.push_back(bytes);
    }
    return writeLines(out, converted) ? 0 : 1;
}

int makeBuildings(const std::string& source, const std::string& out) {
    BuildingSource table;
    return readBuildingSource(source, table) && writeBuildingData(table, out) ? 0 : 1;
}

int makeMap(const std::string& paramsPath, const std::string& blddataPath, const std::string& out) {
    TownParams params;
    if (!readTownParams(paramsPath, params)) {
        return 1;
    }
    // The town is checked against the building data as the game reads it.
    BuildingTable table;
    if (table.load(blddataPath) != kOk) {
        fail(blddataPath, "the building data does not load");
        return 1;
    }
    std::map<std::int32_t, TileKind> kinds;
    for (const auto& [id, def] : table.definitions()) {
        kinds[id] = TileKind{def.moveCost, def.buildable, def.customers};
    }
    const TownPlan plan = planTown(params, kinds);
    if (!checkTown(plan, kinds, paramsPath)) {
        return 1;
    }
    MapDescription map;
    map.width = plan.width;
    map.height = plan.height;
    map.buildingIds = plan.ids;
    for (std::int32_t id : plan.ids) {
        map.moveCosts.push_back(kinds[id].moveCost);
    }
    if (!toCp932(params.name, map.title)) {
        fail(paramsPath, "the town name has a character without a CP932 form");
        return 1;
    }
    if (writeMapFile(out, map) != kOk) {
        fail(out, "cannot write the map file");
        return 1;
    }
    return 0;
}

// One letter per kind of tile, so that a layout can be judged in a terminal.
char letterOf(std::int32_t id) {
    if (id >= 20000 && id < 20016) {
        return '.';
    }
    static const std::map<std::int32_t, char> letters = {
        {10000, '_'}, {10001, 'p'}, {10010, ','}, {10011, ','}, {10012, ','}, {21000, '='},
        {21001, '='}, {30000, '~'}, {30001, 'o'}, {40000, 't'}, {40001, 't'}, {40002, 'o'},
        {40003, 'j'}, {50000, 'h'}, {50001, 'H'}, {50002, 'a'}, {50003, 'm'}, {50004, 'D'},
        {50005, 'M'}, {60000, 's'}, {60001, 'S'}, {60002, 'o'}, {60003, 'O'}, {60004, 'k'},
        {60005, '+'}, {60006, 'f'}, {70000, '#'}, {70001, '-'}, {70002, '|'}, {70003, '*'}};
    auto it = letters.find(id);
    return it == letters.end() ? '?' : it->second;
}

int showMap(const std::string& path) {
    MapChunk root;
    std::int32_t w = 0, h = 0;
    if (readMapFile(path, root) != kOk || !root.readInt32(256, w) || !root.readInt32(260, h)) {
        fail(path, "not a map file");
        return 1;
    }
    for (int y = 0; y < h; ++y) {
        std::string line;
        for (int x = 0; x < w; ++x) {
            std::int32_t id = 0;
            (void)root.readInt32(264 + 4 * static_cast<std::size_t>(y * w + x), id);
            line += letterOf(id);
        }
        std::printf("%s\n", line.c_str());
    }
    return 0;
}

}  // namespace
}  // namespace vellmora::gen

int main(int argc, char** argv) {
    using namespace vellmora::gen;
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "text" && argc == 4) {
        return convertText(argv[2], argv[3]);
    }
    if (command == "buildings" && argc == 4) {
        return makeBuildings(argv[2], argv[3]);
    }
    if (command == "accounts" && argc == 4) {
        return writeAccountData(argv[2], argv[3]) ? 0 : 1;
    }
    if (command == "map" && argc == 5) {
        return makeMap(argv[2], argv[3], argv[4]);
    }
    if (command == "show" && argc == 3) {
        return showMap(argv[2]);
    }
    std::fprintf(stderr,
                 "usage: vellmora-content text|buildings|accounts <source> <out>\n"
                 "       vellmora-content map <params> <blddata> <out>\n");
    return 2;
}
