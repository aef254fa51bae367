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
    QString path() const { return dir_.filePath(QStringLiteral("settings.ini")); }
    void put(const QByteArray& bytes) const {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray bytes() const {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    IniFile ini() const { return IniFile(path()); }

    QTemporaryDir dir_;
};

TEST_F(IniFileTest, ReadsSectionsAndKeysWithoutRegardToCase) {
    put("; a comment=not a key\r\n[User]\r\nGamertag=Master Chief\r\n[internet]\r\n"
        "  Direct_Port =  8642  \r\nQuoted=\"a b\"\r\nInner=it's \"x\"\r\n");
    EXPECT_EQ(ini().read("user", "GAMERTAG"), "Master Chief");
    EXPECT_EQ(ini().read("Internet", "direct_port"), "8642");
    EXPECT_EQ(ini().read("Internet", "Quoted"), "a b");
    EXPECT_EQ(ini().read("Internet", "Inner"), "it's \"x\"");
    EXPECT_EQ(ini().read("Internet", "Gamertag"), "");
    EXPECT_EQ(ini().read("Nowhere", "Gamertag"), "");
    EXPECT_EQ(ini().read("", "a comment"), "");
}

TEST_F(IniFileTest, MissingFileReadsEmptyAndFirstSectionWins) {
    EXPECT_EQ(ini().read("User", "Gamertag"), "");
    put("[A]\nk=first\n[B]\nk=other\n[a]\nk=second\n");
    EXPECT_EQ(ini().read("A", "K"), "first");
    EXPECT_EQ(ini().read("b", "k"), "other");
}

TEST_F(IniFileTest, LongValueIsCutAt9999Characters) {
    const QByteArray value(12000, 'q');
    put("[Query_1]\nSQL=" + value + "\n");
    const QString read = ini().read("Query_1", "SQL");
    EXPECT_EQ(read.size(), 9999);
    EXPECT_EQ(read, QString(9999, QLatin1Char('q')));
}

TEST_F(IniFileTest, WriteChangesOnlyItsLineKeepingCrLf) {
    const QByteArray before =
        "; delivered settings\r\n[User]\r\nGamertag=Old Tag\r\n\r\n[Application]\r\n"
        "TOP=10\r\nQuery_Count=2\r\n; trailing comment\r\n";
    put(before);
    ASSERT_TRUE(ini().write("user", "gamertag", "New Tag"));
    ASSERT_TRUE(ini().write("Application", "Top", "1234.5"));
    EXPECT_EQ(bytes(),
              "; delivered settings\r\n[User]\r\nGamertag=New Tag\r\n\r\n[Application]\r\n"
              "TOP=1234.5\r\nQuery_Count=2\r\n; trailing comment\r\n");
}

TEST_F(IniFileTest, MissingSectionIsAppendedAndLastLineCompleted) {
    put("[User]\r\nGamertag=x");
    ASSERT_TRUE(ini().write("Application", "Top", "5"));
    EXPECT_EQ(bytes(), "[User]\r\nGamertag=x\r\n\r\n[Application]\r\nTop=5\r\n");
}

// The first line of an empty file was once inserted through an iterator
// before the start (undefined behaviour the sanitizer run reports).
TEST_F(IniFileTest, EmptyFileGetsItsFirstSection) {
    put("");
    ASSERT_TRUE(ini().write("User", "Gamertag", "x"));
    EXPECT_EQ(bytes(), "[User]\r\nGamertag=x\r\n");
}

TEST_F(IniFileTest, NewFileIsCreatedAndLineBreaksInValuesCannotAddKeys) {
    ASSERT_TRUE(ini().write("User", "Gamertag", "a\r\nInjected=1"));
    EXPECT_EQ(bytes(), "[User]\r\nGamertag=a  Injected=1\r\n");
    EXPECT_EQ(ini().read("User", "Injected"), "");
}

TEST_F(IniFileTest, WriteFailsWithTheReasonWhenTheFileCannotBeWritten) {
    const QString folderPath = dir_.filePath(QStringLiteral("isAFolder"));
    ASSERT_TRUE(QDir().mkpath(folderPath));
    QString reason;
    EXPECT_FALSE(IniFile(folderPath).write("User", "Gamertag", "x", &reason));
    EXPECT_EQ(reason, "file to open is a directory");
    EXPECT_TRUE(QFileInfo(folderPath).isDir());
    EXPECT_FALSE(IniFile(dir_.filePath(QStringLiteral("missing/settings.ini")))
                     .write("User", "Gamertag", "x", &reason));
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
    put(before);
    for (const IniEntry& entry : entries) {
        ASSERT_TRUE(ini().write(entry.section, entry.key, entry.value));
    }
    const QByteArray oneByOne = bytes();
    EXPECT_EQ(oneByOne.toStdString(),
              "; mine\n[Application]\nTop=5\nLeft=6\n\n[User]\nGamertag=Zo\xC3\xAB\n\n"
              "[Internet]\nProxy_Port=80\nUse_Proxy=True  Injected=1\n");
    put(before);
    ASSERT_TRUE(ini().write(entries));
    EXPECT_EQ(bytes(), oneByOne);
}

}  // namespace
}  // namespace tw
