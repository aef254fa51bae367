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

}  // namespace tw
