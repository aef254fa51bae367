#pragma once
// loadSettings: the start-up steps before the database opens. Builds the paths,
// removes temporaries a killed write left (app/LeftoverFiles.h), reads every
// key of the settings file in its order into Settings (and currentGamertag),
// the window placement and the saved queries. A port setting that is no port
// is told once, naming it, and left unset.

#include <QString>
#include <QStringList>

namespace tw {

struct Session;

struct WindowPlacement {
    float top = 0;
    float left = 0;
    float height = 0;
    float width = 0;
    bool operator==(const WindowPlacement&) const = default;
};

// What the main window applies after the settings are read.
struct LoadedSettings {
    WindowPlacement placement;  // twips, absent keys 0
    QStringList queryNames;     // names of saved queries 1 .. Query_Count, in order
};

inline constexpr int kMaxSavedQueries = 100;

LoadedSettings loadSettings(Session& state, const QString& programDir);

// Reads every settings key (in the order of the settings file) into
// state.settings and currentGamertag; Query_Count is kept within 0 to 100.
// Returns a line (noPortText) for each port setting that is no port; such a
// setting reads as 0.
QStringList readAllSettings(Session& state);

// The one message for the settings that cannot be used, one line each.
QString unusableSettingsMessage(const QString& iniPath, const QStringList& lines);

}  // namespace tw
