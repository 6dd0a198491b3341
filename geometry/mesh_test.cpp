// Meshes: growing access, copying and transposition, the wire grid, faces and the record.
#include "geometry/mesh.h"

#include "geometry/errors.h"
#include "geometry/matrix.h"
#include "geometry/polygon.h"
#include "geometry/polyline.h"
#include "geometry/testsupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void Fill(TMesh& M) {
    for (int i = 0; i < M.NumU; ++i)
        for (int j = 0; j < M.NumV; ++j) M.Point(i, j).SetXYZ(i, j, i * 10 + j);
}

} // namespace

TEST(Mesh, PointGrowsTheGrid) {
    TMesh M(3, 2);
    TRPoint& First = M.Point(0, 0);
    TRPoint& P = M.Point(2, 1);
    EXPECT_EQ(M.Count(), 6);
    EXPECT_EQ(&P, &M.Point(2, 1));
    EXPECT_EQ(&First, &M.Point(0, 0)); // references survive growth
    EXPECT_EQ(P.W, 1);
    EXPECT_THROW(M.Point(-4, 1), EListError);
    const TMesh& Read = M;
    EXPECT_EQ(Read.Point(1, 5).X, 0);
    EXPECT_EQ(M.Count(), 6); // reading does not grow
}

TEST(Mesh, TransposeAssignAndTransformedCopy) {
    TMesh M(3, 5);
    Fill(M);
    M.Transpose();
    EXPECT_EQ(M.NumU, 5);
    EXPECT_EQ(M.NumV, 3);
    EXPECT_EQ(M.Point(4, 2).Z, 24);
    M.Transpose();
    TMesh Copy(1, 1);
    Copy.Assign(M);
    EXPECT_EQ(RecordLines(Copy), RecordLines(M));
    TMatrix Shift(4, 4);
    Shift.Set(3, 4, 1);
    EXPECT_EQ(M.TransformedCopy(Shift)->Point(2, 4).Z, 25);
}

TEST(Mesh, WireGridAndFaces) {
    TMesh M(3, 2);
    Fill(M);
    TLineRecorder S;
    M.Draw(S);
    ASSERT_EQ(S.Lines.size(), 7u);
    EXPECT_EQ(S.Lines[0], (std::array<double, 6>{0, 0, 0, 0, 1, 1}));  // v direction first
    EXPECT_EQ(S.Lines[3], (std::array<double, 6>{0, 0, 0, 1, 0, 10})); // then u direction
    const auto Faces = M.GetPolygons();
    ASSERT_EQ(Faces->Count(), 4);
    // Cell (0, 0) split along its diagonal from (0, 1) to (1, 0).
    const TPolygon& First = Faces->Polygon(0);
    EXPECT_EQ(First.P1.Z, 0);
    EXPECT_EQ(First.P2.Z, 1);
    EXPECT_EQ(First.P3.Z, 10);
    const TPolygon& Second = Faces->Polygon(1);
    EXPECT_EQ(Second.Kind(), 0);
    EXPECT_EQ(Second.P1.Z, 1);
    EXPECT_EQ(Second.P2.Z, 11);
    EXPECT_EQ(Second.P3.Z, 10);
    EXPECT_EQ(TMesh(3, 1).GetPolygons()->Count(), 0);
}

TEST(Mesh, Record) {
    TMesh M(2, 2);
    M.Point(1, 0).SetXYZ(1, -2.5, 0.125);
    M.Point(0, 1).SetXYZ(0.1234567, 0, 0);
    M.Point(0, 1).W = 0.5;
    const auto Lines = RecordLines(M);
    ASSERT_EQ(Lines.size(), 6u);
    EXPECT_EQ(Lines[0], "NumU=2");
    EXPECT_EQ(Lines[3], "     0.123457     0.000000     0.000000     0.500"); // point (0, 1)
    EXPECT_EQ(Lines[4], "     1.000000    -2.500000     0.125000     1.000");
    TMesh R(0, 0);
    ReadRecord(R, Lines);
    EXPECT_EQ(RecordLines(R), Lines);
    // Negative sizes and nets beyond MaxRecordPoints are refused before any point is made.
    for (const char* NumU : {"NumU=x", "NumU=-1", "NumU=2147483647", "NumU=4000001"})
        ExpectReadFails(R, {NumU, "NumV=1"}, "Error in field Mesh.NumU");
    for (const char* NumV : {"NumV=-2", "NumV=2"})
        ExpectReadFails(R, {"NumU=2000001", NumV}, "Error in field Mesh.NumV");
    ExpectReadFails(R, {"NumU=4000000", "NumV=1"}, ReadPastEndText);
    EXPECT_THROW(ReadRecord(R, {"NumU=1", "NumV=2", "1 2 3 1"}), EReadError);
}

// Values that fill their fields, up to the largest a reader takes, keep a blank between them:
// what a mesh or polyline writes reads back to the same values.
TEST(Mesh, RecordsOfWideValuesReadBack) {
    const double Wide[] = {100000, -10000, 123456789.5, -1e300, 1.7e308, 9999999.9999999};
    TMesh M(3, 2);
    TPolyline P;
    for (int k = 0; k < 6; ++k) {
        const double v = Wide[k], w = Wide[5 - k];
        M.Point(k % 3, k / 3).SetXYZ(v, w, v);
        M.Point(k % 3, k / 3).W = w;
        P.AddPoint(w, v, w);
    }
    TMesh R(0, 0);
    ReadRecord(R, RecordLines(M));
    TPolyline Q;
    ReadRecord(Q, RecordLines(P));
    ASSERT_EQ(R.Count(), 6);
    ASSERT_EQ(Q.Count(), 6);
    // Equal up to the decimals written.
    const auto Same = [](double Read, double Written, double Decimals) {
        return std::fabs(Read - Written) <=
               0.5 * std::pow(10, -Decimals) + 1e-15 * std::fabs(Written);
    };
    for (int k = 0; k < 6; ++k) {
        const TRPoint &A = M.Point(k % 3, k / 3), &B = R.Point(k % 3, k / 3);
        EXPECT_TRUE(Same(B.X, A.X, 6) && Same(B.Y, A.Y, 6) && Same(B.Z, A.Z, 6) &&
                    Same(B.W, A.W, 3))
            << k;
        const TRPoint &C = P.At(k), &D = Q.At(k);
        EXPECT_TRUE(Same(D.X, C.X, 3) && Same(D.Y, C.Y, 3) && Same(D.Z, C.Z, 3)) << k;
    }
    EXPECT_EQ(RecordLines(R), RecordLines(M));
}
