// Arithmetic with VB's rules: / always floating, \ and Mod on operands rounded
// half to even, a zero divisor is error 11; Int rounds down, Fix toward zero;
// Log and Sqr refuse arguments outside their domain (error 5).

#include <cmath>
#include <limits>

#include "db/jet/FunctionSupport.h"
#include "db/jet/JetErrors.h"

namespace tw::jet::functions {

namespace {

// Reads both operands; false when a Null was met (result Null) or an error
// was reported.
bool twoNumbers(sqlite3_context* context, sqlite3_value** argv, double& a, double& b) {
    if (isNull(argv[0]) || isNull(argv[1])) {
        sqlite3_result_null(context);
        return false;
    }
    const std::optional<double> x = numberOf(context, argv[0]);
    if (!x) {
        return false;
    }
    const std::optional<double> y = numberOf(context, argv[1]);
    if (!y) {
        return false;
    }
    a = *x;
    b = *y;
    return true;
}

bool oneNumber(sqlite3_context* context, sqlite3_value** argv, double& a) {
    if (isNull(argv[0])) {
        sqlite3_result_null(context);
        return false;
    }
    const std::optional<double> x = numberOf(context, argv[0]);
    if (!x) {
        return false;
    }
    a = *x;
    return true;
}

void divisionByZero(sqlite3_context* context) {
    resultError(context, err::kDivisionByZero, "Division by zero");
}

void invalidArgument(sqlite3_context* context) {
    resultError(context, kInvalidProcedureCall, "Invalid procedure call or argument");
}

void divide(sqlite3_context* context, int, sqlite3_value** argv) {
    double a = 0, b = 0;
    if (!twoNumbers(context, argv, a, b)) {
        return;
    }
    if (b == 0) {
        divisionByZero(context);
        return;
    }
    sqlite3_result_double(context, a / b);
}

// \ and Mod: both operands rounded to whole numbers first, half to even.
bool wholeOperands(sqlite3_context* context, sqlite3_value** argv, int64_t& a, int64_t& b) {
    double x = 0, y = 0;
    if (!twoNumbers(context, argv, x, y)) {
        return false;
    }
    x = roundHalfEven(x);
    y = roundHalfEven(y);
    constexpr double kLimit = 9.2e18;
    if (std::fabs(x) > kLimit || std::fabs(y) > kLimit) {
        resultError(context, err::kOverflow, "Overflow");
        return false;
    }
    if (y == 0) {
        divisionByZero(context);
        return false;
    }
    a = static_cast<int64_t>(x);
    b = static_cast<int64_t>(y);
    return true;
}

void integerDivide(sqlite3_context* context, int, sqlite3_value** argv) {
    int64_t a = 0, b = 0;
    if (wholeOperands(context, argv, a, b)) {
        sqlite3_result_int64(context, a / b);
    }
}

void modulo(sqlite3_context* context, int, sqlite3_value** argv) {
    int64_t a = 0, b = 0;
    if (wholeOperands(context, argv, a, b)) {
        sqlite3_result_int64(context, a % b);
    }
}

void power(sqlite3_context* context, int, sqlite3_value** argv) {
    double a = 0, b = 0;
    if (!twoNumbers(context, argv, a, b)) {
        return;
    }
    if (a == 0 && b < 0) {
        divisionByZero(context);
        return;
    }
    const double result = std::pow(a, b);
    if (std::isnan(result)) {
        invalidArgument(context);
        return;
    }
    sqlite3_result_double(context, result);
}

// Int and Fix keep a whole number whole.
template <double (*Rounding)(double)>
void wholePart(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_numeric_type(argv[0]) == SQLITE_INTEGER) {
        sqlite3_result_int64(context, sqlite3_value_int64(argv[0]));
        return;
    }
    double a = 0;
    if (oneNumber(context, argv, a)) {
        sqlite3_result_double(context, Rounding(a));
    }
}

double roundDown(double x) {
    return std::floor(x);
}
double roundTowardZero(double x) {
    return std::trunc(x);
}

void sign(sqlite3_context* context, int, sqlite3_value** argv) {
    double a = 0;
    if (oneNumber(context, argv, a)) {
        sqlite3_result_int(context, a > 0 ? 1 : (a < 0 ? -1 : 0));
    }
}

void logarithm(sqlite3_context* context, int, sqlite3_value** argv) {
    double a = 0;
    if (!oneNumber(context, argv, a)) {
        return;
    }
    if (a <= 0) {
        invalidArgument(context);
        return;
    }
    sqlite3_result_double(context, std::log(a));
}

void squareRoot(sqlite3_context* context, int, sqlite3_value** argv) {
    double a = 0;
    if (!oneNumber(context, argv, a)) {
        return;
    }
    if (a < 0) {
        invalidArgument(context);
        return;
    }
    sqlite3_result_double(context, std::sqrt(a));
}

void exponential(sqlite3_context* context, int, sqlite3_value** argv) {
    double a = 0;
    if (oneNumber(context, argv, a)) {
        sqlite3_result_double(context, std::exp(a));
    }
}

void round(sqlite3_context* context, int argc, sqlite3_value** argv) {
    double a = 0;
    if (!oneNumber(context, argv, a)) {
        return;
    }
    const double places = argc > 1 && !isNull(argv[1]) ? sqlite3_value_double(argv[1]) : 0;
    if (places < 0) {
        invalidArgument(context);
        return;
    }
    const double scale = std::pow(10.0, places);
    sqlite3_result_double(context, roundHalfEven(a * scale) / scale);
}

// CLng / CInt: Null is error 94, rounding half to even, out of range error 6.
template <int64_t Low, int64_t High>
void toWhole(sqlite3_context* context, int, sqlite3_value** argv) {
    if (isNull(argv[0])) {
        resultError(context, err::kInvalidUseOfNull, "Invalid use of Null");
        return;
    }
    const std::optional<double> a = numberOf(context, argv[0]);
    if (!a) {
        return;
    }
    const double rounded = roundHalfEven(*a);
    if (rounded < static_cast<double>(Low) || rounded > static_cast<double>(High)) {
        resultError(context, err::kOverflow, "Overflow");
        return;
    }
    sqlite3_result_int64(context, static_cast<int64_t>(rounded));
}

void toDouble(sqlite3_context* context, int, sqlite3_value** argv) {
    if (isNull(argv[0])) {
        resultError(context, err::kInvalidUseOfNull, "Invalid use of Null");
        return;
    }
    if (const std::optional<double> a = numberOf(context, argv[0])) {
        sqlite3_result_double(context, *a);
    }
}

}  // namespace

void registerNumberFunctions(sqlite3* db) {
    struct Entry {
        const char* name;
        int argc;
        void (*function)(sqlite3_context*, int, sqlite3_value**);
    };
    static constexpr Entry kEntries[] = {
        {"jet_div", 2, divide},
        {"jet_intdiv", 2, integerDivide},
        {"jet_mod", 2, modulo},
        {"jet_pow", 2, power},
        {"jet_int", 1, wholePart<roundDown>},
        {"jet_fix", 1, wholePart<roundTowardZero>},
        {"jet_sgn", 1, sign},
        {"jet_log", 1, logarithm},
        {"jet_sqr", 1, squareRoot},
        {"jet_exp", 1, exponential},
        {"jet_round", -1, round},
        {"jet_clng", 1, toWhole<-2147483648LL, 2147483647LL>},
        {"jet_cint", 1, toWhole<-32768, 32767>},
        {"jet_cdbl", 1, toDouble},
    };
    for (const Entry& e : kEntries) {
        sqlite3_create_function_v2(db, e.name, e.argc, kDeterministic, nullptr, e.function, nullptr,
                                   nullptr, nullptr);
    }
}

}  // namespace tw::jet::functions
