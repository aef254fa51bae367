#include <array>
#include <vector>

#include "db/Format.h"
#include "report/ReportSection.h"
#include "report/ReportSections.h"
#include "report/ReportStatements.h"
#include "report/ReportTokens.h"

namespace tw {

namespace {

enum Measure { kGames = 0, kKills = 1, kDeaths = 2 };

// Games, kills (plus assists) and deaths per type row (column 0) and per map
// column (row 0); row r belongs to the crosstab row at position r - 1.
class MatrixTotals {
  public:
    MatrixTotals(int rows, int fields)
        : fields_(fields), cells_(static_cast<size_t>(rows + 1) * static_cast<size_t>(fields)) {}
    int32_t& at(int row, int field, Measure measure) {
        return cells_[static_cast<size_t>(row) * static_cast<size_t>(fields_) +
                      static_cast<size_t>(field)][measure];
    }

  private:
    int fields_;
    std::vector<std::array<int32_t, 3>> cells_;
};

QString ratio(double kills, double deaths) {
    return format(Variant(kills / deaths), QStringLiteral("0.0"));
}

QString gamesClass(int32_t games) {
    if (games >= 100) {
        return QStringLiteral("<td class=\"games100\">");
    }
    if (games >= 50) {
        return QStringLiteral("<td class=\"games50\">");
    }
    if (games >= 25) {
        return QStringLiteral("<td class=\"games25\">");
    }
    if (games >= 10) {
        return QStringLiteral("<td class=\"games10\">");
    }
    return QStringLiteral("<td>");
}

class MatrixBuilder {
  public:
    MatrixBuilder(const Recordset& rs, int rows)
        : rs_(rs), rows_(rows), fields_(rs.fieldCount()), totals_(rows, fields_) {}

    QString build(Recordset& rs) {
        openTable(QStringLiteral("RANKED"));
        for (; !rs.isEof(); rs.moveNext()) {
            addRow(static_cast<int>(rs.absolutePosition()) + 1);
        }
        closeTable();
        return html_;
    }

  private:
    void openTable(const QString& label) {
        html_ += QStringLiteral(
            "<table border=\"1\" align=\"center\" width=\"100%\">"
            "<tr align=\"center\" class=\"matrixhdr\">");
        for (int i = 1; i < fields_; ++i) {
            html_ += i == 1
                         ? QStringLiteral("<td align=\"left\">") + label + QStringLiteral("</td>")
                         : QStringLiteral("<td>") + htmlEscaped(rs_.fieldName(i)) +
                               QStringLiteral("</td>");
        }
        html_ += QStringLiteral("<td>#</td><td>&divide;</td></tr>");
    }

    void addRow(int r) {
        if (rs_.field(0).joinText() == QLatin1String("N") && !customTableStarted_) {
            closeTable();
            openTable(QStringLiteral("CUSTOM"));
            customTableStarted_ = true;
            totals_ = MatrixTotals(rows_, fields_);
        }
        html_ += QStringLiteral("<tr align=\"center\">");
        for (int i = 1; i < fields_; ++i) {
            if (i == 1) {
                html_ += QStringLiteral("<td align=\"right\" class=\"matrixhdr\">") +
                         htmlEscaped(rs_.field(1).joinText()) + QStringLiteral("&nbsp;</td>");
            } else {
                addCell(r, i);
            }
        }
        if (totals_.at(r, 0, kDeaths) == 0) {
            totals_.at(r, 0, kDeaths) = 1;
        }
        html_ += QStringLiteral("<td style=\"border-left: 2px solid #000000\">") +
                 QString::number(totals_.at(r, 0, kGames)) + QStringLiteral("</td><td>") +
                 ratio(totals_.at(r, 0, kKills), totals_.at(r, 0, kDeaths)) +
                 QStringLiteral("</td>\r\n</tr>\r\n");
    }

    // "games|kills|assists|deaths"; a combination without games is empty.
    void addCell(int r, int i) {
        const QString cell = rs_.field(i).joinText();
        if (cell.isEmpty() || cell == QLatin1String("|||")) {
            html_ += QStringLiteral("<td>&nbsp;</td>");
            return;
        }
        const QStringList pieces = cell.split(QLatin1Char('|'));
        const auto piece = [&](int n) { return static_cast<int32_t>(val(pieces.value(n))); };
        const int32_t games = piece(0);
        const int32_t kills = piece(1) + piece(2);
        const int32_t deaths = piece(3);
        html_ += gamesClass(games);
        for (int at : {0, 1}) {
            const int row = at == 0 ? r : 0;
            const int field = at == 0 ? 0 : i;
            totals_.at(row, field, kGames) += games;
            totals_.at(row, field, kKills) += kills;
            totals_.at(row, field, kDeaths) += deaths;
        }
        html_ += deaths > 0 ? ratio(kills, deaths) + QStringLiteral("</td>")
                            : QStringLiteral("&nbsp;</td>");
    }

    void closeTable() {
        html_ += QStringLiteral(
            "<tr align=\"center\"><td align=\"right\" class=\"matrixhdr\">#&nbsp;</td>");
        int32_t total = 0;
        for (int j = 2; j < fields_; ++j) {
            html_ += QStringLiteral("<td  style=\"border-top: 2px solid #000000\">") +
                     QString::number(totals_.at(0, j, kGames)) + QStringLiteral("</td>");
            total += totals_.at(0, j, kGames);
        }
        html_ += QStringLiteral("<td><b>") + QString::number(total) +
                 QStringLiteral("</b></td><td>&nbsp;</td></tr>");
        html_ += QStringLiteral(
            "<tr align=\"center\"><td align=\"right\" class=\"matrixhdr\">&divide;&nbsp;</td>");
        int32_t sumKills = 0;
        int32_t sumDeaths = 0;
        for (int j = 2; j < fields_; ++j) {
            sumDeaths += totals_.at(0, j, kDeaths);
            if (totals_.at(0, j, kDeaths) == 0) {
                totals_.at(0, j, kDeaths) = 1;
            }
            html_ += QStringLiteral("<td>") +
                     ratio(totals_.at(0, j, kKills), totals_.at(0, j, kDeaths)) +
                     QStringLiteral("</td>");
            sumKills += totals_.at(0, j, kKills);
        }
        if (sumDeaths == 0) {
            sumDeaths = 1;
        }
        html_ += QStringLiteral("<td>&nbsp;</td><td><b>") + ratio(sumKills, sumDeaths) +
                 QStringLiteral("</b></td></tr></table><br />");
    }

    const Recordset& rs_;
    int rows_;
    int fields_;
    MatrixTotals totals_;
    bool customTableStarted_ = false;
    QString html_;
};

}  // namespace

void matrixSection(ReportRun& run, ReportPage& page) {
    const bool useKApD = run.useKApD;
    page.fill("?RATIO_TYPE?", useKApD ? QStringLiteral("KApD") : QStringLiteral("KpD"));
    if (openSection(run, matrixStatement(run.gamertag, useKApD))) {
        Recordset& rs = *run.rs;
        rs.moveLast();
        rs.moveFirst();
        MatrixBuilder builder(rs, static_cast<int>(rs.recordCount()));
        page.fillHtml("?EFFICIENCY_MATRIX?", builder.build(rs));
    }
    closeSection(run);
}

}  // namespace tw
