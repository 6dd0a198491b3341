// The identity view stream: routing of each drawing operation by target kind.
#include "display/viewstream.h"

#include "geometry/point.h"
#include "geometry/points.h"
#include "geometry/polygon.h"

#include <cmath>
#include <limits>

std::int32_t RoundPixel(double V) {
    constexpr double Lo = std::numeric_limits<std::int32_t>::min();
    constexpr double Hi = std::numeric_limits<std::int32_t>::max();
    if (!(V > Lo)) return std::numeric_limits<std::int32_t>::min();
    if (!(V < Hi)) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::lround(V));
}

TCanvas* TViewStream::GetCanvas() {
    if (auto* View = ViewTarget()) return View->Canvas();
    if (auto* Stream = StreamTarget()) return Stream->GetCanvas();
    return nullptr;
}

void TViewStream::Transform(double X, double Y, double Z, double& TX, double& TY, double& TZ) {
    Project(X, Y, Z, TX, TY, TZ);
}

void TViewStream::Project(double X, double Y, double Z, double& TX, double& TY, double& TZ) {
    TX = X;
    TY = Y;
    TZ = Z;
}

void TViewStream::InverseTransform(double X, double Y, double Z, double& TX, double& TY,
                                   double& TZ) {
    TX = X;
    TY = Y;
    TZ = Z;
}

void TViewStream::Line(double X1, double Y1, double Z1, double X2, double Y2, double Z2) {
    double TX1, TY1, TZ1, TX2, TY2, TZ2;
    Transform(X1, Y1, Z1, TX1, TY1, TZ1);
    Transform(X2, Y2, Z2, TX2, TY2, TZ2);
    if (auto* View = ViewTarget()) View->DrawLine(TX1, TY1, TZ1, TX2, TY2, TZ2);
    if (auto* Stream = StreamTarget()) Stream->Line(TX1, TY1, TZ1, TX2, TY2, TZ2);
}

void TViewStream::Circle(double X, double Y, double Z, double Radius) {
    double TX, TY, TZ, RX, RY, RZ, OX, OY, OZ;
    Transform(X, Y, Z, TX, TY, TZ);
    // The radius points are no part of the model, so they stay out of the extents.
    Project(Radius, 0, 0, RX, RY, RZ);
    Project(0, 0, 0, OX, OY, OZ);
    const double DeviceRadius = RX - OX;
    if (auto* View = ViewTarget()) View->DrawCircle(TX, TY, DeviceRadius);
    if (auto* Stream = StreamTarget()) Stream->Circle(TX, TY, TZ, DeviceRadius);
}

void TViewStream::DrawPolygon(const TPolygon& Polygon) {
    auto Copy = TPolygon::CreateCopy(Polygon);
    TransformPolygon(*Copy);
    if (auto* View = ViewTarget()) View->DrawPolygon(*Copy);
    if (auto* Stream = StreamTarget()) Stream->DrawPolygon(*Copy);
}

void TViewStream::DrawPoints(const TRPoints& Points) {
    auto Copy = TRPoints::CreateCopy(Points);
    TransformPoints(*Copy);
    if (auto* View = ViewTarget()) View->DrawPoints(*Copy);
    if (auto* Stream = StreamTarget()) Stream->DrawPoints(*Copy);
}

void TViewStream::Text(const std::string& S, double X, double Y, double Z) {
    double TX, TY, TZ;
    Transform(X, Y, Z, TX, TY, TZ);
    if (auto* View = ViewTarget()) View->DrawText(S, RoundPixel(TX), RoundPixel(TY));
    if (auto* Stream = StreamTarget()) Stream->Text(S, TX, TY, TZ);
}

double TViewStream::WorldTextSize(double DeviceSize, bool Vertical) {
    double AX = 0, AY = 0, AZ = 0, BX = 0, BY = 0, BZ = 0;
    InverseTransform(Vertical ? 0 : DeviceSize, Vertical ? DeviceSize : 0, 0, AX, AY, AZ);
    InverseTransform(0, 0, 0, BX, BY, BZ);
    double A = Vertical ? AY : AX;
    double B = Vertical ? BY : BX;
    if (std::abs(A) > 1e10) A = B = 0;
    // World Y grows upwards against the device's rows, world X along its columns: both
    // differences are taken so that a window in its normal orientation measures text as positive.
    return Vertical ? B - A : A - B;
}

double TViewStream::TextHeight(const std::string& S) {
    double h = 0;
    if (auto* View = ViewTarget()) h = View->TextHeight(S);
    if (auto* Stream = StreamTarget()) h = Stream->TextHeight(S);
    return WorldTextSize(h, true);
}

double TViewStream::TextWidth(const std::string& S) {
    double w = 0;
    if (auto* View = ViewTarget()) w = View->TextWidth(S);
    if (auto* Stream = StreamTarget()) w = Stream->TextWidth(S);
    return WorldTextSize(w, false);
}

void TViewStream::Marker(const TRPoint& P) {
    const TPixelPoint Pt = PointToDevice(P);
    if (auto* View = ViewTarget()) View->DrawMarker(TRPoint(Pt.X, Pt.Y, 0));
}

std::unique_ptr<TRPoint> TViewStream::DeviceToPoint(TPixelPoint Pt) {
    auto P = std::make_unique<TRPoint>();
    InverseTransform(Pt.X, Pt.Y, 0, P->X, P->Y, P->Z);
    return P;
}

TPixelPoint TViewStream::PointToDevice(const TRPoint& P) {
    double TX, TY, TZ;
    Transform(P.X, P.Y, P.Z, TX, TY, TZ);
    return {RoundPixel(TX), RoundPixel(TY)};
}

void TViewStream::TransformPolygon(TPolygon&) {}

void TViewStream::TransformPoints(TRPoints&) {}
