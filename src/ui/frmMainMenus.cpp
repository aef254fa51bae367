// The menu bar and the grid's pop-up menu, captions with their access keys.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "ui/DesignedFont.h"
#include "ui/frmMain.h"

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

void frmMain::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("frmMainMenuBar"));

    mnuFile = NewMenu(this, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    mnuExit = NewEntry(mnuFile, QStringLiteral("mnuExit"), QStringLiteral("E&xit"));
    bar->addMenu(mnuFile);

    mnuDatabase = NewMenu(this, QStringLiteral("mnuDatabase"), QStringLiteral("&Database"));
    mnuExportExcel =
        NewEntry(mnuDatabase, QStringLiteral("mnuExportExcel"), QStringLiteral("Export to &Excel"));
    mnuExportXML =
        NewEntry(mnuDatabase, QStringLiteral("mnuExportXML"), QStringLiteral("Export to &XML"));
    mnuExportCSV =
        NewEntry(mnuDatabase, QStringLiteral("mnuExportCSV"), QStringLiteral("Export to &CSV"));
    mnuSp1 = NewSeparator(mnuDatabase, QStringLiteral("mnuSp1"));
    mnuImportOld = NewEntry(mnuDatabase, QStringLiteral("mnuImportOld"),
                            QStringLiteral("Import from &Old Version"));
    mnuImportOther = NewEntry(mnuDatabase, QStringLiteral("mnuImportOther"),
                              QStringLiteral("Import from Other Product"));
    mnuImportOther->setVisible(false);
    mnuSp2 = NewSeparator(mnuDatabase, QStringLiteral("mnuSp2"));
    mnuPurgeNonTagList = NewEntry(mnuDatabase, QStringLiteral("mnuPurgeNonTagList"),
                                  QStringLiteral("Purge Data for Non-TagList Players"));
    mnuPurgeEntireDatabase = NewEntry(mnuDatabase, QStringLiteral("mnuPurgeEntireDatabase"),
                                      QStringLiteral("Purge Entire Database"));
    bar->addMenu(mnuDatabase);

    mnuTools = NewMenu(this, QStringLiteral("mnuTools"), QStringLiteral("&Tools"));
    mnuTPSReport = NewEntry(mnuTools, QStringLiteral("mnuTPSReport"), QStringLiteral("TPS Report"));
    mnuSp3 = NewSeparator(mnuTools, QStringLiteral("mnuSp3"));
    mnuOptions = NewEntry(mnuTools, QStringLiteral("mnuOptions"), QStringLiteral("&Options..."));
    bar->addMenu(mnuTools);

    mnuHelp = NewMenu(this, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    mnuSupport = NewEntry(mnuHelp, QStringLiteral("mnuSupport"), QStringLiteral("&Support"));
    mnuSp4 = NewSeparator(mnuHelp, QStringLiteral("mnuSp4"));
    mnuAbout = NewEntry(mnuHelp, QStringLiteral("mnuAbout"), QStringLiteral("&About..."));
    bar->addMenu(mnuHelp);

    // Kept off the menu bar: shown only as the grid's pop-up menu.
    mnuFlexGrid = NewMenu(this, QStringLiteral("mnuFlexGrid"), QStringLiteral("Flex Grid"));
    mnuTagListInsert = NewEntry(mnuFlexGrid, QStringLiteral("mnuTagListInsert"),
                                QStringLiteral("Tag List Insert"));
}

}  // namespace tw
