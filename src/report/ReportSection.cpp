#include "report/ReportSection.h"

#include "db/Database.h"
#include "db/Format.h"
#include "report/ReportStatements.h"

namespace tw {

bool OpenSection(ReportRun& run, const QString& sql) {
    run.statement = sql;
    if (!run.db) {
        throw AppError(err::kEngineFailure, QStringLiteral("Tallywick"),
                       QStringLiteral("No database is open"));
    }
    run.rs = run.db->OpenRecordset(sql);
    if (run.rs->IsBOF() && run.rs->IsEOF()) {
        return false;
    }
    run.rs->MoveFirst();
    return true;
}

void CloseSection(ReportRun& run) {
    if (run.rs) {
        run.rs->Close();
        run.rs.reset();
    }
}

bool HasStoredGames(ReportRun& run) {
    const bool games = OpenSection(run, ActivityStatement(run.gamertag));
    CloseSection(run);
    return games;
}

QString FigureText(const Variant& value) {
    return value.isNull() ? QString::fromLatin1(kNoValue) : value.toText();
}

Variant CountOrZero(const Variant& count) {
    return count.isNull() ? Variant(0) : count;
}

QString RateText(const Variant& value, const Variant& divisor, const QString& pattern) {
    if (value.isNull() || divisor.isNull() || divisor.toDouble() == 0.0) {
        return QString::fromLatin1(kNoValue);
    }
    return Format(Variant(value.toDouble() / divisor.toDouble()), pattern);
}

}  // namespace tw
