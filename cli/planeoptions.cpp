// Cutting-plane options and the usual plan's planes.
#include "cli/planeoptions.h"

#include "cli/args.h"
#include "cli/planelist.h"
#include "contours/contours.h"
#include "hull/keelvane.h"

bool TPlaneOptions::Take(const std::string& Option, TArgumentList& A) {
    const char* const Names[3] = {"--stations", "--buttocks", "--waterlines"};
    for (int Axis = 0; Axis < 3; ++Axis) {
        if (Option != Names[Axis]) continue;
        const std::string Text = A.ValueOf(Option);
        auto& Target = Planes[Axis];
        if (Target) throw EUsageError(Option + " given twice");
        Target = Text == "none" ? std::vector<double>() : ParsePlaneList(Text);
        if (!Target)
            throw EUsageError(Option + " needs positions a,b,c or start:end:count (at most " +
                              std::to_string(MaxPlanesPerKind) + "), or none, not '" + Text + "'");
        return true;
    }
    return false;
}

std::vector<double> TPlaneOptions::Positions(int Axis, const TKeelvaneParameters& P) const {
    if (Planes[Axis]) return *Planes[Axis];
    return UsualPlanes(Axis, P.Lbp, P.Beam, P.Depth);
}

void TPlaneOptions::AddTo(TContours& Contours, const TKeelvaneParameters& P) const {
    for (std::uint8_t Axis = 0; Axis < 3; ++Axis)
        for (const double Position : Positions(Axis, P)) Contours.Add(Axis, Position);
}
