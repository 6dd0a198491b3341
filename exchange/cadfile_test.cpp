// STEP and IGES files read back through Open CASCADE's own readers: the faces are the hull
// surface (and its port mirror) to 1e-9 at 1,000 points, the curves the defining curves.
#include "exchange/cadfile.h"
#include "exchange/exportsurface.h"
#include "exchange/occtshapes.h"

#include "geometry/errors.h"
#include "hull/keelvane.h"

#include "geometry/scratchfolder.h"
#include "geometry/testsupport.h"

#include <BRep_Tool.hxx>
#include <IGESControl_Reader.hxx>
#include <Interface_Static.hxx>
#include <STEPControl_Reader.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

// The shape a reader of the kind gives for the file.
template <class TReader> TopoDS_Shape ReadBack(const std::string& FileName) {
    Interface_Static::SetCVal("xstep.cascade.unit", "M");
    TReader Reader;
    EXPECT_EQ(Reader.ReadFile(FileName.c_str()), IFSelect_RetDone) << FileName;
    Reader.TransferRoots();
    return Reader.OneShape();
}

std::vector<Handle(Geom_BSplineSurface)> Surfaces(const TopoDS_Shape& Shape) {
    std::vector<Handle(Geom_BSplineSurface)> Result;
    for (TopExp_Explorer E(Shape, TopAbs_FACE); E.More(); E.Next())
        Result.push_back(
            Handle(Geom_BSplineSurface)::DownCast(BRep_Tool::Surface(TopoDS::Face(E.Current()))));
    return Result;
}

// The largest distance between the surface read back and the hull's own evaluation (mirrored
// when asked) at 40 x 25 parameter pairs spread over the whole range, ends included.
double LargestDeviation(TKeelvane& Hull, const Handle(Geom_BSplineSurface) & S, bool Mirrored) {
    double Largest = 0;
    for (int i = 0; i < 40; ++i)
        for (int j = 0; j < 25; ++j) {
            const double u = Hull.UMin() + i * Hull.URange() / 39;
            const double v = Hull.VMin() + j * Hull.VRange() / 24;
            const auto P = Hull.PointAt(u, v);
            const gp_Pnt Q = S->Value(u, v);
            Largest = std::max(Largest, Q.Distance(gp_Pnt(P->X, Mirrored ? -P->Y : P->Y, P->Z)));
        }
    return Largest;
}

class CadFileTest : public ::testing::Test {
protected:
    TScratchFolder Scratch;
    TKeelvane Hull;

    static void Save(void (*Write)(std::ostream&, const TCadContent&), const std::string& FileName,
                     const TCadContent& Content) {
        std::ofstream Out(FileName, std::ios::binary);
        Write(Out, Content);
    }

    void SetUp() override { Hull.Generate(); }

    TCadContent Content(bool BothHalves, bool Curves) {
        TCadContent C{&Hull, BothHalves, {}};
        const auto Defining = Hull.DefiningSplines();
        if (Curves) C.Curves.assign(Defining.begin(), Defining.end());
        return C;
    }

    // The faces read back are the hull's surface, the starboard one first, and the file's free
    // edges are the defining curves when they were asked for.
    void CheckReadBack(const TopoDS_Shape& Shape, bool BothHalves, bool Curves) {
        auto Faces = Surfaces(Shape);
        ASSERT_EQ(Faces.size(), BothHalves ? 2u : 1u);
        for (const auto& S : Faces) {
            ASSERT_FALSE(S.IsNull());
            EXPECT_EQ(S->UDegree(), Hull.OrderU - 1);
            EXPECT_EQ(S->NbUPoles(), Hull.NumU);
            EXPECT_EQ(S->NbVPoles(), Hull.NumV);
        }
        if (BothHalves && Faces[0]->Value(1, 5).Y() < 0) std::swap(Faces[0], Faces[1]);
        EXPECT_LT(LargestDeviation(Hull, Faces[0], false), 1e-9);
        if (BothHalves) {
            EXPECT_LT(LargestDeviation(Hull, Faces[1], true), 1e-9);
        }

        int Edges = 0;
        for (TopExp_Explorer E(Shape, TopAbs_EDGE, TopAbs_FACE); E.More(); E.Next()) {
            double t0, t1;
            const auto C = BRep_Tool::Curve(TopoDS::Edge(E.Current()), t0, t1);
            const TBSpline& Own = *Hull.DefiningSplines()[static_cast<std::size_t>(Edges++)];
            auto Copy = TBSpline::CreateCopy(Own);
            Copy->MakeKnots();
            for (int k = 0; k <= 10; ++k) {
                const double t = Copy->TMin() + k * Copy->TRange() / 10;
                const auto P = Copy->PointAt(t);
                EXPECT_LT(C->Value(t).Distance(gp_Pnt(P->X, P->Y, P->Z)), 1e-9);
            }
        }
        EXPECT_EQ(Edges, Curves ? 7 : 0);
    }
};

} // namespace

TEST_F(CadFileTest, StepHoldsTheSurfaceExactly) {
    Save(WriteStep, Scratch.File("hull.step"), Content(false, false));
    const std::string Text = FileText(Scratch.File("hull.step"));
    EXPECT_NE(Text.find("AUTOMOTIVE_DESIGN"), std::string::npos); // the AP214 schema
    EXPECT_NE(Text.find("B_SPLINE_SURFACE_WITH_KNOTS"), std::string::npos);
    CheckReadBack(ReadBack<STEPControl_Reader>(Scratch.File("hull.step")), false, false);

    Save(WriteStep, Scratch.File("both.step"), Content(true, true));
    CheckReadBack(ReadBack<STEPControl_Reader>(Scratch.File("both.step")), true, true);
}

TEST_F(CadFileTest, IgesHoldsTheSurfaceExactly) {
    Save(WriteIges, Scratch.File("hull.igs"), Content(false, false));
    const std::string Text = FileText(Scratch.File("hull.igs"));
    EXPECT_NE(Text.find("5.3"), std::string::npos);
    CheckReadBack(ReadBack<IGESControl_Reader>(Scratch.File("hull.igs")), false, false);

    Save(WriteIges, Scratch.File("both.igs"), Content(true, true));
    CheckReadBack(ReadBack<IGESControl_Reader>(Scratch.File("both.igs")), true, true);
}

TEST_F(CadFileTest, NoSurfaceIsAClearError) {
    TKeelvane Fresh; // never generated: no net
    const TCadContent Empty{&Fresh, false, {}};
    std::ostringstream Out;
    ExpectMessage([&] { WriteStep(Out, Empty); }, NoSurfaceText);
    ExpectMessage([&] { WriteIges(Out, Empty); }, NoSurfaceText);
    EXPECT_EQ(Out.str(), "");

    Hull.OrderU = 30;
    EXPECT_THROW(Save(WriteStep, Scratch.File("c.step"), Content(false, false)), EGeometryError);
}
