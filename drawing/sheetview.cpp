// An orthographic view at a true scale onto a sheet.
#include "drawing/sheetview.h"

#include "geometry/point.h"
#include "geometry/points.h"
#include "geometry/polygon.h"

TSheetView::TSheetView(TGStream* Device, int Across, int Up, double Millimetres, double OriginX,
                       double OriginY)
    : TViewStream(Device), FAcross(Across), FUp(Up), FScale(Millimetres), FOriginX(OriginX),
      FOriginY(OriginY) {}

void TSheetView::Project(double X, double Y, double Z, double& TX, double& TY, double& TZ) {
    const double World[3] = {X, Y, Z};
    TX = SheetX(World[FAcross]);
    TY = SheetY(World[FUp]);
    TZ = World[3 - FAcross - FUp];
}

void TSheetView::TransformPolygon(TPolygon& Polygon) {
    for (TRPoint* P : {&Polygon.P1, &Polygon.P2, &Polygon.P3, Polygon.P4()})
        if (P) Project(P->X, P->Y, P->Z, P->X, P->Y, P->Z);
}

void TSheetView::TransformPoints(TRPoints& Points) {
    for (int i = 0; i < Points.Count(); ++i) {
        TRPoint& P = Points.Point(i);
        Project(P.X, P.Y, P.Z, P.X, P.Y, P.Z);
    }
}
