// Which folder the program works in: portable beside the executable, the
// user's own data folder for an installed program, or the one named by --dir.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/ProgramFolder.h"
#include "support/QtPrinters.h"
#include "support/ReadOnlyMount.h"

namespace tw {
namespace {

using test_support::ReadOnlyMount;

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// An installed program: prefix/bin (the executable's folder) and the delivered
// files in prefix/share/tallywick, then the whole prefix made read-only.
class InstalledFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        QDir().mkpath(bin());
        deliver(share());
    }

    QString prefix() const { return root_.filePath(QStringLiteral("usr")); }
    QString bin() const { return prefix() + QStringLiteral("/bin"); }
    QString share() const { return prefix() + QStringLiteral("/share/tallywick"); }
    QString userDir() const {
        return root_.filePath(QStringLiteral("home/.local/share/tallywick"));
    }

    void deliver(const QString& dir) {
        writeFile(dir + QStringLiteral("/tallywick110.ini"), "[Settings]\r\nGamertag=\r\n");
        writeFile(dir + QStringLiteral("/tallywick110.mdb"), "delivered database");
        writeFile(dir + QStringLiteral("/avatar/unknown.jpg"), "picture");
        writeFile(dir + QStringLiteral("/tps/template.html"), "<html>");
    }

    // Skips the test where no read-only mount can be made.
    bool makeReadOnly() {
        readOnly_ = std::make_unique<ReadOnlyMount>(prefix());
        return readOnly_->mounted();
    }

    QTemporaryDir root_;
    std::unique_ptr<ReadOnlyMount> readOnly_;
};

#define REQUIRE_READ_ONLY()                                                           \
    if (!makeReadOnly()) {                                                            \
        GTEST_SKIP() << "no read-only folder: " << readOnly_->whyNot().toStdString(); \
    }

TEST_F(InstalledFolderTest, AWritableFolderBesideTheExecutableStaysPortable) {
    EXPECT_TRUE(canWriteIn(bin()));
    const ProgramFolder folder =
        chooseProgramFolder(QString(), bin() + QStringLiteral("/"), userDir());
    EXPECT_EQ(folder.dir, bin());
    EXPECT_TRUE(folder.error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(userDir()));
    // The write test leaves nothing behind.
    EXPECT_TRUE(QDir(bin()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST_F(InstalledFolderTest, AReadOnlyProgramWorksInTheUsersFolderSeededOnceNeverOverwritten) {
    REQUIRE_READ_ONLY();
    EXPECT_FALSE(canWriteIn(bin()));
    const ProgramFolder first = chooseProgramFolder(QString(), bin(), userDir());
    EXPECT_EQ(first.dir, userDir());
    EXPECT_TRUE(first.error.isEmpty()) << first.error.toStdString();
    EXPECT_EQ(readAll(userDir() + QStringLiteral("/tallywick110.mdb")), "delivered database");
    EXPECT_EQ(readAll(userDir() + QStringLiteral("/tallywick110.ini")),
              "[Settings]\r\nGamertag=\r\n");
    EXPECT_EQ(readAll(userDir() + QStringLiteral("/avatar/unknown.jpg")), "picture");
    EXPECT_EQ(readAll(userDir() + QStringLiteral("/tps/template.html")), "<html>");
    // Nothing is left of the folder it was made in.
    EXPECT_EQ(QDir(QFileInfo(userDir()).path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("tallywick")});

    // The user's own settings and database, and a delivered picture deleted
    // on purpose, stay as the user left them on the next start.
    writeFile(userDir() + QStringLiteral("/tallywick110.ini"), "[Settings]\r\nGamertag=Ann\r\n");
    writeFile(userDir() + QStringLiteral("/tallywick110.mdb"), "the user's games");
    ASSERT_TRUE(QFile::remove(userDir() + QStringLiteral("/avatar/unknown.jpg")));
    const ProgramFolder second = chooseProgramFolder(QString(), bin(), userDir());
    EXPECT_EQ(second.dir, userDir());
    EXPECT_EQ(readAll(userDir() + QStringLiteral("/tallywick110.ini")),
              "[Settings]\r\nGamertag=Ann\r\n");
    EXPECT_EQ(readAll(userDir() + QStringLiteral("/tallywick110.mdb")), "the user's games");
    EXPECT_FALSE(QFileInfo::exists(userDir() + QStringLiteral("/avatar/unknown.jpg")));
}

TEST_F(InstalledFolderTest, TheFolderNamedOnTheCommandLineWins) {
    REQUIRE_READ_ONLY();
    const QString named = root_.filePath(QStringLiteral("elsewhere"));
    const ProgramFolder folder = chooseProgramFolder(named + QStringLiteral("/"), bin(), userDir());
    EXPECT_EQ(folder.dir, named);
    EXPECT_TRUE(folder.error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(userDir()));
}

TEST_F(InstalledFolderTest, AReadOnlyPortableCopyWithoutShareSeedsFromItsOwnFolder) {
    QDir(share()).removeRecursively();
    deliver(bin());
    writeFile(bin() + QStringLiteral("/tallywick"), "executable");
    QFile::setPermissions(
        bin() + QStringLiteral("/tallywick"),
        QFile::permissions(bin() + QStringLiteral("/tallywick")) | QFile::ExeOwner);
    REQUIRE_READ_ONLY();
    const ProgramFolder folder = chooseProgramFolder(QString(), bin(), userDir());
    EXPECT_EQ(folder.dir, userDir());
    EXPECT_EQ(readAll(userDir() + QStringLiteral("/tallywick110.mdb")), "delivered database");
    EXPECT_FALSE(QFileInfo::exists(userDir() + QStringLiteral("/tallywick")));
}

TEST_F(InstalledFolderTest, AFolderThatCannotBeMadeIsAClearFailure) {
    QDir(share()).removeRecursively();
    const QString blocker = root_.filePath(QStringLiteral("blocker"));
    writeFile(blocker, "a file, not a folder");
    REQUIRE_READ_ONLY();

    const ProgramFolder noFiles = chooseProgramFolder(QString(), bin(), userDir());
    EXPECT_TRUE(noFiles.dir.isEmpty());
    EXPECT_EQ(noFiles.error, QStringLiteral("The data folder ") + userDir() +
                                 QStringLiteral(" could not be made: no installed files in ") +
                                 share() + QStringLiteral("."));
    EXPECT_FALSE(QFileInfo::exists(userDir()));

    const ProgramFolder notAFolder = chooseProgramFolder(QString(), bin(), blocker);
    EXPECT_EQ(notAFolder.error, QStringLiteral("The data folder ") + blocker +
                                    QStringLiteral(" could not be made: it is not a folder."));
}

TEST_F(InstalledFolderTest, AUserFolderThatCannotBeCreatedIsAClearFailure) {
    const QString blocker = root_.filePath(QStringLiteral("blocker"));
    writeFile(blocker, "a file, not a folder");
    REQUIRE_READ_ONLY();
    const QString underFile = blocker + QStringLiteral("/tallywick");
    const ProgramFolder folder = chooseProgramFolder(QString(), bin(), underFile);
    EXPECT_TRUE(folder.dir.isEmpty());
    EXPECT_EQ(folder.error, QStringLiteral("The data folder ") + underFile +
                                QStringLiteral(" could not be made: cannot create ") + underFile +
                                QStringLiteral("."));
}

TEST(ProgramFolderTest, NothingCanBeWrittenUnderAFileOrInAMissingFolder) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    writeFile(root.filePath(QStringLiteral("file")), "x");
    EXPECT_FALSE(canWriteIn(root.filePath(QStringLiteral("file"))));
    EXPECT_FALSE(canWriteIn(root.filePath(QStringLiteral("missing"))));
}

TEST(ProgramFolderTest, TheUsersFolderFollowsXdgDataHome) {
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", "/home/ann");
    qputenv("XDG_DATA_HOME", "/data/ann/");
    EXPECT_EQ(userDataFolder(), QStringLiteral("/data/ann/tallywick"));
    qputenv("XDG_DATA_HOME", "");
    EXPECT_EQ(userDataFolder(), QStringLiteral("/home/ann/.local/share/tallywick"));
    qputenv("XDG_DATA_HOME", "relative/data");  // not absolute: ignored
    EXPECT_EQ(userDataFolder(), QStringLiteral("/home/ann/.local/share/tallywick"));
    qputenv("XDG_DATA_HOME", saved);
    qputenv("HOME", home);
    EXPECT_EQ(installedFilesFolder(QStringLiteral("/usr/bin")),
              QStringLiteral("/usr/share/tallywick"));
}

}  // namespace
}  // namespace tw
