// The lines plan of a surface at three samples per control point and direction.
#include "contours/computecontours.h"

#include "geometry/bsurface.h"
#include "geometry/polygon.h"
#include "geometry/polylist.h"

namespace {

// Sets a surface's sampling counts for one computation and puts the old ones back afterwards.
class TSamplingOverride {
public:
    TSamplingOverride(TBSplineSurface& S, int U, int V)
        : Surface(S), SavedU(S.SamplesU), SavedV(S.SamplesV) {
        Surface.SamplesU = U;
        Surface.SamplesV = V;
    }
    TSamplingOverride(const TSamplingOverride&) = delete;
    TSamplingOverride& operator=(const TSamplingOverride&) = delete;
    ~TSamplingOverride() {
        Surface.SamplesU = SavedU;
        Surface.SamplesV = SavedV;
    }

private:
    TBSplineSurface& Surface;
    int SavedU, SavedV;
};

} // namespace

std::unique_ptr<TPolylineList> ComputeContours(TBSplineSurface& Surface, const TContours& Contours,
                                               const TContourProgress& Progress) {
    std::unique_ptr<TPolygonList> Polygons;
    {
        const TSamplingOverride Sampling(Surface, 3 * Surface.NumU, 3 * Surface.NumV);
        Polygons = Surface.GetPolygons();
    }
    auto Result = CreateContours(*Polygons, Contours, Progress);
    return Result ? std::move(Result) : std::make_unique<TPolylineList>();
}
