#include "query/QueryExport.h"

#include <QComboBox>

#include "core/DebugLog.h"
#include "core/Prompter.h"
#include "core/Session.h"
#include "core/SqlText.h"
#include "db/Database.h"
#include "query/ExportFiles.h"
#include "query/GridExportWriters.h"
#include "query/QueryFilters.h"
#include "gui/MainWindow.h"

namespace tw {
namespace {

struct ExportFormat {
    const char* filter;
    const char* extension;
};

constexpr ExportFormat kFormats[] = {
    {kExcelFilter, ".xls"}, {kCsvFilter, ".csv"}, {kHtmlFilter, ".html"}, {kXmlFilter, ".xml"}};

void ExportWorkbook(Session& state, const MainWindow& window, int index, WorkbookRows rows,
                    const QString& path) {
    QString sql =
        WorkbookExportSql(state.QuerySQL[static_cast<size_t>(index)], state.CurrentGamertag);
    if (rows == WorkbookRows::Filtered) {
        sql = ApplyQueryFilters(sql, SelectedPlayerFilter(window), SelectedGameFilter(window),
                                state.CurrentGamertag);
    }
    state.CurrentSQL = sql;
    EnsureOutsideWriter(*state.Db);
    WriteFreshWorkbook(path, [&](const QString& fresh) {
        state.Db->Execute(QStringLiteral("SELECT * INTO [Excel 8.0;DATABASE=") + fresh +
                          QStringLiteral("].[Query] FROM (") + sql + QStringLiteral(")"));
    });
}

void ExportGrid(const MainWindow& window, int format, const QString& path) {
    const QList<QStringList> rows = GridTexts(*window.resultGrid);
    const std::unique_ptr<SafeFile> file = CreateOutputFile(path);
    if (format == 2) {
        WriteCsv(rows, *file);
    } else if (format == 3) {
        WriteHtmlTable(rows, *file);
    } else {
        WriteQueryXml(rows, *file);
    }
    FinishOutputFile(*file);
}

}  // namespace

QString WorkbookExportSql(const QString& savedSql, const QString& gamertag) {
    // Only the statement's end loses its semicolons, so a ";" inside a text
    // literal stays what the user wrote.
    QString sql = savedSql;
    while (!sql.isEmpty() && (sql.endsWith(QLatin1Char(';')) || sql.back().isSpace())) {
        sql.chop(1);
    }
    if (sql.contains(QLatin1String("[Me]"))) {
        sql.replace(QStringLiteral("[Me]"),
                    QLatin1Char('\'') + SqlText(gamertag) + QLatin1Char('\''));
    }
    return sql;
}

void exportClicked(Session& state, MainWindow& window, WorkbookRows workbookRows) {
    const int index = window.queryList->currentIndex();
    if (index < 1) {
        state.prompter->Message(QString::fromLatin1(kSelectQueryToExport), MsgButtons::Ok,
                               MsgIcon::Information, QStringLiteral("Error"));
        return;
    }
    const int format = state.settings.Query_Export_Format;
    if (format < 1 || format > 4) {
        return;
    }
    const ExportFormat& chosen = kFormats[format - 1];
    try {
        const QString path =
            AskSavePath(state, QString::fromLatin1(chosen.filter),
                        QStringLiteral("MyQry_") + QString::number(index) + QLatin1Char('-') +
                            ExportTimeStamp(state) + QString::fromLatin1(chosen.extension));
        if (format == 1) {
            ExportWorkbook(state, window, index, workbookRows, path);
        } else {
            ExportGrid(window, format, path);
        }
        state.prompter->Message(QString::fromLatin1(kQueryExported), MsgButtons::Ok,
                               MsgIcon::Information, QStringLiteral("Done"));
    } catch (const AppError& error) {
        if (error.number() != err::kSaveCancelled) {
            WriteDebugLog(state, QString::fromLatin1(kQryExportStage), error);
        }
    }
}

}  // namespace tw
