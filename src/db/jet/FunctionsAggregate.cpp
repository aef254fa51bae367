// Jet's aggregates that SQLite lacks: First and Last (the value of the first
// or last row of the group, Null included; a second argument of 0 leaves the
// row out, for crosstab cells), and StDev, StDevP, Var, VarP (sample and
// population, Nulls skipped; Null when there are too few values).

#include <cmath>

#include "db/jet/FunctionSupport.h"

namespace tw::jet::functions {

namespace {

struct Pick {
    sqlite3_value* value;
    bool seen;
};

bool rowCounts(int argc, sqlite3_value** argv) {
    return argc < 2 || sqlite3_value_int(argv[1]) != 0;
}

void firstStep(sqlite3_context* context, int argc, sqlite3_value** argv) {
    auto* pick = static_cast<Pick*>(sqlite3_aggregate_context(context, sizeof(Pick)));
    if (pick != nullptr && !pick->seen && rowCounts(argc, argv)) {
        pick->value = sqlite3_value_dup(argv[0]);
        pick->seen = true;
    }
}

void lastStep(sqlite3_context* context, int argc, sqlite3_value** argv) {
    auto* pick = static_cast<Pick*>(sqlite3_aggregate_context(context, sizeof(Pick)));
    if (pick != nullptr && rowCounts(argc, argv)) {
        sqlite3_value_free(pick->value);
        pick->value = sqlite3_value_dup(argv[0]);
        pick->seen = true;
    }
}

void pickFinal(sqlite3_context* context) {
    auto* pick = static_cast<Pick*>(sqlite3_aggregate_context(context, 0));
    if (pick == nullptr || pick->value == nullptr) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_value(context, pick->value);
    sqlite3_value_free(pick->value);
}

// Welford's running mean and sum of squared deviations.
struct Spread {
    qint64 count;
    double mean;
    double squares;
};

void spreadStep(sqlite3_context* context, int, sqlite3_value** argv) {
    if (isNull(argv[0])) {
        return;
    }
    auto* s = static_cast<Spread*>(sqlite3_aggregate_context(context, sizeof(Spread)));
    if (s == nullptr) {
        return;
    }
    const double x = sqlite3_value_double(argv[0]);
    ++s->count;
    const double delta = x - s->mean;
    s->mean += delta / static_cast<double>(s->count);
    s->squares += delta * (x - s->mean);
}

template <bool Sample, bool Root>
void spreadFinal(sqlite3_context* context) {
    auto* s = static_cast<Spread*>(sqlite3_aggregate_context(context, 0));
    const qint64 n = s == nullptr ? 0 : s->count;
    if (n < (Sample ? 2 : 1)) {
        sqlite3_result_null(context);
        return;
    }
    const double variance = s->squares / static_cast<double>(Sample ? n - 1 : n);
    sqlite3_result_double(context, Root ? std::sqrt(variance) : variance);
}

}  // namespace

void registerAggregateFunctions(sqlite3* db) {
    for (int argc : {1, 2}) {
        sqlite3_create_function_v2(db, "jet_first", argc, SQLITE_UTF8, nullptr, nullptr, firstStep,
                                   pickFinal, nullptr);
        sqlite3_create_function_v2(db, "jet_last", argc, SQLITE_UTF8, nullptr, nullptr, lastStep,
                                   pickFinal, nullptr);
    }
    struct Entry {
        const char* name;
        void (*final)(sqlite3_context*);
    };
    static constexpr Entry kSpreads[] = {
        {"jet_stdev", spreadFinal<true, true>},
        {"jet_stdevp", spreadFinal<false, true>},
        {"jet_var", spreadFinal<true, false>},
        {"jet_varp", spreadFinal<false, false>},
    };
    for (const Entry& e : kSpreads) {
        sqlite3_create_function_v2(db, e.name, 1, kDeterministic, nullptr, nullptr, spreadStep,
                                   e.final, nullptr);
    }
}

}  // namespace tw::jet::functions
