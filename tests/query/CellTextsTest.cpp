// The grid's cell texts and column widths: each distinct value is formatted
// once (CellTexts) and only candidate texts are measured (ColumnWidths), yet
// texts and widths equal formatting and measuring every cell.

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <limits>

#include "QueryFolder.h"
#include "gui/ColumnWidths.h"
#include "query/CellTexts.h"
#include "support/TestApplication.h"

namespace tw::testing {
namespace {

// Texts of every kind a result shows, and some whose widths do not follow
// their lengths: narrow and wide letters, kerning pairs, ligatures, accents,
// combining marks and scripts outside Latin.
std::vector<Variant> mixedColumn() {
    std::vector<Variant> values;
    for (int i = 0; i < 400; ++i) {
        values.emplace_back(int64_t{(i * 37) % 1201});
        values.emplace_back(static_cast<double>(i) / 7.0);
        const int day = i / 8;
        values.push_back(Variant::fromSerialDate(39000.0 + day + (i % 5) / 24.0));
        values.emplace_back(QStringLiteral("Player%1").arg(i % 53));
    }
    for (const char* text : {"iiiiiiiiiiiiiiiiiiii", "WWWWWWWWW", "AVAVAVAVAV", "ffiffifl", "To.Ty",
                             "llllllllllllllllllllllll", "MMMMMMMMMMM", "", " ", "1111111111111"}) {
        values.emplace_back(QString::fromLatin1(text));
    }
    values.emplace_back(QStringLiteral("e\u0301e\u0301e\u0301e\u0301e\u0301"));
    values.emplace_back(QStringLiteral("\u00c9l\u00e8ve \u00c5ngstr\u00f6m"));
    values.emplace_back(QStringLiteral("\u0645\u0631\u062d\u0628\u0627 \u05e9\u05dc\u05d5\u05dd"));
    values.emplace_back(QStringLiteral("\u6f22\u5b57\u6f22\u5b57"));
    values.emplace_back(int64_t{9007199254740993});  // beyond a double's whole numbers
    values.emplace_back(int64_t{9007199254740992});
    values.emplace_back(-0.0);
    values.emplace_back(0.0);
    values.emplace_back(std::numeric_limits<double>::denorm_min());
    return values;
}

int widestByMeasuringEvery(const QFontMetrics& metrics, const std::vector<Variant>& values) {
    int widest = 0;
    for (const Variant& value : values) {
        widest = std::max(widest, metrics.horizontalAdvance(value.toText()));
    }
    return widest;
}

TEST(CellTextsTest, TextsAndWidestEqualFormattingAndMeasuringEveryCell) {
    test_support::ensureApplication();
    std::vector<Variant> values = mixedColumn();
    for (const int pointSize : {8, 9, 11, 14}) {
        QFont font;
        font.setPointSize(pointSize);
        const QFontMetrics metrics(font);
        // In the order given, and with the wide and odd texts first and last.
        std::vector<Variant> reversed(values.rbegin(), values.rend());
        for (const std::vector<Variant>* order : {&values, &reversed}) {
            CellTexts texts(1);
            ColumnWidths widths(font, 1);
            for (const Variant& value : *order) {
                const QString text = texts.of(0, value);
                ASSERT_EQ(text, value.toText());
                widths.track(0, text);
            }
            EXPECT_EQ(widths.widestPixels(0), widestByMeasuringEvery(metrics, *order))
                << "point size " << pointSize;
        }
    }
}

TEST(CellTextsTest, EachColumnKeepsItsOwnWidestAndTheHeaderCounts) {
    test_support::ensureApplication();
    QFont font;
    const QFontMetrics metrics(font);
    CellTexts texts(3);
    ColumnWidths widths(font, 3);
    widths.track(0, QStringLiteral("Player_Gamertag"));
    widths.track(1, QStringLiteral("K"));
    EXPECT_EQ(texts.of(0, Variant(QStringLiteral("Bo"))), "Bo");
    widths.track(0, QStringLiteral("Bo"));
    EXPECT_EQ(texts.of(1, Variant(int64_t{123456})), "123456");
    widths.track(1, QStringLiteral("123456"));
    EXPECT_EQ(texts.of(1, Variant(int64_t{7})), "7");
    widths.track(1, QStringLiteral("7"));
    EXPECT_EQ(widths.widestPixels(0), metrics.horizontalAdvance(QStringLiteral("Player_Gamertag")));
    EXPECT_EQ(widths.widestPixels(1), metrics.horizontalAdvance(QStringLiteral("123456")));
    EXPECT_EQ(widths.widestPixels(2), 0);
    // The same number as a whole and as a fraction keeps both texts apart.
    EXPECT_EQ(texts.of(2, Variant(2.5)), "2.5");
    EXPECT_EQ(texts.of(2, Variant(int64_t{2})), "2");
    EXPECT_EQ(texts.of(2, Variant(2.0)), Variant(2.0).toText());
}

}  // namespace
}  // namespace tw::testing
