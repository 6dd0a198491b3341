// Owning lists of polylines and of curves, their records and their drawing.
#include "geometry/polylist.h"

#include "geometry/listindex.h"
#include "geometry/matrix.h"
#include "geometry/records.h"

#include <string>

TPolyline& TPolylineList::Polyline(int i) const {
    CheckListIndex(i, Items.size());
    return *Items[static_cast<std::size_t>(i)];
}

void TPolylineList::AddPolyline(std::unique_ptr<TPolyline> P) {
    if (P) Items.push_back(std::move(P));
}

void TPolylineList::Delete(int i) {
    CheckListIndex(i, Items.size());
    Items.erase(Items.begin() + i);
}

void TPolylineList::LoadFromText(TTextReader& F) {
    const int N = FieldInteger(F.ReadLine(), "PolylineList.NumPolylines");
    for (int i = 0; i < N; ++i) {
        auto P = std::make_unique<TPolyline>();
        P->LoadFromText(F);
        AddPolyline(std::move(P));
    }
}

void TPolylineList::SaveToText(TTextWriter& F) const {
    F.Key("NumPolylines", Count());
    for (const auto& P : Items) P->SaveToText(F);
}

void TPolylineList::Draw(TGStream& Stream) const {
    for (const auto& P : Items) P->Draw(Stream);
}

std::unique_ptr<TPolylineList> TPolylineList::TransformedCopy(const TMatrix& M) const {
    if (M.Rows() != 4 || M.Cols() != 4) return nullptr;
    auto Result = std::make_unique<TPolylineList>();
    for (const auto& P : Items) Result->AddPolyline(P->TransformedCopy(M));
    return Result;
}

void TBSplineList::SaveToText(TTextWriter& F) const {
    for (int i = 0; i < Count(); ++i) {
        const TPolyline& P = Polyline(i);
        F.Line("[" + std::string(P.ClassName()) + "]");
        P.SaveToText(F);
        F.Line("");
    }
}

void TBSplineList::Draw(TGStream& Stream) const {
    for (int i = 0; i < Count(); ++i) Polyline(i).DrawCurve(Stream);
}

std::unique_ptr<TBSplineList> TBSplineList::TransformedCopy(const TMatrix& M) const {
    if (M.Rows() != 4 || M.Cols() != 4) return nullptr;
    auto Result = std::make_unique<TBSplineList>();
    for (int i = 0; i < Count(); ++i) Result->AddPolyline(Polyline(i).TransformedCurveCopy(M));
    return Result;
}
