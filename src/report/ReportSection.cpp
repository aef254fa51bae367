#include "report/ReportSection.h"

#include "core/Session.h"
#include "db/Format.h"
#include "report/ReportStatements.h"

namespace tw {

bool OpenSection(Session& state, const QString& sql) {
    state.CurrentSQL = sql;
    if (!state.Db) {
        throw AppError(err::kEngineFailure, QStringLiteral("Tallywick"),
                       QStringLiteral("No database is open"));
    }
    state.rsWork = state.Db->OpenRecordset(sql);
    if (state.rsWork->IsBOF() && state.rsWork->IsEOF()) {
        return false;
    }
    state.rsWork->MoveFirst();
    return true;
}

void CloseSection(Session& state) {
    if (state.rsWork) {
        state.rsWork->Close();
        state.rsWork.reset();
    }
    state.WorkText.clear();
}

bool HasStoredGames(Session& state) {
    const bool games = OpenSection(state, ActivityStatement(state.CurrentGamertag));
    CloseSection(state);
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
