// The lines plan sheet: its labels, reference lines and title block, its paper and true scale,
// the choice and refusal of scales, and the smoothness of its curves.
#include "drawing/hulllines.h"
#include "drawing/linesplan.h"

#include "contours/contours.h"
#include "geometry/errors.h"
#include "geometry/polyline.h"
#include "geometry/records.h"
#include "hull/keelvane.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// The default hull, generated once for every test.
TKeelvane& Hull() {
    static TKeelvane* Model = [] {
        static TKeelvane M;
        M.Generate();
        return &M;
    }();
    return *Model;
}

// The planes of a usual lines plan: 21 stations, 4 buttocks and 9 waterlines.
void UsualPlanes(TContours& Planes) {
    for (int k = 0; k <= 20; ++k) Planes.Add(0, k * 5.0);
    for (int k = 1; k <= 4; ++k) Planes.Add(1, k * 2.0);
    for (int k = 1; k <= 9; ++k) Planes.Add(2, k * 0.95);
}

// The x positions of every text Content on the sheet.
std::vector<double> TextX(const std::string& Svg, const std::string& Content) {
    std::vector<double> X;
    const std::string End = ">" + Content + "</text>";
    for (auto At = Svg.find(End); At != std::string::npos; At = Svg.find(End, At + 1)) {
        const auto Start = Svg.rfind("<text x=\"", At) + 9;
        X.push_back(std::stod(Svg.substr(Start, Svg.find('"', Start) - Start)));
    }
    return X;
}

TLinesPlanOptions Options(std::string Project = "hull.kvp") {
    TLinesPlanOptions O;
    O.ProjectName = std::move(Project);
    O.Date = "2026-03-14";
    return O;
}

TEST(LinesPlanSheet, LabelsEveryLineAndFillsTheTitleBlock) {
    TContours Planes;
    UsualPlanes(Planes);
    const TLinesPlanSheet Sheet(Hull(), Planes, Options());
    const std::string S = Sheet.Svg();
    EXPECT_NE(S.find("width=\"420.00mm\" height=\"297.00mm\" viewBox=\"0 0 420.00 297.00\""),
              std::string::npos);
    // Stations at both ends in profile and plan, and at least once in the body plan.
    for (int k = 0; k <= 20; ++k)
        EXPECT_GE(TextX(S, std::to_string(k)).size(), 4u) << "station " << k;
    for (int k = 1; k <= 9; ++k) {
        const std::string Height = GeneralText(std::round(k * 95.0) / 100);
        EXPECT_EQ(TextX(S, "WL " + Height).size(), 4u) << Height; // profile and body plan
    }
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(TextX(S, "BT " + std::to_string(2 * k)).size(), 2u);
    EXPECT_EQ(TextX(S, "DWL").size(), 4u);
    EXPECT_EQ(TextX(S, "BL").size(), 4u);
    EXPECT_EQ(TextX(S, "CL").size(), 3u);
    EXPECT_EQ(TextX(S, "AP").size(), 1u);
    EXPECT_EQ(TextX(S, "FP").size(), 1u);
    for (const char* Value : {">hull.kvp<", ">100<", ">20<", ">9.5<", ">4.172<", ">plain<",
                              ">21 / 9 / 4<", ">2026-03-14<", ">1:500 on A3<", "units: as entered",
                              ">Profile<", ">Plan<", ">Body plan<", ">Legend<"})
        EXPECT_NE(S.find(Value), std::string::npos) << Value;
    EXPECT_EQ(S.find("nan"), std::string::npos);
}

TEST(LinesPlanSheet, StatedUnitGivesTrueScaleAndStationsOffTheGridAreNumberedByX) {
    TContours Planes;
    for (const double X : {0.0, 12.5, 50.0, 100.0}) Planes.Add(0, X);
    TLinesPlanOptions O = Options();
    O.Unit = luMetre;
    O.Scale = 250;
    O.Paper = *PaperByName("a1");
    const TLinesPlanSheet Sheet(Hull(), Planes, O);
    const std::string S = Sheet.Svg();
    const auto AP = TextX(S, "AP"), FP = TextX(S, "FP");
    ASSERT_EQ(AP.size(), 1u);
    ASSERT_EQ(FP.size(), 1u);
    EXPECT_NEAR(FP[0] - AP[0], 100.0 * 1000 / 250, 0.1);
    EXPECT_NE(S.find("width=\"841.00mm\" height=\"594.00mm\""), std::string::npos);
    EXPECT_NE(S.find(">100 m<"), std::string::npos);
    EXPECT_NE(S.find("units: m<"), std::string::npos);
    // 12.5 lies on the grid of eight intervals, so all four are numbered on it.
    for (const char* Label : {">0<", ">1<", ">4<", ">8<"})
        EXPECT_NE(S.find(Label), std::string::npos) << Label;

    TContours Uneven;
    for (const double X : {0.0, 33.3, 100.0}) Uneven.Add(0, X);
    const std::string U = TLinesPlanSheet(Hull(), Uneven, O).Svg();
    EXPECT_EQ(TextX(U, "33.3").size(), 5u); // profile and plan at both ends, body plan
}

TEST(LinesPlanSheet, BodyPlanNumbersStationsAftOfMidshipsLeftOfTheCentreLine) {
    TContours Planes;
    Planes.Add(0, 49.9);
    Planes.Add(0, 50.0);
    TLinesPlanOptions O = Options();
    O.View = lvBody;
    const std::string S = TLinesPlanSheet(Hull(), Planes, O).Svg();
    const auto Centre = TextX(S, "CL"), Aft = TextX(S, "49.9"), Fore = TextX(S, "50");
    ASSERT_EQ(Centre.size(), 1u);
    ASSERT_EQ(Aft.size(), 1u);
    ASSERT_EQ(Fore.size(), 1u);
    EXPECT_LT(Aft[0], Centre[0] - 5);
    EXPECT_GT(Fore[0], Centre[0] + 5);
}

TEST(LinesPlanSheet, TakesTheLargestStandardScaleThatFitsAndRefusesOneThatDoesNot) {
    TContours Planes;
    Planes.Add(2, 4);
    TLinesPlanOptions O = Options();
    EXPECT_EQ(TLinesPlanSheet(Hull(), Planes, O).Scale(), 500);
    O.Paper = *PaperByName("A1");
    EXPECT_EQ(TLinesPlanSheet(Hull(), Planes, O).Scale(), 200);
    // Too narrow for the blocks beside the views at 1:1000, but the long, low views leave room
    // for them under the plan.
    TContours Usual;
    UsualPlanes(Usual);
    O.Paper = *PaperByName("A4");
    EXPECT_EQ(TLinesPlanSheet(Hull(), Usual, O).Scale(), 1000);
    O.Paper = *PaperByName("A1");
    O.View = lvBody;
    EXPECT_EQ(TLinesPlanSheet(Hull(), Planes, O).Scale(), 50);
    O.View = lvAll;
    O.Paper = PaperA3;
    O.Scale = 250;
    try {
        TLinesPlanSheet Sheet(Hull(), Planes, O);
        FAIL() << "1:250 fits on A3";
    } catch (const EGeometryError& E) {
        EXPECT_NE(
            std::string(E.what()).find("the largest standard scale at which it fits is 1:500"),
            std::string::npos)
            << E.what();
    }
    O.Scale = 1000;
    EXPECT_EQ(TLinesPlanSheet(Hull(), Planes, O).Scale(), 1000);
    EXPECT_THROW(TLinesPlanSheet(*std::make_unique<TKeelvane>(), Planes, O), EGeometryError);
}

// The distance of P from the nearest segment of Reference.
double DistanceTo(const TRPoint& P, const TPolyline& Reference) {
    double Best = 1e300;
    for (int k = 1; k < Reference.Count(); ++k) {
        const TRPoint &A = Reference.At(k - 1), &B = Reference.At(k);
        const double dx = B.X - A.X, dy = B.Y - A.Y, dz = B.Z - A.Z;
        const double L2 = dx * dx + dy * dy + dz * dz;
        const double t =
            L2 > 0 ? std::clamp(((P.X - A.X) * dx + (P.Y - A.Y) * dy + (P.Z - A.Z) * dz) / L2, 0.0,
                                1.0)
                   : 0;
        Best = std::min(Best, Distance(P, TRPoint(A.X + t * dx, A.Y + t * dy, A.Z + t * dz)));
    }
    return Best;
}

// Every chord of Drawn has its middle within Tolerance of the matching line of Reference.
void ExpectWithin(const TPolylineList& Drawn, const TPolylineList& Reference, double Tolerance,
                  const std::string& What) {
    ASSERT_GT(Drawn.Count(), 0) << What;
    ASSERT_EQ(Drawn.Count(), Reference.Count()) << What;
    for (int i = 0; i < Drawn.Count(); ++i) {
        const TPolyline &P = Drawn.Polyline(i), &R = Reference.Polyline(i);
        for (int k = 1; k < P.Count(); ++k) {
            const TRPoint &A = P.At(k - 1), &B = P.At(k);
            const TRPoint Middle((A.X + B.X) / 2, (A.Y + B.Y) / 2, (A.Z + B.Z) / 2);
            EXPECT_LT(DistanceTo(Middle, R), Tolerance * 1.1) << What << " " << i << " " << k;
        }
    }
}

TEST(HullLines, EveryChordLiesWithinTheToleranceOfTheTrueCurve) {
    TKeelvane Bulbous;
    Bulbous.SetBowShape(1);
    Bulbous.Generate();
    TContours Planes;
    for (const double X : {2.0, 50.0, 96.0, 99.5, 101.0}) Planes.Add(0, X);
    Planes.Add(1, 3.0);
    Planes.Add(2, 2.0);
    // A chord error of 0.05 mm on paper at 1:200, in metres.
    const double Tolerance = 0.05 / 1000 * 200;
    const auto Lines = BuildHullLines(Bulbous, Planes, Bulbous.Parameters().Draught, Tolerance);
    const auto Reference = BuildHullLines(Bulbous, Planes, 0, Tolerance / 50);
    ASSERT_EQ(Lines->Sections.size(), 7u);
    for (std::size_t s = 0; s < Lines->Sections.size(); ++s) {
        const THullSection& Drawn = *Lines->Sections[s];
        ExpectWithin(Drawn.Lines, Reference->Sections[s]->Lines, Tolerance,
                     "section " + std::to_string(s));
        for (int i = 0; i < Drawn.Lines.Count(); ++i)
            for (int k = 0; k < Drawn.Lines.Polyline(i).Count(); ++k)
                EXPECT_NEAR(Drawn.Lines.Polyline(i).At(k).Coord(Drawn.Axis), Drawn.Position, 1e-6);
    }
    // The keel, the deck edge, the stern and the stem.
    ExpectWithin(Lines->Lengthwise, Reference->Lengthwise, Tolerance, "lengthwise edge");
    ExpectWithin(Lines->Ends, Reference->Ends, Tolerance, "end edge");
    EXPECT_EQ(Lines->DesignWaterline->Lines.Count(), 1);
}

TEST(SheetFormat, PapersScalesAndUnits) {
    EXPECT_EQ(PaperByName("A4")->Width, 297);
    EXPECT_EQ(PaperByName("a0")->Height, 841);
    EXPECT_FALSE(PaperByName("A5"));
    EXPECT_FALSE(PaperByName("letter"));
    EXPECT_EQ(ParseScale("1:50"), 50);
    EXPECT_EQ(ParseScale(" 1 : 2.5"), 2.5);
    for (const char* Bad : {"50", "2:50", "1:0", "1:-5", "1:x", "1:"})
        EXPECT_FALSE(ParseScale(Bad));
    EXPECT_EQ(ScaleText(250), "1:250");
    EXPECT_EQ(StandardScaleFrom(1), 1);
    EXPECT_EQ(StandardScaleFrom(3), 5);
    EXPECT_EQ(StandardScaleFrom(21), 25);
    EXPECT_EQ(StandardScaleFrom(101), 200);
    EXPECT_EQ(StandardScaleFrom(201), 250);
    EXPECT_FALSE(StandardScaleFrom(2e9));
    EXPECT_EQ(LengthUnitByName("ft"), luFoot);
    EXPECT_EQ(MillimetresPerUnit(luFoot), 304.8);
    EXPECT_FALSE(LengthUnitByName("in"));
}

} // namespace
