// Files that are not the program's database are refused at open exactly as
// they were found: a foreign SQLite database, a file of random bytes, and a
// database of ours whose schema or a table's first page is damaged. Same
// bytes, same modification time, no journal or WAL file beside them.

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include "EngineTestSupport.h"
#include "support/SqliteFile.h"

namespace tw::test {
namespace {

class DatabaseRefusal : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("tallywick110.mdb"));
    }
    // Raw SQLite statements on the closed file.
    void sqlite(const char* sql) const { ASSERT_EQ(test_support::runSql(path_, sql), ""); }
    // One value read through SQLite itself, opened read-write so that it
    // cleans up after itself as the program would.
    QString value(const char* sql) const {
        sqlite3* db = nullptr;
        sqlite3_open(path_.toUtf8().constData(), &db);
        sqlite3_stmt* statement = nullptr;
        QString result = QStringLiteral("<error>");
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            result =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        }
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return result;
    }
    void overwrite(qint64 offset, const QByteArray& bytes) const {
        QFile file(path_);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek(offset));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    // Opens the file through the engine and checks that it was refused with
    // `expected` and left exactly as it was.
    void expectRefusedUnchanged(const QString& expected) const {
        QFile file(path_);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        const QDateTime past = QDateTime::currentDateTime().addSecs(-3600);
        ASSERT_TRUE(file.setFileTime(past, QFileDevice::FileModificationTime));
        file.close();
        const QByteArray before = fileBytes(path_);
        const QDateTime modified = QFileInfo(path_).lastModified();

        EXPECT_EQ(errorTextOf([&] { Database::open(path_); }), expected);
        EXPECT_EQ(fileBytes(path_), before);
        EXPECT_EQ(QFileInfo(path_).lastModified(), modified);
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{"tallywick110.mdb"});
    }

    QTemporaryDir dir_;
    QString path_;
};

TEST_F(DatabaseRefusal, AForeignDatabaseIsRefusedBeforeItsJournalModeChanges) {
    sqlite(
        "CREATE TABLE notes (id INTEGER PRIMARY KEY, body TEXT);"
        "INSERT INTO notes (body) VALUES ('shopping'), ('dentist');");
    expectRefusedUnchanged(QStringLiteral("3343: Unrecognized database format '%1'.").arg(path_));
    EXPECT_EQ(value("PRAGMA journal_mode"), QStringLiteral("delete"));

    // One already in WAL mode keeps it, and gets no WAL file left beside it.
    sqlite("PRAGMA journal_mode=WAL; INSERT INTO notes (body) VALUES ('bank');");
    expectRefusedUnchanged(QStringLiteral("3343: Unrecognized database format '%1'.").arg(path_));
    EXPECT_EQ(value("SELECT count(*) FROM notes"), QStringLiteral("3"));
}

TEST_F(DatabaseRefusal, RandomBytesOrAnEmptyFileAreRefusedUnchanged) {
    QByteArray noise(65536, '\0');
    QRandomGenerator generator(20050105);
    for (char& byte : noise) {
        byte = static_cast<char>(generator.bounded(256));
    }
    QFile file(path_);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(noise), noise.size());
    file.close();
    expectRefusedUnchanged(QStringLiteral("3343: Unrecognized database format '%1'.").arg(path_));
    // An empty file is no database either, and stays empty.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.close();
    expectRefusedUnchanged(QStringLiteral("3343: Unrecognized database format '%1'.").arg(path_));
}

TEST_F(DatabaseRefusal, ADamagedDatabaseOfOursIsRefusedUnchanged) {
    const QString damaged = QStringLiteral(
                                "3049: Cannot open database '%1'. It may not be a database that "
                                "your application recognizes, or the file may be corrupt.")
                                .arg(path_);
    // A schema page that is no b-tree page.
    createFreshDatabase(path_);
    overwrite(100, QByteArray(8, '\xff'));
    expectRefusedUnchanged(damaged);

    // The schema is whole, but the first page of the Player table is not.
    ASSERT_TRUE(QFile::remove(path_));
    createFreshDatabase(path_);
    const qint64 pageSize = value("PRAGMA page_size").toLongLong();
    const qint64 root =
        value("SELECT rootpage FROM sqlite_schema WHERE name = 'Player'").toLongLong();
    ASSERT_GT(root, 1);
    overwrite((root - 1) * pageSize, QByteArray(8, '\xff'));
    expectRefusedUnchanged(damaged);

    // A database of an older release, with some of the tables only, is ours.
    ASSERT_TRUE(QFile::remove(path_));
    createFreshDatabase(path_);
    sqlite("DROP VIEW q_zLoad_Merge; DROP TABLE Clan; DROP TABLE Player_Playlist;");
    EXPECT_NO_THROW(Database::open(path_));
}

}  // namespace
}  // namespace tw::test
