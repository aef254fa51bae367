#pragma once
// A temporary program folder for the maintenance tests: a fresh statistics
// database, the delivered unknown.jpg, a settings file, and a program run
// over it: state, scripted prompter and a main window, started as the
// program starts. The Database menu's handlers refresh that window.

#include <gtest/gtest.h>

#include "support/SqliteFile.h"
#include "support/TestApplication.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

#include "core/IniFile.h"
#include "core/Session.h"
#include "db/Database.h"
#include "db/SqliteSchemaBuilder.h"
#include "gui/MainWindow.h"
#include "gui/MainWindowLifecycle.h"
#include "gui/MaintenanceActions.h"
#include "support/ScriptedPrompter.h"

namespace tw::maintenance_testing {

// Runs SQLite statements on a closed database file.
inline void seedFile(const QString& path, const char* sql) {
    ASSERT_EQ(test_support::runSql(path, sql), "");
}

// A new, empty statistics database at `path`.
inline void createDatabase(const QString& path) {
    sqlite::createStatisticsDatabase(path, QStringLiteral(TALLYWICK_SOURCE_DIR "/src/db"));
}

class MaintenanceFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        test_support::ensureApplication();
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("avatar")));
        ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("work")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(TALLYWICK_SOURCE_DIR "/assets/avatar/unknown.jpg"),
                                filePath(QStringLiteral("avatar/unknown.jpg"))));
        writeIni("[User]\r\nGamertag=\r\n[Application]\r\nQuery_Count=0\r\n");
        createDatabase(dbPath());
    }
    void TearDown() override {
        state_.reset();
        window_.reset();
    }

    QString filePath(const QString& relative) const { return dir_.filePath(relative); }
    QString dbPath() const { return filePath(QStringLiteral("tallywick110.mdb")); }
    void seed(const char* sql) { seedFile(dbPath(), sql); }
    void writeIni(const QByteArray& bytes) {
        QFile file(filePath(QStringLiteral("tallywick110.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QString ini(const char* section, const char* key) const {
        return IniFile(filePath(QStringLiteral("tallywick110.ini"))).read(section, key);
    }
    QByteArray debugLog() const {
        QFile file(filePath(QStringLiteral("debug.log")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The program starts over the folder: settings, database, summary.
    void start() {
        window_ = std::make_unique<MainWindow>();
        prompter_ = std::make_unique<ScriptedPrompter>();
        prompter_->acknowledgeOkMessages(true);
        state_ = std::make_unique<Session>();
        state_->prompter = prompter_.get();
        state_->sleep = [](int) {};
        loadMainWindow(*state_, *window_, dir_.path());
        ASSERT_TRUE(state_->db && state_->db->isOpen());
    }

    // The rows of a statement on the program's open database, one text per
    // row, fields joined by "|" (Null as empty).
    QStringList queryRows(const QString& sql) const {
        QStringList rows;
        auto rs = state_->db->openRecordset(sql);
        while (!rs->isEof()) {
            QStringList fields;
            for (int i = 0; i < rs->fieldCount(); ++i) {
                fields << rs->field(i).joinText();
            }
            rows << fields.join(QLatin1Char('|'));
            rs->moveNext();
        }
        return rows;
    }
    // Every row of every table, sorted: equal dumps mean an unchanged database.
    QStringList dump() const {
        QStringList all;
        for (const QString& table : state_->db->tableNames()) {
            QStringList rows = queryRows(QStringLiteral("SELECT * FROM ") + table);
            rows.sort();
            for (const QString& row : rows) {
                all << table + QLatin1Char(':') + row;
            }
        }
        return all;
    }
    int count(const QString& table) const {
        return queryRows(QStringLiteral("SELECT Count(*) FROM ") + table).value(0).toInt();
    }

    // Answers the question a Database menu entry asks, then runs its handler.
    void answerAndRun(MsgResult answer, void (*handler)(Session&, MainWindow&)) {
        prompter_->answerMessage(answer);
        handler(*state_, *window_);
    }

    // The message boxes shown so far.
    std::vector<DialogCall> messages() const {
        std::vector<DialogCall> messages;
        for (const DialogCall& call : prompter_->calls()) {
            if (call.kind == DialogKind::Message) {
                messages.push_back(call);
            }
        }
        return messages;
    }

    QTemporaryDir dir_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Session> state_;
};

// The documented way to make an old version's file: the tool's script.
inline void makeOldVersion(const QString& sourceDb, const char* version, const QString& folder) {
    QProcess tool;
    tool.start(QStringLiteral("sh"),
               {QStringLiteral(TALLYWICK_SOURCE_DIR "/tools/sql/make-old-version.sh"), sourceDb,
                QString::fromLatin1(version), folder});
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
}

}  // namespace tw::maintenance_testing
