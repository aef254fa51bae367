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
#include "gui/FlexGrid.h"
#include "gui/QueryPanel.h"
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
        StartSite({3, 25, 10, 13});
        tags_ = site().featuredGamertags();
        PrepareDeliveredProgram(tags_, tags_[0]);
        const BatchRun download = RunBatch({QStringLiteral("download"), QStringLiteral("--all")});
        ASSERT_EQ(download.exitCode, 0) << download.err.constData();
        QDir(dir_.path()).mkpath(QStringLiteral("batch"));
        QDir(dir_.path()).mkpath(QStringLiteral("window"));
    }

    // The window, loaded after the batch runs (it holds the database), with
    // its query row connected.
    void LoadWindow() {
        Load();
        new QueryPanel(*state_, *window_);  // a child of the window
        prompter_->AcknowledgeOkMessages(true);
    }

    template <typename T>
    T& Control(const QString& name) {
        T* found = window_->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return *found;
    }

    // Runs saved query `index` with the filter options `player` and `game`.
    void WindowRun(int index, int player, int game) {
        Control<QComboBox>(QStringLiteral("cmbQuery")).setCurrentIndex(index);
        Control<QRadioButton>(QStringLiteral("optFilterPlayer_%1").arg(player)).setChecked(true);
        Control<QRadioButton>(QStringLiteral("optFilterGame_%1").arg(game)).setChecked(true);
        Control<QPushButton>(QStringLiteral("cmdRunQuery")).click();
    }

    void WindowQueryExport(int index, int format, const QString& path) {
        state_->settings.Query_Export_Format = format;
        WindowRun(index, 2, 2);  // the tag list, ranked
        prompter_->AnswerSave(path);
        Control<QPushButton>(QStringLiteral("cmdQryExport")).click();
        EXPECT_TRUE(prompter_->LastCall().text == QLatin1String(kQueryExported))
            << prompter_->LastCall().text.toStdString();
    }

    QStringList tags_;
};

// Columns 0 and 1 of the first sheet of a workbook, as python3-xlrd reads
// it, one "a|b" text per row (whole numbers without a decimal point).
QStringList FirstTwoColumns(const QString& path) {
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
    for (const QJsonValue& row : QJsonDocument::fromJson(python.readAllStandardOutput()).array()) {
        rows << row.toString();
    }
    return rows;
}

// The report's creation time is the one thing that differs between two runs.
QByteArray WithoutCreationTime(QByteArray page) {
    static const QRegularExpression stamp(
        QStringLiteral("[A-Z][a-z]{2} \\d{1,2}, \\d{4} \\d{1,2}:\\d{1,2}:\\d{1,2} [AP]M"));
    return QString::fromUtf8(page).replace(stamp, QStringLiteral("<time>")).toUtf8();
}

TEST_F(BatchFilesTest, ReportIsTheWindowsReport) {
    const QString tag = tags_[1];
    const BatchRun plain = RunBatch({QStringLiteral("report"), tag.toLower()});
    EXPECT_EQ(plain.exitCode, 0) << plain.err.constData();
    QString stem = tag;
    const QString written = Path(QStringLiteral("tps/") + stem.replace(' ', '_') + ".html");
    EXPECT_EQ(plain.Out(), written + QLatin1Char('\n'));
    const BatchRun copied = RunBatch({QStringLiteral("report"), tag, QStringLiteral("--out"),
                                      Path(QStringLiteral("batch/r.html"))});
    EXPECT_EQ(copied.exitCode, 0) << copied.err.constData();
    EXPECT_EQ(copied.Out(), Path(QStringLiteral("batch/r.html")) + QLatin1Char('\n'));
    const QByteArray batchPage = ReadFile(Path(QStringLiteral("batch/r.html")));
    EXPECT_EQ(batchPage, ReadFile(written));
    EXPECT_TRUE(batchPage.contains(tag.toUtf8()));

    const BatchRun stranger = RunBatch({QStringLiteral("report"), QStringLiteral("Nobody Here")});
    EXPECT_EQ(stranger.exitCode, 1);
    EXPECT_EQ(stranger.Err(),
              QStringLiteral("tallywick: \"Nobody Here\" is not a player in the database.\n"));

    LoadWindow();
    state_->CurrentGamertag = tag;
    prompter_->AnswerMessage(MsgResult::No);
    CreateTpsReport(*state_, state_->CurrentGamertag);
    EXPECT_EQ(WithoutCreationTime(batchPage), WithoutCreationTime(ReadFile(written)));
}

TEST_F(BatchFilesTest, QueryExportsInEveryFormatAreTheWindows) {
    const char* formats[] = {"xls", "csv", "html", "xml"};
    for (const char* format : formats) {
        const QString out = Path(QStringLiteral("batch/q.") + QLatin1String(format));
        const BatchRun run = RunBatch(
            {QStringLiteral("query"), QString::number(kCareerQuery), QStringLiteral("--player"),
             QStringLiteral("taglist"), QStringLiteral("--game"), QStringLiteral("ranked"),
             QStringLiteral("--format"), QLatin1String(format), QStringLiteral("--out"), out});
        EXPECT_EQ(run.exitCode, 0) << format << run.err.constData();
        const QStringList lines = LinesOf(run.Out());
        ASSERT_EQ(lines.size(), 2) << run.out.constData();
        EXPECT_TRUE(lines[0].contains(QRegularExpression(QStringLiteral("^[1-9]\\d* records   "))))
            << lines[0].toStdString();
        EXPECT_EQ(lines[1], out);
    }
    // By name, the settings' format (a workbook).
    const BatchRun byName =
        RunBatch({QStringLiteral("query"), QStringLiteral("career totals"), QStringLiteral("--out"),
                  Path(QStringLiteral("batch/n.xls"))});
    const BatchRun missing = RunBatch({QStringLiteral("query"), QStringLiteral("No Such Query"),
                                       QStringLiteral("--out"), Path(QStringLiteral("batch/x"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.Err(),
              QStringLiteral("tallywick: \"No Such Query\" is not a saved query.\n"));

    LoadWindow();
    for (int format = 1; format <= 4; ++format) {
        const QString name = QStringLiteral("q.") + QLatin1String(formats[format - 1]);
        WindowQueryExport(kCareerQuery, format, Path(QStringLiteral("window/") + name));
        if (format == 1) {
            continue;  // the window's workbook is unfiltered; see the next test
        }
        const QByteArray batchFile = ReadFile(Path(QStringLiteral("batch/") + name));
        EXPECT_FALSE(batchFile.isEmpty()) << name.toStdString();
        EXPECT_EQ(batchFile, ReadFile(Path(QStringLiteral("window/") + name)))
            << name.toStdString();
    }
    // Without filter options the batch workbook is the window's, which runs
    // the saved statement unfiltered whatever the option buttons say.
    // Any letter case names the query; the settings' format is the workbook.
    ASSERT_EQ(state_->QueryNames[kCareerQuery], QStringLiteral("Career Totals"));
    EXPECT_EQ(byName.exitCode, 0) << byName.err.constData();
    EXPECT_EQ(ReadFile(Path(QStringLiteral("batch/n.xls"))),
              ReadFile(Path(QStringLiteral("window/q.xls"))));
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
         Path(QStringLiteral("batch/career.xls"))},
        {{QStringLiteral("--player"), QStringLiteral("taglist"), QStringLiteral("--game"),
          QStringLiteral("ranked")},
         2,
         2,
         Path(QStringLiteral("batch/ranked.xls"))},
        {{}, 1, 1, Path(QStringLiteral("batch/all.xls"))},
    };
    for (Case& run : cases) {
        const BatchRun batch = RunBatch(
            QStringList{QStringLiteral("query"), QStringLiteral("Career Totals")} + run.filters +
            QStringList{QStringLiteral("--format"), QStringLiteral("xls"), QStringLiteral("--out"),
                        run.out});
        ASSERT_EQ(batch.exitCode, 0) << batch.err.constData();
        run.records = LinesOf(batch.Out()).value(0).section(QLatin1Char(' '), 0, 0).toInt();
    }

    LoadWindow();
    for (const Case& run : cases) {
        SCOPED_TRACE(run.filters.join(QLatin1Char(' ')).toStdString());
        WindowRun(kCareerQuery, run.player, run.game);
        const FlexGrid& shown = Control<FlexGrid>(QStringLiteral("flxData"));
        QStringList grid;
        for (int r = 0; r < shown.rows(); ++r) {
            grid << shown.textMatrix(r, 0) + QLatin1Char('|') + shown.textMatrix(r, 1);
        }
        const QStringList sheet = FirstTwoColumns(run.out);
        EXPECT_EQ(sheet.size(), run.records + 1) << "the header and the records counted";
        EXPECT_EQ(sheet, grid) << "gamertags and games as the window shows them";
    }
    // The tag list's players only, and fewer games than unfiltered.
    const QStringList tagList = FirstTwoColumns(cases[0].out).mid(1);
    const QStringList all = FirstTwoColumns(cases[2].out).mid(1);
    ASSERT_FALSE(tagList.isEmpty());
    EXPECT_GT(all.size(), tagList.size()) << "the world has players outside the tag list";
    for (const QString& row : tagList) {
        EXPECT_TRUE(tags_.contains(row.section(QLatin1Char('|'), 0, 0))) << row.toStdString();
    }
    EXPECT_NE(FirstTwoColumns(cases[1].out).mid(1), tagList) << "ranked games only";
}

TEST_F(BatchFilesTest, GraphQueryExportsItsRows) {
    const QString out = Path(QStringLiteral("batch/graph.csv"));
    const BatchRun run =
        RunBatch({QStringLiteral("query"), QLatin1String(kGraphQuery), QStringLiteral("--format"),
                  QStringLiteral("csv"), QStringLiteral("--out"), out});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    const int records = LinesOf(run.Out()).value(0).section(QLatin1Char(' '), 0, 0).toInt();
    EXPECT_GT(records, 1);
    const QStringList rows = LinesOf(QString::fromUtf8(ReadFile(out)).remove(QLatin1Char('\r')));
    EXPECT_EQ(rows.size(), records + 1);
    EXPECT_EQ(rows.value(0), QStringLiteral("Day_Played,Kills,Deaths"));
}

TEST_F(BatchFilesTest, DatabaseExportsAreTheWindows) {
    for (const char* kind : {"xls", "xml"}) {
        const QString out = Path(QStringLiteral("batch/all.") + QLatin1String(kind));
        const BatchRun run = RunBatch({QStringLiteral("export"), QLatin1String(kind), out});
        EXPECT_EQ(run.exitCode, 0) << kind << run.err.constData();
        EXPECT_EQ(run.Out(), out + QLatin1Char('\n'));
    }
    const QString csvDir = Path(QStringLiteral("batch/text"));  // made when missing
    const BatchRun csv = RunBatch({QStringLiteral("export"), QStringLiteral("csv"), csvDir});
    EXPECT_EQ(csv.exitCode, 0) << csv.err.constData();
    EXPECT_EQ(csv.Err(), QStringLiteral("Done: Export to CSV is complete.\n"));

    LoadWindow();
    prompter_->AnswerSave(Path(QStringLiteral("window/all.xls")));
    exportExcelClicked(*state_);
    prompter_->AnswerSave(Path(QStringLiteral("window/all.xml")));
    exportXmlClicked(*state_);
    QDir(dir_.path()).mkpath(QStringLiteral("window/text"));
    prompter_->AnswerFolder(Path(QStringLiteral("window/text")));
    exportCsvClicked(*state_);

    for (const char* name : {"all.xls", "all.xml"}) {
        const QByteArray batchFile = ReadFile(Path(QStringLiteral("batch/") + QLatin1String(name)));
        EXPECT_GT(batchFile.size(), 1000) << name;
        EXPECT_EQ(batchFile, ReadFile(Path(QStringLiteral("window/") + QLatin1String(name))))
            << name;
    }
    const QStringList files = QDir(csvDir).entryList(QDir::Files, QDir::Name);
    EXPECT_TRUE(files.contains(QStringLiteral("schema.ini")));
    EXPECT_TRUE(files.contains(QStringLiteral("Game_Player.txt")));
    EXPECT_EQ(files, QDir(Path(QStringLiteral("window/text"))).entryList(QDir::Files, QDir::Name));
    for (const QString& file : files) {
        EXPECT_EQ(ReadFile(csvDir + QLatin1Char('/') + file),
                  ReadFile(Path(QStringLiteral("window/text/")) + file))
            << file.toStdString();
    }
}

}  // namespace
}  // namespace tw::testing
