#include "cli/BatchCommand.h"

#include <QDir>
#include <QFileInfo>

#include "core/ProgramInfo.h"

namespace tw::batch {
namespace {

struct CommandName {
    const char* name;
    Job job;
};

constexpr CommandName kCommands[] = {{"download", Job::Download},
                                     {"report", Job::Report},
                                     {"query", Job::Query},
                                     {"export", Job::Export}};

const char kDownloadUsage[] =
    "Usage: tallywick [--dir DIR] download [--all | GAMERTAG...]\n"
    "Downloads the new games of tag-list players: the named ones, the whole tag\n"
    "list with --all, or else the selected player.\n";
const char kReportUsage[] =
    "Usage: tallywick [--dir DIR] report GAMERTAG [--out FILE]\n"
    "Writes the player's TPS Report into the report folder (and copies it to\n"
    "FILE) and prints the path written.\n";
const char kQueryUsage[] =
    "Usage: tallywick [--dir DIR] query (NAME | NUMBER) [--player all|taglist|me]\n"
    "       [--game all|ranked|unranked] [--format xls|csv|html|xml] --out FILE\n"
    "Runs a saved query with the filters and exports its result to FILE (the\n"
    "format of the settings when --format is not given).\n";
const char kExportUsage[] =
    "Usage: tallywick [--dir DIR] export (xls FILE | csv DIR | xml FILE)\n"
    "Exports every table of the database to one workbook, to one text file per\n"
    "table in DIR, or to one XML document.\n";
const char kOverview[] =
    "Usage: tallywick                 opens the window\n"
    "       tallywick [--dir DIR] COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  download [--all | GAMERTAG...]    download new games of tag-list players\n"
    "  report GAMERTAG [--out FILE]      write a player's TPS Report\n"
    "  query (NAME | NUMBER) ... --out FILE\n"
    "                                    run a saved query and export its result\n"
    "  export (xls FILE | csv DIR | xml FILE)\n"
    "                                    export the whole database\n"
    "\n"
    "Options:\n"
    "  --dir DIR     work on the program folder DIR instead of the executable's\n"
    "  --help        this text; COMMAND --help for one command\n"
    "  --version     the program's name and version\n"
    "\n"
    "Exit codes: 0 success, 1 the job failed, 2 wrong usage,\n"
    "3 the database is missing or held by another process.\n";

Job commandFor(const QString& word) {
    for (const CommandName& command : kCommands) {
        if (word == QLatin1String(command.name)) {
            return command.job;
        }
    }
    return Job::None;
}

QString absolute(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// The word list being read: options with a value accept "--opt VALUE" and
// "--opt=VALUE".
class Words {
  public:
    explicit Words(const QStringList& words) : words_(words) {}
    bool atEnd() const { return next_ >= words_.size(); }
    QString take() { return words_[next_++]; }
    QString valueOf(const QString& option, Job job) {
        const qsizetype equals = option.indexOf(QLatin1Char('='));
        if (equals >= 0) {
            return option.mid(equals + 1);
        }
        if (atEnd()) {
            throw UsageError(option + QStringLiteral(" needs a value"), job);
        }
        return take();
    }

  private:
    const QStringList& words_;
    qsizetype next_ = 0;
};

QString optionName(const QString& word) {
    return word.section(QLatin1Char('='), 0, 0);
}

template <typename T, size_t N>
T choice(const QString& option, const QString& value, const char* const (&names)[N],
         const T (&values)[N], Job job) {
    for (size_t i = 0; i < N; ++i) {
        if (value == QLatin1String(names[i])) {
            return values[i];
        }
    }
    throw UsageError(option + QStringLiteral(" does not take \"") + value + QStringLiteral("\""),
                     job);
}

// One word after the command: an option of that command or a positional word.
void readCommandWord(BatchCommand& command, Words& words, const QString& word,
                     QStringList& positional) {
    const Job job = command.job;
    const QString option = optionName(word);
    if (!word.startsWith(QLatin1String("--"))) {
        positional << word;
    } else if (option == QLatin1String("--help")) {
        command.help = true;
    } else if (option == QLatin1String("--dir")) {
        command.dir = absolute(words.valueOf(word, job));
    } else if (option == QLatin1String("--all") && job == Job::Download) {
        command.all = true;
    } else if (option == QLatin1String("--out") && (job == Job::Report || job == Job::Query)) {
        command.out = absolute(words.valueOf(word, job));
    } else if (option == QLatin1String("--player") && job == Job::Query) {
        command.player = choice(option, words.valueOf(word, job), {"all", "taglist", "me"},
                                {PlayerFilter::All, PlayerFilter::TagList, PlayerFilter::Me}, job);
    } else if (option == QLatin1String("--game") && job == Job::Query) {
        command.game = choice(option, words.valueOf(word, job), {"all", "ranked", "unranked"},
                              {GameFilter::All, GameFilter::Ranked, GameFilter::Unranked}, job);
    } else if (option == QLatin1String("--format") && job == Job::Query) {
        command.format = choice(option, words.valueOf(word, job), {"xls", "csv", "html", "xml"},
                                {1, 2, 3, 4}, job);
    } else {
        throw UsageError(QStringLiteral("unknown option \"") + option + QStringLiteral("\""), job);
    }
}

void requireCount(const QStringList& positional, qsizetype count, const char* what, Job job) {
    if (positional.size() < count) {
        throw UsageError(QStringLiteral("missing ") + QLatin1String(what), job);
    }
    if (positional.size() > count) {
        throw UsageError(QStringLiteral("unexpected \"") + positional[count] + QStringLiteral("\""),
                         job);
    }
}

void applyPositional(BatchCommand& command, const QStringList& positional) {
    const Job job = command.job;
    switch (job) {
        case Job::Download:
            if (command.all && !positional.isEmpty()) {
                throw UsageError(QStringLiteral("--all and gamertags exclude each other"), job);
            }
            command.gamertags = positional;
            break;
        case Job::Report:
            requireCount(positional, 1, "GAMERTAG", job);
            command.gamertag = positional[0];
            break;
        case Job::Query:
            requireCount(positional, 1, "the query's NAME or NUMBER", job);
            command.query = positional[0];
            if (command.out.isEmpty()) {
                throw UsageError(QStringLiteral("missing --out FILE"), job);
            }
            break;
        case Job::Export:
            requireCount(positional, 2, "the format and its FILE or DIR", job);
            command.exportKind =
                choice(QStringLiteral("export"), positional[0], {"xls", "csv", "xml"},
                       {ExportKind::Xls, ExportKind::Csv, ExportKind::Xml}, job);
            command.out = absolute(positional[1]);
            break;
        case Job::None:
            break;
    }
}

}  // namespace

BatchCommand parseBatchCommand(const QStringList& arguments) {
    BatchCommand command;
    Words words(arguments);
    // Options before the command.
    while (!words.atEnd() && command.job == Job::None) {
        const QString word = words.take();
        const QString option = optionName(word);
        if (option == QLatin1String("--help") || word == QLatin1String("-h")) {
            command.help = true;
        } else if (option == QLatin1String("--version")) {
            command.version = true;
        } else if (option == QLatin1String("--dir")) {
            command.dir = absolute(words.valueOf(word, Job::None));
        } else if (word.startsWith(QLatin1Char('-'))) {
            throw UsageError(QStringLiteral("unknown option \"") + option + QStringLiteral("\""),
                             Job::None);
        } else if ((command.job = commandFor(word)) == Job::None) {
            throw UsageError(QStringLiteral("unknown command \"") + word + QStringLiteral("\""),
                             Job::None);
        }
    }
    if (command.job == Job::None) {
        if (!command.help && !command.version) {
            throw UsageError(QStringLiteral("missing command"), Job::None);
        }
        return command;
    }
    QStringList positional;
    while (!words.atEnd()) {
        readCommandWord(command, words, words.take(), positional);
    }
    if (!command.help) {
        applyPositional(command, positional);
    }
    return command;
}

QString usageText(Job job) {
    switch (job) {
        case Job::Download:
            return QString::fromLatin1(kDownloadUsage);
        case Job::Report:
            return QString::fromLatin1(kReportUsage);
        case Job::Query:
            return QString::fromLatin1(kQueryUsage);
        case Job::Export:
            return QString::fromLatin1(kExportUsage);
        case Job::None:
            break;
    }
    return QString::fromLatin1(kOverview);
}

QString versionText() {
    return QStringLiteral("Tallywick ") + QLatin1String(kVersionText) + QLatin1Char('\n');
}

}  // namespace tw::batch
