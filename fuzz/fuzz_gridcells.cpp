// Fuzz target: stored grid cells read into a grid of a size taken from the first two bytes,
// then recalculated.
#include "grid/gridmodel.h"

#include "geometry/errors.h"

#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    if (Size < 2) return 0;
    TGridModel Grid;
    Grid.SetColCount(1 + Data[0] % 8);
    Grid.SetRowCount(1 + Data[1] % 8);
    std::istringstream In(std::string(reinterpret_cast<const char*>(Data) + 2, Size - 2));
    try {
        Grid.LoadCells(In);
        Grid.Recalculate();
    } catch (const EKeelvaneError&) {
    }
    return 0;
}
