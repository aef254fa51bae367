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

using maintenance_testing::CreateDatabase;
using maintenance_testing::MaintenanceFolder;
using maintenance_testing::MakeOldVersion;
using maintenance_testing::SeedFile;

constexpr char kOldRows[] = R"sql(
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
    QString OldPath() const { return Path(QStringLiteral("tallywick109.mdb")); }
    void InstallOld() {
        const QString source = Path(QStringLiteral("work/source.mdb"));
        CreateDatabase(source);
        SeedFile(source, kOldRows);
        MakeOldVersion(source, "109", dir_.path());
    }
    FileState StateOfOld() const {
        FileState state;
        QFile file(OldPath());
        if (file.open(QIODevice::ReadOnly)) {
            state.bytes = file.readAll();
        }
        const QFileInfo info(OldPath());
        state.modified = info.fileTime(QFileDevice::FileModificationTime);
        state.permissions = info.permissions();
        state.beside =
            QDir(dir_.path())
                .entryList({QStringLiteral("tallywick109.mdb*")}, QDir::Files | QDir::Hidden);
        return state;
    }
    void Import() {
        prompter_->AnswerMessage(MsgResult::Yes);
        importOldClicked(*state_, *window_);
    }
    void ExpectImported() {
        ASSERT_EQ(Messages().size(), 2u) << Messages().back().text.toStdString();
        EXPECT_EQ(Messages()[1].text, QStringLiteral("Import is complete."));
        EXPECT_EQ(Rows("SELECT Player_Gamertag FROM Player ORDER BY Player_Gamertag"),
                  QStringList({"Foe", "Old"}));
        EXPECT_EQ(Count("Game_Player"), 2);
        EXPECT_EQ(Rows("SELECT * FROM Player_Playlist"), QStringList({"Old|Rumble Pit|17|42.5"}));
    }
};

TEST_F(ImportOldFileTest, AWritableFileIsOnlyRead) {
    InstallOld();
    const FileState before = StateOfOld();
    ASSERT_EQ(before.bytes.mid(18, 2), QByteArray("\x01\x01")) << "a rollback-journal file";
    Start();
    Import();
    ExpectImported();
    EXPECT_TRUE(StateOfOld() == before) << "bytes, time or the files beside it changed";
}

TEST_F(ImportOldFileTest, AReadOnlyFileIsImportedAndStaysAsItWas) {
    InstallOld();
    ASSERT_TRUE(
        QFile::setPermissions(OldPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const FileState before = StateOfOld();
    Start();
    Import();
    ExpectImported();
    EXPECT_TRUE(StateOfOld() == before) << "bytes, time or the files beside it changed";
}

TEST_F(ImportOldFileTest, AFileInWalModeIsReadWithoutFilesBesideIt) {
    InstallOld();
    SeedFile(OldPath(), "PRAGMA journal_mode=WAL;");
    const FileState before = StateOfOld();
    ASSERT_EQ(before.bytes.mid(18, 2), QByteArray("\x02\x02")) << "a WAL file";
    ASSERT_EQ(before.beside, QStringList({"tallywick109.mdb"}));
    Start();
    Import();
    ExpectImported();
    EXPECT_TRUE(StateOfOld() == before) << "bytes, time or the files beside it changed";
}

TEST_F(ImportOldFileTest, AFileAnotherProgramIsWritingIsRefusedUntouched) {
    InstallOld();
    sqlite3* writer = nullptr;
    ASSERT_EQ(sqlite3_open(OldPath().toUtf8().constData(), &writer), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(writer,
                           "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"
                           "INSERT INTO Player (Player_Gamertag) VALUES ('Newcomer');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    const FileState before = StateOfOld();
    ASSERT_TRUE(before.beside.contains(QStringLiteral("tallywick109.mdb-wal")));
    Start();
    Import();
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_TRUE(Messages()[1].text.startsWith(
        QStringLiteral("Error #: 3051\r\nDescription: The database engine cannot open the file '") +
        OldPath() + QLatin1Char('\'')))
        << Messages()[1].text.toStdString();
    EXPECT_TRUE(DebugLog().contains("[App.ImportOld]"));
    EXPECT_EQ(Count("Player"), 0);
    EXPECT_TRUE(StateOfOld() == before);
    sqlite3_close(writer);
}

}  // namespace
}  // namespace tw
