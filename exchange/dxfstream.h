// TDxfStream: a drawing target that keeps what it receives as the entities of an ASCII DXF file
// of release 12, the one every CAD program reads: lines and open 2-D polylines in the sheet's
// coordinates, circles and texts, each on the layer set before it; and, on request, 3-D polylines
// in model coordinates.
#pragma once

#include "geometry/gstream.h"

#include <string>
#include <vector>

class TDxfStream : public TGStream {
public:
    // A sheet SheetHeight high, whose y runs downwards from its top edge as a device's does; the
    // file's y runs upwards from the bottom edge.
    explicit TDxfStream(double SheetHeight);

    // The layer of the entities that follow ("0" until set); each layer gets its own colour.
    void SetLayer(const std::string& Name);
    // The sheet from now on goes to paper space (a 3-D model fills model space).
    void SetSheetInPaperSpace(bool OnPaper) { FPaperSpace = OnPaper; }

    void Line(double X1, double Y1, double Z1, double X2, double Y2, double Z2) override;
    void Circle(double X, double Y, double Z, double Radius) override;
    // A polyline through the points, closed when the list is Filled.
    void DrawPoints(const TRPoints& Points) override;
    // Its outline as a closed polyline.
    void DrawPolygon(const TPolygon& Polygon) override;
    // S with its top-left corner at the point, in the text height set by SetTextHeight.
    void Text(const std::string& S, double X, double Y, double Z) override;
    double TextHeight(const std::string& S) override;
    double TextWidth(const std::string& S) override;
    void SetTextHeight(double Height) { FTextHeight = Height; }

    // The points as a 3-D polyline in model space, in model coordinates, on Layer.
    void AddPolyline3D(const TRPoints& Points, const std::string& Layer);

    // Layer names in the order of first use.
    const std::vector<std::string>& Layers() const { return FLayers; }
    // The whole file.
    std::string Document() const;
    // EIOError when the file cannot be written.
    void SaveToFile(const std::string& FileName) const;

private:
    double FHeight;
    double FTextHeight = 2.5;
    bool FPaperSpace = false;
    std::string FLayer = "0";
    std::vector<std::string> FLayers{"0"};
    std::string FEntities;
    double FMinX = 0, FMinY = 0, FMaxX = 0, FMaxY = 0;
    bool FEmpty = true;

    // Group code and value lines.
    void Group(int Code, const std::string& Value);
    void Number(int Code, double Value);
    // An entity's head: its kind, layer and space.
    void Entity(const char* Kind, const std::string& Layer, bool Sheet);
    // Sheet point (X, Y) as codes 10 + Offset, 20 + Offset, 30 + Offset, turned upright.
    void SheetPoint(int Offset, double X, double Y);
    void Include(double X, double Y);
    void Polyline(const TRPoints& Points, bool ThreeD, const std::string& Layer);
};
