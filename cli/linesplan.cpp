// The lines plan on paper: plane lists from text, and the standard views of the hull's outline
// and contours arranged on one SVG sheet at a common scale.
#include "cli/linesplan.h"

#include "display/svgstream.h"
#include "display/view3d.h"
#include "display/viewfit.h"
#include "geometry/bsurface.h"
#include "geometry/errors.h"
#include "geometry/matrix.h"
#include "geometry/polylist.h"
#include "geometry/textutil.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double SheetWidth = 1600; // device units of the whole sheet's width
constexpr double CaptionBand = 30;  // above each view, for its caption
constexpr double CaptionInset = 8;
constexpr double CaptionSize = 18;

std::vector<std::string_view> Split(std::string_view S, char Separator) {
    std::vector<std::string_view> Parts;
    for (std::size_t Start = 0;;) {
        const std::size_t End = S.find(Separator, Start);
        Parts.push_back(S.substr(Start, End - Start));
        if (End == std::string_view::npos) return Parts;
        Start = End + 1;
    }
}

std::optional<std::vector<double>> EvenlySpaced(std::string_view Spec) {
    const auto Parts = Split(Spec, ':');
    if (Parts.size() != 3) return std::nullopt;
    const auto Start = TextToNumber(Parts[0]), End = TextToNumber(Parts[1]);
    const auto Count = TextToInteger(Trim(Parts[2]));
    if (!Start || !End || !Count || *Count < 1 || (*Count == 1 && *Start != *End))
        return std::nullopt;
    std::vector<double> Positions;
    for (int i = 0; i < *Count; ++i)
        Positions.push_back(*Count == 1 ? *Start : *Start + i * (*End - *Start) / (*Count - 1));
    return Positions;
}

std::optional<std::vector<double>> Listed(std::string_view Spec) {
    std::vector<double> Positions;
    for (const std::string_view Part : Split(Spec, ',')) {
        const auto Value = TextToNumber(Part);
        if (!Value) return std::nullopt;
        Positions.push_back(*Value);
    }
    return Positions;
}

// The edges of the surface sampled as its contours are: the lengthwise ones (keel or centre line,
// deck edge) and the two end columns.
struct THullOutline {
    TPolylineList Lengthwise, Ends;
};

std::unique_ptr<THullOutline> Outline(TBSplineSurface& Surface) {
    const auto Mesh = Surface.SampleMesh(3 * Surface.NumU, 3 * Surface.NumV);
    auto Result = std::make_unique<THullOutline>();
    auto Edge = [&](TPolylineList& List, int I0, int J0, int DI, int DJ, int N) {
        auto P = std::make_unique<TPolyline>();
        for (int k = 0; k < N; ++k) P->AddCopy(&Mesh->Point(I0 + k * DI, J0 + k * DJ));
        P->UseColors = true;
        P->LineColor = clWhite;
        List.AddPolyline(std::move(P));
    };
    const int NU = Mesh->NumU, NV = Mesh->NumV;
    Edge(Result->Lengthwise, 0, 0, 1, 0, NU);
    Edge(Result->Lengthwise, 0, NV - 1, 1, 0, NU);
    Edge(Result->Ends, 0, 0, 0, 1, NV);
    Edge(Result->Ends, NU - 1, 0, 0, 1, NV);
    return Result;
}

// The axis (0 X, 1 Y, 2 Z) on which every point of P has the same coordinate, as a contour's
// points have; -1 for none.
int PlaneAxis(const TPolyline& P) {
    for (int Axis = 0; Axis < 3; ++Axis) {
        bool Flat = true;
        for (int k = 1; k < P.Count() && Flat; ++k)
            Flat = P.At(k).Coord(Axis) == P.At(0).Coord(Axis);
        if (Flat) return Axis;
    }
    return -1;
}

// Pen widths on the sheet: the hull's edges stand out, the lines a view sees edge on (straight
// reference lines there) recede behind the lines it shows in their true shape.
constexpr double EdgePen = 1.6, ShapePen = 1.0, ReferencePen = 0.5;

// One line of the drawing; Axis is the axis of its cutting plane, -1 for an edge of the hull.
struct TLine {
    const TPolyline* P;
    int Axis;
};

// What the views show. The profile and the plan draw every line once. The body plan draws the
// sections aft of Midships (stations and the aft end) mirrored to the left of the centre line,
// the others on the right, and the lengthwise lines (keel, deck edge, waterlines, buttocks),
// which it sees edge on, on both sides, so that they run across the whole plan.
class TLinesDrawing {
public:
    TLinesDrawing(TBSplineSurface& Surface, const TPolylineList& Contours, double Midships)
        : Hull(Outline(Surface)) {
        const auto Mirror = MirrorMatrix(2, 0);
        auto Place = [&](const TPolyline& P, int Axis, bool Crosswise) {
            Lines.push_back({&P, Axis});
            const bool Aft = P.Count() > 0 && P.At(0).X < Midships;
            if (!Crosswise || Aft) {
                Mirrored.AddPolyline(P.TransformedCopy(*Mirror));
                BodyLines.push_back({&Mirrored.Polyline(Mirrored.Count() - 1), Axis});
            }
            if (!Crosswise || !Aft) BodyLines.push_back({&P, Axis});
        };
        for (int i = 0; i < Hull->Lengthwise.Count(); ++i)
            Place(Hull->Lengthwise.Polyline(i), -1, false);
        for (int i = 0; i < Hull->Ends.Count(); ++i) Place(Hull->Ends.Polyline(i), -1, true);
        for (int i = 0; i < Contours.Count(); ++i) {
            const int Axis = PlaneAxis(Contours.Polyline(i));
            Place(Contours.Polyline(i), Axis, Axis == 0);
        }
    }

    // The view looking along Axis (0 the body plan, 1 the profile, 2 the plan), thinnest pen
    // first so that heavier lines lie on top; the pen is set on Sheet unless it is null.
    void Draw(TGStream& S, TSvgStream* Sheet, int Axis) const {
        for (const double Pen : {ReferencePen, ShapePen, EdgePen}) {
            if (Sheet) Sheet->SetPenWidth(Pen);
            for (const TLine& L : Axis == 0 ? BodyLines : Lines)
                if (PenOf(L, Axis) == Pen) L.P->Draw(S);
        }
    }

private:
    std::unique_ptr<THullOutline> Hull;
    TPolylineList Mirrored;
    std::vector<TLine> Lines, BodyLines;

    static double PenOf(const TLine& L, int Axis) {
        return L.Axis < 0 ? EdgePen : L.Axis == Axis ? ShapePen : ReferencePen;
    }
};

struct TStandardView {
    double Phi, Theta;
    int Axis; // the axis it looks along
    const char* Caption;
};
constexpr TStandardView ProfileView{90, 270, 1, "Profile"};
constexpr TStandardView PlanView{0, 270, 2, "Plan"};
constexpr TStandardView BodyView{90, 0, 0, "Body plan"};

// One standard view measured on its drawing, waiting for its place on the sheet.
class TPlacedView {
public:
    TPlacedView(const TStandardView& AStandard, const TLinesDrawing& ADrawing)
        : Standard(AStandard), Drawing(ADrawing), View(static_cast<TGStream*>(nullptr)) {
        View.SetPhi(Standard.Phi);
        View.SetTheta(Standard.Theta);
        const auto Measured = [this](TGStream& S) { Drawing.Draw(S, nullptr, Standard.Axis); };
        // The first pass moves the rotation centre to the model, the second measures about it.
        MeasureExtents(View, Measured);
        MeasureExtents(View, Measured);
        if (!(View.MaxX() > View.MinX() && View.MaxY() > View.MinY()))
            throw EGeometryError("The hull has no extent to draw");
    }

    // The size the view takes on the sheet at Scale device units per length unit, margin
    // included; the height also holds the caption band.
    double Width(double Scale) const {
        return (View.MaxX() - View.MinX()) * (1 + FitMargin) * Scale;
    }
    double Height(double Scale) const { return CaptionBand + std::round(DrawingHeight(Scale)); }

    void DrawAt(TSvgStream& Sheet, double X, double Y, double Scale) {
        const auto W = static_cast<std::int32_t>(std::lround(Width(Scale)));
        const auto H = static_cast<std::int32_t>(std::lround(DrawingHeight(Scale)));
        const auto Window = FittedWindow(View, W, H);
        if (!Window) throw EGeometryError("The hull has no extent to draw");
        SetWindow(View, *Window, W, H);
        Sheet.SetOrigin(X, Y);
        Sheet.SetLineColor(clWhite);
        Sheet.SetFontSize(CaptionSize);
        Sheet.Text(Standard.Caption, CaptionInset, CaptionInset, 0);
        Sheet.SetOrigin(X, Y + CaptionBand);
        View.SetTarget(&Sheet);
        Drawing.Draw(View, &Sheet, Standard.Axis);
    }

private:
    const TStandardView& Standard;
    const TLinesDrawing& Drawing;
    TG3DView View;

    double DrawingHeight(double Scale) const {
        return (View.MaxY() - View.MinY()) * (1 + FitMargin) * Scale;
    }
};

} // namespace

std::optional<TLinesView> LinesViewByName(std::string_view Name) {
    if (Name == "profile") return lvProfile;
    if (Name == "plan") return lvPlan;
    if (Name == "body") return lvBody;
    if (Name == "all") return lvAll;
    return std::nullopt;
}

std::optional<std::vector<double>> ParsePlaneSpec(std::string_view Spec) {
    return Spec.find(':') != std::string_view::npos ? EvenlySpaced(Spec) : Listed(Spec);
}

std::unique_ptr<TSvgStream> DrawLinesPlan(TBSplineSurface& Surface, const TPolylineList& Contours,
                                          double Midships, TLinesView View) {
    const TLinesDrawing Drawing(Surface, Contours, Midships);
    if (View != lvAll) {
        TPlacedView Only(View == lvProfile ? ProfileView
                         : View == lvPlan  ? PlanView
                                           : BodyView,
                         Drawing);
        const double Scale = SheetWidth / Only.Width(1);
        auto Sheet = std::make_unique<TSvgStream>(SheetWidth, Only.Height(Scale));
        Only.DrawAt(*Sheet, 0, 0, Scale);
        return Sheet;
    }
    // Profile and plan share the length axis, profile and body plan the height axis.
    TPlacedView Profile(ProfileView, Drawing), Plan(PlanView, Drawing), Body(BodyView, Drawing);
    const double Scale = SheetWidth / (std::max(Profile.Width(1), Plan.Width(1)) + Body.Width(1));
    const double Top = std::max(Profile.Height(Scale), Body.Height(Scale));
    auto Sheet = std::make_unique<TSvgStream>(SheetWidth, Top + Plan.Height(Scale));
    const double Left = std::round(std::max(Profile.Width(Scale), Plan.Width(Scale)));
    Profile.DrawAt(*Sheet, 0, 0, Scale);
    Body.DrawAt(*Sheet, Left, 0, Scale);
    Plan.DrawAt(*Sheet, 0, Top, Scale);
    return Sheet;
}
