// Number formatting of grid cells in each format.
#include "grid/floatformat.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatFloat, GeneralPicksTheShorterNotation) {
    EXPECT_EQ(FormatFloat(2.5, ffGeneral, 15, 7), "2.5");
    EXPECT_EQ(FormatFloat(1.0 / 3.0, ffGeneral, 0, 0), "0.333333333333333");
    EXPECT_EQ(FormatFloat(1e20, ffGeneral, 15, 0), "1E20");
    EXPECT_EQ(FormatFloat(-1.5e-7, ffGeneral, 15, 0), "-1.5E-7");
    EXPECT_EQ(FormatFloat(0.00001, ffGeneral, 15, 0), "0.00001");
    EXPECT_EQ(FormatFloat(123456, ffGeneral, 3, 0), "1.23E5");
    EXPECT_EQ(FormatFloat(9.9996, ffGeneral, 4, 0), "10");
    EXPECT_EQ(FormatFloat(-0.0, ffGeneral, 15, 0), "0");
}

TEST(FormatFloat, ExponentHasSignedPaddedExponent) {
    EXPECT_EQ(FormatFloat(1234.5, ffExponent, 4, 2), "1.235E+03");
    EXPECT_EQ(FormatFloat(-0.00012, ffExponent, 3, 0), "-1.20E-4");
    EXPECT_EQ(FormatFloat(0, ffExponent, 2, 9), "0.0E+0000");
}

TEST(FormatFloat, FixedNumberAndCurrency) {
    EXPECT_EQ(FormatFloat(2.5, ffFixed, 10, 3), "2.500");
    EXPECT_EQ(FormatFloat(0.125, ffFixed, 10, 2), "0.13");
    EXPECT_EQ(FormatFloat(2.675, ffFixed, 10, 2), "2.68");
    EXPECT_EQ(FormatFloat(99.96, ffFixed, 10, 1), "100.0");
    EXPECT_EQ(FormatFloat(0.4, ffFixed, 10, 0), "0");
    EXPECT_EQ(FormatFloat(-0.0001, ffFixed, 10, 3), "0.000");
    EXPECT_EQ(FormatFloat(1e12, ffFixed, 10, 2), "1E12");
    EXPECT_EQ(FormatFloat(1234567.891, ffNumber, 15, 2), "1,234,567.89");
    EXPECT_EQ(FormatFloat(-999, ffNumber, 15, 0), "-999");
    EXPECT_EQ(FormatFloat(1234.5, ffCurrency, 15, 2), "$1,234.50");
    EXPECT_EQ(FormatFloat(-3, ffCurrency, 15, 2), "-$3.00");
}

} // namespace
