// The chip source that the map view keeps for the whole run: it asks the game's current town map
// at every call, so it stays valid when a new game replaces the map and its display layers.
#pragma once

#include "game/chip_source.h"

namespace vellmora {

class Game;
class MapLayers;

class GameChipSource final : public ChipSource {
public:
    explicit GameChipSource(const Game& game) : game_(game) {}

    int kind() const override { return kDrawnKind; }
    // 0 while the game has no map.
    int width() const override;
    int height() const override;
    // Nothing (-1, attribute 0) while the game has no map.
    int chip(int x, int y, int layer) const override;
    int attribute(int x, int y, int layer) const override;

private:
    const MapLayers* layers() const;

    const Game& game_;
};

}  // namespace vellmora
