// The neutral behaviour of the abstract drawing target.
#include "geometry/gstream.h"

#include "geometry/point.h"

void TGStream::Transform(double, double, double, double&, double&, double&) {}

void TGStream::InverseTransform(double, double, double, double&, double&, double&) {}

void TGStream::Line(double, double, double, double, double, double) {}

void TGStream::Circle(double, double, double, double) {}

void TGStream::DrawPolygon(const TPolygon&) {}

void TGStream::DrawPoints(const TRPoints&) {}

void TGStream::SetPen(double, TLineStyle) {}

void TGStream::SetTextStyle(const TTextStyle&) {}

void TGStream::SetLayer(const std::string&) {}

void TGStream::Text(const std::string&, double, double, double) {}

double TGStream::TextHeight(const std::string&) {
    return 0.0;
}

double TGStream::TextWidth(const std::string&) {
    return 0.0;
}

void TGStream::Marker(const TRPoint&) {}

std::unique_ptr<TRPoint> TGStream::DeviceToPoint(TPixelPoint) {
    return nullptr;
}

std::unique_ptr<TRPoint> TGStream::DeviceToPlanePoint(TPixelPoint, const TRPoint&) {
    return nullptr;
}

TPixelPoint TGStream::PointToDevice(const TRPoint&) {
    return {};
}
