// A keyboard-only journey through the real window against the simulated site:
// add a gamertag with its key (the input box answered through the scripted
// prompter), download its games, choose and run a saved query, export the
// result and open the report, every step a key press.

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "download/SiteProgram.h"
#include "gui/DownloadPanel.h"
#include "gui/MainWindowLifecycle.h"
#include "gui/ResultGrid.h"
#include "gui/Wiring.h"

namespace tw::testing {
namespace {

class KeyboardJourneyTest : public SiteProgramTest {
  protected:
    // The whole window wired as the program wires it.
    void loadWired() {
        window_ = std::make_unique<MainWindow>();
        prompter_ = std::make_unique<ScriptedPrompter>();
        state_ = std::make_unique<Session>();
        state_->prompter = prompter_.get();
        state_->sleep = [](int) {};
        downloadPanel_ = wireMainWindow(*state_, *window_).downloadPanel;
        loadMainWindow(*state_, *window_, folder());
        ASSERT_FALSE(state_->endRequested);
        window_->show();
        window_->activateWindow();
        QApplication::processEvents();
    }

    // The key goes to whatever has the focus, as a user's would.
    void press(const QKeySequence& keys) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget()
                                                      : static_cast<QWidget*>(window_.get());
        QTest::keySequence(target, keys);
    }

    // The report's templates and pictures, as delivered beside the program.
    void copyProgramFolder(const QString& name) {
        const QDir from(QStringLiteral(TALLYWICK_PROGRAM_DIR "/") + name);
        ASSERT_TRUE(QDir(folder()).mkpath(name));
        for (const QString& file : from.entryList(QDir::Files)) {
            ASSERT_TRUE(QFile::copy(from.filePath(file), filePath(name + QLatin1Char('/') + file)));
        }
    }

    void addQuery(const QByteArray& name, const QByteArray& sql) {
        QFile ini(filePath(QStringLiteral("tallywick110.ini")));
        ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
        QByteArray text = ini.readAll();
        ini.close();
        text.replace("Query_Count=0", "Query_Count=1");
        text += "[Query_1]\r\nName=" + name + "\r\nSQL=" + sql + "\r\n";
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write(text);
    }
};

TEST_F(KeyboardJourneyTest, AddDownloadQueryExportAndReportWithKeysAlone) {
    startSite({2, 12, 10, 5});
    const QString tag = site().featuredGamertags().value(0);
    ASSERT_FALSE(tag.isEmpty());
    prepareProgram({}, QString(), {}, {QStringLiteral("Query_Export_Format=2")});  // CSV
    addQuery("Games per player",
             "SELECT Game_Player.Player_Gamertag, Count(Game_Player.Game_ID) AS Games FROM "
             "Game_Player GROUP BY Game_Player.Player_Gamertag");
    for (const char* part : {"tps", "egr", "level", "medal"}) {
        copyProgramFolder(QLatin1String(part));
    }
    loadWired();
    ASSERT_EQ(window_->tagListBox->count(), 0);
    EXPECT_TRUE(window_->firstRunHint->isVisible());

    // Ctrl+N asks for the gamertag and adds it.
    prompter_->answerInput(tag);
    press(QKeySequence(Qt::CTRL | Qt::Key_N));
    ASSERT_EQ(window_->tagListBox->count(), 1);
    EXPECT_EQ(window_->tagListBox->currentText(), tag);
    EXPECT_FALSE(window_->firstRunHint->isVisible());

    // Ctrl+D downloads it.
    QSignalSpy finished(downloadPanel_, &DownloadPanel::runFinished);
    press(QKeySequence(Qt::CTRL | Qt::Key_D));
    if (finished.isEmpty()) {
        ASSERT_TRUE(finished.wait(180000)) << "the download did not finish";
    }
    expectTablesEqualTruth({tag});
    EXPECT_EQ(window_->totalGames->text().toInt(),
              value(QStringLiteral("select count(*) from Game_Player where Player_Gamertag='") +
                    tag + QStringLiteral("'"))
                  .toInt());

    // Tab to the query list, choose the query with the arrow key, run it.
    window_->tagListBox->setFocus();
    for (int i = 0; i < 10 && QApplication::focusWidget() != window_->queryList; ++i) {
        press(QKeySequence(Qt::Key_Tab));
    }
    ASSERT_EQ(QApplication::focusWidget(), window_->queryList);
    press(QKeySequence(Qt::Key_Down));
    EXPECT_EQ(window_->queryList->currentText(), "Games per player");
    press(QKeySequence(Qt::CTRL | Qt::Key_R));
    ResultGrid& grid = *window_->resultGrid;
    // Every player of the downloaded games, the added one with all its games.
    ASSERT_GT(grid.rows(), 2);
    EXPECT_EQ(grid.textMatrix(0, 1), "Games");
    int found = 0;
    for (int row = 1; row < grid.rows(); ++row) {
        if (grid.textMatrix(row, 0) == tag) {
            found = row;
        }
    }
    ASSERT_NE(found, 0);
    EXPECT_EQ(grid.textMatrix(found, 1), window_->totalGames->text());

    // Ctrl+E exports it where the save dialog says.
    const QString exported = filePath(QStringLiteral("games.csv"));
    prompter_->answerSave(exported);
    prompter_->acknowledgeOkMessages(true);
    press(QKeySequence(Qt::CTRL | Qt::Key_E));
    QFile out(exported);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly)) << exported.toStdString();
    const QByteArray csv = out.readAll();
    EXPECT_TRUE(csv.contains(tag.toUtf8() + "\"," + window_->totalGames->text().toUtf8()) ||
                csv.contains(tag.toUtf8() + "," + window_->totalGames->text().toUtf8()))
        << csv.left(300).toStdString();

    // Ctrl+T writes the report and opens it.
    prompter_->answerMessage(MsgResult::Yes).answerOpen(true);
    press(QKeySequence(Qt::CTRL | Qt::Key_T));
    ASSERT_FALSE(prompter_->calls().empty());
    EXPECT_EQ(prompter_->lastCall().kind, DialogKind::OpenDocument);
    EXPECT_TRUE(QFile::exists(prompter_->lastCall().text))
        << prompter_->lastCall().text.toStdString();
    EXPECT_TRUE(prompter_->failures().isEmpty()) << prompter_->failures().join('\n').toStdString();

    // Ctrl+Q closes the window.
    press(QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_FALSE(window_->isVisible());
}

}  // namespace
}  // namespace tw::testing
