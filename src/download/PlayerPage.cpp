#include "download/PlayerPage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/LoadPicture.h"
#include "core/Paths.h"
#include "core/Session.h"
#include "db/SafeFile.h"
#include "download/DownloadContext.h"
#include "download/Fetcher.h"
#include "download/PageReading.h"
#include "download/ProgressDisplay.h"
#include "download/TextRoutines.h"

namespace tw {
namespace {

const QByteArray kQuote = "\"";

// The player leaves the database; the window takes the entry off its list
// when told.
void RemoveUnknownGamertag(DownloadContext& context) {
    RunSql(context, QStringLiteral("delete * from Player where Player_Gamertag=") +
                        Quoted(context.gamertag));
    showFailedStage(context, QStringLiteral("Gamertag not found"));
    emit context.session.playerNotFound(context.gamertag);
}

void StoreClan(DownloadContext& context) {
    const QByteArray& page = context.fetcher.page();
    const qsizetype p = InStr(1, page, "Clan:");
    if (p <= 1) {
        return;
    }
    const qsizetype q = InStr(p + 5, page, ">");
    const QString clan = PageValue(ExtractUntil(page, q + 1, '<'));
    RunSql(context, QStringLiteral("insert into Clan values(") + Quoted(clan) +
                        QStringLiteral(",'','','','')"));
    RunSql(context, QStringLiteral("update Player set Clan_Name = ") + Quoted(clan) +
                        QStringLiteral(" where Player_Gamertag = ") + Quoted(context.gamertag));
}

void ReadLevelCell(const QByteArray& cell, Recordset& rs) {
    if (InStr(1, cell, "No Games Played") > 0) {
        rs.SetField(QStringLiteral("Experience_Level"), 0);
        rs.SetField(QStringLiteral("Next_Level_Progress"), 0.0);
        return;
    }
    const qsizetype x = FindRequired(1, cell, "ExpBarText");
    const qsizetype y = FindRequired(x + 10, cell, ">");
    rs.SetField(QStringLiteral("Experience_Level"),
                CountValue(ExtractUntil(cell, y + 1, '<'), "the experience level"));
    const qsizetype z = FindRequired(y, cell, "LevelBar.gif");
    const qsizetype w = FindRequired(z, cell, "width");
    // The bar's width in pixels is half the percentage.
    rs.SetField(QStringLiteral("Next_Level_Progress"),
                2 * LeadingNumber(ExtractUntil(cell, w + 7, '"')));
}

void StoreExperienceLevels(DownloadContext& context) {
    RunSql(context, QStringLiteral("delete * from Player_Playlist where Player_Gamertag = ") +
                        Quoted(context.gamertag));
    const QByteArray& page = context.fetcher.page();
    Recordset& rs = *context.tables.playerPlaylist;
    qsizetype p = InStr(1, page, "HopperLink");
    while (p != 0) {
        rs.AddNew();
        rs.SetField(QStringLiteral("Player_Gamertag"), context.gamertag);
        const qsizetype q = FindRequired(p, page, ">");
        rs.SetField(QStringLiteral("Playlist"), PageValue(ExtractUntil(page, q + 1, '<')));
        const qsizetype a = FindRequired(q + 1, page, "<td");
        const qsizetype b = FindRequired(a + 1, page, "</td>");
        ReadLevelCell(page.mid(a - 1, b - a), rs);
        SaveRow(rs);
        // The next playlist is searched from the end of this one's cell, so
        // a short row cannot hide the next playlist.
        p = InStr(b, page, "HopperLink");
    }
}

int32_t ColourCode(const QByteArray& query, const QByteArray& key) {
    return WholeNumber(ExtractUntil(query, FindRequired(1, query, key) + 2, '&'));
}

QByteArray StoreEmblemColours(DownloadContext& context) {
    const QByteArray& page = context.fetcher.page();
    const qsizetype e = FindRequired(1, page, "imgEmblem");
    const qsizetype q = FindRequired(e, page, "?");
    QByteArray query = ExtractUntil(page, q + 1, '"');
    query = ReplaceNoCase(ReplaceNoCase(query, "amp;", ""), "s=90", "s=70");
    const int32_t primary = ColourCode(query, "0=");
    const int32_t secondary = ColourCode(query, "1=");
    RunSql(context, QStringLiteral("update Player set Primary_Color_Code = ") +
                        QString::number(primary) + QStringLiteral(", ") +
                        QStringLiteral("Secondary_Color_Code = ") + QString::number(secondary) +
                        QStringLiteral(" where Player_Gamertag = ") + Quoted(context.gamertag));
    return query;
}

// A picture from a download replaces the whole file, or (when it cannot be
// written) leaves the old one as it was. A picture folder the user removed
// is made again.
void WritePicture(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString reason;
    if (!writeFileSafely(path, bytes, &reason)) {
        throw AppError(75, QStringLiteral("Tallywick"),
                       QStringLiteral("Path/File access error: %1: %2")
                           .arg(QDir::toNativeSeparators(path), reason));
    }
}

// A picture fetch: true when a whole picture came. A site that cannot be
// reached ends the player's download; an answer that is no picture keeps
// the old picture (the emblem is no statistic).
bool FetchPicture(DownloadContext& context, const QString& path, const char* what) {
    context.fetcher.DownloadPage(path, kPictureMode);
    if (context.stopRequested()) {
        return false;
    }
    try {
        RequireAnswer(context, QLatin1String(what));
    } catch (const PageFailure&) {
        return false;
    }
    return true;
}

// The emblem is shown; a file that is no picture is deleted and the
// unknown picture shown instead.
void ShowEmblem(DownloadContext& context, const QString& path) {
    Session& state = context.state;
    try {
        LoadPicture(path);
    } catch (const AppError& error) {
        if (error.number() != err::kInvalidPicture) {
            throw;
        }
        QFile::remove(AvatarPath(state, context.gamertag));
        emit context.session.pictureSaved(state.AvatarDir + QStringLiteral("unknown.jpg"));
        return;
    }
    emit context.session.pictureSaved(path);
}

QByteArray SmallEmblemQuery(QByteArray query) {
    query = ReplaceNoCase(query, "s=70", "s=30");
    const QByteArray colours = ExtractUntil(query, FindRequired(1, query, "0="), 'f');
    query = ReplaceNoCase(query, colours, "0=0&1=0&2=1&3=1&");
    const QByteArray background = ExtractUntil(query, FindRequired(1, query, "b="), '&');
    return ReplaceNoCase(query, background, "b=1");
}

void SaveEmblemPictures(DownloadContext& context, const QByteArray& query) {
    Session& state = context.state;
    const QString root = state.settings.URL_Image_Root;
    const QByteArray small = SmallEmblemQuery(query);
    if (FetchPicture(context, root + QString::fromUtf8(query), "emblem picture")) {
        const QString large = AvatarPath(state, context.gamertag);
        WritePicture(large, context.fetcher.page());
        ShowEmblem(context, large);
    }
    if (FetchPicture(context, root + QString::fromUtf8(small), "small emblem picture")) {
        WritePicture(AvatarPath(state, context.gamertag, QStringLiteral("_smbw.jpg")),
                     context.fetcher.page());
    }
}

}  // namespace

bool IsUnknownGamertagPage(const QByteArray& page) {
    for (const char* signal :
         {"400 Bad Request", "don't have stats", "1/01/0001 12:00 AM", "default_avatar.gif"}) {
        if (InStr(1, page, signal) > 0) {
            return true;
        }
    }
    return InStr(1, page, "Last Active") == 0;
}

PlayerPageOutcome ReadPlayerPage(DownloadContext& context) {
    Session& state = context.state;
    if (IsUnknownGamertagPage(context.fetcher.page())) {
        RemoveUnknownGamertag(context);
        return PlayerPageOutcome::NotFound;
    }
    // The page's rows reach the file together: a page that turns out
    // unreadable halfway leaves the player's stored rows as they were.
    QByteArray query;
    {
        WriteUnit unit(*state.Db);
        StoreClan(context);
        StoreExperienceLevels(context);
        query = StoreEmblemColours(context);
        unit.commit();
    }
    SaveEmblemPictures(context, query);
    return PlayerPageOutcome::Stored;
}

}  // namespace tw
