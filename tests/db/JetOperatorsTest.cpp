// Jet's operators and functions, evaluated by the real SQLite engine through
// the translator and the registered application functions.

#include <gtest/gtest.h>

#include "JetTestDb.h"

namespace tw::jettest {

namespace {

class JetOperators : public ::testing::Test {
  protected:
    // The value of one Jet expression as text ("Null" for Null).
    std::string eval(const QString& expression) {
        const Variant v =
            db_.scalar(QStringLiteral("SELECT ") + expression + QStringLiteral(" AS v"));
        return v.isNull() ? std::string("Null") : v.toText().toStdString();
    }
    JetTestDb db_;
};

TEST_F(JetOperators, ExpressionValues) {
    const struct {
        const char* expression;
        const char* expected;
    } cases[] = {
        // & treats Null as empty and writes numbers in general form
        {"Null & 'x'", "x"},
        {"'x' & Null", "x"},
        {"Null & Null", "Null"},
        {"Null & Null & Null", "Null"},
        {"2.0 & '|' & 3", "2|3"},
        {"(1/4) & ''", "0.25"},
        {"\"L\" & (Format(7, \"00\") & \".bmp\")", "L07.bmp"},
        {"'it''s ' & \"a \"\"b\"\"\"", "it's a \"b\""},
        // placeholders of the translator's own templates pass through literals untouched
        {"Year(IIf('%1' = '%1', #1/1/2005#, Null)) & '%2'", "2005%2"},
        // / is floating
        {"7/2", "3.5"},
        {"1/3*3", "1"},
        {"Null/2", "Null"},
        // ^ binds above unary minus and runs left to right
        {"-2^2", "-4"},
        {"2^3^2", "64"},
        {"2^-1", "0.5"},
        {"2*3^2", "18"},
        {"1+2*3", "7"},
        {"10-4-3", "3"},
        // \ and Mod round their operands half to even; Mod sits below * and \ .
        {"11\\4", "2"},
        {"-11\\4", "-2"},
        {"2.5\\1", "2"},
        {"3.5\\1", "4"},
        {"19 Mod 6.7", "5"},
        {"12.6 Mod 5", "3"},
        {"-7 Mod 3", "-1"},
        {"10 Mod 3*2", "4"},
        // Int rounds down, Fix truncates; Log is natural
        {"Int(-8.4)", "-9"},
        {"Fix(-8.4)", "-8"},
        {"Int(8.9)", "8"},
        {"Int(-12.5)", "-13"},
        {"Int(Null)", "Null"},
        {"Int(Log(80)*1000000)", "4382026"},
        {"Log(Null)", "Null"},
        // Like uses Jet's wildcards and ignores case
        {"IIf('Halo 2' Like 'h*2', 1, 0)", "1"},
        {"IIf('abc' Like 'a?c', 1, 0)", "1"},
        {"IIf('abbc' Like 'a?c', 1, 0)", "0"},
        {"IIf('a5c' Like 'a#c', 1, 0)", "1"},
        {"IIf('axc' Like 'a#c', 1, 0)", "0"},
        {"IIf('Bat' Like '[a-c]*', 1, 0)", "1"},
        {"IIf('Bat' Like '[!a-c]*', 1, 0)", "0"},
        {"IIf('50%' Like '50%', 1, 0)", "1"},
        {"IIf('500' Like '50%', 1, 0)", "0"},
        {"IIf('a_c' Like 'a_c', 1, 0)", "1"},
        {"IIf('abc' Like 'a_c', 1, 0)", "0"},
        {"IIf('abc' Not Like 'x*', 1, 0)", "1"},
        // text functions
        {"InStr('Guest(G)', '(g)')", "6"},
        {"InStr(7, 'abcabcabc', 'ABC')", "7"},
        {"InStr('abc', 'x')", "0"},
        {"InStr('abc', '')", "1"},
        {"InStr(Null, 'x')", "Null"},
        {"Left('Lockout', 3)", "Loc"},
        {"Right('Lockout', 3)", "out"},
        {"Mid('Lockout', 2, 3)", "ock"},
        {"Mid('Lockout', 5)", "out"},
        {"Len('Lockout')", "7"},
        {"Val('12.5 kills')", "12.5"},
        {"Val('none')", "0"},
        {"CStr(2.5)", "2.5"},
        {"CLng(2.5)", "2"},
        {"CLng(3.5)", "4"},
        {"UCase('abc') & LCase('DEF')", "ABCdef"},
        {"Trim('  x  ')", "x"},
        // IIf gives the false branch for a Null condition; comparisons ignore case
        {"IIf(Null, 'y', 'n')", "n"},
        {"IIf(1 = 1, 'y', 'n')", "y"},
        {"IIf(Null Is Null, 'y', 'n')", "y"},
        {"IIf(3 Between 1 And 5, 'y', 'n')", "y"},
        {"IIf(3 In (1, 2), 'y', 'n')", "n"},
        {"IIf(Not 3 In (1, 2), 'y', 'n')", "y"},
        {"IIf('abc' = 'ABC', 'y', 'n')", "y"},
        {"IIf('abc' < 'ABD', 'y', 'n')", "y"},
        // Format uses the display patterns
        {"Format(5, '00')", "05"},
        {"Format(0.25, '0 %')", "25 %"},
        {"Format(#1/5/2005 8:03 PM#, 'Mmm d, yyyy')", "Jan 5, 2005"},
        {"Format(Null, '00')", "Null"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expression);
        EXPECT_EQ(eval(QString::fromUtf8(c.expression)), c.expected);
    }
}

TEST_F(JetOperators, ErrorNumbers) {
    const struct {
        const char* expression;
        int number;
    } cases[] = {
        {"7/0", err::kDivisionByZero},
        {"7\\0", err::kDivisionByZero},
        {"7 Mod 0", err::kDivisionByZero},
        {"Log(0)", 5},
        {"Log(-1)", 5},
        {"CLng(Null)", err::kInvalidUseOfNull},
        {"NoSuchThing(1)", 3085},
        {"Left('abc')", err::kSyntaxError},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expression);
        EXPECT_EQ(errorNumberOf([&] { eval(QString::fromUtf8(c.expression)); }), c.number);
    }
}

}  // namespace

}  // namespace tw::jettest
