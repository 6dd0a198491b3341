// TMatrix: product, transpose, Gauss-Jordan inverse, and the 4 x 4 rotation and mirror builders.
#include "geometry/matrix.h"

#include "geometry/errors.h"

#include <cmath>
#include <string>

TMatrix::TMatrix(int Rows, int Cols)
    : FRows(Rows < 0 ? 0 : Rows), FCols(Cols < 0 ? 0 : Cols),
      FCells(static_cast<std::size_t>(FRows) * static_cast<std::size_t>(FCols), 0.0) {
    if (FRows == FCols)
        for (int i = 1; i <= FRows; ++i) Set(i, i, 1.0);
}

void TMatrix::RaiseIndexError(int r, int c) const {
    throw EListError("List index out of bounds (" + std::to_string(r) + ", " + std::to_string(c) +
                     ")");
}

std::unique_ptr<TMatrix> MatrixMultiply(const TMatrix& A, const TMatrix& B) {
    if (B.Rows() != A.Cols()) return nullptr;
    auto C = std::make_unique<TMatrix>(A.Rows(), B.Cols());
    for (int i = 1; i <= A.Rows(); ++i)
        for (int j = 1; j <= B.Cols(); ++j) {
            double Sum = 0.0;
            for (int k = 1; k <= A.Cols(); ++k) Sum += A.Get(i, k) * B.Get(k, j);
            C->Set(i, j, Sum);
        }
    return C;
}

std::unique_ptr<TMatrix> MatrixTranspose(const TMatrix& A) {
    if (A.Rows() != A.Cols()) return nullptr;
    auto T = std::make_unique<TMatrix>(A.Cols(), A.Rows());
    for (int r = 1; r <= A.Rows(); ++r)
        for (int c = 1; c <= A.Cols(); ++c) T->Set(c, r, A.Get(r, c));
    return T;
}

std::unique_ptr<TMatrix> MatrixCopy(const TMatrix& A) {
    return std::make_unique<TMatrix>(A);
}

namespace {

void SwapRows(TMatrix& M, int r1, int r2) {
    for (int k = 1; k <= M.Cols(); ++k) {
        const double v = M.Get(r1, k);
        M.Set(r1, k, M.Get(r2, k));
        M.Set(r2, k, v);
    }
}

void ScaleRow(TMatrix& M, int r, double f) {
    for (int k = 1; k <= M.Cols(); ++k) M.Set(r, k, M.Get(r, k) * f);
}

// Row Target += Row Source * g.
void AddRow(TMatrix& M, int Target, int Source, double g) {
    for (int k = 1; k <= M.Cols(); ++k) M.Set(Target, k, M.Get(Target, k) + M.Get(Source, k) * g);
}

// The first row from c downwards whose cell in column c is usable as a pivot; 0 when none.
int PivotRow(const TMatrix& W, int c) {
    constexpr double Tiny = 1e-30;
    for (int r = c; r <= W.Rows(); ++r)
        if (std::abs(W.Get(r, c)) > Tiny) return r;
    return 0;
}

std::unique_ptr<TMatrix> Identity4() {
    return std::make_unique<TMatrix>(4, 4);
}

// The rotation by Angle in the plane of axes a and b (1 X, 2 Y, 3 Z), about the third axis.
std::unique_ptr<TMatrix> AxisRotation(int a, int b, double Angle) {
    auto R = Identity4();
    R->Set(a, a, std::cos(Angle));
    R->Set(a, b, std::sin(Angle));
    R->Set(b, a, -std::sin(Angle));
    R->Set(b, b, std::cos(Angle));
    return R;
}

} // namespace

std::unique_ptr<TMatrix> MatrixInverse(const TMatrix& A) {
    if (A.Rows() != A.Cols()) return nullptr;
    const int n = A.Rows();
    TMatrix W = A;
    auto R = std::make_unique<TMatrix>(n, n);
    for (int c = 1; c <= n; ++c) {
        const int r = PivotRow(W, c);
        if (r == 0) return nullptr;
        SwapRows(W, r, c);
        SwapRows(*R, r, c);
        const double f = Divide(1.0, W.Get(c, c));
        ScaleRow(W, c, f);
        ScaleRow(*R, c, f);
        for (int Other = 1; Other <= n; ++Other) {
            if (Other == c) continue;
            const double g = -W.Get(Other, c);
            AddRow(W, Other, c, g);
            AddRow(*R, Other, c, g);
        }
    }
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) Finite(R->Get(r, c));
    return R;
}

void ZeroMatrix(TMatrix& A) {
    if (A.Rows() != A.Cols()) return;
    for (int r = 1; r <= A.Rows(); ++r)
        for (int c = 1; c <= A.Cols(); ++c) A.Set(r, c, 0.0);
}

std::unique_ptr<TMatrix> RotationMatrix(double AX, double AY, double AZ) {
    auto M = AX != 0.0 ? AxisRotation(2, 3, AX) : Identity4();
    if (AY != 0.0) M = MatrixMultiply(*AxisRotation(3, 1, AY), *M);
    if (AZ != 0.0) M = MatrixMultiply(*AxisRotation(1, 2, AZ), *M);
    return M;
}

std::unique_ptr<TMatrix> MirrorMatrix(int Plane, double Offset) {
    // The axis normal to the plane; other codes mirror nothing.
    const int k = Plane == 0 ? 3 : Plane == 1 ? 1 : Plane == 2 ? 2 : 0;
    auto S = Identity4();
    if (k != 0) S->Set(k, k, -1.0);
    if (Offset == 0.0 || k == 0) return S;
    // Move the plane to the origin, reflect, move back.
    auto T1 = Identity4();
    T1->Set(k, 4, -Offset);
    auto T2 = Identity4();
    T2->Set(k, 4, Offset);
    return MatrixMultiply(*T2, *MatrixMultiply(*S, *T1));
}
