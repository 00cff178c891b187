// Reading the simulator's output in tests.
#pragma once

#include <cctype>
#include <string>

namespace vellmora::test {

// Leaves the keys of the timing figures and drops their values: the only parts of the output
// allowed to differ between runs of the same game.
inline std::string withoutTimings(std::string text) {
    for (const std::string key : {"\"elapsed_ms\": ", "\"turns_per_second\": "}) {
        for (std::size_t at = text.find(key); at != std::string::npos;
             at = text.find(key, at + key.size())) {
            std::size_t end = at + key.size();
            while (end < text.size() &&
                   (std::isdigit(static_cast<unsigned char>(text[end])) || text[end] == '.')) {
                ++end;
            }
            text.erase(at + key.size(), end - at - key.size());
        }
    }
    return text;
}

}  // namespace vellmora::test
