#include "core/DebugLog.h"

#include <QDir>
#include <QFile>

#include "core/Paths.h"
#include "core/Prompter.h"
#include "core/Session.h"
#include "db/Format.h"

namespace tw {
namespace {

const QByteArray kCrLf = "\r\n";
const QByteArray kRule(51, '-');

// The page's head, and a note of what was left out when it is longer: a
// record that held a whole multi-megabyte page would fill the disk and could
// not be mailed.
QByteArray pageExcerpt(const QByteArray& page) {
    if (page.size() <= kMaxLoggedPageBytes) {
        return page;
    }
    return page.left(kMaxLoggedPageBytes) + kCrLf +
           "[page cut: " + QByteArray::number(kMaxLoggedPageBytes) + " of " +
           QByteArray::number(page.size()) + " bytes shown]";
}

// Appends `record` whole or not at all: a record cut by a full disk is taken
// back off, so the log never ends in half a record.
bool appendRecord(const QString& path, const QByteArray& record, QString* reason) {
    QFile log(path);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        *reason = log.errorString();
        return false;
    }
    const qint64 before = log.size();
    qint64 done = 0;
    while (done < record.size()) {
        const qint64 written = log.write(record.constData() + done, record.size() - done);
        if (written <= 0) {
            *reason = log.errorString();
            log.resize(before);
            return false;
        }
        done += written;
    }
    return true;
}

}  // namespace

QByteArray debugLogRecord(const LogContext& context, const QString& stage, const AppError& error,
                          const QDateTime& now) {
    QByteArray record;
    record += kRule + kCrLf;
    record += " v" + QByteArray(kVersionTag) + " [App." + stage.toUtf8() + "]   " +
              generalDate(now).toUtf8() + kCrLf;
    record += kRule + kCrLf;
    record += "#" + QByteArray::number(error.number()) + " - " + error.source().toUtf8() + " - " +
              error.description().toUtf8() + kCrLf;
    record += "Tag: " + context.gamertag.toUtf8() + kCrLf;
    record += "Stg: " + QByteArray::number(context.stage) + kCrLf;
    record += "SQL: " + context.statement.toUtf8() + kCrLf;
    record += "Dat: " + pageExcerpt(context.page) + kCrLf + kCrLf + kCrLf;
    return record;
}

LogContext LogContext::of(const Session& state, const QString& statement) {
    LogContext context;
    context.gamertag = state.currentGamertag;
    context.statement = statement;
    return context;
}

QString debugLogMessage(const AppError& error) {
    return QStringLiteral("Error #: ") + QString::number(error.number()) + QStringLiteral("\r\n") +
           QStringLiteral("Description: ") + error.description() + QStringLiteral("\r\n\r\n") +
           QStringLiteral("Please email your \"debug.log\" file to ") +
           QString::fromLatin1(kSupportAddress);
}

QString debugLogUnwrittenMessage(const AppError& error, const QString& logPath,
                                 const QString& reason) {
    return QStringLiteral("Error #: ") + QString::number(error.number()) + QStringLiteral("\r\n") +
           QStringLiteral("Description: ") + error.description() + QStringLiteral("\r\n\r\n") +
           QStringLiteral("The error could not be written to \"debug.log\" (") +
           QDir::toNativeSeparators(logPath) + QStringLiteral("): ") + reason;
}

bool appendDebugLogRecord(const Session& state, const QString& stage, const AppError& error,
                          const LogContext& context, QString* reason) {
    const QDateTime now = state.clock ? state.clock() : QDateTime::currentDateTime();
    QString why;
    const bool written =
        appendRecord(debugLogPath(state), debugLogRecord(context, stage, error, now), &why);
    if (!written && reason) {
        *reason = why.isEmpty() ? QStringLiteral("Unknown error") : why;
    }
    return written;
}

namespace {

// Records the error, then tells the user: where to send the log when it was
// written, why it could not be otherwise (asking for an empty log helps no one).
void recordAndTell(Session& state, const QString& stage, const AppError& error,
                   const LogContext& context, MsgIcon icon, const QString& title) {
    QString reason;
    const bool logged = appendDebugLogRecord(state, stage, error, context, &reason);
    if (state.prompter) {
        state.prompter->message(logged
                                    ? debugLogMessage(error)
                                    : debugLogUnwrittenMessage(error, debugLogPath(state), reason),
                                MsgButtons::Ok, icon, title);
    }
}

}  // namespace

void reportOperationFailure(Session& state, const QString& stage, const AppError& error,
                            const QString& statement) {
    recordAndTell(state, stage, error, LogContext::of(state, statement), MsgIcon::Critical,
                  QStringLiteral("Error"));
}

void writeDebugLog(Session& state, const QString& stage, const AppError& error,
                   const QString& statement) {
    writeDebugLog(state, stage, error, LogContext::of(state, statement));
}

void writeDebugLog(Session& state, const QString& stage, const AppError& error,
                   const LogContext& context) {
    recordAndTell(state, stage, error, context, MsgIcon::Exclamation,
                  QString::fromLatin1(kProgramTitle));
}

}  // namespace tw
