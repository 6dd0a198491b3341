// The lines plan as a DXF drawing: the sheet of the SVG and PDF, each kind of line and text on its
// own layer, in millimetres on the paper; on request also the hull's lines as 3-D polylines in
// model coordinates, a layer for each kind.
#pragma once

#include <ostream>
#include <string>

class TLinesPlanSheet;

// The layer of a kind of line in model space: the sheet's layer with "-3D" appended.
std::string ModelLayer(const std::string& SheetLayer);

// Sheet as a DXF file. With ModelLines the sheet goes to paper space and the lines it draws fill
// model space in their true positions.
void WriteLinesPlanDxf(std::ostream& Out, const TLinesPlanSheet& Sheet, bool ModelLines);
