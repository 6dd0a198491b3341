// Tests of TMatrix: construction, index checks, product and inverse, rotation and mirror.
#include "geometry/matrix.h"

#include "geometry/errors.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <memory>
#include <numbers>

namespace {

void ExpectMaps(const TMatrix& M, std::array<double, 3> From, std::array<double, 3> To) {
    for (int r = 1; r <= 3; ++r)
        EXPECT_NEAR(M.Get(r, 1) * From[0] + M.Get(r, 2) * From[1] + M.Get(r, 3) * From[2] +
                        M.Get(r, 4),
                    To[r - 1], 1e-12);
}

std::unique_ptr<TMatrix> MatrixOf(int n, std::initializer_list<double> Cells) {
    auto M = std::make_unique<TMatrix>(n, n);
    auto Cell = Cells.begin();
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) M->Set(r, c, *Cell++);
    return M;
}

} // namespace

TEST(Matrix, ShapesIndicesAndProduct) {
    TMatrix Square(3, 3), Wide(2, 3);
    EXPECT_EQ(Square.Get(2, 2), 1);
    EXPECT_EQ(Wide.Get(2, 2), 0);
    EXPECT_THROW(Wide.Get(3, 1), EListError);
    EXPECT_THROW(Wide.Set(1, 4, 0), EListError);
    EXPECT_FALSE(MatrixMultiply(Wide, Wide));
    EXPECT_FALSE(MatrixTranspose(Wide));
    EXPECT_FALSE(MatrixInverse(Wide));

    Wide.Set(1, 3, 2);
    Square.Set(3, 1, 5);
    const auto C = MatrixMultiply(Wide, Square);
    ASSERT_EQ(C->Cols(), 3);
    EXPECT_EQ(C->Get(1, 1), 10);
    EXPECT_EQ(MatrixTranspose(Square)->Get(1, 3), 5);
}

TEST(Matrix, InverseExchangesRowsAndDetectsSingular) {
    const auto Swap = MatrixOf(2, {0, 1, 1, 0});
    const auto Inverse = MatrixInverse(*Swap);
    ASSERT_TRUE(Inverse);
    EXPECT_EQ(Inverse->Get(1, 2), 1);
    EXPECT_EQ(Inverse->Get(1, 1), 0);

    const auto A = MatrixOf(3, {0, 2, 1, 1, 1, 0, 3, 0, 4});
    const auto Product = MatrixMultiply(*A, *MatrixInverse(*A));
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) EXPECT_NEAR(Product->Get(r, c), r == c ? 1 : 0, 1e-12);

    EXPECT_FALSE(MatrixInverse(*MatrixOf(3, {0, 2, 1, 1, 1, 0, 1, 3, 1})));
}

TEST(Matrix, RotationAndMirror) {
    const double Quarter = std::numbers::pi / 2;
    ExpectMaps(*RotationMatrix(Quarter, 0, 0), {0, 1, 0}, {0, 0, -1});
    // About X to (0,0,-1), then about Y to (1,0,0), then about Z to (0,-1,0).
    ExpectMaps(*RotationMatrix(Quarter, Quarter, Quarter), {0, 1, 0}, {0, -1, 0});
    ExpectMaps(*MirrorMatrix(2, 0), {1, 2, 3}, {1, -2, 3});
    ExpectMaps(*MirrorMatrix(0, 5), {1, 2, 3}, {1, 2, 7});
    ExpectMaps(*MirrorMatrix(1, -1), {1, 2, 3}, {-3, 2, 3});
    ExpectMaps(*MirrorMatrix(7, 4), {1, 2, 3}, {1, 2, 3});
}
