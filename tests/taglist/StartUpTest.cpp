// Start-up against a temporary program folder: the fatal database messages
// (missing, held, unusable, read-only), the saved-query list, and the window
// placement kept across runs and brought back onto the screen.

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <functional>

#include "ProgramFolder.h"
#include "gui/PlayerSummaryView.h"
#include "gui/ResultGrid.h"
#include "gui/Twips.h"
#include "taglist/PlayerSummary.h"

namespace tw::testing {
namespace {

class StartUpTest : public ProgramFolderTest {};

void expectFatalMessage(const ScriptedPrompter& prompter, const QString& text) {
    ASSERT_EQ(prompter.calls().size(), 1u);
    const DialogCall& call = prompter.calls()[0];
    EXPECT_EQ(call.kind, DialogKind::Message);
    EXPECT_EQ(call.text, text);
    EXPECT_EQ(call.icon, MsgIcon::Critical);
    EXPECT_EQ(call.buttons, MsgButtons::Ok);
    EXPECT_EQ(call.title, "Error");
}

TEST_F(StartUpTest, MissingDatabaseNamesTheFileAndEndsTheProgram) {
    prompter_->acknowledgeOkMessages(true);
    int endedWith = -1;
    state_->endProgram = [&endedWith](int code) { endedWith = code; };
    load();
    expectFatalMessage(*prompter_,
                       "Database cannot be found.\r\nMake sure the \"tallywick110.mdb\" file "
                       "exists in the program directory.");
    EXPECT_TRUE(state_->endRequested);
    EXPECT_EQ(endedWith, 1);
}

TEST_F(StartUpTest, DatabaseHeldByAnotherProcessEndsTheProgram) {
    installDatabase();
    QProcess holder;
    holder.start(QStringLiteral(HOLD_DATABASE_EXE), {dbPath()});
    ASSERT_TRUE(holder.waitForStarted());
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_EQ(holder.readLine().trimmed(), "held");

    prompter_->acknowledgeOkMessages(true);
    load();
    expectFatalMessage(*prompter_,
                       "It appears that you have the database open locally.\r\n"
                       "The database must be closed before you can use this program.");
    EXPECT_TRUE(state_->endRequested);
    EXPECT_EQ(state_->exitCode, 1);

    holder.closeWriteChannel();
    EXPECT_TRUE(holder.waitForFinished(10000));
}

TEST_F(StartUpTest, SavedQueriesFillTheQueryListInOrder) {
    installDatabase();
    load();
    EXPECT_EQ(window_->queryList->count(), 1);
    EXPECT_EQ(window_->queryList->itemText(0), "- Select a Query -");

    writeIni(
        "[Application]\r\nQuery_Count=3\r\n[Query_2]\r\nName=Zeta\r\nSQL=select 2\r\n"
        "[Query_1]\r\nName=Alpha\r\nSQL=select 1\r\n[Query_3]\r\nName=Alpha\r\n"
        "SQL=select 3\r\n[Query_4]\r\nName=Never\r\nSQL=select 4\r\n");
    newSession();
    load();
    QStringList items;
    for (int i = 0; i < window_->queryList->count(); ++i) {
        items << window_->queryList->itemText(i);
    }
    EXPECT_EQ(items, QStringList({"- Select a Query -", "Alpha", "Zeta", "Alpha"}));
    EXPECT_EQ(window_->queryList->currentIndex(), 0);
    EXPECT_EQ(state_->querySql[3], "select 3");
    EXPECT_EQ(window_->resultGrid->rows(), 0);
    EXPECT_EQ(window_->resultGrid->cols(), 0);
}

TEST_F(StartUpTest, PlacementWrittenAtExitIsReadBackAtTheNextStart) {
    installDatabase();
    writeIni("[Application]\r\nTop=900\r\nLeft=1200\r\nHeight=8100\r\nWidth=12000\r\n");
    load();
    window_->show();
    window_->moveToTwips(1500, 600);
    window_->setOuterSizeTwips(12300, 8400);
    const WindowPlacement before = currentPlacement(*window_);
    EXPECT_TRUE(window_->close());
    EXPECT_TRUE(state_->endRequested);
    EXPECT_EQ(ini("Application", "Top"), QString::number(before.top));
    EXPECT_EQ(ini("Application", "Width"), QString::number(before.width));

    newSession();
    load();
    window_->show();
    EXPECT_EQ(currentPlacement(*window_), before);
}

TEST_F(StartUpTest, ClosingIsRefusedWhileADownloadRuns) {
    installDatabase();
    load();
    window_->show();
    state_->downloadInProgress = true;
    prompter_->acknowledgeOkMessages(true);
    EXPECT_FALSE(window_->close());
    EXPECT_TRUE(window_->isVisible());
    EXPECT_FALSE(state_->endRequested);
    ASSERT_EQ(prompter_->calls().size(), 1u);
    EXPECT_EQ(prompter_->calls()[0].text,
              "You are in the middle of downloading game data.\r\n"
              "You must STOP the download before you can exit.");
    EXPECT_EQ(prompter_->calls()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(prompter_->calls()[0].title, "Error");
    EXPECT_EQ(ini("Application", "Top"), "") << "nothing written before the exit goes on";

    state_->downloadInProgress = false;  // after Stop
    EXPECT_TRUE(window_->close());
    EXPECT_TRUE(state_->endRequested);
    EXPECT_NE(ini("Application", "Width"), "");
}

// A database file that is there but cannot be used ends the program after
// one message, as a missing one does: a window without its database can do
// nothing.
TEST_F(StartUpTest, ADatabaseThatCannotBeOpenedEndsTheProgramAfterOneMessage) {
    struct Case {
        const char* what;
        std::function<void()> make;
    };
    const Case cases[] = {
        {"no database at all",
         [this] {
             QFile junk(dbPath());
             ASSERT_TRUE(junk.open(QIODevice::WriteOnly | QIODevice::Truncate));
             junk.write(QByteArray(4096, 'x'));
         }},
        {"another program's database",
         [this] {
             QFile::remove(dbPath());
             seed("CREATE TABLE Invoice (Number INTEGER PRIMARY KEY, Total REAL);");
         }},
        {"a damaged copy of ours",
         [this] {
             QFile::remove(dbPath());
             installDatabase();
             QFile file(dbPath());
             ASSERT_TRUE(file.open(QIODevice::ReadWrite));
             ASSERT_TRUE(file.seek(100));
             file.write(QByteArray(static_cast<int>(file.size()) - 100, '\xA5'));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(filePath(QStringLiteral("debug.log")));
        c.make();
        newSession();
        state_->clock = [] { return QDateTime(QDate(2005, 1, 5), QTime(15, 7, 0)); };
        prompter_->acknowledgeOkMessages(true);
        int endedWith = -1;
        state_->endProgram = [&endedWith](int code) { endedWith = code; };
        load();
        EXPECT_EQ(endedWith, 1);
        EXPECT_TRUE(state_->endRequested);
        EXPECT_FALSE(state_->db);
        ASSERT_EQ(prompter_->calls().size(), 1u);
        const DialogCall& call = prompter_->calls()[0];
        EXPECT_EQ(call.title, "Error");
        EXPECT_EQ(call.icon, MsgIcon::Critical);
        const QStringList lines = call.text.split(QStringLiteral("\r\n"));
        ASSERT_GE(lines.size(), 6) << call.text.toStdString();
        EXPECT_EQ(lines[0], "The database cannot be opened:");
        EXPECT_EQ(lines[1], dbPath());
        EXPECT_EQ(lines[2], "");
        EXPECT_TRUE(lines[3].startsWith("Error #: ")) << lines[3].toStdString();
        EXPECT_TRUE(lines[4].startsWith("Description: ")) << lines[4].toStdString();
        EXPECT_EQ(lines.last(), "Please email your \"debug.log\" file to support@tallywick.org");
        QFile log(filePath(QStringLiteral("debug.log")));
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        const QByteArray bytes = log.readAll();
        EXPECT_TRUE(bytes.startsWith(QByteArray(51, '-') +
                                     "\r\n v110 [App.Init]   1/5/2005 3:07:00 PM\r\n"))
            << bytes.constData();
        const QByteArray number = lines[3].mid(QStringLiteral("Error #: ").size()).toUtf8();
        EXPECT_TRUE(bytes.contains("\r\n#" + number + " - ")) << bytes.constData();
    }
}

// The program folder (or the database in it) cannot be written: the window's
// start-up runs in a process of its own as a user without that right (root
// writes anywhere, so a root test run hands it to "nobody").
TEST_F(StartUpTest, AReadOnlyProgramFolderOrDatabaseEndsTheProgramAfterOneMessage) {
    installDatabase();
    const QFileDevice::Permissions readable = QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                              QFileDevice::ReadOther | QFileDevice::ReadUser;
    const QFileDevice::Permissions enterable = QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                                               QFileDevice::ExeOther | QFileDevice::ExeUser;
    const QFileDevice::Permissions writable = QFileDevice::WriteOwner | QFileDevice::WriteUser |
                                              QFileDevice::WriteGroup | QFileDevice::WriteOther;
    for (const char* file : {"tallywick110.ini", "tallywick110.mdb", "avatar/unknown.jpg"}) {
        ASSERT_TRUE(QFile::setPermissions(filePath(QString::fromLatin1(file)), readable));
    }
    ASSERT_TRUE(QFile::setPermissions(filePath(QStringLiteral("avatar")), readable | enterable));
    struct Case {
        const char* what;
        QFileDevice::Permissions folder;
        const char* note;
        bool logged;
    };
    const Case cases[] = {
        {"read-only folder", readable | enterable,
         "The program folder is read-only; the program writes its database, settings and log "
         "there.",
         false},
        {"read-only database in a writable folder", readable | enterable | writable,
         "The database file is read-only.", true},
    };
    // "nobody" may not reach the build tree (a checkout under /root is 0700):
    // the helper runs from a copy in a folder everyone may enter.
    QTemporaryDir helperDir;
    ASSERT_TRUE(helperDir.isValid());
    const QString helper = helperDir.filePath(QStringLiteral("start_window"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(START_WINDOW_EXE), helper));
    ASSERT_TRUE(
        QFile::setPermissions(helperDir.path(), readable | enterable | QFileDevice::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(helper, readable | enterable));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(QFile::setPermissions(dir_.path(), c.folder));
        QProcess start;
        if (geteuid() == 0) {
            const passwd* nobody = getpwnam("nobody");
            ASSERT_NE(nobody, nullptr);
            const uid_t uid = nobody->pw_uid;
            const gid_t gid = nobody->pw_gid;
            start.setChildProcessModifier([uid, gid] {
                if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0) {
                    _exit(97);
                }
            });
        }
        start.start(helper, {dir_.path()});
        if (!start.waitForStarted(60000)) {
            GTEST_SKIP() << "cannot start the start-up helper as another user here: "
                         << start.errorString().toStdString();
        }
        ASSERT_TRUE(start.waitForFinished(60000));
        const QByteArray err = start.readAllStandardError();
        if (start.exitCode() == 97) {
            GTEST_SKIP() << "cannot run the start-up as another user here";
        }
        ASSERT_EQ(start.exitCode(), 0) << err.constData();
        const QStringList out = QString::fromUtf8(start.readAllStandardOutput())
                                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_EQ(out.size(), 2) << out.join('\n').toStdString() << err.constData();
        EXPECT_EQ(out[1], "ended 1");
        const QStringList fields = out[0].split(QLatin1Char('\t'));
        ASSERT_EQ(fields.size(), 4);
        EXPECT_EQ(fields[1], "Error");
        EXPECT_EQ(fields[2], QString::number(static_cast<int>(MsgIcon::Critical)));
        const QStringList lines = fields[3].split(QStringLiteral("\\n"));
        ASSERT_GE(lines.size(), 7) << fields[3].toStdString();
        EXPECT_EQ(lines[0], "The database cannot be opened:");
        EXPECT_EQ(lines[1], dbPath());
        EXPECT_EQ(lines[2], QString::fromLatin1(c.note));
        EXPECT_EQ(lines[3], "");
        EXPECT_TRUE(lines[4].startsWith("Error #: ")) << lines[4].toStdString();
        const QString logPath = filePath(QStringLiteral("debug.log"));
        if (c.logged) {
            EXPECT_EQ(lines.last(),
                      "Please email your \"debug.log\" file to support@tallywick.org");
            EXPECT_TRUE(QFile::exists(logPath));
        } else {
            EXPECT_TRUE(lines.last().startsWith(
                "The error could not be written to \"debug.log\" (" + logPath + "): "))
                << lines.last().toStdString();
            EXPECT_FALSE(QFile::exists(logPath));
        }
    }
    ASSERT_TRUE(QFile::setPermissions(dir_.path(), readable | enterable | writable));
}

// A placement saved on a monitor that is gone (or simply off every screen)
// would open the window where nobody can see or reach it; one the user can
// still grab by its caption is left where the user put it.
TEST_F(StartUpTest, OnlyAWindowPlacedOffTheScreensIsMovedOntoTheScreen) {
    installDatabase();
    window_->show();
    const QRect screen = window_->screen()->availableGeometry();
    const TwipsScale scale = TwipsScale::forWidget(*window_);
    // Starts the program with the window saved at `place`; where it opened.
    const auto startAt = [&](const QPoint& place) {
        writeIni(QByteArray("[Application]\r\nTop=") +
                 QByteArray::number(scale.yToTwips(place.y())) +
                 "\r\nLeft=" + QByteArray::number(scale.xToTwips(place.x())) +
                 "\r\nHeight=7335\r\nWidth=11415\r\n");
        newSession();
        load();
        window_->show();
        return window_->frameGeometry();
    };
    const QPoint offPlaces[] = {
        {-4000, 50},                   // a monitor on the left, gone
        {screen.right() + 2000, 50},   // one on the right
        {100, screen.bottom() + 600},  // one below
        {100, -3000},                  // one above
        {-4000, -4000},                // far away
        {100, -20},                    // caption above the top edge
        {screen.right() - 40, 50},     // a sliver on the right: no caption to grab
    };
    for (const QPoint& place : offPlaces) {
        SCOPED_TRACE(QStringLiteral("%1,%2").arg(place.x()).arg(place.y()).toStdString());
        const QRect frame = startAt(place);
        EXPECT_TRUE(screen.contains(frame.topLeft()))
            << frame.x() << "," << frame.y() << " on " << screen.width() << "x" << screen.height();
        if (frame.width() <= screen.width() && frame.height() <= screen.height()) {
            EXPECT_TRUE(screen.contains(frame))
                << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
        }
    }
    // Half of it hangs over the right edge; the user put it there.
    const QPoint reachable(screen.right() - screen.width() / 3, 60);
    EXPECT_EQ(startAt(reachable).topLeft(), reachable);
}

}  // namespace
}  // namespace tw::testing
