// The ordered 3-D point chain: editing, measuring, its text record, drawing, and the
// resampling, clipping and crossing algorithms built on it.
#pragma once

#include "geometry/points.h"

#include <memory>
#include <string>
#include <string_view>

class TGStream;
class TMatrix;
class TTextReader;
class TTextWriter;

class TPolyline : public TRPoints {
public:
    TPolyline() = default;

    // A plain polyline with copies of Src's points and display attributes; XPosition stays 0.
    static std::unique_ptr<TPolyline> CreateCopy(const TRPoints& Src);

    // Grows the list: asking beyond the end appends points (0, 0, 0) up to index i.
    TRPoint& Point(int i) override;

    // The name written in "[...]" header lines; a curve subclass answers its own.
    virtual std::string_view ClassName() const { return "TPolyline"; }
    virtual void SaveToText(TTextWriter& F) const;
    // Overwrites the first NumPoints points in place; points beyond them stay.
    virtual void LoadFromText(TTextReader& F);
    // The point with the given coordinate (PointAtAxis on axis 0, 1 or 2), or none.
    std::unique_ptr<TRPoint> PointAtX(double X) { return PointAtAxis(0, X); }
    std::unique_ptr<TRPoint> PointAtY(double Y) { return PointAtAxis(1, Y); }
    std::unique_ptr<TRPoint> PointAtZ(double Z) { return PointAtAxis(2, Z); }
    // The plain polyline this object stands for: here a copy, for a curve its samples.
    virtual std::unique_ptr<TPolyline> GetPolyline();

    // Hooks of curve-aware lists: a curve draws and maps itself as a curve, a polyline as
    // its point chain.
    virtual void DrawCurve(TGStream& Stream) { Draw(Stream); }
    virtual std::unique_ptr<TPolyline> TransformedCurveCopy(const TMatrix& M) const {
        return TransformedCopy(M);
    }

    void AddPoint(double X, double Y, double Z);
    void InsertPoint(int i, double X, double Y, double Z);
    // Appends a copy of P; a missing P is ignored.
    void AddCopy(const TRPoint* P);
    // Appends P itself; the polyline takes ownership.
    void AddRef(std::unique_ptr<TRPoint> P);
    void AddPoints(const TRPoints& Src);
    void Reverse();
    // The points mapped by a 4 x 4 matrix, display attributes copied; none for another size.
    std::unique_ptr<TPolyline> TransformedCopy(const TMatrix& M) const;

    // The stored XPosition of an empty polyline, otherwise the X of its last point.
    double GetXPosition() const;
    void SetXPosition(double Value);
    bool GetClosed() const;
    void SetClosed(bool Value);
    double Length() const;
    TExtents Extents() const;
    void SortByAxis(int Axis);
    // Drops every point exactly equal to the point before it.
    void RemoveDuplicates();
    void TruncateTo3Decimals();
    // New start at point Count div 2 - 1 (Count div 4 - 1); point s stands first and last.
    void StartAtMiddle();
    void StartAtQuarter();

    // The whole list in one DrawPoints call when it carries colours or is filled, else one
    // Line per segment.
    void Draw(TGStream& Stream) const;
    // "[" + ClassName() + "]", then the record; raises EIOError when the file cannot be written.
    void SaveToFile(const std::string& FileName) const;

protected:
    // The point of the chain whose coordinate Axis (0 X, 1 Y, 2 Z) is Value, or none; a curve
    // searches its own points.
    virtual std::unique_ptr<TRPoint> PointAtAxis(int Axis, double Value);

private:
    double XPosition = 0.0;

    void StartAt(int Middle);
    void QuickSort(int Axis, int Lo, int Hi);
};

// Replaces the points by max(N, 2) points spread evenly by arc length. A sample on an inner
// vertex is produced by both segments that meet there.
void Resample(TPolyline& Polyline, int N);
// The part of Source below (Side 0) or above (Side 1) Level; none when fewer than two points
// remain or Side is neither.
std::unique_ptr<TPolyline> ClipPolylineAtZ(const TPolyline& Source, int Side, bool KeepClosed,
                                           double Level);
// Crossings of A and B seen in view plane Plane (0 XY, 1 YZ, 2 XZ), in the order of A's
// segments, then B's; depth interpolated along A.
std::unique_ptr<TPolyline> IntersectPolylines(TPolyline& A, TPolyline& B, int Plane);
// World to plane coordinates: plane 0 (X, Y, Z), 1 (Y, Z, X), 2 (X, Z, Y).
std::unique_ptr<TMatrix> PlaneMatrix(int Plane);
std::unique_ptr<TMatrix> PlaneInverseMatrix(int Plane);
std::unique_ptr<TPolyline> TransformToPlane(TPolyline& P, int Plane);
std::unique_ptr<TPolyline> TransformFromPlane(const TPolyline& P, int Plane);
