// The batch mode of an installed program: the executable in a read-only
// prefix/bin, the delivered files in prefix/share/tallywick, and each user's
// work in their own data folder.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "support/QtPrinters.h"
#include "support/ReadOnlyMount.h"

namespace tw {
namespace {

using test_support::ReadOnlyMount;

const QString kBuiltProgram = QStringLiteral(TALLYWICK_PROGRAM_DIR);

struct JobRun {
    int exitCode = -1;
    QString err;
};

class InstalledProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        install();
        readOnly_ = std::make_unique<ReadOnlyMount>(prefix());
        if (!readOnly_->mounted()) {
            GTEST_SKIP() << "no read-only folder: " << readOnly_->whyNot().toStdString();
        }
    }

    QString prefix() const { return root_.filePath(QStringLiteral("usr")); }

    // What `cmake --install` puts there: the executable and the delivered files.
    void install() {
        const QString share = prefix() + QStringLiteral("/share/tallywick");
        QDirIterator it(kBuiltProgram, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString rel = source.mid(kBuiltProgram.size() + 1);
            if (rel == QLatin1String("debug.log")) {
                continue;
            }
            const QString target =
                (rel == QLatin1String("tallywick") ? prefix() + QStringLiteral("/bin") : share) +
                QLatin1Char('/') + rel;
            QDir().mkpath(QFileInfo(target).path());
            ASSERT_TRUE(QFile::copy(source, target)) << target.toStdString();
        }
    }

    JobRun runAs(const QString& dataHome, const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
        process.setProcessEnvironment(environment);
        process.start(prefix() + QStringLiteral("/bin/tallywick"), arguments);
        JobRun run;
        if (!process.waitForFinished(120000)) {
            ADD_FAILURE() << "tallywick did not run to its end";
            process.kill();
            process.waitForFinished();
            return run;
        }
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    QTemporaryDir root_;
    std::unique_ptr<ReadOnlyMount> readOnly_;
};

TEST_F(InstalledProgramTest, EachUserWorksInTheirOwnDataFolder) {
    const QString ann = root_.filePath(QStringLiteral("ann/.local/share"));
    const QString bob = root_.filePath(QStringLiteral("bob/.local/share"));
    const QString out = root_.filePath(QStringLiteral("ann/tables"));
    const JobRun run = runAs(ann, {QStringLiteral("export"), QStringLiteral("csv"), out});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo(ann + QStringLiteral("/tallywick/tallywick110.mdb")).isFile());
    EXPECT_TRUE(QFileInfo(ann + QStringLiteral("/tallywick/tallywick110.ini")).isFile());
    EXPECT_TRUE(QFileInfo(ann + QStringLiteral("/tallywick/tps/template.html")).isFile());
    EXPECT_FALSE(QDir(out).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(bob));

    const JobRun second = runAs(bob, {QStringLiteral("export"), QStringLiteral("xml"),
                                      root_.filePath(QStringLiteral("bob.xml"))});
    EXPECT_EQ(second.exitCode, 0) << second.err.toStdString();
    EXPECT_TRUE(QFileInfo(bob + QStringLiteral("/tallywick/tallywick110.mdb")).isFile());
}

TEST_F(InstalledProgramTest, ADataFolderThatCannotBeMadeEndsTheJobWithItsReason) {
    const QString blocker = root_.filePath(QStringLiteral("blocker"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const JobRun run = runAs(blocker, {QStringLiteral("export"), QStringLiteral("xml"),
                                       root_.filePath(QStringLiteral("out.xml"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("tallywick: The data folder ") + blocker +
                           QStringLiteral("/tallywick could not be made: cannot create ") +
                           blocker + QStringLiteral("/tallywick.\n"));
    EXPECT_FALSE(QFileInfo::exists(root_.filePath(QStringLiteral("out.xml"))));
}

}  // namespace
}  // namespace tw
