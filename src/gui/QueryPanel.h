#pragma once
// The query row of the main window: Run turns the chosen saved query and the
// filter buttons into a run of the query service and shows its result in the
// grid (or the chart) and the record count; header clicks sort the grid; a
// right click on a gamertag cell offers that player to the tag list through
// the grid pop-up; Export and the Database menu's exports call the export
// services; Export's tool tip names the chosen format. Connected once, at start-up; lives as long
// as the window.

#include <QObject>
#include <QPoint>
#include <QString>

#include "query/QueryFilters.h"

class QPushButton;

namespace tw {

struct Session;

// Export's tool tip for a Query_Export_Format value: "Export query results to
// Excel" (1), CSV (2), HTML (3), XML (4); another value exports nothing.
QString exportToolTip(int format);
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

  protected:
    // Export's tool tip is written when it is about to show, so it names the
    // format the options chose last.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void emptyResultArea();
    PlayerFilter selectedPlayerFilter() const;
    GameFilter selectedGameFilter() const;
    // Button 1 is the left button, 2 the right one.
    void gridMousePressed(int button);
    void gridMouseReleased(int button, const QPoint& globalPosition);

    Session& state_;
    MainWindow& window_;
    // Watched for its tooltip; kept apart from the window because its events
    // still come while the window is being destroyed.
    QPushButton* exportButton_;
    QString sortState_;
    QString lastStatement_;
};

}  // namespace tw
