#pragma once
// writeDebugLog: the one error reporter. Appends a record of the error and of
// the program's state to debug.log in the program folder and tells the user.

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "db/AppError.h"

namespace tw {

struct Session;

inline constexpr const char* kSupportAddress = "support@tallywick.org";
inline constexpr const char* kProgramTitle = "Tallywick";

// The most of the page (the "Dat:" part) a record holds; a longer page is cut
// there, with a line after it giving its full length.
inline constexpr qsizetype kMaxLoggedPageBytes = 65536;

// What a record tells besides the error and its moment: the player, the row
// of the download's display, the statement and the page that failed.
struct LogContext {
    QString gamertag;
    int stage = 0;
    QString statement;
    QByteArray page;

    // Outside a download: the current player and `statement`.
    static LogContext of(const Session& state, const QString& statement = QString());
};

// The record's bytes, lines ended with CR LF, for the given moment.
QByteArray debugLogRecord(const LogContext& context, const QString& stage, const AppError& error,
                          const QDateTime& now);

// The text of the message shown after the record is written.
QString debugLogMessage(const AppError& error);

// The text shown instead when the record could not be written: the error, then
// the log's path and why (there is no log to mail).
QString debugLogUnwrittenMessage(const AppError& error, const QString& logPath,
                                 const QString& reason);

// Appends the record and shows the message (exclamation icon, OK, the
// program's title), with `statement` as the record's SQL line: the statement
// that failed. The message is shown even when the log cannot be written, so
// the user always learns of the error.
void writeDebugLog(Session& state, const QString& stage, const AppError& error,
                   const QString& statement = QString());
// The same for a record that tells more than the statement.
void writeDebugLog(Session& state, const QString& stage, const AppError& error,
                   const LogContext& context);

// Appends the record alone, whole or not at all; false (and the reason in
// `*reason` when given) when the log cannot be written.
bool appendDebugLogRecord(const Session& state, const QString& stage, const AppError& error,
                          const LogContext& context, QString* reason = nullptr);

// For the operations that report a failed statement as an error of their own
// (the purges, the profile's save): the record is appended and the message
// above is shown with a critical icon and the title "Error".
void reportOperationFailure(Session& state, const QString& stage, const AppError& error,
                            const QString& statement = QString());

}  // namespace tw
