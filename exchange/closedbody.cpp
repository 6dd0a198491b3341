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
#include <utility>

namespace {

// Points closer than this, relative to the body's size, are one point: far above rounding in the
// evaluation (a net whose points coincide makes a surface whose samples coincide to rounding), far
// below the spacing of the finest sampling, so that points which are merely close (where the hull
// nears the centre plane or folds at the fore foot) stay apart.
constexpr double WeldTolerance = 1e-9;
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

// The vertices of one half, those that coincide welded, found through a grid of cells several
// tolerances wide (so that a point's neighbourhood nearly always lies in its own cell); then the
// other half's, each the mirror image of one of these, or that vertex itself where it lies in the
// centre plane: only there do the halves meet. Triangles that welding collapsed are dropped.
class TBodyBuilder {
public:
    // Room for the vertices of Points points and their mirror images.
    TBodyBuilder(double ATolerance, std::size_t Points) : Tolerance(ATolerance) {
        Cells.reserve(Points);
        Next.reserve(Points);
        Mesh->Vertices.reserve(2 * Points);
    }

    int Vertex(const TRPoint& P) {
        const TCell Low = CellOf(P, -Tolerance), High = CellOf(P, Tolerance);
        for (auto x = Low[0]; x <= High[0]; ++x)
            for (auto y = Low[1]; y <= High[1]; ++y)
                for (auto z = Low[2]; z <= High[2]; ++z) {
                    const auto Found = Cells.find(Key({x, y, z}));
                    if (Found == Cells.end()) continue;
                    for (int v = Found->second; v >= 0; v = Next[static_cast<std::size_t>(v)])
                        if (Near(Mesh->Vertices[static_cast<std::size_t>(v)], P)) return v;
                }
        const int v = static_cast<int>(Mesh->Vertices.size());
        Mesh->Vertices.push_back(P);
        const auto [Cell, Inserted] = Cells.try_emplace(Key(CellOf(P, 0)), v);
        Next.push_back(Inserted ? -1 : std::exchange(Cell->second, v));
        return v;
    }

    // The mirror image of every vertex made so far, by its number.
    std::vector<int> Mirrors() {
        const std::size_t Count = Mesh->Vertices.size();
        std::vector<int> Result(Count);
        for (std::size_t v = 0; v < Count; ++v) {
            const TRPoint P = Mesh->Vertices[v];
            if (OnCentrePlane(P)) {
                Result[v] = static_cast<int>(v);
            } else {
                Result[v] = static_cast<int>(Mesh->Vertices.size());
                Mesh->Vertices.emplace_back(P.X, -P.Y, P.Z);
            }
        }
        return Result;
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
    static constexpr double CellTolerances = 64;
    double Tolerance;
    std::unique_ptr<TTriangleMesh> Mesh = std::make_unique<TTriangleMesh>();
    std::unordered_map<std::uint64_t, int> Cells; // the last vertex put in each cell
    std::vector<int> Next;                        // the vertex put before it in its cell, or -1

    TCell CellOf(const TRPoint& P, double Offset) const {
        const double Width = CellTolerances * Tolerance;
        return {static_cast<std::int64_t>(std::floor((P.X + Offset) / Width)),
                static_cast<std::int64_t>(std::floor((P.Y + Offset) / Width)),
                static_cast<std::int64_t>(std::floor((P.Z + Offset) / Width))};
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
    bool OnCentrePlane(const TRPoint& P) const { return std::fabs(P.Y) <= Tolerance; }

    void Triangle(int a, int b, int c) {
        if (a != b && b != c && c != a) Mesh->Triangles.push_back({a, b, c});
    }

    // Where the surface lies in the centre plane over an area, the halves meet face to face:
    // such pairs enclose nothing and go. Only faces with every corner in that plane can pair.
    void CancelOppositePairs() {
        std::map<std::array<int, 3>, std::vector<std::size_t>> BySet;
        for (std::size_t t = 0; t < Mesh->Triangles.size(); ++t) {
            auto Set = Mesh->Triangles[t];
            if (!std::all_of(Set.begin(), Set.end(), [&](int v) {
                    return OnCentrePlane(Mesh->Vertices[static_cast<std::size_t>(v)]);
                }))
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
    static bool SameTurn(const std::array<int, 3>& A, const std::array<int, 3>& B) {
        for (int r = 0; r < 3; ++r)
            if (A[0] == B[r] && A[1] == B[(r + 1) % 3]) return true;
        return false;
    }

    // Every edge is run through once in each direction: two faces meet there, turned alike. The
    // edges leaving each vertex are gathered, so that each is found among those of its ends.
    void CheckWatertight() const {
        const std::size_t Count = Mesh->Vertices.size();
        std::vector<std::size_t> Start(Count + 1, 0);
        for (const auto& T : Mesh->Triangles)
            for (const int v : T) ++Start[static_cast<std::size_t>(v) + 1];
        for (std::size_t v = 0; v < Count; ++v) Start[v + 1] += Start[v];
        std::vector<int> To(Start.back());
        std::vector<std::size_t> Fill(Start.begin(), Start.end() - 1);
        for (const auto& T : Mesh->Triangles)
            for (int e = 0; e < 3; ++e) To[Fill[static_cast<std::size_t>(T[e])]++] = T[(e + 1) % 3];
        const auto Edges = [&](std::size_t From, int ToVertex) {
            return std::count(To.data() + Start[From], To.data() + Start[From + 1], ToVertex);
        };
        for (std::size_t a = 0; a < Count; ++a)
            for (std::size_t k = Start[a]; k < Start[a + 1]; ++k) {
                const int b = To[k];
                if (Edges(a, b) != 1 ||
                    Edges(static_cast<std::size_t>(b), static_cast<int>(a)) != 1)
                    throw EGeometryError(NotWatertightText);
            }
    }
};

double Size(const std::vector<TRPoint>& Points) {
    TExtents E;
    double Largest = 0;
    for (const TRPoint& P : Points) {
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
    std::vector<TRPoint> Grid;
    Grid.reserve(Us.size() * Vs.size());
    for (const double u : Us)
        for (const double v : Vs) Grid.push_back(*S.PointAt(u, v));

    TBodyBuilder B(WeldTolerance * Size(Grid), Grid.size());
    std::vector<int> Own;
    Own.reserve(Grid.size());
    for (const TRPoint& P : Grid) Own.push_back(B.Vertex(P));
    const auto MirrorOf = B.Mirrors();
    const auto At = [&](int i, int j) { return Own[static_cast<std::size_t>(i * NV + j)]; };
    const auto Mirror = [&](int i, int j) { return MirrorOf[static_cast<std::size_t>(At(i, j))]; };
    for (int i = 0; i + 1 < NU; ++i)
        for (int j = 0; j + 1 < NV; ++j) {
            B.Quad(At(i, j), At(i + 1, j), At(i + 1, j + 1), At(i, j + 1));
            B.Quad(Mirror(i, j), Mirror(i, j + 1), Mirror(i + 1, j + 1), Mirror(i + 1, j));
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
        B.Quad(At(ib, jb), At(ia, ja), Mirror(ia, ja), Mirror(ib, jb));
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
    // halves touch inside the surface closes no body; the next one is tried.
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
