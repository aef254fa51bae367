#pragma once
// A program run against the simulated site: a temporary program folder with
// the delivered database, a settings file pointing at the in-process site on
// loopback, the real main window offscreen with its tag list and download
// wired, and scripted prompter. Tables read back in the ground truth's form.

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "core/Session.h"
#include "download/DownloadSession.h"
#include "gui/DownloadPanel.h"
#include "gui/MainWindow.h"
#include "statsite/StatSiteServer.h"
#include "support/ScriptedPrompter.h"

namespace tw::testing {

void ensureApplication();
// A free loopback port below 32768.
quint16 freeSmallPort();

struct SiteOptions {
    int players = 3;
    int games = 40;
    int pageSize = 10;
    uint64_t seed = 7;
    bool accents = false;  // the two players whose names differ in one accent
};

class SiteProgramTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    void startSite(const SiteOptions& options = {});
    statsite::Site& site() { return server_->site(); }
    quint16 sitePort() const { return port_; }

    // The tag list (Player rows with Is_Selectable "Y", in this order), the
    // selected gamertag and extra settings lines ("Key=Value") of [Internet]
    // and [Application].
    void prepareProgram(const QStringList& tags, const QString& selected,
                        const QStringList& internet = {}, const QStringList& application = {});
    // Runs SQLite statements on the closed database file.
    void seedDatabase(const QByteArray& sql);
    void load();
    // Clicks Download and, when that started a run, waits until the window
    // has shown its end.
    void pressDownload();
    // Starts a run as the Download button does (also with the button
    // disabled) and waits for its end.
    void runDownload();
    // The session the window's worker runs.
    DownloadSession& session() { return downloadPanel_->session(); }

    // Table rows as the truth writes them, sorted.
    QList<QByteArray> rows(const QString& table);
    QMap<QByteArray, QList<QByteArray>> truthRows(const QStringList& tags);
    void expectTablesEqualTruth(const QStringList& tags);
    QString value(const QString& sql);
    QString lastGameId(const QString& tag);
    // The staging tables hold no row.
    void expectStagingEmpty();
    // A file of the program folder; empty when it cannot be read.
    QByteArray programFileBytes(const QString& relative) const;
    // Requests the site received since the last call whose target contains `part`.
    int countRequests(const QByteArray& part);
    void forgetRequests();

    // The program folder: the fixture's temporary folder unless a test
    // names another (a small disk) before it prepares the program.
    QString folder() const { return folder_.isEmpty() ? dir_.path() : folder_; }
    QString filePath(const QString& relative) const { return QDir(folder()).filePath(relative); }

    QTemporaryDir dir_;
    QString folder_;
    std::unique_ptr<statsite::StatSiteServer> server_;
    quint16 port_ = 0;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Session> state_;
    DownloadPanel* downloadPanel_ = nullptr;
    qsizetype requestsSeen_ = 0;
};

}  // namespace tw::testing
