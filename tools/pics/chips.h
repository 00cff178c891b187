// The drawing of every chip, looked up by building id. Each drawing paints one 48 x 48 cell in
// cell coordinates; animated chips are called once per frame (0-7).
#pragma once

#include <QPainter>
#include <cstdint>
#include <functional>
#include <map>

namespace pics {

using DrawChip = std::function<void(QPainter& p, int frame)>;
using ChipTable = std::map<std::int32_t, DrawChip>;

void addGroundChips(ChipTable& table);
void addTransportChips(ChipTable& table);
void addWaterChips(ChipTable& table);
void addParkChips(ChipTable& table);
void addHouseChips(ChipTable& table);
void addTownChips(ChipTable& table);
void addShopChips(ChipTable& table);
void addOverlayChips(ChipTable& table);
ChipTable allChips();

// Cursor cells of the still bitmap.
constexpr int kMarkerRefused = 253;
constexpr int kMarkerBuild = 254;
constexpr int kMarkerClose = 255;
void drawMarker(QPainter& p, int code);

// Grounds shared by several chips (opaque, whole cell).
void groundLot(QPainter& p);
void groundLawn(QPainter& p);
void groundPlaza(QPainter& p);
void waterSurface(QPainter& p, int frame, bool still);
void railTracks(QPainter& p);

// A shop picture (transparent background), also used by the toolbar and the title.
void drawShop(QPainter& p, int firm, int size);

}  // namespace pics
