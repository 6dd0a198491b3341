// The table of offsets: the hull's half-breadths at chosen stations (rows) and waterlines
// (columns), as the yard's loftsman and a spreadsheet read it.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

class TBSplineSurface;

struct TOffsetTable {
    std::vector<double> Stations;   // x of each row
    std::vector<double> Waterlines; // z of each column
    // [station][waterline]: the outermost crossing of station and waterline on the surface;
    // none where they do not meet on it.
    std::vector<std::vector<std::optional<double>>> HalfBreadths;
};

// EGeometryError when either list is empty or the surface cannot be evaluated.
std::unique_ptr<TOffsetTable> TableOfOffsets(TBSplineSurface& Surface,
                                             const std::vector<double>& Stations,
                                             const std::vector<double>& Waterlines);

// A header row "x \ z" and the waterline heights, then per station its x and half-breadths to
// four decimals, an empty cell where there is none.
void WriteOffsetsCsv(std::ostream& Out, const TOffsetTable& Table);
