// The exporters' check of the surface: a net that was generated, orders and knots that make a
// B-spline, and a range inside the knots.
#include "exchange/exportsurface.h"

#include "geometry/bsurface.h"
#include "geometry/errors.h"

#include <string>

namespace {

void CheckOrder(int Order, int Count, const char* Direction) {
    if (Order < 2 || Order > Count)
        throw EGeometryError(std::string("The surface's order in ") + Direction + " (" +
                             std::to_string(Order) + ") does not fit its " + std::to_string(Count) +
                             " control points");
}

// Knot[1 .. Count + Order] ascending, and Min .. Max a non-empty part of Knot[Order] ..
// Knot[Count + 1], where the basis functions sum to one.
void CheckKnots(double (TBSplineSurface::*Knot)(int) const, const TBSplineSurface& S, int Count,
                int Order, double Min, double Max) {
    for (int i = 2; i <= Count + Order; ++i)
        if (!((S.*Knot)(i) >= (S.*Knot)(i - 1)))
            throw EGeometryError("The knots of the surface are not in ascending order");
    if (!(Min >= (S.*Knot)(Order) && Max <= (S.*Knot)(Count + 1) && Min < Max))
        throw EGeometryError("The surface's parameter range lies outside its knots");
}

} // namespace

void PrepareSurface(TBSplineSurface& Surface) {
    const int NU = Surface.NumU, NV = Surface.NumV;
    if (NU < 2 || NV < 2 || Surface.Count() < NU * NV) throw EGeometryError(NoSurfaceText);
    const TRPoint& First = Surface.Point(0, 0);
    bool Extent = false;
    for (int i = 0; i < NU && !Extent; ++i)
        for (int j = 0; j < NV && !Extent; ++j) Extent = !SamePoint(Surface.Point(i, j), First);
    if (!Extent) throw EGeometryError(NoSurfaceText);
    Surface.MakeKnots();
    CheckOrder(Surface.OrderU, NU, "u");
    CheckOrder(Surface.OrderV, NV, "v");
    CheckKnots(&TBSplineSurface::KnotU, Surface, NU, Surface.OrderU, Surface.UMin(),
               Surface.UMax());
    CheckKnots(&TBSplineSurface::KnotV, Surface, NV, Surface.OrderV, Surface.VMin(),
               Surface.VMax());
}
