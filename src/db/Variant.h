#pragma once
// A value as the program's statements and recordsets hand it around: Null,
// text, whole number, double or date, with the conversion rules of classic VB
// that the program relies on (see src/db/README.md for the fixed US-English
// conventions). Dates are naive local date-times, no time zone, held as the
// classic serial number (days since 1899-12-30, the fraction the time of day).

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <variant>

namespace tw {

class Variant {
  public:
    enum class Type { Null, Text, Integer, Double, Date };

    Variant() = default;  // Null
    static Variant null() { return Variant(); }
    Variant(const QString& text);
    Variant(const char* text);
    Variant(int64_t whole);
    Variant(int whole) : Variant(static_cast<int64_t>(whole)) {}
    Variant(double number);
    static Variant fromDate(const QDateTime& dateTime);
    static Variant fromSerialDate(double serial);

    Type type() const;
    bool isNull() const { return type() == Type::Null; }
    bool isNumeric() const { return type() == Type::Integer || type() == Type::Double; }

    // Converting on its own (CStr/CDbl/CLng/CInt/CDate): Null is error 94,
    // text that is no number is error 13, out of range is error 6.
    QString toText() const;  // numbers in VB's general form, dates in the general date format
    double toDouble() const;
    int64_t toLong() const;   // rounds half to even; range of a 32-bit Long
    int16_t toInt16() const;  // rounds half to even; range of a 16-bit Integer
    QDateTime toDateTime() const;
    double toSerialDate() const;

    // Joining into a text (the & operator): Null becomes the empty text.
    QString joinText() const;

    bool operator==(const Variant& other) const;  // same type and value (for tests)

  private:
    struct DateValue {
        double serial;
        bool operator==(const DateValue&) const = default;
    };
    std::variant<std::monostate, QString, int64_t, double, DateValue> value_;
};

// Val(): the leading-number reading. Leading blanks skipped, then sign, digits
// and one decimal point until a character that cannot continue a number; a text
// without a number reads 0.
double val(const QString& text);

// Rounding of classic VB conversions: half to the even neighbour.
double roundHalfEven(double value);

// Serial-date helpers (days since 1899-12-30).
double serialFromDateTime(const QDateTime& dateTime);
QDateTime dateTimeFromSerial(double serial);

// Reads a date-time the way the program meets them: ISO "yyyy-mm-dd hh:mm:ss"
// (storage form), and US "m/d/yyyy [h:mm[:ss] [AM|PM]]" (pages, general date).
// Returns an invalid QDateTime when the text is no date.
QDateTime parseDateText(const QString& text);

// Storage form of dates in the database: "yyyy-MM-dd HH:mm:ss".
QString toStorageDateText(const QDateTime& dateTime);

}  // namespace tw
