// The tensor-product, non-rational B-spline surface over a control net, and its owning list.
#pragma once

#include "geometry/knots.h"
#include "geometry/mesh.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TGStream;
class TMatrix;
class TPolygonList;
class TTextReader;
class TTextWriter;

inline const char* const SurfaceRangeErrorText = "Undefinied Parameter range for BSpline Surface";
inline const char* const SurfaceKnotTypeErrorText =
    "TBSplineSurface.KnotTypeByString - Unknown knotType";

class TBSplineSurface : public TMesh {
public:
    int OrderU = 4;
    int OrderV = 4;
    std::uint8_t KnotType = ktOpen; // only Open and Custom surfaces have a range
    int SamplesU = 25;              // u values of the sampled surface and of the u iso-lines
    int SamplesV = 25;
    int IsoSamples = 50;      // points along each iso-line
    double Tolerance = 0.001; // kept with the surface; no surface operation reads it
    double MaxU = 0.0;        // Custom range, used exactly as stored
    double MaxV = 0.0;
    double MinU = 0.0;
    double MinV = 0.0;
    bool ForcedBezier = false; // open knots with each order = net size in its direction

    TBSplineSurface(int ANumU, int ANumV);

    void SetOrderU(int k);
    void SetOrderV(int k);
    using TMesh::Assign;
    // The net, orders, knots and kind, and Src's computed range (so Src must be Open or
    // Custom); ForcedBezier and the sampling counts are not copied.
    void Assign(const TBSplineSurface& Src);
    // The net mapped by a 4 x 4 matrix, orders, knots, kind and stored range copied, the other
    // fields at their initial values; none for a matrix that is not 4 x 4.
    std::unique_ptr<TBSplineSurface> TransformedCopy(const TMatrix& M) const;

    // Open surfaces rebuild both knot vectors; other kinds keep theirs.
    void MakeKnots();
    double KnotU(int i) const { return FKnotU.Get(i); }
    double KnotV(int i) const { return FKnotV.Get(i); }
    void SetKnotU(int i, double Value) { FKnotU.Set(i, Value); }
    void SetKnotV(int i, double Value) { FKnotV.Set(i, Value); }
    // Basis values of the last evaluation, 1-based.
    double BasisU(int i) const { return FValuesU.Function(i); }
    double BasisV(int i) const { return FValuesV.Function(i); }

    // The parameter range; Periodic and NonUniform raise SurfaceRangeErrorText.
    double UMin() const;
    double UMax() const;
    double VMin() const;
    double VMax() const;
    // UMax - UMin and VMax - VMin; overflow raises.
    double URange() const;
    double VRange() const;

    void ComputeBasisU(double u);
    void ComputeBasisV(double v);
    // The surface point at (u, v) from the current knots (no MakeKnots).
    std::unique_ptr<TRPoint> PointAt(double u, double v);
    // The Nu x Nv points of the surface at evenly spread parameters; Nu or Nv below 2 raises.
    std::unique_ptr<TMesh> SampleMesh(int Nu, int Nv);
    // SamplesU lines of constant u, then SamplesV lines of constant v, IsoSamples points each.
    void DrawIsoLines(TGStream& Stream);

    std::string KnotTypeName() const;
    // Raises SurfaceKnotTypeErrorText when S names no kind.
    void KnotTypeByString(std::string_view S);
    std::string KnotsUToString() const;
    std::string KnotsVToString() const;
    // Values are stored exactly as read.
    void KnotsUFromString(std::string_view S);
    void KnotsVFromString(std::string_view S);

    void SaveToText(TTextWriter& F) const override;
    void LoadFromText(TTextReader& F) override;
    // The mesh transposition with the orders exchanged.
    void Transpose() override;
    // The faces of SampleMesh(SamplesU, SamplesV).
    std::unique_ptr<TPolygonList> GetPolygons() override;
    std::string_view ClassName() const override { return "TBSplineSurface"; }

private:
    TKnotVector FKnotU, FKnotV;
    TBasisValues FValuesU, FValuesV; // of the last evaluation

    // Orders, knots and kind of Src.
    void AssignKnots(const TBSplineSurface& Src);
    void CheckRange() const;
    void EnsureNet();
    void DrawIsoLine(TGStream& Stream, bool ConstantU, double Fixed, double Min, double Range);
    std::unique_ptr<TRPoint> Combine(const TBasisValues& U, const TBasisValues& V);
};

// An owning list of surfaces (and surfaces of derived classes).
class TBSplineSurfaceList {
public:
    TBSplineSurfaceList() = default;
    TBSplineSurfaceList(const TBSplineSurfaceList&) = delete;
    TBSplineSurfaceList& operator=(const TBSplineSurfaceList&) = delete;
    virtual ~TBSplineSurfaceList() = default;

    int Count() const { return static_cast<int>(Items.size()); }
    TBSplineSurface& Surface(int i) const;
    // A missing S is ignored; the list takes ownership.
    void Add(std::unique_ptr<TBSplineSurface> S);
    void Delete(int i);
    virtual void Clear() { Items.clear(); }
    // "NumSurfaces=" and every surface's own record. There is no reader.
    void SaveToText(TTextWriter& F) const;

private:
    std::vector<std::unique_ptr<TBSplineSurface>> Items;
};
