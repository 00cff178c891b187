#include "data/program_folder.h"

#include <unistd.h>

#include <vector>

namespace vellmora {
namespace {

std::string readExecutablePath() {
    std::vector<char> buffer(4096);
    for (;;) {
        ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        if (buffer.size() >= 1u << 20) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

const std::string& programPath() {
    static const std::string path = readExecutablePath();
    return path;
}

const std::string& programFolder() {
    static const std::string folder = [] {
        const std::string& path = programPath();
        std::size_t slash = path.rfind('/');
        return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    }();
    return folder;
}

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string result(folder);
    if (!result.empty() && result.back() != '/') {
        result.push_back('/');
    }
    for (char c : name) {
        result.push_back(c == '\\' ? '/' : c);
    }
    return result;
}

std::string join(std::string_view name) {
    return joinPath(programFolder(), name);
}

}  // namespace vellmora
