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

QString ListRoot(const DownloadContext& context) {
    return context.state.settings.URL_Games_Root + UrlEncode(context.gamertag);
}

void AddGameRow(Recordset& rs, int32_t id, const QByteArray& page, qsizetype* t) {
    rs.AddNew();
    rs.SetField(QStringLiteral("Game_ID"), id);
    rs.SetField(QStringLiteral("Type"), PageValue(ExtractUntil(page, *t + 1, '<')));
    for (const char* field : {"Date_Time_Stamp", "Map", "Playlist"}) {
        // Each value is the text after the first tag inside the next cell.
        const qsizetype c = FindRequired(*t, page, "<td>");
        *t = FindRequired(c + 4, page, ">");
        rs.SetField(QString::fromLatin1(field), PageValue(ExtractUntil(page, *t + 1, '<')));
    }
    SaveRow(rs);
}

int32_t GameId(const QByteArray& page, qsizetype g) {
    const QByteArray text = ExtractUntil(page, g + 7, '&');
    const int32_t id = CountValue(text, "a game id");
    if (id == 0) {
        throw PageFailure(QStringLiteral("a game id is 0"));
    }
    return id;
}

// Reads one page's rows; false when the player's last downloaded game was met.
bool ReadGameRows(DownloadContext& context) {
    Session& state = context.state;
    const QByteArray& page = context.fetcher.page();
    qsizetype pos = 1;
    for (;;) {
        const qsizetype g = InStr(pos, page, "gameID");
        if (g < 1) {
            return true;
        }
        const int32_t id = GameId(page, g);
        if (!state.settings.Scan_All_Game_Lists && id == context.lastGameId) {
            return false;
        }
        qsizetype t = FindRequired(g + 1, page, ">");
        context.listedGames.insert(id);
        AddGameRow(*context.tables.game, id, page, &t);
        pos = t + 1;
    }
}

QList<int32_t> NewGameIds(DownloadContext& context) {
    context.sql =
        QStringLiteral("SELECT Game.Game_ID ") +
        QStringLiteral("FROM Game LEFT JOIN Game_Player ON Game.Game_ID = Game_Player.Game_ID ") +
        QStringLiteral("WHERE Game_Player.Game_ID Is Null ") +
        QStringLiteral("ORDER BY Game.Game_ID DESC");
    const std::unique_ptr<Recordset> games = context.state.Db->OpenRecordset(context.sql);
    Recordset& rs = *games;
    QList<int32_t> ids;
    if (!(rs.IsEOF() && rs.IsBOF())) {
        rs.MoveLast();
        rs.MoveFirst();
        while (!rs.IsEOF()) {
            ids.append(static_cast<int32_t>(rs.Field(0).toLong()));
            rs.MoveNext();
        }
    }
    rs.Close();
    return ids;
}

}  // namespace

int16_t GameListPageCount(const QByteArray& page) {
    const qsizetype p = InStr(1, page, kPagerMarker);
    if (p <= 0) {
        return 1;
    }
    // Without its page number the link names no count: reading on from
    // position 6 would take the status line's "1.0" for one.
    const qsizetype q = FindRequired(p, page, "&page");
    const QByteArray count = ExtractUntil(page, q + 6, '"');
    const int32_t pages = CountValue(count, "the game list's page count");
    if (pages < 1 || pages > std::numeric_limits<int16_t>::max()) {
        throw PageFailure(QStringLiteral("the game list's page count %1 is out of range")
                              .arg(QString::fromUtf8(count)));
    }
    return static_cast<int16_t>(pages);
}

GameListOutcome ReadGameList(DownloadContext& context) {
    context.stage = 3;
    showStage(context, DownloadSession::StageChange::Advance);

    const QString root = ListRoot(context);
    context.fetcher.DownloadPage(root + QStringLiteral("&page=12"), 0);
    if (StoppedDuringFetch(context, 0)) {
        return GameListOutcome::Stopped;
    }
    RequireAnswer(context, QStringLiteral("game list (page count)"));
    if (InStr(1, context.fetcher.page(), kPagerMarker) == 0) {
        context.fetcher.DownloadPage(root, 0);
        if (StoppedDuringFetch(context, 0)) {
            return GameListOutcome::Stopped;
        }
        RequireAnswer(context, QStringLiteral("game list, first page"));
    }
    int16_t pages = 0;
    try {
        pages = GameListPageCount(context.fetcher.page());
    } catch (const PageFailure& failure) {
        throw PageFailure(QStringLiteral("game list pager: ") + failure.description(),
                          failure.number());
    }
    for (int n = 1; n <= pages; ++n) {
        context.fetcher.DownloadPage(root + QStringLiteral("&page=") + QString::number(n), 0);
        if (StoppedDuringFetch(context, 0)) {
            return GameListOutcome::Stopped;
        }
        const QString what = QStringLiteral("game list page %1").arg(n);
        RequireAnswer(context, what);
        try {
            if (!ReadGameRows(context)) {
                break;
            }
        } catch (const PageFailure& failure) {
            throw PageFailure(what + QStringLiteral(": ") + failure.description(),
                              failure.number());
        }
    }

    context.gameIds = NewGameIds(context);
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
