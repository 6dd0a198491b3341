// The colour routing of output streams by target kind.
#include "display/outputstream.h"

#include <gtest/gtest.h>

namespace {

class TFakeView : public TViewTarget {
public:
    TColor Line = 0x112233, Back = 0x445566, Pen = 0x778899;
    TCanvas* Canvas() override { return nullptr; }
    TColor LineColor() const override { return Line; }
    void SetLineColor(TColor Color) override { Line = Pen = Color; }
    TColor BackColor() const override { return Back; }
    void SetBackColor(TColor Color) override { Back = Color; }
    TColor PenColor() const override { return Pen; }
    void DrawLine(double, double, double, double, double, double) override {}
    void DrawCircle(double, double, double) override {}
    void DrawText(const std::string&, double, double) override {}
    void DrawPoints(const TRPoints&) override {}
    void DrawPolygon(const TPolygon&) override {}
    void DrawMarker(const TRPoint&) override {}
    double TextWidth(const std::string&) override { return 0; }
    double TextHeight(const std::string&) override { return 0; }
};

// Exposes the no-output switch the view streams use.
class TTestStream : public TOutputStream {
public:
    using TOutputStream::SetTargetKind;
    using TOutputStream::TOutputStream;
};

TEST(OutputStream, RoutesColoursByTargetKind) {
    TFakeView View;
    TTestStream ToView(&View);
    EXPECT_EQ(ToView.TargetKind(), tkView);
    EXPECT_EQ(ToView.GetColor(), 0x778899u);
    ToView.SetLineColor(0xFF);
    EXPECT_EQ(View.Line, 0xFFu);
    ToView.SetBackColor(0xAA);
    EXPECT_EQ(ToView.GetBackColor(), 0xAAu);

    TTestStream Chained(static_cast<TGStream*>(&ToView));
    EXPECT_EQ(Chained.TargetKind(), tkStream);
    EXPECT_EQ(Chained.GetLineColor(), 0xFFu);
    Chained.SetLineColor(0x1234);
    EXPECT_EQ(View.Line, 0x1234u);

    TGStream Plain;
    Chained.SetTarget(&Plain);
    EXPECT_EQ(Chained.GetBackColor(), clBlack);

    ToView.SetTargetKind(tkNone);
    EXPECT_EQ(ToView.GetLineColor(), 0u);
    EXPECT_EQ(ToView.GetColor(), 0u);
    ToView.SetLineColor(0x55);
    EXPECT_EQ(View.Line, 0x1234u);
    ToView.SetTargetKind(tkView);
    EXPECT_EQ(ToView.GetLineColor(), 0x1234u);
}

} // namespace
