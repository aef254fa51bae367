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
    void FillAndThin() {
        auto games = db_->OpenRecordset(QStringLiteral("Game"));
        for (int id = 1; id <= 3000; ++id) {
            games->AddNew();
            games->SetField(0, Variant(id));
            games->SetField(
                1, Variant(QStringLiteral("Slayer game number %1 with a long type").arg(id)));
            games->SetField(2, Variant(QStringLiteral("1/%1/2005 8:03 PM").arg(id % 28 + 1)));
            games->Update();
        }
        games.reset();
        Run(QStringLiteral("delete * from Game where Game_ID > 10"));
        db_->Close();
    }
    QString Summary(const QString& path) {
        return StoredText(path,
                          "select count(*) || '|' || sum(Game_ID) || '|' || "
                          "max(Date_Time_Stamp) || '|' || (select count(*) from Medal) "
                          "from Game");
    }
};

TEST_F(Compacting, CompactDatabaseWritesASmallerCopyWithTheSameRows) {
    FillAndThin();
    const QString target = dir_.filePath(QStringLiteral("copy.mdb"));
    Database::CompactDatabase(path_, target);
    EXPECT_EQ(Summary(target), QStringLiteral("10|55|2005-01-11 20:03:00|26"));
    EXPECT_EQ(Summary(target), Summary(path_));
    EXPECT_LT(QFileInfo(target).size(), QFileInfo(path_).size());
    auto copy = Database::Open(target);
    EXPECT_EQ(copy->OpenRecordset(QStringLiteral("q_zLoad_Merge"))->FieldCount(), 11);
}

TEST_F(Compacting, CompactDatabaseRefusesAMissingSourceAndAnExistingTarget) {
    db_->Close();
    const QString missing = dir_.filePath(QStringLiteral("none.mdb"));
    EXPECT_EQ(ErrorTextOf([&] { Database::CompactDatabase(missing, path_ + u'x'); }),
              QStringLiteral("3024: Could not find file '%1'.").arg(missing));
    EXPECT_FALSE(QFileInfo::exists(path_ + u'x'));
    const QByteArray before = FileBytes(path_);
    EXPECT_EQ(ErrorTextOf([&] { Database::CompactDatabase(path_, path_); }),
              QStringLiteral("3204: Database already exists."));
    EXPECT_EQ(FileBytes(path_), before);
}

TEST_F(Compacting, InPlaceReplacesTheFileAndLeavesNoTemporaryFile) {
    FillAndThin();
    const qint64 before = QFileInfo(path_).size();
    Database::CompactInPlace(path_);
    EXPECT_LT(QFileInfo(path_).size(), before);
    EXPECT_EQ(Summary(path_), QStringLiteral("10|55|2005-01-11 20:03:00|26"));
    EXPECT_FALSE(QFileInfo::exists(path_ + u'x'));
    // A temporary file left by an interrupted run does not stop the next one.
    QFile stale(path_ + u'x');
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("half a copy");
    stale.close();
    Database::CompactInPlace(path_);
    EXPECT_FALSE(QFileInfo::exists(path_ + u'x'));
    EXPECT_NO_THROW(Database::Open(path_));
}

TEST_F(Compacting, FailedRenameKeepsTheOriginalAndRemovesTheCopy) {
    FillAndThin();
    const QByteArray before = FileBytes(path_);
    QString renamedFrom;
    const auto failingRename = [&](const QString& from, const QString&) {
        renamedFrom = from;
        EXPECT_TRUE(QFileInfo::exists(from));  // the copy was complete
        return false;
    };
    EXPECT_EQ(ErrorTextOf([&] { Database::CompactInPlace(path_, failingRename); }),
              QStringLiteral("3043: Disk or network error."));
    EXPECT_EQ(renamedFrom, path_ + u'x');
    EXPECT_EQ(FileBytes(path_), before);
    EXPECT_FALSE(QFileInfo::exists(path_ + u'x'));
}

TEST_F(Compacting, FailedCopyKeepsTheOriginal) {
    FillAndThin();
    const QByteArray before = FileBytes(path_);
    // Something that is not ours stands where the copy would go.
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("tallywick110.mdbx")));
    EXPECT_EQ(ErrorTextOf([&] { Database::CompactInPlace(path_); }),
              QStringLiteral("3204: Database already exists."));
    EXPECT_EQ(FileBytes(path_), before);
    EXPECT_TRUE(QFileInfo(path_ + u'x').isDir());
}

TEST_F(Compacting, SourceThatIsNoDatabaseOrIsHeldFailsWithoutACopy) {
    // Held by an open connection (this process counts like any other).
    EXPECT_EQ(ErrorNumberOf([&] { Database::CompactInPlace(path_); }), 3356);
    EXPECT_FALSE(QFileInfo::exists(path_ + u'x'));
    db_->Close();

    const QString junk = dir_.filePath(QStringLiteral("junk.mdb"));
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, 'j'));
    file.close();
    EXPECT_EQ(ErrorTextOf([&] { Database::CompactInPlace(junk); }),
              QStringLiteral("3343: Unrecognized database format '%1'.").arg(junk));
    EXPECT_EQ(FileBytes(junk), QByteArray(8192, 'j'));
    EXPECT_FALSE(QFileInfo::exists(junk + u'x'));
}

}  // namespace
}  // namespace tw::test
