// A rectangular grid of owned 3-D points: the control net of a surface and the result of
// sampling one. Copying, transposing, drawing as a wire grid, faces and the mesh record.
#pragma once

#include "geometry/point.h"

#include <memory>
#include <string_view>
#include <vector>

class TGStream;
class TMatrix;
class TPolygonList;
class TTextReader;
class TTextWriter;

// The most net points (NumU * NumV) a mesh record may announce.
inline constexpr int MaxRecordPoints = 4'000'000;

class TMesh {
public:
    int NumU; // points in the u direction
    int NumV; // points in the v direction

    // Stores the size; points are created on first access.
    TMesh(int ANumU, int ANumV);
    TMesh(const TMesh&) = delete;
    TMesh& operator=(const TMesh&) = delete;
    // Moving hands the contents over whole (a model taking over a loaded state).
    TMesh(TMesh&&) = default;
    TMesh& operator=(TMesh&&) = default;
    virtual ~TMesh() = default;

    // Points stored so far; net point (i, j) is item NumU * j + i.
    int Count() const { return FCount; }
    // Net point (i, j). Points (0, 0, 0) are appended until item NumU * j + i exists; a
    // negative item index raises the list's index error. References stay valid while it grows.
    TRPoint& Point(int i, int j);
    // Net point (i, j) without growing: a point not yet created reads as (0, 0, 0).
    const TRPoint& Point(int i, int j) const;
    // Sets every net point (i, j) to PointOf(i, j), item by item, creating those missing.
    template <class TPointOf> void SetEachPoint(TPointOf PointOf) {
        if (NumU <= 0 || NumV <= 0) return;
        Point(NumU - 1, NumV - 1);
        for (int j = 0, Index = 0; j < NumV; ++j)
            for (int i = 0; i < NumU; ++i, ++Index)
                Blocks[static_cast<std::size_t>(Index >> BlockBits)][Index & (BlockSize - 1)] =
                    PointOf(i, j);
    }
    // Copies X, Y, Z and W of P into net point (i, j).
    void SetPoint(int i, int j, const TRPoint& P);
    // Clears, takes Src's size and copies its net point by point.
    void Assign(const TMesh& Src);
    // A mesh of the same size with every point mapped; none for a matrix that is not 4 x 4.
    std::unique_ptr<TMesh> TransformedCopy(const TMatrix& M) const;
    // The wire grid: all v-direction lines (i outer), then all u-direction lines (j outer).
    void Draw(TGStream& Stream) const;

    virtual void Clear();
    // "NumU=", "NumV=" and one line per point, u-major.
    virtual void SaveToText(TTextWriter& F) const;
    // Overwrites points in place, creating missing ones; points beyond the grid stay. Sizes
    // below 0 or beyond MaxRecordPoints net points fail as their field.
    virtual void LoadFromText(TTextReader& F);
    // Exchanges the u and v directions.
    virtual void Transpose();
    // Two three-cornered faces per grid cell, corners copied.
    virtual std::unique_ptr<TPolygonList> GetPolygons();
    // The name written in "[...]" header lines; a subclass answers its own.
    virtual std::string_view ClassName() const { return "TMesh"; }

protected:
    // Stored item Index without checks, for evaluations that made sure the whole net exists.
    const TRPoint& Item(int Index) const {
        return Blocks[static_cast<std::size_t>(Index >> BlockBits)][Index & (BlockSize - 1)];
    }
    // Stored items Index ... Index + Count - 1 as one array when they lie in one block, else null.
    const TRPoint* Run(int Index, int Count) const {
        const int Offset = Index & (BlockSize - 1);
        return Offset + Count <= BlockSize
                   ? &Blocks[static_cast<std::size_t>(Index >> BlockBits)][Offset]
                   : nullptr;
    }

private:
    // Points live in blocks of BlockSize created whole, so a reference stays valid while the grid
    // grows. Points of the last block beyond Count keep their initial values (0, 0, 0, W 1).
    static constexpr int BlockBits = 6;
    static constexpr int BlockSize = 1 << BlockBits;
    std::vector<std::unique_ptr<TRPoint[]>> Blocks;
    int FCount = 0;

    int ItemIndex(int i, int j) const;
};
