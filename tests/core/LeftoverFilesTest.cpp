// Start-up removes the temporaries a killed write left beside the program's
// own files, and nothing else.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/LeftoverFiles.h"
#include "core/LoadSettings.h"
#include "core/Paths.h"
#include "core/Session.h"
#include "support/QtPrinters.h"

namespace tw {
namespace {

class LeftoverFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        buildPaths(state_, dir_.path());
        ASSERT_TRUE(QDir().mkpath(state_.tpsDir));
        ASSERT_TRUE(QDir().mkpath(state_.avatarDir));
    }
    // A file written `age` seconds ago.
    void make(const QString& path, int age = 300) const {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write("x"), 1);
        ASSERT_TRUE(file.flush());  // before the time is set, or closing would set it anew
        const QDateTime when = QDateTime::currentDateTime().addSecs(-age);
        ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
    }
    QStringList names(const QString& folder) const {
        QStringList names =
            QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        names.sort();
        return names;
    }

    QTemporaryDir dir_;
    Session state_;
};

TEST_F(LeftoverFilesTest, StartUpRemovesOldTemporariesOfTheProgramsFilesOnly) {
    const QString program = state_.programDir + QLatin1Char('/');
    make(state_.iniPath);
    make(program + "tallywick110.ini.AbCdEf");     // left by a kill: goes
    make(program + "tallywick110.ini.Xy12Zq");     // goes
    make(program + "tallywick110.ini.NewOne", 5);  // being written right now: stays
    make(program + "tallywick110.ini.bak");        // not six characters: stays
    make(program + "tallywick110.ini.AbCdEfG");    // seven: stays
    make(program + "tallywick110.ini.Ab-dEf");     // not letters or digits: stays
    make(program + "notes.ini.AbCdEf");            // not the program's file: stays
    make(program + "Xtallywick110.ini.AbCdEf");    // stays
    ASSERT_TRUE(QDir().mkpath(program + "tallywick110.ini.FolDer"));  // a folder: stays
    ASSERT_TRUE(QFile::link(program + "notes.ini.AbCdEf", program + "tallywick110.ini.LinkTo"));
    make(state_.tpsDir + "Red_Fox.html.QwErTy");         // a report's: goes
    make(state_.tpsDir + "Red_Fox.htm.QwErTy");          // stays
    make(state_.tpsDir + "template.html");               // stays
    make(state_.avatarDir + "Red_Fox_smbw.jpg.a1B2c3");  // a picture's: goes
    make(state_.avatarDir + "Red_Fox.jpeg.a1B2c3");      // stays

    loadSettings(state_, state_.programDir);

    EXPECT_EQ(
        names(state_.programDir),
        (QStringList{"Xtallywick110.ini.AbCdEf", "avatar", "notes.ini.AbCdEf", "tallywick110.ini",
                     "tallywick110.ini.Ab-dEf", "tallywick110.ini.AbCdEfG",
                     "tallywick110.ini.FolDer", "tallywick110.ini.LinkTo",
                     "tallywick110.ini.NewOne", "tallywick110.ini.bak", "tps"}));
    EXPECT_EQ(names(state_.tpsDir), (QStringList{"Red_Fox.htm.QwErTy", "template.html"}));
    EXPECT_EQ(names(state_.avatarDir), QStringList{"Red_Fox.jpeg.a1B2c3"});
    EXPECT_EQ(removeLeftoverTemporaries(state_), 0);
}

}  // namespace
}  // namespace tw
