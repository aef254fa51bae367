#include "gui/TagListPanel.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>

#include "core/Session.h"
#include "gui/MainWindow.h"
#include "gui/PlayerSummaryView.h"
#include "taglist/TagList.h"

namespace tw {
namespace {

// The grid's pop-up leaves its gamertag in the entry's data for the add.
QString takeGamertagToInsert(QAction& insert) {
    QString gamertag = insert.data().toString();
    insert.setData(QVariant());
    return gamertag;
}

void showAdded(Session& state, MainWindow& window, const QString& gamertag) {
    {
        const QSignalBlocker quiet(window.tagListBox);
        window.tagListBox->addItem(gamertag);
        window.tagListBox->setCurrentIndex(window.tagListBox->count() - 1);
    }
    tagListChosen(state, window);
}

}  // namespace

void addClicked(Session& state, MainWindow& window, const QString& fromGrid) {
    TagList tagList(state);
    QString gamertag = fromGrid;
    if (gamertag.isEmpty()) {
        gamertag = tagList.askGamertag();
    }
    if (gamertag.trimmed().isEmpty()) {
        return;
    }
    if (tagList.add(gamertag) == TagList::AddResult::Added) {
        showAdded(state, window, gamertag);
    }
}

void removeClicked(Session& state, MainWindow& window) {
    TagList tagList(state);
    if (state.currentGamertag.isEmpty() || !tagList.confirmRemove() ||
        !tagList.remove(state.currentGamertag)) {
        return;
    }
    bool empty = false;
    {
        const QSignalBlocker quiet(window.tagListBox);
        window.tagListBox->removeItem(window.tagListBox->currentIndex());
        window.tagListBox->setCurrentIndex(-1);
        empty = window.tagListBox->count() == 0;
        if (!empty) {
            window.tagListBox->setCurrentIndex(0);
        }
    }
    if (empty) {
        // Nobody is left: the refresh forgets the removed player and shows
        // the empty summary, so nothing goes on working on that player.
        showPlayerSummary(state, window);
        return;
    }
    tagListChosen(state, window);
}

void tagListChosen(Session& state, MainWindow& window) {
    if (window.tagListBox->currentIndex() < 0) {
        return;
    }
    TagList(state).choose(window.tagListBox->currentText());
    showPlayerSummary(state, window);
}

void profileClicked(Session& state, const std::function<void()>& showProfile) {
    if (TagList(state).profileMayOpen() && showProfile) {
        showProfile();
    }
}

void connectTagList(Session& state, MainWindow& window, std::function<void()> showProfile) {
    QObject::connect(window.addButton, &QPushButton::clicked, &window,
                     [&state, &window] { addClicked(state, window); });
    QObject::connect(
        window.insertIntoTagListAction, &QAction::triggered, &window, [&state, &window] {
            addClicked(state, window, takeGamertagToInsert(*window.insertIntoTagListAction));
        });
    QObject::connect(window.removeButton, &QPushButton::clicked, &window,
                     [&state, &window] { removeClicked(state, window); });
    QObject::connect(window.tagListBox, &QComboBox::currentIndexChanged, &window,
                     [&state, &window](int) { tagListChosen(state, window); });
    QObject::connect(window.profileButton, &QPushButton::clicked, &window,
                     [&state, show = std::move(showProfile)] { profileClicked(state, show); });
}

}  // namespace tw
