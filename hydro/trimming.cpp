// Trimmed integration of Bernstein patches below a level and the level curves through them: both
// walk the patch cell by cell, halving a cell until the level's coordinate is monotone across it
// in one parameter, so that every piece of the level curve is a graph over the other.
#include "hydro/trimming.h"

#include <algorithm>
#include <cmath>

const TGaussRule& GaussRule(int n) {
    static const std::vector<TGaussRule> Rules = [] {
        std::vector<TGaussRule> R(MaxGaussPoints + 1);
        for (int m = 1; m <= MaxGaussPoints; ++m) {
            for (int i = 0; i < m; ++i) {
                // Newton on the Legendre polynomial from the Chebyshev guess; it converges in a
                // handful of steps, 100 is the cap.
                double x = std::cos(M_PI * (i + 0.75) / (m + 0.5)), dP = 1;
                for (int k = 0; k < 100; ++k) {
                    double P0 = 1, P1 = x;
                    for (int j = 2; j <= m; ++j) {
                        const double P2 = ((2 * j - 1) * x * P1 - (j - 1) * P0) / j;
                        P0 = P1;
                        P1 = P2;
                    }
                    dP = m * (x * P1 - P0) / (x * x - 1);
                    const double Step = P1 / dP;
                    x -= Step;
                    if (std::fabs(Step) < 1e-16) break;
                }
                R[m].Node.push_back(x);
                R[m].Weight.push_back(2 / ((1 - x * x) * dP * dP));
            }
        }
        return R;
    }();
    return Rules[static_cast<std::size_t>(std::clamp(n, 1, MaxGaussPoints))];
}

double SolveMonotone(const std::function<double(double)>& F, double Lo, double Hi) {
    double Fa = F(Lo), Fb = F(Hi);
    if (Fa == 0) return Lo;
    if (Fb == 0) return Hi;
    if ((Fa > 0) == (Fb > 0)) return std::fabs(Fa) <= std::fabs(Fb) ? Lo : Hi;
    double a = Lo, b = Hi;
    int Side = 0;
    for (int k = 0; k < 100 && b - a > 1e-15 * (1 + std::fabs(a)); ++k) {
        const double m = std::clamp((a * Fb - b * Fa) / (Fb - Fa), a, b);
        const double Fm = F(m);
        if (Fm == 0) return m;
        if ((Fm > 0) == (Fa > 0)) {
            a = m;
            Fa = Fm;
            if (Side == -1) Fb /= 2; // Illinois: the end kept twice weighs half
            Side = -1;
        } else {
            b = m;
            Fb = Fm;
            if (Side == 1) Fa /= 2;
            Side = 1;
        }
    }
    return (a + b) / 2;
}

namespace {

// Where coordinate Axis of Line takes Level between Lo and Hi, along which it is monotone.
double SolveLevel(const TPatchLine& Line, int Axis, double Level, double Lo, double Hi) {
    return SolveMonotone([&](double w) { return Line.Coordinate(Axis, w) - Level; }, Lo, Hi);
}

// How often a cell is halved before the level is taken as it stands: 2^-10 of a knot span.
constexpr int MaxDepth = 10;

// A part S0 .. S1 x T0 .. T1 of a patch with the Bernstein coefficients F of the level's
// coordinate minus the level over it.
struct TCell {
    double S0, S1, T0, T1;
    int p, q;
    std::vector<double> F;

    double& At(int a, int b) { return F[static_cast<std::size_t>(a * (q + 1) + b)]; }
    double At(int a, int b) const { return F[static_cast<std::size_t>(a * (q + 1) + b)]; }
};

TCell FirstCell(const TBezierPatch& Patch, int Axis, double Level) {
    TCell C{0, 1, 0, 1, Patch.DegreeS, Patch.DegreeT, Patch.C[Axis]};
    for (double& f : C.F) f -= Level;
    return C;
}

// The two halves of C across s (AlongS) or across t.
std::pair<TCell, TCell> Halves(const TCell& C, bool AlongS) {
    std::pair<TCell, TCell> H{C, C};
    const int n = AlongS ? C.p : C.q, m = AlongS ? C.q : C.p;
    TBernstein Line(static_cast<std::size_t>(n + 1)), L, R;
    for (int k = 0; k <= m; ++k) {
        for (int a = 0; a <= n; ++a) Line[a] = AlongS ? C.At(a, k) : C.At(k, a);
        BernsteinSplit(Line, 0.5, L, R);
        for (int a = 0; a <= n; ++a) {
            (AlongS ? H.first.At(a, k) : H.first.At(k, a)) = L[a];
            (AlongS ? H.second.At(a, k) : H.second.At(k, a)) = R[a];
        }
    }
    double& Mid0 = AlongS ? H.first.S1 : H.first.T1;
    double& Mid1 = AlongS ? H.second.S0 : H.second.T0;
    Mid0 = Mid1 = AlongS ? (C.S0 + C.S1) / 2 : (C.T0 + C.T1) / 2;
    return H;
}

std::vector<TCell> Quarters(const TCell& C) {
    const auto [Left, Right] = Halves(C, true);
    const auto [A, B] = Halves(Left, false);
    const auto [D, E] = Halves(Right, false);
    return {A, B, D, E};
}

// +1 or -1 when the coefficients rise (fall) strictly along s (AlongS) or t, so the level's
// coordinate is strictly monotone across the cell; 0 otherwise.
int MonotoneSign(const TCell& C, bool AlongS) {
    bool Rising = true, Falling = true;
    for (int a = 0; a <= C.p - (AlongS ? 1 : 0); ++a)
        for (int b = 0; b <= C.q - (AlongS ? 0 : 1); ++b) {
            const double d = AlongS ? C.At(a + 1, b) - C.At(a, b) : C.At(a, b + 1) - C.At(a, b);
            Rising = Rising && d > 0;
            Falling = Falling && d < 0;
        }
    return Rising ? 1 : Falling ? -1 : 0;
}

// A cell seen along its running parameter r (t when RunsAlongT, else s), with q the other one.
struct TSweep {
    const TBezierPatch& Patch;
    int Axis;
    double Level;
    const TCell& Cell;
    bool RunsAlongT;

    double R0() const { return RunsAlongT ? Cell.T0 : Cell.S0; }
    double R1() const { return RunsAlongT ? Cell.T1 : Cell.S1; }
    double Q0() const { return RunsAlongT ? Cell.S0 : Cell.T0; }
    double Q1() const { return RunsAlongT ? Cell.S1 : Cell.T1; }
    // The patch along q at running value r.
    TPatchLine Line(double r) const { return Patch.Line(RunsAlongT, r); }
    // The level's coordinate minus the level.
    double F(double r, double q) const {
        return (RunsAlongT ? Patch.Coordinate(Axis, q, r) : Patch.Coordinate(Axis, r, q)) - Level;
    }
    // Where Line crosses the level in Q0 .. Q1.
    double Solve(const TPatchLine& Line) const { return SolveLevel(Line, Axis, Level, Q0(), Q1()); }
    // The running range cut where the level curve crosses the edges q = Q0 and q = Q1.
    std::vector<double> Breaks(double Tolerance) const {
        std::vector<double> B = {R0(), R1()};
        for (const int Edge : {0, RunsAlongT ? Cell.p : Cell.q}) {
            TBernstein Coefficients;
            for (int k = 0; k <= (RunsAlongT ? Cell.q : Cell.p); ++k)
                Coefficients.push_back(RunsAlongT ? Cell.At(Edge, k) : Cell.At(k, Edge));
            for (double r : BernsteinRoots(Coefficients, 0, Tolerance))
                B.push_back(R0() + r * (R1() - R0()));
        }
        std::sort(B.begin(), B.end());
        B.erase(std::unique(B.begin(), B.end()), B.end());
        return B;
    }
};

// Tolerance on a level of coordinate Axis: the patch's rounding, relative to its size.
double LevelTolerance(const TBezierPatch& Patch, int Axis, double Level) {
    double Size = std::fabs(Level);
    for (double c : Patch.C[Axis]) Size = std::max(Size, std::fabs(c));
    return 1e-12 * (1 + Size);
}

// The tensor Gauss rule of n x n points on r0 .. r1 x q0 .. q1 of a sweep.
void VisitRectangle(const TSweep& S, double r0, double r1, double q0, double q1, int n,
                    const TPointVisitor& Visit) {
    const TGaussRule& G = GaussRule(n);
    for (int k = 0; k < n; ++k) {
        const TPatchLine Line = S.Line((r0 + r1) / 2 + (r1 - r0) / 2 * G.Node[k]);
        for (int l = 0; l < n; ++l) {
            const double q = (q0 + q1) / 2 + (q1 - q0) / 2 * G.Node[l];
            Visit(Line.Evaluate(q), G.Weight[k] * G.Weight[l] * (r1 - r0) * (q1 - q0) / 4);
        }
    }
}

// The part of a cell below the level, which is monotone along q with sign Sign: for each running
// value, the q-range between the edge and the curve.
void SweepBelow(const TSweep& S, int Sign, int n, double Tolerance, const TPointVisitor& Visit) {
    const TGaussRule& G = GaussRule(n);
    const auto Breaks = S.Breaks(Tolerance);
    for (std::size_t i = 0; i + 1 < Breaks.size(); ++i) {
        const double a = Breaks[i], b = Breaks[i + 1], m = (a + b) / 2;
        const double e0 = S.F(m, S.Q0()), e1 = S.F(m, S.Q1());
        if (Sign > 0 ? e1 <= 0 : e0 <= 0) {
            VisitRectangle(S, a, b, S.Q0(), S.Q1(), n, Visit);
            continue;
        }
        if (Sign > 0 ? e0 >= 0 : e1 >= 0) continue;
        for (int k = 0; k < n; ++k) {
            const TPatchLine Line = S.Line(m + (b - a) / 2 * G.Node[k]);
            const double Cut = S.Solve(Line);
            const double q0 = Sign > 0 ? S.Q0() : Cut, q1 = Sign > 0 ? Cut : S.Q1();
            for (int l = 0; l < n; ++l) {
                const double q = (q0 + q1) / 2 + (q1 - q0) / 2 * G.Node[l];
                Visit(Line.Evaluate(q), G.Weight[k] * G.Weight[l] * (b - a) * (q1 - q0) / 4);
            }
        }
    }
}

void Below(const TBezierPatch& Patch, int Axis, double Level, const TCell& C, int Depth, int n,
           double Tolerance, const TPointVisitor& Visit) {
    const auto [Min, Max] = std::minmax_element(C.F.begin(), C.F.end());
    // A cell above the level, or lying in it (a flat face at the waterplane, which no halving
    // would decide), holds nothing below.
    if (*Min >= 0 || (*Min >= -Tolerance && *Max <= Tolerance)) return;
    const TSweep AlongS{Patch, Axis, Level, C, false};
    if (*Max <= 0) return VisitRectangle(AlongS, C.S0, C.S1, C.T0, C.T1, n, Visit);
    if (const int Sign = MonotoneSign(C, false))
        return SweepBelow(AlongS, Sign, n, Tolerance, Visit);
    if (const int Sign = MonotoneSign(C, true))
        return SweepBelow(TSweep{Patch, Axis, Level, C, true}, Sign, n, Tolerance, Visit);
    if (Depth < MaxDepth) {
        for (const TCell& Q : Quarters(C))
            Below(Patch, Axis, Level, Q, Depth + 1, n, Tolerance, Visit);
    } else if (AlongS.F((C.S0 + C.S1) / 2, (C.T0 + C.T1) / 2) <= 0) {
        VisitRectangle(AlongS, C.S0, C.S1, C.T0, C.T1, n, Visit);
    }
}

void Pieces(const TBezierPatch& Patch, int Axis, double Level, const TCell& C, int Depth,
            bool BothEdges, double Tolerance, std::vector<TLevelPiece>& Out) {
    const auto [Min, Max] = std::minmax_element(C.F.begin(), C.F.end());
    // No level inside, or the whole cell lies in it (no curve, a face).
    if (*Min > Tolerance || *Max < -Tolerance || (*Min >= -Tolerance && *Max <= Tolerance)) return;
    for (const bool RunsAlongT : {true, false}) {
        const int Sign = MonotoneSign(C, RunsAlongT);
        if (!Sign) continue;
        const TSweep S{Patch, Axis, Level, C, RunsAlongT};
        const auto Breaks = S.Breaks(Tolerance);
        for (std::size_t i = 0; i + 1 < Breaks.size(); ++i) {
            const double m = (Breaks[i] + Breaks[i + 1]) / 2;
            const double g0 = Sign * S.F(m, S.Q0()), g1 = Sign * S.F(m, S.Q1());
            if (g0 <= Tolerance && (g1 > Tolerance || (BothEdges && g1 >= -Tolerance)))
                Out.push_back({&Patch, Axis, Level, RunsAlongT, Breaks[i], Breaks[i + 1], S.Q0(),
                               S.Q1(), RunsAlongT ? Sign : -Sign});
        }
        return;
    }
    if (Depth < MaxDepth)
        for (const TCell& Q : Quarters(C))
            Pieces(Patch, Axis, Level, Q, Depth + 1, BothEdges, Tolerance, Out);
}

} // namespace

void IntegrateBelow(const TBezierPatch& Patch, int Axis, double Level, int Points,
                    const TPointVisitor& Visit) {
    Below(Patch, Axis, Level, FirstCell(Patch, Axis, Level), 0,
          std::clamp(Points, 1, MaxGaussPoints), LevelTolerance(Patch, Axis, Level), Visit);
}

std::vector<TLevelPiece> LevelPieces(const TBezierPatch& Patch, int Axis, double Level,
                                     bool BothEdges) {
    std::vector<TLevelPiece> Out;
    Pieces(Patch, Axis, Level, FirstCell(Patch, Axis, Level), 0, BothEdges,
           LevelTolerance(Patch, Axis, Level), Out);
    return Out;
}

TPatchPoint TLevelPiece::At(double w, double Tangent[3]) const {
    const TPatchLine Line = Patch->Line(RunsAlongT, w);
    const TPatchPoint P = Line.Evaluate(SolveLevel(Line, Axis, Level, SolvedLo, SolvedHi));
    const double* Dw = RunsAlongT ? P.Dt : P.Ds; // along the running parameter
    const double* Dq = RunsAlongT ? P.Ds : P.Dt;
    // On the curve F stays 0: dq/dw = -F_w / F_q.
    const double Slope = Dq[Axis] != 0 ? -Dw[Axis] / Dq[Axis] : 0.0;
    for (int k = 0; k < 3; ++k) Tangent[k] = Dw[k] + Dq[k] * Slope;
    return P;
}
