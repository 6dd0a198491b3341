// The lines plan of a surface: its contours at the sampling the main window and the command-line
// tool both use.
#pragma once

#include "contours/createcontours.h"

#include <memory>

class TBSplineSurface;
class TContours;
class TPolylineList;

// The contour polylines of Surface sampled at three times its control-net size in each
// direction; an empty list when there are no planes or none could be built. Surface's own
// sampling counts are left as they were, also when building fails. Progress hears the building
// of the contours from the sampled triangles, as CreateContours reports it.
std::unique_ptr<TPolylineList> ComputeContours(TBSplineSurface& Surface, const TContours& Contours,
                                               const TContourProgress& Progress = {});
