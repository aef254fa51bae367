#pragma once
// The error a writer's call raises, for tests that compare number and text.

#include <QString>
#include <functional>

#include "db/AppError.h"

namespace tw {

// The error number of `action`, 0 when it raises none; its description in
// `description`.
inline int errorOf(const std::function<void()>& action, QString* description) {
    try {
        action();
    } catch (const AppError& e) {
        *description = e.description();
        return e.number();
    }
    return 0;
}

// The error of `action` as "number: description", empty when it raises none.
inline QString errorTextOf(const std::function<void()>& action) {
    QString description;
    const int number = errorOf(action, &description);
    return number == 0 ? QString() : QStringLiteral("%1: %2").arg(number).arg(description);
}

}  // namespace tw
