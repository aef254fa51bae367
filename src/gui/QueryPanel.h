#pragma once
// The query row of the main window: Run turns the chosen saved query and the
// filter buttons into a run of the query service and shows its result in the
// grid (or the chart) and the record count; header clicks sort the grid; a
// right click on a gamertag cell offers that player to the tag list through
// the grid pop-up; Export and the Database menu's exports call the export
// services. Connected once, at start-up; lives as long as the window.

#include <QObject>
#include <QPoint>
#include <QString>

#include "query/QueryFilters.h"

namespace tw {

struct Session;
class MainWindow;

class QueryPanel : public QObject {
    Q_OBJECT
  public:
    QueryPanel(Session& state, MainWindow& window);

    // Empty, or the sorted column's number followed by "A" or "D" ("3D").
    const QString& sortState() const { return sortState_; }
    // The statement of the last run (the filters applied), empty before one.
    const QString& lastStatement() const { return lastStatement_; }

    void runQuery();
    void exportResult();

  private:
    void emptyResultArea();
    PlayerFilter selectedPlayerFilter() const;
    GameFilter selectedGameFilter() const;
    // Button 1 is the left button, 2 the right one.
    void gridMousePressed(int button);
    void gridMouseReleased(int button, const QPoint& globalPosition);

    Session& state_;
    MainWindow& window_;
    QString sortState_;
    QString lastStatement_;
};

}  // namespace tw
