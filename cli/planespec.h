// Cutting-plane lists typed as text on the command line.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

// Plane positions from "a,b,c" (as listed) or "start:end:count" (count positions evenly spaced
// from start to end, both included; a single one only when start and end agree); none when the
// text is malformed.
std::optional<std::vector<double>> ParsePlaneSpec(std::string_view Spec);
