// The player page and game list readers that work on page text alone: the
// unknown-gamertag test, the game list's page count, and the page's charset
// and its turning into UTF-8, which every scraper reads from.

#include <QString>

#include "FuzzCheck.h"
#include "download/GameList.h"
#include "download/PageCharset.h"
#include "download/PageReading.h"
#include "download/PlayerPage.h"

using namespace tw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray raw = fuzz::inputBytes(data, size);
    const QByteArray charset = declaredCharset(raw);
    fuzz::require(charset == charset.toLower(), "a declared charset is lower case");

    const QByteArray page = pageAsUtf8(raw);
    // A page that declares UTF-8 is taken at its word, stray bytes and all;
    // any other comes out as valid UTF-8.
    if (charset == "utf-8" || charset == "utf8") {
        fuzz::require(page == raw, "a page declared UTF-8 is kept as it is");
    } else {
        fuzz::require(QString::fromUtf8(page).toUtf8() == page, "a page becomes valid UTF-8");
    }
    bool ascii = true;
    for (const char c : raw) {
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    }
    fuzz::require(!ascii || page == raw, "plain ASCII is unchanged");

    QByteArray back;
    fuzz::require(toWindows1252(fromWindows1252(raw), &back) && back == raw,
                  "every windows-1252 byte keeps a character of its own");

    isUnknownGamertagPage(page);
    try {
        const int16_t pages = gameListPageCount(page);
        fuzz::require(pages >= 1, "a game list has at least one page");
    } catch (const PageFailure&) {
        // A pager without a usable count.
    }
    return 0;
}
