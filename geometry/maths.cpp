// Plane-geometry records and scalar functions of the kernel.
#include "geometry/maths.h"

#include "geometry/errors.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

// Natural logarithm that raises instead of returning -inf or NaN.
double Ln(double X) {
    if (X < 0.0 || std::isnan(X)) throw EMathError(InvalidOperationText);
    if (X == 0.0) throw EMathError(DivisionByZeroText);
    return std::log(X);
}

// Square root that raises for a negative argument.
double Sqrt(double X) {
    if (X < 0.0 || std::isnan(X)) throw EMathError(InvalidOperationText);
    return std::sqrt(X);
}

// Stores a double in single precision, raising when it does not fit.
float ToSingle(double X) {
    if (std::abs(X) > std::numeric_limits<float>::max()) throw EMathError(OverflowText);
    return static_cast<float>(X);
}

} // namespace

TPoint2D Point2D(double X, double Y) {
    return TPoint2D{X, Y};
}

TLine2D LineFromPoints(TPoint2D P1, TPoint2D P2) {
    TLine2D L;
    if (P2.X - P1.X == 0.0) {
        L.Vertical = true;
        L.XConst = P2.X;
        return L;
    }
    L.Slope = Divide(P2.Y - P1.Y, P2.X - P1.X);
    L.Intercept = Finite(P1.Y - P1.X * L.Slope);
    return L;
}

double LineY(const TLine2D& L, double X) {
    return Finite(L.Slope * X + L.Intercept);
}

double LineX(const TLine2D& L, double Y) {
    return Divide(Y - L.Intercept, L.Slope);
}

TPoint2D LinesMeet(const TLine2D& L1, const TLine2D& L2) {
    if (L1.Vertical && L2.Vertical) throw EGeometryError("GETLINESMEET: Lines are Parallel");
    if (L1.Vertical) return Point2D(L1.XConst, LineY(L2, L1.XConst));
    if (L2.Vertical) return Point2D(L2.XConst, LineY(L1, L2.XConst));
    const double k = Divide(1.0, L1.Slope - L2.Slope);
    return Point2D(Finite((L2.Intercept - L1.Intercept) * k),
                   Finite((L2.Intercept * L1.Slope - L1.Intercept * L2.Slope) * k));
}

bool LinesIntersect2D(double X1, double Y1, double X2, double Y2, double X3, double Y3, double X4,
                      double Y4, double& X, double& Y) {
    if (X2 - X1 == 0.0) {
        if (X4 - X3 == 0.0) return false;
        X = X1;
        Y = Finite(Y3 + Divide(X1 - X3, X4 - X3) * (Y4 - Y3));
        return true;
    }
    const double m1 = Divide(Y2 - Y1, X2 - X1);
    if (X4 - X3 == 0.0) {
        X = X3;
        Y = Finite(Y2 + Divide(X3 - X2, X1 - X2) * (Y1 - Y2));
        return true;
    }
    const double m2 = Divide(Y4 - Y3, X4 - X3);
    const double c1 = -(Y1 - X1 * m1);
    const double c2 = -(Y3 - X3 * m2);
    const double d = Divide(1.0, m2 - m1);
    X = Finite((c2 - c1) * d);
    Y = Finite((c2 * m1 - c1 * m2) * d);
    return true;
}

bool Between(double A, double B, double X) {
    return Min(A, B) <= X && X <= Max(A, B);
}

int Sign(double X) {
    return X > 0.0 ? 1 : (X < 0.0 ? -1 : 0);
}

double Max(double A, double B) {
    return A > B ? A : B;
}

double Min(double A, double B) {
    return A < B ? A : B;
}

double Power(double Base, double Exponent) {
    if (Exponent == 0.0) return 1.0;
    if (Base == 0.0) return 0.0;
    return Finite(std::exp(Exponent * Ln(Base)));
}

double LogBase(double X, double Base) {
    return Divide(Ln(X), Ln(Base));
}

double TruncDecimals(int Digits, float Value) {
    const float F = ToSingle(Power(10.0, Digits));
    // The product is formed in double: in single precision 0.333333 * 1e6 would round up to
    // 333333 and the cut would be lost.
    const float T = ToSingle(std::trunc(static_cast<double>(Value) * static_cast<double>(F)));
    return Divide(T, F);
}

double Tan(double X) {
    return Divide(std::sin(X), std::cos(X));
}

double Sinh(double X) {
    return Finite(std::sinh(X));
}

double Cosh(double X) {
    return Finite(std::cosh(X));
}

// The library forms avoid the spurious overflow and cancellation of the exponential formulas.
double Tanh(double X) {
    return std::tanh(X);
}

double ArcSinh(double X) {
    return std::asinh(X);
}

double ArcCosh(double X) {
    if (!(X >= 1.0)) throw EMathError(InvalidOperationText);
    return Finite(std::acosh(X));
}

double ArcTanh(double X) {
    if (std::abs(X) == 1.0) throw EMathError(DivisionByZeroText);
    if (!(std::abs(X) < 1.0)) throw EMathError(InvalidOperationText);
    return std::atanh(X);
}

double ArcTan2(double Y, double X) {
    if (X == 0.0) return Sign(Y) * std::numbers::pi / 2.0;
    if (X > 0.0) return std::atan(Y / X);
    if (Y > 0.0) return std::atan(Y / X) + std::numbers::pi;
    if (Y < 0.0) return std::atan(Y / X) - std::numbers::pi;
    return std::numbers::pi;
}

double Hypot(double A, double B) {
    return Finite(std::hypot(A, B));
}

double ArcSin(double X) {
    const int s = Sign(X);
    const double a = std::abs(X);
    if (a == 1.0) return s * std::numbers::pi / 2.0;
    return s * std::atan(a / Sqrt(1.0 - a * a));
}

double ArcCos(double X) {
    constexpr double Slack = 1e-7;
    if (!(std::abs(X) < 1.0 + Slack)) throw EMathError(InvalidOperationText);
    return std::acos(std::clamp(X, -1.0, 1.0));
}

int32_t TruncToInt(float Value) {
    constexpr double Low = std::numeric_limits<int32_t>::min();
    constexpr double High = std::numeric_limits<int32_t>::max();
    const double t = std::trunc(static_cast<double>(Value));
    if (!(t >= Low && t <= High)) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(t);
}
