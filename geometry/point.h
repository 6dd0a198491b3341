// The one 3-D point of the kernel and the operations on single points: distance, tolerant
// equality and ordering, interpolation along an axis, segment crossing, mapping, extents.
#pragma once

#include <memory>

class TMatrix;

// Two points are the same when every coordinate differs by less than this.
inline constexpr double PointTolerance = 0.0001;

class TRPoint {
public:
    double X = 0.0;
    double Y = 0.0;
    double Z = 0.0;
    double W = 1.0; // weight: carried along by copies, never used in arithmetic

    TRPoint() = default;
    TRPoint(double AX, double AY, double AZ) : X(AX), Y(AY), Z(AZ) {}

    static std::unique_ptr<TRPoint> CreateXYZ(double AX, double AY, double AZ);
    static std::unique_ptr<TRPoint> CreateCopy(const TRPoint& P);
    void Assign(const TRPoint& P);
    void SetXYZ(double AX, double AY, double AZ);
    // Axis 0 X, 1 Y, 2 Z, 3 W; any other axis 0.
    double Coord(int Axis) const;
};

struct TExtents {
    double MaxX = -1e33;
    double MaxY = -1e33;
    double MaxZ = -1e33;
    double MinX = 1e33;
    double MinY = 1e33;
    double MinZ = 1e33;
};

void InitExtents(TExtents& E);
void IncludeInExtents(TExtents& E, const TRPoint& P);

double Distance(const TRPoint& P, const TRPoint& Q);
double Dot(const TRPoint& P, const TRPoint& Q);
bool SamePoint(const TRPoint& P, const TRPoint& Q);
// -1, 0 or 1 ordering by X, then Y, then Z, each within PointTolerance.
int ComparePoints(const TRPoint& P, const TRPoint& Q);
// P mapped by the upper three rows of a 4 x 4 matrix; none for any other size.
std::unique_ptr<TRPoint> TransformPoint(const TRPoint& P, const TMatrix& M);
// P + T (Q - P) on X, Y and Z.
std::unique_ptr<TRPoint> PointBetween(const TRPoint& P, const TRPoint& Q, double T);
// The point of the line through P1 and P2 whose coordinate on Axis (0..2) is exactly Value; a
// line of no extent on that axis raises the arithmetic error of 0/0 or x/0.
std::unique_ptr<TRPoint> PointWithCoord(const TRPoint& P1, const TRPoint& P2, int Axis,
                                        double Value);
// The point of segment P1-P2 whose coordinate on Axis (0..2) is Value; none for another axis.
// Raises "Interpolation of TRPoints out of Range" when Value lies outside the segment's range
// or the segment has no extent on that axis.
std::unique_ptr<TRPoint> InterpolatePoint(const TRPoint& P1, const TRPoint& P2, int Axis,
                                          double Value);
// Where lines P1P2 and P3P4 cross seen along Z, with the height taken on P1P2. None when both
// lines are vertical; parallel lines raise "Division by zero".
std::unique_ptr<TRPoint> IntersectSegments2D(const TRPoint& P1, const TRPoint& P2,
                                             const TRPoint& P3, const TRPoint& P4);
