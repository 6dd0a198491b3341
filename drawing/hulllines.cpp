// The hull's edges and sections, refined on the true surface until every chord lies within the
// drawing's tolerance of the curve.
//
// The sections are found in two steps. The surface is sampled into a grid and cut as a triangle
// set, but with the parameters (u, v) in place of two of the coordinates, so that each cut point
// tells where on the surface it lies. Each point is then moved onto the plane on the true
// surface, and points are added between neighbours wherever the chord strays from the curve.
#include "drawing/hulllines.h"

#include "contours/contours.h"
#include "contours/createcontours.h"
#include "geometry/bsurface.h"
#include "geometry/errors.h"
#include "geometry/polygon.h"
#include "geometry/polyline.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// Samples of the grid per control point and direction, as the screen's lines plan takes them.
constexpr int SamplesPerControlPoint = 3;
// Halvings of one chord at most; beyond them a chord stays as it is.
constexpr int MaxRefinement = 12;
// Newton steps onto a plane at most; a point that does not settle keeps its last position.
constexpr int MaxPlaneSteps = 12;

struct TSample {
    double u = 0, v = 0;
    TRPoint P;
};

// The distance of P from the segment AB.
double DistanceToChord(const TRPoint& P, const TRPoint& A, const TRPoint& B) {
    const double dx = B.X - A.X, dy = B.Y - A.Y, dz = B.Z - A.Z;
    const double L2 = dx * dx + dy * dy + dz * dz;
    double t = L2 > 0 ? ((P.X - A.X) * dx + (P.Y - A.Y) * dy + (P.Z - A.Z) * dz) / L2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const TRPoint Foot(A.X + t * dx, A.Y + t * dy, A.Z + t * dz);
    return Distance(P, Foot);
}

class TSurfaceLines {
public:
    TSurfaceLines(TBSplineSurface& S, double ATolerance) : Surface(S), Tolerance(ATolerance) {
        Surface.MakeKnots();
        U0 = Surface.UMin();
        U1 = Surface.UMax();
        V0 = Surface.VMin();
        V1 = Surface.VMax();
    }

    double U(int i, int n) const { return U0 + (U1 - U0) * i / (n - 1); }
    double V(int j, int n) const { return V0 + (V1 - V0) * j / (n - 1); }

    TSample At(double u, double v) {
        u = std::clamp(u, U0, U1);
        v = std::clamp(v, V0, V1);
        return {u, v, *Surface.PointAt(u, v)};
    }

    // The point of the surface nearest (u, v) in parameters with coordinate Axis at Position:
    // Newton steps along the gradient of that coordinate over the parameters.
    TSample OnPlane(double u, double v, int Axis, double Position) {
        TSample S = At(u, v);
        const double h = 1e-7 * std::max(U1 - U0, V1 - V0);
        for (int Step = 0; Step < MaxPlaneSteps; ++Step) {
            const double f = S.P.Coord(Axis) - Position;
            if (std::abs(f) < 1e-9 * (1 + std::abs(Position))) break;
            const double du =
                (At(S.u + h, S.v).P.Coord(Axis) - At(S.u - h, S.v).P.Coord(Axis)) / (2 * h);
            const double dv =
                (At(S.u, S.v + h).P.Coord(Axis) - At(S.u, S.v - h).P.Coord(Axis)) / (2 * h);
            const double g2 = du * du + dv * dv;
            if (!(g2 > 0)) break;
            S = At(S.u - f * du / g2, S.v - f * dv / g2);
        }
        return S;
    }

    // Appends to Line the points between A (already there) and B, then B, halving the chord
    // while its middle, as Between finds it, lies farther than the tolerance from it.
    void Refine(TPolyline& Line, const TSample& A, const TSample& B,
                const std::function<TSample(double, double)>& Between, int Depth = 0) {
        if (Depth < MaxRefinement) {
            const TSample M = Between((A.u + B.u) / 2, (A.v + B.v) / 2);
            if (DistanceToChord(M.P, A.P, B.P) > Tolerance) {
                Refine(Line, A, M, Between, Depth + 1);
                Refine(Line, M, B, Between, Depth + 1);
                return;
            }
        }
        Line.AddCopy(&B.P);
    }

    // The chain of samples refined through Between.
    std::unique_ptr<TPolyline> Curve(const std::vector<TSample>& Samples,
                                     const std::function<TSample(double, double)>& Between) {
        auto Line = std::make_unique<TPolyline>();
        Line->AddCopy(&Samples.front().P);
        for (std::size_t k = 1; k < Samples.size(); ++k)
            Refine(*Line, Samples[k - 1], Samples[k], Between);
        return Line;
    }

    // The edge at constant u (Across) or constant v at parameter Fixed, from n samples.
    std::unique_ptr<TPolyline> Edge(bool Across, double Fixed, int n) {
        std::vector<TSample> Samples;
        for (int k = 0; k < n; ++k)
            Samples.push_back(Across ? At(Fixed, V(k, n)) : At(U(k, n), Fixed));
        return Curve(Samples, [this](double u, double v) { return At(u, v); });
    }

    TBSplineSurface& Surface;
    double Tolerance;
    double U0 = 0, U1 = 0, V0 = 0, V1 = 0;
};

// The sections of one axis: the grid cut as triangles whose corners carry (coordinate, u, v),
// each cut point then moved onto its plane and the chains refined. Sections[k] receives the
// lines of plane Positions[k].
void CutAxis(TSurfaceLines& Lines, const TMesh& Grid, int Axis,
             const std::vector<THullSection*>& Sections) {
    // The parameters scaled to lengths of the grid, so that the cut's point tolerance and its
    // shortest chain mean the same in parameters as on the hull.
    const TRPoint& First = Grid.Point(0, 0);
    const TRPoint& Last = Grid.Point(Grid.NumU - 1, Grid.NumV - 1);
    const double Scale = std::max(Distance(First, Last), 1.0);
    const double Su = Scale / (Lines.U1 - Lines.U0), Sv = Scale / (Lines.V1 - Lines.V0);
    TMesh Parameters(Grid.NumU, Grid.NumV);
    for (int i = 0; i < Grid.NumU; ++i)
        for (int j = 0; j < Grid.NumV; ++j)
            Parameters.Point(i, j) =
                TRPoint(Grid.Point(i, j).Coord(Axis), Lines.U(i, Grid.NumU) * Su,
                        Lines.V(j, Grid.NumV) * Sv);
    TContours Planes;
    for (const THullSection* S : Sections) Planes.Add(0, S->Position);
    const auto Cuts = CreateContours(*Parameters.GetPolygons(), Planes);
    if (!Cuts) return;
    for (int c = 0; c < Cuts->Count(); ++c) {
        const TPolyline& Cut = Cuts->Polyline(c);
        const double Position = Cut.At(0).X;
        const auto Section = std::find_if(Sections.begin(), Sections.end(),
                                          [&](auto* S) { return S->Position == Position; });
        if (Section == Sections.end()) continue;
        const auto OnPlane = [&](double u, double v) {
            return Lines.OnPlane(u, v, Axis, Position);
        };
        std::vector<TSample> Samples;
        for (int k = 0; k < Cut.Count(); ++k)
            Samples.push_back(OnPlane(Cut.At(k).Y / Su, Cut.At(k).Z / Sv));
        (*Section)->Lines.AddPolyline(Lines.Curve(Samples, OnPlane));
    }
}

constexpr const char* NoExtentText = "The hull has no extent to draw";

bool HasNet(const TBSplineSurface& S) {
    return S.NumU >= 2 && S.NumV >= 2 && S.Count() >= S.NumU * S.NumV;
}

std::unique_ptr<THullSection> NewSection(int Axis, double Position) {
    auto S = std::make_unique<THullSection>();
    S->Axis = Axis;
    S->Position = Position;
    return S;
}

} // namespace

TExtents HullExtents(TBSplineSurface& Surface) {
    TExtents E;
    if (HasNet(Surface)) {
        const auto Grid = Surface.SampleMesh(SamplesPerControlPoint * Surface.NumU,
                                             SamplesPerControlPoint * Surface.NumV);
        for (int i = 0; i < Grid->NumU; ++i)
            for (int j = 0; j < Grid->NumV; ++j) IncludeInExtents(E, Grid->Point(i, j));
    }
    if (!(E.MaxX > E.MinX && E.MaxY > E.MinY && E.MaxZ > E.MinZ))
        throw EGeometryError(NoExtentText);
    return E;
}

std::unique_ptr<THullLines> BuildHullLines(TBSplineSurface& Surface, const TContours& Planes,
                                           double Draught, double Tolerance) {
    if (!HasNet(Surface)) throw EGeometryError(NoExtentText);
    TSurfaceLines Lines(Surface, Tolerance);
    auto Result = std::make_unique<THullLines>();
    const int Nu = SamplesPerControlPoint * Surface.NumU;
    const int Nv = SamplesPerControlPoint * Surface.NumV;
    Result->Lengthwise.AddPolyline(Lines.Edge(false, Lines.V0, Nu));
    Result->Lengthwise.AddPolyline(Lines.Edge(false, Lines.V1, Nu));
    Result->Ends.AddPolyline(Lines.Edge(true, Lines.U0, Nv));
    Result->Ends.AddPolyline(Lines.Edge(true, Lines.U1, Nv));

    Result->DesignWaterline = NewSection(2, Draught);
    const auto Grid = Surface.SampleMesh(Nu, Nv);
    for (std::uint8_t Axis = 0; Axis < 3; ++Axis) {
        std::vector<THullSection*> Sections;
        for (int k = 0; k < Planes.List(Axis).Count(); ++k) {
            Result->Sections.push_back(NewSection(Axis, Planes.List(Axis).Contour(k).Position));
            Sections.push_back(Result->Sections.back().get());
        }
        if (Axis == 2) Sections.push_back(Result->DesignWaterline.get());
        if (!Sections.empty()) CutAxis(Lines, *Grid, Axis, Sections);
    }
    return Result;
}
