// The menu bar and the grid's pop-up menu, captions with their access keys.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "gui/DesignedFont.h"
#include "gui/MainWindow.h"

namespace tw {

namespace {

QMenu* NewMenu(QWidget* parent, const QString& name, const QString& caption) {
    auto* menu = new QMenu(caption, parent);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    menu->setFont(DesignedFont(false));
    return menu;
}

QAction* NewEntry(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QAction* NewSeparator(QMenu* menu, const QString& name) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(name);
    return separator;
}

}  // namespace

void MainWindow::createMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("frmMainMenuBar"));

    fileMenu = NewMenu(this, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    exitAction = NewEntry(fileMenu, QStringLiteral("mnuExit"), QStringLiteral("E&xit"));
    bar->addMenu(fileMenu);

    databaseMenu = NewMenu(this, QStringLiteral("mnuDatabase"), QStringLiteral("&Database"));
    exportExcelAction = NewEntry(databaseMenu, QStringLiteral("mnuExportExcel"),
                                 QStringLiteral("Export to &Excel"));
    exportXmlAction =
        NewEntry(databaseMenu, QStringLiteral("mnuExportXML"), QStringLiteral("Export to &XML"));
    exportCsvAction =
        NewEntry(databaseMenu, QStringLiteral("mnuExportCSV"), QStringLiteral("Export to &CSV"));
    menuSeparator1 = NewSeparator(databaseMenu, QStringLiteral("mnuSp1"));
    importOldAction = NewEntry(databaseMenu, QStringLiteral("mnuImportOld"),
                               QStringLiteral("Import from &Old Version"));
    importOtherAction = NewEntry(databaseMenu, QStringLiteral("mnuImportOther"),
                                 QStringLiteral("Import from Other Product"));
    importOtherAction->setVisible(false);
    menuSeparator2 = NewSeparator(databaseMenu, QStringLiteral("mnuSp2"));
    purgeNonTagListAction = NewEntry(databaseMenu, QStringLiteral("mnuPurgeNonTagList"),
                                     QStringLiteral("Purge Data for Non-TagList Players"));
    purgeEntireDatabaseAction = NewEntry(databaseMenu, QStringLiteral("mnuPurgeEntireDatabase"),
                                         QStringLiteral("Purge Entire Database"));
    bar->addMenu(databaseMenu);

    toolsMenu = NewMenu(this, QStringLiteral("mnuTools"), QStringLiteral("&Tools"));
    tpsReportAction =
        NewEntry(toolsMenu, QStringLiteral("mnuTPSReport"), QStringLiteral("TPS Report"));
    menuSeparator3 = NewSeparator(toolsMenu, QStringLiteral("mnuSp3"));
    optionsAction =
        NewEntry(toolsMenu, QStringLiteral("mnuOptions"), QStringLiteral("&Options..."));
    bar->addMenu(toolsMenu);

    helpMenu = NewMenu(this, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    supportAction = NewEntry(helpMenu, QStringLiteral("mnuSupport"), QStringLiteral("&Support"));
    menuSeparator4 = NewSeparator(helpMenu, QStringLiteral("mnuSp4"));
    aboutAction = NewEntry(helpMenu, QStringLiteral("mnuAbout"), QStringLiteral("&About..."));
    bar->addMenu(helpMenu);

    // Kept off the menu bar: shown only as the grid's pop-up menu.
    gridMenu = NewMenu(this, QStringLiteral("mnuFlexGrid"), QStringLiteral("Flex Grid"));
    insertIntoTagListAction =
        NewEntry(gridMenu, QStringLiteral("mnuTagListInsert"), QStringLiteral("Tag List Insert"));
}

}  // namespace tw
