// The parameter file reader and every table loader on top of it: rate, price, computer players
// and building data.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "data/building_table.h"
#include "data/param_file.h"
#include "fuzz/fuzz_support.h"
#include "game/ai_params.h"
#include "game/price_table.h"
#include "game/rate_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vellmora;
    ParamFile file;
    if (file.loadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size)) != kOk) {
        return 0;
    }
    for (int row = -1; row <= file.rowCount(); ++row) {
        (void)file.intAt(row, 0);
        (void)file.realAt(row, 1);
        (void)file.cell(row, file.fieldCount(row));
    }

    RateTable rates;
    (void)readRateTable(file, rates);
    PriceTable prices;
    (void)prices.load(file);
    AiParams params;
    (void)readAiParams(file, params);
    AiNames names;
    (void)readAiNames(file, names);

    const std::string path = fuzz::writeScratchFile("blddata", data, size);
    BuildingTable buildings;
    (void)buildings.load(path);
    return 0;
}
