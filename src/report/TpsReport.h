#pragma once
// Tools > TPS Report: fills the report folder's template with a player's
// figures, writes the page beside it and offers to open it.

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace tw {

struct Session;
struct ReportRun;

inline constexpr const char* kNoGamertagMessage = "You must select a Gamertag.";
inline constexpr const char* kReportCreatedMessage =
    "Your TPS Report has been created.\r\nWould you like to view it now?";
inline constexpr const char* kReportStage = "CreateTPS";

// Writes the report of `gamertag` and offers to open it; true when the page
// was written. No gamertag is told with kNoGamertagMessage; an error is
// recorded (stage "CreateTPS", the statement being read) and told.
bool createTpsReport(Session& state, const QString& gamertag);

// A run over the session's database and settings for `gamertag`.
ReportRun newReportRun(Session& state, const QString& gamertag);

// The six sections and the closing tokens, in order, on the template's bytes;
// `now` is the page's creation date. Errors are AppErrors; nothing is written.
QByteArray fillReport(ReportRun& run, const QByteArray& templateText, const QDateTime& now);

}  // namespace tw
