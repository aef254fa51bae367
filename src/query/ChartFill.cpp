#include "query/ChartFill.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <limits>

#include "db/Recordset.h"

namespace tw {
namespace {

std::optional<double> ChartValue(const Variant& value) {
    switch (value.type()) {
        case Variant::Type::Integer:
        case Variant::Type::Double:
            return value.toDouble();
        case Variant::Type::Date:
            return value.toSerialDate();
        case Variant::Type::Text: {
            bool ok = false;
            const double number = value.toText().trimmed().toDouble(&ok);
            return ok ? std::optional<double>(number) : std::nullopt;
        }
        case Variant::Type::Null:
            break;
    }
    return std::nullopt;
}

bool IsLabelValue(const Variant& value) {
    return value.type() == Variant::Type::Text || value.type() == Variant::Type::Date;
}

// Value axes are scaled to the values they carry, with a little room.
void ScaleToValues(QValueAxis& axis, const std::vector<QLineSeries*>& series) {
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

QCategoryAxis* NewCategoryAxis(const QStringList& categories) {
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const int spacing = LabelSpacing(static_cast<int>(categories.size()));
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

}  // namespace

int LabelSpacing(int records) {
    return std::max(1, records / 10);
}

ChartTable ReadChartTable(Recordset& rows) {
    ChartTable table;
    const int fields = rows.FieldCount();
    for (int col = 0; col < fields; ++col) {
        table.fieldNames << rows.FieldName(col);
    }
    std::vector<std::vector<Variant>> records;
    for (; !rows.IsEOF(); rows.MoveNext()) {
        std::vector<Variant> record;
        for (int col = 0; col < fields; ++col) {
            record.push_back(rows.Field(col));
        }
        records.push_back(std::move(record));
    }
    // A first field that holds only texts or dates names the categories.
    const bool labelled =
        fields > 1 && !records.empty() &&
        std::all_of(records.begin(), records.end(), [](const std::vector<Variant>& record) {
            return record[0].isNull() || IsLabelValue(record[0]);
        });
    const int firstSeries = labelled ? 1 : 0;
    for (size_t r = 0; r < records.size(); ++r) {
        table.categories << (labelled ? records[r][0].joinText() : QString::number(r + 1));
    }
    for (int col = firstSeries; col < fields; ++col) {
        table.seriesNames.push_back(table.fieldNames[col]);
        std::vector<std::optional<double>> line;
        for (const std::vector<Variant>& record : records) {
            line.push_back(ChartValue(record[static_cast<size_t>(col)]));
        }
        table.values.push_back(std::move(line));
    }
    return table;
}

void ShowChart(QChartView& view, const ChartTable& table) {
    auto* chart = new QChart;
    chart->legend()->setVisible(true);
    QCategoryAxis* categoryAxis = NewCategoryAxis(table.categories);
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
    ScaleToValues(*primary, onPrimary);
    if (secondary) {
        ScaleToValues(*secondary, onSecondary);
    }
    QChart* previous = view.chart();
    view.setChart(chart);
    delete previous;
    view.show();
    view.raise();
}

}  // namespace tw
