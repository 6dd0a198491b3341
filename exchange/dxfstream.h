// TDxfStream: a drawing target that keeps what it receives as the entities of an ASCII DXF file
// of release 12, the one every CAD program reads: lines and open 2-D polylines in the sheet's
// coordinates, circles and texts, each on the layer set before it; and, on request, 3-D polylines
// in model coordinates.
#pragma once

#include "display/paperstyle.h"

#include <ostream>
#include <string>
#include <vector>

class TDxfStream : public TPaperStream {
public:
    // A sheet SheetHeight high, whose y runs downwards from its top edge as a device's does; the
    // file's y runs upwards from the bottom edge.
    explicit TDxfStream(double SheetHeight);

    // The layer of the entities that follow ("0" until set). A layer takes the colour of the
    // first entity drawn on it; entities of another colour carry their own.
    void SetLayer(const std::string& Name) override;
    // The sheet from now on goes to paper space (a 3-D model fills model space).
    void SetSheetInPaperSpace(bool OnPaper) { FPaperSpace = OnPaper; }

    // Screen colours are turned to the nearest colour of the DXF palette as they print on
    // paper. A pen style other than solid becomes a line type; DXF of this release has no line
    // weights (the widths of its polylines draw spikes where a line seen edge on turns back).
    // Texts keep height, anchor and angle; DXF has no bold text.

    void Line(double X1, double Y1, double Z1, double X2, double Y2, double Z2) override;
    void Circle(double X, double Y, double Z, double Radius) override;
    // A polyline through the points, closed when the list is Filled.
    void DrawPoints(const TRPoints& Points) override;
    // Its outline as a closed polyline.
    void DrawPolygon(const TPolygon& Polygon) override;
    // S anchored at the point as the text style says, its capitals as high as a font of the
    // style's size has them.
    void Text(const std::string& S, double X, double Y, double Z) override;
    double TextHeight(const std::string& S) override;
    double TextWidth(const std::string& S) override;

    // The points as a 3-D polyline in model space, in model coordinates, on Layer.
    void AddPolyline3D(const TRPoints& Points, const std::string& Layer);

    // The whole file.
    void Write(std::ostream& Out) const;
    std::string Document() const;

private:
    struct TLayer {
        std::string Name;
        int Color = 0; // its palette index; 0 until the first entity sets it
    };

    double FHeight;
    bool FPaperSpace = false;
    std::vector<TLayer> FLayers{{"0", 7}};
    std::size_t FLayer = 0;
    std::vector<TLineStyle> FLineTypes; // styles used, other than solid
    TColor FPaletteColor = clNone;      // the colour last looked up in the palette, and its index
    int FPaletteIndex = 0;
    std::string FEntities;
    // The extents of what each space holds.
    struct TBox {
        double Min[3] = {}, Max[3] = {};
        bool Empty = true;
        void Include(double X, double Y, double Z);
    } FModelBox, FPaperBox;

    // Group code and value lines.
    void Group(int Code, const std::string& Value);
    void Number(int Code, double Value);
    // An entity's head: its kind, layer, colour where it differs from the layer's, line type
    // and space.
    void Entity(const char* Kind, std::size_t Layer, TColor Color, bool Sheet);
    // Sheet point (X, Y) as codes 10 + Offset, 20 + Offset, 30 + Offset, turned upright.
    void SheetPoint(int Offset, double X, double Y);
    std::size_t LayerIndex(const std::string& Name);
    void Polyline(const TRPoints& Points, bool ThreeD, std::size_t Layer);
};
