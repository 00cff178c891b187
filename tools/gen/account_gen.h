// The chart of accounts source (content/accounts.csv) and the "acc.dat" container made from it.
#pragma once

#include <string>

namespace vellmora::gen {

// Title field length of every record in the "acc" blob: 63 bytes of text and a terminator.
inline constexpr unsigned kAccountTitleField = 64;

// Reads "code,type,group,title" lines (UTF-8, "#" lines are notes), converts the titles to CP932,
// checks the chart with the ledger's own reader (every account the finance needs, a summary and
// a retained-earnings account) and writes the container with the blobs "ahd" and "acc".
bool writeAccountData(const std::string& sourcePath, const std::string& outPath);

}  // namespace vellmora::gen
