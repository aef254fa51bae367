#include "db/SqliteValues.h"

#include <sqlite3.h>

#include <QDate>
#include <cmath>

#include "db/SqliteErrors.h"

namespace tw::sqlite {

namespace {

bool ReadDigits(const char* text, int count, int* value) {
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

AppError ConversionError() {
    return AppError(kConversionError, kFieldSource, QStringLiteral("Data type conversion error."));
}

Variant TextToDate(const QString& text) {
    const QDateTime parsed = ParseDateText(text);
    if (!parsed.isValid()) {
        throw ConversionError();
    }
    return Variant::FromDate(parsed);
}

Variant ToDateColumn(const Variant& value) {
    switch (value.type()) {
        case Variant::Type::Text:
            return TextToDate(value.toText());
        case Variant::Type::Integer:
        case Variant::Type::Double:
            return Variant::FromSerialDate(value.toDouble());
        default:
            return value;
    }
}

double NumberOf(const Variant& value) {
    try {
        return value.toDouble();
    } catch (const AppError&) {
        throw ConversionError();
    }
}

Variant ToIntegerColumn(const Variant& value) {
    if (value.type() == Variant::Type::Integer || value.isNull()) {
        return value;
    }
    const double number = NumberOf(value);
    if (!std::isfinite(number) || std::fabs(number) > 9.2e18) {
        throw ConversionError();
    }
    return Variant(static_cast<int64_t>(RoundHalfEven(number)));
}

Variant ToDoubleColumn(const Variant& value) {
    if (value.type() == Variant::Type::Double || value.isNull()) {
        return value;
    }
    return Variant(NumberOf(value));
}

}  // namespace

bool ReadStorageDate(const char* text, int length, double* serial) {
    if (length != 10 && length != 19) {
        return false;
    }
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!ReadDigits(text, 4, &year) || text[4] != '-' || !ReadDigits(text + 5, 2, &month) ||
        text[7] != '-' || !ReadDigits(text + 8, 2, &day)) {
        return false;
    }
    if (length == 19 && (text[10] != ' ' || !ReadDigits(text + 11, 2, &hour) || text[13] != ':' ||
                         !ReadDigits(text + 14, 2, &minute) || text[16] != ':' ||
                         !ReadDigits(text + 17, 2, &second))) {
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

Variant ReadColumn(sqlite3_stmt* statement, int column, jet::ColumnType type) {
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
        if (ReadStorageDate(text, length, &serial)) {
            return Variant::FromSerialDate(serial);
        }
        const QDateTime other = ParseDateText(QString::fromUtf8(text, length));
        if (other.isValid()) {
            return Variant::FromDate(other);
        }
    }
    return Variant(QString::fromUtf8(text, length));
}

void BindValue(sqlite3_stmt* statement, int index, const Variant& value) {
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
            const QByteArray text = ToStorageDateText(value.toDateTime()).toUtf8();
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

Variant ToColumnType(const Variant& value, jet::ColumnType type) {
    switch (type) {
        case jet::ColumnType::Date:
            return ToDateColumn(value);
        case jet::ColumnType::Integer:
            return ToIntegerColumn(value);
        case jet::ColumnType::Double:
            return ToDoubleColumn(value);
        case jet::ColumnType::Text:
            return value.isNull() || value.type() == Variant::Type::Text ? value
                                                                         : Variant(value.toText());
        case jet::ColumnType::Unknown:
            break;
    }
    return value;
}

}  // namespace tw::sqlite
