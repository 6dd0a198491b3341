// The columns of the stern, the run and the parallel middle body: read off the stern profile
// and the aft waterlines, found by crossing the run sections with the waterlines in profile,
// and copied from the midship section.
#include "hull/keelvane.h"

#include "geometry/errors.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

// Per run column 4 .. 8: the waterline the section is cut at, the first waterline crossed, and
// the number of points the cut section is resampled to.
struct TRunColumn {
    int FirstWaterline, FirstCrossed, Resampled;
};
constexpr TRunColumn RunColumns[5] = {{3, 3, 6}, {3, 3, 5}, {2, 2, 4}, {2, 2, 4}, {4, 2, 4}};

int CountOf(const std::unique_ptr<TPolyline>& P) {
    return P ? P->Count() : 0;
}

// The stretch of Chain from its first to its last segment that reaches into Other's range of X.
// Seen in profile no other segment can cross Other, so the crossings are those of the whole
// chain, found without testing every segment of a long waterline against every segment of a
// short section.
std::unique_ptr<TPolyline> StretchOver(const TPolyline& Chain, const TPolyline& Other) {
    const TExtents E = Other.Extents();
    int First = -1, Last = -1;
    for (int i = 1; i < Chain.Count(); ++i) {
        const double x0 = Chain.At(i - 1).X, x1 = Chain.At(i).X;
        if (std::max(x0, x1) < E.MinX || std::min(x0, x1) > E.MaxX) continue;
        if (First < 0) First = i - 1;
        Last = i;
    }
    if (First < 0) return TPolyline::CreateCopy(Chain);
    auto Result = std::make_unique<TPolyline>();
    for (int i = First; i <= Last; ++i) Result->AddCopy(&Chain.At(i));
    return Result;
}

} // namespace

std::unique_ptr<TPolyline> TKeelvane::IntersectOnce(TPolyline& Section, TPolyline& Waterline) {
    const auto X = IntersectPolylines(Section, Waterline, 2);
    if (CountOf(X) != 1)
        throw EGeometryError(std::to_string(CountOf(X)) + " intersection(s) found");
    auto Below = ClipPolylineAtZ(*Section.GetPolyline(), 0, true, X->At(0).Z);
    if (!Below) throw EGeometryError(IntersectionErrorText);
    return Below;
}

// The columns aft of the entrance are still as LayoutColumns left them: empty.
void TKeelvane::CreateColumns() {
    FillSternColumns();
    // The waterlines are crossed as their samples; sample each once for all run columns.
    std::vector<std::unique_ptr<TPolyline>> Waterlines;
    for (int i = 0; i < FAftWaterlines.Count(); ++i)
        Waterlines.push_back(FAftWaterlines.Polyline(i).GetPolyline());
    for (int c = 4; c <= 8; ++c) FillRunColumn(c, Waterlines);
    FillMidBodyColumns();
}

void TKeelvane::FillSternColumns() {
    TPolyline K;
    for (int i = 0; i <= 2; ++i) K.AddCopy(&FSternProfile.At(i));
    for (int c = 0; c <= 3; ++c) {
        const double x = Station(c);
        TPolyline& C = Column(c);
        // The seven lower rows close onto the centre plane at the stern profile.
        const TRPoint P = Required(K.PointAtX(x), "The stern profile does not reach stern column " +
                                                      std::to_string(c) +
                                                      ": check TransomBehindAP and StBossStart");
        for (int j = 0; j <= 6; ++j) C.AddCopy(&P);
        for (int i = 4; i <= 8; ++i) {
            TRPoint Q = Required(FAftWaterlines.Polyline(i).PointAtX(x),
                                 "The aft waterline of row " + std::to_string(i + 3) +
                                     " does not reach stern column " + std::to_string(c));
            Q.Y = HalfBreadthAt(Q);
            C.AddCopy(&Q);
        }
    }
}

void TKeelvane::FillRunColumn(int c, const std::vector<std::unique_ptr<TPolyline>>& Waterlines) {
    const int p = c - 4;
    const TRunColumn& Run = RunColumns[p];
    TPolyline& C = Column(c);
    TPolyline& Section = FAftSections.Polyline(p);

    // The boss: the column's point of the stern profile, then out to the boss side line.
    const TRPoint& Profile = FSternProfile.At(c - 1);
    const TRPoint& Side = FBossSideLine.At(c - 1);
    C.AddCopy(&Profile);
    if (c == 4 || c == 8) {
        for (int i = 0; i < (c == 4 ? 1 : 4); ++i) C.AddCopy(&Side);
    } else {
        C.AddPoint(Profile.X, Side.Y, Profile.Z);
        C.AddCopy(&Side);
    }

    // The section below its first waterline, resampled, without its two ends.
    if (c <= 7) {
        auto V = IntersectOnce(
            Section,
            *StretchOver(*Waterlines[static_cast<std::size_t>(Run.FirstWaterline)], Section));
        V->SortByAxis(0);
        Resample(*V, Run.Resampled);
        for (int i = 1; i < V->Count() - 1; ++i) C.AddCopy(&V->At(i));
    }

    // One crossing with each waterline above.
    for (int i = Run.FirstCrossed; i <= 8; ++i) {
        const auto X = IntersectPolylines(
            *StretchOver(*Waterlines[static_cast<std::size_t>(i)], Section), Section, 2);
        if (CountOf(X) != 1) ReportIntersectionError(FAftWaterlines.Polyline(i), Section);
        C.AddCopy(&X->At(0));
    }
}

void TKeelvane::ReportIntersectionError(TPolyline& Waterline, TPolyline& Section) {
    if (!DiagnosticsFolder.empty()) {
        const std::filesystem::path Folder(DiagnosticsFolder);
        try {
            Waterline.SaveToFile((Folder / "LiError1.geo").string());
            Section.SaveToFile((Folder / "LiError2.geo").string());
        } catch (const EKeelvaneError& E) {
            ShowMessage(std::string("Warning: diagnostics not written: ") + E.what());
        }
    }
    throw EGeometryError(IntersectionErrorText);
}

void TKeelvane::FillMidBodyColumns() {
    for (int c = 9; c <= LastMidColumn(); ++c) {
        const double x = Station(c);
        for (int k = 0; k < NumRows; ++k) {
            const TRPoint& Mk = FMidshipSection.At(k);
            Column(c).AddPoint(x, Mk.Y, Mk.Z);
        }
    }
}
