// The construction waterlines: the fore waterlines and the forebody columns read off them, the
// columns around a bulbous bow, the stern frame line, and the aft waterlines and run sections.
#include "hull/keelvane.h"

#include "geometry/errors.h"
#include "geometry/maths.h"
#include "geometry/records.h"

TRPoint TKeelvane::Required(std::unique_ptr<TRPoint> P, const std::string& What) {
    if (!P) throw EGeometryError(What);
    return *P;
}

double TKeelvane::ForeCutX(double Z) {
    return Required(FForeCutLine.PointAtZ(Z),
                    "The fore cut line does not reach the height " + FixedText(Z, 3))
        .X;
}

void TKeelvane::BuildForeWaterlines() {
    FForeWaterlines.Clear();
    const TPolyline& E = Column(NumColumns() - 2); // the stem's side
    for (int j = 1; j < NumRows; ++j) {
        const TRPoint& Mj = FMidshipSection.At(j);
        auto W = std::make_unique<TBSpline>(j <= 2 ? 3 : 5);
        W->ForcedBezier = true;
        if (j <= 2) {
            W->AddCopy(&E.At(Bulbous() ? j - 1 : j));
            if (Bulbous() && j == 1)
                W->AddRef(std::make_unique<TRPoint>(
                    Required(FBowConstructionLine.PointAtY(FBowWidthAux / 2),
                             "The bulb does not fit the entrance: check BulbRadius, FOSBow and "
                             "ParallelDeckF")));
            if (Bulbous() && j == 2) W->AddCopy(&FBowConstructionLine.At(6));
            W->AddPoint(ForeCutX(Mj.Z), Mj.Y, Mj.Z);
            W->AddPoint(FMidBodyFwd, Mj.Y, Mj.Z);
        } else {
            // Where the row leaves the flat of side, moved onto the row's height and breadth.
            TRPoint P = Required(j <= 4 ? FForeFlatBoundary.PointAtY(Mj.Y)
                                        : FForeFlatBoundary.PointAtZ(Mj.Z),
                                 "The fore flat boundary does not reach waterline " +
                                     std::to_string(j) + ": check BilgeRadius, Beam and Depth");
            P.Y = Mj.Y;
            P.Z = Mj.Z;
            const TRPoint& Stem = E.At(j <= 4 ? j - 1 : j);
            TRPoint P1 = Stem;
            P1.Y *= 2;
            TRPoint P3 = P;
            P3.X = ForeCutX(P3.Z);
            TRPoint Q =
                Required(FBowConstructionLine.PointAtZ((P3.Z + P1.Z) / 2),
                         "The bow construction line does not reach waterline " + std::to_string(j));
            if (j == 3) Q.Z = 0;
            for (const TRPoint& Pt : {Stem, P1, Q, P3, P}) W->AddCopy(&Pt);
            if (Bulbous() && j == 3) {
                W->Insert(2, TRPoint::CreateCopy(Q));
                W->Point(0).Assign(E.At(3));
                W->Point(1).Assign(E.At(3));
            }
        }
        FForeWaterlines.AddPolyline(std::move(W));
    }
}

void TKeelvane::FillForeColumns() {
    for (int c = LastMidColumn() + 1; c < NumColumns(); ++c) {
        TPolyline& C = Column(c);
        const double x = C.GetXPosition();
        for (int j = C.Count(); j < NumRows; ++j) {
            if (j == 0) {
                C.Point(0).SetXYZ(x, 0, 0);
                continue;
            }
            TPolyline& W = FForeWaterlines.Polyline(j - 1);
            if (x >= Midship() && W.Last().X > x) {
                const TRPoint& Mj = FMidshipSection.At(j);
                C.Point(j).SetXYZ(x, Mj.Y, Mj.Z);
            } else if (W.First().X >= x && W.Last().X <= x) {
                // A row the waterline does not reach stays unset.
                if (auto P = W.PointAtX(x)) C.Point(j).Assign(*P);
            }
        }
    }
}

namespace {
// "row 3", "rows 1-4" or "rows 1-2, 5": rising row numbers with their runs joined.
std::string RowsText(const std::vector<int>& Rows) {
    std::string Text = Rows.size() == 1 ? "row " : "rows ";
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        std::size_t k = i;
        while (k + 1 < Rows.size() && Rows[k + 1] == Rows[k] + 1) ++k;
        Text += (i > 0 ? ", " : "") + std::to_string(Rows[i]);
        if (k > i) Text += "-" + std::to_string(Rows[k]);
        i = k;
    }
    return Text;
}
} // namespace

// A row that FillForeColumns leaves unset stays at the origin, or is missing at the top of the
// column; every fore column lies forward of midships, so no row that was set is at the origin.
// Left so, the surface would dive to the keel at the aft perpendicular.
void TKeelvane::CheckForeColumnsFilled() {
    for (int c = LastMidColumn() + 1; c < NumColumns(); ++c) {
        const TPolyline& C = Column(c);
        std::vector<int> Unset;
        for (int j = 1; j < NumRows; ++j)
            if (j >= C.Count() || (C.At(j).X == 0 && C.At(j).Y == 0 && C.At(j).Z == 0))
                Unset.push_back(j);
        if (!Unset.empty())
            throw EGeometryError("The fore waterlines do not reach column " + std::to_string(c) +
                                 ", " + RowsText(Unset) +
                                 ": the stem's foot lies aft of it. Check Draught against Depth, "
                                 "ForeOverHang, BowCurvature and ForeFootRadius");
    }
}

void TKeelvane::BuildBulb() {
    if (!Bulbous()) return;
    const double SR = FParams.StemRadius, BR = FParams.BulbRadius;
    const TPolyline& K = Column(NumColumns() - 1);
    TPolyline& E = Column(NumColumns() - 2);
    TPolyline& F = Column(NumColumns() - 3);
    TPolyline& G = Column(NumColumns() - 4);

    E.Point(0).Assign(K.At(0));
    const double Ey[] = {SR, BR / 2, BR / 2, SR, SR, SR};
    for (int j = 1; j <= 6; ++j) E.Point(j).SetXYZ(K.At(j).X, Ey[j - 1], K.At(j).Z);

    const double x3 = E.At(1).X - SR;
    F.Point(0).Assign(E.At(0));
    F.Point(1).Assign(E.At(1));
    F.Point(1).X = x3;
    const double Fy[] = {BR, BR, SR, SR, SR};
    for (int j = 2; j <= 6; ++j) F.Point(j).SetXYZ(x3, Fy[j - 2], E.At(j).Z);

    const double x4 = F.At(1).X - 3 * FParams.BulbLength;
    for (int j = 0; j <= 1; ++j) {
        G.Point(j).Assign(F.At(j));
        G.Point(j).X = x4;
    }
    G.Point(2).SetXYZ(x4, BR, F.At(2).Z);
    G.Point(3).SetXYZ(x4, BR, F.At(3).Z);

    // The bulb's top fairs into the column above it along a parabola.
    const TRPoint G3 = G.At(3);
    TBSpline S(3);
    S.AddCopy(&G3);
    S.AddPoint(G3.X, G3.Y, 2 * G3.Z - G.At(2).Z);
    S.AddCopy(&G.Point(11));
    for (int j = 7; j <= 10; ++j)
        if (auto P = S.PointAtZ(G.At(j).Z)) G.Point(j).Assign(*P);
    const double Z7 = G.At(7).Z;
    for (int i = 1; i <= 3; ++i)
        if (auto P = S.PointAtZ(G3.Z + (Z7 - G3.Z) * i / 4)) G.Point(3 + i).Assign(*P);
}

void TKeelvane::BuildSternFrame() {
    const TKeelvaneParameters& P = FParams;
    // In plan, the line from the deck edge towards the transom corner meets the centre plane at
    // xk; in profile, the line from there at deck height over the top of the boss.
    const double x1 = P.ParallelDeckA - (P.ParallelDeckA + P.TransomBehindAP) / 3;
    const TLine2D l1 =
        LineFromPoints(Point2D(x1, b()), Point2D((x1 - P.TransomBehindAP) / 2,
                                                 (2 * B() / 3 + P.TransomBeam / 3) / 2));
    const double xk = l1.Vertical ? l1.XConst : LineX(l1, 0);
    const TRPoint& Root = FSternProfile.At(2);
    const double xB = P.StBossStart + P.StBossToot;
    const TLine2D l2 = LineFromPoints(Point2D(xk, D()), Point2D(Root.X, Root.Z));
    if (l2.Vertical)
        throw EGeometryError("The stern keel line has no slope: check ParallelDeckA, "
                             "TransomBehindAP and TransomBeam");
    const double zb = LineY(l2, xB);

    FSternKeelLine.Clear();
    FSternKeelLine.AddPoint(xk, 0, D());
    for (int i = 0; i < 3; ++i) FSternKeelLine.AddPoint(xB, 0, zb);
    FSternKeelLine.AddPoint(P.StFlatOfBottomStart + 0.012 * L(), 0, 0);

    FSternFrame.Assign(FSternProfile);
    FSternFrame.Reverse();
    for (int i = 0; i < 3; ++i) FSternFrame.AddCopy(&FSternProfile.At(0));
    FSternFrame.AddPoints(FTransom);
}

void TKeelvane::BuildAftWaterlines() {
    FAftWaterlines.Clear();
    for (int j = 3; j < NumRows; ++j) {
        const TRPoint& Mj = FMidshipSection.At(j);
        auto W = std::make_unique<TBSpline>(4);
        W->AddPoint(Mj.X, 0, Mj.Z);
        TRPoint Q = Required(FAftFlatBoundary.PointAtZ(Mj.Z),
                             "The aft flat boundary does not reach waterline " + std::to_string(j) +
                                 ": check BilgeRadius and Depth");
        Q.Y = 0;
        for (int i = 0; i < 3; ++i) W->AddCopy(&Q);
        W->AddPoint(Required(FAftCutLine.PointAtZ(Q.Z),
                             "The aft cut line does not reach waterline " + std::to_string(j))
                        .X,
                    0, Q.Z);
        // The end on the stern frame: the boss, the stern profile or the transom edge.
        const TRPoint& End = j == 3   ? FSternProfile.At(4)
                             : j == 4 ? FSternProfile.At(6)
                             : j <= 6 ? FSternProfile.At(8 - j)
                                      : FTransom.At(j);
        W->AddPoint(End.X, 0, j == 3 ? 0 : End.Z);
        FAftWaterlines.AddPolyline(std::move(W));
    }
    BuildAftSections();
}

void TKeelvane::BuildAftSections() {
    FAftSections.Clear();
    for (int c = 4; c <= 8; ++c) {
        const double x = Station(c);
        // Row 7's waterline for the sections over the boss, row 6's for the last one.
        TPolyline& Top = FAftWaterlines.Polyline(c < 8 ? 4 : 3);
        TRPoint P =
            Required(Top.PointAtX(x), "The aft waterline of row " + std::to_string(c < 8 ? 7 : 6) +
                                          " does not reach run column " + std::to_string(c));
        P.Y = 0;
        TBSpline S(3);
        S.AddCopy(&P);
        if (c < 8) {
            const TRPoint& Foot = FSternProfile.At(c - 1);
            S.AddPoint(P.X, 0, Foot.Z);
            S.AddCopy(&Foot);
        } else {
            S.AddPoint(P.X, 0, 0);
            S.AddPoint((Station(4) + Station(8)) / 2, 0, 0);
        }
        auto Section = S.GetPolyline();
        Section->InsertPoint(0, x, 0, D() + 0.01);
        FAftSections.AddPolyline(std::move(Section));
    }
}
