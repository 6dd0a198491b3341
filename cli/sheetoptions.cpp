// Sheet options: view, paper, scale and unit of a lines plan.
#include "cli/sheetoptions.h"

#include "cli/args.h"
#include "drawing/linesplan.h"

bool TakeSheetOption(const std::string& Option, TArgumentList& A, TLinesPlanOptions& Sheet) {
    if (Option == "--view") {
        const std::string Name = A.ValueOf(Option);
        const auto View = LinesViewByName(Name);
        if (!View) throw EUsageError("--view is profile, plan, body or all, not '" + Name + "'");
        Sheet.View = *View;
    } else if (Option == "--paper") {
        const std::string Name = A.ValueOf(Option);
        const auto Paper = PaperByName(Name);
        if (!Paper) throw EUsageError("--paper is A4, A3, A2, A1 or A0, not '" + Name + "'");
        Sheet.Paper = *Paper;
    } else if (Option == "--scale") {
        const std::string Text = A.ValueOf(Option);
        Sheet.Scale = ParseScale(Text);
        if (!Sheet.Scale) throw EUsageError("--scale is 1:N with N > 0, not '" + Text + "'");
    } else if (Option == "--unit") {
        const std::string Name = A.ValueOf(Option);
        const auto Unit = LengthUnitByName(Name);
        if (!Unit) throw EUsageError("--unit is m, mm or ft, not '" + Name + "'");
        Sheet.Unit = *Unit;
    } else
        return false;
    return true;
}

const char* const SheetOptionsHelp =
    "  --view NAME        profile, plan, body or all (the default: a full lines plan)\n"
    "  --paper SIZE       the sheet, landscape: A4, A3 (the default), A2, A1 or A0\n"
    "  --scale 1:N        the drawing's scale (the default: the largest standard scale\n"
    "                     at which the views fit)\n"
    "  --unit U           what the project's lengths are: m, mm or ft (the default: as\n"
    "                     entered, taken as metres for the scale)\n";
