// Registration of the application functions and their shared helpers.

#include "db/jet/FunctionSupport.h"
#include "db/jet/Translator.h"

namespace tw::jet {

namespace functions {

void ResultError(sqlite3_context* context, int number, const char* description) {
    const QByteArray message =
        QStringLiteral("%1: %2").arg(number).arg(QString::fromUtf8(description)).toUtf8();
    sqlite3_result_error(context, message.constData(), static_cast<int>(message.size()));
}

void ResultText(sqlite3_context* context, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    sqlite3_result_text(context, bytes.constData(), static_cast<int>(bytes.size()),
                        SQLITE_TRANSIENT);
}

QString TextOf(sqlite3_value* value) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return QString::fromUtf8(bytes, sqlite3_value_bytes(value));
}

std::optional<double> NumberOf(sqlite3_context* context, sqlite3_value* value) {
    switch (sqlite3_value_numeric_type(value)) {
        case SQLITE_INTEGER:
            return static_cast<double>(sqlite3_value_int64(value));
        case SQLITE_FLOAT:
            return sqlite3_value_double(value);
        default:
            break;
    }
    if (sqlite3_value_type(value) == SQLITE_TEXT) {
        bool ok = false;
        const double number = TextOf(value).trimmed().toDouble(&ok);
        if (ok) {
            return number;
        }
    }
    ResultError(context, err::kTypeMismatch, "Type mismatch");
    return std::nullopt;
}

Variant VariantOf(sqlite3_value* value, bool isDate) {
    switch (sqlite3_value_type(value)) {
        case SQLITE_NULL:
            return Variant::Null();
        case SQLITE_INTEGER:
            return Variant(static_cast<int64_t>(sqlite3_value_int64(value)));
        case SQLITE_FLOAT:
            return Variant(sqlite3_value_double(value));
        default:
            break;
    }
    const QString text = TextOf(value);
    if (isDate) {
        const QDateTime when = ParseDateText(text);
        if (when.isValid()) {
            return Variant::FromDate(when);
        }
    }
    return Variant(text);
}

QDateTime DateTimeOf(sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            return DateTimeFromSerial(sqlite3_value_double(value));
        case SQLITE_TEXT:
            return ParseDateText(TextOf(value));
        default:
            return QDateTime();
    }
}

}  // namespace functions

void RegisterFunctions(sqlite3* db) {
    functions::RegisterTextFunctions(db);
    functions::RegisterNumberFunctions(db);
    functions::RegisterDateFunctions(db);
    functions::RegisterDateMathFunctions(db);
    functions::RegisterAggregateFunctions(db);
}

}  // namespace tw::jet
