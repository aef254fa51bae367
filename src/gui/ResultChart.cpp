#include "gui/ResultChart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QLineSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace tw {
namespace {

// Value axes are scaled to the values they carry, with a little room.
void scaleToValues(QValueAxis& axis, const std::vector<QLineSeries*>& series) {
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    for (const QLineSeries* line : series) {
        for (const QPointF& point : line->points()) {
            low = std::min(low, point.y());
            high = std::max(high, point.y());
        }
    }
    if (low > high) {
        low = 0;
        high = 1;
    }
    if (low == high) {
        high = low + 1;
    }
    axis.setRange(std::min(low, 0.0), high + (high - std::min(low, 0.0)) * 0.05);
}

QCategoryAxis* newCategoryAxis(const QStringList& categories) {
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    // Upright, a date label gets only the room between two ticks and is cut;
    // slanted and never cut, the labels every tenth of the records all fit.
    axis->setLabelsAngle(kCategoryLabelAngle);
    axis->setTruncateLabels(false);
    const int spacing = labelSpacing(static_cast<int>(categories.size()));
    for (qsizetype i = 0; i < categories.size(); i += spacing) {
        // Labels of a category axis must differ; a repeated one gets an
        // invisible mark so it still shows.
        QString label = categories[i];
        while (axis->categoriesLabels().contains(label)) {
            label += QChar(0x200B);
        }
        axis->append(label, static_cast<double>(i + 1));
    }
    axis->setRange(1, std::max<double>(2, static_cast<double>(categories.size())));
    return axis;
}

// The full text of a point shows while the mouse is on its line.
void connectTips(QChartView& view, QLineSeries* line,
                 const std::shared_ptr<const ChartTable>& table, size_t series) {
    QObject::connect(line, &QLineSeries::hovered, line,
                     [&view, table, series](const QPointF& point, bool entered) {
                         if (!entered) {
                             QToolTip::hideText();
                             return;
                         }
                         QToolTip::showText(QCursor::pos(),
                                            chartPointTip(*table, series, point.x()), &view);
                     });
}

}  // namespace

QString chartPointTip(const ChartTable& table, size_t series, double x) {
    const auto record = static_cast<qsizetype>(std::lround(x)) - 1;
    if (series >= table.values.size() || record < 0 ||
        record >= static_cast<qsizetype>(table.values[series].size())) {
        return {};
    }
    const std::optional<double>& value = table.values[series][static_cast<size_t>(record)];
    const QString category =
        record < table.categories.size() ? table.categories[record] : QString();
    return category + QLatin1Char('\n') + table.seriesNames[series] + QStringLiteral(": ") +
           (value ? QString::number(*value) : QStringLiteral("(no value)"));
}

void showResultChart(QChartView& view, const ChartTable& table) {
    auto* chart = new QChart;
    chart->legend()->setVisible(true);
    const auto shared = std::make_shared<const ChartTable>(table);
    QCategoryAxis* categoryAxis = newCategoryAxis(table.categories);
    chart->addAxis(categoryAxis, Qt::AlignBottom);
    auto* primary = new QValueAxis;
    chart->addAxis(primary, Qt::AlignLeft);
    QValueAxis* secondary = nullptr;
    std::vector<QLineSeries*> onPrimary;
    std::vector<QLineSeries*> onSecondary;
    for (size_t k = 0; k < table.seriesNames.size(); ++k) {
        auto* line = new QLineSeries;
        line->setName(table.seriesNames[k]);
        for (size_t r = 0; r < table.values[k].size(); ++r) {
            if (table.values[k][r]) {
                line->append(static_cast<double>(r + 1), *table.values[k][r]);
            }
        }
        chart->addSeries(line);
        connectTips(view, line, shared, k);
        line->attachAxis(categoryAxis);
        if (k == 0) {
            line->attachAxis(primary);
            onPrimary.push_back(line);
            continue;
        }
        if (!secondary) {
            secondary = new QValueAxis;
            chart->addAxis(secondary, Qt::AlignRight);
        }
        line->attachAxis(secondary);
        onSecondary.push_back(line);
    }
    scaleToValues(*primary, onPrimary);
    if (secondary) {
        scaleToValues(*secondary, onSecondary);
    }
    QChart* previous = view.chart();
    view.setChart(chart);
    delete previous;
    view.show();
    view.raise();
}

}  // namespace tw
