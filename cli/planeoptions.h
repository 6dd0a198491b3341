// Cutting planes typed on the command line (--stations, --buttocks, --waterlines), shared by the
// commands that cut the hull, and the planes of a usual lines plan when none are typed.
#pragma once

#include <optional>
#include <string>
#include <vector>

class TArgumentList;
class TContours;
struct TKeelvaneParameters;

class TPlaneOptions {
public:
    // Takes Option's value from A when Option is one of the three; false for any other option.
    // EUsageError for a list given twice or malformed.
    bool Take(const std::string& Option, TArgumentList& A);
    // The positions typed for the axis (0 stations, 1 buttocks, 2 waterlines), or those of the
    // usual plan (UsualPlanes).
    std::vector<double> Positions(int Axis, const TKeelvaneParameters& P) const;
    // For each kind the planes typed ("none": no planes), or the usual ones when none were.
    void AddTo(TContours& Contours, const TKeelvaneParameters& P) const;

private:
    std::optional<std::vector<double>> Planes[3]; // by axis
};
