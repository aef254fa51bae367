#include "download/PlayerPage.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QSignalBlocker>

#include "core/LoadPicture.h"
#include "core/Paths.h"
#include "core/Session.h"
#include "db/SafeFile.h"
#include "download/DownloadContext.h"
#include "download/Fetcher.h"
#include "download/PageReading.h"
#include "download/ProgressDisplay.h"
#include "download/TextRoutines.h"
#include "gui/MainWindow.h"

namespace tw {
namespace {

const QByteArray kQuote = "\"";

void RemoveUnknownGamertag(DownloadContext& context) {
    Session& state = context.state;
    MainWindow& window = context.window;
    RunSql(state, QStringLiteral("delete * from Player where Player_Gamertag=") +
                      Quoted(state.CurrentGamertag));
    {
        // Taking the entry away is no selection; choosing entry 0 below is.
        QSignalBlocker quiet(window.tagListBox);
        window.tagListBox->removeItem(window.tagListBox->currentIndex());
        window.tagListBox->setCurrentIndex(-1);
    }
    if (window.tagListBox->count() > 0) {
        window.tagListBox->setCurrentIndex(0);
    }
    ShowFailedStage(window, state, QStringLiteral("Gamertag not found"));
    window.SetDownloadMode(false);
}

void StoreClan(Session& state) {
    const QByteArray& page = state.PageData;
    const qsizetype p = InStr(1, page, "Clan:");
    if (p <= 1) {
        return;
    }
    const qsizetype q = InStr(p + 5, page, ">");
    const QString clan = PageValue(ExtractUntil(page, q + 1, '<'));
    RunSql(state, QStringLiteral("insert into Clan values(") + Quoted(clan) +
                      QStringLiteral(",'','','','')"));
    RunSql(state, QStringLiteral("update Player set Clan_Name = ") + Quoted(clan) +
                      QStringLiteral(" where Player_Gamertag = ") + Quoted(state.CurrentGamertag));
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

void StoreExperienceLevels(Session& state) {
    RunSql(state, QStringLiteral("delete * from Player_Playlist where Player_Gamertag = ") +
                      Quoted(state.CurrentGamertag));
    const QByteArray& page = state.PageData;
    Recordset& rs = *state.rsPlayerPlaylist;
    qsizetype p = InStr(1, page, "HopperLink");
    while (p != 0) {
        rs.AddNew();
        rs.SetField(QStringLiteral("Player_Gamertag"), state.CurrentGamertag);
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

QByteArray StoreEmblemColours(Session& state) {
    const QByteArray& page = state.PageData;
    const qsizetype e = FindRequired(1, page, "imgEmblem");
    const qsizetype q = FindRequired(e, page, "?");
    QByteArray query = ExtractUntil(page, q + 1, '"');
    query = ReplaceNoCase(ReplaceNoCase(query, "amp;", ""), "s=90", "s=70");
    const int32_t primary = ColourCode(query, "0=");
    const int32_t secondary = ColourCode(query, "1=");
    RunSql(state, QStringLiteral("update Player set Primary_Color_Code = ") +
                      QString::number(primary) + QStringLiteral(", ") +
                      QStringLiteral("Secondary_Color_Code = ") + QString::number(secondary) +
                      QStringLiteral(" where Player_Gamertag = ") + Quoted(state.CurrentGamertag));
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
    if (context.state.StopRequested) {
        return false;
    }
    try {
        RequireAnswer(context, QLatin1String(what));
    } catch (const PageFailure&) {
        return false;
    }
    return true;
}

void ShowPictureFile(QLabel& picture, const QString& path) {
    QPixmap pixmap = QPixmap::fromImage(LoadPicture(path));
    if (pixmap.width() > picture.width() || pixmap.height() > picture.height()) {
        pixmap = pixmap.scaled(picture.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    picture.setPixmap(pixmap);
    picture.setProperty("picturePath", path);
}

// The emblem is shown; a file that is no picture is deleted and the
// unknown picture shown instead.
void ShowEmblem(DownloadContext& context, const QString& path) {
    Session& state = context.state;
    QLabel& avatar = *context.window.avatarPicture;
    try {
        ShowPictureFile(avatar, path);
    } catch (const AppError& error) {
        if (error.number() != err::kInvalidPicture) {
            throw;
        }
        QFile::remove(AvatarPath(state, state.CurrentGamertag));
        try {
            ShowPictureFile(avatar, state.AvatarDir + QStringLiteral("unknown.jpg"));
        } catch (const AppError&) {
            avatar.clear();
            avatar.setProperty("picturePath", QString());
        }
    }
    context.window.repaint();
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
        const QString large = AvatarPath(state, state.CurrentGamertag);
        WritePicture(large, state.PageData);
        ShowEmblem(context, large);
    }
    if (FetchPicture(context, root + QString::fromUtf8(small), "small emblem picture")) {
        WritePicture(AvatarPath(state, state.CurrentGamertag, QStringLiteral("_smbw.jpg")),
                     state.PageData);
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
    if (IsUnknownGamertagPage(state.PageData)) {
        RemoveUnknownGamertag(context);
        return PlayerPageOutcome::NotFound;
    }
    // The page's rows reach the file together: a page that turns out
    // unreadable halfway leaves the player's stored rows as they were.
    QByteArray query;
    {
        WriteUnit unit(*state.Db);
        StoreClan(state);
        StoreExperienceLevels(state);
        query = StoreEmblemColours(state);
        unit.commit();
    }
    SaveEmblemPictures(context, query);
    return PlayerPageOutcome::Stored;
}

}  // namespace tw
