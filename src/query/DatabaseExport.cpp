#include "query/DatabaseExport.h"

#include "core/DebugLog.h"
#include "core/Prompter.h"
#include "core/Session.h"
#include "db/Database.h"
#include "query/ExportFiles.h"
#include "query/ExportText.h"
#include "query/ResultWriters.h"

namespace tw {
namespace {

void done(Session& state, const char* text) {
    state.prompter->message(QString::fromLatin1(text), MsgButtons::Ok, MsgIcon::Information,
                            QStringLiteral("Done"));
}

void reportUnlessCancelled(Session& state, const char* stage, const AppError& error) {
    if (error.number() != err::kSaveCancelled) {
        writeDebugLog(state, QString::fromLatin1(stage), error);
    }
}

QString proposedName(const Session& state, const char* extension) {
    return QStringLiteral("MyStats_") + exportTimeStamp(state) + QString::fromLatin1(extension);
}

void writeTableXml(Database& db, const QString& table, QIODevice& out) {
    const QString element = xmlElementName(table);
    writeBytes(out, "\t<" + element.toUtf8() + ">\r\n");
    auto rows = db.openRecordset(QLatin1Char('[') + table + QLatin1Char(']'));
    QStringList names;
    for (int f = 0; f < rows->fieldCount(); ++f) {
        names << xmlElementName(rows->fieldName(f));
    }
    for (; !rows->isEof(); rows->moveNext()) {
        QString line = QStringLiteral("\t\t<Record>");
        for (int f = 0; f < names.size(); ++f) {
            line += QLatin1Char('<') + names[f] + QLatin1Char('>') +
                    escapeMarkup(rows->field(f).joinText()) + QStringLiteral("</") + names[f] +
                    QLatin1Char('>');
        }
        writeBytes(out, (line + QStringLiteral("</Record>\r\n")).toUtf8());
    }
    rows->close();
    writeBytes(out, "\t</" + element.toUtf8() + ">\r\n");
}

}  // namespace

QStringList exportedTables(const Database& db) {
    QStringList tables;
    for (const QString& name : db.tableNames()) {
        if (!name.contains(QLatin1String("zLoad"), Qt::CaseInsensitive) &&
            !name.contains(QLatin1String("msys"), Qt::CaseInsensitive)) {
            tables << name;
        }
    }
    return tables;
}

void writeDatabaseXml(Database& db, const QStringList& tables, QIODevice& out) {
    writeBytes(out, "<Database>\r\n");
    for (const QString& table : tables) {
        writeTableXml(db, table, out);
    }
    writeBytes(out, "</Database>\r\n");
}

void exportExcelClicked(Session& state) {
    try {
        const QString path =
            askSavePath(state, QString::fromLatin1(kExcelFilter), proposedName(state, ".xls"));
        ensureOutsideWriter(*state.db);
        writeFreshWorkbook(path, [&state](const QString& fresh) {
            for (const QString& table : exportedTables(*state.db)) {
                state.db->execute(QStringLiteral("SELECT * INTO [Excel 8.0;DATABASE=") + fresh +
                                  QStringLiteral("].[") + table + QStringLiteral("] FROM [") +
                                  table + QLatin1Char(']'));
            }
        });
        done(state, kExcelExportDone);
    } catch (const AppError& error) {
        reportUnlessCancelled(state, kExportExcelStage, error);
    }
}

void exportCsvClicked(Session& state) {
    // The folder is taken up to a NUL, as the platform's chooser hands it.
    const QString folder = state.prompter->chooseFolder(QString::fromLatin1(kChooseTextFolder))
                               .section(QChar(0), 0, 0);
    if (folder.isEmpty()) {
        return;
    }
    QString statement;  // the one that failed goes to the log
    try {
        ensureOutsideWriter(*state.db);
        for (const QString& table : exportedTables(*state.db)) {
            statement = QStringLiteral("SELECT * INTO [Text;DATABASE=") + folder +
                        QStringLiteral("].[") + table + QStringLiteral(".txt] FROM [") + table +
                        QLatin1Char(']');
            state.db->execute(statement);
        }
        done(state, kCsvExportDone);
    } catch (const AppError& error) {
        writeDebugLog(state, QString::fromLatin1(kExportCsvStage), error, statement);
    }
}

void exportXmlClicked(Session& state) {
    try {
        const QString path =
            askSavePath(state, QString::fromLatin1(kXmlFilter), proposedName(state, ".xml"));
        const std::unique_ptr<SafeFile> file = createOutputFile(path);
        writeDatabaseXml(*state.db, exportedTables(*state.db), *file);
        finishOutputFile(*file);
        done(state, kXmlExportDone);
    } catch (const AppError& error) {
        reportUnlessCancelled(state, kExportXmlStage, error);
    }
}

}  // namespace tw
