#pragma once
// A temporary program folder for the window tests: the delivered database
// (copied from the staged program folder), the delivered unknown.jpg, a
// settings file the test writes, and a program state over it with scripted
// prompter and a main window.

#include <gtest/gtest.h>

#include "support/SqliteFile.h"
#include "support/TestApplication.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

#include "core/IniFile.h"
#include "core/Paths.h"
#include "core/Session.h"
#include "gui/MainWindow.h"
#include "gui/MainWindowLifecycle.h"
#include "gui/PlayerSummaryView.h"
#include "gui/TagListPanel.h"
#include "support/ScriptedPrompter.h"
#include "taglist/TagList.h"

namespace tw::testing {

class ProgramFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test_support::ensureApplication();
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("avatar")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(TALLYWICK_SOURCE_DIR "/assets/avatar/unknown.jpg"),
                                filePath(QStringLiteral("avatar/unknown.jpg"))));
        writeIni("[User]\r\nGamertag=\r\n[Application]\r\nQuery_Count=0\r\n");
        newSession();
    }
    void TearDown() override { state_.reset(); }

    QString filePath(const QString& relative) const { return dir_.filePath(relative); }
    QString dbPath() const { return filePath(QStringLiteral("tallywick110.mdb")); }

    // The delivered, empty database in the program folder.
    void installDatabase() {
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(TALLYWICK_PROGRAM_DIR "/tallywick110.mdb"), dbPath()))
            << "the delivered database is built into " TALLYWICK_PROGRAM_DIR;
    }
    // Runs SQLite statements on the closed database file.
    void seed(const char* sql) { ASSERT_EQ(test_support::runSql(dbPath(), sql), ""); }
    void writeIni(const QByteArray& bytes) {
        QFile file(filePath(QStringLiteral("tallywick110.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QString ini(const char* section, const char* key) const {
        return IniFile(filePath(QStringLiteral("tallywick110.ini"))).read(section, key);
    }

    // A fresh program run over the folder: state, prompter and window.
    void newSession() {
        state_.reset();
        window_ = std::make_unique<MainWindow>();
        prompter_ = std::make_unique<ScriptedPrompter>();
        state_ = std::make_unique<Session>();
        state_->prompter = prompter_.get();
        state_->sleep = [](int) {};
        connectTagList(*state_, *window_, [this] { ++profileOpened_; });
        installExitRule(*state_, *window_);
    }
    void load() { loadMainWindow(*state_, *window_, dir_.path()); }

    QStringList tagListEntries() const {
        QStringList entries;
        for (int i = 0; i < window_->tagListBox->count(); ++i) {
            entries << window_->tagListBox->itemText(i);
        }
        return entries;
    }
    // One value from the program's own open database.
    QString query(const QString& sql) const {
        auto rs = state_->db->openRecordset(sql);
        if (rs->isEof()) {
            return QStringLiteral("<no row>");
        }
        return rs->field(0).joinText();
    }
    QString shownPicture() const {
        return window_->avatarPicture->property("picturePath").toString();
    }

    QTemporaryDir dir_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Session> state_;
    int profileOpened_ = 0;
};

}  // namespace tw::testing
