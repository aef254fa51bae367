#pragma once
// Readable Qt texts and bytes in GoogleTest failure messages (found by
// argument-dependent lookup, so they live in the global namespace with Qt's
// types).

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << '"' << bytes.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{';
    for (qsizetype i = 0; i < texts.size(); ++i) {
        *out << (i ? ", " : "") << '"' << texts[i].toStdString() << '"';
    }
    *out << '}';
}
