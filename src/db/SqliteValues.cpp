#include "db/SqliteValues.h"

#include <sqlite3.h>

#include <QDate>
#include <cmath>

#include "db/SqliteErrors.h"

namespace tw::sqlite {

namespace {

bool readDigits(const char* text, int count, int* value) {
    int result = 0;
    for (int i = 0; i < count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        result = result * 10 + (text[i] - '0');
    }
    *value = result;
    return true;
}

AppError conversionError() {
    return AppError(kConversionError, kFieldSource, QStringLiteral("Data type conversion error."));
}

Variant textToDate(const QString& text) {
    const QDateTime parsed = parseDateText(text);
    if (!parsed.isValid()) {
        throw conversionError();
    }
    return Variant::fromDate(parsed);
}

Variant toDateColumn(const Variant& value) {
    switch (value.type()) {
        case Variant::Type::Text:
            return textToDate(value.toText());
        case Variant::Type::Integer:
        case Variant::Type::Double:
            return Variant::fromSerialDate(value.toDouble());
        default:
            return value;
    }
}

double numberOf(const Variant& value) {
    try {
        return value.toDouble();
    } catch (const AppError&) {
        throw conversionError();
    }
}

Variant toIntegerColumn(const Variant& value) {
    if (value.type() == Variant::Type::Integer || value.isNull()) {
        return value;
    }
    const double number = numberOf(value);
    if (!std::isfinite(number) || std::fabs(number) > 9.2e18) {
        throw conversionError();
    }
    return Variant(static_cast<int64_t>(roundHalfEven(number)));
}

Variant toDoubleColumn(const Variant& value) {
    if (value.type() == Variant::Type::Double || value.isNull()) {
        return value;
    }
    return Variant(numberOf(value));
}

}  // namespace

bool readStorageDate(const char* text, int length, double* serial) {
    if (length != 10 && length != 19) {
        return false;
    }
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!readDigits(text, 4, &year) || text[4] != '-' || !readDigits(text + 5, 2, &month) ||
        text[7] != '-' || !readDigits(text + 8, 2, &day)) {
        return false;
    }
    if (length == 19 && (text[10] != ' ' || !readDigits(text + 11, 2, &hour) || text[13] != ':' ||
                         !readDigits(text + 14, 2, &minute) || text[16] != ':' ||
                         !readDigits(text + 17, 2, &second))) {
        return false;
    }
    const QDate date(year, month, day);
    if (!date.isValid() || hour > 23 || minute > 59 || second > 59) {
        return false;
    }
    static const qint64 epoch = QDate(1899, 12, 30).toJulianDay();
    const double days = static_cast<double>(date.toJulianDay() - epoch);
    const double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
    // Before the epoch the serial's fraction still counts forward in time.
    *serial = days >= 0 ? days + fraction : days - fraction;
    return true;
}

Variant readColumn(sqlite3_stmt* statement, int column, jet::ColumnType type) {
    switch (sqlite3_column_type(statement, column)) {
        case SQLITE_NULL:
            return Variant();
        case SQLITE_INTEGER:
            return Variant(static_cast<int64_t>(sqlite3_column_int64(statement, column)));
        case SQLITE_FLOAT:
            return Variant(sqlite3_column_double(statement, column));
        default:
            break;
    }
    const char* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    const int length = sqlite3_column_bytes(statement, column);
    if (type == jet::ColumnType::Date) {
        double serial = 0;
        if (readStorageDate(text, length, &serial)) {
            return Variant::fromSerialDate(serial);
        }
        const QDateTime other = parseDateText(QString::fromUtf8(text, length));
        if (other.isValid()) {
            return Variant::fromDate(other);
        }
    }
    return Variant(QString::fromUtf8(text, length));
}

void bindValue(sqlite3_stmt* statement, int index, const Variant& value) {
    switch (value.type()) {
        case Variant::Type::Null:
            sqlite3_bind_null(statement, index);
            return;
        case Variant::Type::Integer:
            // Whole numbers of the program fit a double exactly (ids are 32-bit).
            sqlite3_bind_int64(statement, index, static_cast<sqlite3_int64>(value.toDouble()));
            return;
        case Variant::Type::Double:
            sqlite3_bind_double(statement, index, value.toDouble());
            return;
        case Variant::Type::Date: {
            const QByteArray text = toStorageDateText(value.toDateTime()).toUtf8();
            sqlite3_bind_text(statement, index, text.constData(), static_cast<int>(text.size()),
                              SQLITE_TRANSIENT);
            return;
        }
        case Variant::Type::Text: {
            const QByteArray text = value.toText().toUtf8();
            sqlite3_bind_text(statement, index, text.constData(), static_cast<int>(text.size()),
                              SQLITE_TRANSIENT);
            return;
        }
    }
}

Variant toColumnType(const Variant& value, jet::ColumnType type) {
    switch (type) {
        case jet::ColumnType::Date:
            return toDateColumn(value);
        case jet::ColumnType::Integer:
            return toIntegerColumn(value);
        case jet::ColumnType::Double:
            return toDoubleColumn(value);
        case jet::ColumnType::Text:
            return value.isNull() || value.type() == Variant::Type::Text ? value
                                                                         : Variant(value.toText());
        case jet::ColumnType::Unknown:
            break;
    }
    return value;
}

}  // namespace tw::sqlite
