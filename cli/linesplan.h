// The lines plan on paper: cutting-plane lists typed as text, and the hull's outline and contours
// drawn in the standard views onto one SVG sheet.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

class TBSplineSurface;
class TPolylineList;
class TSvgStream;

enum TLinesView { lvProfile, lvPlan, lvBody, lvAll };

// "profile", "plan", "body" or "all"; none for any other text.
std::optional<TLinesView> LinesViewByName(std::string_view Name);

// Plane positions from "a,b,c" (as listed) or "start:end:count" (count positions evenly spaced
// from start to end, both included; a single one only when start and end agree); none when the
// text is malformed.
std::optional<std::vector<double>> ParsePlaneSpec(std::string_view Spec);

// The outline of Surface (the edges of its sampled net) and the Contours in the chosen view, or
// in all three arranged as a drawn lines plan (profile above the plan, the body plan beside the
// profile), each fitted with the viewport's margin at one common scale. The body plan shows the
// sections aft of Midships (an x position) mirrored on the left, the others on the right.
std::unique_ptr<TSvgStream> DrawLinesPlan(TBSplineSurface& Surface, const TPolylineList& Contours,
                                          double Midships, TLinesView View);
