#include "tools/gen/account_gen.h"

#include <array>
#include <vector>

#include "data/account_container.h"
#include "data/result_codes.h"
#include "game/account_chart.h"
#include "tools/gen/gen_text.h"

namespace vellmora::gen {

namespace {

// The accounts every firm's finance posts to.
constexpr std::array<int, 18> kFinanceCodes = {1101, 1151, 2101, 3101, 3102, 4101,
                                               5101, 5102, 5103, 5201, 5301, 5302,
                                               5303, 5151, 5501, 5502, 5599, 9101};

}  // namespace

bool writeAccountData(const std::string& sourcePath, const std::string& outPath) {
    std::string text;
    if (!readSource(sourcePath, text)) {
        return false;
    }
    std::vector<AccountTitle> records;
    bool ok = true;
    const std::vector<std::string> lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string where = sourcePath + ":" + std::to_string(i + 1);
        if (lines[i].empty() || lines[i].starts_with("#")) {
            continue;
        }
        const std::vector<std::string> f = splitFields(lines[i]);
        long long code = 0, type = 0, group = 0;
        AccountTitle record;
        if (f.size() != 4 || !parseInteger(f[0], code) || !parseInteger(f[1], type) ||
            !parseInteger(f[2], group) || f[3].empty()) {
            ok = fail(where, "expected code,type,group,title");
            continue;
        }
        if (!toCp932(f[3], record.title)) {
            ok = fail(where, "the title has a character without a CP932 form");
            continue;
        }
        if (record.title.size() > kMaxAccountTitleBytes) {
            ok = fail(where, "the title is longer than 63 bytes in CP932");
            continue;
        }
        record.code = static_cast<int>(code);
        record.type = static_cast<int>(type);
        record.group = static_cast<int>(group);
        record.sign = accountSign(record.type);
        records.push_back(record);
    }
    if (!ok) {
        return false;
    }
    const std::vector<std::uint8_t> header =
        AccountChart::encodeHeader(static_cast<std::uint32_t>(records.size()), kAccountTitleField);
    const std::vector<std::uint8_t> body = AccountChart::encodeRecords(records, kAccountTitleField);

    AccountChart check;
    const int loaded = check.load(header, body, kFinanceCodes);
    if (loaded != kOk) {
        return fail(sourcePath,
                    "the ledger refuses the chart (code " + std::to_string(loaded) + ")");
    }
    if (check.summaryCode() != 9101 || check.retainedEarningsCode() != 3102) {
        return fail(sourcePath, "9101 must be the summary and 3102 the retained earnings");
    }
    const std::string bytes = buildAccountContainer({{"ahd", header}, {"acc", body}});
    if (bytes.empty()) {
        return fail(outPath, "the container could not be built");
    }
    return writeBytes(outPath, bytes);
}

}  // namespace vellmora::gen
