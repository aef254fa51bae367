#pragma once
// Number reading and writing shared by Variant and the formatter.

#include <QString>
#include <optional>

namespace tw {

// CDbl's reading of a text: the whole text (blanks around it allowed) must be
// a decimal number, optionally with an exponent; anything else gives nothing.
std::optional<double> parseNumberText(const QString& text);

// Source name carried by the conversion errors (6, 13, 94).
inline const QString kConversionErrorSource = QStringLiteral("Tallywick");

[[noreturn]] void throwOverflow();
[[noreturn]] void throwTypeMismatch();
[[noreturn]] void throwInvalidUseOfNull();

}  // namespace tw
