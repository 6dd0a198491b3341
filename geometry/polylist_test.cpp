// Polyline and list records (exact text, round trips, read errors), and how lists draw and map
// their items, plain or curve.
#include "geometry/errors.h"
#include "geometry/gstream.h"
#include "geometry/matrix.h"
#include "geometry/polylist.h"
#include "geometry/recordtext.h"

#include "geometry/scratchfolder.h"
#include "geometry/testsupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

namespace {

// Counts what reaches the stream.
class TRecordingStream : public TGStream {
public:
    int Lines = 0, PointLists = 0, Circles = 0;
    void Line(double, double, double, double, double, double) override { ++Lines; }
    void DrawPoints(const TRPoints&) override { ++PointLists; }
    void Circle(double, double, double, double) override { ++Circles; }
};

// A curve item: draws as one circle and maps to a curve of its own kind.
class TTestCurve : public TPolyline {
public:
    std::string_view ClassName() const override { return "TTestCurve"; }
    void SaveToText(TTextWriter& F) const override {
        F.Line("Order=2");
        TPolyline::SaveToText(F);
    }
    void DrawCurve(TGStream& Stream) override { Stream.Circle(0, 0, 0, 1); }
    std::unique_ptr<TPolyline> TransformedCurveCopy(const TMatrix&) const override {
        return std::make_unique<TTestCurve>();
    }
};

std::unique_ptr<TPolyline> Segment(double Z) {
    auto P = std::make_unique<TPolyline>();
    P->AddPoint(0, 0, Z);
    P->AddPoint(1, 0, Z);
    return P;
}

TEST(PolylineRecord, ExactTextAndRoundTrip) {
    TPolyline P;
    P.AddPoint(1.5, -0.25, 12);
    P.AddPoint(12345678.5, 0, -0.0004);
    const std::string Text = RecordText(P);
    EXPECT_EQ(Text, "NumPoints=2\r\n"
                    "     1.500    -0.250    12.000\r\n"
                    " 12345678.500     0.000     0.000\r\n");
    TPolyline Q;
    ReadRecordText(Q, Text);
    ASSERT_EQ(Q.Count(), 2);
    EXPECT_EQ(Q.At(0).Y, -0.25);
    EXPECT_EQ(Q.At(1).X, 12345678.5);
    EXPECT_EQ(RecordText(Q), Text);
}

TEST(PolylineRecord, ReadOverwritesInPlaceAndKeepsLaterPoints) {
    TPolyline P;
    P.Point(2).SetXYZ(9, 9, 9);
    ReadRecordText(P, "NumPoints=1\r\n1 2\t3 trailing words\r\n");
    ASSERT_EQ(P.Count(), 3);
    EXPECT_EQ(P.At(0).Z, 3);
    EXPECT_EQ(P.At(2).X, 9);
}

TEST(PolylineRecord, ReadErrors) {
    TPolyline P;
    ExpectMessage([&] { ReadRecordText(P, "NumPoints=two\r\n"); },
                  "Error in field Polyline.NumPoints");
    EXPECT_THROW(ReadRecordText(P, "NumPoints=1\r\n1 2 x\r\n"), EReadError);
    EXPECT_THROW(ReadRecordText(P, "NumPoints=2\r\n1 2 3\r\n"), EReadError);
}

TEST(PolylineRecord, SaveToFileWritesTheClassHeader) {
    TScratchFolder Scratch;
    const auto Path = Scratch.Path() / "polyline.txt";
    Segment(0)->SaveToFile(Path.string());
    EXPECT_EQ(FileText(Path).substr(0, 26), "[TPolyline]\r\nNumPoints=2\r\n");
    EXPECT_THROW(Segment(0)->SaveToFile((Path / "missing" / "x.txt").string()), EIOError);
    // A write that fails only when the buffer is flushed is a failure too.
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_THROW(Segment(0)->SaveToFile("/dev/full"), EIOError);
    }
}

TEST(PolylineListRecord, RoundTripAndReadErrors) {
    TPolylineList L;
    L.AddPolyline(Segment(1));
    L.AddPolyline(Segment(2));
    L.AddPolyline(nullptr);
    const std::string Text = RecordText(L);
    EXPECT_EQ(Text.substr(0, 29), "NumPolylines=2\r\nNumPoints=2\r\n");
    TPolylineList R;
    ReadRecordText(R, Text);
    ASSERT_EQ(R.Count(), 2);
    EXPECT_EQ(R.Polyline(1).At(1).Z, 2);

    TPolylineList Bad;
    ExpectMessage([&] { ReadRecordText(Bad, "NumPolylines=2.5\r\n"); },
                  "Error in field PolylineList.NumPolylines");
    // The polylines read before the faulty one stay; the faulty one is dropped.
    ExpectMessage(
        [&] { ReadRecordText(Bad, "NumPolylines=2\r\nNumPoints=1\r\n1 1 1\r\nNumPoints=?\r\n"); },
        "Error in field Polyline.NumPoints");
    EXPECT_EQ(Bad.Count(), 1);
    EXPECT_THROW(Bad.Polyline(1), EListError);
}

TEST(BSplineList, RecordsAndDrawsEachItemByItsKind) {
    TBSplineList L;
    L.AddPolyline(Segment(0));
    L.AddPolyline(std::make_unique<TTestCurve>());
    EXPECT_EQ(RecordText(L),
              "[TPolyline]\r\nNumPoints=2\r\n"
              "     0.000     0.000     0.000\r\n     1.000     0.000     0.000\r\n\r\n"
              "[TTestCurve]\r\nOrder=2\r\nNumPoints=0\r\n\r\n");
    TRecordingStream S;
    L.Draw(S);
    EXPECT_EQ(S.Lines, 1);
    EXPECT_EQ(S.Circles, 1);
    // Seen as a plain polyline list every item is a point chain.
    static_cast<const TPolylineList&>(L).Draw(S);
    EXPECT_EQ(S.Circles, 1);

    const TMatrix M(4, 4);
    const auto Mapped = L.TransformedCopy(M);
    EXPECT_EQ(Mapped->Polyline(1).ClassName(), "TTestCurve");
    EXPECT_EQ(static_cast<const TPolylineList&>(L).TransformedCopy(M)->Polyline(1).ClassName(),
              "TPolyline");
    EXPECT_EQ(L.TransformedCopy(TMatrix(3, 3)), nullptr);
}

TEST(Polyline, DrawsColouredListsInOneCall) {
    auto P = Segment(0);
    P->AddPoint(2, 2, 0);
    TRecordingStream S;
    P->Draw(S);
    EXPECT_EQ(S.Lines, 2);
    P->Filled = true;
    P->Draw(S);
    EXPECT_EQ(S.Lines, 2);
    EXPECT_EQ(S.PointLists, 1);
}

} // namespace
