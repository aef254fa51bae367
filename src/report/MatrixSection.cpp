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
        : fields_(fields), cells_(static_cast<size_t>((rows + 1) * fields)) {}
    int32_t& at(int row, int field, Measure measure) {
        return cells_[static_cast<size_t>(row * fields_ + field)][measure];
    }

  private:
    int fields_;
    std::vector<std::array<int32_t, 3>> cells_;
};

QString Ratio(double kills, double deaths) {
    return Format(Variant(kills / deaths), QStringLiteral("0.0"));
}

QString GamesClass(int32_t games) {
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
        : rs_(rs), rows_(rows), fields_(rs.FieldCount()), totals_(rows, fields_) {}

    QString Build(Recordset& rs) {
        OpenTable(QStringLiteral("RANKED"));
        for (; !rs.IsEOF(); rs.MoveNext()) {
            AddRow(static_cast<int>(rs.AbsolutePosition()) + 1);
        }
        CloseTable();
        return html_;
    }

  private:
    void OpenTable(const QString& label) {
        html_ += QStringLiteral(
            "<table border=\"1\" align=\"center\" width=\"100%\">"
            "<tr align=\"center\" class=\"matrixhdr\">");
        for (int i = 1; i < fields_; ++i) {
            html_ += i == 1
                         ? QStringLiteral("<td align=\"left\">") + label + QStringLiteral("</td>")
                         : QStringLiteral("<td>") + HtmlEscaped(rs_.FieldName(i)) +
                               QStringLiteral("</td>");
        }
        html_ += QStringLiteral("<td>#</td><td>&divide;</td></tr>");
    }

    void AddRow(int r) {
        if (rs_.Field(0).joinText() == QLatin1String("N") && !customTableStarted_) {
            CloseTable();
            OpenTable(QStringLiteral("CUSTOM"));
            customTableStarted_ = true;
            totals_ = MatrixTotals(rows_, fields_);
        }
        html_ += QStringLiteral("<tr align=\"center\">");
        for (int i = 1; i < fields_; ++i) {
            if (i == 1) {
                html_ += QStringLiteral("<td align=\"right\" class=\"matrixhdr\">") +
                         HtmlEscaped(rs_.Field(1).joinText()) + QStringLiteral("&nbsp;</td>");
            } else {
                AddCell(r, i);
            }
        }
        if (totals_.at(r, 0, kDeaths) == 0) {
            totals_.at(r, 0, kDeaths) = 1;
        }
        html_ += QStringLiteral("<td style=\"border-left: 2px solid #000000\">") +
                 QString::number(totals_.at(r, 0, kGames)) + QStringLiteral("</td><td>") +
                 Ratio(totals_.at(r, 0, kKills), totals_.at(r, 0, kDeaths)) +
                 QStringLiteral("</td>\r\n</tr>\r\n");
    }

    // "games|kills|assists|deaths"; a combination without games is empty.
    void AddCell(int r, int i) {
        const QString cell = rs_.Field(i).joinText();
        if (cell.isEmpty() || cell == QLatin1String("|||")) {
            html_ += QStringLiteral("<td>&nbsp;</td>");
            return;
        }
        const QStringList pieces = cell.split(QLatin1Char('|'));
        const auto piece = [&](int n) { return static_cast<int32_t>(Val(pieces.value(n))); };
        const int32_t games = piece(0);
        const int32_t kills = piece(1) + piece(2);
        const int32_t deaths = piece(3);
        html_ += GamesClass(games);
        for (int at : {0, 1}) {
            const int row = at == 0 ? r : 0;
            const int field = at == 0 ? 0 : i;
            totals_.at(row, field, kGames) += games;
            totals_.at(row, field, kKills) += kills;
            totals_.at(row, field, kDeaths) += deaths;
        }
        html_ += deaths > 0 ? Ratio(kills, deaths) + QStringLiteral("</td>")
                            : QStringLiteral("&nbsp;</td>");
    }

    void CloseTable() {
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
                     Ratio(totals_.at(0, j, kKills), totals_.at(0, j, kDeaths)) +
                     QStringLiteral("</td>");
            sumKills += totals_.at(0, j, kKills);
        }
        if (sumDeaths == 0) {
            sumDeaths = 1;
        }
        html_ += QStringLiteral("<td>&nbsp;</td><td><b>") + Ratio(sumKills, sumDeaths) +
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

void MatrixSection(ReportRun& run, ReportPage& page) {
    const bool useKApD = run.useKApD;
    page.Fill("?RATIO_TYPE?", useKApD ? QStringLiteral("KApD") : QStringLiteral("KpD"));
    if (OpenSection(run, MatrixStatement(run.gamertag, useKApD))) {
        Recordset& rs = *run.rs;
        rs.MoveLast();
        rs.MoveFirst();
        MatrixBuilder builder(rs, static_cast<int>(rs.RecordCount()));
        page.FillHtml("?EFFICIENCY_MATRIX?", builder.Build(rs));
    }
    CloseSection(run);
}

}  // namespace tw
