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
        BuildPaths(state_, dir_.path());
        ASSERT_TRUE(QDir().mkpath(state_.TpsDir));
        ASSERT_TRUE(QDir().mkpath(state_.AvatarDir));
    }
    // A file written `age` seconds ago.
    void Make(const QString& path, int age = 300) const {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write("x"), 1);
        ASSERT_TRUE(file.flush());  // before the time is set, or closing would set it anew
        const QDateTime when = QDateTime::currentDateTime().addSecs(-age);
        ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
    }
    QStringList Names(const QString& folder) const {
        QStringList names =
            QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        names.sort();
        return names;
    }

    QTemporaryDir dir_;
    Session state_;
};

TEST_F(LeftoverFilesTest, StartUpRemovesOldTemporariesOfTheProgramsFilesOnly) {
    const QString program = state_.ProgramDir + QLatin1Char('/');
    Make(state_.IniPath);
    Make(program + "tallywick110.ini.AbCdEf");     // left by a kill: goes
    Make(program + "tallywick110.ini.Xy12Zq");     // goes
    Make(program + "tallywick110.ini.NewOne", 5);  // being written right now: stays
    Make(program + "tallywick110.ini.bak");        // not six characters: stays
    Make(program + "tallywick110.ini.AbCdEfG");    // seven: stays
    Make(program + "tallywick110.ini.Ab-dEf");     // not letters or digits: stays
    Make(program + "notes.ini.AbCdEf");            // not the program's file: stays
    Make(program + "Xtallywick110.ini.AbCdEf");    // stays
    ASSERT_TRUE(QDir().mkpath(program + "tallywick110.ini.FolDer"));  // a folder: stays
    ASSERT_TRUE(QFile::link(program + "notes.ini.AbCdEf", program + "tallywick110.ini.LinkTo"));
    Make(state_.TpsDir + "Red_Fox.html.QwErTy");         // a report's: goes
    Make(state_.TpsDir + "Red_Fox.htm.QwErTy");          // stays
    Make(state_.TpsDir + "template.html");               // stays
    Make(state_.AvatarDir + "Red_Fox_smbw.jpg.a1B2c3");  // a picture's: goes
    Make(state_.AvatarDir + "Red_Fox.jpeg.a1B2c3");      // stays

    LoadSettings(state_, state_.ProgramDir);

    EXPECT_EQ(
        Names(state_.ProgramDir),
        (QStringList{"Xtallywick110.ini.AbCdEf", "avatar", "notes.ini.AbCdEf", "tallywick110.ini",
                     "tallywick110.ini.Ab-dEf", "tallywick110.ini.AbCdEfG",
                     "tallywick110.ini.FolDer", "tallywick110.ini.LinkTo",
                     "tallywick110.ini.NewOne", "tallywick110.ini.bak", "tps"}));
    EXPECT_EQ(Names(state_.TpsDir), (QStringList{"Red_Fox.htm.QwErTy", "template.html"}));
    EXPECT_EQ(Names(state_.AvatarDir), QStringList{"Red_Fox.jpeg.a1B2c3"});
    EXPECT_EQ(removeLeftoverTemporaries(state_), 0);
}

}  // namespace
}  // namespace tw
