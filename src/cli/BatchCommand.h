#pragma once
// The command line of the batch mode, `tallywick [--dir DIR] COMMAND ...`:
// what to do, read from the arguments alone (no files are touched here).

#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

#include "query/QueryFilters.h"

namespace tw::batch {

enum class Job { None, Download, Report, Query, Export };
enum class ExportKind { Xls, Csv, Xml };

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitDatabase = 3;

struct BatchCommand {
    Job job = Job::None;
    bool help = false;     // --help: the overview, or the command's usage
    bool version = false;  // --version
    QString dir;           // --dir DIR; empty: the executable's folder

    // download: --all, or these tag-list players, or (neither) the current one
    bool all = false;
    QStringList gamertags;

    // report GAMERTAG, query NAME|NUMBER
    QString gamertag;
    QString query;
    std::optional<PlayerFilter> player;
    std::optional<GameFilter> game;
    int format = 0;  // 1 xls, 2 csv, 3 html, 4 xml; 0: the settings' choice
    QString out;     // --out FILE (report, query), the export's FILE or DIR

    ExportKind exportKind = ExportKind::Xls;
};

// Wrong usage: the text says what is wrong; `job` picks the usage to show.
class UsageError : public std::runtime_error {
  public:
    UsageError(const QString& message, Job job)
        : std::runtime_error(message.toStdString()), job_(job) {}
    Job job() const { return job_; }

  private:
    Job job_;
};

// The arguments after the program's name. Throws UsageError.
BatchCommand parseBatchCommand(const QStringList& arguments);

// The usage of one command, or of them all for Job::None; ends with a line break.
QString usageText(Job job);
QString versionText();

}  // namespace tw::batch
