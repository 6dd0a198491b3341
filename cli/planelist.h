// Cutting-plane lists typed as text on the command line.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

// The most planes of one kind a plan may ask for: enough for any drawing, and a bound on the
// work and memory one command may take.
inline constexpr int MaxPlanesPerKind = 10000;

// Plane positions from "a,b,c" (as listed) or "start:end:count" (count positions evenly spaced
// from start to end, both included; a single one only when start and end agree); none when the
// text is malformed or gives more than MaxPlanesPerKind positions.
std::optional<std::vector<double>> ParsePlaneList(std::string_view Text);
