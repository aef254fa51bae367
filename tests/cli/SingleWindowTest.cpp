// One window per program folder, with real processes of the built program:
// a second start on the same folder brings the first window forward and ends
// with 0, a start on another folder runs on its own, a socket left by a
// killed window does not stop the next start, and the command line still
// finds the database held by the window.

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include "cli/BatchProgram.h"
#include "gui/SingleInstance.h"

namespace tw::testing {
namespace {

constexpr int kWaitMs = 60000;

// The window's program folder is its executable's: each folder gets a copy.
void installExecutable(const QString& folder) {
    const QString target = QDir(folder).filePath(QStringLiteral("tallywick"));
    QFile::remove(target);
    ASSERT_TRUE(QFile::copy(builtProgram(), target));
    ASSERT_TRUE(QFile::setPermissions(target, QFile::permissions(builtProgram())));
}

void copyProgramFiles(const QString& from, const QString& to) {
    for (const char* name : {"tallywick110.ini", "tallywick110.mdb"}) {
        ASSERT_TRUE(QFile::copy(QDir(from).filePath(QLatin1String(name)),
                                QDir(to).filePath(QLatin1String(name))))
            << name;
    }
    installExecutable(to);
}

void startWindow(QProcess& process, const QString& folder) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(QDir(folder).filePath(QStringLiteral("tallywick")), QStringList{});
    ASSERT_TRUE(process.waitForStarted()) << process.errorString().toStdString();
}

bool answers(const QString& name) {
    QLocalSocket socket;
    socket.connectToServer(name);
    return socket.waitForConnected(1000);
}

// Waits until the window of `folder` answers on its socket (it listens from
// its first moments), or its process ends.
bool waitUntilListening(const QProcess& process, const QString& folder) {
    const QString name = SingleInstance::serverName(folder);
    const QDeadlineTimer deadline(kWaitMs);
    while (!deadline.hasExpired() && process.state() == QProcess::Running) {
        if (answers(name)) {
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

void expectHandsOver(const QString& folder) {
    QProcess second;
    startWindow(second, folder);
    ASSERT_TRUE(second.waitForFinished(kWaitMs)) << "the second window did not end";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(second.readAllStandardOutput(), QByteArray());
}

// Kills the window (as a user's kill -9 would) and takes away the socket
// file it leaves, as the next start of the folder would.
void stop(QProcess& process, const QString& folder) {
    process.kill();
    process.waitForFinished();
    QLocalServer::removeServer(SingleInstance::serverName(folder));
}

class SingleWindowTest : public BatchProgramTest {
  protected:
    void SetUp() override {
        BatchProgramTest::SetUp();
        startSite({1, 5, 10, 3});
        prepareDeliveredProgram(site().featuredGamertags(), site().featuredGamertags()[0]);
        installExecutable(dir_.path());
    }
};

TEST_F(SingleWindowTest, TheSocketNameIsTheFolderOnAnySpellingAndDiffersPerFolder) {
    QTemporaryDir other;
    ASSERT_TRUE(other.isValid());
    const QString name = SingleInstance::serverName(dir_.path());
    EXPECT_EQ(SingleInstance::serverName(dir_.path() + QStringLiteral("/")), name);
    EXPECT_EQ(SingleInstance::serverName(dir_.path() + QStringLiteral("/tps/..")), name);
    const QString link = other.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(dir_.path(), link));
    EXPECT_EQ(SingleInstance::serverName(link), name);
    EXPECT_NE(SingleInstance::serverName(other.path()), name);
    EXPECT_TRUE(name.startsWith(QStringLiteral("tallywick-")));
}

TEST_F(SingleWindowTest, ASecondStartOnTheFolderHandsOverAndEndsWithZero) {
    QProcess first;
    startWindow(first, dir_.path());
    ASSERT_TRUE(waitUntilListening(first, dir_.path()));

    expectHandsOver(dir_.path());
    EXPECT_EQ(first.state(), QProcess::Running);

    // The command line is no window: it still finds the database held.
    const BatchRun held = runBatch({QStringLiteral("report"), site().featuredGamertags()[0]});
    EXPECT_EQ(held.exitCode, 3);
    EXPECT_TRUE(held.errText().startsWith(
        QStringLiteral("Error: It appears that you have the database open locally.")))
        << held.errText().toStdString();
    stop(first, dir_.path());
}

TEST_F(SingleWindowTest, AnotherFolderRunsAWindowOfItsOwn) {
    QTemporaryDir otherDir;
    ASSERT_TRUE(otherDir.isValid());
    copyProgramFiles(dir_.path(), otherDir.path());
    QProcess first;
    startWindow(first, dir_.path());
    ASSERT_TRUE(waitUntilListening(first, dir_.path()));

    QProcess other;
    startWindow(other, otherDir.path());
    EXPECT_TRUE(waitUntilListening(other, otherDir.path()));
    EXPECT_EQ(first.state(), QProcess::Running);
    stop(other, otherDir.path());
    stop(first, dir_.path());
}

TEST_F(SingleWindowTest, ASocketLeftByAKilledWindowDoesNotStopTheNextStart) {
    QProcess killed;
    startWindow(killed, dir_.path());
    ASSERT_TRUE(waitUntilListening(killed, dir_.path()));
    killed.kill();  // SIGKILL: the socket file stays behind
    killed.waitForFinished();
    const QString name = SingleInstance::serverName(dir_.path());
    ASSERT_TRUE(QFile::exists(QDir(QDir::tempPath()).filePath(name)));
    ASSERT_FALSE(answers(name));

    QProcess next;
    startWindow(next, dir_.path());
    ASSERT_TRUE(waitUntilListening(next, dir_.path()));
    expectHandsOver(dir_.path());
    EXPECT_EQ(next.state(), QProcess::Running);
    stop(next, dir_.path());
}

// Both ends in one process: the request reaches the listening instance, and
// the window it brings forward is shown restored and active.
TEST_F(SingleWindowTest, TheRequestReachesTheRunningInstanceWhichBringsItsWindowForward) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    SingleInstance running(folder.path());
    EXPECT_FALSE(running.forwardToRunning()) << "nothing runs yet";
    ASSERT_TRUE(running.listen());
    QWidget window;
    QObject::connect(&running, &SingleInstance::activationRequested, &window,
                     [&window] { SingleInstance::bringForward(window); });
    window.showMinimized();
    QSignalSpy asked(&running, &SingleInstance::activationRequested);

    SingleInstance second(folder.path() + QStringLiteral("/"));
    EXPECT_TRUE(second.forwardToRunning());
    ASSERT_TRUE(asked.wait(kWaitMs));
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isVisible());

    running.close();
    EXPECT_FALSE(SingleInstance(folder.path()).forwardToRunning()) << "closed: nothing answers";
}

}  // namespace
}  // namespace tw::testing
