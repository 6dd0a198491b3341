// The contour set: cutting-plane positions per axis.
#include "contours/contours.h"

#include "geometry/errors.h"
#include "geometry/listindex.h"

#include <string>
#include <utility>

std::vector<double> TContourList::Positions() const {
    std::vector<double> Result;
    Result.reserve(Items.size());
    for (const auto& C : Items) Result.push_back(C->Position);
    return Result;
}

TContour& TContourList::Contour(int i) const {
    CheckListIndex(i, Items.size());
    return *Items[static_cast<std::size_t>(i)];
}

int TContourList::Add(std::unique_ptr<TContour> C) {
    Items.push_back(std::move(C));
    return Count() - 1;
}

int TContours::Add(std::uint8_t Axis, double Position) {
    auto C = std::make_unique<TContour>();
    C->Axis = Axis;
    C->Position = Position;
    return List(Axis).Add(std::move(C));
}

const TContourList& TContours::List(int Axis) const {
    switch (Axis) {
    case 0:
        return FX;
    case 1:
        return FY;
    case 2:
        return FZ;
    default:
        throw EListError("No contour axis " + std::to_string(Axis));
    }
}

TContourList& TContours::List(int Axis) {
    return const_cast<TContourList&>(std::as_const(*this).List(Axis));
}

void TContours::Clear() {
    ClearX();
    ClearY();
    ClearZ();
}

std::vector<double> UsualPlanes(int Axis, double Lbp, double Beam, double Depth) {
    std::vector<double> Planes;
    if (Axis == 0)
        for (int k = 0; k <= 20; ++k) Planes.push_back(k * Lbp / 20);
    if (Axis == 1)
        for (int k = 1; k <= 4; ++k) Planes.push_back(k * Beam / 10);
    if (Axis == 2)
        for (int k = 1; k <= 9; ++k) Planes.push_back(k * Depth / 10);
    return Planes;
}
