// The B-spline curve: knots and range, evaluation, sampling and drawing, the coordinate
// searches, fitting through points, and the curve record.
#include "geometry/bspline.h"

#include "geometry/errors.h"
#include "geometry/maths.h"
#include "geometry/matrix.h"
#include "geometry/records.h"

#include <cmath>
#include <optional>

namespace {

// The bisection halves the parameter interval; after this many halvings it stops.
constexpr int MaxHalvings = 200;
// A Custom range lies this far inside its stored ends.
constexpr double CustomMargin = 0.000001;

double CutValue(std::string_view Line, std::string_view Field) {
    return CutToSixDecimals(FieldNumber(Line, Field));
}

} // namespace

TBSpline::TBSpline(int AOrder) : Order(AOrder) {}

std::unique_ptr<TBSpline> TBSpline::CreateCopy(const TBSpline& Src) {
    auto Result = std::make_unique<TBSpline>(4);
    Result->Assign(Src);
    return Result;
}

void TBSpline::Assign(const TBSpline& Src) {
    TRPoints::Assign(Src);
    AssignCurveData(Src);
}

std::unique_ptr<TBSpline> TBSpline::TransformedCopy(const TMatrix& M) const {
    if (M.Rows() != 4 || M.Cols() != 4) return nullptr;
    auto Result = std::make_unique<TBSpline>(Order);
    for (int i = 0; i < Count(); ++i) Result->AddRef(TransformPoint(At(i), M));
    Result->AssignCurveData(*this);
    return Result;
}

void TBSpline::AssignCurveData(const TBSpline& Src) {
    Order = Src.Order;
    ForcedBezier = Src.ForcedBezier;
    Samples = Src.Samples;
    Tolerance = Src.Tolerance;
    KnotType = Src.KnotType;
    FKnot = Src.FKnot;
    MaxT = Src.MaxT;
    MinT = Src.MinT;
}

std::unique_ptr<TPolyline> TBSpline::TransformedCurveCopy(const TMatrix& M) const {
    return TransformedCopy(M);
}

void TBSpline::SetOrder(int k) {
    ForcedBezier = false;
    Order = k;
}

void TBSpline::MakeKnots() {
    const int n = Count();
    if (KnotType == ktOpen) {
        if (ForcedBezier) Order = n;
        FKnot.MakeOpen(n, Order);
    } else if (KnotType == ktPeriodic) {
        FKnot.MakePeriodic(n, Order);
    }
}

double TBSpline::TMin() const {
    switch (KnotType) {
    case ktOpen:
        return Knot(1);
    case ktPeriodic:
        return Knot(Order);
    case ktNonUniform:
        throw EGeometryError(CurveRangeErrorText);
    default:
        return MinT + CustomMargin;
    }
}

double TBSpline::TMax() const {
    switch (KnotType) {
    case ktOpen:
        return Knot(Count() + Order);
    case ktPeriodic:
        return Knot(Count() + 1);
    case ktNonUniform:
        throw EGeometryError(CurveRangeErrorText);
    default:
        return MaxT - CustomMargin;
    }
}

double TBSpline::TRange() const {
    return Finite(TMax() - TMin());
}

void TBSpline::ComputeBasis(double t) {
    FKnot.Evaluate(Count(), Order, t, FValues);
}

std::unique_ptr<TRPoint> TBSpline::PointAt(double t) {
    ComputeBasis(t);
    auto P = std::make_unique<TRPoint>();
    for (int i = 0; i < FValues.Count; ++i) {
        const double B = FValues.Value[static_cast<std::size_t>(i)];
        if (B <= 0.0) continue;
        const TRPoint& C = At(FValues.First + i);
        P->X += B * C.X;
        P->Y += B * C.Y;
        P->Z += B * C.Z;
    }
    return P;
}

std::string TBSpline::KnotTypeName() const {
    return ::KnotTypeName(KnotType);
}

void TBSpline::KnotTypeByString(std::string_view S) {
    KnotType = KnotTypeFromText(S, CurveKnotTypeErrorText);
}

std::string TBSpline::KnotsToString() const {
    return FKnot.ToString(Count() + Order);
}

void TBSpline::KnotsFromString(std::string_view S) {
    FKnot.FromString(S, true);
}

bool TBSpline::Evaluable() const {
    return Count() != 0 && Count() >= Order;
}

double TBSpline::SampleParameter(int j) const {
    return TMin() + TRange() * j / (Samples - 1);
}

// The samples form a plain polyline, which draws one line per segment.
void TBSpline::Draw(TGStream& Stream) {
    if (!Evaluable() || Order < 3) return TPolyline::Draw(Stream);
    GetPolyline()->Draw(Stream);
}

std::unique_ptr<TPolyline> TBSpline::GetPolyline() {
    if (!Evaluable()) return TPolyline::GetPolyline();
    CheckSampleCount(Samples);
    MakeKnots();
    auto Result = std::make_unique<TPolyline>();
    for (int j = 0; j < Samples; ++j) Result->AddRef(PointAt(SampleParameter(j)));
    return Result;
}

// Bisection on the parameter: the half whose end values bracket Value is kept. The values at
// the interval's ends are kept between steps instead of being evaluated again. When the halvings
// run out the last midpoint is the answer.
std::unique_ptr<TRPoint> TBSpline::PointAtAxis(int Axis, double Value) {
    MakeKnots();
    double t0 = TMin(), t1 = TMax();
    double A = PointAt(t1)->Coord(Axis);
    double B = PointAt(t0)->Coord(Axis);
    std::unique_ptr<TRPoint> M;
    for (int Step = 0; Step < MaxHalvings; ++Step) {
        const double tm = (t0 + t1) / 2;
        M = PointAt(tm);
        const double Mv = M->Coord(Axis);
        if (Mv == Value) return M;
        if (Between(B, Mv, Value)) {
            t1 = tm;
            A = Mv;
        } else if (Between(Mv, A, Value)) {
            t0 = tm;
            B = Mv;
        } else {
            return nullptr;
        }
        if (std::fabs(Value - Mv) < Tolerance) return M;
    }
    return M;
}

void TBSpline::SaveToText(TTextWriter& F) const {
    if (KnotType != ktOpen) F.Key("KnotType", KnotTypeName());
    if (KnotType != ktOpen && KnotType != ktPeriodic) {
        F.Key("Knot", KnotsToString());
        F.Key("MinTParameter", GeneralText(TMin()));
        F.Key("MaxTParameter", GeneralText(TMax()));
    }
    if (ForcedBezier) F.Line("ForcedBezier");
    F.Key("Order", Order);
    TPolyline::SaveToText(F);
}

void TBSpline::LoadFromText(TTextReader& F) {
    const std::string L = ReadKnotHead(F, ForcedBezier, [&](std::string_view KindLine) {
        KnotTypeByString(KindLine);
        // Open and periodic knots are built, never stored.
        if (KnotType == ktOpen || KnotType == ktPeriodic) return;
        KnotsFromString(F.ReadLine());
        MinT = CutValue(F.ReadLine(), "BSpline.MinTParameter");
        MaxT = CutValue(F.ReadLine(), "BSpline.MaxTParameter");
    });
    Order = FieldOrder(L, "BSpline.Order");
    TPolyline::LoadFromText(F);
    // The flag makes the order the number of control points.
    if (ForcedBezier && Count() > 0) OrderInRange(Count(), "BSpline.Order");
}

namespace {

// Chord-length parameters of the points, 0 at the first and 1 at the last; none when two
// consecutive points coincide or there are no points.
std::optional<std::vector<double>> ChordParameters(const TRPoints& Points) {
    std::vector<double> u(static_cast<std::size_t>(Points.Count()), 0.0);
    for (int j = 1; j < Points.Count(); ++j) {
        const double d = Distance(Points.At(j - 1), Points.At(j));
        if (d == 0.0) return std::nullopt;
        u[j] = u[j - 1] + d;
    }
    if (u.empty()) return std::nullopt;
    const double Total = u.back(); // 0 only for a single point
    if (Total != 0.0)
        for (double& v : u) v /= Total;
    return u;
}

} // namespace

std::unique_ptr<TBSpline> FitBSpline(int Order, const TRPoints& Points) {
    const int n = Points.Count();
    const auto u = ChordParameters(Points);
    if (!u || n < Order || Order < 1) throw EGeometryError(FitErrorText);
    auto S = std::make_unique<TBSpline>(Order);
    S->Assign(Points);
    S->MakeKnots();
    const double T = S->Knot(n + Order);
    TMatrix A(n, n);
    for (int i = 1; i <= n; ++i) {
        S->ComputeBasis((*u)[i - 1] * T);
        for (int j = 1; j <= n; ++j) A.Set(i, j, S->Basis(j));
    }
    const auto At = MatrixTranspose(A);
    const auto G = MatrixMultiply(*At, A);
    std::unique_ptr<TMatrix> Inv;
    try {
        Inv = MatrixInverse(*G);
    } catch (const EMathError&) {
        throw EGeometryError(FitErrorText);
    }
    if (!Inv) throw EGeometryError(FitErrorText);
    TMatrix P(n, 3);
    for (int i = 1; i <= n; ++i)
        for (int c = 1; c <= 3; ++c) P.Set(i, c, Points.At(i - 1).Coord(c - 1));
    const auto C = MatrixMultiply(*Inv, *MatrixMultiply(*At, P));
    for (int i = 1; i <= n; ++i) {
        const double X = C->Get(i, 1), Y = C->Get(i, 2), Z = C->Get(i, 3);
        if (!std::isfinite(X) || !std::isfinite(Y) || !std::isfinite(Z))
            throw EGeometryError(FitErrorText);
        S->Point(i - 1).SetXYZ(X, Y, Z);
    }
    return S;
}
