// Text functions: the & join (Null as empty text, numbers in VB's general
// form, Null only when every operand is Null), CStr, InStr (1-based, letter
// case ignored unless compare is 0), Right, Like, Format and Val.

#include <cmath>
#include <string>

#include "db/Format.h"
#include "db/jet/FunctionSupport.h"
#include "db/jet/JetErrors.h"
#include "db/jet/LikePattern.h"

namespace tw::jet::functions {

namespace {

void appendNumber(std::string& out, double value) {
    if (std::trunc(value) == value && std::fabs(value) < 1e15) {
        out += std::to_string(static_cast<long long>(value));
        return;
    }
    out += generalNumber(value).toStdString();
}

// Appends the value as VB joins it; false for Null.
bool appendValue(std::string& out, sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
        case SQLITE_NULL:
            return false;
        case SQLITE_INTEGER:
            out += std::to_string(sqlite3_value_int64(value));
            return true;
        case SQLITE_FLOAT:
            appendNumber(out, sqlite3_value_double(value));
            return true;
        default:
            out.append(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                       static_cast<size_t>(sqlite3_value_bytes(value)));
            return true;
    }
}

void concat(sqlite3_context* context, int argc, sqlite3_value** argv) {
    std::string out;
    bool any = false;
    for (int i = 0; i < argc; ++i) {
        any = appendValue(out, argv[i]) || any;
    }
    if (!any) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_text(context, out.data(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

void toText(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_TEXT) {
        sqlite3_result_value(context, argv[0]);
        return;
    }
    std::string out;
    if (!appendValue(out, argv[0])) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_text(context, out.data(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

// A stored date in the general date form; anything else unchanged.
void dateText(sqlite3_context* context, int, sqlite3_value** argv) {
    if (isNull(argv[0])) {
        sqlite3_result_null(context);
        return;
    }
    const QDateTime when = dateTimeOf(argv[0]);
    if (!when.isValid()) {
        sqlite3_result_value(context, argv[0]);
        return;
    }
    resultText(context, generalDate(when));
}

// jet_instr(start, haystack, needle, compare)
void inStr(sqlite3_context* context, int, sqlite3_value** argv) {
    if (anyNull(4, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const std::optional<double> start = numberOf(context, argv[0]);
    if (!start) {
        return;
    }
    if (*start < 1) {
        resultError(context, kInvalidProcedureCall, "Invalid procedure call or argument");
        return;
    }
    const QString haystack = textOf(argv[1]);
    const QString needle = textOf(argv[2]);
    const qsizetype from = static_cast<qsizetype>(*start) - 1;
    if (from > haystack.size()) {
        sqlite3_result_int(context, 0);
        return;
    }
    if (needle.isEmpty()) {
        sqlite3_result_int64(context, from + 1);
        return;
    }
    const Qt::CaseSensitivity cs =
        sqlite3_value_int(argv[3]) == 0 ? Qt::CaseSensitive : Qt::CaseInsensitive;
    sqlite3_result_int64(context, haystack.indexOf(needle, from, cs) + 1);
}

void right(sqlite3_context* context, int, sqlite3_value** argv) {
    if (anyNull(2, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const std::optional<double> count = numberOf(context, argv[1]);
    if (!count) {
        return;
    }
    if (*count < 0) {
        resultError(context, kInvalidProcedureCall, "Invalid procedure call or argument");
        return;
    }
    resultText(context, textOf(argv[0]).right(static_cast<qsizetype>(*count)));
}

void like(sqlite3_context* context, int, sqlite3_value** argv) {
    if (anyNull(2, argv)) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_int(context, LikePattern(textOf(argv[1])).matches(textOf(argv[0])) ? 1 : 0);
}

// jet_format(value, pattern, isDate)
void formatValue(sqlite3_context* context, int, sqlite3_value** argv) {
    if (isNull(argv[0])) {
        sqlite3_result_null(context);
        return;
    }
    const bool isDate = sqlite3_value_int(argv[2]) != 0;
    const QString pattern = isNull(argv[1]) ? QString() : textOf(argv[1]);
    resultText(context, format(variantOf(argv[0], isDate), pattern));
}

void valOf(sqlite3_context* context, int, sqlite3_value** argv) {
    switch (sqlite3_value_type(argv[0])) {
        case SQLITE_NULL:
            sqlite3_result_null(context);
            return;
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            sqlite3_result_value(context, argv[0]);
            return;
        default:
            sqlite3_result_double(context, val(textOf(argv[0])));
    }
}

}  // namespace

void registerTextFunctions(sqlite3* db) {
    struct Entry {
        const char* name;
        int argc;
        void (*function)(sqlite3_context*, int, sqlite3_value**);
    };
    static constexpr Entry kEntries[] = {
        {"jet_concat", -1, concat},     {"jet_cstr", 1, toText}, {"jet_datetext", 1, dateText},
        {"jet_instr", 4, inStr},        {"jet_right", 2, right}, {"jet_like", 2, like},
        {"jet_format", 3, formatValue}, {"jet_val", 1, valOf},
    };
    for (const Entry& e : kEntries) {
        sqlite3_create_function_v2(db, e.name, e.argc, kDeterministic, nullptr, e.function, nullptr,
                                   nullptr, nullptr);
    }
}

}  // namespace tw::jet::functions
