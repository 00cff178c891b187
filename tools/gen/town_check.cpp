#include <cstdio>
#include <deque>

#include "tools/gen/gen_text.h"
#include "tools/gen/town_plan.h"

namespace vellmora::gen {

bool checkTown(const TownPlan& plan, const std::map<std::int32_t, TileKind>& kinds,
               const std::string& context) {
    bool ok = true;
    const int w = plan.width, h = plan.height;
    std::vector<int> cost(static_cast<std::size_t>(w * h), -1);
    long long customers = 0;
    int buildable = 0, walkable = 0;
    for (int i = 0; i < w * h; ++i) {
        auto it = kinds.find(plan.ids[static_cast<std::size_t>(i)]);
        if (it == kinds.end()) {
            ok = fail(context, "tile " + std::to_string(i % w) + "," + std::to_string(i / w) +
                                   " has an id the building table lacks");
            continue;
        }
        cost[static_cast<std::size_t>(i)] = it->second.moveCost;
        customers += it->second.customers;
        if (it->second.moveCost >= 0) {
            ++walkable;
        }
        if (it->second.buildable != 0) {
            ++buildable;
            if (it->second.moveCost < 0) {
                ok = fail(context, "a buildable tile cannot be walked");
            }
        }
    }
    // One walkable area: a shop anywhere can reach customers anywhere.
    std::vector<char> seen(static_cast<std::size_t>(w * h), 0);
    std::deque<int> queue;
    for (int i = 0; i < w * h && queue.empty(); ++i) {
        if (cost[static_cast<std::size_t>(i)] >= 0) {
            queue.push_back(i);
            seen[static_cast<std::size_t>(i)] = 1;
        }
    }
    int reached = 0;
    while (!queue.empty()) {
        const int i = queue.front();
        queue.pop_front();
        ++reached;
        const int x = i % w, y = i / w;
        const int nx[] = {x, x + 1, x, x - 1};
        const int ny[] = {y - 1, y, y + 1, y};
        for (int k = 0; k < 4; ++k) {
            if (nx[k] < 0 || ny[k] < 0 || nx[k] >= w || ny[k] >= h) {
                continue;
            }
            const int j = ny[k] * w + nx[k];
            if (!seen[static_cast<std::size_t>(j)] && cost[static_cast<std::size_t>(j)] >= 0) {
                seen[static_cast<std::size_t>(j)] = 1;
                queue.push_back(j);
            }
        }
    }
    if (reached != walkable) {
        for (int i = 0; i < w * h; ++i) {
            if (cost[static_cast<std::size_t>(i)] >= 0 && !seen[static_cast<std::size_t>(i)]) {
                ok = fail(context, "tile " + std::to_string(i % w) + "," + std::to_string(i / w) +
                                       " cannot be reached from the rest of the town");
                break;
            }
        }
    }
    std::printf("%s: %dx%d, %lld customers, %d buildable tiles, %d walkable tiles\n",
                context.c_str(), w, h, customers, buildable, walkable);
    return ok;
}

}  // namespace vellmora::gen
