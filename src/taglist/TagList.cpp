#include "taglist/TagList.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>

#include "app/DebugLog.h"
#include "app/Dialogs.h"
#include "app/ProgramState.h"
#include "app/SettingsFile.h"
#include "app/SqlText.h"
#include "taglist/ShowPlayerSummary.h"
#include "ui/frmMain.h"

namespace tw {
namespace {

Database& OpenDb(ProgramState& state) {
    if (!state.Db || !state.Db->isOpen()) {
        throw AppError(err::kEngineFailure, QStringLiteral("Tallywick"),
                       QStringLiteral("The database is not open."));
    }
    return *state.Db;
}

Recordset& OpenPlayerRow(ProgramState& state, const QString& gamertag) {
    state.CurrentSQL = QStringLiteral("select * from Player where Player_Gamertag='") +
                       SqlText(gamertag) + QStringLiteral("'");
    state.rsWork = OpenDb(state).OpenRecordset(state.CurrentSQL);
    return *state.rsWork;
}

void CloseWork(ProgramState& state) {
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
bool StoreTag(ProgramState& state, const QString& gamertag) {
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

void UnflagTag(ProgramState& state, const QString& gamertag) {
    Recordset& rs = OpenPlayerRow(state, gamertag);
    rs.Edit();
    rs.SetField(QStringLiteral("Is_Selectable"), QStringLiteral("N"));
    rs.Update();
    CloseWork(state);
}

void ReportTagListError(ProgramState& state, const AppError& error) {
    CloseWork(state);
    WriteDebugLog(state, QString::fromLatin1(kTagListStage), error);
}

void AddTag(ProgramState& state, frmMain& window, const QString& gamertag) {
    if (!StoreTag(state, gamertag)) {
        state.dialogs->Message(QString::fromLatin1(kAlreadyListedMessage), MsgButtons::Ok,
                               MsgIcon::Exclamation, QStringLiteral("Error"));
        return;
    }
    {
        QSignalBlocker quiet(window.cmbTagList);
        window.cmbTagList->addItem(gamertag);
        window.cmbTagList->setCurrentIndex(window.cmbTagList->count() - 1);
    }
    cmbTagList_Click(state, window);
    state.CurrentGamertag = window.cmbTagList->currentText();
}

void RemoveTag(ProgramState& state, frmMain& window) {
    UnflagTag(state, state.CurrentGamertag);
    bool empty = false;
    {
        QSignalBlocker quiet(window.cmbTagList);
        window.cmbTagList->removeItem(window.cmbTagList->currentIndex());
        window.cmbTagList->setCurrentIndex(-1);
        empty = window.cmbTagList->count() == 0;
        if (!empty) {
            window.cmbTagList->setCurrentIndex(0);
        }
    }
    if (empty) {
        // Nobody is left: the refresh forgets the removed player and shows
        // the empty summary, so nothing goes on working on that player.
        ShowPlayerSummary(state, window);
        return;
    }
    cmbTagList_Click(state, window);
}

}  // namespace

void cmdAddGamertag_Click(ProgramState& state, frmMain& window) {
    QString gamertag;
    if (!state.TagToInsert.isEmpty()) {
        gamertag = state.TagToInsert;
        state.TagToInsert.clear();
    } else {
        gamertag = state.dialogs->InputBox(QString::fromLatin1(kAddPrompt),
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

void cmdRemoveGamertag_Click(ProgramState& state, frmMain& window) {
    if (state.CurrentGamertag.isEmpty()) {
        return;
    }
    if (state.dialogs->Message(QString::fromLatin1(kRemoveConfirmMessage), MsgButtons::YesNo,
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

void cmbTagList_Click(ProgramState& state, frmMain& window) {
    if (state.TagListRefreshing || window.cmbTagList->currentIndex() < 0) {
        return;
    }
    state.CurrentGamertag = window.cmbTagList->currentText();
    WriteIni(state, QStringLiteral("User"), QStringLiteral("Gamertag"), state.CurrentGamertag);
    ShowPlayerSummary(state, window);
}

bool ProfileMayOpen(const ProgramState& state) {
    return !state.CurrentGamertag.isEmpty();
}

void cmdProfileGamertag_Click(ProgramState& state, const std::function<void()>& showProfile) {
    if (ProfileMayOpen(state) && showProfile) {
        showProfile();
    }
}

void ConnectTagList(ProgramState& state, frmMain& window, std::function<void()> showProfile) {
    QObject::connect(window.cmdAddGamertag, &QPushButton::clicked, &window,
                     [&state, &window] { cmdAddGamertag_Click(state, window); });
    QObject::connect(window.mnuTagListInsert, &QAction::triggered, &window,
                     [&state, &window] { cmdAddGamertag_Click(state, window); });
    QObject::connect(window.cmdRemoveGamertag, &QPushButton::clicked, &window,
                     [&state, &window] { cmdRemoveGamertag_Click(state, window); });
    QObject::connect(window.cmbTagList, &QComboBox::currentIndexChanged, &window,
                     [&state, &window](int) { cmbTagList_Click(state, window); });
    QObject::connect(
        window.cmdProfileGamertag, &QPushButton::clicked, &window,
        [&state, show = std::move(showProfile)] { cmdProfileGamertag_Click(state, show); });
}

}  // namespace tw
