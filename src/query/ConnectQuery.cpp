#include "query/ConnectQuery.h"

#include <QAction>
#include <QCursor>
#include <QPushButton>
#include <memory>

#include "query/DatabaseExport.h"
#include "query/GridMouse.h"
#include "query/QueryExport.h"
#include "query/QueryRunner.h"
#include "gui/FlexGrid.h"
#include "gui/MainWindow.h"

namespace tw {
namespace {

// Owns the panel state as a child of the window, so it dies with it.
class QueryPanelHolder : public QObject {
  public:
    explicit QueryPanelHolder(QObject* parent) : QObject(parent) {}
    QueryPanel panel;
};

}  // namespace

QueryPanel& ConnectQuery(Session& state, MainWindow& window) {
    auto* holder = new QueryPanelHolder(&window);
    QueryPanel& panel = holder->panel;
    QObject::connect(window.runQueryButton, &QPushButton::clicked, holder,
                     [&state, &window, &panel] { runQueryClicked(state, window, panel); });
    QObject::connect(window.exportButton, &QPushButton::clicked, holder,
                     [&state, &window] { exportClicked(state, window); });
    QObject::connect(
        window.resultGrid, &FlexGrid::MouseDown, holder,
        [&window, &panel](int button, int, int, int) { gridMouseDown(window, panel, button); });
    QObject::connect(window.resultGrid, &FlexGrid::MouseUp, holder,
                     [&state, &window](int button, int, int x, int y) {
                         gridMouseUp(state, window, button,
                                         window.resultGrid->viewport()->mapToGlobal(QPoint(x, y)));
                     });
    QObject::connect(window.exportExcelAction, &QAction::triggered, holder,
                     [&state] { exportExcelClicked(state); });
    QObject::connect(window.exportCsvAction, &QAction::triggered, holder,
                     [&state] { exportCsvClicked(state); });
    QObject::connect(window.exportXmlAction, &QAction::triggered, holder,
                     [&state] { exportXmlClicked(state); });
    return panel;
}

}  // namespace tw
