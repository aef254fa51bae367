#include "report/ReportSection.h"

#include "db/Database.h"
#include "db/Format.h"
#include "report/ReportStatements.h"

namespace tw {

bool openSection(ReportRun& run, const QString& sql) {
    run.statement = sql;
    if (!run.db) {
        throw AppError(err::kEngineFailure, QStringLiteral("Tallywick"),
                       QStringLiteral("No database is open"));
    }
    run.rs = run.db->openRecordset(sql);
    if (run.rs->isBof() && run.rs->isEof()) {
        return false;
    }
    run.rs->moveFirst();
    return true;
}

void closeSection(ReportRun& run) {
    if (run.rs) {
        run.rs->close();
        run.rs.reset();
    }
}

bool hasStoredGames(ReportRun& run) {
    const bool games = openSection(run, activityStatement(run.gamertag));
    closeSection(run);
    return games;
}

QString figureText(const Variant& value) {
    return value.isNull() ? QString::fromLatin1(kNoValue) : value.toText();
}

Variant countOrZero(const Variant& count) {
    return count.isNull() ? Variant(0) : count;
}

QString rateText(const Variant& value, const Variant& divisor, const QString& pattern) {
    if (value.isNull() || divisor.isNull() || divisor.toDouble() == 0.0) {
        return QString::fromLatin1(kNoValue);
    }
    return format(Variant(value.toDouble() / divisor.toDouble()), pattern);
}

}  // namespace tw
