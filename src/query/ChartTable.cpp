#include "query/ChartTable.h"

#include <algorithm>

#include "db/Recordset.h"

namespace tw {
namespace {

std::optional<double> chartValue(const Variant& value) {
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

bool isLabelValue(const Variant& value) {
    return value.type() == Variant::Type::Text || value.type() == Variant::Type::Date;
}

}  // namespace

int labelSpacing(int records) {
    return std::max(1, records / 10);
}

ChartTable readChartTable(Recordset& rows) {
    ChartTable table;
    const int fields = rows.fieldCount();
    for (int col = 0; col < fields; ++col) {
        table.fieldNames << rows.fieldName(col);
    }
    std::vector<std::vector<Variant>> records;
    for (; !rows.isEof(); rows.moveNext()) {
        std::vector<Variant> record;
        record.reserve(static_cast<size_t>(fields));
        for (int col = 0; col < fields; ++col) {
            record.push_back(rows.field(col));
        }
        records.push_back(std::move(record));
    }
    // A first field that holds only texts or dates names the categories.
    const bool labelled =
        fields > 1 && !records.empty() &&
        std::all_of(records.begin(), records.end(), [](const std::vector<Variant>& record) {
            return record[0].isNull() || isLabelValue(record[0]);
        });
    const int firstSeries = labelled ? 1 : 0;
    for (size_t r = 0; r < records.size(); ++r) {
        table.categories << (labelled ? records[r][0].joinText() : QString::number(r + 1));
    }
    for (int col = firstSeries; col < fields; ++col) {
        table.seriesNames.push_back(table.fieldNames[col]);
        std::vector<std::optional<double>> line;
        line.reserve(records.size());
        for (const std::vector<Variant>& record : records) {
            line.push_back(chartValue(record[static_cast<size_t>(col)]));
        }
        table.values.push_back(std::move(line));
    }
    return table;
}

}  // namespace tw
