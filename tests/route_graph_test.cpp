#include "game/route_graph.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/result_codes.h"

namespace vellmora {
namespace {

// Builds a graph from rows of single characters: '#' not walkable, a digit the move cost.
RouteGraph graphFrom(const std::vector<std::string>& rows) {
    RouteGraph graph(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < graph.height(); ++y) {
        for (int x = 0; x < graph.width(); ++x) {
            const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            graph.setCost(x, y, c == '#' ? -1 : c - '0');
        }
    }
    return graph;
}

TEST(RouteGraphTest, SteppingOntoATileCostsThatTilesCost) {
    RouteGraph graph = graphFrom({"13"});
    const DistanceField there = graph.search(0, 0);
    const DistanceField back = graph.search(1, 0);
    EXPECT_EQ(there.at(0, 0), 0.0f);
    EXPECT_EQ(there.at(1, 0), 3.0f);
    EXPECT_EQ(back.at(0, 0), 1.0f);
}

TEST(RouteGraphTest, FindsTheCheaperDetourOverTheDirectPath) {
    // Direct path through the 9 costs 9 + 1; the detour over the top row costs 1 + 1 + 1 + 1.
    RouteGraph graph = graphFrom({
        "111",
        "191",
    });
    const DistanceField field = graph.search(0, 1);
    EXPECT_EQ(field.distanceAt(2, 1), 4);
    EXPECT_EQ(field.distanceAt(1, 1), 9);
    EXPECT_EQ(field.distanceAt(1, 0), 2);
}

TEST(RouteGraphTest, ZeroCostTilesAreWalkedForFree) {
    RouteGraph graph = graphFrom({"1002"});
    const DistanceField field = graph.search(0, 0);
    EXPECT_EQ(field.distanceAt(2, 0), 0);
    EXPECT_EQ(field.distanceAt(3, 0), 2);
}

TEST(RouteGraphTest, WalledInTileReachesNothingElse) {
    RouteGraph graph = graphFrom({
        "111",
        "1#1",
        "#2#",
        "1#1",
    });
    graph.computeDistanceFields();
    const DistanceField* inside = graph.field(1, 2);
    ASSERT_NE(inside, nullptr);
    for (int y = 0; y < graph.height(); ++y) {
        for (int x = 0; x < graph.width(); ++x) {
            EXPECT_EQ(inside->distanceAt(x, y), (x == 1 && y == 2) ? 0 : -1) << x << "," << y;
        }
    }
    // No walkable tile can step onto the walled-in one either.
    const DistanceField* outside = graph.field(0, 0);
    ASSERT_NE(outside, nullptr);
    EXPECT_EQ(outside->distanceAt(1, 2), -1);
    EXPECT_EQ(outside->distanceAt(2, 1), 3);
    // Walls have no field; outside the map neither.
    EXPECT_EQ(graph.field(1, 1), nullptr);
    EXPECT_EQ(graph.field(-1, 0), nullptr);
    EXPECT_EQ(graph.field(3, 0), nullptr);
    EXPECT_EQ(outside->distanceAt(3, 0), -1);
}

TEST(RouteGraphTest, TileMadeUnwalkableLaterCannotBeEnteredAnyMore) {
    RouteGraph graph = graphFrom({"111"});
    graph.setCost(1, 0, -1);
    EXPECT_EQ(graph.cost(1, 0), -1);
    EXPECT_EQ(graph.search(0, 0).distanceAt(2, 0), -1);
    graph.setCost(1, 0, -5);  // any negative cost is a wall
    EXPECT_EQ(graph.cost(1, 0), -1);
    EXPECT_FALSE(graph.walkable(1, 0));
    graph.setCost(1, 0, 2);
    EXPECT_EQ(graph.search(0, 0).distanceAt(2, 0), 3);
}

// Plain Bellman-Ford over the same rule (entering a tile costs its cost) as an independent check.
std::vector<float> referenceDistances(const RouteGraph& graph, int sx, int sy) {
    const int w = graph.width();
    const int h = graph.height();
    std::vector<float> d(static_cast<std::size_t>(w * h), -1.0f);
    d[static_cast<std::size_t>(sy * w + sx)] = 0.0f;
    for (bool changed = true; changed;) {
        changed = false;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const float from = d[static_cast<std::size_t>(y * w + x)];
                if (from < 0.0f) {
                    continue;
                }
                const int steps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
                for (const auto& s : steps) {
                    const int nx = x + s[0];
                    const int ny = y + s[1];
                    if (!graph.walkable(nx, ny)) {
                        continue;
                    }
                    float& to = d[static_cast<std::size_t>(ny * w + nx)];
                    const float candidate = from + static_cast<float>(graph.cost(nx, ny));
                    if (to < 0.0f || candidate < to) {
                        to = candidate;
                        changed = true;
                    }
                }
            }
        }
    }
    return d;
}

std::vector<float> valuesOf(const DistanceField& field) {
    std::vector<float> values;
    for (int y = 0; y < field.height(); ++y) {
        for (int x = 0; x < field.width(); ++x) {
            values.push_back(field.at(x, y));
        }
    }
    return values;
}

TEST(RouteGraphTest, AgreesWithAReferenceSearchOnAnIrregularTown) {
    RouteGraph graph(13, 9);
    unsigned state = 12345;
    for (int y = 0; y < graph.height(); ++y) {
        for (int x = 0; x < graph.width(); ++x) {
            state = state * 1103515245u + 12345u;
            const int roll = static_cast<int>((state >> 16) % 9);
            graph.setCost(x, y, roll == 0 ? -1 : (roll == 1 ? 0 : roll - 2));
        }
    }
    graph.computeDistanceFields();
    for (int y = 0; y < graph.height(); ++y) {
        for (int x = 0; x < graph.width(); ++x) {
            const DistanceField* field = graph.field(x, y);
            if (!graph.walkable(x, y)) {
                EXPECT_EQ(field, nullptr);
                continue;
            }
            ASSERT_NE(field, nullptr);
            EXPECT_EQ(valuesOf(*field), referenceDistances(graph, x, y)) << x << "," << y;
        }
    }
}

RouteGraph irregularTown() {
    RouteGraph graph(13, 9);
    unsigned state = 777;
    for (int y = 0; y < graph.height(); ++y) {
        for (int x = 0; x < graph.width(); ++x) {
            state = state * 1103515245u + 12345u;
            const int roll = static_cast<int>((state >> 16) % 9);
            graph.setCost(x, y, roll == 0 ? -1 : (roll == 1 ? 0 : roll - 2));
        }
    }
    return graph;
}

TEST(RouteGraphTest, LimitedFieldsHoldEveryDistanceUpToTheLimitAndNothingBeyond) {
    RouteGraph graph = irregularTown();
    graph.computeDistanceFields();
    for (int y = 0; y < graph.height(); ++y) {
        for (int x = 0; x < graph.width(); ++x) {
            if (!graph.walkable(x, y)) {
                continue;
            }
            const std::vector<float> reference = referenceDistances(graph, x, y);
            // Asked for with growing limits, as the market asks: each answer holds its limit.
            for (int limit : {0, 3, 8}) {
                const DistanceField* field = graph.field(x, y, limit);
                ASSERT_NE(field, nullptr);
                EXPECT_GE(field->limit(), limit);
                const DistanceField searched = graph.search(x, y, limit);
                for (int ty = 0; ty < graph.height(); ++ty) {
                    for (int tx = 0; tx < graph.width(); ++tx) {
                        const float d = reference[static_cast<std::size_t>(ty * 13 + tx)];
                        const int expected =
                            d >= 0.0f && d <= static_cast<float>(limit) ? static_cast<int>(d) : -1;
                        EXPECT_EQ(searched.distanceAt(tx, ty), expected);
                        if (expected >= 0) {
                            EXPECT_EQ(field->distanceAt(tx, ty), expected);
                        }
                    }
                }
                int visited = 0;
                field->forTilesWithin(limit, [&](int tx, int ty, int d) {
                    ++visited;
                    EXPECT_EQ(d,
                              static_cast<int>(reference[static_cast<std::size_t>(ty * 13 + tx)]));
                    EXPECT_LE(d, limit);
                });
                int within = 0;
                for (const float d : reference) {
                    within += d >= 0.0f && d <= static_cast<float>(limit) ? 1 : 0;
                }
                EXPECT_EQ(visited, within);
            }
        }
    }
}

TEST(RouteGraphTest, FieldsKeepTheCostsTheyWereMadeFor) {
    RouteGraph graph = graphFrom({"111"});
    graph.computeDistanceFields();
    graph.setCost(1, 0, 5);
    // Searched only now, but over the costs of computeDistanceFields.
    EXPECT_EQ(graph.field(0, 0)->distanceAt(2, 0), 2);
    EXPECT_EQ(graph.search(0, 0).distanceAt(2, 0), 6);
    graph.computeDistanceFields();
    EXPECT_EQ(graph.field(0, 0)->distanceAt(2, 0), 6);
    EXPECT_TRUE(graph.hasField(1, 0));
    graph.setCost(1, 0, -1);
    EXPECT_TRUE(graph.hasField(1, 0));
    EXPECT_FALSE(graph.walkable(1, 0));
}

TEST(RouteGraphTest, RouteChunkRoundTripAndRefusals) {
    RouteGraph graph = graphFrom({"1#", "27"});
    MapChunk chunk;
    ASSERT_EQ(graph.writeChunk(chunk), kOk);
    ASSERT_EQ(chunk.data().size(), 8u + 4u);

    RouteGraph copy(2, 2);
    ASSERT_EQ(copy.loadChunk(chunk), kOk);
    EXPECT_EQ(copy.cost(0, 0), 1);
    EXPECT_EQ(copy.cost(1, 0), -1);
    EXPECT_EQ(copy.cost(1, 1), 7);

    RouteGraph wrongSize(3, 2);
    EXPECT_EQ(wrongSize.loadChunk(chunk), kRefused);
    EXPECT_EQ(wrongSize.cost(0, 0), -1);

    MapChunk shortChunk = chunk;
    shortChunk.data().pop_back();
    RouteGraph target = graphFrom({"55", "55"});
    EXPECT_EQ(target.loadChunk(shortChunk), kRefused);
    EXPECT_EQ(target.cost(1, 1), 5);
    EXPECT_EQ(target.loadChunk(MapChunk{}), kRefused);

    RouteGraph tooExpensive(1, 1);
    tooExpensive.setCost(0, 0, 128);
    EXPECT_EQ(tooExpensive.writeChunk(chunk), kRefused);
}

}  // namespace
}  // namespace vellmora
