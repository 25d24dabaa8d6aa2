#include "common/Text.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(Text, TrimsBlanksOrAllWhiteSpace) {
    EXPECT_EQ(trimBlanks(" \tname \t"), "name");
    EXPECT_EQ(trimBlanks("\nname\r"), "\nname\r");
    EXPECT_EQ(trimWhiteSpace("\n\v name\f\r "), "name");
    EXPECT_EQ(trimWhiteSpace(" \t\n"), "");
}

TEST(Text, LeadingIntegerReadsLikeTheCLibraryAndWrapsLikeA32BitRegister) {
    EXPECT_EQ(leadingInteger("10 / 3"), 10);
    EXPECT_EQ(leadingInteger(" \t-7px"), -7);
    EXPECT_EQ(leadingInteger("+5"), 5);
    EXPECT_EQ(leadingInteger("N/A"), 0);
    EXPECT_EQ(leadingInteger(""), 0);
    EXPECT_EQ(leadingInteger("4294967297"), 1);
}

TEST(Text, CaseIsIgnoredForAsciiLettersOnly) {
    EXPECT_TRUE(equalIgnoringAsciiCase("FishFace", "fishface"));
    EXPECT_FALSE(equalIgnoringAsciiCase("Fish", "Fishy"));
    EXPECT_FALSE(equalIgnoringAsciiCase("\xC4", "\xE4"));  // Latin-1 letters stay apart
    EXPECT_TRUE(lessIgnoringAsciiCase("abc", "ABD"));
    EXPECT_FALSE(lessIgnoringAsciiCase("ABC", "abc"));
    EXPECT_TRUE(lessIgnoringAsciiCase("zebra", "\xC3\xA9t\xC3\xA9"));  // bytes above 127 last
}

}  // namespace
}  // namespace kestrova
