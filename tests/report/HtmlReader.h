#pragma once
// A written page as a browser's parser reads it (read_html.py beside this
// file, on Python's html.parser): every element in document order with its
// attributes and the text inside it, character references decoded; or its
// verdict on whether the page's elements close in order.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

namespace tw::test {

struct HtmlElement {
    QString tag;
    QMap<QString, QString> attrs;
    QString text;
};

inline QList<HtmlElement> readHtml(const QString& page) {
    QProcess reader;
    reader.start(QStringLiteral("python3"),
                 {QStringLiteral(TALLYWICK_SOURCE_DIR "/tests/report/read_html.py"), page});
    EXPECT_TRUE(reader.waitForFinished(30000));
    EXPECT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    QList<HtmlElement> elements;
    for (const auto& value : QJsonDocument::fromJson(reader.readAllStandardOutput()).array()) {
        const QJsonObject object = value.toObject();
        HtmlElement element{object[QStringLiteral("tag")].toString(),
                            {},
                            object[QStringLiteral("text")].toString()};
        const QJsonObject attrs = object[QStringLiteral("attrs")].toObject();
        for (auto it = attrs.begin(); it != attrs.end(); ++it) {
            element.attrs.insert(it.key(), it.value().toString());
        }
        elements.append(element);
    }
    return elements;
}

inline QList<HtmlElement> named(const QList<HtmlElement>& elements, const QString& tag) {
    QList<HtmlElement> found;
    for (const HtmlElement& element : elements) {
        if (element.tag == tag) {
            found.append(element);
        }
    }
    return found;
}

// "ok" and the number of elements when the page opens with a doctype and
// closes every element in order; otherwise the first problem found.
inline QString htmlVerdict(const QString& page) {
    QProcess checker;
    checker.start(QStringLiteral("python3"),
                  {QStringLiteral(TALLYWICK_SOURCE_DIR "/tests/report/read_html.py"),
                   QStringLiteral("--check"), page});
    EXPECT_TRUE(checker.waitForFinished(30000));
    return QString::fromUtf8(checker.readAllStandardOutput()).trimmed();
}

// The "?NAME?" tokens a template holds, in upper case, each once.
inline QStringList templateTokens(const QByteArray& templateText) {
    QStringList tokens;
    const QRegularExpression token(QStringLiteral("\\?[A-Za-z0-9_]+\\?"));
    for (auto it = token.globalMatch(QString::fromUtf8(templateText)); it.hasNext();) {
        const QString found = it.next().captured().toUpper();
        if (!tokens.contains(found)) {
            tokens.append(found);
        }
    }
    return tokens;
}

}  // namespace tw::test
