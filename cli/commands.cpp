// The command table of keelvane-cli, the help texts, and the dispatch to one command with the
// exit codes for usage errors and model errors shared by all commands.
#include "cli/commands.h"

#include "cli/args.h"
#include "cli/reportingmodel.h"
#include "cli/sheetoptions.h"
#include "geometry/errors.h"

#include <algorithm>
#include <ostream>

const std::vector<TCommand>& Commands() {
    static const std::string PlanesHelp =
        "  --stations LIST    x positions of the stations\n"
        "  --waterlines LIST  z positions of the waterlines\n"
        "  --buttocks LIST    y positions of the buttocks\n"
        "                     LIST is a,b,c or start:end:count, or none for no planes of that\n"
        "                     kind; a kind not given keeps the usual planes (21 stations,\n"
        "                     9 waterlines, 4 buttocks)\n";
    static const std::string LinesHelp =
        PlanesHelp + SheetOptionsHelp +
        "  --svg OUT.svg      draw the lines plan as an SVG sheet\n"
        "  --pdf OUT.pdf      draw the lines plan as a PDF sheet\n"
        "  --geo OUT.geo      write the contours as polylines of a geometry file\n"
        "  -q, --quiet        print errors only\n"
        "Example:\n"
        "  keelvane-cli lines ship.kvp --stations 0:100:11 --paper A3 --svg ship.svg\n";
    static const std::string ExportHelp =
        std::string(
            "  --step F, --iges F  the surface as STEP (AP214) or IGES (5.3), exactly as held\n"
            "  --both-halves       both halves of the hull, not only the starboard one\n"
            "  --curves            the defining curves as well\n"
            "  --dxf F             the lines plan sheet as DXF (R12), a layer for each kind\n"
            "                      of line, in millimetres on the paper\n"
            "  --dxf-3d            the DXF sheet in paper space, and the hull's lines in\n"
            "                      model space as 3-D polylines in the hull's coordinates\n"
            "  --stl F             the closed body as binary STL\n"
            "  --samples N         facets per knot span of the STL body\n"
            "  --offsets F         the half-breadths at each station and waterline as CSV\n"
            "The planes of the lines plan and the offsets, and the DXF sheet:\n") +
        PlanesHelp + SheetOptionsHelp + "  -q, --quiet        print errors only\n" +
        "Example:\n"
        "  keelvane-cli export ship.kvp --step ship.step --dxf ship.dxf --stl ship.stl\n";
    static const std::vector<TCommand> List = {
        {"generate",
         "generate [-i IN.kvp] [-s NAME=VALUE]... [--bulbous | --plain] [--length-only] "
         "-o OUT.kvp [--geo DIAG.geo]",
         "build a hull from the defaults or a project and save it as a project",
         "  -i IN.kvp        start from this project instead of the default hull\n"
         "  -s NAME=VALUE    set a parameter through its setter, in the order given (NAME is a\n"
         "                   project-file key such as Lbp, Beam or StBossRadius; BowShape is 0\n"
         "                   for a plain bow or 1 for a bulbous bow; see the README for all)\n"
         "  --bulbous        a bulbous bow (BowShape=1); --plain a plain bow (BowShape=0)\n"
         "  --length-only    a change of Lbp scales the lengths only, not the breadths\n"
         "  -o OUT.kvp       the project to write (required)\n"
         "  --geo DIAG.geo   also write the construction curves as a geometry file\n"
         "  -q, --quiet      print errors only\n"
         "Example:\n"
         "  keelvane-cli generate -s Lbp=120 -s Beam=22 --bulbous -o ship.kvp\n",
         RunGenerate},
        {"info", "info FILE.kvp [--json]", "show a project's parameters and its control net",
         "  --json           print JSON instead of key=value lines\n"
         "Example:\n"
         "  keelvane-cli info ship.kvp --json\n",
         RunInfo},
        {"hydro",
         "hydro FILE.kvp [--draught T | --draughts START:END:COUNT] [--density RHO] "
         "[--sections N] [--csv | --json]",
         "the hydrostatic particulars of a project's hull at one or more draughts",
         "  --draught T        the draught to float at (the project's Draught when not given)\n"
         "  --draughts LIST    the curves of form: one row per draught, LIST being\n"
         "                     start:end:count or a,b,c\n"
         "  --density RHO      the water's density (1.025 when not given)\n"
         "  --sections N       add the sectional-area curve at N stations (2 to 1000)\n"
         "  --csv, --json      output for scripts instead of a table\n"
         "Example:\n"
         "  keelvane-cli hydro ship.kvp --draughts 1:9:5 --sections 5\n",
         RunHydro},
        {"lines",
         "lines IN.kvp [--stations LIST] [--waterlines LIST] [--buttocks LIST] "
         "[--view profile|plan|body|all] [--paper A4|A3|A2|A1|A0] [--scale 1:N] "
         "[--unit m|mm|ft] [--svg OUT.svg] [--pdf OUT.pdf] [--geo OUT.geo]",
         "cut a project's hull into stations, waterlines and buttocks", LinesHelp.c_str(),
         RunLines},
        {"export",
         "export FILE.kvp [--step F] [--iges F] [--dxf F] [--stl F] [--offsets F] "
         "[--both-halves] [--curves] [--dxf-3d] [--stations LIST] [--waterlines LIST] "
         "[--buttocks LIST] [--view NAME] [--paper SIZE] [--scale 1:N] [--unit U] [--samples N]",
         "write the hull for other programs: STEP, IGES, DXF, STL and a table of offsets",
         ExportHelp.c_str(), RunExport},
    };
    return List;
}

namespace {

void CommandList(std::ostream& Out) {
    Out << "Usage: keelvane-cli COMMAND [OPTIONS]\nCommands:\n";
    for (const TCommand& C : Commands()) {
        std::string Name = C.Name;
        Name.resize(std::max<std::size_t>(Name.size() + 2, 10), ' ');
        Out << "  " << Name << C.Summary << "\n";
    }
    Out << "Run 'keelvane-cli COMMAND --help' for a command's options.\n";
}

int Usage(std::ostream& Err, const std::string& Problem, const TCommand* Command) {
    if (!Problem.empty()) Err << "keelvane-cli: " << Problem << "\n";
    if (!Command) {
        CommandList(Err);
    } else {
        Err << "Usage: keelvane-cli " << Command->Usage << "\n";
        Err << "Run 'keelvane-cli " << Command->Name << " --help' for its options.\n";
    }
    return 2;
}

void Help(std::ostream& Out, const TCommand& Command) {
    Out << "Usage: keelvane-cli " << Command.Usage << "\n"
        << Command.Summary << ".\nOptions:\n"
        << Command.Help;
}

bool IsOneOf(const std::string& Argument, const char* Short, const char* Long) {
    return Argument == Short || Argument == Long;
}

int RunCommand(const TCommand& Command, TArguments Arguments, std::ostream& Out,
               std::ostream& Err) {
    const auto Has = [&](const char* Short, const char* Long) {
        return std::any_of(Arguments.begin(), Arguments.end(),
                           [&](const std::string& A) { return IsOneOf(A, Short, Long); });
    };
    if (Has("-h", "--help")) {
        Help(Out, Command);
        return 0;
    }
    ReportOptions().Quiet = Has("-q", "--quiet");
    std::erase_if(Arguments, [](const std::string& A) { return IsOneOf(A, "-q", "--quiet"); });
    try {
        return Command.Run(Arguments, Out, Err);
    } catch (const EUsageError& E) {
        return Usage(Err, E.what(), &Command);
    } catch (const EKeelvaneError& E) {
        Err << E.what() << "\n";
        return 1;
    }
}

} // namespace

int RunCli(const TArguments& Arguments, std::ostream& Out, std::ostream& Err) {
    if (Arguments.empty()) return Usage(Err, "", nullptr);
    if (IsOneOf(Arguments[0], "-h", "--help")) {
        CommandList(Out);
        return 0;
    }
    for (const TCommand& C : Commands())
        if (Arguments[0] == C.Name)
            return RunCommand(C, TArguments(Arguments.begin() + 1, Arguments.end()), Out, Err);
    return Usage(Err, "unknown command '" + Arguments[0] + "'", nullptr);
}
