// Tests of the 2-D line helpers and the scalar functions, chiefly their arithmetic faults.
#include "geometry/maths.h"

#include "geometry/errors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <numbers>

constexpr double Pi = std::numbers::pi;

TEST(Maths, LinesMeetAndItsFaults) {
    const TLine2D Rising = LineFromPoints(Point2D(0, 0), Point2D(1, 1));
    const TLine2D Falling = LineFromPoints(Point2D(0, 2), Point2D(2, 0));
    EXPECT_DOUBLE_EQ(LinesMeet(Rising, Falling).X, 1);
    EXPECT_DOUBLE_EQ(LinesMeet(Rising, Falling).Y, 1);

    const TLine2D Vertical = LineFromPoints(Point2D(3, 0), Point2D(3, 5));
    const TLine2D Double{2, 0, false, 0};
    EXPECT_DOUBLE_EQ(LinesMeet(Vertical, Double).Y, 6);
    EXPECT_THROW(LinesMeet(Vertical, Vertical), EGeometryError);
    EXPECT_THROW(LinesMeet(Double, Double), EMathError);
    EXPECT_THROW(LineX(TLine2D{0, 1, false, 0}, 2), EMathError);
}

TEST(Maths, LinesIntersect2DCoversEveryBranch) {
    double X = -7, Y = -7;
    EXPECT_FALSE(LinesIntersect2D(1, 0, 1, 4, 2, 0, 2, 4, X, Y)); // both vertical
    EXPECT_EQ(X, -7);
    EXPECT_EQ(Y, -7);
    ASSERT_TRUE(LinesIntersect2D(0, 0, 2, 2, 0, 2, 2, 0, X, Y));
    EXPECT_DOUBLE_EQ(X, 1);
    EXPECT_DOUBLE_EQ(Y, 1);
    ASSERT_TRUE(LinesIntersect2D(1, 0, 1, 4, 0, 0, 2, 4, X, Y)); // first vertical
    EXPECT_DOUBLE_EQ(Y, 2);
    ASSERT_TRUE(LinesIntersect2D(0, 0, 2, 4, 1, 0, 1, 4, X, Y)); // second vertical
    EXPECT_DOUBLE_EQ(Y, 2);
    EXPECT_THROW(LinesIntersect2D(0, 0, 1, 1, 0, 1, 1, 2, X, Y), EMathError);
}

TEST(Maths, ScalarEdgesRaiseInsteadOfNaN) {
    EXPECT_TRUE(Between(5, 1, 1));
    EXPECT_FALSE(Between(1, 5, 5.0000001));
    EXPECT_EQ(Power(0, 0), 1);
    EXPECT_EQ(Power(0, 2), 0);
    EXPECT_NEAR(Power(10, 3), 1000, 1e-9);
    EXPECT_THROW(Power(-2, 2), EMathError);
    EXPECT_THROW(Power(10, 400), EMathError);
    EXPECT_NEAR(LogBase(8, 2), 3, 1e-12);
    for (const double Bad : {0.0, -1.0}) EXPECT_THROW(LogBase(Bad, 10), EMathError);
    EXPECT_THROW(LogBase(5, 1), EMathError);
    EXPECT_EQ(TruncToInt(-2.9f), -2);
    EXPECT_EQ(TruncToInt(3e9f), INT32_MIN);
    // A NaN or infinite operand must not slip through a checked division as NaN.
    constexpr double Inf = std::numeric_limits<double>::infinity();
    EXPECT_THROW(Divide(Inf, Inf), EMathError);
    EXPECT_THROW(Divide(std::numeric_limits<double>::quiet_NaN(), 2), EMathError);
    EXPECT_THROW(Tan(Inf), EMathError);
    EXPECT_THROW(TruncDecimals(6, std::numeric_limits<float>::quiet_NaN()), EMathError);
}

TEST(Maths, TruncDecimalsCutsInSinglePrecision) {
    EXPECT_DOUBLE_EQ(TruncDecimals(6, 0.333333f), 0.333332);
    EXPECT_DOUBLE_EQ(TruncDecimals(6, -1.5f), -1.5);
    EXPECT_DOUBLE_EQ(TruncDecimals(2, -2.789f), -2.78);
}

TEST(Maths, InverseFunctionsHaveTrueRangesAndDomains) {
    EXPECT_DOUBLE_EQ(ArcCos(0), Pi / 2);
    EXPECT_DOUBLE_EQ(ArcCos(-0.5), 2 * Pi / 3);
    EXPECT_DOUBLE_EQ(ArcCos(1 + 5e-8), 0);
    EXPECT_DOUBLE_EQ(ArcCos(-1 - 5e-8), Pi);
    EXPECT_THROW(ArcCos(1 + 1e-6), EMathError);
    EXPECT_DOUBLE_EQ(ArcSin(-1), -Pi / 2);
    EXPECT_THROW(ArcSin(1.0000001), EMathError);
    EXPECT_DOUBLE_EQ(ArcTan2(0, 0), 0);
    EXPECT_DOUBLE_EQ(ArcTan2(0, -1), Pi);
    EXPECT_DOUBLE_EQ(ArcTan2(-1, -1), -3 * Pi / 4);
    EXPECT_DOUBLE_EQ(Tanh(1000), 1);
    EXPECT_THROW(ArcCosh(0.5), EMathError);
    EXPECT_THROW(ArcTanh(1), EMathError);
    EXPECT_THROW(Cosh(1000), EMathError);
}
