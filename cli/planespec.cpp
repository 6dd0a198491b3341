// Cutting-plane lists from text.
#include "cli/planespec.h"

#include "geometry/textutil.h"

#include <string>

namespace {

std::vector<std::string_view> Split(std::string_view S, char Separator) {
    std::vector<std::string_view> Parts;
    for (std::size_t Start = 0;;) {
        const std::size_t End = S.find(Separator, Start);
        Parts.push_back(S.substr(Start, End - Start));
        if (End == std::string_view::npos) return Parts;
        Start = End + 1;
    }
}

std::optional<std::vector<double>> EvenlySpaced(std::string_view Spec) {
    const auto Parts = Split(Spec, ':');
    if (Parts.size() != 3) return std::nullopt;
    const auto Start = TextToNumber(Parts[0]), End = TextToNumber(Parts[1]);
    const auto Count = TextToInteger(Trim(Parts[2]));
    if (!Start || !End || !Count || *Count < 1 || *Count > MaxPlanesPerKind ||
        (*Count == 1 && *Start != *End))
        return std::nullopt;
    std::vector<double> Positions;
    for (int i = 0; i < *Count; ++i)
        Positions.push_back(*Count == 1 ? *Start : *Start + i * (*End - *Start) / (*Count - 1));
    return Positions;
}

std::optional<std::vector<double>> Listed(std::string_view Spec) {
    std::vector<double> Positions;
    for (const std::string_view Part : Split(Spec, ',')) {
        const auto Value = TextToNumber(Part);
        if (!Value) return std::nullopt;
        Positions.push_back(*Value);
    }
    return Positions;
}

} // namespace

std::optional<std::vector<double>> ParsePlaneSpec(std::string_view Spec) {
    auto Positions = Spec.find(':') != std::string_view::npos ? EvenlySpaced(Spec) : Listed(Spec);
    if (Positions && Positions->size() > MaxPlanesPerKind) return std::nullopt;
    return Positions;
}
