#include "query/ConnectQuery.h"

#include <QAction>
#include <QCursor>
#include <QPushButton>
#include <memory>

#include "query/DatabaseExport.h"
#include "query/GridMouse.h"
#include "query/QueryExport.h"
#include "query/QueryRunner.h"
#include "ui/FlexGrid.h"
#include "ui/frmMain.h"

namespace tw {
namespace {

// Owns the panel state as a child of the window, so it dies with it.
class QueryPanelHolder : public QObject {
  public:
    explicit QueryPanelHolder(QObject* parent) : QObject(parent) {}
    QueryPanel panel;
};

}  // namespace

QueryPanel& ConnectQuery(ProgramState& state, frmMain& window) {
    auto* holder = new QueryPanelHolder(&window);
    QueryPanel& panel = holder->panel;
    QObject::connect(window.cmdRunQuery, &QPushButton::clicked, holder,
                     [&state, &window, &panel] { cmdRunQuery_Click(state, window, panel); });
    QObject::connect(window.cmdQryExport, &QPushButton::clicked, holder,
                     [&state, &window] { cmdQryExport_Click(state, window); });
    QObject::connect(
        window.flxData, &FlexGrid::MouseDown, holder,
        [&window, &panel](int button, int, int, int) { flxData_MouseDown(window, panel, button); });
    QObject::connect(window.flxData, &FlexGrid::MouseUp, holder,
                     [&state, &window](int button, int, int x, int y) {
                         flxData_MouseUp(state, window, button,
                                         window.flxData->viewport()->mapToGlobal(QPoint(x, y)));
                     });
    QObject::connect(window.mnuExportExcel, &QAction::triggered, holder,
                     [&state] { mnuExportExcel_Click(state); });
    QObject::connect(window.mnuExportCSV, &QAction::triggered, holder,
                     [&state] { mnuExportCSV_Click(state); });
    QObject::connect(window.mnuExportXML, &QAction::triggered, holder,
                     [&state] { mnuExportXML_Click(state); });
    return panel;
}

}  // namespace tw
