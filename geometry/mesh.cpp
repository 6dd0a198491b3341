// The point grid: growing access, copying, transposition, the wire grid, faces and the record.
#include "geometry/mesh.h"

#include "geometry/gstream.h"
#include "geometry/listindex.h"
#include "geometry/matrix.h"
#include "geometry/polygon.h"
#include "geometry/records.h"

#include <algorithm>

TMesh::TMesh(int ANumU, int ANumV) : NumU(ANumU), NumV(ANumV) {}

int TMesh::ItemIndex(int i, int j) const {
    const long long Index = static_cast<long long>(NumU) * j + i;
    if (Index < 0 || Index > INT32_MAX) ListIndexError(Index);
    return static_cast<int>(Index);
}

TRPoint& TMesh::Point(int i, int j) {
    const int Index = ItemIndex(i, j);
    while (FCount <= Index) {
        if (FCount % BlockSize == 0) Blocks.push_back(std::make_unique<TRPoint[]>(BlockSize));
        ++FCount;
    }
    return Blocks[static_cast<std::size_t>(Index >> BlockBits)][Index & (BlockSize - 1)];
}

const TRPoint& TMesh::Point(int i, int j) const {
    static const TRPoint Origin;
    const int Index = ItemIndex(i, j);
    return Index < FCount ? Item(Index) : Origin;
}

void TMesh::SetPoint(int i, int j, const TRPoint& P) {
    Point(i, j).Assign(P);
}

void TMesh::Clear() {
    Blocks.clear();
    FCount = 0;
}

void TMesh::Assign(const TMesh& Src) {
    if (&Src == this) return;
    Clear();
    NumU = Src.NumU;
    NumV = Src.NumV;
    for (int i = 0; i < NumU; ++i)
        for (int j = 0; j < NumV; ++j) SetPoint(i, j, Src.Point(i, j));
}

std::unique_ptr<TMesh> TMesh::TransformedCopy(const TMatrix& M) const {
    if (M.Rows() != 4 || M.Cols() != 4) return nullptr;
    auto Result = std::make_unique<TMesh>(NumU, NumV);
    for (int i = 0; i < NumU; ++i)
        for (int j = 0; j < NumV; ++j) Result->SetPoint(i, j, *TransformPoint(Point(i, j), M));
    return Result;
}

void TMesh::Draw(TGStream& Stream) const {
    const auto Line = [&](const TRPoint& P, const TRPoint& Q) {
        Stream.Line(P.X, P.Y, P.Z, Q.X, Q.Y, Q.Z);
    };
    for (int i = 0; i < NumU; ++i)
        for (int j = 1; j < NumV; ++j) Line(Point(i, j - 1), Point(i, j));
    for (int j = 0; j < NumV; ++j)
        for (int i = 1; i < NumU; ++i) Line(Point(i - 1, j), Point(i, j));
}

void TMesh::Transpose() {
    TMesh T(NumV, NumU);
    for (int i = 0; i < NumU; ++i)
        for (int j = 0; j < NumV; ++j) T.SetPoint(j, i, Point(i, j));
    Assign(T);
}

std::unique_ptr<TPolygonList> TMesh::GetPolygons() {
    auto Result = std::make_unique<TPolygonList>();
    const auto AddFace = [&](const TRPoint& A, const TRPoint& B, const TRPoint& C) {
        auto Face = std::make_unique<TPolygon>(0);
        Face->P1.Assign(A);
        Face->P2.Assign(B);
        Face->P3.Assign(C);
        Result->Add(std::move(Face));
    };
    for (int i = 0; i + 1 < NumU; ++i)
        for (int j = 0; j + 1 < NumV; ++j) {
            AddFace(Point(i, j), Point(i, j + 1), Point(i + 1, j));
            AddFace(Point(i, j + 1), Point(i + 1, j + 1), Point(i + 1, j));
        }
    return Result;
}

void TMesh::SaveToText(TTextWriter& F) const {
    F.Key("NumU", NumU);
    F.Key("NumV", NumV);
    for (int i = 0; i < NumU; ++i)
        for (int j = 0; j < NumV; ++j) {
            const TRPoint& P = Point(i, j);
            F.Line(FixedField(P.X, 6, 13) + FixedField(P.Y, 6, 13) + FixedField(P.Z, 6, 13) +
                   FixedField(P.W, 3, 10));
        }
}

void TMesh::LoadFromText(TTextReader& F) {
    NumU = FieldInteger(F.ReadLine(), "Mesh.NumU", 0, MaxRecordPoints);
    NumV = FieldInteger(F.ReadLine(), "Mesh.NumV", 0, MaxRecordPoints / std::max(NumU, 1));
    for (int i = 0; i < NumU; ++i)
        for (int j = 0; j < NumV; ++j) {
            TRPoint& P = Point(i, j);
            P.X = F.ReadNumber();
            P.Y = F.ReadNumber();
            P.Z = F.ReadNumber();
            P.W = F.ReadNumber();
            F.SkipLine();
        }
}
