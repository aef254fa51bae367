#include "query/QueryFilters.h"

#include "core/SqlText.h"

namespace tw {
namespace {

QString replaceWhere(const QString& sql, const QString& replacement) {
    // Every "WHERE" (exact letter case) is replaced, scanning on after the
    // inserted text. The condition's closing "AND " shares the blank that
    // already follows WHERE, so "WHERE Kills" becomes "WHERE ... AND Kills".
    static const QString kWhere = QStringLiteral("WHERE");
    QString out;
    qsizetype from = 0;
    for (qsizetype at = sql.indexOf(kWhere, 0, Qt::CaseSensitive); at >= 0;
         at = sql.indexOf(kWhere, from, Qt::CaseSensitive)) {
        out += QStringView(sql).mid(from, at - from);
        from = at + kWhere.size();
        const bool blankFollows = from < sql.size() && sql[from].isSpace();
        out += blankFollows ? replacement.chopped(1) : replacement;
    }
    out += QStringView(sql).mid(from);
    return out;
}

}  // namespace

QString applyQueryFilters(const QString& savedSql, PlayerFilter player, GameFilter game,
                          const QString& gamertag) {
    QString sql = savedSql;
    if (player == PlayerFilter::TagList) {
        sql = replaceWhere(sql, QStringLiteral("WHERE Player.Is_Selectable = 'Y' AND "));
    } else if (player == PlayerFilter::Me) {
        sql = replaceWhere(sql, QStringLiteral("WHERE Player.Player_Gamertag = '") +
                                    sqlText(gamertag) + QStringLiteral("' AND "));
    }
    if (game == GameFilter::Ranked) {
        sql = replaceWhere(sql, QStringLiteral("WHERE Game.Playlist <> 'Arranged Game' AND "));
    } else if (game == GameFilter::Unranked) {
        sql = replaceWhere(sql, QStringLiteral("WHERE Game.Playlist = 'Arranged Game' AND "));
    }
    return sql;
}

}  // namespace tw
