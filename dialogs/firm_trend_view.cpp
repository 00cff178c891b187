#include "dialogs/firm_trend_view.h"

#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPen>
#include <QPixmap>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <array>

#include "dialogs/dialog_texts.h"
#include "game/firm.h"
#include "game/firm_history.h"
#include "game/game.h"

namespace vellmora {
namespace {

struct FigureChart {
    FirmFigure figure;
    const char* title;
};

constexpr std::array<FigureChart, kFirmFigureCount> kCharts = {{
    {FirmFigure::Cash, "現預金"},
    {FirmFigure::Sales, "月間売上"},
    {FirmFigure::Result, "月間損益"},
    {FirmFigure::Shops, "店舗数"},
}};

// Months since the start of the game, 1 for year 1 month 1.
int monthNumber(int dateCode) {
    return (dateCode / 100 - 1) * 12 + dateCode % 100;
}

QChartView* makeChart(const Game& game, const FigureChart& plan, QWidget* parent) {
    auto* chart = new QChart;
    chart->setTitle(QString::fromUtf8(plan.title));
    chart->legend()->hide();  // one legend for the four charts, with the names in full
    chart->setMargins(QMargins(4, 4, 4, 4));
    auto* xAxis = new QValueAxis;
    xAxis->setLabelFormat("%d");
    xAxis->setTitleText(QStringLiteral("月"));
    auto* yAxis = new QValueAxis;
    yAxis->setLabelFormat("%.0f");
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);

    double lowest = 0.0;
    double highest = 1.0;
    int lastMonth = 1;
    for (int slot = 0; slot < kFirmSlots; ++slot) {
        const Firm* firm = game.firm(slot);
        if (!takesPart(firm) || firm->history().count() == 0) {
            continue;
        }
        auto* series = new QLineSeries;
        series->setName(companyLabel(*firm));
        QPen pen(firmColour(slot));
        pen.setWidthF(2.0);
        series->setPen(pen);
        for (const FirmHistoryEntry& entry : firm->history().entries()) {
            const double value = static_cast<double>(figureOf(entry, plan.figure));
            const int month = monthNumber(entry.date);
            series->append(month, value);
            lowest = std::min(lowest, value);
            highest = std::max(highest, value);
            lastMonth = std::max(lastMonth, month);
        }
        chart->addSeries(series);
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
    xAxis->setRange(1, std::max(lastMonth, 2));
    xAxis->setTickCount(std::min(std::max(lastMonth, 2), 7));
    const double margin = (highest - lowest) * 0.05;
    yAxis->setRange(lowest - (lowest < 0.0 ? margin : 0.0), highest + margin);
    yAxis->applyNiceNumbers();

    auto* view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics = parent->fontMetrics();
    view->setMinimumSize(metrics.averageCharWidth() * 48, metrics.height() * 14);
    return view;
}

}  // namespace

QColor firmColour(int slot) {
    static const std::array<QColor, kFirmSlots> colours = {
        QColor(0xd2, 0x46, 0x2c), QColor(0x2f, 0x6a, 0xcf), QColor(0x2e, 0x9a, 0x48),
        QColor(0xd9, 0xa8, 0x00)};
    return slot >= 0 && slot < kFirmSlots ? colours[static_cast<std::size_t>(slot)]
                                          : QColor(Qt::gray);
}

namespace {

QWidget* makeLegend(const Game& game, QWidget* parent) {
    auto* legend = new QWidget(parent);
    auto* row = new QHBoxLayout(legend);
    row->setContentsMargins(0, 0, 0, 0);
    const int square = parent->fontMetrics().height() * 2 / 3;
    for (int slot = 0; slot < kFirmSlots; ++slot) {
        const Firm* firm = game.firm(slot);
        if (!takesPart(firm) || firm->history().count() == 0) {
            continue;
        }
        QPixmap swatch(square, square);
        swatch.fill(firmColour(slot));
        auto* mark = new QLabel(legend);
        mark->setPixmap(swatch);
        row->addWidget(mark);
        row->addWidget(new QLabel(companyLabel(*firm), legend));
        row->addSpacing(parent->fontMetrics().averageCharWidth() * 2);
    }
    row->addStretch(1);
    return legend;
}

}  // namespace

FirmTrendView::FirmTrendView(const Game& game, QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeLegend(game, this));
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    for (int i = 0; i < kFirmFigureCount; ++i) {
        grid->addWidget(makeChart(game, kCharts[static_cast<std::size_t>(i)], this), i / 2, i % 2);
    }
}

}  // namespace vellmora
