// Building the lines plan: the contour polylines a triangle set leaves in the cutting planes.
#pragma once

#include <functional>
#include <memory>

class TContours;
class TPolygons;
class TPolylineList;

// Told the share of the work done so far, from 0 to 1.
using TContourProgress = std::function<void(double Fraction)>;

// Cuts every triangle of Polygons with every plane of Contours and joins the segments into
// polylines: those of the X planes first, then Y, then Z, each axis in list order, coloured by
// axis; chains shorter than 0.001 are dropped. None when there are no planes, or when joining
// fails; a fault in the arithmetic of a cut raises. Progress, when given, hears rising fractions, a
// hundred times at most (never per segment or plane), the last 1 once the polylines are complete.
std::unique_ptr<TPolylineList> CreateContours(const TPolygons& Polygons, const TContours& Contours,
                                              const TContourProgress& Progress = {});
