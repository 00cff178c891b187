// Where the running program lives, and joining data file names to a folder.
#pragma once

#include <string>
#include <string_view>

namespace vellmora {

// The folder of the running executable (from /proc/self/exe, never the working folder), ending
// with "/". Empty when it cannot be determined.
const std::string& programFolder();

// Full path of the running executable; empty when unknown.
const std::string& programPath();

// Joins a data name to a folder. "\" in the name becomes "/"; a "/" is put between folder and
// name when the folder does not end with one. An empty folder gives the converted name alone.
std::string joinPath(std::string_view folder, std::string_view name);

// joinPath(programFolder(), name).
std::string join(std::string_view name);

}  // namespace vellmora
