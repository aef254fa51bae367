// Registration of the application functions and their shared helpers.

#include "db/jet/FunctionSupport.h"
#include "db/jet/Translator.h"

namespace tw::jet {

namespace functions {

void resultError(sqlite3_context* context, int number, const char* description) {
    const QByteArray message =
        QStringLiteral("%1: %2").arg(number).arg(QString::fromUtf8(description)).toUtf8();
    sqlite3_result_error(context, message.constData(), static_cast<int>(message.size()));
}

void resultText(sqlite3_context* context, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    sqlite3_result_text(context, bytes.constData(), static_cast<int>(bytes.size()),
                        SQLITE_TRANSIENT);
}

QString textOf(sqlite3_value* value) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return QString::fromUtf8(bytes, sqlite3_value_bytes(value));
}

std::optional<double> numberOf(sqlite3_context* context, sqlite3_value* value) {
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
        const double number = textOf(value).trimmed().toDouble(&ok);
        if (ok) {
            return number;
        }
    }
    resultError(context, err::kTypeMismatch, "Type mismatch");
    return std::nullopt;
}

Variant variantOf(sqlite3_value* value, bool isDate) {
    switch (sqlite3_value_type(value)) {
        case SQLITE_NULL:
            return Variant::null();
        case SQLITE_INTEGER:
            return Variant(static_cast<int64_t>(sqlite3_value_int64(value)));
        case SQLITE_FLOAT:
            return Variant(sqlite3_value_double(value));
        default:
            break;
    }
    const QString text = textOf(value);
    if (isDate) {
        const QDateTime when = parseDateText(text);
        if (when.isValid()) {
            return Variant::fromDate(when);
        }
    }
    return Variant(text);
}

QDateTime dateTimeOf(sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            return dateTimeFromSerial(sqlite3_value_double(value));
        case SQLITE_TEXT:
            return parseDateText(textOf(value));
        default:
            return QDateTime();
    }
}

}  // namespace functions

void registerFunctions(sqlite3* db) {
    functions::registerTextFunctions(db);
    functions::registerNumberFunctions(db);
    functions::registerDateFunctions(db);
    functions::registerDateMathFunctions(db);
    functions::registerAggregateFunctions(db);
}

}  // namespace tw::jet
