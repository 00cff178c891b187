// The program's string table: every text the player reads, by its resource id.
#pragma once

#include <QString>

namespace vellmora {

// The text of string `id` (UTF-8 source), or an empty string for an unknown id.
QString loadString(int id);

// printf-style formatting of string `id`: "%d" takes an int, "%s" a UTF-8 `const char*`.
QString formatString(int id, ...);

}  // namespace vellmora
