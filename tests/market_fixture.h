// Small walking graphs for the market tests, drawn as rows of move costs.
#pragma once

#include <initializer_list>
#include <memory>
#include <string_view>

#include "game/route_graph.h"

namespace vellmora::test {

// Each character is a tile's move cost '0'-'9'; '#' cannot be walked. Distance fields are made.
inline std::unique_ptr<RouteGraph> makeGraph(std::initializer_list<std::string_view> rows) {
    const int height = static_cast<int>(rows.size());
    const int width = height > 0 ? static_cast<int>(rows.begin()->size()) : 0;
    auto graph = std::make_unique<RouteGraph>(width, height);
    int y = 0;
    for (std::string_view row : rows) {
        for (int x = 0; x < width; ++x) {
            const char c = row[static_cast<std::size_t>(x)];
            graph->setCost(x, y, c == '#' ? -1 : c - '0');
        }
        ++y;
    }
    graph->computeDistanceFields();
    return graph;
}

}  // namespace vellmora::test
