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

void AppendNumber(std::string& out, double value) {
    if (std::trunc(value) == value && std::fabs(value) < 1e15) {
        out += std::to_string(static_cast<long long>(value));
        return;
    }
    out += GeneralNumber(value).toStdString();
}

// Appends the value as VB joins it; false for Null.
bool AppendValue(std::string& out, sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
        case SQLITE_NULL:
            return false;
        case SQLITE_INTEGER:
            out += std::to_string(sqlite3_value_int64(value));
            return true;
        case SQLITE_FLOAT:
            AppendNumber(out, sqlite3_value_double(value));
            return true;
        default:
            out.append(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                       static_cast<size_t>(sqlite3_value_bytes(value)));
            return true;
    }
}

void Concat(sqlite3_context* context, int argc, sqlite3_value** argv) {
    std::string out;
    bool any = false;
    for (int i = 0; i < argc; ++i) {
        any = AppendValue(out, argv[i]) || any;
    }
    if (!any) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_text(context, out.data(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

void ToText(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_TEXT) {
        sqlite3_result_value(context, argv[0]);
        return;
    }
    std::string out;
    if (!AppendValue(out, argv[0])) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_text(context, out.data(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

// A stored date in the general date form; anything else unchanged.
void DateText(sqlite3_context* context, int, sqlite3_value** argv) {
    if (IsNull(argv[0])) {
        sqlite3_result_null(context);
        return;
    }
    const QDateTime when = DateTimeOf(argv[0]);
    if (!when.isValid()) {
        sqlite3_result_value(context, argv[0]);
        return;
    }
    ResultText(context, GeneralDate(when));
}

// jet_instr(start, haystack, needle, compare)
void InStr(sqlite3_context* context, int, sqlite3_value** argv) {
    if (AnyNull(4, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const std::optional<double> start = NumberOf(context, argv[0]);
    if (!start) {
        return;
    }
    if (*start < 1) {
        ResultError(context, kInvalidProcedureCall, "Invalid procedure call or argument");
        return;
    }
    const QString haystack = TextOf(argv[1]);
    const QString needle = TextOf(argv[2]);
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

void Right(sqlite3_context* context, int, sqlite3_value** argv) {
    if (AnyNull(2, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const std::optional<double> count = NumberOf(context, argv[1]);
    if (!count) {
        return;
    }
    if (*count < 0) {
        ResultError(context, kInvalidProcedureCall, "Invalid procedure call or argument");
        return;
    }
    ResultText(context, TextOf(argv[0]).right(static_cast<qsizetype>(*count)));
}

void Like(sqlite3_context* context, int, sqlite3_value** argv) {
    if (AnyNull(2, argv)) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_int(context, LikePattern(TextOf(argv[1])).Matches(TextOf(argv[0])) ? 1 : 0);
}

// jet_format(value, pattern, isDate)
void FormatValue(sqlite3_context* context, int, sqlite3_value** argv) {
    if (IsNull(argv[0])) {
        sqlite3_result_null(context);
        return;
    }
    const bool isDate = sqlite3_value_int(argv[2]) != 0;
    const QString pattern = IsNull(argv[1]) ? QString() : TextOf(argv[1]);
    ResultText(context, Format(VariantOf(argv[0], isDate), pattern));
}

void ValOf(sqlite3_context* context, int, sqlite3_value** argv) {
    switch (sqlite3_value_type(argv[0])) {
        case SQLITE_NULL:
            sqlite3_result_null(context);
            return;
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            sqlite3_result_value(context, argv[0]);
            return;
        default:
            sqlite3_result_double(context, Val(TextOf(argv[0])));
    }
}

}  // namespace

void RegisterTextFunctions(sqlite3* db) {
    struct Entry {
        const char* name;
        int argc;
        void (*function)(sqlite3_context*, int, sqlite3_value**);
    };
    static constexpr Entry kEntries[] = {
        {"jet_concat", -1, Concat},     {"jet_cstr", 1, ToText}, {"jet_datetext", 1, DateText},
        {"jet_instr", 4, InStr},        {"jet_right", 2, Right}, {"jet_like", 2, Like},
        {"jet_format", 3, FormatValue}, {"jet_val", 1, ValOf},
    };
    for (const Entry& e : kEntries) {
        sqlite3_create_function_v2(db, e.name, e.argc, kDeterministic, nullptr, e.function, nullptr,
                                   nullptr, nullptr);
    }
}

}  // namespace tw::jet::functions
