#include "taglist/TagList.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>

#include "core/DebugLog.h"
#include "core/Prompter.h"
#include "core/Session.h"
#include "core/SettingsFile.h"
#include "core/SqlText.h"
#include "taglist/ShowPlayerSummary.h"
#include "gui/MainWindow.h"

namespace tw {
namespace {

Database& OpenDb(Session& state) {
    if (!state.Db || !state.Db->isOpen()) {
        throw AppError(err::kEngineFailure, QStringLiteral("Tallywick"),
                       QStringLiteral("The database is not open."));
    }
    return *state.Db;
}

Recordset& OpenPlayerRow(Session& state, const QString& gamertag) {
    state.CurrentSQL = QStringLiteral("select * from Player where Player_Gamertag='") +
                       SqlText(gamertag) + QStringLiteral("'");
    state.rsWork = OpenDb(state).OpenRecordset(state.CurrentSQL);
    return *state.rsWork;
}

void CloseWork(Session& state) {
    if (state.rsWork) {
        try {
            state.rsWork->Close();
        } catch (const AppError&) {
            // the recordset is dropped either way
        }
        state.rsWork.reset();
    }
}

// Creates the player, or flags a player known from games; false when the
// gamertag is in the list already.
bool StoreTag(Session& state, const QString& gamertag) {
    Recordset& rs = OpenPlayerRow(state, gamertag);
    if (rs.IsEOF() && rs.IsBOF()) {
        rs.AddNew();
        rs.SetField(QStringLiteral("Player_Gamertag"), gamertag);
        for (const char* flag : {"Is_Friend", "Is_Clan", "Is_Guest", "Is_Jerk"}) {
            rs.SetField(QString::fromLatin1(flag), QStringLiteral("N"));
        }
        rs.SetField(QStringLiteral("Is_Selectable"), QStringLiteral("Y"));
        rs.SetField(QStringLiteral("Last_Game_ID"), 0);
        rs.Update();
    } else {
        rs.MoveFirst();
        if (rs.Field(QStringLiteral("Is_Selectable")).joinText() == QLatin1String("Y")) {
            CloseWork(state);
            return false;
        }
        rs.Edit();
        rs.SetField(QStringLiteral("Is_Selectable"), QStringLiteral("Y"));
        rs.Update();
    }
    CloseWork(state);
    return true;
}

void UnflagTag(Session& state, const QString& gamertag) {
    Recordset& rs = OpenPlayerRow(state, gamertag);
    rs.Edit();
    rs.SetField(QStringLiteral("Is_Selectable"), QStringLiteral("N"));
    rs.Update();
    CloseWork(state);
}

void ReportTagListError(Session& state, const AppError& error) {
    CloseWork(state);
    WriteDebugLog(state, QString::fromLatin1(kTagListStage), error);
}

void AddTag(Session& state, MainWindow& window, const QString& gamertag) {
    if (!StoreTag(state, gamertag)) {
        state.prompter->Message(QString::fromLatin1(kAlreadyListedMessage), MsgButtons::Ok,
                               MsgIcon::Exclamation, QStringLiteral("Error"));
        return;
    }
    {
        QSignalBlocker quiet(window.tagListBox);
        window.tagListBox->addItem(gamertag);
        window.tagListBox->setCurrentIndex(window.tagListBox->count() - 1);
    }
    tagListChosen(state, window);
    state.CurrentGamertag = window.tagListBox->currentText();
}

void RemoveTag(Session& state, MainWindow& window) {
    UnflagTag(state, state.CurrentGamertag);
    bool empty = false;
    {
        QSignalBlocker quiet(window.tagListBox);
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
        ShowPlayerSummary(state, window);
        return;
    }
    tagListChosen(state, window);
}

}  // namespace

void addClicked(Session& state, MainWindow& window) {
    QString gamertag;
    if (!state.TagToInsert.isEmpty()) {
        gamertag = state.TagToInsert;
        state.TagToInsert.clear();
    } else {
        gamertag = state.prompter->InputBox(QString::fromLatin1(kAddPrompt),
                                           QString::fromLatin1(kAddTitle), QString());
    }
    if (gamertag.trimmed().isEmpty()) {
        return;
    }
    try {
        AddTag(state, window, gamertag);
    } catch (const AppError& error) {
        ReportTagListError(state, error);
    }
}

void removeClicked(Session& state, MainWindow& window) {
    if (state.CurrentGamertag.isEmpty()) {
        return;
    }
    if (state.prompter->Message(QString::fromLatin1(kRemoveConfirmMessage), MsgButtons::YesNo,
                               MsgIcon::Question,
                               QString::fromLatin1(kRemoveConfirmTitle)) != MsgResult::Yes) {
        return;
    }
    try {
        RemoveTag(state, window);
    } catch (const AppError& error) {
        ReportTagListError(state, error);
    }
}

void tagListChosen(Session& state, MainWindow& window) {
    if (state.TagListRefreshing || window.tagListBox->currentIndex() < 0) {
        return;
    }
    state.CurrentGamertag = window.tagListBox->currentText();
    WriteIni(state, QStringLiteral("User"), QStringLiteral("Gamertag"), state.CurrentGamertag);
    ShowPlayerSummary(state, window);
}

bool ProfileMayOpen(const Session& state) {
    return !state.CurrentGamertag.isEmpty();
}

void profileClicked(Session& state, const std::function<void()>& showProfile) {
    if (ProfileMayOpen(state) && showProfile) {
        showProfile();
    }
}

void ConnectTagList(Session& state, MainWindow& window, std::function<void()> showProfile) {
    QObject::connect(window.addButton, &QPushButton::clicked, &window,
                     [&state, &window] { addClicked(state, window); });
    QObject::connect(window.insertIntoTagListAction, &QAction::triggered, &window,
                     [&state, &window] { addClicked(state, window); });
    QObject::connect(window.removeButton, &QPushButton::clicked, &window,
                     [&state, &window] { removeClicked(state, window); });
    QObject::connect(window.tagListBox, &QComboBox::currentIndexChanged, &window,
                     [&state, &window](int) { tagListChosen(state, window); });
    QObject::connect(
        window.profileButton, &QPushButton::clicked, &window,
        [&state, show = std::move(showProfile)] { profileClicked(state, show); });
}

}  // namespace tw
