#include "maintenance/Purge.h"

#include "core/DebugLog.h"
#include "core/Prompter.h"
#include "core/Session.h"
#include "core/SettingsFile.h"
#include "db/Database.h"
#include "maintenance/MaintenanceSupport.h"

namespace tw {
namespace {

bool confirmed(Session& state, const char* question) {
    return state.prompter->message(QString::fromLatin1(question), MsgButtons::YesNo,
                                   MsgIcon::Question,
                                   QString::fromLatin1(kPurgeConfirmTitle)) == MsgResult::Yes;
}

void tellDone(Session& state, const char* text) {
    state.prompter->message(QString::fromLatin1(text), MsgButtons::Ok, MsgIcon::Information,
                            QStringLiteral("Done"));
}

// Runs the statements in order; on the first failure reports it and returns
// false (the statements before it stay done: there is no transaction).
bool runStatements(Session& state, const QStringList& statements) {
    QString current;
    try {
        Database& db = openDatabaseOf(state);
        for (const QString& statement : statements) {
            current = statement;
            db.execute(statement);
        }
        return true;
    } catch (const AppError& error) {
        reportOperationFailure(state, QString::fromLatin1(kPurgeStage), error, current);
        return false;
    }
}

}  // namespace

QStringList nonTagListPurgeStatements() {
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

QStringList entirePurgeStatements() {
    QStringList statements;
    for (const char* table :
         {"Player_Playlist", "Game_Player_Medal", "Game_Player", "Game", "Player", "Clan",
          "zLoad_Panel_1", "zLoad_Panel_2", "zLoad_Panel_4", "zLoad_Panel_5"}) {
        statements << QStringLiteral("delete * from ") + QString::fromLatin1(table);
    }
    return statements;
}

bool purgeNonTagListPlayers(Session& state) {
    if (!confirmed(state, kPurgeNonTagListQuestion)) {
        return false;
    }
    if (runStatements(state, nonTagListPurgeStatements())) {
        tellDone(state, kPurgeNonTagListDone);
    }
    return true;
}

bool purgeEntireDatabase(Session& state) {
    if (!confirmed(state, kPurgeEntireQuestion)) {
        return false;
    }
    if (runStatements(state, entirePurgeStatements())) {
        tellDone(state, kPurgeEntireDone);
        writeIni(state, QStringLiteral("User"), QStringLiteral("Gamertag"), QStringLiteral(" "));
        state.currentGamertag.clear();
    }
    return true;
}

}  // namespace tw
