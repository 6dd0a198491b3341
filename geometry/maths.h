// Plane-geometry records (2-D point, straight line) and the scalar functions of the kernel.
// Every arithmetic fault raises an EMathError instead of yielding inf or NaN.
#pragma once

#include <cstdint>

struct TPoint2D {
    double X = 0, Y = 0;
};

// A straight line in the X-Y plane, y = Slope * x + Intercept, or x = XConst when Vertical.
struct TLine2D {
    double Slope = 0, Intercept = 0;
    bool Vertical = false;
    double XConst = 0;
};

TPoint2D Point2D(double X, double Y);
TLine2D LineFromPoints(TPoint2D P1, TPoint2D P2);
// Neither looks at Vertical: callers use them on non-vertical lines only.
double LineY(const TLine2D& L, double X);
double LineX(const TLine2D& L, double Y);
// Meeting point of two lines; two vertical lines raise EGeometryError, equal slopes EMathError.
TPoint2D LinesMeet(const TLine2D& L1, const TLine2D& L2);
// Crossing of the infinite line through (X1,Y1),(X2,Y2) with the one through (X3,Y3),(X4,Y4).
// Returns false (X and Y untouched) when both lines are vertical; other parallels raise EMathError.
bool LinesIntersect2D(double X1, double Y1, double X2, double Y2, double X3, double Y3, double X4,
                      double Y4, double& X, double& Y);

// X lies in the closed interval spanned by A and B, in either order, without tolerance.
bool Between(double A, double B, double X);

int Sign(double X);
double Max(double A, double B);
double Min(double A, double B);
// 1 when Exponent = 0, else 0 when Base = 0; a negative Base raises EMathError.
double Power(double Base, double Exponent);
double LogBase(double X, double Base);
// Value cut (not rounded) to Digits decimals, in single precision: 0.333333 gives 0.333332.
double TruncDecimals(int Digits, float Value);
double Tan(double X);
double Sinh(double X);
double Cosh(double X);
double Tanh(double X);
double ArcSinh(double X);
double ArcCosh(double X);
double ArcTanh(double X);
// Angle of the vector (X, Y) in (-pi, pi]; 0 for the zero vector.
double ArcTan2(double Y, double X);
double Hypot(double A, double B);
double ArcSin(double X);
// True arc cosine in 0..pi; inputs up to 1e-7 beyond +-1 are taken as +-1.
double ArcCos(double X);
// Truncation toward zero; a value outside the 32-bit range (or NaN) yields INT32_MIN.
int32_t TruncToInt(float Value);
