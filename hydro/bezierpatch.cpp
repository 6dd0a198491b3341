// The knot spans of a B-spline surface as Bernstein patches, and the Bernstein polynomials of one
// variable that bound and solve them.
#include "hydro/bezierpatch.h"

#include "geometry/bsurface.h"
#include "geometry/errors.h"
#include "geometry/matrix.h"
#include "geometry/point.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// Bernstein basis values B[0 .. p] of degree p at s, and their derivatives D (may be null).
void BernsteinBasis(int p, double s, double* B, double* D) {
    // Degree p - 1 first, by the triangle B_a^r = (1 - s) B_a^(r-1) + s B_(a-1)^(r-1).
    B[0] = 1.0;
    for (int r = 1; r < p; ++r) {
        B[r] = s * B[r - 1];
        for (int a = r - 1; a > 0; --a) B[a] = (1 - s) * B[a] + s * B[a - 1];
        B[0] *= 1 - s;
    }
    if (D) {
        for (int a = 0; a <= p; ++a) D[a] = p * ((a > 0 ? B[a - 1] : 0.0) - (a < p ? B[a] : 0.0));
        if (p == 0) D[0] = 0.0;
    }
    if (p == 0) return;
    B[p] = s * B[p - 1];
    for (int a = p - 1; a > 0; --a) B[a] = (1 - s) * B[a] + s * B[a - 1];
    B[0] *= 1 - s;
}

// The basis functions of one direction on one span, in the Bernstein basis: Beta[a][i] is the
// coefficient a of function First + i (0-based).
struct TSpanBasis {
    int First = 0;
    std::vector<std::vector<double>> Beta;
};

// The spans of one direction: the breaks are the range ends and the knots inside the range.
// Basis(u, Values) fills the Count basis values at u.
std::vector<TSpanBasis> SpanBases(double Min, double Max, const std::vector<double>& Knots,
                                  int Degree, int Count,
                                  const std::function<void(double, std::vector<double>&)>& Basis) {
    std::vector<double> Breaks = {Min, Max};
    for (double k : Knots)
        if (k > Min && k < Max) Breaks.push_back(k);
    std::sort(Breaks.begin(), Breaks.end());
    Breaks.erase(std::unique(Breaks.begin(), Breaks.end()), Breaks.end());

    // Values at Chebyshev nodes inside the span, turned into Bernstein coefficients through the
    // inverse of the Bernstein-Vandermonde matrix; interior nodes avoid the knots, where the
    // evaluation switches to the neighbouring span.
    const int n = Degree + 1;
    std::vector<double> Nodes(static_cast<std::size_t>(n));
    TMatrix V(n, n);
    double B[MaxPatchOrder];
    for (int k = 0; k < n; ++k) {
        Nodes[k] = (1 - std::cos(M_PI * (2 * k + 1) / (2.0 * n))) / 2;
        BernsteinBasis(Degree, Nodes[k], B, nullptr);
        for (int a = 0; a < n; ++a) V.Set(k + 1, a + 1, B[a]);
    }
    const auto Inverse = MatrixInverse(V);
    if (!Inverse) throw EGeometryError("The hull surface cannot be rewritten as patches");

    std::vector<TSpanBasis> Spans;
    std::vector<double> Values;
    for (std::size_t s = 0; s + 1 < Breaks.size(); ++s) {
        std::vector<std::vector<double>> AtNodes;
        int First = Count, Last = -1;
        for (int k = 0; k < n; ++k) {
            Basis(Breaks[s] + Nodes[k] * (Breaks[s + 1] - Breaks[s]), Values);
            for (int i = 0; i < Count; ++i)
                if (Values[i] != 0.0) First = std::min(First, i), Last = std::max(Last, i);
            AtNodes.push_back(Values);
        }
        TSpanBasis Span;
        Span.First = First;
        Span.Beta.assign(n, std::vector<double>(std::max(Last - First + 1, 0), 0.0));
        for (int a = 0; a < n; ++a)
            for (int i = First; i <= Last; ++i)
                for (int k = 0; k < n; ++k)
                    Span.Beta[a][i - First] += Inverse->Get(a + 1, k + 1) * AtNodes[k][i];
        Spans.push_back(std::move(Span));
    }
    return Spans;
}

void CheckDirection(int Order, int Count) {
    if (Order < 2 || Order > MaxPatchOrder || Count < Order)
        throw EGeometryError("Hydrostatics need a surface of order 2 to " +
                             std::to_string(MaxPatchOrder) +
                             " with at least as many net points as its order");
}

// The spans of the u direction (AlongU) or of the v direction.
std::vector<TSpanBasis> DirectionSpans(TBSplineSurface& S, bool AlongU) {
    const int n = AlongU ? S.NumU : S.NumV, k = AlongU ? S.OrderU : S.OrderV;
    CheckDirection(k, n);
    std::vector<double> Knots;
    for (int i = 1; i <= n + k; ++i) Knots.push_back(AlongU ? S.KnotU(i) : S.KnotV(i));
    return SpanBases(AlongU ? S.UMin() : S.VMin(), AlongU ? S.UMax() : S.VMax(), Knots, k - 1, n,
                     [&](double w, std::vector<double>& Values) {
                         AlongU ? S.ComputeBasisU(w) : S.ComputeBasisV(w);
                         Values.resize(static_cast<std::size_t>(n));
                         for (int i = 0; i < n; ++i)
                             Values[i] = AlongU ? S.BasisU(i + 1) : S.BasisV(i + 1);
                     });
}

} // namespace

TBezierPatch::TBezierPatch(int ADegreeS, int ADegreeT) : DegreeS(ADegreeS), DegreeT(ADegreeT) {
    for (auto& Axis : C) Axis.assign(static_cast<std::size_t>((DegreeS + 1) * (DegreeT + 1)), 0.0);
}

double TBezierPatch::Coordinate(int Axis, double s, double t) const {
    double Bs[MaxPatchOrder], Bt[MaxPatchOrder];
    BernsteinBasis(DegreeS, s, Bs, nullptr);
    BernsteinBasis(DegreeT, t, Bt, nullptr);
    double X = 0;
    for (int a = 0; a <= DegreeS; ++a)
        for (int b = 0; b <= DegreeT; ++b) X += Bs[a] * Bt[b] * Coefficient(Axis, a, b);
    return X;
}

TPatchLine TBezierPatch::Line(bool ConstantT, double Value) const {
    TPatchLine L;
    L.ConstantT = ConstantT;
    L.Degree = ConstantT ? DegreeS : DegreeT;
    double B[MaxPatchOrder], D[MaxPatchOrder];
    BernsteinBasis(ConstantT ? DegreeT : DegreeS, Value, B, D);
    for (int Axis = 0; Axis < 3; ++Axis)
        for (int w = 0; w <= L.Degree; ++w) {
            double X = 0, Across = 0;
            for (int k = 0; k <= (ConstantT ? DegreeT : DegreeS); ++k) {
                const double c = ConstantT ? Coefficient(Axis, w, k) : Coefficient(Axis, k, w);
                X += B[k] * c;
                Across += D[k] * c;
            }
            L.C[Axis][w] = X;
            L.Across[Axis][w] = Across;
        }
    return L;
}

TPatchPoint TPatchLine::Evaluate(double w) const {
    double B[MaxPatchOrder], D[MaxPatchOrder];
    BernsteinBasis(Degree, w, B, D);
    TPatchPoint P{};
    double* Along = ConstantT ? P.Ds : P.Dt;
    double* Cross = ConstantT ? P.Dt : P.Ds;
    for (int Axis = 0; Axis < 3; ++Axis) {
        double X = 0, A = 0, Q = 0;
        for (int k = 0; k <= Degree; ++k) {
            X += B[k] * C[Axis][k];
            A += D[k] * C[Axis][k];
            Q += B[k] * Across[Axis][k];
        }
        P.X[Axis] = X;
        Along[Axis] = A;
        Cross[Axis] = Q;
    }
    return P;
}

double TPatchLine::Coordinate(int Axis, double w) const {
    double B[MaxPatchOrder];
    BernsteinBasis(Degree, w, B, nullptr);
    double X = 0;
    for (int k = 0; k <= Degree; ++k) X += B[k] * C[Axis][k];
    return X;
}

std::vector<TBezierPatch> BezierPatches(TBSplineSurface& Surface) {
    // A net never filled (a hull not generated) holds only the origin.
    bool Empty = true;
    for (int i = 0; i < Surface.NumU && Empty; ++i)
        for (int j = 0; j < Surface.NumV && Empty; ++j)
            Empty = SamePoint(Surface.Point(i, j), Surface.Point(0, 0));
    if (Empty) throw EGeometryError("There is no hull surface: generate the hull first");
    Surface.MakeKnots();
    const auto Us = DirectionSpans(Surface, true), Vs = DirectionSpans(Surface, false);
    const int p = Surface.OrderU - 1, q = Surface.OrderV - 1;

    std::vector<TBezierPatch> Patches;
    for (const TSpanBasis& U : Us)
        for (const TSpanBasis& V : Vs) {
            TBezierPatch P(p, q);
            const int Nu = static_cast<int>(U.Beta[0].size()),
                      Nv = static_cast<int>(V.Beta[0].size());
            for (int Axis = 0; Axis < 3; ++Axis)
                for (int a = 0; a <= p; ++a) {
                    // The net reduced along u to one curve of v, then weighed by the v basis.
                    std::vector<double> Row(static_cast<std::size_t>(Nv), 0.0);
                    for (int j = 0; j < Nv; ++j)
                        for (int i = 0; i < Nu; ++i) {
                            const TRPoint& N = Surface.Point(U.First + i, V.First + j);
                            Row[j] += U.Beta[a][i] * (Axis == 0 ? N.X : Axis == 1 ? N.Y : N.Z);
                        }
                    for (int b = 0; b <= q; ++b)
                        for (int j = 0; j < Nv; ++j)
                            P.Coefficient(Axis, a, b) += V.Beta[b][j] * Row[j];
                }
            Patches.push_back(std::move(P));
        }
    return Patches;
}

double BernsteinValue(const TBernstein& B, double s) {
    double Basis[MaxPatchOrder];
    const int p = static_cast<int>(B.size()) - 1;
    BernsteinBasis(p, s, Basis, nullptr);
    double Value = 0;
    for (int a = 0; a <= p; ++a) Value += Basis[a] * B[a];
    return Value;
}

void BernsteinSplit(const TBernstein& B, double r, TBernstein& Left, TBernstein& Right) {
    const std::size_t n = B.size();
    TBernstein W = B;
    Left.resize(n);
    Right.resize(n);
    for (std::size_t k = 0; k < n; ++k) {
        Left[k] = W[0];
        Right[n - 1 - k] = W[n - 1 - k];
        for (std::size_t a = 0; a + 1 < n - k; ++a) W[a] = (1 - r) * W[a] + r * W[a + 1];
    }
}

namespace {

// Roots of B (Level already taken off) on the part Lo .. Hi of 0 .. 1, whose coefficients are
// Part; the polynomial is split until each part is monotone, which then holds at most one root.
void FindRoots(const TBernstein& B, const TBernstein& Part, double Lo, double Hi, int Depth,
               std::vector<double>& Roots) {
    const auto [Min, Max] = std::minmax_element(Part.begin(), Part.end());
    if (*Min > 0 || *Max < 0) return;
    bool Rising = true, Falling = true;
    for (std::size_t a = 0; a + 1 < Part.size(); ++a) {
        Rising = Rising && Part[a + 1] >= Part[a];
        Falling = Falling && Part[a + 1] <= Part[a];
    }
    // A double root never becomes monotone: its last part answers its middle.
    if (Depth >= 50) {
        Roots.push_back((Lo + Hi) / 2);
        return;
    }
    if (Rising || Falling) {
        if (Part.front() * Part.back() > 0) return;
        // Bisection on the whole polynomial, 60 halvings at most (far below a double's spacing).
        double a = Lo, b = Hi;
        const double Sign = Part.back() >= Part.front() ? 1.0 : -1.0;
        for (int k = 0; k < 60 && b - a > 1e-16; ++k) {
            const double m = (a + b) / 2;
            (Sign * BernsteinValue(B, m) < 0 ? a : b) = m;
        }
        Roots.push_back((a + b) / 2);
        return;
    }
    TBernstein Left, Right;
    BernsteinSplit(Part, 0.5, Left, Right);
    const double Mid = (Lo + Hi) / 2;
    FindRoots(B, Left, Lo, Mid, Depth + 1, Roots);
    FindRoots(B, Right, Mid, Hi, Depth + 1, Roots);
}

} // namespace

std::vector<double> BernsteinRoots(const TBernstein& B, double Level, double Tolerance) {
    TBernstein Shifted = B;
    double Largest = 0;
    for (double& c : Shifted) Largest = std::max(Largest, std::fabs(c -= Level));
    std::vector<double> Roots;
    if (Largest <= Tolerance) return Roots;
    FindRoots(Shifted, Shifted, 0.0, 1.0, 0, Roots);
    // A root on a split point is found from both sides.
    std::sort(Roots.begin(), Roots.end());
    Roots.erase(
        std::unique(Roots.begin(), Roots.end(), [](double a, double b) { return b - a < 1e-12; }),
        Roots.end());
    return Roots;
}
