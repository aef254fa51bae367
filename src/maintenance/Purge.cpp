#include "maintenance/Purge.h"

#include "core/DebugLog.h"
#include "core/Prompter.h"
#include "core/Session.h"
#include "core/SettingsFile.h"
#include "db/Database.h"
#include "maintenance/MaintenanceSupport.h"

namespace tw {
namespace {

bool Confirmed(Session& state, const char* question) {
    return state.prompter->Message(QString::fromLatin1(question), MsgButtons::YesNo,
                                   MsgIcon::Question,
                                   QString::fromLatin1(kPurgeConfirmTitle)) == MsgResult::Yes;
}

void TellDone(Session& state, const char* text) {
    state.prompter->Message(QString::fromLatin1(text), MsgButtons::Ok, MsgIcon::Information,
                            QStringLiteral("Done"));
}

// Runs the statements in order; on the first failure reports it and returns
// false (the statements before it stay done: there is no transaction).
bool RunStatements(Session& state, const QStringList& statements) {
    QString current;
    try {
        Database& db = OpenDatabaseOf(state);
        for (const QString& statement : statements) {
            current = statement;
            db.Execute(statement);
        }
        return true;
    } catch (const AppError& error) {
        ReportOperationFailure(state, QString::fromLatin1(kPurgeStage), error, current);
        return false;
    }
}

}  // namespace

QStringList NonTagListPurgeStatements() {
    return {
        QStringLiteral("DELETE Player_Playlist.* FROM Player, Player_Playlist WHERE "
                       "Player.Is_Selectable = 'N' AND Player.Player_Gamertag = "
                       "Player_Playlist.Player_Gamertag;"),
        QStringLiteral("DELETE Game_Player_Medal.* FROM Player, Game_Player_Medal WHERE "
                       "Player.Is_Selectable = 'N' AND Player.Player_Gamertag = "
                       "Game_Player_Medal.Player_Gamertag;"),
        QStringLiteral("DELETE Game_Player.* FROM Player, Game_Player WHERE "
                       "Player.Is_Selectable = 'N' AND Player.Player_Gamertag = "
                       "Game_Player.Player_Gamertag;"),
        QStringLiteral("DELETE Player.* FROM Player WHERE Player.Is_Selectable = 'N';"),
        QStringLiteral("delete Clan.* FROM Clan LEFT JOIN Player ON Clan.Clan_Name = "
                       "Player.Clan_Name WHERE Player.Clan_Name Is Null"),
    };
}

QStringList EntirePurgeStatements() {
    QStringList statements;
    for (const char* table :
         {"Player_Playlist", "Game_Player_Medal", "Game_Player", "Game", "Player", "Clan",
          "zLoad_Panel_1", "zLoad_Panel_2", "zLoad_Panel_4", "zLoad_Panel_5"}) {
        statements << QStringLiteral("delete * from ") + QString::fromLatin1(table);
    }
    return statements;
}

bool PurgeNonTagListPlayers(Session& state) {
    if (!Confirmed(state, kPurgeNonTagListQuestion)) {
        return false;
    }
    if (RunStatements(state, NonTagListPurgeStatements())) {
        TellDone(state, kPurgeNonTagListDone);
    }
    return true;
}

bool PurgeEntireDatabase(Session& state) {
    if (!Confirmed(state, kPurgeEntireQuestion)) {
        return false;
    }
    if (RunStatements(state, EntirePurgeStatements())) {
        TellDone(state, kPurgeEntireDone);
        WriteIni(state, QStringLiteral("User"), QStringLiteral("Gamertag"), QStringLiteral(" "));
        state.CurrentGamertag.clear();
    }
    return true;
}

}  // namespace tw
