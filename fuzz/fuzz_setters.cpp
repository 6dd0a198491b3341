// Fuzz target: parameters set through their setters in the order the input gives (one byte
// for the parameter, eight for the value), then the hull generated. A generated net is whole:
// finite, on its side of the centre plane and above the base line.
#include "hull/keelvane.h"

#include "geometry/errors.h"
#include "geometry/point.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    constexpr std::size_t Step = 1 + sizeof(double);
    constexpr std::size_t MaxSettings = 16; // generation is slow; longer inputs add nothing new
    TKeelvane Model;
    for (std::size_t n = 0; n + Step <= Size && n / Step < MaxSettings; n += Step) {
        double Value = 0;
        std::memcpy(&Value, Data + n + 1, sizeof Value);
        try {
            Model.SetParameterValue(Data[n] % TKeelvane::ParameterCount, Value);
        } catch (const EKeelvaneError&) {
        }
    }
    try {
        Model.Generate();
    } catch (const EKeelvaneError&) {
        return 0;
    }
    for (int i = 0; i < Model.NumU; ++i)
        for (int j = 0; j < Model.NumV; ++j) {
            const TRPoint& P = Model.Point(i, j);
            if (!std::isfinite(P.X) || P.Y < -PointTolerance || P.Z < -PointTolerance) std::abort();
        }
    return 0;
}
