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
bool TwoNumbers(sqlite3_context* context, sqlite3_value** argv, double& a, double& b) {
    if (IsNull(argv[0]) || IsNull(argv[1])) {
        sqlite3_result_null(context);
        return false;
    }
    const std::optional<double> x = NumberOf(context, argv[0]);
    if (!x) {
        return false;
    }
    const std::optional<double> y = NumberOf(context, argv[1]);
    if (!y) {
        return false;
    }
    a = *x;
    b = *y;
    return true;
}

bool OneNumber(sqlite3_context* context, sqlite3_value** argv, double& a) {
    if (IsNull(argv[0])) {
        sqlite3_result_null(context);
        return false;
    }
    const std::optional<double> x = NumberOf(context, argv[0]);
    if (!x) {
        return false;
    }
    a = *x;
    return true;
}

void DivisionByZero(sqlite3_context* context) {
    ResultError(context, err::kDivisionByZero, "Division by zero");
}

void InvalidArgument(sqlite3_context* context) {
    ResultError(context, kInvalidProcedureCall, "Invalid procedure call or argument");
}

void Divide(sqlite3_context* context, int, sqlite3_value** argv) {
    double a = 0, b = 0;
    if (!TwoNumbers(context, argv, a, b)) {
        return;
    }
    if (b == 0) {
        DivisionByZero(context);
        return;
    }
    sqlite3_result_double(context, a / b);
}

// \ and Mod: both operands rounded to whole numbers first, half to even.
bool WholeOperands(sqlite3_context* context, sqlite3_value** argv, int64_t& a, int64_t& b) {
    double x = 0, y = 0;
    if (!TwoNumbers(context, argv, x, y)) {
        return false;
    }
    x = RoundHalfEven(x);
    y = RoundHalfEven(y);
    constexpr double kLimit = 9.2e18;
    if (std::fabs(x) > kLimit || std::fabs(y) > kLimit) {
        ResultError(context, err::kOverflow, "Overflow");
        return false;
    }
    if (y == 0) {
        DivisionByZero(context);
        return false;
    }
    a = static_cast<int64_t>(x);
    b = static_cast<int64_t>(y);
    return true;
}

void IntegerDivide(sqlite3_context* context, int, sqlite3_value** argv) {
    int64_t a = 0, b = 0;
    if (WholeOperands(context, argv, a, b)) {
        sqlite3_result_int64(context, a / b);
    }
}

void Modulo(sqlite3_context* context, int, sqlite3_value** argv) {
    int64_t a = 0, b = 0;
    if (WholeOperands(context, argv, a, b)) {
        sqlite3_result_int64(context, a % b);
    }
}

void Power(sqlite3_context* context, int, sqlite3_value** argv) {
    double a = 0, b = 0;
    if (!TwoNumbers(context, argv, a, b)) {
        return;
    }
    if (a == 0 && b < 0) {
        DivisionByZero(context);
        return;
    }
    const double result = std::pow(a, b);
    if (std::isnan(result)) {
        InvalidArgument(context);
        return;
    }
    sqlite3_result_double(context, result);
}

// Int and Fix keep a whole number whole.
template <double (*Rounding)(double)>
void WholePart(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_numeric_type(argv[0]) == SQLITE_INTEGER) {
        sqlite3_result_int64(context, sqlite3_value_int64(argv[0]));
        return;
    }
    double a = 0;
    if (OneNumber(context, argv, a)) {
        sqlite3_result_double(context, Rounding(a));
    }
}

double Floor(double x) {
    return std::floor(x);
}
double Truncate(double x) {
    return std::trunc(x);
}

void Sign(sqlite3_context* context, int, sqlite3_value** argv) {
    double a = 0;
    if (OneNumber(context, argv, a)) {
        sqlite3_result_int(context, a > 0 ? 1 : (a < 0 ? -1 : 0));
    }
}

void Logarithm(sqlite3_context* context, int, sqlite3_value** argv) {
    double a = 0;
    if (!OneNumber(context, argv, a)) {
        return;
    }
    if (a <= 0) {
        InvalidArgument(context);
        return;
    }
    sqlite3_result_double(context, std::log(a));
}

void SquareRoot(sqlite3_context* context, int, sqlite3_value** argv) {
    double a = 0;
    if (!OneNumber(context, argv, a)) {
        return;
    }
    if (a < 0) {
        InvalidArgument(context);
        return;
    }
    sqlite3_result_double(context, std::sqrt(a));
}

void Exponential(sqlite3_context* context, int, sqlite3_value** argv) {
    double a = 0;
    if (OneNumber(context, argv, a)) {
        sqlite3_result_double(context, std::exp(a));
    }
}

void Round(sqlite3_context* context, int argc, sqlite3_value** argv) {
    double a = 0;
    if (!OneNumber(context, argv, a)) {
        return;
    }
    const double places = argc > 1 && !IsNull(argv[1]) ? sqlite3_value_double(argv[1]) : 0;
    if (places < 0) {
        InvalidArgument(context);
        return;
    }
    const double scale = std::pow(10.0, places);
    sqlite3_result_double(context, RoundHalfEven(a * scale) / scale);
}

// CLng / CInt: Null is error 94, rounding half to even, out of range error 6.
template <int64_t Low, int64_t High>
void ToWhole(sqlite3_context* context, int, sqlite3_value** argv) {
    if (IsNull(argv[0])) {
        ResultError(context, err::kInvalidUseOfNull, "Invalid use of Null");
        return;
    }
    const std::optional<double> a = NumberOf(context, argv[0]);
    if (!a) {
        return;
    }
    const double rounded = RoundHalfEven(*a);
    if (rounded < static_cast<double>(Low) || rounded > static_cast<double>(High)) {
        ResultError(context, err::kOverflow, "Overflow");
        return;
    }
    sqlite3_result_int64(context, static_cast<int64_t>(rounded));
}

void ToDouble(sqlite3_context* context, int, sqlite3_value** argv) {
    if (IsNull(argv[0])) {
        ResultError(context, err::kInvalidUseOfNull, "Invalid use of Null");
        return;
    }
    if (const std::optional<double> a = NumberOf(context, argv[0])) {
        sqlite3_result_double(context, *a);
    }
}

}  // namespace

void RegisterNumberFunctions(sqlite3* db) {
    struct Entry {
        const char* name;
        int argc;
        void (*function)(sqlite3_context*, int, sqlite3_value**);
    };
    static constexpr Entry kEntries[] = {
        {"jet_div", 2, Divide},
        {"jet_intdiv", 2, IntegerDivide},
        {"jet_mod", 2, Modulo},
        {"jet_pow", 2, Power},
        {"jet_int", 1, WholePart<Floor>},
        {"jet_fix", 1, WholePart<Truncate>},
        {"jet_sgn", 1, Sign},
        {"jet_log", 1, Logarithm},
        {"jet_sqr", 1, SquareRoot},
        {"jet_exp", 1, Exponential},
        {"jet_round", -1, Round},
        {"jet_clng", 1, ToWhole<-2147483648LL, 2147483647LL>},
        {"jet_cint", 1, ToWhole<-32768, 32767>},
        {"jet_cdbl", 1, ToDouble},
    };
    for (const Entry& e : kEntries) {
        sqlite3_create_function_v2(db, e.name, e.argc, kDeterministic, nullptr, e.function, nullptr,
                                   nullptr, nullptr);
    }
}

}  // namespace tw::jet::functions
