#include "cli/BatchProgram.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

namespace tw::testing {
namespace {

constexpr int kBatchLimitMs = 120000;

void copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        QFile::remove(target);
        ASSERT_TRUE(QFile::copy(source, target)) << target.toStdString();
    }
}

// The command line needs no display: every batch run here has none, and a
// platform plugin that does not exist, so loading any plugin would fail it.
void runWithoutDisplay(QProcess& process) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("doesnotexist"));
    process.setProcessEnvironment(environment);
}

}  // namespace

QStringList linesOf(const QString& text) {
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void BatchProgramTest::startBatch(QProcess& process, const QStringList& arguments) {
    runWithoutDisplay(process);
    process.start(builtProgram(), QStringList{QStringLiteral("--dir"), dir_.path()} + arguments);
    ASSERT_TRUE(process.waitForStarted()) << process.errorString().toStdString();
}

BatchRun BatchProgramTest::runExecutable(const QStringList& arguments) {
    QProcess process;
    runWithoutDisplay(process);
    process.start(builtProgram(), arguments);
    BatchRun run;
    if (!process.waitForStarted() || !process.waitForFinished(kBatchLimitMs)) {
        ADD_FAILURE() << "tallywick did not run to its end: "
                      << process.errorString().toStdString();
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

BatchRun BatchProgramTest::runBatch(const QStringList& arguments) {
    return runExecutable(QStringList{QStringLiteral("--dir"), dir_.path()} + arguments);
}

void BatchProgramTest::prepareDeliveredProgram(const QStringList& tags, const QString& selected) {
    prepareProgram(tags, selected);  // the tag list and the database
    QString ini = QString::fromUtf8(
        readFile(QStringLiteral(TALLYWICK_SOURCE_DIR "/assets/tallywick110.ini")));
    const QStringList lines = {QStringLiteral("Gamertag=") + selected,
                               QStringLiteral("Direct_Port=") + QString::number(sitePort())};
    for (const QString& line : lines) {
        const QString key = line.section(QLatin1Char('='), 0, 0);
        ini.replace(QRegularExpression(QStringLiteral("(?m)^") + QRegularExpression::escape(key) +
                                       QStringLiteral("=[^\r\n]*")),
                    line);
    }
    QFile file(filePath(QStringLiteral("tallywick110.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(ini.toUtf8());
    file.close();
    for (const char* folder : {"tps", "egr", "level", "medal"}) {
        copyTree(QStringLiteral(TALLYWICK_PROGRAM_DIR "/") + QLatin1String(folder),
                 filePath(QLatin1String(folder)));
    }
}

QByteArray BatchProgramTest::readFile(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    return file.readAll();
}

}  // namespace tw::testing
