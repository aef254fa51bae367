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

// What the window showed at its last exit ([Application] Window_Maximized,
// Selected_Query, Player_Filter, Game_Filter). A file from before these keys,
// or a value that means nothing, reads as a fresh start: not maximized, no
// query chosen, the first option of each filter.
struct WindowView {
    static constexpr int kFilterOptions = 3;
    bool maximized = false;
    QString selectedQuery;  // a saved query's name; empty for none
    int playerFilter = 1;   // 1 All, 2 All in Tag List, 3 Me
    int gameFilter = 1;     // 1 All, 2 Ranked, 3 Unranked
    bool operator==(const WindowView&) const = default;
};

// What the main window applies after the settings are read.
struct LoadedSettings {
    WindowPlacement placement;  // twips, absent keys 0
    WindowView view;
    QStringList queryNames;  // names of saved queries 1 .. Query_Count, in order
};

inline constexpr int kMaxSavedQueries = 100;

LoadedSettings loadSettings(Session& state, const QString& programDir);

// Reads every settings key (in the order of the settings file) into
// state.settings and currentGamertag; Query_Count is kept within 0 to 100.
// Returns a line (noPortText) for each port setting that is no port; such a
// setting reads as 0.
QStringList readAllSettings(Session& state);

// The [Application] keys of WindowView.
WindowView readWindowView(const Session& state);

// The one message for the settings that cannot be used, one line each.
QString unusableSettingsMessage(const QString& iniPath, const QStringList& lines);

}  // namespace tw
