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

Database& tagListDb(Session& state) {
    if (!state.db || !state.db->isOpen()) {
        throw AppError(err::kEngineFailure, QStringLiteral("Tallywick"),
                       QStringLiteral("The database is not open."));
    }
    return *state.db;
}

QString playerRowStatement(const QString& gamertag) {
    return QStringLiteral("select * from Player where Player_Gamertag='") + sqlText(gamertag) +
           QStringLiteral("'");
}

void closeQuietly(std::unique_ptr<Recordset>& rs) {
    if (!rs) {
        return;
    }
    try {
        rs->close();
    } catch (const AppError&) {
        // the recordset is dropped either way
    }
    rs.reset();
}

void addNewPlayer(Recordset& rs, const QString& gamertag) {
    rs.addNew();
    rs.setField(QStringLiteral("Player_Gamertag"), gamertag);
    for (const char* flag : {"Is_Friend", "Is_Clan", "Is_Guest", "Is_Jerk"}) {
        rs.setField(QString::fromLatin1(flag), QStringLiteral("N"));
    }
    rs.setField(QStringLiteral("Is_Selectable"), QStringLiteral("Y"));
    rs.setField(QStringLiteral("Last_Game_ID"), 0);
    rs.update();
}

// Creates the player, or flags a player known from games; false when the
// gamertag is in the list already.
bool storeTag(Recordset& rs, const QString& gamertag) {
    if (rs.isEof() && rs.isBof()) {
        addNewPlayer(rs, gamertag);
        return true;
    }
    rs.moveFirst();
    if (rs.field(QStringLiteral("Is_Selectable")).joinText() == QLatin1String("Y")) {
        return false;
    }
    rs.edit();
    rs.setField(QStringLiteral("Is_Selectable"), QStringLiteral("Y"));
    rs.update();
    return true;
}

}  // namespace

QString tagListStatement() {
    return QStringLiteral("select * from Player where Is_Selectable='Y'");
}

QStringList tagListGamertags(Database& db) {
    std::unique_ptr<Recordset> rs = db.openRecordset(tagListStatement());
    QStringList gamertags;
    if (!(rs->isEof() && rs->isBof())) {
        rs->moveFirst();
        while (!rs->isEof()) {
            gamertags << rs->field(QStringLiteral("Player_Gamertag")).joinText();
            rs->moveNext();
        }
    }
    rs->close();
    return gamertags;
}

QStringList TagList::gamertags() const {
    try {
        return tagListGamertags(tagListDb(state_));
    } catch (const AppError&) {
        return {};
    }
}

QString TagList::askGamertag() const {
    return state_.prompter->inputBox(QString::fromLatin1(kAddPrompt),
                                     QString::fromLatin1(kAddTitle), QString());
}

TagList::AddResult TagList::add(const QString& gamertag) {
    const QString statement = playerRowStatement(gamertag);
    std::unique_ptr<Recordset> rs;
    bool stored = false;
    try {
        rs = tagListDb(state_).openRecordset(statement);
        stored = storeTag(*rs, gamertag);
        closeQuietly(rs);
    } catch (const AppError& error) {
        closeQuietly(rs);
        writeDebugLog(state_, QString::fromLatin1(kTagListStage), error, statement);
        return AddResult::Failed;
    }
    if (!stored) {
        state_.prompter->message(QString::fromLatin1(kAlreadyListedMessage), MsgButtons::Ok,
                                 MsgIcon::Exclamation, QStringLiteral("Error"));
        return AddResult::AlreadyListed;
    }
    return AddResult::Added;
}

bool TagList::confirmRemove() const {
    return state_.prompter->message(QString::fromLatin1(kRemoveConfirmMessage), MsgButtons::YesNo,
                                    MsgIcon::Question,
                                    QString::fromLatin1(kRemoveConfirmTitle)) == MsgResult::Yes;
}

bool TagList::remove(const QString& gamertag) {
    const QString statement = playerRowStatement(gamertag);
    std::unique_ptr<Recordset> rs;
    try {
        rs = tagListDb(state_).openRecordset(statement);
        rs->edit();
        rs->setField(QStringLiteral("Is_Selectable"), QStringLiteral("N"));
        rs->update();
        closeQuietly(rs);
        return true;
    } catch (const AppError& error) {
        closeQuietly(rs);
        writeDebugLog(state_, QString::fromLatin1(kTagListStage), error, statement);
        return false;
    }
}

void TagList::choose(const QString& gamertag) {
    state_.currentGamertag = gamertag;
    writeIni(state_, QStringLiteral("User"), QStringLiteral("Gamertag"), gamertag);
}

bool TagList::profileMayOpen() const {
    return !state_.currentGamertag.isEmpty();
}

}  // namespace tw
