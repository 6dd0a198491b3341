// Building the lines plan: the contour polylines a triangle set leaves in the cutting planes.
#pragma once

#include <memory>

class TContours;
class TPolygons;
class TPolylineList;

// Cuts every triangle of Polygons with every plane of Contours and joins the segments into
// polylines: those of the X planes first, then Y, then Z, each axis in list order, coloured by
// axis; chains shorter than 0.001 are dropped. None when there are no planes, or when joining
// fails.
std::unique_ptr<TPolylineList> CreateContours(const TPolygons& Polygons, const TContours& Contours);
