// The hull's defining curves: the flats and the column layout, midship section, flat-of-side
// boundaries, stem and stern profiles, transom, deck lines and the construction lines.
#include "hull/keelvane.h"

#include "geometry/errors.h"
#include "geometry/maths.h"
#include "geometry/matrix.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double HalfPi = std::numbers::pi / 2;
// Keeps the net within what a surface can hold (NumColumns + order below 500).
constexpr double MaxMidBodySteps = 470;
// The share of the way from the boss to the aft end of the flat of side that the run takes
// before the parallel middle body begins; one stored factor, so every layout rounds alike.
constexpr double RunShare = 5.0 / 7;

// The local chain mapped by a rotation, then moved by (dx, 0, dz).
void AddTransformed(TBSpline& Curve, const TPolyline& Local, const TMatrix& Rotation, double dx,
                    double dz) {
    for (int i = 0; i < Local.Count(); ++i) {
        auto P = TransformPoint(Local.At(i), Rotation);
        Curve.AddPoint(P->X + dx, P->Y, P->Z + dz);
    }
}

} // namespace

void TKeelvane::BalanceFlats() {
    TKeelvaneParameters& P = FParams;
    if (P.FOSAft > Midship()) P.FOSAft = Midship();
    if (P.FOSBow < Midship()) P.FOSBow = Midship();
    const double a = P.TransomBehindAP + P.StBossStart + P.StBossToot + r() / 2;
    FMidBodyAft = (P.FOSAft - a) * RunShare + a;
    if (0.2 * L() > FMidBodyAft) {
        FMidBodyAft = 0.2 * L();
        P.FOSAft = (FMidBodyAft - a) * 7 / 5 + a;
    }
    const double d = (FMidBodyAft - a) / 5;
    FMidBodyFwd = P.FOSBow + d - r() / 2;
    if (0.8 * L() < FMidBodyFwd) {
        FMidBodyFwd = 0.8 * L();
        P.FOSBow = FMidBodyFwd - (d - r() / 2);
    }
}

void TKeelvane::LayoutColumns() {
    const TKeelvaneParameters& P = FParams;
    const double Theta = ArcTan2(D() - T(), P.ForeOverHang);
    const double g = std::tan(Theta / 2) * P.ForeFootRadius;

    // Transom and boss, then the run in steps of s.
    std::vector<double> x(10 + 1);
    x[0] = xA();
    x[3] = P.StBossStart + P.StBossToot;
    x[2] = x[3] - 2 * P.StBossToot;
    x[1] = (x[0] + x[2]) / 2;
    x[8] = FMidBodyAft - r() / 2;
    const double s = (x[8] - x[3]) / 5;
    if (!(s > 0))
        throw EGeometryError(
            "The stern boss must end aft of the parallel middle body: StBossStart + "
            "StBossToot must be less than the aft end of the middle body");
    for (int k = 4; k <= 10; ++k) x[static_cast<std::size_t>(k)] = x[3] + (k - 3) * s;

    // The parallel middle body in steps of about s.
    const double x0 = FMidBodyAft - r() / 2 + 2 * s;
    const double span = (r() / 2 + FMidBodyFwd) - x0;
    const double Steps = std::trunc(Divide(span, s));
    if (Steps < 0)
        throw EGeometryError(
            "The flat of side is too short for a parallel middle body: move FOSBow "
            "forward or FOSAft aft");
    if (Steps > MaxMidBodySteps)
        throw EGeometryError("The run is too short for the length of the middle body: move FOSAft "
                             "forward or StBossStart aft");
    const int n = static_cast<int>(Steps);
    x.resize(static_cast<std::size_t>(n) + 19);
    if (n > 0) {
        const double dx = span / n;
        for (int i = 1; i <= n; ++i) x[static_cast<std::size_t>(10 + i)] = x0 + i * dx;
    }

    // The entrance and the stem.
    const double xf = r() / 2 + FMidBodyFwd;
    const double sf = (BulbColumnX() - xf) / 5;
    const int N = n + 19;
    for (int k = n + 10; k <= n + 18; ++k) {
        double& xk = x[static_cast<std::size_t>(k)];
        if (k == n + 10)
            xk = xf;
        else if (k == N - 4)
            xk = BulbColumnX();
        else if (k == N - 3)
            xk = Bulbous() ? L() - P.StemRadius : StemFootX() - g / 2;
        else
            xk = xf + (k - (n + 10)) * sf;
    }

    Clear();
    NumU = N;
    NumV = NumRows;
    FColumns.Clear();
    for (double Station : x) {
        auto C = std::make_unique<TPolyline>();
        C->SetXPosition(Station);
        FColumns.AddPolyline(std::move(C));
    }
}

void TKeelvane::BuildMidshipSection() {
    const double h = b() - r(), v = D() - r();
    const double YZ[NumRows][2] = {{0, 0},
                                   {h / 3, 0},
                                   {2 * h / 3, 0},
                                   {h, 0},
                                   {h + r() / 2, 0},
                                   {b(), r() / 2},
                                   {b(), r()},
                                   {b(), r() + v / 5},
                                   {b(), r() + 2 * v / 5},
                                   {b(), r() + 3 * v / 5},
                                   {b(), r() + 4 * v / 5},
                                   {b(), D()}};
    FMidshipSection.Clear();
    for (const auto& P : YZ) FMidshipSection.AddPoint(Midship(), P[0], P[1]);
}

void TKeelvane::BuildForeFlatBoundary() {
    const double PDF = FParams.ParallelDeckF, MBF = FMidBodyFwd;
    const double x8 = Bulbous() ? Station(NumColumns() - 4) : StemFootX();
    TBSpline& F = FForeFlatBoundary;
    F.Clear();
    F.AddPoint(PDF, b(), D());
    F.AddPoint(MBF + r() / 2, b(), r());
    F.AddPoint(MBF, b(), r() / 2);
    F.AddPoint(MBF, b() - r() / 2, 0);
    F.AddPoint(MBF, b() - r(), 0);
    F.AddPoint(MBF + r() / 2, b() - r(), 0);
    F.AddPoint(PDF, b() - r(), 0);
    F.AddPoint((PDF + x8) / 2, (b() - r()) * 2 / 3, 0);
    F.AddPoint(x8, 0, 0);
}

void TKeelvane::BuildAftFlatBoundary() {
    const double PDA = FParams.ParallelDeckA, MBA = FMidBodyAft;
    TBSpline& A = FAftFlatBoundary;
    A.Clear();
    A.AddPoint(PDA, b(), D());
    A.AddPoint(MBA - r() / 2, b(), r());
    A.AddPoint(MBA, b(), r() / 2);
    A.AddPoint(MBA, b() - r() / 2, 0);
    A.AddPoint(MBA, b() - r(), 0);
    for (int i = 3; i >= 0; --i) {
        const TRPoint& M = FMidshipSection.At(i);
        A.AddPoint(MBA, M.Y, M.Z);
    }
}

void TKeelvane::BuildStemProfile() {
    const TKeelvaneParameters& P = FParams;
    const double h = D() - T();
    const double Theta = ArcTan2(h, P.ForeOverHang);
    const double Ls = Hypot(P.ForeOverHang, h);
    const double c = P.BowCurvature / 100;
    const double Gamma = (HalfPi - Theta) * c;
    const double t1 = Tan((Gamma + Theta) / 2);
    const double t2 = Tan((HalfPi - Theta) - Gamma);
    const double f = t1 * P.ForeFootRadius;

    // In the plane of the straight stem: u from the waterline (0) to the deck (Ls), w across it.
    TPolyline Local;
    const double cg = std::cos(Gamma), sg = std::sin(Gamma);
    if (Bulbous()) {
        Local.AddPoint(-P.StemRadius * (cg - sg), 0, -P.StemRadius * (cg + sg));
        Local.AddPoint(-P.StemRadius * cg, 0, -P.StemRadius * sg);
    } else {
        const double Below = Divide(T(), std::cos((HalfPi - Theta) - Gamma));
        const double q = -(Below - f / 2), p = -(Below - f);
        for (double k : {q, p, p / 2}) Local.AddPoint(k * cg, 0, k * sg);
    }
    const double tg = Tan(Gamma), tgh = Tan(Gamma / 2);
    Local.AddPoint(0, 0, 0);
    Local.AddPoint(Ls / 5, 0, tg * Ls / 5);
    Local.AddPoint(2 * Ls / 5, 0, (tg + tgh) * Ls / 5);
    Local.AddPoint(3 * Ls / 5, 0, (tg + tgh) * Ls / 5);
    Local.AddPoint(4 * Ls / 5, 0, tg * Ls / 5);
    Local.AddPoint(Ls, 0, 0);

    TBSpline& S = FStemProfile;
    S.Clear();
    if (Bulbous()) {
        S.AddPoint(StemFootX(), 0, 0);
        S.AddPoint(L(), 0, 0);
        S.AddPoint(L() + P.BulbLength, 0, T() / 4);
        S.AddPoint(L() + P.BulbLength, 0, 3 * T() / 4);
    } else {
        const double Foot = L() - t2 * T();
        for (double k : {1.5, 1.0, 0.5}) S.AddPoint(Foot - k * f, 0, 0);
    }
    AddTransformed(S, Local, *RotationMatrix(0, Theta, 0), L(), T());
    Column(NumColumns() - 1).Assign(S);
}

void TKeelvane::BuildStemSideColumn() {
    const TKeelvaneParameters& P = FParams;
    const double SR = P.StemRadius;
    const double a = Divide(P.BowRadiusAtDeck / 2, (D() - T()) * (D() - T()));
    const auto wq = [&](double z) { return a * z * z - 2 * a * T() * z + (SR + a * T() * T()); };
    const TBSpline& K = FStemProfile;
    TPolyline& E = Column(NumColumns() - 2);
    E.Clear();
    E.AddCopy(&K.At(0));
    for (int j = 1; j < NumRows; ++j) {
        const TRPoint& Q = K.At(j);
        E.AddPoint(Q.X, j <= 6 ? SR : wq(Q.Z), Q.Z);
    }
    if (!Bulbous()) {
        TPolyline& F = Column(NumColumns() - 3);
        F.Point(0).SetXYZ(K.At(2).X, 0, 0);
        F.Point(1).SetXYZ(K.At(2).X, SR, 0);
    }
}

double TKeelvane::StemFootX() const {
    return xF() - Divide(FParams.ForeOverHang * D(), D() - T());
}

double TKeelvane::BulbColumnX() const {
    return L() - FParams.StemRadius - 3 * FParams.BulbLength;
}

double TKeelvane::BowGuideStep() const {
    return (BulbColumnX() - Midship()) / 5;
}

double TKeelvane::BowGuideX() const {
    return (xF() + FParams.ParallelDeckF + BowGuideStep()) / 2;
}

double TKeelvane::BowGuideY() const {
    return (B() + FParams.BowRadiusAtDeck) / 3;
}

void TKeelvane::BuildBowConstructionLine() {
    const TKeelvaneParameters& P = FParams;
    const double sf = BowGuideStep();
    const double xm = BowGuideX(), ym = BowGuideY();
    // The guide runs aft as it comes inboard, from the deck towards the keel, so that the lower
    // waterlines of the entrance get finer and the guide meets the edge of the flat bottom at a
    // positive half-breadth. Sloped the other way, forward as it comes inboard, its keel end
    // would lie forward of the stem head (x 104.85 against 102 at the defaults), the crossing
    // would fall on the port side (half-breadth -5.8) and no bulb would fit the entrance.
    const double m = Divide(xF() - (P.ParallelDeckF + sf), (P.BowRadiusAtDeck + B()) / 2);
    const auto x = [&](double y) { return m * (y - ym) + xm; };

    // Where the guide line crosses, in plan, the line from the bilge corner to the fore foot.
    const TRPoint& P6 = FForeFlatBoundary.At(6);
    const TRPoint& P8 = FForeFlatBoundary.At(8);
    const TPoint2D I = LinesMeet(LineFromPoints(Point2D(x(0), 0), Point2D(xm, ym)),
                                 LineFromPoints(Point2D(P6.X, P6.Y), Point2D(P8.X, P8.Y)));
    FBowWidthAux = Bulbous() ? I.Y : I.Y * 4 / 3;
    if (!(FBowWidthAux > 0))
        throw EGeometryError("The entrance is too short for the bow: move FOSBow or "
                             "ParallelDeckF aft, or shorten ForeOverHang");

    const double W = FBowWidthAux, y4 = ym - 0.3 * P.BowRadiusAtDeck;
    TBSpline& C = FBowConstructionLine;
    C.Clear();
    C.AddPoint(xm, ym, D() + 0.1);
    for (int i = 0; i < 3; ++i) C.AddPoint(xm, ym, D());
    C.AddPoint(x(y4), y4, D() - (D() - T()) * 2 / 3);
    C.AddPoint(x(W + r()), W + r(), r());
    for (int i = 0; i < 2; ++i) C.AddPoint(x(W), W, 0);
    C.AddPoint(x(0), 0, 0);
}

void TKeelvane::BuildForeCutLine() {
    const double dF = (xF() - FParams.ParallelDeckF) / 3;
    FForeCutLine.Clear();
    FForeCutLine.AddPoint(FParams.ParallelDeckF + dF, b(), D() + 0.1);
    FForeCutLine.AddPoint(FMidBodyFwd + dF, b(), -0.1);
}

void TKeelvane::BuildAftCutLine() {
    const double PDA = FParams.ParallelDeckA, TBAP = FParams.TransomBehindAP;
    FAftCutLine.Clear();
    FAftCutLine.AddPoint(PDA - (PDA + TBAP) / 3, 0, D() + 0.1);
    FAftCutLine.AddPoint(FMidBodyAft - 0.6 * (PDA - TBAP) / 3, 0, -0.1);
}

void TKeelvane::BuildTransom() {
    const TKeelvaneParameters& P = FParams;
    const double zt = T() - P.TransomImmersion;
    const double ht = D() - zt;
    const double Lt = Hypot(P.TransomBeam / 2, ht);
    const double Alpha = std::atan(Divide(ht, P.TransomBeam / 2));
    const double k = Alpha * P.TransomCurvature / 100;
    const double tk = Tan(k), tkh = Tan(k / 2);

    TPolyline Local; // (x, y, z) with y across the transom edge and z off it
    for (int j = 0; j <= 6; ++j) Local.AddPoint(xA(), 0, 0);
    Local.AddPoint(xA(), Lt / 5, -tk * Lt / 5);
    Local.AddPoint(xA(), 2 * Lt / 5, -(tkh + tk) * Lt / 5);
    Local.AddPoint(xA(), 3 * Lt / 5, -(tkh + tk) * Lt / 5);
    Local.AddPoint(xA(), 4 * Lt / 5, -tk * Lt / 5);
    Local.AddPoint(xA(), Lt, 0);

    FTransom.Clear();
    AddTransformed(FTransom, Local, *RotationMatrix(-Alpha, 0, 0), 0, zt);
}

void TKeelvane::BuildSternProfile() {
    const TKeelvaneParameters& P = FParams;
    const double xB = P.StBossStart + P.StBossToot;
    const double Delta = P.StRootHeight - P.StShaftHeight;
    TBSpline& S = FSternProfile;
    S.Clear();
    S.AddPoint(xA(), 0, T() - P.TransomImmersion);
    S.AddPoint(xB / 2, 0, FSternProfileHeight);
    S.AddPoint(xB, 0, P.StRootHeight + 2 * Delta / 3);
    S.AddPoint(xB, 0, P.StRootHeight - Delta / 3);
    S.AddPoint(P.StBossStart, 0, P.StShaftHeight + P.StBossRadius);
    S.AddPoint(P.StBossStart, 0, P.StShaftHeight - P.StBossRadius);
    S.AddPoint(P.StFlatOfBottomStart, 0, 0);
    S.AddPoint(P.StFlatOfBottomStart + 0.012 * L(), 0, 0);
    S.AddPoint(Midship(), 0, 0);

    // The same line on the side of the boss.
    const double R = P.StBossRadius, Diagonal = R / (2 * std::sqrt(2.0));
    TBSpline& Side = FBossSideLine;
    Side.Assign(S);
    Side.Point(3).Y = R / 4;
    for (int i : {4, 5}) {
        Side.Point(i).Y = R;
        Side.Point(i).X += R;
    }
    Side.Point(6).Y = R / 2;
    Side.Point(6).X += Diagonal;
    Side.Point(6).Z += Diagonal;
    Side.Point(7).Y = R / 4;
}

void TKeelvane::AddAftDeckPoints(TBSpline& Line) const {
    const double PDA = FParams.ParallelDeckA, TB = FParams.TransomBeam;
    Line.AddPoint(xA(), TB / 2, D());
    Line.AddPoint(xA() + (PDA - xA()) / 3, TB / 2 + 2 * (B() - TB) / 6, D());
    Line.AddPoint(xA() + 2 * (PDA - xA()) / 3, b(), D());
    for (int i = 0; i < 3; ++i) Line.AddPoint(PDA, b(), D());
    Line.AddPoint(Midship(), b(), D());
}

void TKeelvane::BuildAftDeckLine() {
    FAftDeckLine.Clear();
    AddAftDeckPoints(FAftDeckLine);
}

void TKeelvane::BuildDeckLine() {
    const double PDF = FParams.ParallelDeckF;
    TBSpline& Deck = FDeckLine;
    Deck.Clear();
    AddAftDeckPoints(Deck);
    for (int i = 0; i < 3; ++i) Deck.AddPoint(PDF, b(), D());

    // The deck edge of the entrance in plan, from the parallel deck round into the stem head.
    const TRPoint& Head = FStemProfile.At(NumRows - 1);
    TBSpline Entrance(5);
    Entrance.AddPoint(PDF, b(), D());
    Entrance.AddPoint(PDF + (xF() - PDF) / 3, b(), D());
    Entrance.AddPoint(BowGuideX(), BowGuideY(), D());
    Entrance.AddPoint(Head.X, FParams.BowRadiusAtDeck, Head.Z);
    Entrance.AddPoint(Head.X, FParams.BowRadiusAtDeck / 2, Head.Z);
    for (int c = LastMidColumn(); c <= NumColumns() - 3; ++c) {
        const double x = Station(c);
        // A station beyond the entrance's ends keeps the full breadth.
        auto P = x < PDF ? nullptr : Entrance.PointAtX(x);
        if (P)
            Deck.AddRef(std::move(P));
        else
            Deck.AddPoint(x, b(), D());
    }
    Deck.AddCopy(&Entrance.Last());
    Deck.AddCopy(&Head);
}
