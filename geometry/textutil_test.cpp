// Tests of the strict conversions, word splitting and the program's base name.
#include "geometry/textutil.h"

#include "geometry/errors.h"

#include <gtest/gtest.h>

#include <string>

TEST(TextUtil, TextToNumberIsStrictAndTrimmed) {
    EXPECT_EQ(TextToNumber("  12.5 "), 12.5);
    EXPECT_EQ(TextToNumber("-.5"), -0.5);
    EXPECT_EQ(TextToNumber("+1E3"), 1000);
    for (const char* Bad : {"", "  ", "1,5", "12abc", "1 2", "inf", "-nan", "+-1", ".", "1e999"})
        EXPECT_FALSE(TextToNumber(Bad)) << Bad;
    EXPECT_EQ(StrToNumber("\t3\t"), 3);
    try {
        StrToNumber("three");
        FAIL();
    } catch (const EConvertError& E) {
        EXPECT_STREQ(E.what(), "Unable to convert string to number");
    }
}

TEST(TextUtil, TextToIntegerIsNotTrimmed) {
    EXPECT_EQ(TextToInteger("-42"), -42);
    EXPECT_EQ(TextToInteger("+7"), 7);
    for (const char* Bad : {"", " 4", "4 ", "4.0", "2147483648", "+-1", "0x10"})
        EXPECT_FALSE(TextToInteger(Bad)) << Bad;
}

TEST(TextUtil, WordsAreRunsOfNonBlanksAfterTabExpansion) {
    const std::string S = "  alpha\tbeta  gamma ";
    EXPECT_EQ(ExpandTabs("a\tb"), "a    b");
    EXPECT_EQ(WordCount(S), 3);
    EXPECT_EQ(ExtractWord(S, 2), "beta");
    EXPECT_EQ(ExtractWord(S, 4), "");
    EXPECT_EQ(ExtractWord(S, 0), "");
    EXPECT_EQ(ExtractWord(std::string(300, 'x'), 1), std::string(255, 'x'));
}

TEST(TextUtil, ProgramBaseNameIsLowerCasedUpToFirstDot) {
    EXPECT_EQ(BaseNameOf("/opt/Some.Dir/Hull.Designer.EXE"), "hull");
    EXPECT_EQ(BaseNameOf("Keelvane"), "keelvane");
    SetProgramBaseName("./bin/KeelVane.x");
    EXPECT_EQ(ProgramBaseName(), "keelvane");
}
