// The keyboard: shortcut keys on the menu entries (shown there), each entry
// pressing its button so it does what the button does, and the tab order.

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QRadioButton>

#include "gui/MainWindow.h"
#include "gui/ResultGrid.h"

namespace tw {

namespace {

QKeySequence ctrl(Qt::Key key) {
    return QKeySequence(Qt::CTRL | key);
}

// The desktop's own keys for a standard action, `fallback` where it has none.
QList<QKeySequence> standardKeys(QKeySequence::StandardKey key, const QKeySequence& fallback) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    return keys.isEmpty() ? QList<QKeySequence>{fallback} : keys;
}

}  // namespace

void MainWindow::createKeys() {
    addGamertagAction->setShortcuts(standardKeys(QKeySequence::New, ctrl(Qt::Key_N)));
    // Delete alone: the X11 key scheme's "delete" also binds Ctrl+D, which
    // would make Download's key ambiguous and dead.
    removeGamertagAction->setShortcut(QKeySequence(Qt::Key_Delete));
    downloadAction->setShortcut(ctrl(Qt::Key_D));
    stopAction->setShortcut(QKeySequence(Qt::Key_Escape));
    runQueryAction->setShortcuts({ctrl(Qt::Key_R), QKeySequence(Qt::Key_F5)});
    exportResultsAction->setShortcut(ctrl(Qt::Key_E));
    tpsReportAction->setShortcut(ctrl(Qt::Key_T));
    exitAction->setShortcuts(standardKeys(QKeySequence::Quit, ctrl(Qt::Key_Q)));
    for (const auto& [action, button] : keyedButtons()) {
        connect(action, &QAction::triggered, button, &QPushButton::click);
        button->installEventFilter(this);
        addAction(action);
    }
    // On the window too: a key in a menu the download lock disabled would be
    // dead, and Escape must reach Stop then. Each entry's own enabled state
    // decides.
    addAction(tpsReportAction);
    addAction(exitAction);
    syncKeyedActions();
}

QList<std::pair<QAction*, QPushButton*>> MainWindow::keyedButtons() const {
    return {{addGamertagAction, addButton},   {removeGamertagAction, removeButton},
            {downloadAction, downloadButton}, {stopAction, stopButton},
            {runQueryAction, runQueryButton}, {exportResultsAction, exportButton}};
}

// A key works exactly when its button can be pressed: Escape only while Stop
// is shown, Ctrl+D only while Download is.
void MainWindow::syncKeyedActions() {
    for (const auto& [action, button] : keyedButtons()) {
        action->setEnabled(button->isEnabled() && !button->isHidden());
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::EnabledChange:
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            syncKeyedActions();
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// The player's controls first (tag list, its buttons, Download), then the
// filters, the query row and the grid.
void MainWindow::chainTabOrder() {
    QList<QWidget*> chain = {tagListBox,    addButton,      removeButton,
                             profileButton, downloadButton, stopButton};
    for (QRadioButton* option : playerFilterOptions) {
        chain << option;
    }
    for (QRadioButton* option : gameFilterOptions) {
        chain << option;
    }
    chain << queryList << runQueryButton << exportButton << resultGrid;
    for (qsizetype i = 1; i < chain.size(); ++i) {
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    }
    tagListBox->setFocus();
}

}  // namespace tw
