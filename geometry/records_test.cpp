// Tests of the record conventions: exact number texts, line reading, field errors, and that
// nothing depends on the locale.
#include "records.h"

#include "errors.h"
#include "textutil.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

TEST(Records, FixedFormats) {
    EXPECT_EQ(FixedText(12.5, 3), "12.500");
    EXPECT_EQ(FixedText(-0.25, 3), "-0.250");
    EXPECT_EQ(FixedText(-0.0001, 3), "0.000");
    EXPECT_EQ(FixedText(2.0005, 3), "2.001");
    EXPECT_EQ(FixedField(1.5, 3, 10) + FixedField(-2, 3, 10) + FixedField(0.25, 3, 10),
              "     1.500    -2.000     0.250");
    EXPECT_EQ(FixedField(-12345678.5, 3, 10), "-12345678.500");
    EXPECT_EQ(FixedField(1, 6, 13) + FixedField(1, 3, 10), "     1.000000     1.000");
    EXPECT_THROW(FixedText(1.0 / 0.0 * 0.0, 3), EMathError);
}

TEST(Records, GeneralFormat) {
    const std::vector<std::pair<double, std::string>> Cases = {{0.5, "0.5"},
                                                               {2, "2"},
                                                               {1e-6, "1E-6"},
                                                               {1.5e20, "1.5E20"},
                                                               {0, "0"},
                                                               {-0.0, "0"},
                                                               {-3.25, "-3.25"},
                                                               {0.00001, "0.00001"},
                                                               {0.1 + 0.2, "0.3"},
                                                               {1e15, "1E15"},
                                                               {1e14, "100000000000000"},
                                                               {1.0 / 3, "0.333333333333333"},
                                                               {-2.5e-7, "-2.5E-7"},
                                                               {123456.789, "123456.789"},
                                                               {9.9999999999999999e14, "1E15"}};
    for (const auto& [Value, Text] : Cases) EXPECT_EQ(GeneralText(Value), Text) << Text;
}

TEST(Records, WriterEndsLinesWithCrLf) {
    std::ostringstream Out;
    TTextWriter W(Out);
    W.Key("NumPoints", 3LL);
    W.Key("KnotType", "Custom");
    W.Line("ForcedBezier");
    EXPECT_EQ(Out.str(), "NumPoints=3\r\nKnotType=Custom\r\nForcedBezier\r\n");

    std::ostringstream Broken;
    Broken.setstate(std::ios::badbit);
    EXPECT_THROW(TTextWriter(Broken).Line("x"), EIOError);
}

TEST(Records, ReaderMixesLinesAndNumbers) {
    std::istringstream In("NumPoints=2\r\n  1.5\t-2 0.25 rest\r\n4\r\n5\r\n6\r\nlast");
    TTextReader R(In);
    EXPECT_EQ(R.ReadLine(), "NumPoints=2");
    EXPECT_EQ(R.ReadNumber(), 1.5);
    EXPECT_EQ(R.ReadNumber(), -2);
    EXPECT_EQ(R.ReadNumber(), 0.25);
    EXPECT_EQ(R.ReadLine(), " rest");
    EXPECT_EQ(R.ReadNumber(), 4); // numbers run across line ends
    EXPECT_EQ(R.ReadNumber(), 5);
    EXPECT_EQ(R.ReadNumber(), 6);
    R.SkipLine();
    EXPECT_FALSE(R.AtEnd());
    EXPECT_EQ(R.ReadLine(), "last");
    EXPECT_TRUE(R.AtEnd());
    EXPECT_THROW(R.ReadLine(), EReadError);
}

TEST(Records, ReaderFailures) {
    std::istringstream Malformed("1.0 2,5 3");
    TTextReader R1(Malformed);
    R1.ReadNumber();
    try {
        R1.ReadNumber();
        FAIL();
    } catch (const EReadError& E) {
        EXPECT_STREQ(E.what(), "Invalid numeric input");
    }
    std::istringstream Truncated("1.0 \r\n  \r\n");
    TTextReader R2(Truncated);
    R2.ReadNumber();
    EXPECT_THROW(R2.ReadNumber(), EReadError);
    std::istringstream LastNumber("7");
    TTextReader R3(LastNumber);
    EXPECT_EQ(R3.ReadNumber(), 7);
    EXPECT_EQ(R3.ReadLine(), "");
}

TEST(Records, FieldValuesAndErrors) {
    EXPECT_EQ(FieldValue("MinUParameter=  0.5 "), "0.5");
    EXPECT_EQ(FieldValue("A=b=c"), "b=c");
    EXPECT_EQ(FieldValue(" 12 "), "12");
    EXPECT_EQ(FieldValue("K=" + std::string(300, 'x')).size(), 255u);
    EXPECT_EQ(FieldInteger("NumU= 12", "Mesh.NumU"), 12);
    EXPECT_EQ(FieldNumber("MaxTParameter=1E-6", "BSpline.MaxTParameter"), 1e-6);
    const std::vector<std::pair<std::string, std::string>> Bad = {
        {"NumPoints=2.5", "Polyline.NumPoints"},
        {"Order=", "BSpline.Order"},
        {"NumV=x", "Mesh.NumV"},
        {"MinVParameter=0,5", "BSplineSurface.MinVParameter"}};
    for (const auto& [Line, Field] : Bad) {
        try {
            if (Field.ends_with("Parameter"))
                FieldNumber(Line, Field);
            else
                FieldInteger(Line, Field);
            ADD_FAILURE() << Line;
        } catch (const EReadError& E) {
            EXPECT_EQ(E.what(), "Error in field " + Field);
        }
    }
}

namespace {

// Decimal comma for the C++ streams, whatever C locales the machine has.
struct TCommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

// Writes and reads back a line of numbers under whatever locale is current.
void ExpectRoundTripWithPoint() {
    std::ostringstream Out;
    TTextWriter W(Out);
    W.Line(FixedText(-1.25, 3) + " " + GeneralText(0.5));
    EXPECT_EQ(Out.str(), "-1.250 0.5\r\n");
    std::istringstream In(Out.str());
    TTextReader R(In);
    EXPECT_EQ(R.ReadNumber(), -1.25);
    EXPECT_EQ(R.ReadNumber(), 0.5);
    EXPECT_EQ(StrToNumber("2.5"), 2.5);
    EXPECT_FALSE(TextToNumber("2,5"));
}

} // namespace

TEST(Records, NumbersIgnoreTheStreamLocale) {
    const std::locale Saved = std::locale::global(
        std::locale(std::locale::classic(), std::make_unique<TCommaPunct>().release()));
    ExpectRoundTripWithPoint();
    std::locale::global(Saved);
}

TEST(Records, NumbersIgnoreTheCLocale) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale here";
    ExpectRoundTripWithPoint();
    std::setlocale(LC_ALL, "C");
}
