// Tests of the record conventions: exact number texts, line reading, field errors, and that
// nothing depends on the locale.
#include "geometry/records.h"

#include "geometry/errors.h"
#include "geometry/textutil.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <locale>
#include <memory>
#include <sstream>
#include <string>

TEST(Records, FixedFormats) {
    EXPECT_EQ(FixedText(-0.25, 3), "-0.250");
    EXPECT_EQ(FixedText(-0.0001, 3), "0.000");
    EXPECT_EQ(FixedField(1.5, 3, 10) + FixedField(-2, 3, 10) + FixedField(0.25, 3, 10),
              "     1.500    -2.000     0.250");
    // A value that fills its field keeps a blank before it.
    EXPECT_EQ(FixedField(-12345678.5, 3, 10), " -12345678.500");
    EXPECT_EQ(FixedField(100000, 6, 13), " 100000.000000");
    EXPECT_EQ(FixedField(10000, 6, 13), " 10000.000000");
    EXPECT_EQ(FixedField(1, 6, 13), "     1.000000");
    EXPECT_THROW(FixedText(std::numeric_limits<double>::quiet_NaN(), 3), EMathError);
}

TEST(Records, GeneralFormat) {
    std::string Texts;
    for (const double v : {0.5, 2.0, 1e-6, 1.5e20, -0.0, 0.00001, 0.1 + 0.2, 1e14, 1e15, 1.0 / 3,
                           -2.5e-7, 9.9999999999999999e14})
        Texts += GeneralText(v) + " ";
    EXPECT_EQ(Texts, "0.5 2 1E-6 1.5E20 0 0.00001 0.3 100000000000000 1E15 0.333333333333333 "
                     "-2.5E-7 1E15 ");
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
    std::istringstream In("NumPoints=2\r\n  1.5\t-2 0.25 rest\r\n4\r\n5\r\nlast");
    TTextReader R(In);
    EXPECT_EQ(R.ReadLine(), "NumPoints=2");
    EXPECT_EQ(R.ReadNumber(), 1.5);
    EXPECT_EQ(R.ReadNumber(), -2);
    EXPECT_EQ(R.ReadNumber(), 0.25);
    EXPECT_EQ(R.ReadLine(), " rest");
    EXPECT_EQ(R.ReadNumber(), 4); // numbers run across line ends
    EXPECT_EQ(R.ReadNumber(), 5);
    R.SkipLine();
    EXPECT_FALSE(R.AtEnd());
    EXPECT_EQ(R.ReadLine(), "last");
    EXPECT_TRUE(R.AtEnd());
    EXPECT_THROW(R.ReadLine(), EReadError);
}

namespace {

template <typename Read> std::string ReadErrorOf(Read&& R) {
    try {
        R();
    } catch (const EReadError& E) {
        return E.what();
    }
    return "no error";
}

} // namespace

TEST(Records, ReaderFailures) {
    std::istringstream Malformed("2,5"), Truncated("1.0 \r\n  \r\n"), LastNumber("7");
    EXPECT_EQ(ReadErrorOf([&] { TTextReader(Malformed).ReadNumber(); }), "Invalid numeric input");
    TTextReader R2(Truncated);
    R2.ReadNumber();
    EXPECT_EQ(ReadErrorOf([&] { R2.ReadNumber(); }), "Read beyond end of file");
    TTextReader R3(LastNumber);
    EXPECT_EQ(R3.ReadNumber(), 7);
    EXPECT_EQ(R3.ReadLine(), ""); // the rest of an unterminated last line
}

TEST(Records, FieldValuesAndErrors) {
    EXPECT_EQ(FieldValue(" A=  b=c "), "b=c");
    EXPECT_EQ(FieldValue("K=" + std::string(300, 'x')).size(), 255u);
    EXPECT_EQ(FieldInteger("NumU= 12", "Mesh.NumU"), 12);
    EXPECT_EQ(FieldNumber("MaxTParameter=1E-6", "BSpline.MaxTParameter"), 1e-6);
    EXPECT_EQ(ReadErrorOf([] { FieldInteger("NumPoints=2.5", "Polyline.NumPoints"); }),
              "Error in field Polyline.NumPoints");
    EXPECT_EQ(ReadErrorOf([] { FieldInteger("Order=", "BSpline.Order"); }),
              "Error in field BSpline.Order");
    EXPECT_EQ(ReadErrorOf([] { FieldNumber("MinV=0,5", "BSplineSurface.MinVParameter"); }),
              "Error in field BSplineSurface.MinVParameter");
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
