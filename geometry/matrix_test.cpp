// Tests of TMatrix: construction, index checks, product and inverse, rotation and mirror.
#include "matrix.h"

#include "errors.h"

#include <gtest/gtest.h>

#include <array>
#include <numbers>

namespace {

std::array<double, 3> Apply(const TMatrix& M, double x, double y, double z) {
    std::array<double, 3> Result{};
    for (int r = 1; r <= 3; ++r)
        Result[r - 1] = M.Get(r, 1) * x + M.Get(r, 2) * y + M.Get(r, 3) * z + M.Get(r, 4);
    return Result;
}

void ExpectPoint(const std::array<double, 3>& P, double x, double y, double z) {
    EXPECT_NEAR(P[0], x, 1e-12);
    EXPECT_NEAR(P[1], y, 1e-12);
    EXPECT_NEAR(P[2], z, 1e-12);
}

} // namespace

TEST(Matrix, NewSquareIsIdentityAndIndicesAreChecked) {
    const TMatrix Square(3, 3), Wide(3, 4);
    EXPECT_EQ(Square.Get(2, 2), 1);
    EXPECT_EQ(Square.Get(2, 3), 0);
    EXPECT_EQ(Wide.Get(2, 2), 0);
    EXPECT_EQ(Wide.Get(3, 4), 0);
    EXPECT_THROW(Wide.Get(4, 1), EListError);
    EXPECT_THROW(Wide.Get(1, 5), EListError);
    EXPECT_THROW(Wide.Get(0, 1), EListError);
}

TEST(Matrix, ProductTransposeAndShapes) {
    TMatrix A(2, 3), B(3, 2);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c) {
            A.Set(r, c, r * 10 + c);
            B.Set(c, r, c - r);
        }
    const auto C = MatrixMultiply(A, B);
    ASSERT_TRUE(C);
    ASSERT_EQ(C->Rows(), 2);
    ASSERT_EQ(C->Cols(), 2);
    EXPECT_EQ(C->Get(1, 2), 11 * -1 + 12 * 0 + 13 * 1);
    EXPECT_EQ(C->Get(2, 1), 21 * 0 + 22 * 1 + 23 * 2);
    EXPECT_FALSE(MatrixMultiply(A, A));
    EXPECT_FALSE(MatrixTranspose(A));
    EXPECT_FALSE(MatrixInverse(A));

    TMatrix S(2, 2);
    S.Set(1, 2, 5);
    EXPECT_EQ(MatrixTranspose(S)->Get(2, 1), 5);
    ZeroMatrix(S);
    EXPECT_EQ(S.Get(1, 1), 0);
}

TEST(Matrix, InverseExchangesRowsAndDetectsSingular) {
    TMatrix Swap(2, 2);
    Swap.Set(1, 1, 0);
    Swap.Set(1, 2, 1);
    Swap.Set(2, 1, 1);
    Swap.Set(2, 2, 0);
    const auto Inverse = MatrixInverse(Swap);
    ASSERT_TRUE(Inverse);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 2; ++c) EXPECT_EQ(Inverse->Get(r, c), Swap.Get(r, c));

    TMatrix A(3, 3);
    const double Cells[3][3] = {{0, 2, 1}, {1, 1, 0}, {3, 0, 4}};
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) A.Set(r, c, Cells[r - 1][c - 1]);
    const auto Product = MatrixMultiply(A, *MatrixInverse(A));
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) EXPECT_NEAR(Product->Get(r, c), r == c ? 1 : 0, 1e-12);

    A.Set(3, 1, 1);
    A.Set(3, 2, 3);
    A.Set(3, 3, 1); // row 3 = row 1 + row 2
    EXPECT_FALSE(MatrixInverse(A));
}

TEST(Matrix, RotationAppliesXThenYThenZ) {
    const double Quarter = std::numbers::pi / 2;
    ExpectPoint(Apply(*RotationMatrix(Quarter, 0, 0), 0, 1, 0), 0, 0, -1);
    // (0,1,0) about X to (0,0,-1), about Y to (1,0,0), about Z to (0,-1,0).
    ExpectPoint(Apply(*RotationMatrix(Quarter, Quarter, Quarter), 0, 1, 0), 0, -1, 0);
    ExpectPoint(Apply(*RotationMatrix(0, 0, 0), 1, 2, 3), 1, 2, 3);
}

TEST(Matrix, MirrorReflectsInOffsetPlane) {
    ExpectPoint(Apply(*MirrorMatrix(2, 0), 1, 2, 3), 1, -2, 3);
    ExpectPoint(Apply(*MirrorMatrix(0, 5), 1, 2, 3), 1, 2, 7);
    ExpectPoint(Apply(*MirrorMatrix(1, -1), 1, 2, 3), -3, 2, 3);
    ExpectPoint(Apply(*MirrorMatrix(7, 4), 1, 2, 3), 1, 2, 3);
}
