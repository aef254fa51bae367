#include "taglist/TagList.h"

#include <memory>

#include "core/DebugLog.h"
#include "core/Prompter.h"
#include "core/Session.h"
#include "core/SettingsFile.h"
#include "core/SqlText.h"
#include "db/Database.h"

namespace tw {
namespace {

Database& OpenDb(Session& state) {
    if (!state.Db || !state.Db->isOpen()) {
        throw AppError(err::kEngineFailure, QStringLiteral("Tallywick"),
                       QStringLiteral("The database is not open."));
    }
    return *state.Db;
}

QString PlayerRowStatement(const QString& gamertag) {
    return QStringLiteral("select * from Player where Player_Gamertag='") + SqlText(gamertag) +
           QStringLiteral("'");
}

void CloseQuietly(std::unique_ptr<Recordset>& rs) {
    if (!rs) {
        return;
    }
    try {
        rs->Close();
    } catch (const AppError&) {
        // the recordset is dropped either way
    }
    rs.reset();
}

void AddNewPlayer(Recordset& rs, const QString& gamertag) {
    rs.AddNew();
    rs.SetField(QStringLiteral("Player_Gamertag"), gamertag);
    for (const char* flag : {"Is_Friend", "Is_Clan", "Is_Guest", "Is_Jerk"}) {
        rs.SetField(QString::fromLatin1(flag), QStringLiteral("N"));
    }
    rs.SetField(QStringLiteral("Is_Selectable"), QStringLiteral("Y"));
    rs.SetField(QStringLiteral("Last_Game_ID"), 0);
    rs.Update();
}

// Creates the player, or flags a player known from games; false when the
// gamertag is in the list already.
bool StoreTag(Recordset& rs, const QString& gamertag) {
    if (rs.IsEOF() && rs.IsBOF()) {
        AddNewPlayer(rs, gamertag);
        return true;
    }
    rs.MoveFirst();
    if (rs.Field(QStringLiteral("Is_Selectable")).joinText() == QLatin1String("Y")) {
        return false;
    }
    rs.Edit();
    rs.SetField(QStringLiteral("Is_Selectable"), QStringLiteral("Y"));
    rs.Update();
    return true;
}

}  // namespace

QString TagListStatement() {
    return QStringLiteral("select * from Player where Is_Selectable='Y'");
}

QStringList TagListGamertags(Database& db) {
    std::unique_ptr<Recordset> rs = db.OpenRecordset(TagListStatement());
    QStringList gamertags;
    if (!(rs->IsEOF() && rs->IsBOF())) {
        rs->MoveFirst();
        while (!rs->IsEOF()) {
            gamertags << rs->Field(QStringLiteral("Player_Gamertag")).joinText();
            rs->MoveNext();
        }
    }
    rs->Close();
    return gamertags;
}

QStringList TagList::gamertags() const {
    try {
        return TagListGamertags(OpenDb(state_));
    } catch (const AppError&) {
        return {};
    }
}

QString TagList::askGamertag() const {
    return state_.prompter->InputBox(QString::fromLatin1(kAddPrompt),
                                     QString::fromLatin1(kAddTitle), QString());
}

TagList::AddResult TagList::add(const QString& gamertag) {
    const QString statement = PlayerRowStatement(gamertag);
    std::unique_ptr<Recordset> rs;
    bool stored = false;
    try {
        rs = OpenDb(state_).OpenRecordset(statement);
        stored = StoreTag(*rs, gamertag);
        CloseQuietly(rs);
    } catch (const AppError& error) {
        CloseQuietly(rs);
        WriteDebugLog(state_, QString::fromLatin1(kTagListStage), error, statement);
        return AddResult::Failed;
    }
    if (!stored) {
        state_.prompter->Message(QString::fromLatin1(kAlreadyListedMessage), MsgButtons::Ok,
                                 MsgIcon::Exclamation, QStringLiteral("Error"));
        return AddResult::AlreadyListed;
    }
    return AddResult::Added;
}

bool TagList::confirmRemove() const {
    return state_.prompter->Message(QString::fromLatin1(kRemoveConfirmMessage), MsgButtons::YesNo,
                                    MsgIcon::Question,
                                    QString::fromLatin1(kRemoveConfirmTitle)) == MsgResult::Yes;
}

bool TagList::remove(const QString& gamertag) {
    const QString statement = PlayerRowStatement(gamertag);
    std::unique_ptr<Recordset> rs;
    try {
        rs = OpenDb(state_).OpenRecordset(statement);
        rs->Edit();
        rs->SetField(QStringLiteral("Is_Selectable"), QStringLiteral("N"));
        rs->Update();
        CloseQuietly(rs);
        return true;
    } catch (const AppError& error) {
        CloseQuietly(rs);
        WriteDebugLog(state_, QString::fromLatin1(kTagListStage), error, statement);
        return false;
    }
}

void TagList::choose(const QString& gamertag) {
    state_.CurrentGamertag = gamertag;
    WriteIni(state_, QStringLiteral("User"), QStringLiteral("Gamertag"), gamertag);
}

bool TagList::profileMayOpen() const {
    return !state_.CurrentGamertag.isEmpty();
}

}  // namespace tw
