#include "download/GameList.h"

#include <limits>

#include "core/Session.h"
#include "download/DownloadContext.h"
#include "download/Fetcher.h"
#include "download/PageReading.h"
#include "download/TextRoutines.h"

namespace tw {
namespace {

const QByteArray kPagerMarker = "class=\"IBBPagerLastPage\"";

QString listRoot(const DownloadContext& context) {
    return context.state.settings.urlGamesRoot + urlEncode(context.gamertag);
}

void addGameRow(Recordset& rs, int32_t id, const QByteArray& page, qsizetype* t) {
    rs.addNew();
    rs.setField(QStringLiteral("Game_ID"), id);
    rs.setField(QStringLiteral("Type"), pageValue(extractUntil(page, *t + 1, '<')));
    for (const char* field : {"Date_Time_Stamp", "Map", "Playlist"}) {
        // Each value is the text after the first tag inside the next cell.
        const qsizetype c = findRequired(*t, page, "<td>");
        *t = findRequired(c + 4, page, ">");
        rs.setField(QString::fromLatin1(field), pageValue(extractUntil(page, *t + 1, '<')));
    }
    saveRow(rs);
}

int32_t gameId(const QByteArray& page, qsizetype g) {
    const QByteArray text = extractUntil(page, g + 7, '&');
    const int32_t id = countValue(text, "a game id");
    if (id == 0) {
        throw PageFailure(QStringLiteral("a game id is 0"));
    }
    return id;
}

// Reads one page's rows; false when the player's last downloaded game was met.
bool readGameRows(DownloadContext& context) {
    Session& state = context.state;
    const QByteArray& page = context.fetcher.page();
    qsizetype pos = 1;
    for (;;) {
        const qsizetype g = inStr(pos, page, "gameID");
        if (g < 1) {
            return true;
        }
        const int32_t id = gameId(page, g);
        if (!state.settings.scanAllGameLists && id == context.lastGameId) {
            return false;
        }
        qsizetype t = findRequired(g + 1, page, ">");
        context.listedGames.insert(id);
        addGameRow(*context.tables.game, id, page, &t);
        pos = t + 1;
    }
}

QList<int32_t> newGameIds(DownloadContext& context) {
    context.sql =
        QStringLiteral("SELECT Game.Game_ID ") +
        QStringLiteral("FROM Game LEFT JOIN Game_Player ON Game.Game_ID = Game_Player.Game_ID ") +
        QStringLiteral("WHERE Game_Player.Game_ID Is Null ") +
        QStringLiteral("ORDER BY Game.Game_ID DESC");
    const std::unique_ptr<Recordset> games = context.state.db->openRecordset(context.sql);
    Recordset& rs = *games;
    QList<int32_t> ids;
    if (!(rs.isEof() && rs.isBof())) {
        rs.moveLast();
        rs.moveFirst();
        while (!rs.isEof()) {
            ids.append(static_cast<int32_t>(rs.field(0).toLong()));
            rs.moveNext();
        }
    }
    rs.close();
    return ids;
}

}  // namespace

int16_t gameListPageCount(const QByteArray& page) {
    const qsizetype p = inStr(1, page, kPagerMarker);
    if (p <= 0) {
        return 1;
    }
    // Without its page number the link names no count: reading on from
    // position 6 would take the status line's "1.0" for one.
    const qsizetype q = findRequired(p, page, "&page");
    const QByteArray count = extractUntil(page, q + 6, '"');
    const int32_t pages = countValue(count, "the game list's page count");
    if (pages < 1 || pages > std::numeric_limits<int16_t>::max()) {
        throw PageFailure(QStringLiteral("the game list's page count %1 is out of range")
                              .arg(QString::fromUtf8(count)));
    }
    return static_cast<int16_t>(pages);
}

GameListOutcome readGameList(DownloadContext& context) {
    context.stage = 3;
    showStage(context, DownloadSession::StageChange::Advance);

    const QString root = listRoot(context);
    context.fetcher.downloadPage(root + QStringLiteral("&page=12"), 0);
    if (stoppedDuringFetch(context, 0)) {
        return GameListOutcome::Stopped;
    }
    requireAnswer(context, QStringLiteral("game list (page count)"));
    if (inStr(1, context.fetcher.page(), kPagerMarker) == 0) {
        context.fetcher.downloadPage(root, 0);
        if (stoppedDuringFetch(context, 0)) {
            return GameListOutcome::Stopped;
        }
        requireAnswer(context, QStringLiteral("game list, first page"));
    }
    int16_t pages = 0;
    try {
        pages = gameListPageCount(context.fetcher.page());
    } catch (const PageFailure& failure) {
        throw PageFailure(QStringLiteral("game list pager: ") + failure.description(),
                          failure.number());
    }
    for (int n = 1; n <= pages; ++n) {
        context.fetcher.downloadPage(root + QStringLiteral("&page=") + QString::number(n), 0);
        if (stoppedDuringFetch(context, 0)) {
            return GameListOutcome::Stopped;
        }
        const QString what = QStringLiteral("game list page %1").arg(n);
        requireAnswer(context, what);
        try {
            if (!readGameRows(context)) {
                break;
            }
        } catch (const PageFailure& failure) {
            throw PageFailure(what + QStringLiteral(": ") + failure.description(),
                              failure.number());
        }
    }

    context.gameIds = newGameIds(context);
    if (context.gameIds.isEmpty()) {
        showStage(context, DownloadSession::StageChange::Info);
        return GameListOutcome::NoNewGames;
    }
    context.stage = 4;
    showStage(context, DownloadSession::StageChange::Advance,
              QStringLiteral("New games found ") + QStringLiteral("(") +
                  QString::number(context.gameIds.size()) + QStringLiteral(")"));
    return GameListOutcome::NewGames;
}

}  // namespace tw
