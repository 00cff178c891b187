// The chart of accounts: one record per account (code, type, statement group, title), read from
// the "ahd" and "acc" blobs of the account data container.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vellmora {

// Account types of the chart.
inline constexpr int kAssetType = 1;
inline constexpr int kLiabilityType = 2;
inline constexpr int kEquityType = 3;
inline constexpr int kRevenueType = 4;
inline constexpr int kExpenseType = 5;

// Groups that mark the profit-and-loss summary and the retained-earnings account.
inline constexpr int kSummaryGroup = 999;
inline constexpr int kEquitySummaryGroup = 261;

// Titles hold at most this many bytes of text (plus the terminator in the file).
inline constexpr std::size_t kMaxAccountTitleBytes = 63;

// Result codes of AccountChart::load besides kOk and kMissingFile (a blob is absent or empty).
// The blobs are inconsistent: short header, records beyond the data, a title over 63 bytes or a
// code given twice.
inline constexpr int kChartMalformed = -4;
// The chart lacks one of the codes the finance needs, a profit-and-loss summary account or a
// retained-earnings account.
inline constexpr int kChartIncomplete = -5;

struct AccountTitle {
    int code = 0;
    int type = 0;
    int group = 0;
    std::string title;  // CP932 bytes, shown unchanged
    int sign = 0;       // +1 debit-normal (types 1, 5), -1 credit-normal (2, 3, 4), 0 otherwise
};

// +1, -1 or 0 for a chart type as above.
int accountSign(int type);

class AccountChart {
public:
    // Reads the two blobs (little-endian). "ahd": u32 record count N, u32 title field length T.
    // "acc": N records of 12 + T bytes (i32 code, i32 type, i32 group, T bytes of zero-terminated
    // title). Checks that every code in `requiredCodes` is present and that a summary and a
    // retained-earnings account exist. kOk, kMissingFile, kChartMalformed or kChartIncomplete;
    // the chart is left unchanged on failure.
    [[nodiscard]] int load(std::span<const std::uint8_t> header,
                           std::span<const std::uint8_t> records,
                           std::span<const int> requiredCodes);

    // nullptr when the code is not in the chart.
    const AccountTitle* find(int code) const;
    // Accounts keyed (and therefore ordered) by code.
    const std::map<int, AccountTitle>& accounts() const { return accounts_; }
    bool empty() const { return accounts_.empty(); }

    // The last record of type 5 in group 999 or 261, in blob order; 0 before a load.
    int summaryCode() const { return summaryCode_; }
    // The last record of type 3 in group 999 or 261, in blob order; 0 before a load.
    int retainedEarningsCode() const { return retainedEarningsCode_; }

    // Builds the two blobs for a chart (tests and tools that make acc.dat).
    static std::vector<std::uint8_t> encodeHeader(std::uint32_t count, std::uint32_t titleLength);
    static std::vector<std::uint8_t> encodeRecords(const std::vector<AccountTitle>& records,
                                                   std::uint32_t titleLength);

private:
    std::map<int, AccountTitle> accounts_;
    int summaryCode_ = 0;
    int retainedEarningsCode_ = 0;
};

}  // namespace vellmora
