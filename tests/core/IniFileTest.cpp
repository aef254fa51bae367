// The settings file behaves as the Windows private-profile functions did:
// reads find sections and keys in any case, writes touch only their own line.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/IniFile.h"
#include "support/QtPrinters.h"

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

TEST_F(IniFileTest, WriteFailsWithTheReasonWhenTheFileCannotBeWritten) {
    const QString folderPath = dir_.filePath(QStringLiteral("isAFolder"));
    ASSERT_TRUE(QDir().mkpath(folderPath));
    QString reason;
    EXPECT_FALSE(IniFile(folderPath).Write("User", "Gamertag", "x", &reason));
    EXPECT_EQ(reason, "file to open is a directory");
    EXPECT_TRUE(QFileInfo(folderPath).isDir());
    EXPECT_FALSE(IniFile(dir_.filePath(QStringLiteral("missing/settings.ini")))
                     .Write("User", "Gamertag", "x", &reason));
    EXPECT_EQ(reason, "No such file or directory");
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath(QStringLiteral("missing"))));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{"isAFolder"});
}

TEST_F(IniFileTest, SeveralKeysInOneWriteLeaveWhatSingleWritesWould) {
    const QByteArray before = "; mine\n[Application]\nTop=1\n\n[User]\nGamertag=x";
    const std::vector<IniEntry> entries = {{"application", "TOP", "5"},
                                           {"Application", "Left", "6"},
                                           {"Internet", "Proxy_Port", "80"},
                                           {"Internet", "Use_Proxy", "True\r\nInjected=1"},
                                           {"User", "Gamertag", "Zoë"}};
    Put(before);
    for (const IniEntry& entry : entries) {
        ASSERT_TRUE(Ini().Write(entry.section, entry.key, entry.value));
    }
    const QByteArray oneByOne = Bytes();
    EXPECT_EQ(oneByOne.toStdString(),
              "; mine\n[Application]\nTop=5\nLeft=6\n\n[User]\nGamertag=Zo\xC3\xAB\n\n"
              "[Internet]\nProxy_Port=80\nUse_Proxy=True  Injected=1\n");
    Put(before);
    ASSERT_TRUE(Ini().Write(entries));
    EXPECT_EQ(Bytes(), oneByOne);
}

}  // namespace
}  // namespace tw
