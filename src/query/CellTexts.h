#pragma once
// The text of each value a result grid shows. A result repeats values a lot
// (each game's date on every player's row, small numbers), so each distinct
// number of a column is formatted once.

#include <QHash>
#include <QString>
#include <array>
#include <vector>

#include "db/Variant.h"

namespace tw {

class CellTexts {
  public:
    explicit CellTexts(int columns);

    // The text of a value (not Null) shown in column `col`.
    QString of(int col, const Variant& value);

  private:
    struct Column {
        // Integer, Double and Date values by the bits of their number.
        std::array<QHash<quint64, QString>, 3> numbers;
    };
    std::vector<Column> columns_;
};

}  // namespace tw
