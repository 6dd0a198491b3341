// The owning list of a grid's cells.
#include "grid/gridlist.h"

#include <algorithm>

TGridRec* TGridList::Find(int ACol, int ARow) const {
    const auto Found = std::ranges::find_if(FItems, [&](const std::unique_ptr<TGridRec>& Item) {
        return Item->Col() == ACol && Item->Row() == ARow;
    });
    return Found == FItems.end() ? nullptr : Found->get();
}

TGridRec& TGridList::Cell(int ACol, int ARow) {
    if (TGridRec* Existing = Find(ACol, ARow)) return *Existing;
    auto Created = std::make_unique<TGridRec>();
    Created->Assign(FTemplate);
    Created->Place(ACol, ARow, &FGrid);
    return *FItems.emplace_back(std::move(Created));
}
