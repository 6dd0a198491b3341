// TMatrix, a small dense matrix of doubles with 1-based indices, and the 4 x 4 builders.
// A 4 x 4 matrix M maps (x, y, z) to x' = M(1,1)x + M(1,2)y + M(1,3)z + M(1,4), rows 2, 3 alike.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

class TMatrix {
public:
    // All cells 0; a square matrix starts as the identity.
    TMatrix(int Rows, int Cols);

    int Rows() const { return FRows; }
    int Cols() const { return FCols; }
    // r and c are 1-based; an index outside the matrix raises EListError.
    double Get(int r, int c) const { return FCells[Index(r, c)]; }
    void Set(int r, int c, double v) { FCells[Index(r, c)] = v; }

private:
    std::size_t Index(int r, int c) const {
        if (r < 1 || r > FRows || c < 1 || c > FCols) RaiseIndexError(r, c);
        return static_cast<std::size_t>(r - 1) * static_cast<std::size_t>(FCols) +
               static_cast<std::size_t>(c - 1);
    }
    [[noreturn]] void RaiseIndexError(int r, int c) const;

    int FRows, FCols;
    std::vector<double> FCells; // row-major
};

// A x B; null when B.Rows() != A.Cols().
std::unique_ptr<TMatrix> MatrixMultiply(const TMatrix& A, const TMatrix& B);
// Null unless A is square.
std::unique_ptr<TMatrix> MatrixTranspose(const TMatrix& A);
std::unique_ptr<TMatrix> MatrixCopy(const TMatrix& A);
// Gauss-Jordan inverse; null when A is not square or singular.
std::unique_ptr<TMatrix> MatrixInverse(const TMatrix& A);
// Zeroes a square matrix; a non-square one is left unchanged.
void ZeroMatrix(TMatrix& A);

// Rotation about X by AX, then about Y by AY, then about Z by AZ (radians).
std::unique_ptr<TMatrix> RotationMatrix(double AX, double AY, double AZ);
// Reflection in the plane of view-plane code Plane (0 XY, 1 YZ, 2 XZ) lying at Offset along its
// normal; any other code gives the identity.
std::unique_ptr<TMatrix> MirrorMatrix(int Plane, double Offset);
