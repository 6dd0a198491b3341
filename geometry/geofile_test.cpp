// The geometry file: headers, records and entry ends exactly as written.
#include "geometry/geofile.h"

#include "geometry/bspline.h"
#include "geometry/bsurface.h"
#include "geometry/errors.h"
#include "geometry/polygon.h"
#include "geometry/polylist.h"

#include "geometry/scratchfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class TNamed {
public:
    std::string_view ClassName() const { return "TSomething"; }
};

class THullLike : public TBSplineSurface {
public:
    THullLike() : TBSplineSurface(1, 1) {}
    std::string_view ClassName() const override { return "THullLike"; }
};

} // namespace

TEST(GeometryFile, Entries) {
    TScratchFolder Scratch;
    const std::string Name = Scratch.File("entries.geo");
    {
        TGeometryFile F(Name);
        TPolyline P;
        P.AddPoint(1.5, -2, 0.25);
        P.AddPoint(0, 0, 0);
        F.Write(P);
        TBSplineList L;
        auto C = std::make_unique<TBSpline>(2);
        C->AddPoint(0, 0, 0);
        L.AddPolyline(std::move(C));
        L.AddPolyline(std::make_unique<TPolyline>());
        F.Write(L);
        F.Write(TNamed());
        F.Write(THullLike());
        F.Write(TPolygonList());
        F.Close();
    }
    EXPECT_EQ(FileText(Name), "[TPolyline]\r\nNumPoints=2\r\n"
                              "     1.500    -2.000     0.250\r\n"
                              "     0.000     0.000     0.000\r\n\r\n"
                              "[TBSpline]\r\nOrder=2\r\nNumPoints=1\r\n"
                              "     0.000     0.000     0.000\r\n\r\n"
                              "[TPolyline]\r\nNumPoints=0\r\n\r\n\r\n"
                              "[TSomething]\r\n\r\n"
                              "[THullLike]\r\nOrderU=4\r\nOrderV=4\r\nNumU=1\r\nNumV=1\r\n"
                              "     0.000000     0.000000     0.000000     1.000\r\n\r\n"
                              "[TPolygonList]\r\nNumberofPolygons=0\r\n\r\n");
    EXPECT_THROW(TGeometryFile("/nonexistent-folder/x.geo"), EIOError);
}

TEST(GeometryFile, AFailureThatShowsOnlyOnClosingRaises) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    TGeometryFile F("/dev/full");
    // A short entry stays in the stream's buffer: the full device refuses it only on the flush.
    F.Write(TNamed());
    try {
        F.Close();
        ADD_FAILURE() << "no error on closing";
    } catch (const EIOError& E) {
        EXPECT_STREQ(E.what(), "Unable to write file /dev/full: No space left on device");
    }
}
