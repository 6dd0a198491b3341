// The owning point list.
#include "geometry/points.h"

#include "geometry/listindex.h"

#include <utility>

std::unique_ptr<TRPoints> TRPoints::CreateCopy(const TRPoints& Src) {
    auto Result = std::make_unique<TRPoints>();
    Result->Assign(Src);
    return Result;
}

void TRPoints::Assign(const TRPoints& Src) {
    if (&Src == this) return;
    Clear();
    for (int i = 0; i < Src.Count(); ++i) Add(TRPoint::CreateCopy(Src.At(i)));
    AssignAttributes(Src);
}

void TRPoints::AssignAttributes(const TRPoints& Src) {
    UseColors = Src.UseColors;
    Filled = Src.Filled;
    FillColor = Src.FillColor;
    LineColor = Src.LineColor;
}

void TRPoints::Clear() {
    Items.clear();
}

TRPoint& TRPoints::Item(int i) const {
    CheckListIndex(i, Items.size());
    return *Items[static_cast<std::size_t>(i)];
}

TRPoint& TRPoints::Point(int i) {
    return Item(i);
}

const TRPoint& TRPoints::At(int i) const {
    return Item(i);
}

TRPoint& TRPoints::First() {
    return Item(0);
}

TRPoint& TRPoints::Last() {
    return Item(Count() - 1);
}

const TRPoint& TRPoints::First() const {
    return Item(0);
}

const TRPoint& TRPoints::Last() const {
    return Item(Count() - 1);
}

int TRPoints::Add(std::unique_ptr<TRPoint> P) {
    if (!P) return -1;
    Items.push_back(std::move(P));
    return Count() - 1;
}

void TRPoints::Insert(int i, std::unique_ptr<TRPoint> P) {
    CheckListIndex(i, Items.size() + 1); // Count itself appends
    if (!P) return;
    Items.insert(Items.begin() + i, std::move(P));
}

void TRPoints::Delete(int i) {
    CheckListIndex(i, Items.size());
    Items.erase(Items.begin() + i);
}

std::unique_ptr<TRPoint> TRPoints::Extract(int i) {
    CheckListIndex(i, Items.size());
    auto P = std::move(Items[static_cast<std::size_t>(i)]);
    Items.erase(Items.begin() + i);
    return P;
}

int TRPoints::Remove(const TRPoint* P) {
    for (int i = 0; i < Count(); ++i)
        if (Items[static_cast<std::size_t>(i)].get() == P) {
            Delete(i);
            return i;
        }
    return -1;
}

void TRPoints::Exchange(int i, int j) {
    CheckListIndex(i, Items.size());
    CheckListIndex(j, Items.size());
    std::swap(Items[static_cast<std::size_t>(i)], Items[static_cast<std::size_t>(j)]);
}
