// The lines plan sheet drawn into a DXF stream, with the hull's lines in model space on request.
#include "exchange/linesplandxf.h"

#include "drawing/hulllines.h"
#include "drawing/linesplan.h"
#include "exchange/dxfstream.h"

namespace {

void AddModelLines(TDxfStream& Dxf, const THullLines& Lines) {
    const auto Add = [&](const TPolylineList& List, const std::string& Layer) {
        for (int i = 0; i < List.Count(); ++i) Dxf.AddPolyline3D(List.Polyline(i), Layer);
    };
    Add(Lines.Lengthwise, ModelLayer(SheetLayer::Outline));
    Add(Lines.Ends, ModelLayer(SheetLayer::Outline));
    for (const auto& S : Lines.Sections) Add(S->Lines, ModelLayer(SheetLayer::Sections[S->Axis]));
    Add(Lines.DesignWaterline->Lines, ModelLayer(SheetLayer::DesignWaterline));
}

} // namespace

std::string ModelLayer(const std::string& SheetLayer) {
    return SheetLayer + "-3D";
}

void WriteLinesPlanDxf(std::ostream& Out, const TLinesPlanSheet& Sheet, bool ModelLines) {
    TDxfStream Dxf(Sheet.Height());
    if (ModelLines) {
        AddModelLines(Dxf, Sheet.Lines());
        Dxf.SetSheetInPaperSpace(true);
    }
    Sheet.Draw(Dxf);
    Dxf.Write(Out);
}
