// The title picture.
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "game/town_map.h"
#include "tools/pics/art.h"
#include "tools/pics/sheets.h"
#include "tools/pics/style.h"

namespace pics {

namespace {

// The little town behind the name, one letter per tile (see tileId).
const char* const kScene[] = {
    "OoM.mHh~wtP.aHhDj", ".......=.........", "sS_.aFh~tw.S_Hh_f", "o+_.h__~tt.S_ahHw",
    ".......=.........", "MmO.Ha_~ht.So_hHa", "hHa.hh_~wt.SfhaHh",
};
constexpr int kSceneWidth = 17;
constexpr int kSceneHeight = 7;

struct SceneShop {
    int x, y, firm, size;
};
constexpr SceneShop kShops[] = {{2, 2, 0, 2},  {5, 3, 0, 1}, {2, 3, 3, 0},  {12, 2, 1, 1},
                                {15, 2, 2, 2}, {6, 5, 0, 0}, {13, 5, 1, 0}, {12, 3, 2, 0}};

bool isRoad(int x, int y) {
    if (x < 0 || y < 0 || x >= kSceneWidth || y >= kSceneHeight) {
        return false;
    }
    const char c = kScene[y][x];
    return c == '.' || c == '=';
}

std::int32_t tileId(int x, int y) {
    switch (kScene[y][x]) {
        case '.': {
            const int joins = (isRoad(x, y - 1) || y == 0 ? 1 : 0) | (isRoad(x + 1, y) ? 2 : 0) |
                              (isRoad(x, y + 1) || y == kSceneHeight - 1 ? 4 : 0) |
                              (isRoad(x - 1, y) ? 8 : 0);
            return 20000 + joins;
        }
        case '=':
            return 21000;
        case '~':
            return 30000;
        case 'P':
            return 30001;
        case 'F':
            return 40002;
        case 't':
            return 40000;
        case 'w':
            return 40001;
        case 'j':
            return 40003;
        case 'h':
            return 50000;
        case 'H':
            return 50001;
        case 'a':
            return 50002;
        case 'm':
            return 50003;
        case 'D':
            return 50004;
        case 'M':
            return 50005;
        case 's':
            return 60000;
        case 'S':
            return 60001;
        case 'o':
            return 60002;
        case 'O':
            return 60003;
        case 'k':
            return 60004;
        case '+':
            return 60005;
        case 'f':
            return 60006;
        default:
            return 10000;
    }
}

}  // namespace

QImage titlePicture(const std::string& buildingData, const QImage& still, const QImage& motion) {
    QImage title(770, 320, QImage::Format_RGB32);
    title.fill(Qt::black);
    vellmora::TownMap town;
    if (town.init(kSceneWidth, kSceneHeight, buildingData) == 0) {
        for (int y = 0; y < kSceneHeight; ++y) {
            for (int x = 0; x < kSceneWidth; ++x) {
                (void)town.placeBuilding(x, y, tileId(x, y));
            }
        }
        for (const SceneShop& shop : kShops) {
            (void)town.drawBuildingId(shop.x, shop.y, 80000 + 100 * shop.firm + shop.size);
        }
    }
    const QImage scene = drawTown(town.layers(), kSceneWidth, kSceneHeight, still, motion, 0);
    QPainter p(&title);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.drawImage(QPoint((770 - scene.width()) / 2, (320 - scene.height()) / 2), scene);

    // A dusk veil over the middle so that the name reads clearly.
    QLinearGradient veil(0, 0, 0, 320);
    veil.setColorAt(0.0, QColor(16, 20, 40, 40));
    veil.setColorAt(0.25, QColor(16, 20, 40, 150));
    veil.setColorAt(0.7, QColor(16, 20, 40, 150));
    veil.setColorAt(1.0, QColor(16, 20, 40, 40));
    p.fillRect(QRect(0, 0, 770, 320), veil);

    QFont nameFont("Noto Sans CJK JP");
    nameFont.setPixelSize(104);
    nameFont.setBold(true);
    nameFont.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    QPainterPath name;
    const QString text = "Vellmora";
    const int textWidth = QFontMetrics(nameFont).horizontalAdvance(text);
    name.addText(QPointF((770 - textWidth) / 2.0, 172), nameFont, text);
    p.setPen(QPen(col("outline"), 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(name.translated(4, 5));
    p.drawPath(name);
    QLinearGradient face(0, 80, 0, 175);
    face.setColorAt(0.0, QColor(255, 250, 232));
    face.setColorAt(1.0, col("window_lit"));
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawPath(name);

    // The four companies' colours as a band under the name.
    const int bandWidth = 90;
    const int bandLeft = (770 - 4 * bandWidth) / 2;
    for (int firm = 0; firm < kFirms; ++firm) {
        p.fillRect(QRect(bandLeft + firm * bandWidth, 192, bandWidth - 6, 6), firmColour(firm));
    }

    QFont subFont("Noto Sans CJK JP");
    subFont.setPixelSize(28);
    subFont.setBold(true);
    const QString sub = QString::fromUtf8("外食チェーン経営シミュレーション");
    QPainterPath subtitle;
    const int subWidth = QFontMetrics(subFont).horizontalAdvance(sub);
    subtitle.addText(QPointF((770 - subWidth) / 2.0, 240), subFont, sub);
    p.setPen(QPen(col("outline"), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(subtitle);
    p.setPen(Qt::NoPen);
    p.setBrush(col("wall_white"));
    p.drawPath(subtitle);
    return title;
}

}  // namespace pics
