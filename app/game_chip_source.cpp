#include "app/game_chip_source.h"

#include "game/game.h"
#include "game/town_map.h"

namespace vellmora {

const MapLayers* GameChipSource::layers() const {
    const TownMap* map = game_.map();
    return map == nullptr ? nullptr : &map->layers();
}

int GameChipSource::width() const {
    const MapLayers* current = layers();
    return current == nullptr ? 0 : current->width();
}

int GameChipSource::height() const {
    const MapLayers* current = layers();
    return current == nullptr ? 0 : current->height();
}

int GameChipSource::chip(int x, int y, int layer) const {
    const MapLayers* current = layers();
    return current == nullptr ? kNoChip : current->chip(x, y, layer);
}

int GameChipSource::attribute(int x, int y, int layer) const {
    const MapLayers* current = layers();
    return current == nullptr ? 0 : current->attribute(x, y, layer);
}

}  // namespace vellmora
