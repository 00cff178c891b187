// Helpers shared by the content generators: UTF-8 source files in, CP932 data files out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vellmora::gen {

// Reads a UTF-8 text file; false (with a message on stderr) when it cannot be read.
bool readSource(const std::string& path, std::string& out);

// Lines of a text without their line ends (LF or CR LF). A final line feed adds no empty line.
std::vector<std::string> splitLines(std::string_view text);

// Comma-separated fields of a line, empty fields kept (sources are checked field by field).
std::vector<std::string> splitFields(std::string_view line);

// UTF-8 to CP932; false when a character has no CP932 form (it would turn into "?").
bool toCp932(std::string_view utf8, std::string& cp932);

// Joins lines with CR LF (the data files are Windows text files) and writes them atomically,
// creating the parent folder. False with a message on failure.
bool writeLines(const std::string& path, const std::vector<std::string>& lines);
bool writeBytes(const std::string& path, std::string_view bytes);

// Strict decimal integer (optional sign, digits only); false for anything else.
bool parseInteger(std::string_view text, long long& value);

// Prints "<context>: <message>" to stderr and returns false, for one-line error exits.
bool fail(std::string_view context, std::string_view message);

}  // namespace vellmora::gen
