// Jet's operators and functions, evaluated by the real SQLite engine through
// the translator and the registered application functions.

#include <gtest/gtest.h>

#include "JetTestDb.h"

namespace tw::jettest {

namespace {

class JetOperators : public ::testing::Test {
  protected:
    // The value of one Jet expression as text ("Null" for Null).
    std::string Eval(const QString& expression) {
        const Variant v =
            db.Scalar(QStringLiteral("SELECT ") + expression + QStringLiteral(" AS v"));
        return v.isNull() ? std::string("Null") : v.toText().toStdString();
    }
    int ErrorOf(const QString& expression) {
        return ErrorNumberOf([&] { Eval(expression); });
    }
    JetTestDb db;
};

TEST_F(JetOperators, JoiningTreatsNullAsEmptyAndNumbersInGeneralForm) {
    EXPECT_EQ(Eval("Null & 'x'"), "x");
    EXPECT_EQ(Eval("'x' & Null"), "x");
    EXPECT_EQ(Eval("Null & Null"), "Null");
    EXPECT_EQ(Eval("Null & Null & Null"), "Null");
    EXPECT_EQ(Eval("2.0 & '|' & 3"), "2|3");
    EXPECT_EQ(Eval("(1/4) & ''"), "0.25");
    EXPECT_EQ(Eval("\"L\" & (Format(7, \"00\") & \".bmp\")"), "L07.bmp");
    EXPECT_EQ(Eval("'it''s ' & \"a \"\"b\"\"\""), "it's a \"b\"");
    // placeholders of the translator's own templates pass through literals untouched
    EXPECT_EQ(Eval("Year(IIf('%1' = '%1', #1/1/2005#, Null)) & '%2'"), "2005%2");
}

TEST_F(JetOperators, DivisionIsFloatingAndZeroDivisorIsError11) {
    EXPECT_EQ(Eval("7/2"), "3.5");
    EXPECT_EQ(Eval("1/3*3"), "1");
    EXPECT_EQ(Eval("Null/2"), "Null");
    EXPECT_EQ(ErrorOf("7/0"), err::kDivisionByZero);
    EXPECT_EQ(ErrorOf("7\\0"), err::kDivisionByZero);
    EXPECT_EQ(ErrorOf("7 Mod 0"), err::kDivisionByZero);
}

TEST_F(JetOperators, PowerBindsAboveUnaryMinusAndLeftToRight) {
    EXPECT_EQ(Eval("-2^2"), "-4");
    EXPECT_EQ(Eval("2^3^2"), "64");
    EXPECT_EQ(Eval("2^-1"), "0.5");
    EXPECT_EQ(Eval("2*3^2"), "18");
    EXPECT_EQ(Eval("1+2*3"), "7");
    EXPECT_EQ(Eval("10-4-3"), "3");
}

TEST_F(JetOperators, IntegerDivisionAndModRoundOperandsHalfToEven) {
    EXPECT_EQ(Eval("11\\4"), "2");
    EXPECT_EQ(Eval("-11\\4"), "-2");
    EXPECT_EQ(Eval("2.5\\1"), "2");
    EXPECT_EQ(Eval("3.5\\1"), "4");
    EXPECT_EQ(Eval("19 Mod 6.7"), "5");
    EXPECT_EQ(Eval("12.6 Mod 5"), "3");
    EXPECT_EQ(Eval("-7 Mod 3"), "-1");
    // Mod sits below * and \ : 10 Mod 3*2 is 10 Mod 6
    EXPECT_EQ(Eval("10 Mod 3*2"), "4");
}

TEST_F(JetOperators, IntRoundsDownFixTruncates) {
    EXPECT_EQ(Eval("Int(-8.4)"), "-9");
    EXPECT_EQ(Eval("Fix(-8.4)"), "-8");
    EXPECT_EQ(Eval("Int(8.9)"), "8");
    EXPECT_EQ(Eval("Int(-12.5)"), "-13");
    EXPECT_EQ(Eval("Int(Null)"), "Null");
}

TEST_F(JetOperators, LogIsNaturalAndRefusesNonPositive) {
    EXPECT_EQ(Eval("Int(Log(80)*1000000)"), "4382026");
    EXPECT_EQ(ErrorOf("Log(0)"), 5);
    EXPECT_EQ(ErrorOf("Log(-1)"), 5);
    EXPECT_EQ(Eval("Log(Null)"), "Null");
}

TEST_F(JetOperators, LikeUsesJetWildcardsIgnoringCase) {
    EXPECT_EQ(Eval("IIf('Halo 2' Like 'h*2', 1, 0)"), "1");
    EXPECT_EQ(Eval("IIf('abc' Like 'a?c', 1, 0)"), "1");
    EXPECT_EQ(Eval("IIf('abbc' Like 'a?c', 1, 0)"), "0");
    EXPECT_EQ(Eval("IIf('a5c' Like 'a#c', 1, 0)"), "1");
    EXPECT_EQ(Eval("IIf('axc' Like 'a#c', 1, 0)"), "0");
    EXPECT_EQ(Eval("IIf('Bat' Like '[a-c]*', 1, 0)"), "1");
    EXPECT_EQ(Eval("IIf('Bat' Like '[!a-c]*', 1, 0)"), "0");
    EXPECT_EQ(Eval("IIf('50%' Like '50%', 1, 0)"), "1");
    EXPECT_EQ(Eval("IIf('500' Like '50%', 1, 0)"), "0");
    EXPECT_EQ(Eval("IIf('a_c' Like 'a_c', 1, 0)"), "1");
    EXPECT_EQ(Eval("IIf('abc' Like 'a_c', 1, 0)"), "0");
    EXPECT_EQ(Eval("IIf('abc' Not Like 'x*', 1, 0)"), "1");
}

TEST_F(JetOperators, TextFunctions) {
    EXPECT_EQ(Eval("InStr('Guest(G)', '(g)')"), "6");
    EXPECT_EQ(Eval("InStr(7, 'abcabcabc', 'ABC')"), "7");
    EXPECT_EQ(Eval("InStr('abc', 'x')"), "0");
    EXPECT_EQ(Eval("InStr('abc', '')"), "1");
    EXPECT_EQ(Eval("InStr(Null, 'x')"), "Null");
    EXPECT_EQ(Eval("Left('Lockout', 3)"), "Loc");
    EXPECT_EQ(Eval("Right('Lockout', 3)"), "out");
    EXPECT_EQ(Eval("Mid('Lockout', 2, 3)"), "ock");
    EXPECT_EQ(Eval("Mid('Lockout', 5)"), "out");
    EXPECT_EQ(Eval("Len('Lockout')"), "7");
    EXPECT_EQ(Eval("Val('12.5 kills')"), "12.5");
    EXPECT_EQ(Eval("Val('none')"), "0");
    EXPECT_EQ(Eval("CStr(2.5)"), "2.5");
    EXPECT_EQ(Eval("CLng(2.5)"), "2");
    EXPECT_EQ(Eval("CLng(3.5)"), "4");
    EXPECT_EQ(ErrorOf("CLng(Null)"), err::kInvalidUseOfNull);
    EXPECT_EQ(Eval("UCase('abc') & LCase('DEF')"), "ABCdef");
    EXPECT_EQ(Eval("Trim('  x  ')"), "x");
}

TEST_F(JetOperators, IIfGivesTheFalseBranchForANullCondition) {
    EXPECT_EQ(Eval("IIf(Null, 'y', 'n')"), "n");
    EXPECT_EQ(Eval("IIf(1 = 1, 'y', 'n')"), "y");
    EXPECT_EQ(Eval("IIf(Null Is Null, 'y', 'n')"), "y");
    EXPECT_EQ(Eval("IIf(3 Between 1 And 5, 'y', 'n')"), "y");
    EXPECT_EQ(Eval("IIf(3 In (1, 2), 'y', 'n')"), "n");
    EXPECT_EQ(Eval("IIf(Not 3 In (1, 2), 'y', 'n')"), "y");
    EXPECT_EQ(Eval("IIf('abc' = 'ABC', 'y', 'n')"), "y");
    EXPECT_EQ(Eval("IIf('abc' < 'ABD', 'y', 'n')"), "y");
}

TEST_F(JetOperators, FormatUsesTheDisplayPatterns) {
    EXPECT_EQ(Eval("Format(5, '00')"), "05");
    EXPECT_EQ(Eval("Format(0.25, '0 %')"), "25 %");
    EXPECT_EQ(Eval("Format(#1/5/2005 8:03 PM#, 'Mmm d, yyyy')"), "Jan 5, 2005");
    EXPECT_EQ(Eval("Format(Null, '00')"), "Null");
}

TEST_F(JetOperators, UnknownFunctionAndWrongArgumentCount) {
    EXPECT_EQ(ErrorOf("NoSuchThing(1)"), 3085);
    EXPECT_EQ(ErrorOf("Left('abc')"), err::kSyntaxError);
}

}  // namespace

}  // namespace tw::jettest
