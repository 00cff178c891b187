#include "dialogs/firm_trend_view.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPen>
#include <QPixmap>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "app/framework/money_text.h"
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

constexpr int kMostDateLabels = 5;
constexpr int kMostAmountLabels = 4;
constexpr double kTenThousand = 10000.0;

// A month as the game writes dates: "3年4月".
QString monthLabel(int month) {
    return QStringLiteral("%1年%2月").arg((month - 1) / 12 + 1).arg((month - 1) % 12 + 1);
}

// The months between two date labels: whole months, then whole quarters, half years and years,
// so that no more than kMostDateLabels are needed for `months`.
int monthStep(int months) {
    for (int step : {1, 2, 3, 6, 12, 24, 36, 60, 120, 240, 600}) {
        if ((months - 1) / step + 1 <= kMostDateLabels) {
            return step;
        }
    }
    return 1200;
}

// A step of 1, 2 or 5 times a power of ten that divides the range into at most `most` parts.
double niceStep(double range, int most) {
    double power = 1.0;
    while (range / power > most * 10.0) {
        power *= 10.0;
    }
    for (;;) {
        for (double factor : {1.0, 2.0, 5.0}) {
            if (range / (factor * power) <= most) {
                return factor * power;
            }
        }
        power *= 10.0;
    }
}

// Amounts of a million or more in 万 with digit grouping, smaller ones in full with grouping.
QString amountLabel(double value, bool tenThousands) {
    if (tenThousands && std::llround(value) != 0) {
        return moneyText(static_cast<long long>(std::llround(value / kTenThousand))) +
               QStringLiteral("万");
    }
    return moneyText(static_cast<long long>(std::llround(value)));
}

// Dates under the points: a label on the first month and every step after it, grid lines on
// the same months.
QCategoryAxis* makeDateAxis(int lastMonth) {
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setStartValue(1);
    const int step = monthStep(lastMonth);
    int month = 1;
    for (; month <= lastMonth; month += step) {
        axis->append(monthLabel(month), month);
    }
    axis->setRange(1, std::max(lastMonth, 2));
    return axis;
}

// Amount labels at round values; `money` in yen (grouped, or in 万 for large amounts).
QCategoryAxis* makeAmountAxis(double lowest, double highest, bool money) {
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const double step = std::max(1.0, niceStep(highest - lowest, kMostAmountLabels));
    const double bottom = std::floor(lowest / step) * step;
    const double top = std::ceil(highest / step) * step;
    const bool tenThousands = money &&
                              std::max(std::fabs(bottom), std::fabs(top)) >= 100.0 * kTenThousand &&
                              std::fmod(step, kTenThousand) == 0.0;
    axis->setStartValue(bottom);
    for (double value = bottom; value <= top + step / 2; value += step) {
        axis->append(amountLabel(value, tenThousands), value);
    }
    axis->setRange(bottom, top);
    return axis;
}

QChartView* makeChart(const Game& game, const FigureChart& plan, QWidget* parent) {
    auto* chart = new QChart;
    chart->setTitle(QString::fromUtf8(plan.title));
    chart->legend()->hide();  // one legend for the four charts, with the names in full
    chart->setMargins(QMargins(4, 4, 4, 4));

    double lowest = 0.0;
    double highest = 1.0;
    int lastMonth = 1;
    std::vector<QLineSeries*> lines;
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
        lines.push_back(series);
    }
    QCategoryAxis* dates = makeDateAxis(lastMonth);
    QCategoryAxis* amounts = makeAmountAxis(lowest, highest, plan.figure != FirmFigure::Shops);
    chart->addAxis(dates, Qt::AlignBottom);
    chart->addAxis(amounts, Qt::AlignLeft);
    for (QLineSeries* series : lines) {
        series->attachAxis(dates);
        series->attachAxis(amounts);
    }

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
