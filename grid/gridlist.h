// The owning list of a grid's cells. Cells exist once they have been reached and are found by
// a linear search, which suits the small grids of the program.
#pragma once

#include "grid/gridrec.h"

#include <memory>
#include <vector>

class TGridList {
public:
    // New cells are assigned from Template and belong to Grid; neither is owned.
    TGridList(const TGridRec& Template, TGridModel& Grid) : FTemplate(Template), FGrid(Grid) {}

    // The cell at (ACol, ARow), or null when it has not been reached yet.
    TGridRec* Find(int ACol, int ARow) const;
    // The cell at (ACol, ARow), appended from the template when it does not exist yet.
    TGridRec& Cell(int ACol, int ARow);
    int Count() const { return static_cast<int>(FItems.size()); }
    void Clear() { FItems.clear(); }

private:
    std::vector<std::unique_ptr<TGridRec>> FItems;
    const TGridRec& FTemplate;
    TGridModel& FGrid;
};
