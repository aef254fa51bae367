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

void Done(Session& state, const char* text) {
    state.prompter->Message(QString::fromLatin1(text), MsgButtons::Ok, MsgIcon::Information,
                            QStringLiteral("Done"));
}

void ReportUnlessCancelled(Session& state, const char* stage, const AppError& error) {
    if (error.number() != err::kSaveCancelled) {
        WriteDebugLog(state, QString::fromLatin1(stage), error);
    }
}

QString ProposedName(const Session& state, const char* extension) {
    return QStringLiteral("MyStats_") + ExportTimeStamp(state) + QString::fromLatin1(extension);
}

void WriteTableXml(Database& db, const QString& table, QIODevice& out) {
    const QString element = XmlElementName(table);
    writeBytes(out, "\t<" + element.toUtf8() + ">\r\n");
    auto rows = db.OpenRecordset(QLatin1Char('[') + table + QLatin1Char(']'));
    QStringList names;
    for (int f = 0; f < rows->FieldCount(); ++f) {
        names << XmlElementName(rows->FieldName(f));
    }
    for (; !rows->IsEOF(); rows->MoveNext()) {
        QString line = QStringLiteral("\t\t<Record>");
        for (int f = 0; f < names.size(); ++f) {
            line += QLatin1Char('<') + names[f] + QLatin1Char('>') +
                    EscapeMarkup(rows->Field(f).joinText()) + QStringLiteral("</") + names[f] +
                    QLatin1Char('>');
        }
        writeBytes(out, (line + QStringLiteral("</Record>\r\n")).toUtf8());
    }
    rows->Close();
    writeBytes(out, "\t</" + element.toUtf8() + ">\r\n");
}

}  // namespace

QStringList ExportedTables(const Database& db) {
    QStringList tables;
    for (const QString& name : db.TableNames()) {
        if (!name.contains(QLatin1String("zLoad"), Qt::CaseInsensitive) &&
            !name.contains(QLatin1String("msys"), Qt::CaseInsensitive)) {
            tables << name;
        }
    }
    return tables;
}

void WriteDatabaseXml(Database& db, const QStringList& tables, QIODevice& out) {
    writeBytes(out, "<Database>\r\n");
    for (const QString& table : tables) {
        WriteTableXml(db, table, out);
    }
    writeBytes(out, "</Database>\r\n");
}

void exportExcelClicked(Session& state) {
    try {
        const QString path =
            AskSavePath(state, QString::fromLatin1(kExcelFilter), ProposedName(state, ".xls"));
        EnsureOutsideWriter(*state.Db);
        WriteFreshWorkbook(path, [&state](const QString& fresh) {
            for (const QString& table : ExportedTables(*state.Db)) {
                state.Db->Execute(QStringLiteral("SELECT * INTO [Excel 8.0;DATABASE=") + fresh +
                                  QStringLiteral("].[") + table + QStringLiteral("] FROM [") +
                                  table + QLatin1Char(']'));
            }
        });
        Done(state, kExcelExportDone);
    } catch (const AppError& error) {
        ReportUnlessCancelled(state, kExportExcelStage, error);
    }
}

void exportCsvClicked(Session& state) {
    // The folder is taken up to a NUL, as the platform's chooser hands it.
    const QString folder = state.prompter->ChooseFolder(QString::fromLatin1(kChooseTextFolder))
                               .section(QChar(0), 0, 0);
    if (folder.isEmpty()) {
        return;
    }
    try {
        EnsureOutsideWriter(*state.Db);
        for (const QString& table : ExportedTables(*state.Db)) {
            state.Db->Execute(QStringLiteral("SELECT * INTO [Text;DATABASE=") + folder +
                              QStringLiteral("].[") + table + QStringLiteral(".txt] FROM [") +
                              table + QLatin1Char(']'));
        }
        Done(state, kCsvExportDone);
    } catch (const AppError& error) {
        WriteDebugLog(state, QString::fromLatin1(kExportCsvStage), error);
    }
}

void exportXmlClicked(Session& state) {
    try {
        const QString path =
            AskSavePath(state, QString::fromLatin1(kXmlFilter), ProposedName(state, ".xml"));
        const std::unique_ptr<SafeFile> file = CreateOutputFile(path);
        WriteDatabaseXml(*state.Db, ExportedTables(*state.Db), *file);
        FinishOutputFile(*file);
        Done(state, kXmlExportDone);
    } catch (const AppError& error) {
        ReportUnlessCancelled(state, kExportXmlStage, error);
    }
}

}  // namespace tw
