// Conversions of classic VB that the program relies on: leading-number
// reading, half-to-even rounding, Null and type errors, text forms.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "db/AppError.h"
#include "db/Format.h"
#include "db/Variant.h"

namespace tw {
namespace {

TEST(Val, ReadsTheLeadingNumberOnly) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"8080abc", 8080}, {"abc", 0},   {"", 0},        {"   42", 42}, {"\t7 kills", 7},
        {"-3.5x", -3.5},   {"+12", 12},  {"1.2.3", 1.2}, {".5", 0.5},   {"-", 0},
        {"12 34", 12},     {"0012", 12}, {"3,500", 3},   {"1e3", 1},    {"  -0.25", -0.25},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(val(QString::fromUtf8(c.text)), c.expected) << c.text;
    }
}

TEST(RoundHalfEven, GoesToTheEvenNeighbourOnlyAtExactHalves) {
    const struct {
        double value;
        double expected;
    } cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0},
                 {1.5, 2}, {2.4, 2}, {2.6, 3},   {-2.6, -3}, {7, 7}};
    for (const auto& c : cases) {
        EXPECT_EQ(roundHalfEven(c.value), c.expected) << c.value;
    }
}

TEST(VariantToLong, RoundsHalfToEvenUpToTheRangeLimits) {
    EXPECT_EQ(Variant("2.5").toLong(), 2);
    EXPECT_EQ(Variant("3.5").toLong(), 4);
    EXPECT_EQ(Variant(" 12 ").toLong(), 12);
    EXPECT_EQ(Variant(-7.5).toLong(), -8);
    EXPECT_EQ(Variant(int64_t{2147483647}).toLong(), 2147483647);
    EXPECT_EQ(Variant(-2147483648.4).toLong(), -2147483648LL);
    EXPECT_EQ(Variant(32767.4).toInt16(), 32767);
    EXPECT_EQ(Variant("-32768").toInt16(), -32768);
}

TEST(VariantErrors, NullNonNumbersAndOutOfRangeAreNumberedErrorsWithVbTexts) {
    const struct {
        std::function<void()> action;
        int number;
        const char* text;
    } cases[] = {
        {[] { Variant().toDouble(); }, 94, "Invalid use of Null"},
        {[] { Variant("8080abc").toLong(); }, 13, "Type mismatch"},
        {[] { Variant(1e10).toLong(); }, 6, "Overflow"},
        {[] { Variant().toText(); }, err::kInvalidUseOfNull, nullptr},
        {[] { Variant().toLong(); }, err::kInvalidUseOfNull, nullptr},
        {[] { Variant().toDateTime(); }, err::kInvalidUseOfNull, nullptr},
        {[] { Variant("").toDouble(); }, err::kTypeMismatch, nullptr},
        {[] { Variant("1.2.3").toDouble(); }, err::kTypeMismatch, nullptr},
        {[] { Variant("1e").toDouble(); }, err::kTypeMismatch, nullptr},
        {[] { Variant("no date").toDateTime(); }, err::kTypeMismatch, nullptr},
        {[] { Variant(1e300).toDateTime(); }, err::kOverflow, nullptr},
        {[] { Variant(int64_t{2147483648}).toLong(); }, err::kOverflow, nullptr},
        {[] { Variant(2147483647.5).toLong(); }, err::kOverflow, nullptr},
        {[] { Variant("32768").toInt16(); }, err::kOverflow, nullptr},
        {[] { Variant(std::nan("")).toLong(); }, err::kOverflow, nullptr},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        try {
            cases[i].action();
            ADD_FAILURE() << "no error";
        } catch (const AppError& e) {
            EXPECT_EQ(e.number(), cases[i].number);
            if (cases[i].text != nullptr) {
                EXPECT_EQ(e.description(), QString::fromUtf8(cases[i].text));
            }
        }
    }
}

TEST(VariantToDouble, ReadsWholeNumberTexts) {
    EXPECT_DOUBLE_EQ(Variant("  -1.25 ").toDouble(), -1.25);
    EXPECT_DOUBLE_EQ(Variant("1E+20").toDouble(), 1e20);
    EXPECT_DOUBLE_EQ(Variant(".5").toDouble(), 0.5);
    EXPECT_DOUBLE_EQ(Variant(int64_t{5}).toDouble(), 5);
    EXPECT_DOUBLE_EQ(Variant::fromSerialDate(38357.5).toDouble(), 38357.5);
}

TEST(VariantText, NumbersInGeneralFormAndNullJoinsAsEmpty) {
    const struct {
        Variant value;
        const char* expected;
    } cases[] = {
        {Variant(2.0), "2"},
        {Variant(0.1 + 0.2), "0.3"},
        {Variant(1e20), "1E+20"},
        {Variant(1e15), "1E+15"},
        {Variant(123456789012345.0), "123456789012345"},
        {Variant(0.0001), "0.0001"},
        {Variant(0.00001), "1E-05"},
        {Variant(-0.5), "-0.5"},
        {Variant(-0.0), "0"},
        {Variant(2.0 / 3.0), "0.666666666666667"},
        {Variant(int64_t{-42}), "-42"},
        {Variant("as is"), "as is"},
        {Variant::fromSerialDate(38357.0), "1/5/2005"},
        {Variant::fromSerialDate(38357.75), "1/5/2005 6:00:00 PM"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.value.toText(), QString::fromUtf8(c.expected)) << c.expected;
    }
    EXPECT_EQ(Variant().joinText(), QString());
    EXPECT_EQ(Variant(3.0).joinText() + Variant().joinText(), QStringLiteral("3"));
}

TEST(VariantEquality, ComparesTypeAndValue) {
    EXPECT_EQ(Variant(), Variant::null());
    EXPECT_EQ(Variant("a"), Variant(QStringLiteral("a")));
    EXPECT_FALSE(Variant(int64_t{2}) == Variant(2.0));
    EXPECT_FALSE(Variant(38357.0) == Variant::fromSerialDate(38357.0));
    EXPECT_EQ(Variant::fromDate(QDateTime()), Variant());
}

}  // namespace
}  // namespace tw
