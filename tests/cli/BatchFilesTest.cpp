// Reports and exports made by `tallywick report|query|export` are the files
// the window makes from the same data.

#include <QComboBox>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include "cli/BatchJobs.h"
#include "cli/BatchProgram.h"
#include "gui/QueryPanel.h"
#include "gui/ResultGrid.h"
#include "query/DatabaseExport.h"
#include "query/QueryExport.h"
#include "query/QueryRunner.h"
#include "report/TpsReport.h"

namespace tw::testing {
namespace {

constexpr int kCareerQuery = 1;
const char kGraphQuery[] = "Kills and Deaths per Day Graph";

class BatchFilesTest : public BatchProgramTest {
  protected:
    void SetUp() override {
        BatchProgramTest::SetUp();
        startSite({3, 25, 10, 13});
        tags_ = site().featuredGamertags();
        prepareDeliveredProgram(tags_, tags_[0]);
        const BatchRun download = runBatch({QStringLiteral("download"), QStringLiteral("--all")});
        ASSERT_EQ(download.exitCode, 0) << download.err.constData();
        QDir(dir_.path()).mkpath(QStringLiteral("batch"));
        QDir(dir_.path()).mkpath(QStringLiteral("window"));
    }

    // The window, loaded after the batch runs (it holds the database), with
    // its query row connected.
    void loadWindow() {
        load();
        new QueryPanel(*state_, *window_);  // a child of the window
        prompter_->acknowledgeOkMessages(true);
    }

    template <typename T>
    T& control(const QString& name) {
        T* found = window_->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return *found;
    }

    // Runs saved query `index` with the filter options `player` and `game`.
    void windowRun(int index, int player, int game) {
        control<QComboBox>(QStringLiteral("cmbQuery")).setCurrentIndex(index);
        control<QRadioButton>(QStringLiteral("optFilterPlayer_%1").arg(player)).setChecked(true);
        control<QRadioButton>(QStringLiteral("optFilterGame_%1").arg(game)).setChecked(true);
        control<QPushButton>(QStringLiteral("cmdRunQuery")).click();
    }

    void windowQueryExport(int index, int16_t format, const QString& path) {
        state_->settings.queryExportFormat = format;
        windowRun(index, 2, 2);  // the tag list, ranked
        prompter_->answerSave(path);
        control<QPushButton>(QStringLiteral("cmdQryExport")).click();
        EXPECT_TRUE(prompter_->lastCall().text == QLatin1String(kQueryExported))
            << prompter_->lastCall().text.toStdString();
    }

    QStringList tags_;
};

// Columns 0 and 1 of the first sheet of a workbook, as python3-xlrd reads
// it, one "a|b" text per row (whole numbers without a decimal point).
QStringList firstTwoColumns(const QString& path) {
    static const char kScript[] = R"(
import json, sys, xlrd
sheet = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)
def text(cell):
    v = cell.value
    return str(int(v)) if cell.ctype == xlrd.XL_CELL_NUMBER and v == int(v) else str(v)
print(json.dumps([text(sheet.cell(r, 0)) + "|" + text(sheet.cell(r, 1)) for r in range(sheet.nrows)]))
)";
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"), QString::fromLatin1(kScript), path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        return {QStringLiteral("xlrd: ") + QString::fromUtf8(python.readAllStandardError())};
    }
    QStringList rows;
    for (const auto& row : QJsonDocument::fromJson(python.readAllStandardOutput()).array()) {
        rows << row.toString();
    }
    return rows;
}

// The report's creation time is the one thing that differs between two runs.
QByteArray withoutCreationTime(const QByteArray& page) {
    static const QRegularExpression stamp(
        QStringLiteral("[A-Z][a-z]{2} \\d{1,2}, \\d{4} \\d{1,2}:\\d{1,2}:\\d{1,2} [AP]M"));
    return QString::fromUtf8(page).replace(stamp, QStringLiteral("<time>")).toUtf8();
}

TEST_F(BatchFilesTest, ReportIsTheWindowsReport) {
    const QString tag = tags_[1];
    const BatchRun plain = runBatch({QStringLiteral("report"), tag.toLower()});
    EXPECT_EQ(plain.exitCode, 0) << plain.err.constData();
    QString stem = tag;
    const QString written = filePath(QStringLiteral("tps/") + stem.replace(' ', '_') + ".html");
    EXPECT_EQ(plain.outText(), written + QLatin1Char('\n'));
    const BatchRun copied = runBatch({QStringLiteral("report"), tag, QStringLiteral("--out"),
                                      filePath(QStringLiteral("batch/r.html"))});
    EXPECT_EQ(copied.exitCode, 0) << copied.err.constData();
    EXPECT_EQ(copied.outText(), filePath(QStringLiteral("batch/r.html")) + QLatin1Char('\n'));
    const QByteArray batchPage = readFile(filePath(QStringLiteral("batch/r.html")));
    EXPECT_EQ(batchPage, readFile(written));
    EXPECT_TRUE(batchPage.contains(tag.toUtf8()));

    const BatchRun stranger = runBatch({QStringLiteral("report"), QStringLiteral("Nobody Here")});
    EXPECT_EQ(stranger.exitCode, 1);
    EXPECT_EQ(stranger.errText(),
              QStringLiteral("tallywick: \"Nobody Here\" is not a player in the database.\n"));

    loadWindow();
    state_->currentGamertag = tag;
    prompter_->answerMessage(MsgResult::No);
    createTpsReport(*state_, state_->currentGamertag);
    EXPECT_EQ(withoutCreationTime(batchPage), withoutCreationTime(readFile(written)));
}

TEST_F(BatchFilesTest, QueryExportsInEveryFormatAreTheWindows) {
    const char* formats[] = {"xls", "csv", "html", "xml"};
    for (const char* format : formats) {
        const QString out = filePath(QStringLiteral("batch/q.") + QLatin1String(format));
        const BatchRun run = runBatch(
            {QStringLiteral("query"), QString::number(kCareerQuery), QStringLiteral("--player"),
             QStringLiteral("taglist"), QStringLiteral("--game"), QStringLiteral("ranked"),
             QStringLiteral("--format"), QLatin1String(format), QStringLiteral("--out"), out});
        EXPECT_EQ(run.exitCode, 0) << format << run.err.constData();
        const QStringList lines = linesOf(run.outText());
        ASSERT_EQ(lines.size(), 2) << run.out.constData();
        EXPECT_TRUE(lines[0].contains(QRegularExpression(QStringLiteral("^[1-9]\\d* records   "))))
            << lines[0].toStdString();
        EXPECT_EQ(lines[1], out);
    }
    // By name, the settings' format (a workbook).
    const BatchRun byName =
        runBatch({QStringLiteral("query"), QStringLiteral("career totals"), QStringLiteral("--out"),
                  filePath(QStringLiteral("batch/n.xls"))});
    const BatchRun missing =
        runBatch({QStringLiteral("query"), QStringLiteral("No Such Query"), QStringLiteral("--out"),
                  filePath(QStringLiteral("batch/x"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.errText(),
              QStringLiteral("tallywick: \"No Such Query\" is not a saved query.\n"));

    loadWindow();
    for (int16_t format = 1; format <= 4; ++format) {
        const QString name = QStringLiteral("q.") + QLatin1String(formats[format - 1]);
        windowQueryExport(kCareerQuery, format, filePath(QStringLiteral("window/") + name));
        if (format == 1) {
            continue;  // the window's workbook is unfiltered; see the next test
        }
        const QByteArray batchFile = readFile(filePath(QStringLiteral("batch/") + name));
        EXPECT_FALSE(batchFile.isEmpty()) << name.toStdString();
        EXPECT_EQ(batchFile, readFile(filePath(QStringLiteral("window/") + name)))
            << name.toStdString();
    }
    // Without filter options the batch workbook is the window's, which runs
    // the saved statement unfiltered whatever the option buttons say.
    // Any letter case names the query; the settings' format is the workbook.
    ASSERT_EQ(state_->queryNames[kCareerQuery], QStringLiteral("Career Totals"));
    EXPECT_EQ(byName.exitCode, 0) << byName.err.constData();
    EXPECT_EQ(readFile(filePath(QStringLiteral("batch/n.xls"))),
              readFile(filePath(QStringLiteral("window/q.xls"))));
}

TEST_F(BatchFilesTest, FilterOptionsNarrowTheWorkbookToTheRowsCounted) {
    // The cron line of the README, then both filters, then none.
    struct Case {
        QStringList filters;
        int player;  // the window's option buttons for the same rows
        int game;
        QString out;
        int records = -1;
    };
    std::vector<Case> cases = {
        {{QStringLiteral("--player"), QStringLiteral("taglist")},
         2,
         1,
         filePath(QStringLiteral("batch/career.xls"))},
        {{QStringLiteral("--player"), QStringLiteral("taglist"), QStringLiteral("--game"),
          QStringLiteral("ranked")},
         2,
         2,
         filePath(QStringLiteral("batch/ranked.xls"))},
        {{}, 1, 1, filePath(QStringLiteral("batch/all.xls"))},
    };
    for (Case& run : cases) {
        const BatchRun batch = runBatch(
            QStringList{QStringLiteral("query"), QStringLiteral("Career Totals")} + run.filters +
            QStringList{QStringLiteral("--format"), QStringLiteral("xls"), QStringLiteral("--out"),
                        run.out});
        ASSERT_EQ(batch.exitCode, 0) << batch.err.constData();
        run.records = linesOf(batch.outText()).value(0).section(QLatin1Char(' '), 0, 0).toInt();
    }

    loadWindow();
    for (const Case& run : cases) {
        SCOPED_TRACE(run.filters.join(QLatin1Char(' ')).toStdString());
        windowRun(kCareerQuery, run.player, run.game);
        const ResultGrid& shown = control<ResultGrid>(QStringLiteral("flxData"));
        QStringList grid;
        for (int r = 0; r < shown.rows(); ++r) {
            grid << shown.textMatrix(r, 0) + QLatin1Char('|') + shown.textMatrix(r, 1);
        }
        const QStringList sheet = firstTwoColumns(run.out);
        EXPECT_EQ(sheet.size(), run.records + 1) << "the header and the records counted";
        EXPECT_EQ(sheet, grid) << "gamertags and games as the window shows them";
    }
    // The tag list's players only, and fewer games than unfiltered.
    const QStringList tagList = firstTwoColumns(cases[0].out).mid(1);
    const QStringList all = firstTwoColumns(cases[2].out).mid(1);
    ASSERT_FALSE(tagList.isEmpty());
    EXPECT_GT(all.size(), tagList.size()) << "the world has players outside the tag list";
    for (const QString& row : tagList) {
        EXPECT_TRUE(tags_.contains(row.section(QLatin1Char('|'), 0, 0))) << row.toStdString();
    }
    EXPECT_NE(firstTwoColumns(cases[1].out).mid(1), tagList) << "ranked games only";
}

TEST_F(BatchFilesTest, GraphQueryExportsItsRows) {
    const QString out = filePath(QStringLiteral("batch/graph.csv"));
    const BatchRun run =
        runBatch({QStringLiteral("query"), QLatin1String(kGraphQuery), QStringLiteral("--format"),
                  QStringLiteral("csv"), QStringLiteral("--out"), out});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    const int records = linesOf(run.outText()).value(0).section(QLatin1Char(' '), 0, 0).toInt();
    EXPECT_GT(records, 1);
    const QStringList rows = linesOf(QString::fromUtf8(readFile(out)).remove(QLatin1Char('\r')));
    EXPECT_EQ(rows.size(), records + 1);
    EXPECT_EQ(rows.value(0), QStringLiteral("Day_Played,Kills,Deaths"));
}

TEST_F(BatchFilesTest, DatabaseExportsAreTheWindows) {
    for (const char* kind : {"xls", "xml"}) {
        const QString out = filePath(QStringLiteral("batch/all.") + QLatin1String(kind));
        const BatchRun run = runBatch({QStringLiteral("export"), QLatin1String(kind), out});
        EXPECT_EQ(run.exitCode, 0) << kind << run.err.constData();
        EXPECT_EQ(run.outText(), out + QLatin1Char('\n'));
    }
    const QString csvDir = filePath(QStringLiteral("batch/text"));  // made when missing
    const BatchRun csv = runBatch({QStringLiteral("export"), QStringLiteral("csv"), csvDir});
    EXPECT_EQ(csv.exitCode, 0) << csv.err.constData();
    EXPECT_EQ(csv.errText(), QStringLiteral("Done: Export to CSV is complete.\n"));

    loadWindow();
    prompter_->answerSave(filePath(QStringLiteral("window/all.xls")));
    exportExcelClicked(*state_);
    prompter_->answerSave(filePath(QStringLiteral("window/all.xml")));
    exportXmlClicked(*state_);
    QDir(dir_.path()).mkpath(QStringLiteral("window/text"));
    prompter_->answerFolder(filePath(QStringLiteral("window/text")));
    exportCsvClicked(*state_);

    for (const char* name : {"all.xls", "all.xml"}) {
        const QByteArray batchFile =
            readFile(filePath(QStringLiteral("batch/") + QLatin1String(name)));
        EXPECT_GT(batchFile.size(), 1000) << name;
        EXPECT_EQ(batchFile, readFile(filePath(QStringLiteral("window/") + QLatin1String(name))))
            << name;
    }
    const QStringList files = QDir(csvDir).entryList(QDir::Files, QDir::Name);
    EXPECT_TRUE(files.contains(QStringLiteral("schema.ini")));
    EXPECT_TRUE(files.contains(QStringLiteral("Game_Player.txt")));
    EXPECT_EQ(files,
              QDir(filePath(QStringLiteral("window/text"))).entryList(QDir::Files, QDir::Name));
    for (const QString& file : files) {
        EXPECT_EQ(readFile(csvDir + QLatin1Char('/') + file),
                  readFile(filePath(QStringLiteral("window/text/")) + file))
            << file.toStdString();
    }
}

}  // namespace
}  // namespace tw::testing
