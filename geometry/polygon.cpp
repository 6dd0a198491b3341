// Faces of three or four corners, their text line, and the lists that hold them.
#include "geometry/polygon.h"

#include "geometry/listindex.h"
#include "geometry/records.h"

#include <algorithm>
#include <string>

TPolygon::TPolygon(std::uint8_t Kind) : FKind(Kind) {
    if (FKind == 1) FP4 = std::make_unique<TRPoint>();
}

std::unique_ptr<TPolygon> TPolygon::CreateCopy(const TPolygon& Src) {
    auto Result = std::make_unique<TPolygon>(Src.Kind());
    Result->Assign(Src);
    return Result;
}

void TPolygon::Assign(const TPolygon& Src) {
    FKind = Src.FKind;
    P1 = Src.P1;
    P2 = Src.P2;
    P3 = Src.P3;
    if (FKind == 1) {
        if (!FP4) FP4 = std::make_unique<TRPoint>();
        *FP4 = *Src.FP4;
    } else {
        FP4.reset();
    }
    FillColor = Src.FillColor;
    LineColor = Src.LineColor;
}

double TPolygon::CornerValue(int Axis, int Mode) const {
    const bool Four = FKind == 1;
    const double V1 = P1.Coord(Axis), V2 = P2.Coord(Axis), V3 = P3.Coord(Axis);
    const double V4 = Four ? FP4->Coord(Axis) : V3;
    switch (Mode) {
    case 0:
        return std::max({V1, V2, V3, V4});
    case 1:
        return std::min({V1, V2, V3, V4});
    case 2:
        return Four ? (V1 + V2 + V3 + V4) / 4.0 : (V1 + V2 + V3) / 3.0;
    default:
        return 0.0;
    }
}

// CornerValue's largest and smallest per axis, read from the fields: the contour builder asks
// this of every triangle.
void TPolygon::PolygonExtents(TExtents& E) const {
    const TRPoint& Fourth = FKind == 1 ? *FP4 : P3;
    E.MaxX = std::max({P1.X, P2.X, P3.X, Fourth.X});
    E.MaxY = std::max({P1.Y, P2.Y, P3.Y, Fourth.Y});
    E.MaxZ = std::max({P1.Z, P2.Z, P3.Z, Fourth.Z});
    E.MinX = std::min({P1.X, P2.X, P3.X, Fourth.X});
    E.MinY = std::min({P1.Y, P2.Y, P3.Y, Fourth.Y});
    E.MinZ = std::min({P1.Z, P2.Z, P3.Z, Fourth.Z});
}

void TPolygon::WriteToText(TTextWriter& F) const {
    if (FKind > 1) return;
    std::string Text = FKind == 1 ? "4" : "3";
    auto AddCorner = [&Text](const TRPoint& P) {
        for (int Axis = 0; Axis < 3; ++Axis) Text += " " + FixedText(P.Coord(Axis), 3);
    };
    AddCorner(P1);
    AddCorner(P2);
    AddCorner(P3);
    if (FKind == 1) AddCorner(*FP4);
    F.Line(Text);
}

TPolygon& TPolygons::Polygon(int i) const {
    CheckListIndex(i, Items.size());
    return *Items[static_cast<std::size_t>(i)];
}

void TPolygonList::Add(std::unique_ptr<TPolygon> P) {
    if (!P) return;
    TPolygons::Add(*P);
    Owned.push_back(std::move(P));
}

void TPolygonList::Clear() {
    TPolygons::Clear();
    Owned.clear();
}

void TPolygonList::SaveToText(TTextWriter& F) const {
    F.Key("NumberofPolygons", Count());
    for (int i = 0; i < Count(); ++i) Polygon(i).WriteToText(F);
}
