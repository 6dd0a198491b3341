// The hull surface as polynomial patches: each knot span of a B-spline surface rewritten in the
// Bernstein basis, evaluated with its first derivatives; and the Bernstein polynomials in one
// variable that bound, split and solve the patches' level functions.
#pragma once

#include <vector>

class TBSplineSurface;

// A point with its derivatives along the patch parameters s and t.
struct TPatchPoint {
    double X[3];  // x, y, z
    double Ds[3]; // dX/ds
    double Dt[3]; // dX/dt
};

// The highest order whose spans are rewritten; the basis change grows ill-conditioned beyond.
inline constexpr int MaxPatchOrder = 16;

// A patch along one of its parameter lines (s or t constant): each coordinate and its derivative
// across the line as polynomials in the parameter w that runs along it.
class TPatchLine {
public:
    bool ConstantT; // the line t = constant, running along s; else s = constant, along t
    int Degree;
    double C[3][MaxPatchOrder];      // coordinates
    double Across[3][MaxPatchOrder]; // their derivatives across the line

    TPatchPoint Evaluate(double w) const;
    double Coordinate(int Axis, double w) const;
};

// One knot span of a surface: X(s, t) = sum B_a(s) B_b(t) C[a][b] over s, t in 0 .. 1.
class TBezierPatch {
public:
    int DegreeS, DegreeT;
    // Coefficient (a, b) of coordinate Axis is C[Axis][a * (DegreeT + 1) + b].
    std::vector<double> C[3];

    TBezierPatch(int ADegreeS, int ADegreeT);
    double& Coefficient(int Axis, int a, int b) { return C[Axis][Index(a, b)]; }
    double Coefficient(int Axis, int a, int b) const { return C[Axis][Index(a, b)]; }
    // Coordinate Axis alone at (s, t).
    double Coordinate(int Axis, double s, double t) const;
    // The line t = Value (ConstantT) or s = Value, for many points along it at the cost of one.
    TPatchLine Line(bool ConstantT, double Value) const;

private:
    int Index(int a, int b) const { return a * (DegreeT + 1) + b; }
};

// The patches of every knot span of nonzero width inside the surface's range, after MakeKnots.
// Raises EGeometryError when the net is empty (all its points one), the surface has no range, an
// order below 2 or above MaxPatchOrder, or fewer net points than its order in a direction.
std::vector<TBezierPatch> BezierPatches(TBSplineSurface& Surface);

// A polynomial in one variable over 0 .. 1 by its Bernstein coefficients.
using TBernstein = std::vector<double>;

double BernsteinValue(const TBernstein& B, double s);
// The coefficients over 0 .. r and r .. 1 (de Casteljau).
void BernsteinSplit(const TBernstein& B, double r, TBernstein& Left, TBernstein& Right);
// The roots of B - Level inside 0 .. 1, ascending, to about machine precision; none for a
// polynomial within Tolerance of Level everywhere (its coefficients tell).
std::vector<double> BernsteinRoots(const TBernstein& B, double Level, double Tolerance);
