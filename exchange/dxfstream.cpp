// The DXF R12 writer: HEADER (release, extents), TABLES (line type, layers, text style) and the
// ENTITIES kept as they were drawn; numbers with "." whatever the locale.
#include "exchange/dxfstream.h"

#include "geometry/errors.h"
#include "geometry/points.h"
#include "geometry/polygon.h"
#include "geometry/records.h"
#include "geometry/safefile.h"

#include <algorithm>

namespace {

// AutoCAD colour indices by layer name; other layers draw in the foreground colour (7).
int LayerColor(const std::string& Name) {
    const std::pair<const char*, int> Colors[] = {
        {"STATIONS", 1},    {"WATERLINES", 5},    {"BUTTOCKS", 3},   {"OUTLINE", 7},
        {"STATIONS-3D", 1}, {"WATERLINES-3D", 5}, {"BUTTOCKS-3D", 3}};
    for (const auto& [Layer, Color] : Colors)
        if (Name == Layer) return Color;
    return 7;
}

class TGroups {
public:
    void operator()(int Code, const std::string& Value) {
        Text += std::to_string(Code) + "\n" + Value + "\n";
    }
    std::string Text;
};

// Average width of a character in the plain text font, relative to its height.
constexpr double CharacterWidth = 0.6;

} // namespace

TDxfStream::TDxfStream(double SheetHeight) : FHeight(SheetHeight) {}

void TDxfStream::SetLayer(const std::string& Name) {
    FLayer = Name.empty() ? "0" : Name;
    if (std::find(FLayers.begin(), FLayers.end(), FLayer) == FLayers.end())
        FLayers.push_back(FLayer);
}

void TDxfStream::Group(int Code, const std::string& Value) {
    FEntities += std::to_string(Code) + "\n" + Value + "\n";
}

void TDxfStream::Number(int Code, double Value) {
    Group(Code, GeneralText(Value));
}

void TDxfStream::Entity(const char* Kind, const std::string& Layer, bool Sheet) {
    Group(0, Kind);
    Group(8, Layer);
    if (Sheet && FPaperSpace) Group(67, "1");
}

void TDxfStream::Include(double X, double Y) {
    if (FEmpty) {
        FMinX = FMaxX = X;
        FMinY = FMaxY = Y;
        FEmpty = false;
    }
    FMinX = std::min(FMinX, X);
    FMaxX = std::max(FMaxX, X);
    FMinY = std::min(FMinY, Y);
    FMaxY = std::max(FMaxY, Y);
}

void TDxfStream::SheetPoint(int Offset, double X, double Y) {
    Include(X, FHeight - Y);
    Number(10 + Offset, X);
    Number(20 + Offset, FHeight - Y);
    Number(30 + Offset, 0);
}

void TDxfStream::Line(double X1, double Y1, double, double X2, double Y2, double) {
    Entity("LINE", FLayer, true);
    SheetPoint(0, X1, Y1);
    SheetPoint(1, X2, Y2);
}

void TDxfStream::Circle(double X, double Y, double, double Radius) {
    Entity("CIRCLE", FLayer, true);
    SheetPoint(0, X, Y);
    Number(40, Radius);
}

void TDxfStream::Polyline(const TRPoints& Points, bool ThreeD, const std::string& Layer) {
    if (Points.Count() < 2) return;
    Entity("POLYLINE", Layer, !ThreeD);
    Group(66, "1");
    Number(10, 0);
    Number(20, 0);
    Number(30, 0);
    // Flags: 1 closed, 8 a 3-D polyline.
    Group(70, std::to_string((Points.Filled ? 1 : 0) + (ThreeD ? 8 : 0)));
    for (int i = 0; i < Points.Count(); ++i) {
        const TRPoint& P = Points.At(i);
        Entity("VERTEX", Layer, !ThreeD);
        if (ThreeD) {
            Number(10, P.X);
            Number(20, P.Y);
            Number(30, P.Z);
            Group(70, "32");
        } else {
            SheetPoint(0, P.X, P.Y);
        }
    }
    Entity("SEQEND", Layer, !ThreeD);
}

void TDxfStream::DrawPoints(const TRPoints& Points) {
    Polyline(Points, false, FLayer);
}

void TDxfStream::DrawPolygon(const TPolygon& Polygon) {
    TRPoints Corners;
    for (const TRPoint* P : {&Polygon.P1, &Polygon.P2, &Polygon.P3, Polygon.P4()})
        if (P) Corners.Add(TRPoint::CreateCopy(*P));
    Corners.Filled = true;
    Polyline(Corners, false, FLayer);
}

void TDxfStream::Text(const std::string& S, double X, double Y, double) {
    Entity("TEXT", FLayer, true);
    // The insertion point is the text's bottom-left corner.
    SheetPoint(0, X, Y + FTextHeight);
    Number(40, FTextHeight);
    Group(1, S);
}

double TDxfStream::TextHeight(const std::string&) {
    return FTextHeight;
}

double TDxfStream::TextWidth(const std::string& S) {
    return CharacterWidth * FTextHeight * static_cast<double>(S.size());
}

void TDxfStream::AddPolyline3D(const TRPoints& Points, const std::string& Layer) {
    SetLayer(Layer);
    Polyline(Points, true, Layer);
}

std::string TDxfStream::Document() const {
    TGroups G;
    G(0, "SECTION");
    G(2, "HEADER");
    G(9, "$ACADVER");
    G(1, "AC1009");
    G(9, "$INSBASE");
    for (const int Code : {10, 20, 30}) G(Code, "0");
    G(9, "$EXTMIN");
    G(10, GeneralText(FMinX));
    G(20, GeneralText(FMinY));
    G(30, "0");
    G(9, "$EXTMAX");
    G(10, GeneralText(FMaxX));
    G(20, GeneralText(FMaxY));
    G(30, "0");
    G(0, "ENDSEC");

    G(0, "SECTION");
    G(2, "TABLES");
    G(0, "TABLE");
    G(2, "LTYPE");
    G(70, "1");
    G(0, "LTYPE");
    G(2, "CONTINUOUS");
    G(70, "0");
    G(3, "Solid line");
    G(72, "65");
    G(73, "0");
    G(40, "0");
    G(0, "ENDTAB");
    G(0, "TABLE");
    G(2, "LAYER");
    G(70, std::to_string(FLayers.size()));
    for (const std::string& Layer : FLayers) {
        G(0, "LAYER");
        G(2, Layer);
        G(70, "0");
        G(62, std::to_string(LayerColor(Layer)));
        G(6, "CONTINUOUS");
    }
    G(0, "ENDTAB");
    G(0, "TABLE");
    G(2, "STYLE");
    G(70, "1");
    G(0, "STYLE");
    G(2, "STANDARD");
    G(70, "0");
    G(40, "0");
    G(41, "1");
    G(50, "0");
    G(71, "0");
    G(42, "2.5");
    G(3, "txt");
    G(4, "");
    G(0, "ENDTAB");
    G(0, "ENDSEC");

    G(0, "SECTION");
    G(2, "ENTITIES");
    G.Text += FEntities;
    G(0, "ENDSEC");
    G(0, "EOF");
    return G.Text;
}

void TDxfStream::SaveToFile(const std::string& FileName) const {
    TSafeFile File(FileName);
    File.Stream() << Document();
    File.Commit();
}
