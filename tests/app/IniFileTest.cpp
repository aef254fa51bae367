// The settings file behaves as the Windows private-profile functions did:
// reads find sections and keys in any case, writes touch only their own line.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/IniFile.h"

namespace tw {
namespace {

class IniFileTest : public ::testing::Test {
  protected:
    QString Path() const { return dir_.filePath(QStringLiteral("settings.ini")); }
    void Put(const QByteArray& bytes) const {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray Bytes() const {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    IniFile Ini() const { return IniFile(Path()); }

    QTemporaryDir dir_;
};

TEST_F(IniFileTest, ReadsSectionsAndKeysWithoutRegardToCase) {
    Put("; a comment=not a key\r\n[User]\r\nGamertag=Master Chief\r\n[internet]\r\n"
        "  Direct_Port =  8642  \r\nQuoted=\"a b\"\r\nInner=it's \"x\"\r\n");
    EXPECT_EQ(Ini().Read("user", "GAMERTAG"), "Master Chief");
    EXPECT_EQ(Ini().Read("Internet", "direct_port"), "8642");
    EXPECT_EQ(Ini().Read("Internet", "Quoted"), "a b");
    EXPECT_EQ(Ini().Read("Internet", "Inner"), "it's \"x\"");
    EXPECT_EQ(Ini().Read("Internet", "Gamertag"), "");
    EXPECT_EQ(Ini().Read("Nowhere", "Gamertag"), "");
    EXPECT_EQ(Ini().Read("", "a comment"), "");
}

TEST_F(IniFileTest, MissingFileReadsEmptyAndFirstSectionWins) {
    EXPECT_EQ(Ini().Read("User", "Gamertag"), "");
    Put("[A]\nk=first\n[B]\nk=other\n[a]\nk=second\n");
    EXPECT_EQ(Ini().Read("A", "K"), "first");
    EXPECT_EQ(Ini().Read("b", "k"), "other");
}

TEST_F(IniFileTest, LongValueIsCutAt9999Characters) {
    const QByteArray value(12000, 'q');
    Put("[Query_1]\nSQL=" + value + "\n");
    const QString read = Ini().Read("Query_1", "SQL");
    EXPECT_EQ(read.size(), 9999);
    EXPECT_EQ(read, QString(9999, QLatin1Char('q')));
}

TEST_F(IniFileTest, WriteChangesOnlyItsLineKeepingCrLf) {
    const QByteArray before =
        "; delivered settings\r\n[User]\r\nGamertag=Old Tag\r\n\r\n[Application]\r\n"
        "TOP=10\r\nQuery_Count=2\r\n; trailing comment\r\n";
    Put(before);
    ASSERT_TRUE(Ini().Write("user", "gamertag", "New Tag"));
    ASSERT_TRUE(Ini().Write("Application", "Top", "1234.5"));
    EXPECT_EQ(Bytes(),
              "; delivered settings\r\n[User]\r\nGamertag=New Tag\r\n\r\n[Application]\r\n"
              "TOP=1234.5\r\nQuery_Count=2\r\n; trailing comment\r\n");
}

TEST_F(IniFileTest, MissingKeyGoesToTheEndOfItsSectionWithTheFilesLineEnds) {
    Put("[User]\nGamertag=x\n\n[Application]\nWidth=1\n");
    ASSERT_TRUE(Ini().Write("User", "Extra", "1"));
    ASSERT_TRUE(Ini().Write("Application", "Height", "2"));
    EXPECT_EQ(Bytes(), "[User]\nGamertag=x\nExtra=1\n\n[Application]\nWidth=1\nHeight=2\n");
    EXPECT_EQ(Ini().Read("application", "height"), "2");
}

TEST_F(IniFileTest, MissingSectionIsAppendedAndLastLineCompleted) {
    Put("[User]\r\nGamertag=x");
    ASSERT_TRUE(Ini().Write("Application", "Top", "5"));
    EXPECT_EQ(Bytes(), "[User]\r\nGamertag=x\r\n\r\n[Application]\r\nTop=5\r\n");
}

TEST_F(IniFileTest, NewFileIsCreatedAndLineBreaksInValuesCannotAddKeys) {
    ASSERT_TRUE(Ini().Write("User", "Gamertag", "a\r\nInjected=1"));
    EXPECT_EQ(Bytes(), "[User]\r\nGamertag=a  Injected=1\r\n");
    EXPECT_EQ(Ini().Read("User", "Injected"), "");
}

TEST_F(IniFileTest, WriteFailsWhenTheFileCannotBeWritten) {
    const QString folderPath = dir_.filePath(QStringLiteral("isAFolder"));
    ASSERT_TRUE(QDir().mkpath(folderPath));
    EXPECT_FALSE(IniFile(folderPath).Write("User", "Gamertag", "x"));
    EXPECT_TRUE(QFileInfo(folderPath).isDir());
    EXPECT_FALSE(IniFile(dir_.filePath(QStringLiteral("missing/settings.ini")))
                     .Write("User", "Gamertag", "x"));
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath(QStringLiteral("missing"))));
}

}  // namespace
}  // namespace tw
