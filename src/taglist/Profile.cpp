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
QString TrimBlanks(const QString& text) {
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
QString LeftCharacters(const QString& text, int length) {
    if (text.size() <= length) {
        return text;
    }
    const int cut = text.at(length - 1).isHighSurrogate() ? length - 1 : length;
    return text.left(cut);
}

Database& OpenDb(Session& state) {
    if (!state.Db || !state.Db->isOpen()) {
        throw sqlite::ObjectClosedError(sqlite::kDatabaseSource);
    }
    return *state.Db;
}

int HexPair(const QString& text, int start) {
    bool ok = false;
    const int value = text.mid(start, 2).toInt(&ok, 16);
    return ok ? value : 0;
}

QString FullProfileStatement(const QString& gamertag) {
    return QStringLiteral("SELECT * FROM Player, Clan, Color AS C1, Color AS C2 ") +
           QStringLiteral("WHERE Player_Gamertag = '") + SqlText(gamertag) +
           QStringLiteral("' AND ") + QStringLiteral("Primary_Color_Code = C1.Color_Code AND ") +
           QStringLiteral("Secondary_Color_Code = C2.Color_Code AND ") +
           QStringLiteral("Player.Clan_Name = Clan.Clan_Name");
}

// True when the player has its clan and colour rows.
bool ReadFullProfile(Database& db, const QString& statement, Profile& profile) {
    std::unique_ptr<Recordset> rs = db.OpenRecordset(statement);
    const bool found = !rs->IsEOF();
    if (found) {
        profile.quote = rs->Field(QStringLiteral("Personal_Quote")).joinText();
        profile.website = rs->Field(QStringLiteral("Website_URL")).joinText();
        profile.primaryColor =
            ColorFromHexText(rs->Field(QStringLiteral("C1.Hexadecimal_Format")).joinText());
        profile.secondaryColor =
            ColorFromHexText(rs->Field(QStringLiteral("C2.Hexadecimal_Format")).joinText());
    }
    rs->Close();
    return found;
}

void ReadQuoteAlone(Database& db, const QString& statement, Profile& profile) {
    std::unique_ptr<Recordset> rs = db.OpenRecordset(statement);
    if (!rs->IsEOF()) {
        profile.quote = rs->Field(0).joinText();
    }
    rs->Close();
}

}  // namespace

QColor ColorFromHexText(const QString& rrggbb) {
    return QColor(HexPair(rrggbb, 0), HexPair(rrggbb, 2), HexPair(rrggbb, 4));
}

QString StoredQuote(const QString& typed) {
    return LeftCharacters(TrimBlanks(typed), kProfileTextLength);
}

QString StoredWebsite(const QString& typed) {
    return LeftCharacters(TrimBlanks(typed), kProfileTextLength);
}

bool ReadProfile(Session& state, const QString& gamertag, Profile& profile) {
    QString statement = FullProfileStatement(gamertag);
    try {
        Database& db = OpenDb(state);
        if (!ReadFullProfile(db, statement, profile)) {
            statement =
                QStringLiteral("SELECT Personal_Quote FROM Player WHERE Player_Gamertag = '") +
                SqlText(gamertag) + QStringLiteral("'");
            ReadQuoteAlone(db, statement, profile);
        }
        return true;
    } catch (const AppError& error) {
        ReportOperationFailure(state, QString::fromLatin1(kProfileStage), error, statement);
        return false;
    }
}

bool SaveProfile(Session& state, const QString& gamertag, const QString& clanName,
                 const QString& quote, const QString& website) {
    QString statement =
        QStringLiteral("update Player set Personal_Quote = '") + SqlText(StoredQuote(quote)) +
        QStringLiteral("' where Player_Gamertag = '") + SqlText(gamertag) + QStringLiteral("'");
    try {
        Database& db = OpenDb(state);
        db.Execute(statement);
        // No clan ("-") matches no row.
        statement = QStringLiteral("update Clan set Website_URL = '") +
                    SqlText(StoredWebsite(website)) + QStringLiteral("' where Clan_Name = '") +
                    SqlText(clanName) + QStringLiteral("'");
        db.Execute(statement);
        return true;
    } catch (const AppError& error) {
        ReportOperationFailure(state, QString::fromLatin1(kProfileStage), error, statement);
        return false;
    }
}

}  // namespace tw
