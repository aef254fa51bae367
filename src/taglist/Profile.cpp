#include "taglist/Profile.h"

#include <memory>

#include "core/DebugLog.h"
#include "core/Session.h"
#include "core/SqlText.h"
#include "db/Database.h"
#include "db/SqliteErrors.h"

namespace tw {
namespace {

// Blanks (spaces) around the text removed, as the stored texts always were.
QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' ')) {
        ++first;
    }
    while (last > first && text.at(last - 1) == QLatin1Char(' ')) {
        --last;
    }
    return text.mid(first, last - first);
}

// The first `length` characters, never ending in half of a surrogate pair.
QString leftCharacters(const QString& text, int length) {
    if (text.size() <= length) {
        return text;
    }
    const int cut = text.at(length - 1).isHighSurrogate() ? length - 1 : length;
    return text.left(cut);
}

Database& profileDb(Session& state) {
    if (!state.db || !state.db->isOpen()) {
        throw sqlite::objectClosedError(sqlite::kDatabaseSource);
    }
    return *state.db;
}

int hexPair(const QString& text, int start) {
    bool ok = false;
    const int value = text.mid(start, 2).toInt(&ok, 16);
    return ok ? value : 0;
}

QString fullProfileStatement(const QString& gamertag) {
    return QStringLiteral("SELECT * FROM Player, Clan, Color AS C1, Color AS C2 ") +
           QStringLiteral("WHERE Player_Gamertag = '") + sqlText(gamertag) +
           QStringLiteral("' AND ") + QStringLiteral("Primary_Color_Code = C1.Color_Code AND ") +
           QStringLiteral("Secondary_Color_Code = C2.Color_Code AND ") +
           QStringLiteral("Player.Clan_Name = Clan.Clan_Name");
}

// True when the player has its clan and colour rows.
bool readFullProfile(Database& db, const QString& statement, Profile& profile) {
    std::unique_ptr<Recordset> rs = db.openRecordset(statement);
    const bool found = !rs->isEof();
    if (found) {
        profile.quote = rs->field(QStringLiteral("Personal_Quote")).joinText();
        profile.website = rs->field(QStringLiteral("Website_URL")).joinText();
        profile.primaryColor =
            colorFromHexText(rs->field(QStringLiteral("C1.Hexadecimal_Format")).joinText());
        profile.secondaryColor =
            colorFromHexText(rs->field(QStringLiteral("C2.Hexadecimal_Format")).joinText());
    }
    rs->close();
    return found;
}

void readQuoteAlone(Database& db, const QString& statement, Profile& profile) {
    std::unique_ptr<Recordset> rs = db.openRecordset(statement);
    if (!rs->isEof()) {
        profile.quote = rs->field(0).joinText();
    }
    rs->close();
}

}  // namespace

QColor colorFromHexText(const QString& rrggbb) {
    return QColor(hexPair(rrggbb, 0), hexPair(rrggbb, 2), hexPair(rrggbb, 4));
}

QString storedQuote(const QString& typed) {
    return leftCharacters(trimBlanks(typed), kProfileTextLength);
}

QString storedWebsite(const QString& typed) {
    return leftCharacters(trimBlanks(typed), kProfileTextLength);
}

bool readProfile(Session& state, const QString& gamertag, Profile& profile) {
    QString statement = fullProfileStatement(gamertag);
    try {
        Database& db = profileDb(state);
        if (!readFullProfile(db, statement, profile)) {
            statement =
                QStringLiteral("SELECT Personal_Quote FROM Player WHERE Player_Gamertag = '") +
                sqlText(gamertag) + QStringLiteral("'");
            readQuoteAlone(db, statement, profile);
        }
        return true;
    } catch (const AppError& error) {
        reportOperationFailure(state, QString::fromLatin1(kProfileStage), error, statement);
        return false;
    }
}

bool saveProfile(Session& state, const QString& gamertag, const QString& clanName,
                 const QString& quote, const QString& website) {
    QString statement =
        QStringLiteral("update Player set Personal_Quote = '") + sqlText(storedQuote(quote)) +
        QStringLiteral("' where Player_Gamertag = '") + sqlText(gamertag) + QStringLiteral("'");
    try {
        Database& db = profileDb(state);
        db.execute(statement);
        // No clan ("-") matches no row.
        statement = QStringLiteral("update Clan set Website_URL = '") +
                    sqlText(storedWebsite(website)) + QStringLiteral("' where Clan_Name = '") +
                    sqlText(clanName) + QStringLiteral("'");
        db.execute(statement);
        return true;
    } catch (const AppError& error) {
        reportOperationFailure(state, QString::fromLatin1(kProfileStage), error, statement);
        return false;
    }
}

}  // namespace tw
