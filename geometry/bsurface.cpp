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
    if (NumU > 0 && NumV > 0) Point(NumU - 1, NumV - 1);
}

std::unique_ptr<TRPoint> TBSplineSurface::Combine(const TBasisValues& U, const TBasisValues& V) {
    EnsureNet();
    double X = 0.0, Y = 0.0, Z = 0.0; // locals, so that the sums stay in registers
    for (int a = 0; a < U.Count; ++a) {
        const double Bu = U.Value[static_cast<std::size_t>(a)];
        if (Bu <= 0.0) continue;
        for (int b = 0; b < V.Count; ++b) {
            const double Bv = V.Value[static_cast<std::size_t>(b)];
            if (Bv <= 0.0) continue;
            const TRPoint& C = Item(NumU * (V.First + b) + U.First + a);
            X += C.X * Bu * Bv;
            Y += C.Y * Bu * Bv;
            Z += C.Z * Bu * Bv;
        }
    }
    return TRPoint::CreateXYZ(X, Y, Z);
}

std::unique_ptr<TRPoint> TBSplineSurface::PointAt(double u, double v) {
    ComputeBasisU(u);
    ComputeBasisV(v);
    return Combine(FValuesU, FValuesV);
}

namespace {

// The basis values of Count parameters spread evenly from Min over Range.
std::vector<TBasisValues> SpreadBases(TKnotVector& Knots, int n, int k, double Min, double Range,
                                      int Count) {
    std::vector<TBasisValues> Bases(static_cast<std::size_t>(Count));
    for (int i = 0; i < Count; ++i)
        Knots.Evaluate(n, k, SpreadParameter(Min, Range, i, Count),
                       Bases[static_cast<std::size_t>(i)]);
    return Bases;
}

// The points PointOf(i) of B's functions i (0-based) weighted by their basis values; values of 0
// or below are skipped. The sums are locals, so that they stay in registers.
template <class TPointOf> TRPoint WeightedSum(const TBasisValues& B, TPointOf PointOf) {
    double X = 0.0, Y = 0.0, Z = 0.0;
    for (int a = 0; a < B.Count; ++a) {
        const double w = B.Value[static_cast<std::size_t>(a)];
        if (w <= 0.0) continue;
        const TRPoint& C = PointOf(B.First + a);
        X += C.X * w;
        Y += C.Y * w;
        Z += C.Z * w;
    }
    return TRPoint(X, Y, Z);
}

} // namespace

// Every u and v parameter's basis values are computed once. For each u the net is first reduced
// to the curve of constant u (one point per net column), whose points the v values then weigh.
std::unique_ptr<TMesh> TBSplineSurface::SampleMesh(int Nu, int Nv) {
    CheckSampleCount(Nu);
    CheckSampleCount(Nv);
    MakeKnots();
    const double U0 = UMin(), Ur = URange(), V0 = VMin(), Vr = VRange();
    const auto Us = SpreadBases(FKnotU, NumU, OrderU, U0, Ur, Nu);
    const auto Vs = SpreadBases(FKnotV, NumV, OrderV, V0, Vr, Nv);
    EnsureNet();
    auto Result = std::make_unique<TMesh>(Nu, Nv);
    Result->Point(Nu - 1, Nv - 1);
    std::vector<TRPoint> Column(static_cast<std::size_t>(std::max(NumV, 0)));
    for (int i = 0; i < Nu; ++i) {
        for (int j = 0; j < NumV; ++j)
            Column[static_cast<std::size_t>(j)] =
                WeightedSum(Us[static_cast<std::size_t>(i)],
                            [&](int a) -> const TRPoint& { return Item(NumU * j + a); });
        for (int j = 0; j < Nv; ++j)
            Result->Point(i, j) =
                WeightedSum(Vs[static_cast<std::size_t>(j)], [&](int b) -> const TRPoint& {
                    return Column[static_cast<std::size_t>(b)];
                });
    }
    // The basis values stay those of the last sample, as if every sample were evaluated alone.
    FValuesU = Us.back();
    FValuesV = Vs.back();
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
