#pragma once
// Runs the built `tallywick` executable in a child process on the fixture's
// program folder, as a user or a cron job would.

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include "download/SiteProgram.h"
#include "support/QtPrinters.h"

namespace tw::testing {

struct BatchRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QString Out() const { return QString::fromUtf8(out); }
    QString Err() const { return QString::fromUtf8(err); }
};

class BatchProgramTest : public SiteProgramTest {
  protected:
    // `tallywick --dir <folder> arguments...` to its end.
    BatchRun RunBatch(const QStringList& arguments);
    // The same without --dir (the executable's own folder is not used by tests).
    BatchRun RunExecutable(const QStringList& arguments);
    // Starts `tallywick --dir <folder> arguments...` and returns at once.
    void StartBatch(QProcess& process, const QStringList& arguments);

    // The delivered settings (every saved query) pointing at the site, with
    // `selected` as the current player and the tag list in the database;
    // plus the report folder and pictures of the delivered program folder.
    void PrepareDeliveredProgram(const QStringList& tags, const QString& selected,
                                 const QStringList& replacedLines = {});
    QByteArray ReadFile(const QString& path) const;
};

// Lines of a text without empty ones.
QStringList LinesOf(const QString& text);

}  // namespace tw::testing
