// Integer result codes shared by every reader and game operation.
#pragma once

namespace vellmora {

inline constexpr int kOk = 0;
// Refused or bad input; the state is left as it was.
inline constexpr int kRefused = -1;
// A data file that is missing or cannot be read.
inline constexpr int kMissingFile = -2;
// A settings file that cannot be parsed.
inline constexpr int kUnreadable = -3;
// A file that exists but cannot be read (no permission, an I/O error, too many open files).
inline constexpr int kUnreadableFile = -4;

}  // namespace vellmora
