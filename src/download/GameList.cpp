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

ListedGame readGameRow(int32_t id, const QByteArray& page, qsizetype* t) {
    ListedGame game;
    game.id = id;
    game.type = pageValue(extractUntil(page, *t + 1, '<'));
    for (QString* field : {&game.dateTimeStamp, &game.map, &game.playlist}) {
        // Each value is the text after the first tag inside the next cell.
        const qsizetype c = findRequired(*t, page, "<td>");
        *t = findRequired(c + 4, page, ">");
        *field = pageValue(extractUntil(page, *t + 1, '<'));
    }
    return game;
}

int32_t gameId(const QByteArray& page, qsizetype g) {
    const QByteArray text = extractUntil(page, g + 7, '&');
    const int32_t id = countValue(text, "a game id");
    if (id == 0) {
        throw PageFailure(QStringLiteral("a game id is 0"));
    }
    return id;
}

// Stores one page's rows (read whole first, so an unreadable row leaves
// the page unstored); false when the player's last downloaded game was met.
bool storeGameRows(DownloadContext& context) {
    const std::optional<int32_t> stop = context.state.settings.scanAllGameLists
                                            ? std::nullopt
                                            : std::optional<int32_t>(context.lastGameId);
    const GameListRows rows = readGameListRows(context.fetcher.page(), stop);
    Recordset& rs = *context.tables.game;
    for (const ListedGame& game : rows.games) {
        context.listedGames.insert(game.id);
        rs.addNew();
        rs.setField(QStringLiteral("Game_ID"), game.id);
        rs.setField(QStringLiteral("Type"), game.type);
        rs.setField(QStringLiteral("Date_Time_Stamp"), game.dateTimeStamp);
        rs.setField(QStringLiteral("Map"), game.map);
        rs.setField(QStringLiteral("Playlist"), game.playlist);
        saveRow(rs);
    }
    return !rows.reachedStopGame;
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

GameListRows readGameListRows(const QByteArray& page, std::optional<int32_t> stopGameId) {
    GameListRows rows;
    qsizetype pos = 1;
    for (;;) {
        const qsizetype g = inStr(pos, page, "gameID");
        if (g < 1) {
            return rows;
        }
        const int32_t id = gameId(page, g);
        if (stopGameId && id == *stopGameId) {
            rows.reachedStopGame = true;
            return rows;
        }
        qsizetype t = findRequired(g + 1, page, ">");
        rows.games.append(readGameRow(id, page, &t));
        pos = t + 1;
    }
}

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
            if (!storeGameRows(context)) {
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
