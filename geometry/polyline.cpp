// The ordered 3-D point chain and the resampling, clipping and crossing algorithms on it.
#include "geometry/polyline.h"

#include "geometry/errors.h"
#include "geometry/gstream.h"
#include "geometry/listindex.h"
#include "geometry/maths.h"
#include "geometry/matrix.h"
#include "geometry/records.h"
#include "geometry/safefile.h"

#include <algorithm>
#include <cmath>
#include <vector>

std::unique_ptr<TPolyline> TPolyline::CreateCopy(const TRPoints& Src) {
    auto Result = std::make_unique<TPolyline>();
    Result->Assign(Src);
    return Result;
}

TRPoint& TPolyline::Point(int i) {
    if (i < 0) ListIndexError(i);
    while (Count() <= i) Add(std::make_unique<TRPoint>());
    return TRPoints::Point(i);
}

void TPolyline::SaveToText(TTextWriter& F) const {
    F.Key("NumPoints", Count());
    for (int i = 0; i < Count(); ++i) {
        const TRPoint& P = At(i);
        F.Line(FixedField(P.X, 3, 10) + FixedField(P.Y, 3, 10) + FixedField(P.Z, 3, 10));
    }
}

void TPolyline::LoadFromText(TTextReader& F) {
    const int N = FieldInteger(F.ReadLine(), "Polyline.NumPoints");
    for (int i = 0; i < N; ++i) {
        TRPoint& P = Point(i);
        P.X = F.ReadNumber();
        P.Y = F.ReadNumber();
        P.Z = F.ReadNumber();
        F.SkipLine();
    }
}

std::unique_ptr<TRPoint> TPolyline::PointAtAxis(int Axis, double Value) {
    // No extents pass first: the segments' ranges together span the extents, so a value outside
    // them meets no segment, and a lone point (its own extents) answers its exact value only.
    if (Count() == 1) return At(0).Coord(Axis) == Value ? TRPoint::CreateCopy(At(0)) : nullptr;
    for (int i = 1; i < Count(); ++i) {
        const TRPoint& P0 = At(i - 1);
        const TRPoint& P1 = At(i);
        // A segment of no extent that holds the value has no answer: 0/0 raises.
        if (Between(P0.Coord(Axis), P1.Coord(Axis), Value))
            return PointWithCoord(P0, P1, Axis, Value);
    }
    return nullptr;
}

std::unique_ptr<TPolyline> TPolyline::GetPolyline() {
    return CreateCopy(*this);
}

void TPolyline::AddPoint(double X, double Y, double Z) {
    Add(TRPoint::CreateXYZ(X, Y, Z));
}

void TPolyline::InsertPoint(int i, double X, double Y, double Z) {
    Insert(i, TRPoint::CreateXYZ(X, Y, Z));
}

void TPolyline::AddCopy(const TRPoint* P) {
    if (P) Add(TRPoint::CreateCopy(*P));
}

void TPolyline::AddRef(std::unique_ptr<TRPoint> P) {
    Add(std::move(P));
}

void TPolyline::AddPoints(const TRPoints& Src) {
    for (int i = 0; i < Src.Count(); ++i) AddCopy(&Src.At(i));
}

void TPolyline::Reverse() {
    for (int i = 0; i < Count() / 2; ++i) Exchange(i, Count() - 1 - i);
}

std::unique_ptr<TPolyline> TPolyline::TransformedCopy(const TMatrix& M) const {
    if (M.Rows() != 4 || M.Cols() != 4) return nullptr;
    auto Result = std::make_unique<TPolyline>();
    for (int i = 0; i < Count(); ++i) Result->AddRef(TransformPoint(At(i), M));
    Result->AssignAttributes(*this);
    return Result;
}

double TPolyline::GetXPosition() const {
    return Count() == 0 ? XPosition : Last().X;
}

void TPolyline::SetXPosition(double Value) {
    XPosition = Value;
    for (int i = 0; i < Count(); ++i) Point(i).X = Value;
}

bool TPolyline::GetClosed() const {
    return Count() >= 3 && SamePoint(First(), Last());
}

void TPolyline::SetClosed(bool Value) {
    if (Count() <= 2) return;
    if (GetClosed()) {
        if (!Value)
            while (GetClosed()) Delete(Count() - 1);
    } else if (Value) {
        AddCopy(&First());
    }
}

double TPolyline::Length() const {
    double Sum = 0.0;
    for (int i = 1; i < Count(); ++i) Sum += Distance(At(i - 1), At(i));
    return Sum;
}

TExtents TPolyline::Extents() const {
    TExtents E;
    InitExtents(E);
    for (int i = 0; i < Count(); ++i) IncludeInExtents(E, At(i));
    return E;
}

void TPolyline::SortByAxis(int Axis) {
    if (Count() > 1) QuickSort(Axis, 0, Count() - 1);
}

void TPolyline::QuickSort(int Axis, int Lo, int Hi) {
    auto Key = [&](int k) { return At(k).Coord(Axis); };
    const double Pivot = Key((Lo + Hi) / 2);
    int i = Lo, j = Hi;
    do {
        while (Key(i) < Pivot) ++i;
        while (Pivot < Key(j)) --j;
        if (i <= j) {
            Exchange(i, j);
            ++i;
            --j;
        }
    } while (i <= j);
    if (Lo < j) QuickSort(Axis, Lo, j);
    if (i < Hi) QuickSort(Axis, i, Hi);
}

void TPolyline::RemoveDuplicates() {
    for (int i = Count() - 1; i >= 1; --i) {
        const TRPoint& P = At(i);
        const TRPoint& Q = At(i - 1);
        if (P.X == Q.X && P.Y == Q.Y && P.Z == Q.Z) Delete(i);
    }
}

void TPolyline::TruncateTo3Decimals() {
    auto Cut = [](double V) { return TruncToInt(static_cast<float>(V * 1000.0)) / 1000.0; };
    for (int i = 0; i < Count(); ++i) {
        TRPoint& P = Point(i);
        P.SetXYZ(Cut(P.X), Cut(P.Y), Cut(P.Z));
    }
}

void TPolyline::StartAtMiddle() {
    StartAt(Count() / 2);
}

void TPolyline::StartAtQuarter() {
    StartAt(Count() / 4);
}

void TPolyline::StartAt(int Middle) {
    const int S = Middle - 1;
    if (S < 0) ListIndexError(S);
    TPolyline Chain;
    for (int i = S; i < Count(); ++i) Chain.AddCopy(&At(i));
    for (int i = 0; i <= S; ++i) Chain.AddCopy(&At(i));
    Assign(Chain);
}

void TPolyline::Draw(TGStream& Stream) const {
    if (UseColors || Filled) {
        Stream.DrawPoints(*this);
        return;
    }
    for (int i = 1; i < Count(); ++i) {
        const TRPoint& P = At(i - 1);
        const TRPoint& Q = At(i);
        Stream.Line(P.X, P.Y, P.Z, Q.X, Q.Y, Q.Z);
    }
}

void TPolyline::SaveToFile(const std::string& FileName) const {
    TSafeFile File(FileName);
    TTextWriter F(File.Stream());
    F.Line("[" + std::string(ClassName()) + "]");
    SaveToText(F);
    File.Commit();
}

namespace {

// Appends the point at arc length S of Polyline from every segment whose span holds S.
void AddSamplesAt(const TPolyline& Polyline, double S, TPolyline& Chain) {
    double A = 0.0;
    // No early exit: a sample on an inner vertex comes from both segments meeting there.
    for (int i = 1; i < Polyline.Count(); ++i) {
        const TRPoint& P = Polyline.At(i - 1);
        const TRPoint& Q = Polyline.At(i);
        const double B = A + Distance(P, Q);
        if (A <= S && S <= B && B - A != 0.0) Chain.AddRef(PointBetween(P, Q, (S - A) / (B - A)));
        A = B;
    }
}

} // namespace

void Resample(TPolyline& Polyline, int N) {
    const int Samples = std::max(N, 2);
    const double L = Polyline.Length();
    TPolyline Chain;
    for (int k = 0; k < Samples; ++k) {
        if (L != 0.0)
            AddSamplesAt(Polyline, static_cast<double>(k) / (Samples - 1) * L, Chain);
        else if (Polyline.Count() > 0) // no length to spread over: every sample is the start
            Chain.AddPoint(Polyline.First().X, Polyline.First().Y, Polyline.First().Z);
    }
    Polyline.Assign(Chain);
}

std::unique_ptr<TPolyline> ClipPolylineAtZ(const TPolyline& Source, int Side, bool KeepClosed,
                                           double Level) {
    // Fewer than two points can never leave a two-point result.
    if ((Side != 0 && Side != 1) || Source.Count() < 2) return nullptr;
    auto Wanted = [&](const TRPoint& P) { return Side == 0 ? P.Z < Level : P.Z > Level; };
    auto W = TPolyline::CreateCopy(Source);
    if (W->Last().Z < W->First().Z) W->Reverse();
    // A chain too short to start at its quarter keeps its start.
    if (W->First().Z == Level && W->Last().Z == Level && W->Count() >= 4) W->StartAtQuarter();
    if (Wanted(W->First()) && Wanted(W->Last())) W->StartAtMiddle();

    auto R = std::make_unique<TPolyline>();
    if (Wanted(W->First())) R->AddCopy(&W->First());
    for (int i = 1; i < W->Count(); ++i) {
        const TRPoint& P = W->At(i - 1);
        const TRPoint& Q = W->At(i);
        if (Between(P.Z, Q.Z, Level) && P.Z != Q.Z) R->AddRef(InterpolatePoint(P, Q, 2, Level));
        if (Wanted(Q)) R->AddCopy(&Q);
    }
    if (W->GetClosed() && KeepClosed) R->SetClosed(true);
    if (R->Count() > 1) return R;
    return nullptr;
}

std::unique_ptr<TMatrix> PlaneMatrix(int Plane) {
    static constexpr int Ones[3][3][2] = {
        {{1, 1}, {2, 2}, {3, 3}}, {{1, 2}, {2, 3}, {3, 1}}, {{1, 1}, {2, 3}, {3, 2}}};
    if (Plane < 0 || Plane > 2) return nullptr;
    auto M = std::make_unique<TMatrix>(4, 4);
    ZeroMatrix(*M);
    for (const auto& Cell : Ones[Plane]) M->Set(Cell[0], Cell[1], 1.0);
    return M;
}

std::unique_ptr<TMatrix> PlaneInverseMatrix(int Plane) {
    const auto M = PlaneMatrix(Plane);
    return M ? MatrixTranspose(*M) : nullptr;
}

std::unique_ptr<TPolyline> TransformToPlane(TPolyline& P, int Plane) {
    const auto M = PlaneMatrix(Plane);
    return M ? P.GetPolyline()->TransformedCopy(*M) : nullptr;
}

std::unique_ptr<TPolyline> TransformFromPlane(const TPolyline& P, int Plane) {
    const auto M = PlaneInverseMatrix(Plane);
    return M ? P.TransformedCopy(*M) : nullptr;
}

namespace {

// The crossing of a point chain of one point with another chain, in plane coordinates.
void AddPointOnChain(TPolyline& Single, TPolyline& Other, TPolyline& R) {
    const TRPoint& P = Single.First();
    const auto Q = Other.PointAtX(P.X);
    if (Q && std::fabs(Q->Y - P.Y) < 0.001) R.AddCopy(&P);
}

bool Overlap(double A0, double A1, double B0, double B1) {
    return std::max(std::min(A0, A1), std::min(B0, B1)) <=
           std::min(std::max(A0, A1), std::max(B0, B1));
}

// I lies within both segments' ranges on X and on Y, with a small slack.
bool WithinSegments(const TRPoint& I, const TRPoint& A0, const TRPoint& A1, const TRPoint& B0,
                    const TRPoint& B1) {
    for (int Axis = 0; Axis < 2; ++Axis) {
        const double a0 = A0.Coord(Axis), a1 = A1.Coord(Axis);
        const double b0 = B0.Coord(Axis), b1 = B1.Coord(Axis);
        const double V = I.Coord(Axis);
        if (V + 0.00001 < std::max(std::min(a0, a1), std::min(b0, b1))) return false;
        if (V - 0.00001 > std::min(std::max(a0, a1), std::max(b0, b1))) return false;
    }
    return true;
}

// The points of a chain by value, side by side.
std::vector<TRPoint> PointsOf(const TPolyline& P) {
    std::vector<TRPoint> Points;
    Points.reserve(static_cast<std::size_t>(P.Count()));
    for (int i = 0; i < P.Count(); ++i) Points.push_back(P.At(i));
    return Points;
}

void AddSegmentCrossings(const TPolyline& A, const TPolyline& B, TPolyline& R) {
    // Every segment of A meets every segment of B: read the points from one block each, and pass
    // over a segment of A that lies outside all of B.
    const std::vector<TRPoint> PA = PointsOf(A), PB = PointsOf(B);
    const TExtents EB = B.Extents();
    for (std::size_t i = 1; i < PA.size(); ++i) {
        const TRPoint& A0 = PA[i - 1];
        const TRPoint& A1 = PA[i];
        // A segment seen end-on has no direction along which to take the depth (0/0); a
        // crossing at its point is found on the segments next to it.
        if (A0.X == A1.X && A0.Y == A1.Y) continue;
        if (!Overlap(A0.X, A1.X, EB.MinX, EB.MaxX) || !Overlap(A0.Y, A1.Y, EB.MinY, EB.MaxY))
            continue;
        for (std::size_t j = 1; j < PB.size(); ++j) {
            const TRPoint& B0 = PB[j - 1];
            const TRPoint& B1 = PB[j];
            if (!Overlap(A0.X, A1.X, B0.X, B1.X) || !Overlap(A0.Y, A1.Y, B0.Y, B1.Y)) continue;
            const auto I = IntersectSegments2D(A0, A1, B0, B1);
            if (I && WithinSegments(*I, A0, A1, B0, B1)) R.AddCopy(I.get());
        }
    }
}

} // namespace

std::unique_ptr<TPolyline> IntersectPolylines(TPolyline& A, TPolyline& B, int Plane) {
    auto PA = TransformToPlane(A, Plane);
    auto PB = TransformToPlane(B, Plane);
    if (!PA || !PB) return nullptr;
    TPolyline R;
    if (PA->Count() == 1 || PB->Count() == 1) {
        if (PA->Count() > 1) std::swap(PA, PB);
        AddPointOnChain(*PA, *PB, R);
    } else {
        AddSegmentCrossings(*PA, *PB, R);
    }
    auto Result = TransformFromPlane(R, Plane);
    Result->TruncateTo3Decimals();
    Result->RemoveDuplicates();
    return Result;
}
