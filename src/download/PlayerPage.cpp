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
void removeUnknownGamertag(DownloadContext& context) {
    runSql(context, QStringLiteral("delete * from Player where Player_Gamertag=") +
                        quoted(context.gamertag));
    showFailedStage(context, QStringLiteral("Gamertag not found"));
    emit context.session.playerNotFound(context.gamertag);
}

std::optional<QString> readClan(const QByteArray& page) {
    const qsizetype p = inStr(1, page, "Clan:");
    if (p <= 1) {
        return std::nullopt;
    }
    const qsizetype q = inStr(p + 5, page, ">");
    return pageValue(extractUntil(page, q + 1, '<'));
}

void readLevelCell(const QByteArray& cell, PlaylistLevel* level) {
    if (inStr(1, cell, "No Games Played") > 0) {
        return;
    }
    const qsizetype x = findRequired(1, cell, "ExpBarText");
    const qsizetype y = findRequired(x + 10, cell, ">");
    level->experienceLevel = countValue(extractUntil(cell, y + 1, '<'), "the experience level");
    const qsizetype z = findRequired(y, cell, "LevelBar.gif");
    const qsizetype w = findRequired(z, cell, "width");
    // The bar's width in pixels is half the percentage.
    level->nextLevelProgress = 2 * leadingNumber(extractUntil(cell, w + 7, '"'));
}

QList<PlaylistLevel> readLevels(const QByteArray& page) {
    QList<PlaylistLevel> levels;
    qsizetype p = inStr(1, page, "HopperLink");
    while (p != 0) {
        PlaylistLevel level;
        const qsizetype q = findRequired(p, page, ">");
        level.playlist = pageValue(extractUntil(page, q + 1, '<'));
        const qsizetype a = findRequired(q + 1, page, "<td");
        const qsizetype b = findRequired(a + 1, page, "</td>");
        readLevelCell(page.mid(a - 1, b - a), &level);
        levels.append(level);
        // The next playlist is searched from the end of this one's cell, so
        // a short row cannot hide the next playlist.
        p = inStr(b, page, "HopperLink");
    }
    return levels;
}

// A colour number as the site writes it; one beyond 32 bits is a page we
// cannot read, not an overflow of the whole download.
int32_t colourCode(const QByteArray& query, const QByteArray& key) {
    const QByteArray text = extractUntil(query, findRequired(1, query, key) + 2, '&');
    try {
        return wholeNumber(text);
    } catch (const AppError&) {
        throw PageFailure(
            QStringLiteral("the emblem colour %1 is out of range").arg(QString::fromLatin1(text)));
    }
}

void readEmblem(const QByteArray& page, PlayerPageFacts* facts) {
    const qsizetype e = findRequired(1, page, "imgEmblem");
    const qsizetype q = findRequired(e, page, "?");
    QByteArray query = extractUntil(page, q + 1, '"');
    query = replaceNoCase(replaceNoCase(query, "amp;", ""), "s=90", "s=70");
    facts->primaryColourCode = colourCode(query, "0=");
    facts->secondaryColourCode = colourCode(query, "1=");
    facts->emblemQuery = query;
}

void storeClan(DownloadContext& context, const QString& clan) {
    runSql(context, QStringLiteral("insert into Clan values(") + quoted(clan) +
                        QStringLiteral(",'','','','')"));
    runSql(context, QStringLiteral("update Player set Clan_Name = ") + quoted(clan) +
                        QStringLiteral(" where Player_Gamertag = ") + quoted(context.gamertag));
}

void storeExperienceLevels(DownloadContext& context, const QList<PlaylistLevel>& levels) {
    runSql(context, QStringLiteral("delete * from Player_Playlist where Player_Gamertag = ") +
                        quoted(context.gamertag));
    Recordset& rs = *context.tables.playerPlaylist;
    for (const PlaylistLevel& level : levels) {
        rs.addNew();
        rs.setField(QStringLiteral("Player_Gamertag"), context.gamertag);
        rs.setField(QStringLiteral("Playlist"), level.playlist);
        rs.setField(QStringLiteral("Experience_Level"), level.experienceLevel);
        rs.setField(QStringLiteral("Next_Level_Progress"), level.nextLevelProgress);
        saveRow(rs);
    }
}

void storeEmblemColours(DownloadContext& context, const PlayerPageFacts& facts) {
    runSql(context, QStringLiteral("update Player set Primary_Color_Code = ") +
                        QString::number(facts.primaryColourCode) + QStringLiteral(", ") +
                        QStringLiteral("Secondary_Color_Code = ") +
                        QString::number(facts.secondaryColourCode) +
                        QStringLiteral(" where Player_Gamertag = ") + quoted(context.gamertag));
}

// A picture from a download replaces the whole file, or (when it cannot be
// written) leaves the old one as it was. A picture folder the user removed
// is made again.
void writePicture(const QString& path, const QByteArray& bytes) {
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
bool fetchPicture(DownloadContext& context, const QString& path, const char* what) {
    context.fetcher.downloadPage(path, kPictureMode);
    if (context.stopRequested()) {
        return false;
    }
    try {
        requireAnswer(context, QLatin1String(what));
    } catch (const PageFailure&) {
        return false;
    }
    return true;
}

// The emblem is shown; a file that is no picture is deleted and the
// unknown picture shown instead.
void showEmblem(DownloadContext& context, const QString& path) {
    Session& state = context.state;
    try {
        loadPicture(path);
    } catch (const AppError& error) {
        if (error.number() != err::kInvalidPicture) {
            throw;
        }
        QFile::remove(avatarPath(state, context.gamertag));
        emit context.session.pictureSaved(state.avatarDir + QStringLiteral("unknown.jpg"));
        return;
    }
    emit context.session.pictureSaved(path);
}

void saveEmblemPictures(DownloadContext& context, const QByteArray& query) {
    Session& state = context.state;
    const QString root = state.settings.urlImageRoot;
    const QByteArray small = smallEmblemQuery(query);
    if (fetchPicture(context, root + QString::fromUtf8(query), "emblem picture")) {
        const QString large = avatarPath(state, context.gamertag);
        writePicture(large, context.fetcher.page());
        showEmblem(context, large);
    }
    if (fetchPicture(context, root + QString::fromUtf8(small), "small emblem picture")) {
        writePicture(avatarPath(state, context.gamertag, QStringLiteral("_smbw.jpg")),
                     context.fetcher.page());
    }
}

}  // namespace

QByteArray smallEmblemQuery(QByteArray query) {
    query = replaceNoCase(query, "s=70", "s=30");
    const QByteArray colours = extractUntil(query, findRequired(1, query, "0="), 'f');
    query = replaceNoCase(query, colours, "0=0&1=0&2=1&3=1&");
    const QByteArray background = extractUntil(query, findRequired(1, query, "b="), '&');
    return replaceNoCase(query, background, "b=1");
}

PlayerPageFacts readPlayerFacts(const QByteArray& page) {
    PlayerPageFacts facts;
    facts.clan = readClan(page);
    facts.levels = readLevels(page);
    readEmblem(page, &facts);
    return facts;
}

bool isUnknownGamertagPage(const QByteArray& page) {
    for (const char* signal :
         {"400 Bad Request", "don't have stats", "1/01/0001 12:00 AM", "default_avatar.gif"}) {
        if (inStr(1, page, signal) > 0) {
            return true;
        }
    }
    return inStr(1, page, "Last Active") == 0;
}

PlayerPageOutcome readPlayerPage(DownloadContext& context) {
    Session& state = context.state;
    if (isUnknownGamertagPage(context.fetcher.page())) {
        removeUnknownGamertag(context);
        return PlayerPageOutcome::NotFound;
    }
    // The whole page is read before anything is stored, and its rows reach
    // the file together: an unreadable page leaves the player as it was.
    const PlayerPageFacts facts = readPlayerFacts(context.fetcher.page());
    {
        WriteUnit unit(*state.db);
        if (facts.clan) {
            storeClan(context, *facts.clan);
        }
        storeExperienceLevels(context, facts.levels);
        storeEmblemColours(context, facts);
        unit.commit();
    }
    saveEmblemPictures(context, facts.emblemQuery);
    return PlayerPageOutcome::Stored;
}

}  // namespace tw
