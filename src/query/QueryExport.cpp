#include "query/QueryExport.h"

#include "core/DebugLog.h"
#include "core/Prompter.h"
#include "core/Session.h"
#include "core/SqlText.h"
#include "db/Database.h"
#include "query/ExportFiles.h"
#include "query/ResultWriters.h"

namespace tw {
namespace {

struct ExportFormat {
    const char* filter;
    const char* extension;
};

constexpr ExportFormat kFormats[] = {
    {kExcelFilter, ".xls"}, {kCsvFilter, ".csv"}, {kHtmlFilter, ".html"}, {kXmlFilter, ".xml"}};

QString workbookStatement(const QueryExportRequest& request) {
    QString sql = workbookExportSql(request.savedSql, request.gamertag);
    if (request.workbookFilters) {
        sql = applyQueryFilters(sql, request.workbookFilters->player, request.workbookFilters->game,
                                request.gamertag);
    }
    return sql;
}

void exportWorkbook(Database& db, const QString& sql, const QString& path) {
    ensureOutsideWriter(db);
    writeFreshWorkbook(path, [&](const QString& fresh) {
        db.execute(QStringLiteral("SELECT * INTO [Excel 8.0;DATABASE=") + fresh +
                   QStringLiteral("].[Query] FROM (") + sql + QStringLiteral(")"));
    });
}

void exportTexts(const QList<QStringList>& rows, int format, const QString& path) {
    const std::unique_ptr<SafeFile> file = createOutputFile(path);
    if (format == 2) {
        writeCsv(rows, *file);
    } else if (format == 3) {
        writeHtmlTable(rows, *file);
    } else {
        writeQueryXml(rows, *file);
    }
    finishOutputFile(*file);
}

}  // namespace

QString workbookExportSql(const QString& savedSql, const QString& gamertag) {
    // Only the statement's end loses its semicolons, so a ";" inside a text
    // literal stays what the user wrote.
    QString sql = savedSql;
    while (!sql.isEmpty() && (sql.endsWith(QLatin1Char(';')) || sql.back().isSpace())) {
        sql.chop(1);
    }
    if (sql.contains(QLatin1String("[Me]"))) {
        sql.replace(QStringLiteral("[Me]"),
                    QLatin1Char('\'') + sqlText(gamertag) + QLatin1Char('\''));
    }
    return sql;
}

void exportQuery(Session& state, const QueryExportRequest& request) {
    if (request.index < 1) {
        state.prompter->message(QString::fromLatin1(kSelectQueryToExport), MsgButtons::Ok,
                                MsgIcon::Information, QStringLiteral("Error"));
        return;
    }
    const int format = state.settings.queryExportFormat;
    if (format < 1 || format > 4) {
        return;
    }
    const ExportFormat& chosen = kFormats[format - 1];
    QString statement = request.rowsStatement;
    try {
        const QString path = askSavePath(state, QString::fromLatin1(chosen.filter),
                                         QStringLiteral("MyQry_") + QString::number(request.index) +
                                             QLatin1Char('-') + exportTimeStamp(state) +
                                             QString::fromLatin1(chosen.extension));
        if (format == 1) {
            statement = workbookStatement(request);
            exportWorkbook(*state.db, statement, path);
        } else {
            exportTexts(request.rows, format, path);
        }
        state.prompter->message(QString::fromLatin1(kQueryExported), MsgButtons::Ok,
                                MsgIcon::Information, QStringLiteral("Done"));
    } catch (const AppError& error) {
        if (error.number() != err::kSaveCancelled) {
            writeDebugLog(state, QString::fromLatin1(kQryExportStage), error, statement);
        }
    }
}

}  // namespace tw
