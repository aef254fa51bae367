// The menu bar and the grid's pop-up menu, captions with their access keys
// and, for the frequent actions, their shortcut keys.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "gui/MainWindow.h"

namespace tw {

namespace {

QMenu* newMenu(QWidget* parent, const QString& name, const QString& caption) {
    auto* menu = new QMenu(caption, parent);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

QAction* newEntry(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QAction* newSeparator(QMenu* menu, const QString& name) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(name);
    return separator;
}

}  // namespace

void MainWindow::createMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("frmMainMenuBar"));

    fileMenu = newMenu(this, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    addGamertagAction =
        newEntry(fileMenu, QStringLiteral("mnuAddGamertag"), QStringLiteral("&Add Gamertag..."));
    removeGamertagAction =
        newEntry(fileMenu, QStringLiteral("mnuRemoveGamertag"), QStringLiteral("&Remove Gamertag"));
    newSeparator(fileMenu, QStringLiteral("mnuSpFile1"));
    downloadAction = newEntry(fileMenu, QStringLiteral("mnuDownload"), QStringLiteral("&Download"));
    stopAction =
        newEntry(fileMenu, QStringLiteral("mnuStopDownload"), QStringLiteral("&Stop Download"));
    newSeparator(fileMenu, QStringLiteral("mnuSpFile2"));
    exitAction = newEntry(fileMenu, QStringLiteral("mnuExit"), QStringLiteral("E&xit"));
    bar->addMenu(fileMenu);

    databaseMenu = newMenu(this, QStringLiteral("mnuDatabase"), QStringLiteral("&Database"));
    runQueryAction =
        newEntry(databaseMenu, QStringLiteral("mnuRunQuery"), QStringLiteral("&Run Query"));
    exportResultsAction = newEntry(databaseMenu, QStringLiteral("mnuExportResults"),
                                   QStringLiteral("Export Re&sults"));
    newSeparator(databaseMenu, QStringLiteral("mnuSpDatabase"));
    exportExcelAction = newEntry(databaseMenu, QStringLiteral("mnuExportExcel"),
                                 QStringLiteral("Export to &Excel"));
    exportXmlAction =
        newEntry(databaseMenu, QStringLiteral("mnuExportXML"), QStringLiteral("Export to &XML"));
    exportCsvAction =
        newEntry(databaseMenu, QStringLiteral("mnuExportCSV"), QStringLiteral("Export to &CSV"));
    menuSeparator1 = newSeparator(databaseMenu, QStringLiteral("mnuSp1"));
    importOldAction = newEntry(databaseMenu, QStringLiteral("mnuImportOld"),
                               QStringLiteral("Import from &Old Version"));
    importOtherAction = newEntry(databaseMenu, QStringLiteral("mnuImportOther"),
                                 QStringLiteral("Import from Other Product"));
    importOtherAction->setVisible(false);
    menuSeparator2 = newSeparator(databaseMenu, QStringLiteral("mnuSp2"));
    purgeNonTagListAction = newEntry(databaseMenu, QStringLiteral("mnuPurgeNonTagList"),
                                     QStringLiteral("Purge Data for Non-TagList Players"));
    purgeEntireDatabaseAction = newEntry(databaseMenu, QStringLiteral("mnuPurgeEntireDatabase"),
                                         QStringLiteral("Purge Entire Database"));
    bar->addMenu(databaseMenu);

    toolsMenu = newMenu(this, QStringLiteral("mnuTools"), QStringLiteral("&Tools"));
    tpsReportAction =
        newEntry(toolsMenu, QStringLiteral("mnuTPSReport"), QStringLiteral("TPS Report"));
    menuSeparator3 = newSeparator(toolsMenu, QStringLiteral("mnuSp3"));
    optionsAction =
        newEntry(toolsMenu, QStringLiteral("mnuOptions"), QStringLiteral("&Options..."));
    bar->addMenu(toolsMenu);

    helpMenu = newMenu(this, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    supportAction = newEntry(helpMenu, QStringLiteral("mnuSupport"), QStringLiteral("&Support"));
    menuSeparator4 = newSeparator(helpMenu, QStringLiteral("mnuSp4"));
    aboutAction = newEntry(helpMenu, QStringLiteral("mnuAbout"), QStringLiteral("&About..."));
    bar->addMenu(helpMenu);

    // Kept off the menu bar: shown only as the grid's pop-up menu.
    gridMenu = newMenu(this, QStringLiteral("mnuFlexGrid"), QStringLiteral("Flex Grid"));
    insertIntoTagListAction =
        newEntry(gridMenu, QStringLiteral("mnuTagListInsert"), QStringLiteral("Tag List Insert"));
}

}  // namespace tw
