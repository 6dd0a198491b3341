// The closed body: the surface sampled on a grid that meets every knot, mirrored, closed by ruled
// lids between each boundary edge and its mirror image, welded, and checked to be watertight.
#include "exchange/closedbody.h"

#include "exchange/exportsurface.h"
#include "geometry/bsurface.h"
#include "geometry/errors.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <unordered_map>

namespace {

// Points closer than this share one vertex, relative to the body's size: far below any feature
// of a hull, far above rounding in the evaluation and the single precision of an STL file.
constexpr double WeldTolerance = 1e-6;
// The automatic sampling aims at half the 0.1 % allowed, and stops refining here.
constexpr double VolumeTolerance = 0.0005;
constexpr int MaxAutomaticSpanSamples = 64;
const char* const NotWatertightText = "The hull surface does not close into a watertight body";

// The parameters from Min to Max: every distinct knot inside, each span cut into Samples.
std::vector<double> SpanParameters(double (TBSplineSurface::*Knot)(int) const,
                                   const TBSplineSurface& S, int m, double Min, double Max,
                                   int Samples) {
    std::vector<double> Ends{Min};
    for (int i = 1; i <= m; ++i) {
        const double t = (S.*Knot)(i);
        if (t > Ends.back() && t < Max) Ends.push_back(t);
    }
    Ends.push_back(Max);
    std::vector<double> Result;
    for (std::size_t s = 0; s + 1 < Ends.size(); ++s)
        for (int k = 0; k < Samples; ++k)
            Result.push_back(Ends[s] + k * (Ends[s + 1] - Ends[s]) / Samples);
    Result.push_back(Max);
    return Result;
}

// Vertices welded within a tolerance, found through a grid of cells one tolerance wide; and
// triangles, of which those that welding collapsed are dropped.
class TBodyBuilder {
public:
    explicit TBodyBuilder(double ATolerance) : Tolerance(ATolerance) {}

    int Vertex(const TRPoint& P) {
        const TCell C = CellOf(P);
        for (std::int64_t dx = -1; dx <= 1; ++dx)
            for (std::int64_t dy = -1; dy <= 1; ++dy)
                for (std::int64_t dz = -1; dz <= 1; ++dz) {
                    const auto Found = Cells.find(Key({C[0] + dx, C[1] + dy, C[2] + dz}));
                    if (Found == Cells.end()) continue;
                    for (const int v : Found->second)
                        if (Near(Mesh->Vertices[static_cast<std::size_t>(v)], P)) return v;
                }
        Mesh->Vertices.push_back(P);
        const int v = static_cast<int>(Mesh->Vertices.size()) - 1;
        Cells[Key(C)].push_back(v);
        return v;
    }

    // The quad a, b, c, d (in that order around it) as two triangles.
    void Quad(int a, int b, int c, int d) {
        Triangle(a, b, c);
        Triangle(a, c, d);
    }

    std::unique_ptr<TTriangleMesh> Finish() {
        CancelOppositePairs();
        CheckWatertight();
        if (Mesh->Volume() < 0)
            for (auto& T : Mesh->Triangles) std::swap(T[1], T[2]);
        return std::move(Mesh);
    }

private:
    using TCell = std::array<std::int64_t, 3>;
    double Tolerance;
    std::unique_ptr<TTriangleMesh> Mesh = std::make_unique<TTriangleMesh>();
    std::unordered_map<std::uint64_t, std::vector<int>> Cells;

    TCell CellOf(const TRPoint& P) const {
        return {static_cast<std::int64_t>(std::floor(P.X / Tolerance)),
                static_cast<std::int64_t>(std::floor(P.Y / Tolerance)),
                static_cast<std::int64_t>(std::floor(P.Z / Tolerance))};
    }
    static std::uint64_t Key(const TCell& C) {
        std::uint64_t H = 1469598103934665603ull;
        for (const auto c : C) H = (H ^ static_cast<std::uint64_t>(c)) * 1099511628211ull;
        return H;
    }
    bool Near(const TRPoint& P, const TRPoint& Q) const {
        return std::fabs(P.X - Q.X) <= Tolerance && std::fabs(P.Y - Q.Y) <= Tolerance &&
               std::fabs(P.Z - Q.Z) <= Tolerance;
    }

    void Triangle(int a, int b, int c) {
        if (a != b && b != c && c != a) Mesh->Triangles.push_back({a, b, c});
    }

    // Where the surface lies in the centre plane over an area, the halves meet face to face:
    // such pairs enclose nothing and go. Only faces with every corner in that plane can pair.
    void CancelOppositePairs() {
        std::map<std::array<int, 3>, std::vector<std::size_t>> BySet;
        for (std::size_t t = 0; t < Mesh->Triangles.size(); ++t) {
            auto Set = Mesh->Triangles[t];
            if (!std::all_of(Set.begin(), Set.end(), [&](int v) { return OnCentrePlane(v); }))
                continue;
            std::sort(Set.begin(), Set.end());
            BySet[Set].push_back(t);
        }
        std::vector<bool> Drop(Mesh->Triangles.size(), false);
        for (const auto& [Set, List] : BySet)
            if (List.size() == 2 && !SameTurn(Mesh->Triangles[List[0]], Mesh->Triangles[List[1]]))
                Drop[List[0]] = Drop[List[1]] = true;
        std::size_t Kept = 0;
        for (std::size_t t = 0; t < Mesh->Triangles.size(); ++t)
            if (!Drop[t]) Mesh->Triangles[Kept++] = Mesh->Triangles[t];
        Mesh->Triangles.resize(Kept);
    }
    bool OnCentrePlane(int v) const {
        return std::fabs(Mesh->Vertices[static_cast<std::size_t>(v)].Y) <= Tolerance;
    }
    static bool SameTurn(const std::array<int, 3>& A, const std::array<int, 3>& B) {
        for (int r = 0; r < 3; ++r)
            if (A[0] == B[r] && A[1] == B[(r + 1) % 3]) return true;
        return false;
    }

    // Every edge is run through once in each direction: two faces meet there, turned alike.
    void CheckWatertight() const {
        std::unordered_map<std::uint64_t, int> Directed;
        const auto EdgeKey = [](int a, int b) {
            return (static_cast<std::uint64_t>(a) << 32) | static_cast<std::uint32_t>(b);
        };
        for (const auto& T : Mesh->Triangles)
            for (int e = 0; e < 3; ++e) ++Directed[EdgeKey(T[e], T[(e + 1) % 3])];
        for (const auto& [Edge, Count] : Directed) {
            const auto Reverse = Directed.find(
                EdgeKey(static_cast<int>(Edge & 0xffffffffu), static_cast<int>(Edge >> 32)));
            if (Count != 1 || Reverse == Directed.end() || Reverse->second != 1)
                throw EGeometryError(NotWatertightText);
        }
    }
};

double Size(const std::vector<std::vector<TRPoint>>& Grid) {
    TExtents E;
    double Largest = 0;
    for (const auto& Row : Grid)
        for (const TRPoint& P : Row) {
            IncludeInExtents(E, P);
            Largest = std::max({Largest, std::fabs(P.X), std::fabs(P.Y), std::fabs(P.Z)});
        }
    return std::max({Largest, E.MaxX - E.MinX, E.MaxY - E.MinY, E.MaxZ - E.MinZ});
}

std::unique_ptr<TTriangleMesh> SampledBody(TBSplineSurface& S, int Samples) {
    const auto Us =
        SpanParameters(&TBSplineSurface::KnotU, S, S.NumU + S.OrderU, S.UMin(), S.UMax(), Samples);
    const auto Vs =
        SpanParameters(&TBSplineSurface::KnotV, S, S.NumV + S.OrderV, S.VMin(), S.VMax(), Samples);
    const int NU = static_cast<int>(Us.size()), NV = static_cast<int>(Vs.size());
    std::vector<std::vector<TRPoint>> Grid(Us.size(), std::vector<TRPoint>(Vs.size()));
    for (std::size_t i = 0; i < Us.size(); ++i)
        for (std::size_t j = 0; j < Vs.size(); ++j) Grid[i][j] = *S.PointAt(Us[i], Vs[j]);

    TBodyBuilder B(WeldTolerance * Size(Grid));
    std::vector<std::vector<int>> Own(Grid.size()), Mirror(Grid.size());
    for (std::size_t i = 0; i < Grid.size(); ++i)
        for (const TRPoint& P : Grid[i]) {
            Own[i].push_back(B.Vertex(P));
            Mirror[i].push_back(B.Vertex(TRPoint(P.X, -P.Y, P.Z)));
        }
    const auto At = [](const std::vector<std::vector<int>>& G, int i, int j) {
        return G[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
    };
    for (int i = 0; i + 1 < NU; ++i)
        for (int j = 0; j + 1 < NV; ++j) {
            B.Quad(At(Own, i, j), At(Own, i + 1, j), At(Own, i + 1, j + 1), At(Own, i, j + 1));
            B.Quad(At(Mirror, i, j), At(Mirror, i, j + 1), At(Mirror, i + 1, j + 1),
                   At(Mirror, i + 1, j));
        }
    // Round the boundary, turning as the half's faces do; each step a -> b is closed by the ruled
    // strip to its mirror, which has no width (and vanishes) where the edge lies on the centre
    // plane.
    std::vector<std::pair<int, int>> Loop;
    for (int i = 0; i < NU - 1; ++i) Loop.emplace_back(i, 0);
    for (int j = 0; j < NV - 1; ++j) Loop.emplace_back(NU - 1, j);
    for (int i = NU - 1; i > 0; --i) Loop.emplace_back(i, NV - 1);
    for (int j = NV - 1; j > 0; --j) Loop.emplace_back(0, j);
    for (std::size_t k = 0; k < Loop.size(); ++k) {
        const auto [ia, ja] = Loop[k];
        const auto [ib, jb] = Loop[(k + 1) % Loop.size()];
        B.Quad(At(Own, ib, jb), At(Own, ia, ja), At(Mirror, ia, ja), At(Mirror, ib, jb));
    }
    return B.Finish();
}

} // namespace

double TTriangleMesh::Volume() const {
    double Sum = 0;
    for (const auto& T : Triangles) {
        const TRPoint& A = Vertices[static_cast<std::size_t>(T[0])];
        const TRPoint& B = Vertices[static_cast<std::size_t>(T[1])];
        const TRPoint& C = Vertices[static_cast<std::size_t>(T[2])];
        Sum += A.X * (B.Y * C.Z - B.Z * C.Y) + A.Y * (B.Z * C.X - B.X * C.Z) +
               A.Z * (B.X * C.Y - B.Y * C.X);
    }
    return Sum / 6;
}

std::unique_ptr<TTriangleMesh> ClosedBody(TBSplineSurface& Surface, int SpanSamples) {
    PrepareSurface(Surface);
    if (SpanSamples != 0) {
        if (SpanSamples < 1 || SpanSamples > MaxSpanSamples)
            throw EGeometryError("The body takes 1 to " + std::to_string(MaxSpanSamples) +
                                 " facets per knot span, not " + std::to_string(SpanSamples));
        return SampledBody(Surface, SpanSamples);
    }
    // The volume's error falls with the square of the facet size, so the change from one
    // doubling to the next is three times what remains. A sampling whose points land where the
    // halves touch inside the surface (the fore foot) closes no body; the next one is tried.
    std::unique_ptr<TTriangleMesh> Coarse;
    for (int Samples = 2; Samples <= MaxAutomaticSpanSamples; Samples *= 2) {
        std::unique_ptr<TTriangleMesh> Fine;
        try {
            Fine = SampledBody(Surface, Samples);
        } catch (const EGeometryError&) {
            continue;
        }
        if (Coarse && std::fabs(Fine->Volume() - Coarse->Volume()) / 3 <=
                          VolumeTolerance * std::fabs(Fine->Volume()))
            return Fine;
        Coarse = std::move(Fine);
    }
    if (!Coarse) throw EGeometryError(NotWatertightText);
    return Coarse;
}
