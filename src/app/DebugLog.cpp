#include "app/DebugLog.h"

#include <QFile>

#include "app/Dialogs.h"
#include "app/Paths.h"
#include "app/ProgramState.h"
#include "db/Format.h"

namespace tw {
namespace {

const QByteArray kCrLf = "\r\n";
const QByteArray kRule(51, '-');

}  // namespace

QByteArray DebugLogRecord(const ProgramState& state, const QString& stage, const AppError& error,
                          const QDateTime& now) {
    QByteArray record;
    record += kRule + kCrLf;
    record += " v" + QByteArray(kVersionTag) + " [App." + stage.toUtf8() + "]   " +
              GeneralDate(now).toUtf8() + kCrLf;
    record += kRule + kCrLf;
    record += "#" + QByteArray::number(error.number()) + " - " + error.source().toUtf8() + " - " +
              error.description().toUtf8() + kCrLf;
    record += "Tag: " + state.CurrentGamertag.toUtf8() + kCrLf;
    record += "Stg: " + QByteArray::number(state.CurrentStage) + kCrLf;
    record += "SQL: " + state.CurrentSQL.toUtf8() + kCrLf;
    record += "Dat: " + state.PageData + kCrLf + kCrLf + kCrLf;
    return record;
}

QString DebugLogMessage(const AppError& error) {
    return QStringLiteral("Error #: ") + QString::number(error.number()) + QStringLiteral("\r\n") +
           QStringLiteral("Description: ") + error.description() + QStringLiteral("\r\n\r\n") +
           QStringLiteral("Please email your \"debug.log\" file to ") +
           QString::fromLatin1(kSupportAddress);
}

bool AppendDebugLogRecord(ProgramState& state, const QString& stage, const AppError& error) {
    const QDateTime now = state.clock ? state.clock() : QDateTime::currentDateTime();
    QFile log(DebugLogPath(state));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return false;
    }
    const QByteArray record = DebugLogRecord(state, stage, error, now);
    const bool written = log.write(record) == record.size();
    log.close();
    return written;
}

void ReportOperationFailure(ProgramState& state, const QString& stage, const AppError& error) {
    AppendDebugLogRecord(state, stage, error);
    if (state.dialogs) {
        state.dialogs->Message(DebugLogMessage(error), MsgButtons::Ok, MsgIcon::Critical,
                               QStringLiteral("Error"));
    }
}

void WriteDebugLog(ProgramState& state, const QString& stage, const AppError& error) {
    AppendDebugLogRecord(state, stage, error);
    if (state.dialogs) {
        state.dialogs->Message(DebugLogMessage(error), MsgButtons::Ok, MsgIcon::Exclamation,
                               QString::fromLatin1(kProgramTitle));
    }
}

}  // namespace tw
