#pragma once
// The four batch jobs. Each runs the services the window's buttons and menus
// run, with no window, and returns the exit code.

#include <QString>
#include <cstdio>

#include "cli/BatchCommand.h"

namespace tw {
struct Session;
}  // namespace tw

namespace tw::batch {

class CliPrompter;

inline constexpr const char* kNotInTagListMessage = "is not in the tag list.";
inline constexpr const char* kEmptyTagListMessage = "The tag list is empty.";
inline constexpr const char* kNoSuchPlayerMessage = "is not a player in the database.";
inline constexpr const char* kNoSuchQueryMessage = "is not a saved query.";
inline constexpr const char* kCannotWriteMessage = "cannot be written.";
inline constexpr const char* kCannotCreateMessage = "cannot be created.";
inline constexpr const char* kStoppingMessage =
    "Stopping: the download ends after the page being read.";

struct BatchSession {
    Session& state;
    CliPrompter& prompter;
    std::FILE* out;
    std::FILE* errors;
    bool terminal;  // standard output is a terminal
};

int runDownload(const BatchCommand& command, BatchSession& session);
int runReport(const BatchCommand& command, BatchSession& session);
int runQuery(const BatchCommand& command, BatchSession& session);
int runExport(const BatchCommand& command, BatchSession& session);

// `"NAME" text`: the name quoted, then one of the messages above.
QString aboutName(const QString& name, const char* message);

// `"PATH" cannot be written. REASON`: a copy that failed, and why.
QString cannotWriteMessage(const QString& path, const QString& reason);

// Copies `from` over `to` whole or not at all (an older `to` keeps its bytes);
// false with the reason in `*reason`.
bool copyFile(const QString& from, const QString& to, QString* reason);

}  // namespace tw::batch
