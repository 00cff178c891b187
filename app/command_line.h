// The window's answers to --help and --version, which come before anything else starts.
#pragma once

#include <string>
#include <vector>

namespace vellmora {

enum class InfoRequest { None, Help, Version };

// The first --help or --version standing where an option goes (not as the value of
// --screenshots, --map, --seed or --months).
InfoRequest infoRequest(const std::vector<std::string>& args);

// The text --help prints.
const char* windowUsage();

}  // namespace vellmora
