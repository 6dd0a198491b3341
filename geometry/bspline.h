// The non-rational B-spline curve: a polyline of control points with an order, a knot vector and
// a parameter range, evaluated, sampled, drawn, searched, fitted and recorded as a curve.
#pragma once

#include "geometry/knots.h"
#include "geometry/polyline.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TGStream;
class TMatrix;
class TTextReader;
class TTextWriter;

inline const char* const CurveRangeErrorText = "Undefinied Parameter range for BSpline";
inline const char* const CurveKnotTypeErrorText = "TBSpline.KnotTypeByString - Unknown knotType";
inline const char* const FitErrorText = "Unable to fit a B-spline through these points";

class TBSpline : public TPolyline {
public:
    int Order;                 // k = degree + 1
    int Samples = 100;         // parameter values used to draw or sample the curve
    double Tolerance = 0.0001; // stop criterion of the point-at-coordinate searches
    bool ForcedBezier = false; // open knots with Order = number of control points
    std::uint8_t KnotType = ktOpen;
    double MaxT = 0.0; // Custom range, stored without the 0.000001 margin
    double MinT = 0.0;

    explicit TBSpline(int AOrder = 4);

    // Order 4, then Assign(Src).
    static std::unique_ptr<TBSpline> CreateCopy(const TBSpline& Src);
    using TRPoints::Assign;
    // Control points and display attributes, then order, flags, counts, knots and range; the
    // basis values are not copied.
    void Assign(const TBSpline& Src);
    // Control points mapped by a 4 x 4 matrix with the curve data copied; display attributes are
    // not copied. None for a matrix that is not 4 x 4.
    std::unique_ptr<TBSpline> TransformedCopy(const TMatrix& M) const;

    // Clears ForcedBezier, then sets Order.
    void SetOrder(int k);
    // Open and Periodic curves rebuild their knots (ForcedBezier first makes Order the number
    // of control points); NonUniform and Custom knots stay as set.
    void MakeKnots();

    // Knot[i], 1-based; 0 for an entry never set.
    double Knot(int i) const { return FKnot.Get(i); }
    void SetKnot(int i, double Value) { FKnot.Set(i, Value); }
    // Basis value i (1-based, 1 .. number of control points) of the last ComputeBasis.
    double Basis(int i) const { return FValues.Function(i); }

    // The parameter range; NonUniform raises CurveRangeErrorText. Custom ranges lie 0.000001
    // inside MinT and MaxT.
    double TMin() const;
    double TMax() const;
    // TMax - TMin; overflow raises.
    double TRange() const;

    // Fills Basis(1 .. n) for parameter t (n = number of control points).
    void ComputeBasis(double t);
    // The curve point at t from the current knots (no MakeKnots); basis values <= 0 are skipped.
    std::unique_ptr<TRPoint> PointAt(double t);

    std::string KnotTypeName() const;
    // Raises CurveKnotTypeErrorText when S names no kind.
    void KnotTypeByString(std::string_view S);
    std::string KnotsToString() const;
    // Knot values are cut to six decimals in single precision.
    void KnotsFromString(std::string_view S);

    // The curve as Samples - 1 lines when its Order is 3 or more and it has at least Order
    // control points, otherwise the control polygon.
    void Draw(TGStream& Stream);

    std::string_view ClassName() const override { return "TBSpline"; }
    void SaveToText(TTextWriter& F) const override;
    void LoadFromText(TTextReader& F) override;
    // Samples points of the curve, or a copy of the control polygon when it cannot be evaluated.
    std::unique_ptr<TPolyline> GetPolyline() override;
    void DrawCurve(TGStream& Stream) override { Draw(Stream); }
    std::unique_ptr<TPolyline> TransformedCurveCopy(const TMatrix& M) const override;

protected:
    // The curve point with the given coordinate by bisection of the parameter range, assuming
    // the coordinate changes monotonically; none when the ends do not bracket it.
    std::unique_ptr<TRPoint> PointAtAxis(int Axis, double Value) override;

private:
    TKnotVector FKnot;
    TBasisValues FValues; // of the last ComputeBasis

    // Order, flags, counts, knots and range of Src.
    void AssignCurveData(const TBSpline& Src);
    bool Evaluable() const;
    double SampleParameter(int j) const;
};

// The open curve of the given order through the points (chord-length parameters, least squares
// on the normal equations); raises FitErrorText when the system is singular.
std::unique_ptr<TBSpline> FitBSpline(int Order, const TRPoints& Points);
