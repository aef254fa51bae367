// The scrapers' text routines and the progress texts.

#include <gtest/gtest.h>

#include <QList>

#include "db/AppError.h"
#include "download/GameList.h"
#include "download/PageCharset.h"
#include "download/PlayerPage.h"
#include "download/ProgressDisplay.h"
#include "download/TextRoutines.h"

namespace tw {
namespace {

TEST(TextRoutines, UrlEncodeKeepsLettersAndDigitsOnly) {
    EXPECT_EQ(urlEncode(QStringLiteral("Mr T-1")), "Mr+T%2D1");
    EXPECT_EQ(urlEncode(QStringLiteral("a.b_c")), "a%2Eb%5Fc");
    EXPECT_EQ(urlEncode(QStringLiteral("O'Neil\t")), "O%27Neil%09");
    // Beyond ASCII: the bytes of the pages' windows-1252 form, so two names
    // that differ in one accent reach the site as two names.
    EXPECT_EQ(urlEncode(QStringLiteral("Caf\u00e9 Racer")), "Caf%E9+Racer");
    EXPECT_EQ(urlEncode(QStringLiteral("Caf\u00e8 Racer")), "Caf%E8+Racer");
    EXPECT_EQ(urlEncode(QStringLiteral("\u20ac\u0160")), "%80%8A");
    EXPECT_THROW(urlEncode(QStringLiteral("\u4e2d")), AppError);
}

TEST(PageCharset, PagesBecomeUtf8AsTheyDeclare) {
    const QByteArray latin =
        "HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=windows-1252\r\n"
        "\r\n<html>Caf\xe9 Caf\xe8 \x80</html>";
    const QByteArray utf8 = pageAsUtf8(latin);
    EXPECT_TRUE(utf8.endsWith("<html>Caf\xc3\xa9 Caf\xc3\xa8 \xe2\x82\xac</html>"));
    EXPECT_TRUE(utf8.startsWith("HTTP/1.0 200 OK\r\n"));
    // Declared in the body only, or not at all: still windows-1252.
    EXPECT_EQ(pageAsUtf8("HTTP/1.0 200 OK\r\n\r\n<meta charset=\"windows-1252\">\xe9"),
              "HTTP/1.0 200 OK\r\n\r\n<meta charset=\"windows-1252\">\xc3\xa9");
    EXPECT_EQ(pageAsUtf8("HTTP/1.0 200 OK\r\n\r\n\xe9\xe8"),
              "HTTP/1.0 200 OK\r\n\r\n\xc3\xa9\xc3\xa8");
    // A page that says UTF-8, or undeclared valid UTF-8, is kept; ASCII is untouched.
    const QByteArray declared =
        "HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=UTF-8\r\n\r\n\xc3\xa9";
    EXPECT_EQ(pageAsUtf8(declared), declared);
    EXPECT_EQ(pageAsUtf8("HTTP/1.0 200 OK\r\n\r\n\xc3\xa9"), "HTTP/1.0 200 OK\r\n\r\n\xc3\xa9");
    EXPECT_EQ(declaredCharset("HTTP/1.0 200 OK\r\n\r\n<meta charset='ISO-8859-1'>"), "iso-8859-1");
    // Every byte keeps a character of its own, so the way back is exact.
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    QByteArray back;
    ASSERT_TRUE(toWindows1252(fromWindows1252(all), &back));
    EXPECT_EQ(back, all);
}

TEST(TextRoutines, ExtractUntilCutsToTheStopOrTheEnd) {
    EXPECT_EQ(extractUntil("abc<def", 2, '<'), "bc");
    EXPECT_EQ(extractUntil("x   padded  <", 2, '<'), "padded");
    EXPECT_EQ(extractUntil("a<b", 2, '<'), "");
    EXPECT_EQ(extractUntil("no stop here ", 4, '<'), "stop here");
    EXPECT_EQ(extractUntil("\tkeep\t<", 1, '<'), "\tkeep\t");
    EXPECT_EQ(extractUntil("abc", 9, '<'), "");
    EXPECT_THROW(extractUntil("abc", 0, '<'), AppError);
}

TEST(TextRoutines, SearchIgnoresCaseAndCountsFromOne) {
    EXPECT_EQ(inStr(1, "abc</HTML>", "</html>"), 4);
    EXPECT_EQ(inStr(5, "abcabc", "ABC"), 0);
    EXPECT_EQ(inStr(4, "abcabc", "ABC"), 4);
    EXPECT_EQ(inStr(7, "abcabc", "c"), 0);
    try {
        inStr(0, "abc", "a");
        ADD_FAILURE() << "a search from position 0 must fail";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), 5);
    }
}

// The search and the test for a marker from every start of texts where the
// marker's first letter comes in both cases, with near misses, overlaps and
// matches at the very end, against a plain byte-by-byte search.
TEST(TextRoutines, SearchAgreesWithAPlainScanEverywhere) {
    const auto plain = [](qsizetype start, const QByteArray& text, const QByteArray& marker) {
        const QByteArray lowText = text.toLower();
        const QByteArray lowMarker = marker.toLower();
        for (qsizetype i = start - 1; i + lowMarker.size() <= lowText.size(); ++i) {
            if (lowText.mid(i, lowMarker.size()) == lowMarker) {
                return i + 1;
            }
        }
        return qsizetype{0};
    };
    const QList<QByteArray> texts = {"tdRanK td tDrank TDRANK",
                                     "aaaab AAAAB aAaAb",
                                     QByteArray("x\0<td>\0</TD>", 12),
                                     "Cc cC ccc CCC c",
                                     "no marker at all",
                                     "<span>9</SPAN><span>",
                                     "_CTL3_ _ctl12_ Game length: 5 GAME LENGTH: r= R=x"};
    const QList<QByteArray> markers = {"tdrank", "AAB", "</td>", "<td>",         "cc", "C",
                                       "span>",  "z",   "_ctl",  "game length:", "r=", "h: 5"};
    for (const QByteArray& text : texts) {
        for (const QByteArray& marker : markers) {
            for (qsizetype start = 1; start <= text.size(); ++start) {
                EXPECT_EQ(inStr(start, text, marker), plain(start, text, marker))
                    << text.constData() << " / " << marker.constData() << " from " << start;
                EXPECT_EQ(endsWithin(start, text, marker), plain(start, text, marker) > 0)
                    << text.constData() << " / " << marker.constData() << " from " << start;
            }
        }
    }
    EXPECT_EQ(inStr(3, "abc", ""), 3);
    EXPECT_EQ(inStr(3, "abc", "bcd"), 0);
    EXPECT_TRUE(endsWithin(3, "abc", ""));
    EXPECT_FALSE(endsWithin(2, "abc", "abc"));
    EXPECT_FALSE(endsWithin(4, "abc", "c"));
    EXPECT_THROW(endsWithin(0, "abc", "a"), AppError);
}

TEST(TextRoutines, NumbersAndTimes) {
    EXPECT_EQ(leadingNumber("12th"), 12);
    EXPECT_EQ(leadingNumber("none"), 0);
    EXPECT_EQ(wholeNumber(" 2.5x"), 2);
    EXPECT_EQ(timeTextSeconds("00:12:34"), 754);
    EXPECT_EQ(timeTextSeconds("01:02:03"), 3723);
    EXPECT_EQ(replaceNoCase("S=90&s=90&amp;x", "s=90", "s=70"), "s=70&s=70&amp;x");
    EXPECT_EQ(replaceNoCase("a&AMP;b&amp;c", "amp;", ""), "a&b&c");
}

TEST(TextRoutines, UnknownGamertagSignals) {
    const QByteArray found = "<html>Last Active: 12/1/2006</html>";
    EXPECT_FALSE(isUnknownGamertagPage(found));
    EXPECT_TRUE(isUnknownGamertagPage("HTTP/1.0 400 Bad Request\r\n\r\nLast Active"));
    EXPECT_TRUE(isUnknownGamertagPage(found + "You don't have stats"));
    EXPECT_TRUE(isUnknownGamertagPage("Last Active: 1/01/0001 12:00 AM"));
    EXPECT_TRUE(isUnknownGamertagPage(found + "<img src=\"default_avatar.gif\">"));
    EXPECT_TRUE(isUnknownGamertagPage("<html>nothing</html>"));
}

TEST(TextRoutines, PagerGivesThePageCount) {
    EXPECT_EQ(gameListPageCount("<a class=\"IBBPagerLastPage\" href=\"g?tag=x&page=17\">"), 17);
    EXPECT_EQ(gameListPageCount("<html>no pager</html>"), 1);
}

TEST(ProgressTexts, ReadingPercentAndElapsedTime) {
    EXPECT_EQ(progressText(4, 7), "Reading...   4 of 7");
    EXPECT_EQ(progressPercent(0, 7), "0%");
    EXPECT_EQ(progressPercent(3, 7), "43%");
    EXPECT_EQ(progressPercent(1, 8), "13%");
    EXPECT_EQ(elapsedText((3600 + 2 * 60 + 5) * 1000 + 999), "01:02:05");
    EXPECT_EQ(elapsedText(0), "00:00:00");
}

}  // namespace
}  // namespace tw
