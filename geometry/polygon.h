// Faces of three or four corners with fill and outline colour, and the lists that hold them.
#pragma once

#include "geometry/color.h"
#include "geometry/point.h"

#include <cstdint>
#include <memory>
#include <vector>

class TTextWriter;

class TPolygon {
public:
    TRPoint P1, P2, P3;
    TColor FillColor = clNone;
    TColor LineColor = clWhite;

    // Kind 0: three corners, 1: four corners.
    explicit TPolygon(std::uint8_t Kind);
    static std::unique_ptr<TPolygon> CreateCopy(const TPolygon& Src);
    void Assign(const TPolygon& Src);

    std::uint8_t Kind() const { return FKind; }
    // The fourth corner; null unless Kind is 1.
    TRPoint* P4() { return FP4.get(); }
    const TRPoint* P4() const { return FP4.get(); }

    // Axis 0 X, 1 Y, 2 Z; Mode 0 the largest corner coordinate, 1 the smallest, 2 the mean.
    double CornerValue(int Axis, int Mode) const;
    void PolygonExtents(TExtents& E) const;
    // One line: "3 " or "4 " and the corner coordinates with three decimals.
    void WriteToText(TTextWriter& F) const;

private:
    std::uint8_t FKind;
    std::unique_ptr<TRPoint> FP4;
};

// A plain list of faces that does not own them.
class TPolygons {
public:
    TPolygons() = default;
    TPolygons(const TPolygons&) = delete;
    TPolygons& operator=(const TPolygons&) = delete;
    virtual ~TPolygons() = default;

    int Count() const { return static_cast<int>(Items.size()); }
    TPolygon& Polygon(int i) const;
    void Add(TPolygon& P) { Items.push_back(&P); }
    virtual void Clear() { Items.clear(); }

private:
    std::vector<TPolygon*> Items;
};

// A list of faces that owns them.
class TPolygonList : public TPolygons {
public:
    void Add(std::unique_ptr<TPolygon> P);
    void Clear() override;
    // "NumberofPolygons=" and the line of every face.
    void SaveToText(TTextWriter& F) const;

private:
    std::vector<std::unique_ptr<TPolygon>> Owned;
};
