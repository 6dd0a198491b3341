// Hydrostatics on the hull surface. The surface is open at the centre plane, the waterplane and a
// transverse transom, so each volume integral is taken as the flux of a field with only a y
// component through the immersed surface (those faces add nothing to it), and each waterplane
// integral as the flux of a field with only a z component, whose divergence is 0.
#include "hydro/hydrostatics.h"

#include "hydro/trimming.h"

#include "geometry/bsurface.h"
#include "geometry/errors.h"
#include "geometry/records.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int X = 0, Y = 1, Z = 2;

// Integrals over the immersed half surface, with N = dP/ds x dP/dt.
struct TSums {
    double Volume = 0, MomentX = 0, MomentZ = 0;        // of y N_y, x y N_y, z y N_y
    double Area = 0, AreaX = 0, AreaXX = 0, AreaYY = 0; // of -N_z, -x N_z, -x^2 N_z, -y^2 N_z
    double Wetted = 0;                                  // of |N|
    double MinX = std::numeric_limits<double>::max(), MaxX = -MinX;

    void Add(const TPatchPoint& P, double w) {
        const double* A = P.Ds;
        const double* B = P.Dt;
        const double Ny = A[Z] * B[X] - A[X] * B[Z];
        const double Nz = A[X] * B[Y] - A[Y] * B[X];
        const double Nx = A[Y] * B[Z] - A[Z] * B[Y];
        const double x = P.X[X], y = P.X[Y], z = P.X[Z];
        Volume += w * y * Ny;
        MomentX += w * x * y * Ny;
        MomentZ += w * z * y * Ny;
        Area -= w * Nz;
        AreaX -= w * x * Nz;
        AreaXX -= w * x * x * Nz;
        AreaYY -= w * y * y * Nz;
        Wetted += w * std::sqrt(Nx * Nx + Ny * Ny + Nz * Nz);
        MinX = std::min(MinX, x);
        MaxX = std::max(MaxX, x);
    }
};

// The largest value of F on a .. b, F taken to be unimodal there (golden-section search down to
// 1e-9 of Span, so the value is right to about the square of that; 60 steps at most).
double GoldenMax(const std::function<double(double)>& F, double a, double b, double Span) {
    const double g = (std::sqrt(5.0) - 1) / 2;
    double c = b - g * (b - a), d = a + g * (b - a), Fc = F(c), Fd = F(d);
    for (int k = 0; k < 60 && b - a > 1e-9 * Span; ++k) {
        if (Fc >= Fd) {
            b = d;
            d = c;
            Fd = Fc;
            c = b - g * (b - a);
            Fc = F(c);
        } else {
            a = c;
            c = d;
            Fc = Fd;
            d = a + g * (b - a);
            Fd = F(d);
        }
    }
    return std::max(Fc, Fd);
}

// The waterline's pieces, each sampled at a few points, and its extremes: the ends and the
// greatest half-breadth.
class TWaterline {
public:
    void Add(const TLevelPiece& Piece) {
        TSampled S{Piece, {}};
        double Tangent[3];
        for (int k = 0; k <= Samples; ++k) {
            const TPatchPoint P = Piece.At(Parameter(Piece, k), Tangent);
            for (int Axis = 0; Axis < 3; ++Axis) S.Value[Axis][k] = P.X[Axis];
        }
        FPieces.push_back(S);
    }
    bool Empty() const { return FPieces.empty(); }

    // The greatest coordinate Axis times Sign, times Sign. Only pieces whose samples come near
    // the best are searched between their samples; a stretch where the samples agree is flat.
    double Extreme(int Axis, double Sign) const {
        double Best = -std::numeric_limits<double>::max(), Worst = -Best;
        for (const TSampled& S : FPieces)
            for (double v : S.Value[Axis]) {
                Best = std::max(Best, Sign * v);
                Worst = std::min(Worst, Sign * v);
            }
        double Result = Best;
        for (const TSampled& S : FPieces) {
            const auto Value = [&](int k) {
                return Sign * S.Value[Axis][std::clamp(k, 0, Samples)];
            };
            int k = 0;
            for (int j = 1; j <= Samples; ++j)
                if (Value(j) > Value(k)) k = j;
            const double Flat = 1e-12 * (1 + std::fabs(Value(k)));
            if (Value(k) < Best - 0.01 * (Best - Worst) ||
                (Value(k) - Value(k - 1) <= Flat && Value(k) - Value(k + 1) <= Flat))
                continue;
            double Tangent[3];
            const auto F = [&](double w) { return Sign * S.Piece.At(w, Tangent).X[Axis]; };
            Result = std::max(Result, GoldenMax(F, Parameter(S.Piece, std::max(k - 1, 0)),
                                                Parameter(S.Piece, std::min(k + 1, Samples)),
                                                S.Piece.Hi - S.Piece.Lo));
        }
        return Sign * Result;
    }

private:
    static constexpr int Samples = 8;
    struct TSampled {
        TLevelPiece Piece;
        double Value[3][Samples + 1];
    };
    std::vector<TSampled> FPieces;

    static double Parameter(const TLevelPiece& Piece, int k) {
        return Piece.Lo + (Piece.Hi - Piece.Lo) * k / Samples;
    }
};

// The lowest point of the surface's top edge: of its four boundary edges, the one that lies
// highest on average. Above it the open surface no longer bounds what is immersed.
double TopEdgeLow(TBSplineSurface& Surface) {
    constexpr int Samples = 200;
    const double U[2] = {Surface.UMin(), Surface.UMax()}, V[2] = {Surface.VMin(), Surface.VMax()};
    double BestMean = -std::numeric_limits<double>::max(), Low = 0;
    for (int Edge = 0; Edge < 4; ++Edge) {
        double Sum = 0, Min = std::numeric_limits<double>::max();
        for (int k = 0; k <= Samples; ++k) {
            const double r = static_cast<double>(k) / Samples;
            const auto P = Edge < 2 ? Surface.PointAt(U[Edge], V[0] + r * (V[1] - V[0]))
                                    : Surface.PointAt(U[0] + r * (U[1] - U[0]), V[Edge - 2]);
            Sum += P->Z;
            Min = std::min(Min, P->Z);
        }
        if (Sum > BestMean) {
            BestMean = Sum;
            Low = Min;
        }
    }
    return Low;
}

} // namespace

THydrostatics::THydrostatics(TBSplineSurface& Surface)
    : FPatches(BezierPatches(Surface)), FTop(TopEdgeLow(Surface)) {}

void THydrostatics::CheckDraught(double Draught) const {
    if (!(Draught > 0)) throw EGeometryError(DraughtNotPositiveText);
    // The top edge is sampled: a draught within rounding of it is taken as on it.
    if (Draught > FTop + 1e-9 * (1 + std::fabs(FTop)))
        throw EGeometryError("The draught " + GeneralText(Draught) +
                             " is above the top edge of the hull at " + FixedText(FTop, 3));
}

THydroParticulars THydrostatics::At(double Draught) const {
    CheckDraught(Draught);
    TSums S;
    TWaterline W;
    for (const TBezierPatch& P : FPatches) {
        IntegrateBelow(P, Z, Draught, GaussPoints,
                       [&](const TPatchPoint& Q, double w) { S.Add(Q, w); });
        for (const TLevelPiece& Piece : LevelPieces(P, Z, Draught, true)) W.Add(Piece);
    }
    if (!(std::fabs(S.Volume) > 0) || W.Empty() || !(std::fabs(S.Area) > 0))
        throw EGeometryError("Nothing of the hull is immersed at draught " + GeneralText(Draught));
    // The flux has the sign of the surface's orientation; volume is positive.
    const double Orientation = S.Volume > 0 ? 1 : -1;

    THydroParticulars H;
    H.Draught = Draught;
    H.WaterlineAft = W.Extreme(X, -1);
    H.WaterlineFore = W.Extreme(X, 1);
    H.Lwl = H.WaterlineFore - H.WaterlineAft;
    H.Bwl = 2 * W.Extreme(Y, 1);
    H.Volume = 2 * Orientation * S.Volume;
    H.Displacement = Density * H.Volume;
    H.LCB = Divide(S.MomentX, S.Volume);
    H.KB = Divide(S.MomentZ, S.Volume);
    H.Awp = 2 * Orientation * S.Area;
    H.LCF = Divide(S.AreaX, S.Area);
    H.It = 2 * Orientation * S.AreaYY;
    H.Il = 2 * Orientation * (S.AreaXX - S.AreaX * H.LCF);
    H.BMt = Divide(H.It, H.Volume);
    H.BMl = Divide(H.Il, H.Volume);
    H.KMt = H.KB + H.BMt;
    H.KMl = H.KB + H.BMl;
    H.WettedSurface = 2 * S.Wetted;
    H.ImmersedAft = std::min(S.MinX, H.WaterlineAft);
    H.ImmersedFore = std::max(S.MaxX, H.WaterlineFore);
    H.AmX = MidshipX.value_or((H.WaterlineAft + H.WaterlineFore) / 2);
    H.Am = SectionArea(Draught, H.AmX);
    H.Cb = Divide(H.Volume, H.Lwl * H.Bwl * Draught);
    H.Cm = Divide(H.Am, H.Bwl * Draught);
    H.Cp = Divide(H.Volume, H.Am * H.Lwl);
    H.Cwp = Divide(H.Awp, H.Lwl * H.Bwl);
    return H;
}

// The half section is bounded by its curve on the hull, the centre line (y = 0) and the waterline
// (z constant), so its area is the integral of y dz along the hull's curve below the waterline.
double THydrostatics::SectionArea(double Draught, double Xs) const {
    CheckDraught(Draught);
    const TGaussRule& G = GaussRule(GaussPoints);
    double Sum = 0;
    for (const TBezierPatch& P : FPatches)
        for (const TLevelPiece& Piece : LevelPieces(P, X, Xs, false)) {
            double Tangent[3];
            const auto Height = [&](double w) { return Piece.At(w, Tangent).X[Z] - Draught; };
            // Where the curve crosses the waterline: sign changes among a few samples.
            constexpr int Samples = 8;
            std::vector<double> Breaks = {Piece.Lo};
            for (int k = 1; k <= Samples; ++k) {
                const double a = Piece.Lo + (Piece.Hi - Piece.Lo) * (k - 1) / Samples;
                const double b = Piece.Lo + (Piece.Hi - Piece.Lo) * k / Samples;
                if ((Height(a) > 0) != (Height(b) > 0))
                    Breaks.push_back(SolveMonotone(Height, a, b));
            }
            Breaks.push_back(Piece.Hi);
            double Piecewise = 0;
            for (std::size_t i = 0; i + 1 < Breaks.size(); ++i) {
                const double a = Breaks[i], b = Breaks[i + 1];
                if (b <= a || Height((a + b) / 2) > 0) continue;
                for (int k = 0; k < GaussPoints; ++k) {
                    const double w = (a + b) / 2 + (b - a) / 2 * G.Node[k];
                    const TPatchPoint Q = Piece.At(w, Tangent);
                    Piecewise += G.Weight[k] * (b - a) / 2 * Q.X[Y] * Tangent[Z];
                }
            }
            Sum += Piece.Orientation * Piecewise;
        }
    return 2 * std::fabs(Sum);
}

std::vector<TSectionArea> THydrostatics::SectionalAreas(double Draught,
                                                        const std::vector<double>& X) const {
    std::vector<TSectionArea> Curve;
    for (double x : X) Curve.push_back({x, SectionArea(Draught, x)});
    return Curve;
}

std::vector<double> SectionPositions(const std::vector<THydroParticulars>& Particulars, int Count) {
    if (Particulars.empty()) return {};
    double Aft = Particulars[0].ImmersedAft, Fore = Particulars[0].ImmersedFore;
    for (const THydroParticulars& H : Particulars) {
        Aft = std::min(Aft, H.ImmersedAft);
        Fore = std::max(Fore, H.ImmersedFore);
    }
    // The end sections lie a ten-thousandth of the length inside, so that they cut a transom
    // whose face is not exactly square to the centre line as a whole.
    const double Inset = 1e-4 * (Fore - Aft);
    return EvenlySpaced(Aft + Inset, Fore - Inset, Count);
}

std::vector<double> EvenlySpaced(double First, double Last, int Count) {
    std::vector<double> Values;
    for (int k = 0; k < Count; ++k)
        Values.push_back(Count == 1 ? First : First + (Last - First) * k / (Count - 1));
    return Values;
}
