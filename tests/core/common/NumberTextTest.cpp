#include "common/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

#include "common/Text.h"

namespace kestrova {
namespace {

TEST(NumberText, StackAmountDropsACurrencySignButKeepsAFirstDigit) {
    EXPECT_DOUBLE_EQ(stackAmount("1250.50"), 1250.50);
    EXPECT_DOUBLE_EQ(stackAmount("$1,250.50"), 1250.50);
    EXPECT_DOUBLE_EQ(stackAmount("\xe2\x82\xac"
                                 "80"),
                     80);  // a UTF-8 euro sign
    EXPECT_DOUBLE_EQ(stackAmount(".5"), 0.5);
    for (const char* none : {"", "$", "N/A", "$inf"})
        EXPECT_EQ(stackAmount(none), 0) << none;
}

TEST(NumberText, WholeTextMustBeANumberWhateverTheLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    // Where a comma locale is installed it must not matter; where none is, this is a no-op.
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(parseNumber(" -3 "), -3);
    EXPECT_EQ(parseNumber("12.50"), 12.5);
    EXPECT_EQ(twoDecimals(42.857), "42.86");
    std::setlocale(LC_NUMERIC, saved.c_str());
    for (const char* bad : {"N/A", "12abc", "", "nan", "1e5"})
        EXPECT_FALSE(parseNumber(bad)) << bad;
    EXPECT_EQ(integerOrZero("-7"), -7);
    for (const char* bad : {"12.5", "+-5", "99999999999"})
        EXPECT_EQ(integerOrZero(bad), 0) << bad;
}

TEST(NumberText, BigBlindIsThePartAfterTheLastDollarOrSlash) {
    EXPECT_EQ(bigBlindOf("$0.10/$0.25"), 0.25);
    EXPECT_EQ(bigBlindOf("5/10"), 10);
    EXPECT_EQ(bigBlindOf("4"), 4);
    for (const char* none : {"-", "$1/$2 NL", "$0/$0", ""})
        EXPECT_FALSE(bigBlindOf(none)) << none;
}

TEST(NumberText, TwoDecimalsAndTruncation) {
    EXPECT_EQ(twoDecimals(-1.005), "-1.00");  // the binary value is just below -1.005
    EXPECT_EQ(twoDecimals(-0.004), "0.00");   // a loss that rounds away is no loss
    EXPECT_EQ(twoDecimals(std::numeric_limits<double>::infinity()), "0.00");
    EXPECT_EQ(truncatedInt(-2.7), -2);
    EXPECT_EQ(truncatedInt(1e300), 2147483647);
}

TEST(Text, TrimsLeadingIntegersAndCase) {
    EXPECT_EQ(trimBlanks("\nname\r "), "\nname\r");
    EXPECT_EQ(trimWhiteSpace("\n\v name\f\r "), "name");
    EXPECT_EQ(leadingInteger(" \t-7px"), -7);
    EXPECT_EQ(leadingInteger("4294967297"), 1);  // wraps like a 32-bit register
    EXPECT_TRUE(equalIgnoringAsciiCase("FishFace", "fishface"));
    EXPECT_FALSE(equalIgnoringAsciiCase("\xC4", "\xE4"));              // Latin-1 letters stay apart
    EXPECT_TRUE(lessIgnoringAsciiCase("zebra", "\xC3\xA9t\xC3\xA9"));  // bytes above 127 last
}

}  // namespace
}  // namespace kestrova
