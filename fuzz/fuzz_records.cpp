// Fuzz target: the geometry records that have a reader (polyline, curve, mesh, surface, polyline
// list; a curve list is written for other programs only). The first byte picks the record; what
// reads must write a record that reads back identically.
#include "geometry/bspline.h"
#include "geometry/bsurface.h"
#include "geometry/errors.h"
#include "geometry/mesh.h"
#include "geometry/polylist.h"
#include "geometry/recordtext.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <type_traits>

namespace {

template <class T, class... Args> void RoundTrip(const std::string& Text, Args... Arguments) {
    T Object(Arguments...);
    try {
        ReadRecordText(Object, Text);
    } catch (const EKeelvaneError&) {
        return;
    }
    std::string First;
    try {
        First = RecordText(Object);
    } catch (const EKeelvaneError&) {
        return; // a kind of surface that has no range cannot be written: refused, not damaged
    }
    T Again(Arguments...);
    ReadRecordText(Again, First);
    if constexpr (std::is_same_v<T, TBSpline>) {
        // A curve's own parameter range is written inside by a margin and read back as written,
        // so it moves inwards on every reading, as the record format has it (the program never
        // reads curves back); everything else must come back as it was.
        Again.MinT = Object.MinT;
        Again.MaxT = Object.MaxT;
    }
    if (RecordText(Again) != First) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    if (Size == 0) return 0;
    const std::string Text(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    switch (Data[0] % 5) {
    case 0:
        RoundTrip<TPolyline>(Text);
        break;
    case 1:
        RoundTrip<TBSpline>(Text, 4);
        break;
    case 2:
        RoundTrip<TMesh>(Text, 0, 0);
        break;
    case 3:
        RoundTrip<TBSplineSurface>(Text, 0, 0);
        break;
    default:
        RoundTrip<TPolylineList>(Text);
        break;
    }
    return 0;
}
