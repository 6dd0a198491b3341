// Plots of the hydrostatics in device units through a graphics stream: framed panels with a grid,
// tick values and a legend, the curves of form as eight of them, the sectional-area curve as one.
#include "hydro/plots.h"

#include "geometry/gstream.h"
#include "geometry/points.h"
#include "geometry/records.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr TColor clGrid = 0xD8D8D8;
constexpr TColor clMark = 0x707070;
// Blue, red, green and orange, as 0x00BBGGRR.
constexpr TColor SeriesColors[] = {0xC05000, 0x2828C8, 0x3C961E, 0x0082E6};

void Polyline(TGStream& S, TColor Color, const std::vector<std::pair<double, double>>& Pixels) {
    TRPoints P;
    P.UseColors = true;
    P.LineColor = Color;
    for (const auto& [x, y] : Pixels) P.Add(TRPoint::CreateXYZ(x, y, 0));
    S.DrawPoints(P);
}

// The tick values of a scale, rounded to its step so they print short.
std::vector<double> Ticks(const TPlotScale& Scale) {
    std::vector<double> T;
    const int n = static_cast<int>(std::lround((Scale.Hi - Scale.Lo) / Scale.Step));
    for (int k = 0; k <= n; ++k)
        T.push_back(std::round((Scale.Lo + k * Scale.Step) / Scale.Step) * Scale.Step);
    return T;
}

// Whether the polyline Pixels passes through the rectangle x0 .. x1, y0 .. y1.
bool Crosses(const std::vector<std::pair<double, double>>& Pixels, double x0, double x1, double y0,
             double y1) {
    for (std::size_t k = 1; k < Pixels.size(); ++k) {
        const auto [ax, ay] = Pixels[k - 1];
        const auto [bx, by] = Pixels[k];
        // The part of the segment within the rectangle's rows, then its columns.
        double t0 = 0, t1 = 1;
        if (ay != by) {
            const double ta = (y0 - ay) / (by - ay), tb = (y1 - ay) / (by - ay);
            t0 = std::max(0.0, std::min(ta, tb));
            t1 = std::min(1.0, std::max(ta, tb));
        } else if (ay < y0 || ay > y1)
            continue;
        if (t0 > t1) continue;
        const double xa = ax + t0 * (bx - ax), xb = ax + t1 * (bx - ax);
        if (std::max(xa, xb) >= x0 && std::min(xa, xb) <= x1) return true;
    }
    return false;
}

TPlotSeries Series(const std::string& Name, TColor Color,
                   const std::vector<THydroParticulars>& Curves, double THydroParticulars::*Field) {
    TPlotSeries S{Name, Color, {}};
    for (const THydroParticulars& H : Curves) S.Points.push_back({H.*Field, H.Draught});
    return S;
}

} // namespace

TPlotScale NiceScale(double Lo, double Hi, int Ticks) {
    if (!(Hi > Lo)) {
        const double Pad = Lo != 0 ? std::fabs(Lo) / 10 : 1;
        Lo -= Pad;
        Hi += Pad;
    }
    const double Raw = (Hi - Lo) / std::max(Ticks, 1);
    const double Power = std::pow(10.0, std::floor(std::log10(Raw)));
    double Step = 10 * Power;
    for (const double m : {1.0, 2.0, 5.0})
        if (m * Power >= Raw * (1 - 1e-9)) {
            Step = m * Power;
            break;
        }
    return {std::floor(Lo / Step + 1e-9) * Step, std::ceil(Hi / Step - 1e-9) * Step, Step};
}

void DrawPanel(TGStream& S, const TPlotArea& Area, const std::string& Title,
               const std::string& XName, const std::string& YName,
               const std::vector<TPlotSeries>& Series, std::optional<double> Mark,
               const std::string& MarkName) {
    double MinX = std::numeric_limits<double>::max(), MaxX = -MinX, MinY = MinX, MaxY = -MinX;
    for (const TPlotSeries& C : Series)
        for (const auto& [x, y] : C.Points) {
            MinX = std::min(MinX, x);
            MaxX = std::max(MaxX, x);
            MinY = std::min(MinY, y);
            MaxY = std::max(MaxY, y);
        }
    if (MinX > MaxX) return;
    const double h = S.TextHeight("0"), Pad = h / 2;
    // About one tick per ten characters across and per two and a half lines up.
    const TPlotScale X = NiceScale(MinX, MaxX,
                                   std::max(2, static_cast<int>(Area.Width / (10 * h)))),
                     Y = NiceScale(MinY, MaxY,
                                   std::max(2, static_cast<int>(Area.Height / (2.5 * h))));
    double LabelWidth = 0;
    for (double v : Ticks(Y)) LabelWidth = std::max(LabelWidth, S.TextWidth(GeneralText(v)));
    const double Left = Area.X + LabelWidth + Pad, Top = Area.Y + 2 * h + Pad;
    const double Right = Area.X + Area.Width - S.TextWidth(GeneralText(X.Hi)) / 2 - Pad;
    const double Bottom = Area.Y + Area.Height - 2 * h - Pad;
    if (Right - Left < 4 * h || Bottom - Top < 2 * h) return;
    const auto Px = [&](double x) { return Left + (x - X.Lo) / (X.Hi - X.Lo) * (Right - Left); };
    const auto Py = [&](double y) { return Bottom - (y - Y.Lo) / (Y.Hi - Y.Lo) * (Bottom - Top); };

    S.Text(Title, Area.X, Area.Y, 0);
    S.Text(YName, Area.X, Area.Y + h, 0);
    // The legend, when there is more than one curve, after the vertical axis's name and, when
    // that line is full, after the title; what fits on neither is left out.
    double Line = Area.Y + h, At = Area.X + S.TextWidth(YName) + h;
    for (std::size_t i = 0; Series.size() > 1 && i < Series.size(); ++i) {
        const double Width = 1.7 * h + S.TextWidth(Series[i].Name);
        if (At + Width > Area.X + Area.Width && Line > Area.Y) {
            Line = Area.Y;
            At = Area.X + S.TextWidth(Title) + h;
        }
        if (At + Width > Area.X + Area.Width) break;
        Polyline(S, Series[i].Color, {{At, Line + h / 2}, {At + h, Line + h / 2}});
        S.Text(Series[i].Name, At + 1.3 * h, Line, 0);
        At += Width;
    }
    for (double v : Ticks(X)) {
        Polyline(S, clGrid, {{Px(v), Top}, {Px(v), Bottom}});
        const std::string L = GeneralText(v);
        S.Text(L, Px(v) - S.TextWidth(L) / 2, Bottom + Pad / 2, 0);
    }
    for (double v : Ticks(Y)) {
        Polyline(S, clGrid, {{Left, Py(v)}, {Right, Py(v)}});
        const std::string L = GeneralText(v);
        S.Text(L, Left - Pad / 2 - S.TextWidth(L), Py(v) - h / 2, 0);
    }
    S.Text(XName, (Left + Right - S.TextWidth(XName)) / 2, Bottom + h + Pad / 2, 0);
    S.Line(Left, Top, 0, Right, Top, 0);
    S.Line(Right, Top, 0, Right, Bottom, 0);
    S.Line(Right, Bottom, 0, Left, Bottom, 0);
    S.Line(Left, Bottom, 0, Left, Top, 0);
    std::vector<std::vector<std::pair<double, double>>> Curves;
    for (const TPlotSeries& C : Series) {
        Curves.emplace_back();
        for (const auto& [x, y] : C.Points) Curves.back().push_back({Px(x), Py(y)});
    }
    if (Mark && *Mark >= Y.Lo && *Mark <= Y.Hi) {
        Polyline(S, clMark, {{Left, Py(*Mark)}, {Right, Py(*Mark)}});
        // The name above the line at its right end, or where no curve runs through it nearest
        // to that end; at the right end when the curves leave no room anywhere.
        const double Width = S.TextWidth(MarkName), y = Py(*Mark), End = Right - Width - Pad / 2;
        const auto Clear = [&](double x) {
            return std::none_of(Curves.begin(), Curves.end(), [&](const auto& Pixels) {
                return Crosses(Pixels, x - Pad / 2, x + Width + Pad / 2, y - h, y);
            });
        };
        double At = End;
        while (At >= Left + Pad / 2 && !Clear(At)) At -= Pad;
        S.Text(MarkName, At >= Left + Pad / 2 ? At : End, y - h, 0);
    }
    for (std::size_t i = 0; i < Series.size(); ++i) Polyline(S, Series[i].Color, Curves[i]);
}

void DrawCurvesOfForm(TGStream& S, const TPlotArea& Area,
                      const std::vector<THydroParticulars>& Curves, double DesignDraught) {
    using H = THydroParticulars;
    const TColor* c = SeriesColors;
    const std::vector<std::pair<std::string, std::vector<TPlotSeries>>> Panels = {
        {"Displacement", {Series("Displacement", c[0], Curves, &H::Displacement)}},
        {"Waterplane area", {Series("Awp", c[0], Curves, &H::Awp)}},
        {"Centres along the ship (x)",
         {Series("LCB", c[0], Curves, &H::LCB), Series("LCF", c[1], Curves, &H::LCF)}},
        {"Heights above the keel",
         {Series("KB", c[0], Curves, &H::KB), Series("KMt", c[1], Curves, &H::KMt)}},
        {"Longitudinal metacentre KMl", {Series("KMl", c[0], Curves, &H::KMl)}},
        {"Form coefficients",
         {Series("Cb", c[0], Curves, &H::Cb), Series("Cm", c[1], Curves, &H::Cm),
          Series("Cp", c[2], Curves, &H::Cp), Series("Cwp", c[3], Curves, &H::Cwp)}},
        {"Wetted surface", {Series("Wetted surface", c[0], Curves, &H::WettedSurface)}},
        {"Waterline length", {Series("Lwl", c[0], Curves, &H::Lwl)}},
    };
    constexpr int Columns = 4, Rows = 2;
    const double W = Area.Width / Columns, Ht = Area.Height / Rows, Gap = S.TextHeight("0");
    for (std::size_t i = 0; i < Panels.size(); ++i) {
        const double x = Area.X + W * static_cast<double>(i % Columns);
        const double y = Area.Y + Ht * static_cast<double>(i / Columns);
        DrawPanel(S, {x, y, W - Gap, Ht - Gap}, Panels[i].first, "", "T", Panels[i].second,
                  DesignDraught, "DWL");
    }
}

void DrawSectionalAreas(TGStream& S, const TPlotArea& Area, double Draught,
                        const std::vector<TSectionArea>& Curve) {
    TPlotSeries Areas{"Area", SeriesColors[0], {}};
    for (const TSectionArea& A : Curve) Areas.Points.push_back({A.X, A.Area});
    DrawPanel(S, Area, "Sectional areas at draught " + FixedText(Draught, 3) + " (both sides)", "x",
              "Area", {Areas});
}

std::vector<std::pair<std::string, std::string>> ParticularRows(const THydroParticulars& H,
                                                                double Density) {
    const auto F = [](double v, int Decimals) { return FixedText(v, Decimals); };
    return {
        {"Draught T", F(H.Draught, 3)},
        {"Waterline length Lwl", F(H.Lwl, 3)},
        {"Waterline breadth Bwl", F(H.Bwl, 3)},
        {"Volume", F(H.Volume, 1)},
        {"Displacement (density " + GeneralText(Density) + ")", F(H.Displacement, 1)},
        {"LCB (x)", F(H.LCB, 3)},
        {"KB", F(H.KB, 3)},
        {"Waterplane area Awp", F(H.Awp, 1)},
        {"LCF (x)", F(H.LCF, 3)},
        {"Midship area Am (x " + F(H.AmX, 3) + ")", F(H.Am, 2)},
        {"Block coefficient Cb", F(H.Cb, 4)},
        {"Midship coefficient Cm", F(H.Cm, 4)},
        {"Prismatic coefficient Cp", F(H.Cp, 4)},
        {"Waterplane coefficient Cwp", F(H.Cwp, 4)},
        {"BMt", F(H.BMt, 3)},
        {"KMt", F(H.KMt, 3)},
        {"BMl", F(H.BMl, 2)},
        {"KMl", F(H.KMl, 2)},
        {"Wetted surface", F(H.WettedSurface, 1)},
    };
}

void DrawHydrostaticsSheet(TGStream& S, const TPlotArea& Area, const THydroParticulars& Design,
                           double Density, const std::vector<THydroParticulars>& Curves,
                           const std::vector<TSectionArea>& Sections) {
    const auto Rows = ParticularRows(Design, Density);
    const double h = S.TextHeight("0");
    double Names = 0, Values = 0;
    for (const auto& [Name, Value] : Rows) {
        Names = std::max(Names, S.TextWidth(Name));
        Values = std::max(Values, S.TextWidth(Value));
    }
    S.Text("Hydrostatic particulars", Area.X, Area.Y, 0);
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        const double y = Area.Y + (static_cast<double>(i) + 1.5) * h * 1.2;
        S.Text(Rows[i].first, Area.X, y, 0);
        S.Text(Rows[i].second, Area.X + Names + h + Values - S.TextWidth(Rows[i].second), y, 0);
    }
    const double Left = Area.X + Names + Values + 3 * h, Width = Area.X + Area.Width - Left;
    DrawCurvesOfForm(S, {Left, Area.Y, Width, Area.Height * 0.64}, Curves, Design.Draught);
    DrawSectionalAreas(S, {Left, Area.Y + Area.Height * 0.68, Width, Area.Height * 0.32},
                       Design.Draught, Sections);
}
