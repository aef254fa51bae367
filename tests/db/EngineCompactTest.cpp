// Compaction keeps every row, and a failed compaction leaves the original
// file as it was with no temporary file behind.

#include <QDir>
#include <QFileInfo>

#include "EngineTestSupport.h"
#include "db/Recordset.h"

namespace tw::test {
namespace {

class Compacting : public EngineTest {
  protected:
    // Many rows, most of them deleted again: compaction has room to win.
    void fillAndThin() {
        auto games = db_->openRecordset(QStringLiteral("Game"));
        for (int id = 1; id <= 3000; ++id) {
            games->addNew();
            games->setField(0, Variant(id));
            games->setField(
                1, Variant(QStringLiteral("Slayer game number %1 with a long type").arg(id)));
            games->setField(2, Variant(QStringLiteral("1/%1/2005 8:03 PM").arg(id % 28 + 1)));
            games->update();
        }
        games.reset();
        Run(QStringLiteral("delete * from Game where Game_ID > 10"));
        db_->close();
    }
    QString summary(const QString& path) {
        return storedText(path,
                          "select count(*) || '|' || sum(Game_ID) || '|' || "
                          "max(Date_Time_Stamp) || '|' || (select count(*) from Medal) "
                          "from Game");
    }
};

TEST_F(Compacting, CompactDatabaseWritesASmallerCopyWithTheSameRows) {
    fillAndThin();
    const QString target = dir_.filePath(QStringLiteral("copy.mdb"));
    Database::compactDatabase(path_, target);
    EXPECT_EQ(summary(target), QStringLiteral("10|55|2005-01-11 20:03:00|26"));
    EXPECT_EQ(summary(target), summary(path_));
    EXPECT_LT(QFileInfo(target).size(), QFileInfo(path_).size());
    auto copy = Database::open(target);
    EXPECT_EQ(copy->openRecordset(QStringLiteral("q_zLoad_Merge"))->fieldCount(), 11);
}

TEST_F(Compacting, CompactDatabaseRefusesAMissingSourceAndAnExistingTarget) {
    db_->close();
    const QString missing = dir_.filePath(QStringLiteral("none.mdb"));
    EXPECT_EQ(errorTextOf([&] { Database::compactDatabase(missing, path_ + u'x'); }),
              QStringLiteral("3024: Could not find file '%1'.").arg(missing));
    EXPECT_FALSE(QFileInfo::exists(path_ + u'x'));
    const QByteArray before = fileBytes(path_);
    EXPECT_EQ(errorTextOf([&] { Database::compactDatabase(path_, path_); }),
              QStringLiteral("3204: Database already exists."));
    EXPECT_EQ(fileBytes(path_), before);
}

TEST_F(Compacting, InPlaceReplacesTheFileAndLeavesNoTemporaryFile) {
    fillAndThin();
    const qint64 before = QFileInfo(path_).size();
    Database::compactInPlace(path_);
    EXPECT_LT(QFileInfo(path_).size(), before);
    EXPECT_EQ(summary(path_), QStringLiteral("10|55|2005-01-11 20:03:00|26"));
    EXPECT_FALSE(QFileInfo::exists(path_ + u'x'));
    // A temporary file left by an interrupted run does not stop the next one.
    QFile stale(path_ + u'x');
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("half a copy");
    stale.close();
    Database::compactInPlace(path_);
    EXPECT_FALSE(QFileInfo::exists(path_ + u'x'));
    EXPECT_NO_THROW(Database::open(path_));
}

TEST_F(Compacting, FailedRenameKeepsTheOriginalAndRemovesTheCopy) {
    fillAndThin();
    const QByteArray before = fileBytes(path_);
    QString renamedFrom;
    const auto failingRename = [&](const QString& from, const QString&) {
        renamedFrom = from;
        EXPECT_TRUE(QFileInfo::exists(from));  // the copy was complete
        return false;
    };
    EXPECT_EQ(errorTextOf([&] { Database::compactInPlace(path_, failingRename); }),
              QStringLiteral("3043: Disk or network error."));
    EXPECT_EQ(renamedFrom, path_ + u'x');
    EXPECT_EQ(fileBytes(path_), before);
    EXPECT_FALSE(QFileInfo::exists(path_ + u'x'));
}

TEST_F(Compacting, FailedCopyKeepsTheOriginal) {
    fillAndThin();
    const QByteArray before = fileBytes(path_);
    // Something that is not ours stands where the copy would go.
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("tallywick110.mdbx")));
    EXPECT_EQ(errorTextOf([&] { Database::compactInPlace(path_); }),
              QStringLiteral("3204: Database already exists."));
    EXPECT_EQ(fileBytes(path_), before);
    EXPECT_TRUE(QFileInfo(path_ + u'x').isDir());
}

TEST_F(Compacting, SourceThatIsNoDatabaseOrIsHeldFailsWithoutACopy) {
    // Held by an open connection (this process counts like any other).
    EXPECT_EQ(errorNumberOf([&] { Database::compactInPlace(path_); }), 3356);
    EXPECT_FALSE(QFileInfo::exists(path_ + u'x'));
    db_->close();

    const QString junk = dir_.filePath(QStringLiteral("junk.mdb"));
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, 'j'));
    file.close();
    EXPECT_EQ(errorTextOf([&] { Database::compactInPlace(junk); }),
              QStringLiteral("3343: Unrecognized database format '%1'.").arg(junk));
    EXPECT_EQ(fileBytes(junk), QByteArray(8192, 'j'));
    EXPECT_FALSE(QFileInfo::exists(junk + u'x'));
}

}  // namespace
}  // namespace tw::test
