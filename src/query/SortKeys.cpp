#include "query/SortKeys.h"

#include <algorithm>

namespace tw {
namespace {

struct SortKey {
    bool numeric = false;
    double number = 0;
    QString text;
};

SortKey keyOf(const QString& text) {
    SortKey key;
    key.numeric = false;
    key.number = text.trimmed().toDouble(&key.numeric);
    key.text = text;
    return key;
}

int compareKeys(const SortKey& a, const SortKey& b) {
    if (a.numeric && b.numeric) {
        return a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
    }
    if (a.numeric != b.numeric) {
        return a.numeric ? -1 : 1;
    }
    return a.text.compare(b.text, Qt::CaseInsensitive);
}

struct KeyedRow {
    SortKey key;
    int source = 0;
};

}  // namespace

int compareGeneric(const QString& a, const QString& b) {
    return compareKeys(keyOf(a), keyOf(b));
}

std::vector<int> sortedOrder(const std::vector<QString>& keys, SortMode mode) {
    std::vector<KeyedRow> rows;
    rows.reserve(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        rows.push_back(KeyedRow{keyOf(keys[i]), static_cast<int>(i)});
    }
    const bool descending = mode == SortMode::GenericDescending;
    std::stable_sort(rows.begin(), rows.end(), [descending](const KeyedRow& a, const KeyedRow& b) {
        const int order = compareKeys(a.key, b.key);
        return descending ? order > 0 : order < 0;
    });
    std::vector<int> order;
    order.reserve(rows.size());
    for (const KeyedRow& row : rows) {
        order.push_back(row.source);
    }
    return order;
}

}  // namespace tw
