// Values from outside (database cells, page text, saved queries' literals)
// through the classic conversions and the display patterns: a result or a
// numbered AppError (13 type mismatch, 6 overflow, 94 Null), nothing else.
// Input: a pattern line, then the value's text; its first eight bytes are
// also read as a double (a number or a date serial from a database file).

#include <QByteArray>
#include <cmath>
#include <cstring>

#include "FuzzCheck.h"
#include "db/AppError.h"
#include "db/Format.h"
#include "db/Variant.h"

using namespace tw;

namespace {

template <typename Convert>
void convert(Convert conversion) {
    try {
        conversion();
    } catch (const AppError& error) {
        fuzz::require(error.number() == err::kTypeMismatch || error.number() == err::kOverflow ||
                          error.number() == err::kInvalidUseOfNull,
                      "a conversion fails with 13, 6 or 94");
    }
}

void convertAll(const Variant& value, const QString& pattern) {
    convert([&] { value.toText(); });
    convert([&] { value.toDouble(); });
    convert([&] {
        const int64_t whole = value.toLong();
        fuzz::require(whole >= INT32_MIN && whole <= INT32_MAX, "a Long has 32 bits");
    });
    convert([&] { value.toInt16(); });
    convert([&] { value.toDateTime(); });
    convert([&] { value.toSerialDate(); });
    convert([&] { format(value, pattern); });
    convert([&] { value.joinText(); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input = fuzz::inputBytes(data, size);
    const qsizetype cut = input.indexOf('\n');
    const QString pattern = QString::fromUtf8(cut < 0 ? QByteArray() : input.first(cut));
    const QByteArray rest = cut < 0 ? input : input.sliced(cut + 1);
    const QString text = QString::fromUtf8(rest);

    convertAll(Variant(text), pattern);
    val(text);
    parseDateText(text);

    double number = 0;
    if (rest.size() >= qsizetype(sizeof number)) {
        std::memcpy(&number, rest.constData(), sizeof number);
        convertAll(Variant(number), pattern);
        int64_t whole = 0;
        std::memcpy(&whole, rest.constData(), sizeof whole);
        convertAll(Variant(whole), pattern);
        convert([&] { convertAll(Variant::fromSerialDate(number), pattern); });
        if (std::isfinite(number)) {
            generalNumber(number);
        }
    }
    return 0;
}
