#include "common/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

namespace kestrova {
namespace {

TEST(StackText, CurrencySignIsDroppedButAFirstDigitIsKept) {
    EXPECT_DOUBLE_EQ(stackAmount("1250.50"), 1250.50);
    EXPECT_DOUBLE_EQ(stackAmount("$1250.50"), 1250.50);
    EXPECT_DOUBLE_EQ(stackAmount("$1,250.50"), 1250.50);
    EXPECT_DOUBLE_EQ(stackAmount(" 805 "), 805);
    EXPECT_DOUBLE_EQ(stackAmount("\xe2\x82\xac"
                                 "80"),
                     80);  // a UTF-8 euro sign
    EXPECT_DOUBLE_EQ(stackAmount(".5"), 0.5);
}

TEST(StackText, TextWithoutANumberIsZero) {
    EXPECT_EQ(stackAmount(""), 0);
    EXPECT_EQ(stackAmount("$"), 0);
    EXPECT_EQ(stackAmount("N/A"), 0);
    EXPECT_EQ(stackAmount("$inf"), 0);
}

TEST(NumberText, WholeTextMustBeANumber) {
    EXPECT_EQ(parseNumber("12.50"), 12.5);
    EXPECT_EQ(parseNumber(" -3 "), -3);
    EXPECT_EQ(parseNumber("+4"), 4);
    EXPECT_FALSE(parseNumber("N/A"));
    EXPECT_FALSE(parseNumber("12abc"));
    EXPECT_FALSE(parseNumber(""));
    EXPECT_FALSE(parseNumber("nan"));
    EXPECT_FALSE(parseNumber("1e5"));
    EXPECT_EQ(numberOrZero("N/A"), 0);
    EXPECT_EQ(integerOrZero("150"), 150);
    EXPECT_EQ(integerOrZero("-7"), -7);
    EXPECT_EQ(integerOrZero("12.5"), 0);
    EXPECT_EQ(integerOrZero("+-5"), 0);
    EXPECT_EQ(integerOrZero("99999999999"), 0);
}

TEST(NumberText, DecimalPointDoesNotDependOnTheLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    // Where a comma locale is installed it must not matter; where none is, this is a no-op.
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(parseNumber("12.50"), 12.5);
    EXPECT_EQ(twoDecimals(42.857), "42.86");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumberText, BigBlindIsThePartAfterTheLastDollarOrSlash) {
    EXPECT_EQ(bigBlindOf("$1/$2"), 2);
    EXPECT_EQ(bigBlindOf("$0.10/$0.25"), 0.25);
    EXPECT_EQ(bigBlindOf("5/10"), 10);
    EXPECT_EQ(bigBlindOf("4"), 4);
    EXPECT_FALSE(bigBlindOf("-"));
    EXPECT_FALSE(bigBlindOf("$1/$2 NL"));
    EXPECT_FALSE(bigBlindOf("$0/$0"));
    EXPECT_FALSE(bigBlindOf(""));
}

TEST(NumberText, TwoDecimalsAndTruncation) {
    EXPECT_EQ(twoDecimals(23.5), "23.50");
    EXPECT_EQ(twoDecimals(0), "0.00");
    EXPECT_EQ(twoDecimals(-1.005), "-1.00");  // the binary value is just below -1.005
    EXPECT_EQ(twoDecimals(-0.004), "0.00");   // a loss that rounds away is no loss
    EXPECT_EQ(twoDecimals(std::numeric_limits<double>::infinity()), "0.00");
    EXPECT_EQ(truncatedInt(30.9), 30);
    EXPECT_EQ(truncatedInt(-2.7), -2);
    EXPECT_EQ(truncatedInt(1e300), 2147483647);
}

}  // namespace
}  // namespace kestrova
