// The hull as Open CASCADE geometry, exactly as the project holds it: B-spline surfaces and curves
// with the same orders, knots (as distinct values and multiplicities) and control points.
#pragma once

#include <Geom_BSplineCurve.hxx>
#include <Geom_BSplineSurface.hxx>
#include <TopoDS_Shape.hxx>

#include <vector>

class TBSpline;
class TBSplineSurface;

// The surface, mirrored to port (y -> -y) when asked; its knots are made first, as for sampling.
// EGeometryError naming the fault when it has no net or no B-spline Open CASCADE can hold.
Handle(Geom_BSplineSurface) OcctSurface(TBSplineSurface& Surface, bool Mirrored);
// The curve over its whole knot range; a curve the program draws as its control polygon (an
// order below 3 or fewer control points than its order) becomes that polygon, of degree 1.
Handle(Geom_BSplineCurve) OcctCurve(const TBSpline& Curve);

// What goes into a CAD file: the surface as a face over its parameter range, its port mirror as
// a second face, and the curves as edges over their ranges.
struct TCadContent {
    TBSplineSurface* Surface = nullptr;
    bool BothHalves = false;
    std::vector<const TBSpline*> Curves;
};

TopoDS_Shape CadShape(const TCadContent& Content);
