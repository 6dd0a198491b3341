// The contour set: the cutting-plane positions of the lines plan, one list per axis.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// One cutting plane: Axis 0 is a plane of constant X, 1 of constant Y, 2 of constant Z.
class TContour {
public:
    std::uint8_t Axis = 0;
    double Position = 0.0;
};

class TContourList {
public:
    TContourList() = default;
    TContourList(const TContourList&) = delete;
    TContourList& operator=(const TContourList&) = delete;

    int Count() const { return static_cast<int>(Items.size()); }
    // The stored contour; the list's index error outside 0 .. Count - 1.
    TContour& Contour(int i) const;
    // Appends C (the list owns it) and returns its index.
    int Add(std::unique_ptr<TContour> C);
    void Clear() { Items.clear(); }
    // The planes' positions in list order.
    std::vector<double> Positions() const;

private:
    std::vector<std::unique_ptr<TContour>> Items;
};

class TContours {
public:
    TContours() = default;
    TContours(const TContours&) = delete;
    TContours& operator=(const TContours&) = delete;

    // Appends a plane to the list of its axis (0, 1 or 2) and returns its index there.
    int Add(std::uint8_t Axis, double Position);

    TContour& XContour(int Index) const { return FX.Contour(Index); }
    TContour& YContour(int Index) const { return FY.Contour(Index); }
    TContour& ZContour(int Index) const { return FZ.Contour(Index); }
    int NumXContours() const { return FX.Count(); }
    int NumYContours() const { return FY.Count(); }
    int NumZContours() const { return FZ.Count(); }

    // The list of one axis (0, 1 or 2).
    const TContourList& List(int Axis) const;

    void ClearX() { FX.Clear(); }
    void ClearY() { FY.Clear(); }
    void ClearZ() { FZ.Clear(); }
    void Clear();

private:
    TContourList FX, FY, FZ;

    TContourList& List(int Axis);
};

// The planes of a usual lines plan of a hull Lbp long, Beam wide and Depth deep, for the axis
// (0 stations, 1 buttocks, 2 waterlines): 21 stations from the aft to the fore perpendicular, 4
// buttocks and 9 waterlines evenly inside half-breadth and depth.
std::vector<double> UsualPlanes(int Axis, double Lbp, double Beam, double Depth);
