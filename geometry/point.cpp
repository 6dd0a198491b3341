// Operations on single points: measuring, comparing, interpolating, crossing, mapping.
#include "geometry/point.h"

#include "geometry/errors.h"
#include "geometry/maths.h"
#include "geometry/matrix.h"

#include <cmath>

std::unique_ptr<TRPoint> TRPoint::CreateXYZ(double AX, double AY, double AZ) {
    return std::make_unique<TRPoint>(AX, AY, AZ);
}

std::unique_ptr<TRPoint> TRPoint::CreateCopy(const TRPoint& P) {
    return std::make_unique<TRPoint>(P);
}

void TRPoint::Assign(const TRPoint& P) {
    *this = P;
}

void TRPoint::SetXYZ(double AX, double AY, double AZ) {
    X = AX;
    Y = AY;
    Z = AZ;
}

double TRPoint::Coord(int Axis) const {
    switch (Axis) {
    case 0:
        return X;
    case 1:
        return Y;
    case 2:
        return Z;
    case 3:
        return W;
    default:
        return 0.0;
    }
}

void InitExtents(TExtents& E) {
    E = TExtents{};
}

void IncludeInExtents(TExtents& E, const TRPoint& P) {
    if (E.MaxX < P.X) E.MaxX = P.X;
    if (E.MaxY < P.Y) E.MaxY = P.Y;
    if (E.MaxZ < P.Z) E.MaxZ = P.Z;
    if (E.MinX > P.X) E.MinX = P.X;
    if (E.MinY > P.Y) E.MinY = P.Y;
    if (E.MinZ > P.Z) E.MinZ = P.Z;
}

double Distance(const TRPoint& P, const TRPoint& Q) {
    const double DX = P.X - Q.X, DY = P.Y - Q.Y, DZ = P.Z - Q.Z;
    return std::sqrt(DX * DX + DY * DY + DZ * DZ);
}

double Dot(const TRPoint& P, const TRPoint& Q) {
    return P.X * Q.X + P.Y * Q.Y + P.Z * Q.Z;
}

bool SamePoint(const TRPoint& P, const TRPoint& Q) {
    return std::fabs(P.X - Q.X) < PointTolerance && std::fabs(P.Y - Q.Y) < PointTolerance &&
           std::fabs(P.Z - Q.Z) < PointTolerance;
}

int ComparePoints(const TRPoint& P, const TRPoint& Q) {
    // Sorting the segments of a lines plan calls this millions of times: fields, not Coord.
    for (const auto C : {&TRPoint::X, &TRPoint::Y, &TRPoint::Z})
        if (std::fabs(P.*C - Q.*C) >= PointTolerance) return P.*C > Q.*C ? 1 : -1;
    return 0;
}

std::unique_ptr<TRPoint> TransformPoint(const TRPoint& P, const TMatrix& M) {
    if (M.Rows() != 4 || M.Cols() != 4) return nullptr;
    auto Row = [&](int r) {
        return M.Get(r, 1) * P.X + M.Get(r, 2) * P.Y + M.Get(r, 3) * P.Z + M.Get(r, 4);
    };
    auto Result = std::make_unique<TRPoint>(Row(1), Row(2), Row(3));
    Result->W = P.W;
    return Result;
}

std::unique_ptr<TRPoint> PointBetween(const TRPoint& P, const TRPoint& Q, double T) {
    return std::make_unique<TRPoint>(P.X + T * (Q.X - P.X), P.Y + T * (Q.Y - P.Y),
                                     P.Z + T * (Q.Z - P.Z));
}

std::unique_ptr<TRPoint> PointWithCoord(const TRPoint& P1, const TRPoint& P2, int Axis,
                                        double Value) {
    const double A = P1.Coord(Axis);
    auto R = PointBetween(P1, P2, Divide(Value - A, P2.Coord(Axis) - A));
    // The asked coordinate stands as given, free of the rounding in the fraction.
    (Axis == 0 ? R->X : Axis == 1 ? R->Y : R->Z) = Value;
    return R;
}

std::unique_ptr<TRPoint> InterpolatePoint(const TRPoint& P1, const TRPoint& P2, int Axis,
                                          double Value) {
    if (Axis < 0 || Axis > 2) return nullptr;
    const double A = P1.Coord(Axis), B = P2.Coord(Axis);
    if (!Between(A, B, Value) || A == B)
        throw EGeometryError("Interpolation of TRPoints out of Range");
    return PointWithCoord(P1, P2, Axis, Value);
}

std::unique_ptr<TRPoint> IntersectSegments2D(const TRPoint& P1, const TRPoint& P2,
                                             const TRPoint& P3, const TRPoint& P4) {
    double X = 0.0, Y = 0.0;
    if (!LinesIntersect2D(P1.X, P1.Y, P2.X, P2.Y, P3.X, P3.Y, P4.X, P4.Y, X, Y)) return nullptr;
    const double T = P1.X == P2.X ? Divide(Y - P2.Y, P1.Y - P2.Y) : Divide(X - P2.X, P1.X - P2.X);
    return std::make_unique<TRPoint>(X, Y, Finite(P2.Z + T * (P1.Z - P2.Z)));
}
