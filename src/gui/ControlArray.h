#pragma once
// A group of like controls indexed from 1, as the window's control arrays are
// (stageWorkingLabels(1) to (5), gameFilterOptions(1) to (3)). Element n carries the
// Qt object name "<arrayName>_<n>". Addressing an element that does not exist
// is run-time error 340, as a caller error should be: it reaches the caller's
// error handler instead of touching memory.

#include <QString>
#include <array>

#include "db/AppError.h"

namespace tw {

namespace err {
inline constexpr int kNoSuchControlElement = 340;
}

template <typename Control, int Count>
class ControlArray {
  public:
    Control* operator[](int index) const {
        if (index < 1 || index > Count) {
            throw AppError(err::kNoSuchControlElement, QStringLiteral("frmMain"),
                           QStringLiteral("Control array element '%1' doesn't exist").arg(index));
        }
        return items_[static_cast<size_t>(index - 1)];
    }
    void Set(int index, Control* control) { items_.at(static_cast<size_t>(index - 1)) = control; }
    static constexpr int size() { return Count; }

    static QString ElementName(const QString& arrayName, int index) {
        return arrayName + QLatin1Char('_') + QString::number(index);
    }

  private:
    std::array<Control*, Count> items_{};
};

}  // namespace tw
