#include "game/account_chart.h"

#include <algorithm>
#include <cstring>

#include "data/result_codes.h"

namespace vellmora {
namespace {

constexpr std::size_t kHeaderBytes = 8;
constexpr std::size_t kRecordFixedBytes = 12;

std::uint32_t readU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t readI32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(readU32(p));
}

void appendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

}  // namespace

int accountSign(int type) {
    switch (type) {
        case kAssetType:
        case kExpenseType:
            return 1;
        case kLiabilityType:
        case kEquityType:
        case kRevenueType:
            return -1;
        default:
            return 0;
    }
}

int AccountChart::load(std::span<const std::uint8_t> header, std::span<const std::uint8_t> records,
                       std::span<const int> requiredCodes) {
    if (header.empty() || records.empty()) {
        return kMissingFile;
    }
    if (header.size() < kHeaderBytes) {
        return kChartMalformed;
    }
    const std::uint64_t count = readU32(header.data());
    const std::uint64_t titleLength = readU32(header.data() + 4);
    const std::uint64_t recordBytes = kRecordFixedBytes + titleLength;
    // Both factors are below 2^33, so the product cannot overflow 64 bits.
    if (count * recordBytes > records.size()) {
        return kChartMalformed;
    }

    std::map<int, AccountTitle> accounts;
    int summaryCode = 0;
    int retainedCode = 0;
    bool hasSummary = false;
    bool hasRetained = false;
    const std::uint8_t* cursor = records.data();
    for (std::uint64_t i = 0; i < count; ++i, cursor += recordBytes) {
        AccountTitle title;
        title.code = readI32(cursor);
        title.type = readI32(cursor + 4);
        title.group = readI32(cursor + 8);
        const auto* text = reinterpret_cast<const char*>(cursor + kRecordFixedBytes);
        const std::size_t textLength = strnlen(text, static_cast<std::size_t>(titleLength));
        if (textLength > kMaxAccountTitleBytes) {
            return kChartMalformed;
        }
        title.title.assign(text, textLength);
        title.sign = accountSign(title.type);
        if (title.group == kSummaryGroup || title.group == kEquitySummaryGroup) {
            if (title.type == kExpenseType) {
                summaryCode = title.code;
                hasSummary = true;
            } else if (title.type == kEquityType) {
                retainedCode = title.code;
                hasRetained = true;
            }
        }
        const int code = title.code;
        if (!accounts.emplace(code, std::move(title)).second) {
            return kChartMalformed;
        }
    }

    if (!hasSummary || !hasRetained) {
        return kChartIncomplete;
    }
    for (int code : requiredCodes) {
        if (accounts.count(code) == 0) {
            return kChartIncomplete;
        }
    }

    accounts_ = std::move(accounts);
    summaryCode_ = summaryCode;
    retainedEarningsCode_ = retainedCode;
    return kOk;
}

const AccountTitle* AccountChart::find(int code) const {
    auto it = accounts_.find(code);
    return it == accounts_.end() ? nullptr : &it->second;
}

std::vector<std::uint8_t> AccountChart::encodeHeader(std::uint32_t count,
                                                     std::uint32_t titleLength) {
    std::vector<std::uint8_t> out;
    appendU32(out, count);
    appendU32(out, titleLength);
    return out;
}

std::vector<std::uint8_t> AccountChart::encodeRecords(const std::vector<AccountTitle>& records,
                                                      std::uint32_t titleLength) {
    std::vector<std::uint8_t> out;
    for (const AccountTitle& record : records) {
        appendU32(out, static_cast<std::uint32_t>(record.code));
        appendU32(out, static_cast<std::uint32_t>(record.type));
        appendU32(out, static_cast<std::uint32_t>(record.group));
        std::vector<std::uint8_t> field(titleLength, 0);
        std::memcpy(field.data(), record.title.data(),
                    std::min<std::size_t>(record.title.size(), titleLength));
        out.insert(out.end(), field.begin(), field.end());
    }
    return out;
}

}  // namespace vellmora
