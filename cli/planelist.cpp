// Cutting-plane lists from text.
#include "cli/planelist.h"

#include "geometry/textutil.h"

#include <string>

namespace {

std::vector<std::string_view> Split(std::string_view S, char Separator) {
    std::vector<std::string_view> Fields;
    for (std::size_t Start = 0;;) {
        const std::size_t End = S.find(Separator, Start);
        Fields.push_back(S.substr(Start, End - Start));
        if (End == std::string_view::npos) return Fields;
        Start = End + 1;
    }
}

std::optional<std::vector<double>> EvenlySpaced(std::string_view Text) {
    const auto Fields = Split(Text, ':');
    if (Fields.size() != 3) return std::nullopt;
    const auto Start = TextToNumber(Fields[0]), End = TextToNumber(Fields[1]);
    const auto Count = TextToInteger(Trim(Fields[2]));
    if (!Start || !End || !Count || *Count < 1 || *Count > MaxPlanesPerKind ||
        (*Count == 1 && *Start != *End))
        return std::nullopt;
    std::vector<double> Positions;
    for (int i = 0; i < *Count; ++i)
        Positions.push_back(*Count == 1 ? *Start : *Start + i * (*End - *Start) / (*Count - 1));
    return Positions;
}

std::optional<std::vector<double>> Listed(std::string_view Text) {
    std::vector<double> Positions;
    for (const std::string_view Item : Split(Text, ',')) {
        const auto Value = TextToNumber(Item);
        if (!Value) return std::nullopt;
        Positions.push_back(*Value);
    }
    return Positions;
}

} // namespace

std::optional<std::vector<double>> ParsePlaneList(std::string_view Text) {
    auto Positions = Text.find(':') != std::string_view::npos ? EvenlySpaced(Text) : Listed(Text);
    if (Positions && Positions->size() > MaxPlanesPerKind) return std::nullopt;
    return Positions;
}
