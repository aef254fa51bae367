#pragma once
// Runs the built `tallywick` executable in a child process on the fixture's
// program folder, as a user or a cron job would.

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include "download/SiteProgram.h"
#include "support/QtPrinters.h"

namespace tw::testing {

// The built program in the build's program folder.
inline QString builtProgram() {
    return QStringLiteral(TALLYWICK_PROGRAM_DIR "/tallywick");
}

struct BatchRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QString outText() const { return QString::fromUtf8(out); }
    QString errText() const { return QString::fromUtf8(err); }
};

class BatchProgramTest : public SiteProgramTest {
  protected:
    // `tallywick --dir <folder> arguments...` to its end.
    BatchRun runBatch(const QStringList& arguments);
    // The same without --dir (the executable's own folder is not used by tests).
    BatchRun runExecutable(const QStringList& arguments);
    // Starts `tallywick --dir <folder> arguments...` and returns at once.
    void startBatch(QProcess& process, const QStringList& arguments);

    // The delivered settings (every saved query) pointing at the site, with
    // `selected` as the current player and the tag list in the database;
    // plus the report folder and pictures of the delivered program folder.
    void prepareDeliveredProgram(const QStringList& tags, const QString& selected);
    QByteArray readFile(const QString& path) const;
};

// Lines of a text without empty ones.
QStringList linesOf(const QString& text);

}  // namespace tw::testing
