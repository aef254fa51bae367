// Start-up against a temporary program folder: the fatal database messages,
// the saved-query list, and the window placement kept across runs.

#include <QProcess>

#include "ProgramFolder.h"
#include "taglist/ShowPlayerSummary.h"
#include "ui/FlexGrid.h"

namespace tw::testing {
namespace {

class StartUpTest : public ProgramFolderTest {};

void ExpectFatalMessage(const ScriptedDialogs& dialogs, const QString& text) {
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    const DialogCall& call = dialogs.Calls()[0];
    EXPECT_EQ(call.kind, DialogKind::Message);
    EXPECT_EQ(call.text, text);
    EXPECT_EQ(call.icon, MsgIcon::Critical);
    EXPECT_EQ(call.buttons, MsgButtons::Ok);
    EXPECT_EQ(call.title, "Error");
}

TEST_F(StartUpTest, MissingDatabaseNamesTheFileAndEndsTheProgram) {
    dialogs_->AcknowledgeOkMessages(true);
    int endedWith = -1;
    state_->endProgram = [&endedWith](int code) { endedWith = code; };
    Load();
    ExpectFatalMessage(*dialogs_,
                       "Database cannot be found.\r\nMake sure the \"tallywick110.mdb\" file "
                       "exists in the program directory.");
    EXPECT_TRUE(state_->EndRequested);
    EXPECT_EQ(endedWith, 1);
}

TEST_F(StartUpTest, DatabaseHeldByAnotherProcessEndsTheProgram) {
    InstallDatabase();
    QProcess holder;
    holder.start(QStringLiteral(HOLD_DATABASE_EXE), {DbPath()});
    ASSERT_TRUE(holder.waitForStarted());
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_EQ(holder.readLine().trimmed(), "held");

    dialogs_->AcknowledgeOkMessages(true);
    Load();
    ExpectFatalMessage(*dialogs_,
                       "It appears that you have the database open locally.\r\n"
                       "The database must be closed before you can use this program.");
    EXPECT_TRUE(state_->EndRequested);
    EXPECT_EQ(state_->ExitCode, 1);

    holder.closeWriteChannel();
    EXPECT_TRUE(holder.waitForFinished(10000));
}

TEST_F(StartUpTest, SavedQueriesFillTheQueryListInOrder) {
    InstallDatabase();
    Load();
    EXPECT_EQ(window_->cmbQuery->count(), 1);
    EXPECT_EQ(window_->cmbQuery->itemText(0), "- Select a Query -");

    WriteIni(
        "[Application]\r\nQuery_Count=3\r\n[Query_2]\r\nName=Zeta\r\nSQL=select 2\r\n"
        "[Query_1]\r\nName=Alpha\r\nSQL=select 1\r\n[Query_3]\r\nName=Alpha\r\n"
        "SQL=select 3\r\n[Query_4]\r\nName=Never\r\nSQL=select 4\r\n");
    NewSession();
    Load();
    QStringList items;
    for (int i = 0; i < window_->cmbQuery->count(); ++i) {
        items << window_->cmbQuery->itemText(i);
    }
    EXPECT_EQ(items, QStringList({"- Select a Query -", "Alpha", "Zeta", "Alpha"}));
    EXPECT_EQ(window_->cmbQuery->currentIndex(), 0);
    EXPECT_EQ(state_->QuerySQL[3], "select 3");
    EXPECT_EQ(window_->flxData->Rows(), 0);
    EXPECT_EQ(window_->flxData->Cols(), 0);
}

TEST_F(StartUpTest, PlacementWrittenAtExitIsReadBackAtTheNextStart) {
    InstallDatabase();
    WriteIni("[Application]\r\nTop=900\r\nLeft=1200\r\nHeight=8100\r\nWidth=12000\r\n");
    Load();
    window_->show();
    window_->MoveToTwips(1500, 600);
    window_->SetOuterSizeTwips(12300, 8400);
    const WindowPlacement before = CurrentPlacement(*window_);
    EXPECT_TRUE(window_->close());
    EXPECT_TRUE(state_->EndRequested);
    EXPECT_EQ(Ini("Application", "Top"), QString::number(before.Top));
    EXPECT_EQ(Ini("Application", "Width"), QString::number(before.Width));

    NewSession();
    Load();
    window_->show();
    EXPECT_EQ(CurrentPlacement(*window_), before);
}

TEST_F(StartUpTest, ClosingIsRefusedWhileADownloadRuns) {
    InstallDatabase();
    Load();
    window_->show();
    state_->DownloadInProgress = true;
    dialogs_->AcknowledgeOkMessages(true);
    EXPECT_FALSE(window_->close());
    EXPECT_TRUE(window_->isVisible());
    EXPECT_FALSE(state_->EndRequested);
    ASSERT_EQ(dialogs_->Calls().size(), 1u);
    EXPECT_EQ(dialogs_->Calls()[0].text,
              "You are in the middle of downloading game data.\r\n"
              "You must STOP the download before you can exit.");
    EXPECT_EQ(dialogs_->Calls()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(Ini("Application", "Top"), "");

    state_->DownloadInProgress = false;  // after Stop
    EXPECT_TRUE(window_->close());
    EXPECT_TRUE(state_->EndRequested);
    EXPECT_NE(Ini("Application", "Width"), "");
}

TEST_F(StartUpTest, AFileThatIsNoDatabaseIsLoggedAsInit) {
    {
        QFile junk(DbPath());
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
    }
    state_->clock = [] { return QDateTime(QDate(2005, 1, 5), QTime(15, 7, 0)); };
    state_->DownloadInProgress = true;
    dialogs_->AcknowledgeOkMessages(true);
    Load();
    EXPECT_FALSE(state_->EndRequested);
    EXPECT_FALSE(state_->DownloadInProgress);
    EXPECT_TRUE(state_->TagListRefreshing);
    ASSERT_EQ(dialogs_->Calls().size(), 1u);
    EXPECT_TRUE(dialogs_->Calls()[0].text.startsWith("Error #: 3343\r\n"));
    QFile log(Path(QStringLiteral("debug.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray bytes = log.readAll();
    EXPECT_TRUE(
        bytes.startsWith(QByteArray(51, '-') + "\r\n v110 [App.Init]   1/5/2005 3:07:00 PM\r\n"))
        << bytes.constData();
}

}  // namespace
}  // namespace tw::testing
