// The hull's B-spline surface and curves handed to Open CASCADE unchanged, and the shape of faces
// and edges that the STEP and IGES writers take.
#include "exchange/occtshapes.h"

#include "exchange/exportsurface.h"
#include "geometry/bspline.h"
#include "geometry/bsurface.h"
#include "geometry/errors.h"

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRep_Builder.hxx>
#include <Precision.hxx>
#include <Standard_Failure.hxx>
#include <TColStd_Array1OfInteger.hxx>
#include <TColStd_Array1OfReal.hxx>
#include <TColgp_Array1OfPnt.hxx>
#include <TColgp_Array2OfPnt.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Edge.hxx>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

// A knot vector as Open CASCADE holds it: each distinct value once, with its multiplicity.
struct TOcctKnots {
    std::vector<double> Values;
    std::vector<int> Mults;

    TColStd_Array1OfReal ValueArray() const {
        TColStd_Array1OfReal A(1, static_cast<int>(Values.size()));
        for (std::size_t i = 0; i < Values.size(); ++i) A(static_cast<int>(i) + 1) = Values[i];
        return A;
    }
    TColStd_Array1OfInteger MultArray() const {
        TColStd_Array1OfInteger A(1, static_cast<int>(Mults.size()));
        for (std::size_t i = 0; i < Mults.size(); ++i) A(static_cast<int>(i) + 1) = Mults[i];
        return A;
    }
};

// Knot[1 .. m] grouped into distinct values; knots out of order make no B-spline.
TOcctKnots GroupKnots(const std::function<double(int)>& Knot, int m, const std::string& What) {
    TOcctKnots K;
    for (int i = 1; i <= m; ++i) {
        const double t = Finite(Knot(i));
        if (!K.Values.empty() && t < K.Values.back())
            throw EGeometryError("The knots of the " + What + " are not in ascending order");
        if (!K.Values.empty() && t == K.Values.back()) {
            ++K.Mults.back();
        } else {
            K.Values.push_back(t);
            K.Mults.push_back(1);
        }
    }
    return K;
}

// Open CASCADE's highest degree, and for curves the order that the control points allow.
void CheckOrder(int Order, int Count, const std::string& What) {
    const int MaxOrder = Geom_BSplineSurface::MaxDegree() + 1;
    if (Order < 2 || Order > Count)
        throw EGeometryError("The " + What + "'s order " + std::to_string(Order) +
                             " does not fit its " + std::to_string(Count) + " control points");
    if (Order > MaxOrder)
        throw EGeometryError("The " + What + "'s order " + std::to_string(Order) +
                             " is above the " + std::to_string(MaxOrder) +
                             " that STEP and IGES exchange takes");
}

// Runs Build, turning Open CASCADE's refusals into the program's own error.
template <class F> auto Checked(F Build) {
    try {
        return Build();
    } catch (const Standard_Failure& E) {
        throw EGeometryError(std::string("Open CASCADE refused the hull geometry: ") +
                             E.GetMessageString());
    }
}

} // namespace

Handle(Geom_BSplineSurface) OcctSurface(TBSplineSurface& Surface, bool Mirrored) {
    PrepareSurface(Surface);
    const int NU = Surface.NumU, NV = Surface.NumV;
    CheckOrder(Surface.OrderU, NU, "surface");
    CheckOrder(Surface.OrderV, NV, "surface");
    const auto U =
        GroupKnots([&](int i) { return Surface.KnotU(i); }, NU + Surface.OrderU, "surface");
    const auto V =
        GroupKnots([&](int i) { return Surface.KnotV(i); }, NV + Surface.OrderV, "surface");
    const double Sign = Mirrored ? -1.0 : 1.0;
    TColgp_Array2OfPnt Poles(1, NU, 1, NV);
    for (int i = 0; i < NU; ++i)
        for (int j = 0; j < NV; ++j) {
            const TRPoint& P = Surface.Point(i, j);
            Poles(i + 1, j + 1) = gp_Pnt(P.X, Sign * P.Y, P.Z);
        }
    return Checked([&] {
        return Handle(Geom_BSplineSurface)(
            new Geom_BSplineSurface(Poles, U.ValueArray(), V.ValueArray(), U.MultArray(),
                                    V.MultArray(), Surface.OrderU - 1, Surface.OrderV - 1));
    });
}

Handle(Geom_BSplineCurve) OcctCurve(const TBSpline& Curve) {
    const int n = Curve.Count();
    if (n < 2) throw EGeometryError("A curve of fewer than two points cannot be exported");
    TColgp_Array1OfPnt Poles(1, n);
    for (int i = 0; i < n; ++i) Poles(i + 1) = gp_Pnt(Curve.At(i).X, Curve.At(i).Y, Curve.At(i).Z);
    auto Copy = TBSpline::CreateCopy(Curve);
    Copy->MakeKnots();
    const bool Smooth = Copy->Order >= 3 && n >= Copy->Order;
    const int Order = Smooth ? Copy->Order : 2;
    CheckOrder(Order, n, "curve");
    // The control polygon: the open knots of order 2.
    const auto K =
        GroupKnots([&](int i) { return Smooth ? Copy->Knot(i) : std::clamp(i - 2, 0, n - 1); },
                   n + Order, "curve");
    return Checked([&] {
        return Handle(Geom_BSplineCurve)(
            new Geom_BSplineCurve(Poles, K.ValueArray(), K.MultArray(), Order - 1));
    });
}

TopoDS_Shape CadShape(const TCadContent& Content) {
    TBSplineSurface& Surface = *Content.Surface;
    const auto Face = [&](bool Mirrored) {
        const auto S = OcctSurface(Surface, Mirrored);
        const double U0 = Surface.UMin(), U1 = Surface.UMax();
        const double V0 = Surface.VMin(), V1 = Surface.VMax();
        return Checked([&] {
            BRepBuilderAPI_MakeFace Make(S, U0, U1, V0, V1, Precision::Confusion());
            if (!Make.IsDone()) throw EGeometryError("Open CASCADE could not bound the surface");
            return Make.Face();
        });
    };
    BRep_Builder Builder;
    TopoDS_Compound Compound;
    Builder.MakeCompound(Compound);
    Builder.Add(Compound, Face(false));
    if (Content.BothHalves) Builder.Add(Compound, Face(true));
    for (const TBSpline* Curve : Content.Curves) {
        const auto C = OcctCurve(*Curve);
        Checked([&] {
            BRepBuilderAPI_MakeEdge Make(C);
            if (!Make.IsDone()) throw EGeometryError("Open CASCADE could not bound a curve");
            Builder.Add(Compound, Make.Edge());
            return 0;
        });
    }
    return Compound;
}
