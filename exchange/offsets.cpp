// Offsets by searching the surface itself: a sampled grid finds every place where a station and a
// waterline cross, and Newton's method on the surface takes each to full precision.
#include "exchange/offsets.h"

#include "exchange/exportsurface.h"
#include "geometry/bsurface.h"
#include "geometry/errors.h"
#include "geometry/records.h"

#include <algorithm>
#include <cmath>

namespace {

// Grid facets per knot span: fine enough to part crossings a hull puts close together.
constexpr int SpanSamples = 8;
// Newton's method stops after this many steps (or at the tolerance, relative to the surface's
// size); unconverged, the answer is the grid's own estimate.
constexpr int MaxNewtonSteps = 25;
constexpr double NewtonTolerance = 1e-12;
// Barycentric slack, so that a crossing on a facet's edge is found by one of its two facets.
constexpr double EdgeSlack = 1e-9;

std::vector<double> EvenParameters(double Min, double Max, int Count) {
    std::vector<double> Result;
    for (int i = 0; i <= Count; ++i) Result.push_back(Min + i * (Max - Min) / Count);
    return Result;
}

struct TSample {
    double u, v;
    TRPoint P;
};

// Station x and waterline z located on the surface: (u, v) with the surface's x and z there.
class TCrossingSearch {
public:
    explicit TCrossingSearch(TBSplineSurface& ASurface) : Surface(ASurface) {
        const int SpansU = Surface.NumU - Surface.OrderU + 1;
        const int SpansV = Surface.NumV - Surface.OrderV + 1;
        const auto Us = EvenParameters(Surface.UMin(), Surface.UMax(), SpansU * SpanSamples);
        const auto Vs = EvenParameters(Surface.VMin(), Surface.VMax(), SpansV * SpanSamples);
        TExtents E;
        for (const double u : Us) {
            Grid.emplace_back();
            for (const double v : Vs) {
                Grid.back().push_back({u, v, *Surface.PointAt(u, v)});
                IncludeInExtents(E, Grid.back().back().P);
            }
        }
        Size = std::max({E.MaxX - E.MinX, E.MaxY - E.MinY, E.MaxZ - E.MinZ, 1.0});
    }

    // The greatest half-breadth among the crossings; none when there is none.
    std::optional<double> HalfBreadth(double x, double z) {
        std::optional<double> Best;
        for (std::size_t i = 0; i + 1 < Grid.size(); ++i)
            for (std::size_t j = 0; j + 1 < Grid[i].size(); ++j) {
                const TSample& A = Grid[i][j];
                const TSample& B = Grid[i + 1][j];
                const TSample& C = Grid[i + 1][j + 1];
                const TSample& D = Grid[i][j + 1];
                for (const auto& [P, Q, R] : {std::tuple{&A, &B, &C}, std::tuple{&A, &C, &D}})
                    if (const auto y = Crossing(*P, *Q, *R, x, z); y && (!Best || *y > *Best))
                        Best = y;
            }
        return Best;
    }

private:
    TBSplineSurface& Surface;
    std::vector<std::vector<TSample>> Grid;
    double Size;

    // The crossing inside facet PQR seen along y, refined on the surface.
    std::optional<double> Crossing(const TSample& P, const TSample& Q, const TSample& R, double x,
                                   double z) {
        const double Det = (Q.P.X - P.P.X) * (R.P.Z - P.P.Z) - (R.P.X - P.P.X) * (Q.P.Z - P.P.Z);
        if (Det == 0) return std::nullopt; // edge on: its neighbours hold the crossing
        const double b = ((x - P.P.X) * (R.P.Z - P.P.Z) - (R.P.X - P.P.X) * (z - P.P.Z)) / Det;
        const double c = ((Q.P.X - P.P.X) * (z - P.P.Z) - (x - P.P.X) * (Q.P.Z - P.P.Z)) / Det;
        if (b < -EdgeSlack || c < -EdgeSlack || b + c > 1 + EdgeSlack) return std::nullopt;
        const double u = P.u + b * (Q.u - P.u) + c * (R.u - P.u);
        const double v = P.v + b * (Q.v - P.v) + c * (R.v - P.v);
        const double Estimate = P.P.Y + b * (Q.P.Y - P.P.Y) + c * (R.P.Y - P.P.Y);
        return Refine(u, v, x, z).value_or(Estimate);
    }

    // Newton's method on (x(u, v) - x, z(u, v) - z) with derivatives by central differences.
    std::optional<double> Refine(double u, double v, double x, double z) {
        const double hu = 1e-6 * Surface.URange(), hv = 1e-6 * Surface.VRange();
        for (int Step = 0; Step < MaxNewtonSteps; ++Step) {
            const auto S = Surface.PointAt(u, v);
            const double Fx = S->X - x, Fz = S->Z - z;
            if (std::fabs(Fx) + std::fabs(Fz) <= NewtonTolerance * Size) return S->Y;
            const auto Du = Difference(u, v, hu, 0), Dv = Difference(u, v, 0, hv);
            const double Det = Du.X * Dv.Z - Dv.X * Du.Z;
            if (Det == 0 || !std::isfinite(Det)) return std::nullopt;
            u -= (Fx * Dv.Z - Fz * Dv.X) / Det;
            v -= (Du.X * Fz - Du.Z * Fx) / Det;
            if (!(u >= Surface.UMin() && u <= Surface.UMax() && v >= Surface.VMin() &&
                  v <= Surface.VMax()))
                return std::nullopt;
        }
        return std::nullopt;
    }

    // The derivative along (du, dv) by central differences, kept inside the range.
    TRPoint Difference(double u, double v, double du, double dv) {
        const double u0 = std::max(u - du, Surface.UMin()), u1 = std::min(u + du, Surface.UMax());
        const double v0 = std::max(v - dv, Surface.VMin()), v1 = std::min(v + dv, Surface.VMax());
        const auto A = Surface.PointAt(u0, v0), B = Surface.PointAt(u1, v1);
        const double Span = du != 0 ? u1 - u0 : v1 - v0;
        return TRPoint((B->X - A->X) / Span, (B->Y - A->Y) / Span, (B->Z - A->Z) / Span);
    }
};

} // namespace

std::unique_ptr<TOffsetTable> TableOfOffsets(TBSplineSurface& Surface,
                                             const std::vector<double>& Stations,
                                             const std::vector<double>& Waterlines) {
    if (Stations.empty()) throw EGeometryError("The table of offsets needs at least one station");
    if (Waterlines.empty())
        throw EGeometryError("The table of offsets needs at least one waterline");
    PrepareSurface(Surface);
    TCrossingSearch Search(Surface);
    auto Table = std::make_unique<TOffsetTable>();
    Table->Stations = Stations;
    Table->Waterlines = Waterlines;
    for (const double x : Stations) {
        Table->HalfBreadths.emplace_back();
        for (const double z : Waterlines)
            Table->HalfBreadths.back().push_back(Search.HalfBreadth(x, z));
    }
    return Table;
}

void WriteOffsetsCsv(std::ostream& Out, const TOffsetTable& Table) {
    Out << "x \\ z";
    for (const double z : Table.Waterlines) Out << ',' << GeneralText(z);
    Out << "\r\n";
    for (std::size_t s = 0; s < Table.Stations.size(); ++s) {
        Out << GeneralText(Table.Stations[s]);
        for (const auto& y : Table.HalfBreadths[s]) Out << ',' << (y ? FixedText(*y, 4) : "");
        Out << "\r\n";
    }
}
