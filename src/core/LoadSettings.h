#pragma once
// LoadSettings: the start-up steps before the database opens. Builds the paths,
// removes temporaries a killed write left (app/LeftoverFiles.h), reads every
// key of the settings file in its order into Settings (and CurrentGamertag),
// the window placement and the saved queries. A port setting that is no port
// is told once, naming it, and left unset.

#include <QString>
#include <QStringList>

namespace tw {

struct Session;

struct WindowPlacement {
    float Top = 0;
    float Left = 0;
    float Height = 0;
    float Width = 0;
    bool operator==(const WindowPlacement&) const = default;
};

// What the main window applies after the settings are read.
struct LoadedSettings {
    WindowPlacement placement;  // twips, absent keys 0
    QStringList queryNames;     // names of saved queries 1 .. Query_Count, in order
};

inline constexpr int kMaxSavedQueries = 100;

LoadedSettings LoadSettings(Session& state, const QString& programDir);

// Reads every settings key (in the order of the settings file) into
// state.settings and CurrentGamertag; Query_Count is kept within 0 to 100.
// Returns a line (NoPortText) for each port setting that is no port; such a
// setting reads as 0.
QStringList ReadAllSettings(Session& state);

// The one message for the settings that cannot be used, one line each.
QString UnusableSettingsMessage(const QString& iniPath, const QStringList& lines);

}  // namespace tw
