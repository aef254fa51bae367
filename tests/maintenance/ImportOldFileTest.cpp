// The old version's file is only read by the import: a read-only file is
// imported, and neither a writable one nor one in WAL mode changes in bytes,
// modification time or the files beside it. One that another program is
// writing (its "-wal" file beside it) is refused untouched.

#include <QDateTime>
#include <QFileInfo>

#include "MaintenanceFolder.h"
#include "maintenance/ImportOld.h"

namespace tw {
namespace {

using maintenance_testing::createDatabase;
using maintenance_testing::MaintenanceFolder;
using maintenance_testing::makeOldVersion;
using maintenance_testing::seedFile;

constexpr char kOldFileRows[] = R"sql(
INSERT INTO Clan VALUES ('Old Guard', 'http://guard.example', '', '', '');
INSERT INTO Player (Player_Gamertag, Clan_Name, Last_Game_ID, Is_Selectable, Is_Guest) VALUES
    ('Old', 'Old Guard', 10, 'Y', 'N'), ('Foe', NULL, 0, 'N', 'N');
INSERT INTO Game VALUES (10, 'Slayer', '2004-12-20 19:00:00', 'Lockout', 'Rumble Pit', 'N', 480);
INSERT INTO Game_Player VALUES (10, 'Old', 1, '', 25, 25, 0, 7, 300, 110, 20),
    (10, 'Foe', 2, '', 12, 12, 0, 20, 250, 60, 4);
INSERT INTO Game_Player_Medal VALUES (10, 'Old', 'Double Kill', 3);
INSERT INTO Player_Playlist VALUES ('Old', 'Rumble Pit', 17, 42.5);
)sql";

// What the import could change: the bytes, the modification time and
// permissions of the file, and the files beside it.
struct FileState {
    QByteArray bytes;
    QDateTime modified;
    QFileDevice::Permissions permissions;
    QStringList beside;
    bool operator==(const FileState&) const = default;
};

class ImportOldFileTest : public MaintenanceFolder {
  protected:
    QString oldPath() const { return filePath(QStringLiteral("tallywick109.mdb")); }
    void installOld() {
        const QString source = filePath(QStringLiteral("work/source.mdb"));
        createDatabase(source);
        seedFile(source, kOldFileRows);
        makeOldVersion(source, "109", dir_.path());
    }
    FileState stateOfOld() const {
        FileState state;
        QFile file(oldPath());
        if (file.open(QIODevice::ReadOnly)) {
            state.bytes = file.readAll();
        }
        const QFileInfo info(oldPath());
        state.modified = info.fileTime(QFileDevice::FileModificationTime);
        state.permissions = info.permissions();
        state.beside =
            QDir(dir_.path())
                .entryList({QStringLiteral("tallywick109.mdb*")}, QDir::Files | QDir::Hidden);
        return state;
    }
    // The program starts and imports the old file, which is then as it was
    // `before`, and its rows arrive.
    void expectImportedLeaving(const FileState& before) {
        start();
        answerAndRun(MsgResult::Yes, importOldClicked);
        EXPECT_TRUE(stateOfOld() == before) << "bytes, time or the files beside it changed";
        ASSERT_EQ(messages().size(), 2u)
            << (messages().empty() ? "no message" : messages().back().text.toStdString());
        EXPECT_EQ(messages()[1].text, QStringLiteral("Import is complete."));
        EXPECT_EQ(queryRows("SELECT Player_Gamertag FROM Player ORDER BY Player_Gamertag"),
                  QStringList({"Foe", "Old"}));
        EXPECT_EQ(count("Game_Player"), 2);
        EXPECT_EQ(queryRows("SELECT * FROM Player_Playlist"),
                  QStringList({"Old|Rumble Pit|17|42.5"}));
    }
};

TEST_F(ImportOldFileTest, AWritableFileIsOnlyRead) {
    installOld();
    const FileState before = stateOfOld();
    ASSERT_EQ(before.bytes.mid(18, 2), QByteArray("\x01\x01")) << "a rollback-journal file";
    expectImportedLeaving(before);
}

TEST_F(ImportOldFileTest, AReadOnlyFileIsImportedAndStaysAsItWas) {
    installOld();
    ASSERT_TRUE(
        QFile::setPermissions(oldPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    expectImportedLeaving(stateOfOld());
}

TEST_F(ImportOldFileTest, AFileInWalModeIsReadWithoutFilesBesideIt) {
    installOld();
    seedFile(oldPath(), "PRAGMA journal_mode=WAL;");
    const FileState before = stateOfOld();
    ASSERT_EQ(before.bytes.mid(18, 2), QByteArray("\x02\x02")) << "a WAL file";
    ASSERT_EQ(before.beside, QStringList({"tallywick109.mdb"}));
    expectImportedLeaving(before);
}

TEST_F(ImportOldFileTest, AFileAnotherProgramIsWritingIsRefusedUntouched) {
    installOld();
    sqlite3* writer = nullptr;
    ASSERT_EQ(sqlite3_open(oldPath().toUtf8().constData(), &writer), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(writer,
                           "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"
                           "INSERT INTO Player (Player_Gamertag) VALUES ('Newcomer');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    const FileState before = stateOfOld();
    ASSERT_TRUE(before.beside.contains(QStringLiteral("tallywick109.mdb-wal")));
    start();
    answerAndRun(MsgResult::Yes, importOldClicked);
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_TRUE(messages()[1].text.startsWith(
        QStringLiteral("Error #: 3051\r\nDescription: The database engine cannot open the file '") +
        oldPath() + QLatin1Char('\'')))
        << messages()[1].text.toStdString();
    EXPECT_TRUE(debugLog().contains("[App.ImportOld]"));
    EXPECT_EQ(count("Player"), 0);
    EXPECT_TRUE(stateOfOld() == before);
    sqlite3_close(writer);
}

}  // namespace
}  // namespace tw
