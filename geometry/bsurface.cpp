// The B-spline surface: knots and range, evaluation, sampling, iso-lines, faces and the surface
// record; and the owning list of surfaces.
#include "geometry/bsurface.h"

#include "geometry/errors.h"
#include "geometry/gstream.h"
#include "geometry/listindex.h"
#include "geometry/matrix.h"
#include "geometry/polygon.h"
#include "geometry/records.h"

#include <algorithm>
#include <cstring>

TBSplineSurface::TBSplineSurface(int ANumU, int ANumV) : TMesh(ANumU, ANumV) {}

void TBSplineSurface::SetOrderU(int k) {
    ForcedBezier = false;
    OrderU = k;
}

void TBSplineSurface::SetOrderV(int k) {
    ForcedBezier = false;
    OrderV = k;
}

void TBSplineSurface::AssignKnots(const TBSplineSurface& Src) {
    OrderU = Src.OrderU;
    OrderV = Src.OrderV;
    FKnotU = Src.FKnotU;
    FKnotV = Src.FKnotV;
    KnotType = Src.KnotType;
}

void TBSplineSurface::Assign(const TBSplineSurface& Src) {
    TMesh::Assign(Src);
    AssignKnots(Src);
    MaxU = Src.UMax();
    MaxV = Src.VMax();
    MinU = Src.UMin();
    MinV = Src.VMin();
}

std::unique_ptr<TBSplineSurface> TBSplineSurface::TransformedCopy(const TMatrix& M) const {
    if (M.Rows() != 4 || M.Cols() != 4) return nullptr;
    auto Result = std::make_unique<TBSplineSurface>(NumU, NumV);
    for (int i = 0; i < NumU; ++i)
        for (int j = 0; j < NumV; ++j) Result->SetPoint(i, j, *TransformPoint(Point(i, j), M));
    Result->AssignKnots(*this);
    Result->MaxU = MaxU;
    Result->MaxV = MaxV;
    Result->MinU = MinU;
    Result->MinV = MinV;
    return Result;
}

void TBSplineSurface::MakeKnots() {
    if (KnotType != ktOpen) return;
    if (ForcedBezier) {
        OrderU = NumU;
        OrderV = NumV;
    }
    FKnotU.MakeOpen(NumU, OrderU);
    FKnotV.MakeOpen(NumV, OrderV);
}

namespace {

// The parameter i of Count evenly spread from Min over Range.
double SpreadParameter(double Min, double Range, int i, int Count) {
    return Min + i * Range / (Count - 1);
}

} // namespace

void TBSplineSurface::CheckRange() const {
    if (KnotType != ktOpen && KnotType != ktCustom) throw EGeometryError(SurfaceRangeErrorText);
}

double TBSplineSurface::UMin() const {
    CheckRange();
    return KnotType == ktOpen ? KnotU(1) : MinU;
}

double TBSplineSurface::UMax() const {
    CheckRange();
    return KnotType == ktOpen ? KnotU(NumU + OrderU) : MaxU;
}

double TBSplineSurface::VMin() const {
    CheckRange();
    return KnotType == ktOpen ? KnotV(1) : MinV;
}

double TBSplineSurface::VMax() const {
    CheckRange();
    return KnotType == ktOpen ? KnotV(NumV + OrderV) : MaxV;
}

double TBSplineSurface::URange() const {
    return Finite(UMax() - UMin());
}

double TBSplineSurface::VRange() const {
    return Finite(VMax() - VMin());
}

void TBSplineSurface::ComputeBasisU(double u) {
    FKnotU.Evaluate(NumU, OrderU, u, FValuesU);
}

void TBSplineSurface::ComputeBasisV(double v) {
    FKnotV.Evaluate(NumV, OrderV, v, FValuesV);
}

// Creates the net points not yet stored, so that every net point can be read by its index.
void TBSplineSurface::EnsureNet() {
    if (NumU > 0 && NumV > 0 && Count() < static_cast<long long>(NumU) * NumV)
        Point(NumU - 1, NumV - 1);
}

namespace {

// The net points ItemOf(Index) weighted by the products of U's and V's basis values, u the inner
// direction: each net column of U's span is first reduced by V's values, then the columns by U's;
// values of 0 or below are skipped. The sums are locals, so that they stay in registers.
template <class TItemOf>
TRPoint WeightedNet(const TBasisValues& U, const TBasisValues& V, int NumU, TItemOf ItemOf) {
    const double* Bus = U.Value.data();
    const double* Bvs = V.Value.data();
    const int Corner = NumU * V.First + U.First;
    double X = 0.0, Y = 0.0, Z = 0.0;
    for (int a = 0; a < U.Count; ++a) {
        const double Bu = Bus[a];
        if (Bu <= 0.0) continue;
        double Xa = 0.0, Ya = 0.0, Za = 0.0;
        for (int b = 0; b < V.Count; ++b) {
            const double Bv = Bvs[b];
            if (Bv <= 0.0) continue;
            const TRPoint& C = ItemOf(Corner + NumU * b + a);
            Xa += C.X * Bv;
            Ya += C.Y * Bv;
            Za += C.Z * Bv;
        }
        X += Xa * Bu;
        Y += Ya * Bu;
        Z += Za * Bu;
    }
    return TRPoint(X, Y, Z);
}

// Two doubles taken by one instruction where the processor has one (SSE2 on x86-64).
using TPair = double __attribute__((vector_size(16)));

// WeightedNet for a cubic patch with every basis value above 0: the same products and sums in
// the same order, the four column sums kept side by side so that the net is read row by row
// (RunOf(Index) answers the row's four points from Index as an array, or null), X and Y taken as
// pairs.
template <class TItemOf, class TRunOf>
TRPoint CubicPatch(const TBasisValues& U, const TBasisValues& V, int NumU, TItemOf ItemOf,
                   TRunOf RunOf) {
    TPair XYa[4] = {};
    double Za[4] = {};
    for (int b = 0; b < 4; ++b) {
        const int Row = NumU * (V.First + b) + U.First;
        const TRPoint* Run = RunOf(Row);
        const double Bv = V.Value[static_cast<std::size_t>(b)];
        for (int a = 0; a < 4; ++a) {
            const TRPoint& C = Run ? Run[a] : ItemOf(Row + a);
            TPair CXY;
            std::memcpy(&CXY, &C, sizeof CXY); // X and Y lead the point
            XYa[a] += CXY * Bv;
            Za[a] += C.Z * Bv;
        }
    }
    TPair XY = {};
    double Z = 0.0;
    for (int a = 0; a < 4; ++a) {
        const double Bu = U.Value[static_cast<std::size_t>(a)];
        XY += XYa[a] * Bu;
        Z += Za[a] * Bu;
    }
    return TRPoint(XY[0], XY[1], Z);
}

bool AllPositive(const TBasisValues& B) {
    const double* Value = B.Value.data();
    return Value[0] > 0.0 && Value[1] > 0.0 && Value[2] > 0.0 && Value[3] > 0.0;
}

} // namespace

// The point is allocated first, so that the sums need not be kept across the allocation.
std::unique_ptr<TRPoint> TBSplineSurface::Combine(const TBasisValues& U, const TBasisValues& V) {
    EnsureNet();
    auto P = std::make_unique<TRPoint>();
    const auto ItemOf = [this](int Index) -> const TRPoint& { return Item(Index); };
    if (U.Count == 4 && V.Count == 4 && AllPositive(U) && AllPositive(V))
        *P = CubicPatch(U, V, NumU, ItemOf, [this](int Index) { return Run(Index, 4); });
    else
        *P = WeightedNet(U, V, NumU, ItemOf);
    return P;
}

std::unique_ptr<TRPoint> TBSplineSurface::PointAt(double u, double v) {
    ComputeBasisU(u);
    ComputeBasisV(v);
    return Combine(FValuesU, FValuesV);
}

namespace {

// The basis values of Count parameters spread evenly from Min over Range, side by side in one
// block: parameter i's Count(i) values start at Values(i) and belong to functions First(i) + 1 on.
// Each is evaluated into B, which keeps the last parameter's values.
class TSpreadBases {
public:
    TSpreadBases(TKnotVector& Knots, int n, int k, double Min, double Range, int Count,
                 TBasisValues& B)
        : Width(std::max(n, 1)), Firsts(static_cast<std::size_t>(Count)),
          Counts(static_cast<std::size_t>(Count)),
          Block(static_cast<std::size_t>(Count) * static_cast<std::size_t>(Width)) {
        for (int i = 0; i < Count; ++i) {
            Knots.Evaluate(n, k, SpreadParameter(Min, Range, i, Count), B);
            Firsts[static_cast<std::size_t>(i)] = B.First;
            Counts[static_cast<std::size_t>(i)] = B.Count;
            std::copy_n(B.Value.begin(), B.Count, Block.begin() + Offset(i));
        }
    }

    int First(int i) const { return Firsts[static_cast<std::size_t>(i)]; }
    int Count(int i) const { return Counts[static_cast<std::size_t>(i)]; }
    const double* Values(int i) const { return Block.data() + Offset(i); }

    // The points PointOf(f) of parameter i's functions f (0-based) weighted by their basis values;
    // values of 0 or below are skipped. The sums are locals, so that they stay in registers.
    template <class TPointOf> TRPoint WeightedSum(int i, TPointOf PointOf) const {
        const double* w = Values(i);
        const int First = this->First(i), N = Count(i);
        double X = 0.0, Y = 0.0, Z = 0.0;
        for (int a = 0; a < N; ++a) {
            if (w[a] <= 0.0) continue;
            const TRPoint& C = PointOf(First + a);
            X += C.X * w[a];
            Y += C.Y * w[a];
            Z += C.Z * w[a];
        }
        return TRPoint(X, Y, Z);
    }

private:
    int Width; // values kept per parameter: every evaluation answers at most n
    std::vector<int> Firsts, Counts;
    std::vector<double> Block;

    std::ptrdiff_t Offset(int i) const { return static_cast<std::ptrdiff_t>(i) * Width; }
};

} // namespace

// Every u and v parameter's basis values are computed once. For each u the net is first reduced
// to the curve of constant u (one point per net column), whose points the v values then weigh.
// The basis values stay those of the last sample, as if every sample were evaluated alone.
std::unique_ptr<TMesh> TBSplineSurface::SampleMesh(int Nu, int Nv) {
    CheckSampleCount(Nu);
    CheckSampleCount(Nv);
    MakeKnots();
    const double U0 = UMin(), Ur = URange(), V0 = VMin(), Vr = VRange();
    const TSpreadBases Us(FKnotU, NumU, OrderU, U0, Ur, Nu, FValuesU);
    const TSpreadBases Vs(FKnotV, NumV, OrderV, V0, Vr, Nv, FValuesV);
    EnsureNet();
    const auto Rows = static_cast<std::size_t>(std::max(NumV, 0));
    std::vector<TRPoint> Columns(static_cast<std::size_t>(Nu) * Rows); // Nu curves of NumV
    for (int i = 0; i < Nu; ++i)
        for (int j = 0; j < NumV; ++j)
            Columns[static_cast<std::size_t>(i) * Rows + static_cast<std::size_t>(j)] =
                Us.WeightedSum(i, [&](int a) -> const TRPoint& { return Item(NumU * j + a); });
    auto Result = std::make_unique<TMesh>(Nu, Nv);
    Result->SetEachPoint([&](int i, int j) {
        const TRPoint* Column = Columns.data() + static_cast<std::size_t>(i) * Rows;
        return Vs.WeightedSum(j, [&](int b) -> const TRPoint& { return Column[b]; });
    });
    return Result;
}

void TBSplineSurface::DrawIsoLines(TGStream& Stream) {
    CheckSampleCount(SamplesU);
    CheckSampleCount(SamplesV);
    CheckSampleCount(IsoSamples);
    MakeKnots();
    const double U0 = UMin(), Ur = URange(), V0 = VMin(), Vr = VRange();
    for (int i = 0; i < SamplesU; ++i)
        DrawIsoLine(Stream, true, SpreadParameter(U0, Ur, i, SamplesU), V0, Vr);
    for (int i = 0; i < SamplesV; ++i)
        DrawIsoLine(Stream, false, SpreadParameter(V0, Vr, i, SamplesV), U0, Ur);
}

// The line of constant u (ConstantU) or constant v at Fixed, through IsoSamples points spread
// from Min over Range; the fixed direction's basis values serve every point.
void TBSplineSurface::DrawIsoLine(TGStream& Stream, bool ConstantU, double Fixed, double Min,
                                  double Range) {
    const auto PointAlong = [&](int j) {
        const double t = SpreadParameter(Min, Range, j, IsoSamples);
        ConstantU ? ComputeBasisV(t) : ComputeBasisU(t);
        return Combine(FValuesU, FValuesV);
    };
    ConstantU ? ComputeBasisU(Fixed) : ComputeBasisV(Fixed);
    auto P = PointAlong(0);
    for (int j = 1; j < IsoSamples; ++j) {
        auto Q = PointAlong(j);
        Stream.Line(P->X, P->Y, P->Z, Q->X, Q->Y, Q->Z);
        P = std::move(Q);
    }
}

std::string TBSplineSurface::KnotTypeName() const {
    return ::KnotTypeName(KnotType);
}

void TBSplineSurface::KnotTypeByString(std::string_view S) {
    KnotType = KnotTypeFromText(S, SurfaceKnotTypeErrorText);
}

std::string TBSplineSurface::KnotsUToString() const {
    return FKnotU.ToString(NumU + OrderU);
}

std::string TBSplineSurface::KnotsVToString() const {
    return FKnotV.ToString(NumV + OrderV);
}

void TBSplineSurface::KnotsUFromString(std::string_view S) {
    FKnotU.FromString(S, false);
}

void TBSplineSurface::KnotsVFromString(std::string_view S) {
    FKnotV.FromString(S, false);
}

void TBSplineSurface::SaveToText(TTextWriter& F) const {
    if (KnotType != ktOpen) {
        F.Key("KnotType", KnotTypeName());
        F.Key("KnotU", KnotsUToString());
        F.Key("KnotV", KnotsVToString());
        F.Key("MinUParameter", GeneralText(UMin()));
        F.Key("MinVParameter", GeneralText(VMin()));
        F.Key("MaxUParameter", GeneralText(UMax()));
        F.Key("MaxVParameter", GeneralText(VMax()));
    }
    if (ForcedBezier) F.Line("ForcedBezier");
    F.Key("OrderU", OrderU);
    F.Key("OrderV", OrderV);
    TMesh::SaveToText(F);
}

void TBSplineSurface::LoadFromText(TTextReader& F) {
    const std::string L = ReadKnotHead(F, ForcedBezier, [&](std::string_view KindLine) {
        KnotTypeByString(KindLine);
        // Open knots are built, never stored: only the other kinds carry the knot block.
        if (KnotType == ktOpen) return;
        KnotsUFromString(F.ReadLine());
        KnotsVFromString(F.ReadLine());
        MinU = FieldNumber(F.ReadLine(), "BSplineSurface.MinUParameter");
        MinV = FieldNumber(F.ReadLine(), "BSplineSurface.MinVParameter");
        MaxU = FieldNumber(F.ReadLine(), "BSplineSurface.MaxUParameter");
        MaxV = FieldNumber(F.ReadLine(), "BSplineSurface.MaxVParameter");
    });
    OrderU = FieldOrder(L, "BSplineSurface.OrderU");
    OrderV = FieldOrder(F.ReadLine(), "BSplineSurface.OrderV");
    TMesh::LoadFromText(F);
    // The flag makes the orders the net's sizes.
    if (ForcedBezier && NumU > 0 && NumV > 0) {
        OrderInRange(NumU, "BSplineSurface.OrderU");
        OrderInRange(NumV, "BSplineSurface.OrderV");
    }
}

void TBSplineSurface::Transpose() {
    TMesh::Transpose();
    std::swap(OrderU, OrderV);
}

std::unique_ptr<TPolygonList> TBSplineSurface::GetPolygons() {
    return SampleMesh(SamplesU, SamplesV)->GetPolygons();
}

TBSplineSurface& TBSplineSurfaceList::Surface(int i) const {
    CheckListIndex(i, Items.size());
    return *Items[static_cast<std::size_t>(i)];
}

void TBSplineSurfaceList::Add(std::unique_ptr<TBSplineSurface> S) {
    if (S) Items.push_back(std::move(S));
}

void TBSplineSurfaceList::Delete(int i) {
    CheckListIndex(i, Items.size());
    Items.erase(Items.begin() + i);
}

void TBSplineSurfaceList::SaveToText(TTextWriter& F) const {
    F.Key("NumSurfaces", Count());
    for (const auto& S : Items) S->SaveToText(F);
}
