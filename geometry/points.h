// The owning point list with the display attributes every drawn point list carries.
#pragma once

#include "geometry/color.h"
#include "geometry/point.h"

#include <memory>
#include <vector>

class TRPoints {
public:
    bool UseColors = false; // draw with this list's own colours
    bool Filled = false;    // draw as a filled closed polygon instead of an open line
    TColor FillColor = 0;
    TColor LineColor = 0;

    TRPoints() = default;
    TRPoints(const TRPoints&) = delete;
    TRPoints& operator=(const TRPoints&) = delete;
    // Moving hands the contents over whole (a model taking over a loaded state).
    TRPoints(TRPoints&&) = default;
    TRPoints& operator=(TRPoints&&) = default;
    virtual ~TRPoints() = default;

    static std::unique_ptr<TRPoints> CreateCopy(const TRPoints& Src);
    // Copies of Src's points replace this list's, then the display attributes are copied.
    void Assign(const TRPoints& Src);

    virtual void Clear();
    // The stored point at 0-based index i; the list's index error outside 0 .. Count - 1.
    // Polylines override it to grow the list instead.
    virtual TRPoint& Point(int i);
    // The stored point at index i without growing, for reading.
    const TRPoint& At(int i) const;

    int Count() const { return static_cast<int>(Items.size()); }
    // The first / last stored point; the list's index error when empty (never grows).
    TRPoint& First();
    TRPoint& Last();
    const TRPoint& First() const;
    const TRPoint& Last() const;
    // Appends P (the list owns it) and returns its index; a missing P is ignored (-1).
    int Add(std::unique_ptr<TRPoint> P);
    // Inserts P before index i (Count appends); a missing P is ignored.
    void Insert(int i, std::unique_ptr<TRPoint> P);
    // Frees point i.
    void Delete(int i);
    // Takes point i out of the list and hands it to the caller.
    std::unique_ptr<TRPoint> Extract(int i);
    // Frees P when the list holds it; returns its former index or -1.
    int Remove(const TRPoint* P);
    void Exchange(int i, int j);

protected:
    // Copies UseColors, Filled, FillColor and LineColor.
    void AssignAttributes(const TRPoints& Src);

private:
    std::vector<std::unique_ptr<TRPoint>> Items;

    TRPoint& Item(int i) const;
};
