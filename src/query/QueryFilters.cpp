#include "query/QueryFilters.h"

#include <QRadioButton>

#include "app/SqlText.h"
#include "ui/frmMain.h"

namespace tw {
namespace {

QString ReplaceWhere(QString sql, const QString& replacement) {
    // QString::replace does not scan the inserted text again.
    return sql.replace(QStringLiteral("WHERE"), replacement, Qt::CaseSensitive);
}

}  // namespace

QString ApplyQueryFilters(const QString& savedSql, PlayerFilter player, GameFilter game,
                          const QString& gamertag) {
    QString sql = savedSql;
    if (player == PlayerFilter::TagList) {
        sql = ReplaceWhere(sql, QStringLiteral("WHERE Player.Is_Selectable = 'Y' AND "));
    } else if (player == PlayerFilter::Me) {
        sql = ReplaceWhere(sql, QStringLiteral("WHERE Player.Player_Gamertag = '") +
                                    SqlText(gamertag) + QStringLiteral("' AND "));
    }
    if (game == GameFilter::Ranked) {
        sql = ReplaceWhere(sql, QStringLiteral("WHERE Game.Playlist <> 'Arranged Game' AND "));
    } else if (game == GameFilter::Unranked) {
        sql = ReplaceWhere(sql, QStringLiteral("WHERE Game.Playlist = 'Arranged Game' AND "));
    }
    return sql;
}

PlayerFilter SelectedPlayerFilter(const frmMain& window) {
    if (window.optFilterPlayer[2]->isChecked()) {
        return PlayerFilter::TagList;
    }
    return window.optFilterPlayer[3]->isChecked() ? PlayerFilter::Me : PlayerFilter::All;
}

GameFilter SelectedGameFilter(const frmMain& window) {
    if (window.optFilterGame[2]->isChecked()) {
        return GameFilter::Ranked;
    }
    return window.optFilterGame[3]->isChecked() ? GameFilter::Unranked : GameFilter::All;
}

}  // namespace tw
