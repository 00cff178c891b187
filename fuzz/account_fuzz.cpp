// The account container and the chart of accounts in its "ahd" and "acc" blobs.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "data/account_container.h"
#include "game/account_chart.h"

namespace {

constexpr int kRequiredCodes[] = {1101, 3101, 4101, 5101, 5102, 5103, 5151, 5201, 5301, 5302, 5303};

void loadChart(std::span<const std::uint8_t> header, std::span<const std::uint8_t> records) {
    vellmora::AccountChart chart;
    (void)chart.load(header, records, kRequiredCodes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vellmora;
    AccountContainer container;
    if (container.openBytes(std::string_view(reinterpret_cast<const char*>(data), size)) == kOk) {
        auto header = container.blob("ahd");
        auto records = container.blob("acc");
        if (header && records) {
            loadChart(*header, *records);
        }
    }
    // The chart reader on raw bytes too: the first eight bytes as the header blob.
    const std::span<const std::uint8_t> bytes(data, size);
    if (size >= 8) {
        loadChart(bytes.first(8), bytes.subspan(8));
    }
    return 0;
}
