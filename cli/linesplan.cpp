// The lines plan on paper: plane lists from text, and the standard views of the hull's outline
// and contours arranged on one SVG sheet at a common scale.
#include "cli/linesplan.h"

#include "display/svgstream.h"
#include "display/view3d.h"
#include "display/viewfit.h"
#include "geometry/bsurface.h"
#include "geometry/errors.h"
#include "geometry/polylist.h"
#include "geometry/textutil.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr double SheetWidth = 1600; // device units of the whole sheet's width
constexpr double CaptionBand = 22;  // above each view, for its caption
constexpr double CaptionInset = 6;

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

// The edges of the surface sampled as its contours are: keel or centre line, deck edge, and the
// two end columns.
std::unique_ptr<TPolylineList> Outline(TBSplineSurface& Surface) {
    const auto Mesh = Surface.SampleMesh(3 * Surface.NumU, 3 * Surface.NumV);
    auto Edges = std::make_unique<TPolylineList>();
    auto Edge = [&](int I0, int J0, int DI, int DJ, int N) {
        auto P = std::make_unique<TPolyline>();
        for (int k = 0; k < N; ++k) P->AddCopy(&Mesh->Point(I0 + k * DI, J0 + k * DJ));
        P->UseColors = true;
        P->LineColor = clWhite;
        Edges->AddPolyline(std::move(P));
    };
    const int NU = Mesh->NumU, NV = Mesh->NumV;
    Edge(0, 0, 1, 0, NU);
    Edge(0, NV - 1, 1, 0, NU);
    Edge(0, 0, 0, 1, NV);
    Edge(NU - 1, 0, 0, 1, NV);
    return Edges;
}

struct TStandardView {
    double Phi, Theta;
    const char* Caption;
};
constexpr TStandardView ProfileView{90, 270, "Profile"};
constexpr TStandardView PlanView{0, 270, "Plan"};
constexpr TStandardView BodyView{90, 0, "Body plan"};

using TDrawing = std::function<void(TGStream&)>;

// One standard view measured on the drawing, waiting for its place on the sheet.
class TPlacedView {
public:
    TPlacedView(const TStandardView& Standard, const TDrawing& Draw)
        : Caption(Standard.Caption), View(static_cast<TGStream*>(nullptr)) {
        View.SetPhi(Standard.Phi);
        View.SetTheta(Standard.Theta);
        // The first pass moves the rotation centre to the model, the second measures about it.
        MeasureExtents(View, Draw);
        MeasureExtents(View, Draw);
        if (!(View.MaxX() > View.MinX() && View.MaxY() > View.MinY()))
            throw EGeometryError("The hull has no extent to draw");
    }

    // The size the view takes on the sheet at Scale device units per length unit, margin
    // included; the height also holds the caption band.
    double Width(double Scale) const {
        return (View.MaxX() - View.MinX()) * (1 + FitMargin) * Scale;
    }
    double Height(double Scale) const { return CaptionBand + std::round(DrawingHeight(Scale)); }

    void DrawAt(TSvgStream& Sheet, double X, double Y, double Scale, const TDrawing& Draw) {
        const auto W = static_cast<std::int32_t>(std::lround(Width(Scale)));
        const auto H = static_cast<std::int32_t>(std::lround(DrawingHeight(Scale)));
        const auto Window = FittedWindow(View, W, H);
        if (!Window) throw EGeometryError("The hull has no extent to draw");
        SetWindow(View, *Window, W, H);
        Sheet.SetOrigin(X, Y);
        Sheet.SetLineColor(clWhite);
        Sheet.Text(Caption, CaptionInset, CaptionInset, 0);
        Sheet.SetOrigin(X, Y + CaptionBand);
        View.SetTarget(&Sheet);
        Draw(View);
    }

private:
    const char* Caption;
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
                                          TLinesView View) {
    const auto Edges = Outline(Surface);
    const TDrawing Draw = [&](TGStream& S) {
        Edges->Draw(S);
        Contours.Draw(S);
    };
    if (View != lvAll) {
        TPlacedView Only(View == lvProfile ? ProfileView
                         : View == lvPlan  ? PlanView
                                           : BodyView,
                         Draw);
        const double Scale = SheetWidth / Only.Width(1);
        auto Sheet = std::make_unique<TSvgStream>(SheetWidth, Only.Height(Scale));
        Only.DrawAt(*Sheet, 0, 0, Scale, Draw);
        return Sheet;
    }
    // Profile and plan share the length axis, profile and body plan the height axis.
    TPlacedView Profile(ProfileView, Draw), Plan(PlanView, Draw), Body(BodyView, Draw);
    const double Scale = SheetWidth / (std::max(Profile.Width(1), Plan.Width(1)) + Body.Width(1));
    const double Top = std::max(Profile.Height(Scale), Body.Height(Scale));
    auto Sheet = std::make_unique<TSvgStream>(SheetWidth, Top + Plan.Height(Scale));
    const double Left = std::round(std::max(Profile.Width(Scale), Plan.Width(Scale)));
    Profile.DrawAt(*Sheet, 0, 0, Scale, Draw);
    Body.DrawAt(*Sheet, Left, 0, Scale, Draw);
    Plan.DrawAt(*Sheet, 0, Top, Scale, Draw);
    return Sheet;
}
