// Integration over the part of a Bernstein patch where one coordinate stays below a level (the
// immersed part of a hull patch), and the curves on which a coordinate takes a level (waterlines
// and sections) as pieces that are graphs over one patch parameter.
#pragma once

#include "hydro/bezierpatch.h"

#include <functional>

// Gauss-Legendre rule of n points (1 .. MaxGaussPoints) on -1 .. 1.
inline constexpr int MaxGaussPoints = 32;
struct TGaussRule {
    std::vector<double> Node, Weight;
};
const TGaussRule& GaussRule(int n);

// A quadrature point of a patch: the point with its derivatives and the weight it carries in
// the parameters s, t.
using TPointVisitor = std::function<void(const TPatchPoint& P, double Weight)>;

// Visits the quadrature points of the part of Patch where coordinate Axis <= Level: Points x
// Points Gauss points on every cell of the part. Where the level curve crosses a cell as a
// graph over one parameter, the cell is integrated along that parameter between the curve and
// the cell edge, split where the curve leaves the cell, so the rule keeps its accuracy; cells
// where it does not are halved, ten times at most, after which a cell counts by its centre.
void IntegrateBelow(const TBezierPatch& Patch, int Axis, double Level, int Points,
                    const TPointVisitor& Visit);

// A piece of the curve where coordinate Axis of a patch takes Level: for each value w of the
// running parameter in Lo .. Hi, one value of the other parameter in its cell.
class TLevelPiece {
public:
    const TBezierPatch* Patch;
    int Axis;
    double Level;
    bool RunsAlongT; // running parameter t (the piece solves s), else s
    double Lo, Hi;   // range of the running parameter
    double SolvedLo, SolvedHi;
    // +1 when increasing w runs along the boundary of the part below Level counterclockwise in
    // (s, t), -1 when clockwise.
    int Orientation;

    // The point at running parameter w and the derivative of the point along w (the curve's
    // tangent in space, for w increasing).
    TPatchPoint At(double w, double Tangent[3]) const;
};

// The pieces of the level curve in Patch. A curve that lies on a cell edge belongs to the cell
// that starts there (so a curve on the edge shared by two patches is found once) unless
// BothEdges, when it is found in both.
std::vector<TLevelPiece> LevelPieces(const TBezierPatch& Patch, int Axis, double Level,
                                     bool BothEdges);

// The root of the monotone function F on Lo .. Hi (Illinois regula falsi, 100 steps at most);
// an end where F is already of the far end's sign, or 0, is answered as the root.
double SolveMonotone(const std::function<double(double)>& F, double Lo, double Hi);
