// The town on which the firms compete: a rectangle of tiles, each with a building from the
// building table, its customers, its rent, its walking cost and its pictures. The map owns the
// route graph (every walking distance) and the market (each firm's reach over the tiles).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "data/building_table.h"
#include "data/map_chunk.h"
#include "game/map_layers.h"
#include "game/market.h"
#include "game/route_graph.h"

namespace vellmora {

class ByteReader;
class ByteWriter;

class TownMap {
public:
    // Every new map is filled with this building first.
    static constexpr std::int32_t kDefaultBuildingId = 10000;
    static constexpr std::int32_t kMapVersion = 10000;
    // Size of one tile's picture in the chip bitmaps and on screen.
    static constexpr int kTileWidthPixels = 48;
    static constexpr int kTileHeightPixels = 48;
    // The largest town in either direction, so that a file cannot demand unbounded memory.
    static constexpr int kMaxSide = 256;
    // Offsets in the root chunk's data.
    static constexpr std::size_t kRootWidthOffset = 256;
    static constexpr std::size_t kRootHeightOffset = 260;
    static constexpr std::size_t kRootTilesOffset = 264;

    TownMap();
    ~TownMap();
    TownMap(const TownMap&) = delete;
    TownMap& operator=(const TownMap&) = delete;

    // Loads the building table, then makes a width x height map (`create`). kMissingFile when
    // the table cannot be loaded.
    [[nodiscard]] int init(int width, int height, const std::string& buildingDataPath);
    // Drops every tile, the graph and the market and makes a map of the default building.
    // kRefused (map unchanged) when the building table is empty or a size is below 1 or too big.
    [[nodiscard]] int create(int width, int height);
    // Sets the tile's building, customers, rent and walking cost from the definition and draws
    // it. kRefused for an unknown id or a tile outside the map.
    [[nodiscard]] int placeBuilding(int x, int y, std::int32_t id);
    // The underlay's picture to layer 0, then the definition's picture to its own layer.
    void drawBuilding(int x, int y, const BuildingDef& def);
    // Looks the id up and draws it; kRefused for an unknown id or a tile outside the map.
    [[nodiscard]] int drawBuildingId(int x, int y, std::int32_t id);
    // Empties one display layer of the tile (chip -1, attribute 0).
    void clearChip(int x, int y, int layer) { tiles_->layers.clear(x, y, layer); }
    // Whether a width x height town can be made (each side 1 to kMaxSide).
    static bool sizeAllowed(int width, int height);
    // The size a map file's root chunk declares; false when the chunk is too short to hold it.
    static bool declaredSize(const MapChunk& root, int& width, int& height);
    // Replaces the whole map from a map file's root chunk. kRefused, with the previous map left
    // as it was, for a wrong version, a missing market or route chunk, sizes that disagree or
    // data that is too short.
    [[nodiscard]] int loadMap(const MapChunk& root);

    int width() const { return tiles_->width; }
    int height() const { return tiles_->height; }
    bool contains(int x, int y) const {
        return x >= 0 && y >= 0 && x < tiles_->width && y < tiles_->height;
    }

    // Tile accessors: -1 outside the map.
    int buildingId(int x, int y) const;
    int customers(int x, int y) const;
    int rent(int x, int y) const;
    // The rent with street frontage: 1.5 times (truncated) when a neighbour has walking cost 1.
    int rentAt(int x, int y) const;
    // False outside the map or when the tile's building does not allow shops.
    bool buildable(int x, int y) const;
    // Null outside the map or for a building the table does not know.
    const BuildingDef* buildingAt(int x, int y) const;
    // Customers per tile, row by row.
    std::span<const std::int32_t> customerGrid() const { return tiles_->customers; }

    const BuildingTable& buildings() const { return buildings_; }
    RouteGraph& routeGraph() { return *tiles_->graph; }
    const RouteGraph& routeGraph() const { return *tiles_->graph; }
    Market& market() { return *tiles_->market; }
    const Market& market() const { return *tiles_->market; }

    // The display layers, drawn by a map view through ChipSource.
    const MapLayers& layers() const { return tiles_->layers; }

    // Display modes. Each overlay writes its chips to the overlay layer and leaves normal view.
    void showNormal() { tiles_->layers.setNormalView(true); }
    bool normalView() const { return tiles_->layers.normalView(); }
    // Customers per tile.
    void showCustomers();
    // The firm that wins each tile's customers.
    void showCatchment();
    // One firm's preference per tile; kRefused (nothing changed) for a firm outside 0-3.
    [[nodiscard]] int showPreference(int firm);

    // The tiles, walking costs and display layers for a game file (the market is saved on its
    // own). loadState replaces the map, with a new route graph whose distance fields are made
    // from the costs and an empty market; kRefused, map unchanged, for a size or a value out of
    // range or data too short.
    void saveState(ByteWriter& out) const;
    [[nodiscard]] int loadState(ByteReader& in);

private:
    // Everything that a new map replaces; built whole and then swapped in.
    struct Tiles {
        Tiles(int width, int height);
        int width;
        int height;
        std::vector<std::int32_t> buildingIds;
        std::vector<std::int32_t> customers;
        std::vector<std::int32_t> rents;
        MapLayers layers;
        // The market keeps a reference to the graph: the graph is declared first so that it
        // outlives the market.
        std::unique_ptr<RouteGraph> graph;
        std::unique_ptr<Market> market;
    };

    std::unique_ptr<Tiles> makeTiles(int width, int height) const;
    void place(Tiles& tiles, int x, int y, const BuildingDef& def) const;
    void draw(Tiles& tiles, int x, int y, const BuildingDef& def) const;
    [[nodiscard]] int loadMarket(const MapChunk& marketChunk, Tiles& tiles) const;
    // Writes building `id`'s picture to the overlay layer, or clears it when id is 0 or unknown.
    void drawOverlay(int x, int y, std::int32_t id);
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(tiles_->width) +
               static_cast<std::size_t>(x);
    }

    BuildingTable buildings_;
    std::unique_ptr<Tiles> tiles_;
};

}  // namespace vellmora
