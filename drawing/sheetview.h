// TSheetView: an orthographic view of the model on a sheet, at a true scale. It maps two world
// axes onto the sheet's millimetres and hands every primitive to the sheet's device stream.
#pragma once

#include "display/viewstream.h"

class TSheetView : public TViewStream {
public:
    // World axis Across (0 X, 1 Y, 2 Z) runs to the right and Up upwards on the sheet, at
    // Millimetres per world unit, the world origin at sheet point (OriginX, OriginY) (y down).
    TSheetView(TGStream* Device, int Across, int Up, double Millimetres, double OriginX,
               double OriginY);

    void TransformPolygon(TPolygon& Polygon) override;
    void TransformPoints(TRPoints& Points) override;

    // The sheet position of a world coordinate along each axis.
    double SheetX(double Across) const { return FOriginX + FScale * Across; }
    double SheetY(double Up) const { return FOriginY - FScale * Up; }

protected:
    void Project(double X, double Y, double Z, double& TX, double& TY, double& TZ) override;

private:
    int FAcross, FUp;
    double FScale, FOriginX, FOriginY;
};
