// The lines plan sheet: the layout of the three views at one true scale, their curves, reference
// lines and labels, the legend and the title block.
#include "drawing/linesplan.h"

#include "contours/contours.h"
#include "display/svgstream.h"
#include "drawing/hulllines.h"
#include "drawing/sheetview.h"
#include "drawing/titleblock.h"
#include "geometry/bsurface.h"
#include "geometry/errors.h"
#include "geometry/matrix.h"
#include "geometry/polyline.h"
#include "geometry/records.h"
#include "hull/keelvane.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace {

// The frame lies this far inside the paper's edges; the drawing keeps this far inside the frame.
constexpr double FrameMargin = 10, FramePadding = 5;
// Between views, and between the views and the title block.
constexpr double ViewGap = 8;
constexpr double CaptionSize = 5, CaptionBand = 9;
// Labels shrink where lines crowd, down to this height.
constexpr double LabelSize = 2.5, SmallestLabel = 1.4;
constexpr double LabelGap = 1.5; // between a label and the line or edge it names
constexpr double LabelBand = LabelSize + 2 * LabelGap;
// Reference lines run this far beyond the hull on each side.
constexpr double Overrun = 4;

// Pens in millimetres: the hull's edges stand out, the lines in their true shape come next, the
// lines a view sees edge on (the grid of the other views) recede.
constexpr double EdgePen = 0.5, ShapePen = 0.25, DesignWaterlinePen = 0.35, GridPen = 0.13,
                 ReferencePen = 0.18, FramePen = 0.5;

// Screen colours: white prints black; the others are dark enough to print as they are, and
// each kind of line has its own.
constexpr TColor InkColor = clWhite;
constexpr TColor KindColors[3] = {0x800080, 0xC05000, 0x1818C8}; // stations, buttocks, waterlines
constexpr TColor DesignWaterlineColor = 0x008C00;

std::string Number(double V) {
    return GeneralText(std::round(V * 1000) / 1000 + 0.0);
}

// Stations are numbered on the grid of n equal intervals from the aft to the fore perpendicular
// when they all lie on one (the smallest n that holds them, at most four per station); otherwise
// by their x.
std::vector<std::string> StationNumbers(const std::vector<double>& X, double Lbp) {
    std::vector<std::string> Labels;
    const int Most = 4 * static_cast<int>(X.size());
    for (int n = 1; n <= Most && Labels.empty(); ++n) {
        const auto OnGrid = [&](double x) {
            const double k = x / Lbp * n;
            return std::abs(k - std::round(k)) < 1e-6 * n;
        };
        if (std::all_of(X.begin(), X.end(), OnGrid))
            for (const double x : X) Labels.push_back(Number(std::round(x / Lbp * n)));
    }
    if (Labels.empty())
        for (const double x : X) Labels.push_back(Number(x));
    return Labels;
}

double TextWidth(const std::string& S, double Size) {
    return 0.6 * Size * static_cast<double>(S.size());
}

// The size at which labels Pitch apart on paper stay clear of each other, Extent being the
// label's extent along the pitch at LabelSize.
double CrowdedSize(double Pitch, double Extent) {
    if (!(Pitch > 0) || !(Extent > 0)) return LabelSize;
    return std::clamp(LabelSize * 0.85 * Pitch / Extent, SmallestLabel, LabelSize);
}

// The least distance on paper between neighbouring planes; none (a large value) for fewer than
// two.
double Pitch(std::vector<double> Positions, double Scale) {
    std::sort(Positions.begin(), Positions.end());
    double Least = 1e9;
    for (std::size_t k = 1; k < Positions.size(); ++k)
        if (Positions[k] > Positions[k - 1])
            Least = std::min(Least, (Positions[k] - Positions[k - 1]) * Scale);
    return Least;
}

// A label on one line of labels: its text, the position of its centre along the line and its
// extent along it, its colour.
struct TLabel {
    std::string Text;
    double At, Extent;
    TColor Color;
};

// Moves labels along their line until neighbours lie Gap apart or more, each run of crowded
// labels placed where its labels belong on the whole. Labels keep their order along the line.
void Declutter(std::vector<TLabel>& Labels, double Gap) {
    std::stable_sort(Labels.begin(), Labels.end(),
                     [](const TLabel& A, const TLabel& B) { return A.At < B.At; });
    // Offsets of a run's labels from its first label's centre.
    struct TRun {
        std::size_t First, Count;
        double Wanted, Offsets, Last; // sums of positions and offsets, the last label's offset
        double Start() const { return (Wanted - Offsets) / static_cast<double>(Count); }
    };
    const auto Step = [&](std::size_t k) {
        return (Labels[k - 1].Extent + Labels[k].Extent) / 2 + Gap;
    };
    std::vector<TRun> Runs;
    for (std::size_t k = 0; k < Labels.size(); ++k) {
        Runs.push_back({k, 1, Labels[k].At, 0, 0});
        while (Runs.size() > 1) {
            TRun &A = Runs[Runs.size() - 2], &B = Runs.back();
            const double Shift = A.Last + Step(B.First);
            if (A.Start() + Shift <= B.Start()) break;
            A.Wanted += B.Wanted;
            A.Offsets += B.Offsets + Shift * static_cast<double>(B.Count);
            A.Last = Shift + B.Last;
            A.Count += B.Count;
            Runs.pop_back();
        }
    }
    for (const TRun& R : Runs) {
        double At = R.Start();
        for (std::size_t k = R.First; k < R.First + R.Count; ++k) {
            if (k > R.First) At += Step(k);
            Labels[k].At = At;
        }
    }
}

// The text size at which Labels, set at LabelSize, fit in Room with Gap between them.
double FittingSize(const std::vector<TLabel>& Labels, double Gap, double Room) {
    double Needed = 0;
    for (const TLabel& L : Labels) Needed += L.Extent + Gap;
    return Needed > Room ? std::max(SmallestLabel, LabelSize * Room / Needed) : LabelSize;
}

void Write(TGStream& Device, const std::string& S, double X, double Y, double Size,
           THorizontalAnchor H, TVerticalAnchor V, TColor Color = InkColor) {
    Device.SetLineColor(Color);
    Device.SetTextStyle({Size, H, V, 0, false});
    Device.Text(S, X, Y, 0);
}

void Stroke(TGStream& Device, double X1, double Y1, double X2, double Y2) {
    Device.Line(X1, Y1, 0, X2, Y2, 0);
}

std::string Today() {
    const std::time_t Now = std::time(nullptr);
    std::tm Utc{};
    gmtime_r(&Now, &Utc);
    char Text[16];
    std::strftime(Text, sizeof Text, "%Y-%m-%d", &Utc);
    return Text;
}

} // namespace

std::optional<TLinesView> LinesViewByName(std::string_view Name) {
    if (Name == "profile") return lvProfile;
    if (Name == "plan") return lvPlan;
    if (Name == "body") return lvBody;
    if (Name == "all") return lvAll;
    return std::nullopt;
}

// What the views share: the reference positions, the hull's extent, the planes with the labels of
// the stations, and the hull's lines once they are built.
struct TLinesPlanSheet::TContent {
    double Lbp = 0, Beam = 0, Depth = 0, Draught = 0, Midships = 0;
    bool Bulbous = false;
    TExtents Extents;
    std::vector<double> Planes[3]; // stations, buttocks, waterlines
    std::vector<std::string> StationLabels;
    const THullLines* Lines = nullptr;
    // The body plan's stations aft of midships, mirrored to port.
    TPolylineList MirroredAft;
};

// One view: a window on the hull in two world axes with bands around it for its labels, placed
// on the sheet at the common scale.
class TLinesPlanSheet::TView {
public:
    TView(TLinesView AKind, const TContent& AContent) : Kind(AKind), C(AContent) {
        // The views that share an axis share its range: the base line and perpendiculars lie
        // inside whatever the hull's extent.
        const TExtents& E = C.Extents;
        const double HalfBreadth = std::max(E.MaxY, -E.MinY);
        const double Lengths[2] = {std::min(E.MinX, 0.0), std::max(E.MaxX, C.Lbp)};
        const double Heights[2] = {std::min(E.MinZ, 0.0), E.MaxZ};
        if (Kind == lvBody)
            Box = {-HalfBreadth, HalfBreadth, Heights[0], Heights[1]};
        else if (Kind == lvPlan)
            Box = {Lengths[0], Lengths[1], std::min(E.MinY, 0.0), E.MaxY};
        else
            Box = {Lengths[0], Lengths[1], Heights[0], Heights[1]};
        // The labels stand beyond the reference lines' overrun.
        Side = Overrun + SideLabelWidth();
        Top = Overrun + CaptionBand + (Kind == lvProfile ? 2 : 1) * LabelBand;
        Bottom = Overrun + LabelBand;
    }

    double ModelWidth(double s) const { return (Box.MaxA - Box.MinA) * s; }
    double ModelHeight(double s) const { return (Box.MaxU - Box.MinU) * s; }
    double Width(double s) const { return 2 * Side + ModelWidth(s); }
    double Height(double s) const { return Top + ModelHeight(s) + Bottom; }

    // The model window's top-left corner on the sheet, and the scale in mm per unit.
    void Place(double Left, double ATop, double s) {
        ModelLeft = Left;
        ModelTop = ATop;
        Scale = s;
    }

    void Draw(TGStream& Device) const;

    TLinesView Kind;
    double Side = 0, Top = 0, Bottom = 0;

private:
    struct TBox {
        double MinA = 0, MaxA = 0, MinU = 0, MaxU = 0;
    };
    const TContent& C;
    TBox Box;
    double ModelLeft = 0, ModelTop = 0, Scale = 1;

    int AcrossAxis() const { return Kind == lvBody ? 1 : 0; }
    int UpAxis() const { return Kind == lvPlan ? 1 : 2; }
    // The axis whose sections a view shows in their true shape.
    int ShapeAxis() const { return Kind == lvProfile ? 1 : Kind == lvPlan ? 2 : 0; }

    double SideLabelWidth() const;
    std::vector<std::pair<double, std::string>> SideLabels() const;
    void DrawLines(TSheetView& View, TGStream& Device) const;
    void DrawReferences(TSheetView& View, TGStream& Device) const;
    void DrawLabels(TSheetView& View, TGStream& Device) const;
    void DrawBodyStationLabels(TSheetView& View, TGStream& Device, double Row) const;
};

// The labels at the view's left and right edges with their heights (profile and body plan: the
// waterlines, the DWL and the base line) or offsets (plan: the buttocks and the centre line).
std::vector<std::pair<double, std::string>> TLinesPlanSheet::TView::SideLabels() const {
    std::vector<std::pair<double, std::string>> Labels;
    const int Axis = Kind == lvPlan ? 1 : 2;
    bool DesignWaterlineNamed = false;
    for (const double Position : C.Planes[Axis]) {
        const bool Design = Axis == 2 && std::abs(Position - C.Draught) < 1e-9;
        DesignWaterlineNamed = DesignWaterlineNamed || Design;
        Labels.emplace_back(Position, Design      ? std::string("DWL")
                                      : Axis == 2 ? "WL " + Number(Position)
                                                  : "BT " + Number(Position));
    }
    if (Axis == 2 && !DesignWaterlineNamed) Labels.emplace_back(C.Draught, "DWL");
    Labels.emplace_back(0.0, Axis == 2 ? "BL" : "CL");
    return Labels;
}

double TLinesPlanSheet::TView::SideLabelWidth() const {
    double W = 0;
    for (const auto& [Position, Text] : SideLabels()) W = std::max(W, TextWidth(Text, LabelSize));
    return W + 2 * LabelGap;
}

void TLinesPlanSheet::TView::Draw(TGStream& Device) const {
    TSheetView View(&Device, AcrossAxis(), UpAxis(), Scale, ModelLeft - Box.MinA * Scale,
                    ModelTop + Box.MaxU * Scale);
    static constexpr const char* Captions[] = {"Profile", "Plan", "Body plan"};
    Device.SetLayer(SheetLayer::Labels);
    Device.SetTextStyle({CaptionSize, haLeft, vaBaseline, 0, true});
    Device.SetLineColor(InkColor);
    Device.Text(Captions[Kind], ModelLeft - Side, ModelTop - Top + CaptionSize, 0);
    DrawReferences(View, Device);
    DrawLines(View, Device);
    DrawLabels(View, Device);
}

// The grid of lines seen edge on first, then the sections in their true shape, the design
// waterline and the hull's edges on top.
void TLinesPlanSheet::TView::DrawLines(TSheetView& View, TGStream& Device) const {
    const auto Sections = [&](bool TrueShape) {
        for (const auto& S : C.Lines->Sections) {
            // The body plan draws the stations aft of midships mirrored, below.
            if ((S->Axis == ShapeAxis()) != TrueShape ||
                (Kind == lvBody && S->Axis == 0 && S->Position < C.Midships))
                continue;
            Device.SetLayer(SheetLayer::Sections[S->Axis]);
            S->Lines.Draw(View);
            if (Kind == lvBody && S->Axis != 0) {
                const auto Port = S->Lines.TransformedCopy(*MirrorMatrix(2, 0));
                Port->Draw(View);
            }
        }
    };
    Device.SetPen(GridPen, lsSolid);
    Sections(false);
    Device.SetPen(ShapePen, lsSolid);
    Sections(true);
    Device.SetLayer(SheetLayer::Stations);
    if (Kind == lvBody) C.MirroredAft.Draw(View);
    Device.SetLayer(SheetLayer::DesignWaterline);
    Device.SetPen(DesignWaterlinePen, lsSolid);
    if (Kind == lvPlan) C.Lines->DesignWaterline->Lines.Draw(View);
    Device.SetLayer(SheetLayer::Outline);
    Device.SetPen(EdgePen, lsSolid);
    C.Lines->Lengthwise.Draw(View);
    if (Kind == lvBody) {
        const auto Port = C.Lines->Lengthwise.TransformedCopy(*MirrorMatrix(2, 0));
        Port->Draw(View);
        C.Lines->Ends.Polyline(1).Draw(View);
        const auto Aft = C.Lines->Ends.Polyline(0).TransformedCopy(*MirrorMatrix(2, 0));
        Aft->Draw(View);
    } else
        C.Lines->Ends.Draw(View);
}

// The base line or centre line across the view, the design waterline across the profile and
// body plan, the perpendiculars, and the body plan's centre line.
void TLinesPlanSheet::TView::DrawReferences(TSheetView& View, TGStream& Device) const {
    const double Left = ModelLeft - Overrun, Right = ModelLeft + ModelWidth(Scale) + Overrun;
    const double Up = ModelTop - Overrun, Down = ModelTop + ModelHeight(Scale) + Overrun;
    Device.SetLayer(SheetLayer::Reference);
    Device.SetLineColor(InkColor);
    Device.SetPen(ReferencePen, Kind == lvPlan ? lsDashDot : lsSolid);
    Stroke(Device, Left, View.SheetY(0), Right, View.SheetY(0));
    if (Kind == lvBody) {
        Device.SetPen(ReferencePen, lsDashDot);
        Stroke(Device, View.SheetX(0), Up, View.SheetX(0), Down);
    } else {
        Device.SetPen(ReferencePen, lsSolid);
        for (const double X : {0.0, C.Lbp})
            Stroke(Device, View.SheetX(X), Up, View.SheetX(X), Down);
    }
    if (Kind != lvPlan) {
        Device.SetLayer(SheetLayer::DesignWaterline);
        Device.SetLineColor(DesignWaterlineColor);
        Device.SetPen(DesignWaterlinePen, lsSolid);
        Stroke(Device, Left, View.SheetY(C.Draught), Right, View.SheetY(C.Draught));
    }
}

void TLinesPlanSheet::TView::DrawLabels(TSheetView& View, TGStream& Device) const {
    const double Left = ModelLeft - Overrun - LabelGap;
    const double Right = ModelLeft + ModelWidth(Scale) + Overrun + LabelGap;
    const double Up = ModelTop - Overrun - LabelGap;
    const double Down = ModelTop + ModelHeight(Scale) + Overrun + LabelGap;
    Device.SetLayer(SheetLayer::Labels);

    // Heights or offsets at both side edges, sized for the planes' pitch and moved apart where
    // the design waterline or base line falls close to one.
    const double SideSize = CrowdedSize(Pitch(C.Planes[Kind == lvPlan ? 1 : 2], Scale), LabelSize);
    std::vector<TLabel> Side;
    for (const auto& [Position, Text] : SideLabels())
        Side.push_back({Text, View.SheetY(Position), SideSize,
                        Text == "DWL" ? DesignWaterlineColor : InkColor});
    Declutter(Side, SideSize * 0.15);
    for (const TLabel& L : Side) {
        Write(Device, L.Text, Left, L.At, SideSize, haRight, vaMiddle, L.Color);
        Write(Device, L.Text, Right, L.At, SideSize, haLeft, vaMiddle, L.Color);
    }
    if (Kind == lvBody) {
        // The buttocks and the centre line below the base line.
        Write(Device, "CL", View.SheetX(0), Down, LabelSize, haCentre, vaTop);
        for (const double Offset : C.Planes[1])
            for (const double Y : {-Offset, Offset})
                Write(Device, Number(Offset), View.SheetX(Y), Down, LabelSize, haCentre, vaTop,
                      KindColors[1]);
        DrawBodyStationLabels(View, Device, Up);
        return;
    }
    // Station numbers above and below the view; the perpendiculars and midships above the
    // profile.
    double Widest = 0;
    for (const std::string& Label : C.StationLabels)
        Widest = std::max(Widest, TextWidth(Label, LabelSize));
    const double StationSize = CrowdedSize(Pitch(C.Planes[0], Scale), Widest);
    std::vector<TLabel> Stations;
    for (std::size_t k = 0; k < C.StationLabels.size(); ++k)
        Stations.push_back({C.StationLabels[k], View.SheetX(C.Planes[0][k]),
                            TextWidth(C.StationLabels[k], StationSize), KindColors[0]});
    Declutter(Stations, LabelGap);
    for (const TLabel& L : Stations) {
        Write(Device, L.Text, L.At, Up, StationSize, haCentre, vaBottom, L.Color);
        Write(Device, L.Text, L.At, Down, StationSize, haCentre, vaTop, L.Color);
    }
    if (Kind == lvProfile) {
        const double Marks = Up - LabelBand;
        Write(Device, "AP", View.SheetX(0), Marks, LabelSize, haCentre, vaBottom);
        Write(Device, "FP", View.SheetX(C.Lbp), Marks, LabelSize, haCentre, vaBottom);
        DrawMidshipsSymbol(Device, View.SheetX(C.Midships), Marks - LabelSize / 2, LabelSize / 2);
    }
}

// Each station numbered in a row above the body plan, over the upper end of its section;
// stations whose ends fall together (the parallel middle body) share one label "first-last".
void TLinesPlanSheet::TView::DrawBodyStationLabels(TSheetView& View, TGStream& Device,
                                                   double Row) const {
    struct TEnd {
        double X, Y;
        std::string First, Last;
    };
    std::vector<TEnd> Ends;
    for (std::size_t k = 0; k < C.StationLabels.size(); ++k) {
        const THullSection& S = *C.Lines->Sections[k];
        const double Side = S.Position < C.Midships ? -1 : 1;
        std::optional<TEnd> Upper;
        for (int i = 0; i < S.Lines.Count(); ++i)
            for (const int e : {0, S.Lines.Polyline(i).Count() - 1}) {
                const TRPoint& P = S.Lines.Polyline(i).At(e);
                if (!Upper || View.SheetY(P.Z) < Upper->Y)
                    Upper = TEnd{View.SheetX(Side * P.Y), View.SheetY(P.Z), C.StationLabels[k],
                                 C.StationLabels[k]};
            }
        if (!Upper) continue;
        const bool Together = !Ends.empty() && std::abs(Ends.back().X - Upper->X) < LabelGap / 4 &&
                              std::abs(Ends.back().Y - Upper->Y) < LabelGap / 4;
        if (Together)
            Ends.back().Last = Upper->Last;
        else
            Ends.push_back(*Upper);
    }
    std::vector<TLabel> Labels;
    for (const TEnd& E : Ends) {
        const std::string Text = E.First == E.Last ? E.First : E.First + "-" + E.Last;
        Labels.push_back({Text, E.X, TextWidth(Text, LabelSize), KindColors[0]});
    }
    // The row keeps to the body plan's width.
    const double Size = FittingSize(Labels, LabelGap, Width(Scale));
    for (TLabel& L : Labels) L.Extent *= Size / LabelSize;
    Declutter(Labels, LabelGap * Size / LabelSize);
    for (const TLabel& L : Labels)
        Write(Device, L.Text, L.At, Row, Size, haCentre, vaBottom, L.Color);
}

namespace {

// The sheet's paper inside the frame.
struct TArea {
    double Left, Top, Width, Height;
};

TArea DrawingArea(const TPaperSize& Paper) {
    const double Inset = FrameMargin + FramePadding;
    return {Inset, Inset, Paper.Width - 2 * Inset, Paper.Height - 2 * Inset};
}

void SetColor(TPolylineList& Lines, TColor Color) {
    for (int i = 0; i < Lines.Count(); ++i) {
        Lines.Polyline(i).UseColors = true;
        Lines.Polyline(i).LineColor = Color;
    }
}

} // namespace

// The room the drawing needs at one scale, with the legend and title block beside the views or
// below them.
struct TLinesPlanSheet::TLayout {
    double Width = 0, Height = 0;
    double StackedWidth = 0, StackedHeight = 0;

    bool Fits(const TArea& A) const {
        return (Width <= A.Width && Height <= A.Height) ||
               (StackedWidth <= A.Width && StackedHeight <= A.Height);
    }
};

TLinesPlanSheet::TLinesPlanSheet(TKeelvane& Hull, const TContours& Planes,
                                 const TLinesPlanOptions& Options)
    : FOptions(Options), FContent(std::make_unique<TContent>()) {
    if (FOptions.Date.empty()) FOptions.Date = Today();
    TContent& C = *FContent;
    const TKeelvaneParameters& P = Hull.Parameters();
    C.Lbp = P.Lbp;
    C.Beam = P.Beam;
    C.Depth = P.Depth;
    C.Draught = P.Draught;
    C.Bulbous = P.BowShape == 1;
    C.Midships = Hull.Midship();
    C.Extents = HullExtents(Hull);
    for (std::uint8_t Axis = 0; Axis < 3; ++Axis) C.Planes[Axis] = Planes.List(Axis).Positions();
    C.StationLabels = StationNumbers(C.Planes[0], C.Lbp);

    for (const TLinesView Kind : {lvProfile, lvPlan, lvBody})
        if (FOptions.View == lvAll || FOptions.View == Kind)
            FViews.push_back(std::make_unique<TView>(Kind, C));
    FLegend = std::make_unique<TLegend>(std::vector<TLegendEntry>{
        {InkColor, EdgePen, lsSolid, "Hull outline"},
        {KindColors[0], ShapePen, lsSolid, "Stations"},
        {DesignWaterlineColor, DesignWaterlinePen, lsSolid, "DWL design waterline"},
        {KindColors[2], ShapePen, lsSolid, "Waterlines (WL)"},
        {InkColor, ReferencePen, lsSolid, "BL base line, AP, FP"},
        {KindColors[1], ShapePen, lsSolid, "Buttocks (BT)"},
        {InkColor, ReferencePen, lsDashDot, "CL centre line"},
        {InkColor, GridPen, lsSolid, "Midships", true},
    });

    FScale = ChooseScale();
    FLines = BuildHullLines(Hull, Planes, C.Draught, ChordTolerance / PaperPerUnit());
    C.Lines = FLines.get();
    SetColor(FLines->Lengthwise, InkColor);
    SetColor(FLines->Ends, InkColor);
    SetColor(FLines->DesignWaterline->Lines, DesignWaterlineColor);
    const auto Mirror = MirrorMatrix(2, 0);
    for (const auto& S : FLines->Sections) {
        SetColor(S->Lines, KindColors[S->Axis]);
        if (S->Axis == 0 && S->Position < C.Midships)
            for (int i = 0; i < S->Lines.Count(); ++i)
                C.MirroredAft.AddPolyline(S->Lines.Polyline(i).TransformedCopy(*Mirror));
    }
    Place();
}

TLinesPlanSheet::~TLinesPlanSheet() = default;

double TLinesPlanSheet::PaperPerUnit() const {
    return MillimetresPerUnit(FOptions.Unit) / FScale;
}

TLinesPlanSheet::TLayout TLinesPlanSheet::Measure(double s) const {
    const double BlocksW = TTitleBlock::Width;
    const double BlocksH = FLegend->Height() + ViewGap / 2 + TitleBlock().Height();
    TLayout L;
    if (FViews.size() == 1) {
        const TView& V = *FViews[0];
        L.Width = V.Width(s) + ViewGap + BlocksW;
        L.Height = std::max(V.Height(s), BlocksH);
        L.StackedWidth = std::max(V.Width(s), BlocksW);
        L.StackedHeight = V.Height(s) + ViewGap + BlocksH;
        return L;
    }
    const TView &Profile = *FViews[0], &Plan = *FViews[1], &Body = *FViews[2];
    const double Length = std::max(Profile.Side, Plan.Side) * 2 + Profile.ModelWidth(s);
    const double Upper = std::max(Profile.Top, Body.Top) + Profile.ModelHeight(s) +
                         std::max(Profile.Bottom, Body.Bottom);
    // The blocks sit in the lower right corner: beside the plan and under the body plan, or,
    // when the views are long and low, under the plan.
    L.Width = Length + ViewGap + std::max(Body.Width(s), BlocksW);
    L.Height = Upper + ViewGap + std::max(Plan.Height(s), BlocksH);
    L.StackedWidth = std::max(Length + ViewGap + Body.Width(s), BlocksW);
    L.StackedHeight = Upper + ViewGap + Plan.Height(s) + ViewGap + BlocksH;
    return L;
}

double TLinesPlanSheet::ChooseScale() const {
    const TArea A = DrawingArea(FOptions.Paper);
    const double PerUnit = MillimetresPerUnit(FOptions.Unit);
    std::optional<double> Largest;
    for (auto N = StandardScaleFrom(1); N && !Largest; N = StandardScaleFrom(*N * 1.001))
        if (Measure(PerUnit / *N).Fits(A)) Largest = N;
    if (!Largest)
        throw EGeometryError("The lines plan does not fit on " + std::string(FOptions.Paper.Name) +
                             " at any scale");
    if (!FOptions.Scale) return *Largest;
    if (!Measure(PerUnit / *FOptions.Scale).Fits(A))
        throw EGeometryError("The lines plan does not fit on " + std::string(FOptions.Paper.Name) +
                             " at " + ScaleText(*FOptions.Scale) +
                             "; the largest standard scale at which it fits is " +
                             ScaleText(*Largest));
    return *FOptions.Scale;
}

void TLinesPlanSheet::Place() {
    const TArea A = DrawingArea(FOptions.Paper);
    const double s = PaperPerUnit();
    if (FViews.size() == 1) {
        FViews[0]->Place(A.Left + FViews[0]->Side, A.Top + FViews[0]->Top, s);
        return;
    }
    TView &Profile = *FViews[0], &Plan = *FViews[1], &Body = *FViews[2];
    const double Side = std::max(Profile.Side, Plan.Side);
    const double Top = std::max(Profile.Top, Body.Top);
    const double Upper = Top + Profile.ModelHeight(s) + std::max(Profile.Bottom, Body.Bottom);
    Profile.Place(A.Left + Side, A.Top + Top, s);
    Plan.Place(A.Left + Side, A.Top + Upper + ViewGap + Plan.Top, s);
    Body.Place(A.Left + 2 * Side + Profile.ModelWidth(s) + ViewGap + Body.Side, A.Top + Top, s);
}

TTitleBlock TLinesPlanSheet::TitleBlock() const {
    const TContent& C = *FContent;
    const bool Stated = FOptions.Unit != luAsEntered;
    const std::string Unit = Stated ? " " + std::string(LengthUnitName(FOptions.Unit)) : "";
    const auto Length = [&](double V) { return Number(V) + Unit; };
    const std::string Counts = std::to_string(C.Planes[0].size()) + " / " +
                               std::to_string(C.Planes[2].size()) + " / " +
                               std::to_string(C.Planes[1].size());
    const std::string Scale = FScale > 0 ? ScaleText(FScale) : "";
    return TTitleBlock({
        {{"Lines plan of", FOptions.ProjectName.empty() ? "(unsaved)" : FOptions.ProjectName}},
        {{"Lbp", Length(C.Lbp)}, {"Beam", Length(C.Beam)}},
        {{"Depth", Length(C.Depth)}, {"Draught", Length(C.Draught)}},
        {{"Bow", C.Bulbous ? "bulbous" : "plain"}, {"Stations / waterlines / buttocks", Counts}},
        {{"Scale", Scale + " on " + std::string(FOptions.Paper.Name),
          std::string("units: ") + std::string(LengthUnitName(FOptions.Unit)) +
              (Stated ? "" : ", scale taking 1 unit as 1 m")},
         {"Date", FOptions.Date}},
    });
}

void TLinesPlanSheet::Draw(TGStream& Device) const {
    const TPaperSize& Paper = FOptions.Paper;
    Device.SetLayer(SheetLayer::Frame);
    Device.SetLineColor(InkColor);
    Device.SetPen(FramePen, lsSolid);
    const double R = Paper.Width - FrameMargin, B = Paper.Height - FrameMargin;
    Stroke(Device, FrameMargin, FrameMargin, R, FrameMargin);
    Stroke(Device, R, FrameMargin, R, B);
    Stroke(Device, R, B, FrameMargin, B);
    Stroke(Device, FrameMargin, B, FrameMargin, FrameMargin);
    for (const auto& View : FViews) View->Draw(Device);
    const TArea A = DrawingArea(Paper);
    const TTitleBlock Title = TitleBlock();
    const double Left = A.Left + A.Width - TTitleBlock::Width;
    const double TitleTop = A.Top + A.Height - Title.Height();
    Device.SetLayer(SheetLayer::Title);
    Title.Draw(Device, Left, TitleTop);
    Device.SetLayer(SheetLayer::Legend);
    FLegend->Draw(Device, Left, TitleTop - ViewGap / 2 - FLegend->Height());
}

std::string TLinesPlanSheet::Svg() const {
    TSvgStream Stream(Width(), Height(), "mm");
    Draw(Stream);
    return Stream.Document();
}
