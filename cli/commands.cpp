// The command table of keelvane-cli and the dispatch to one command, with the exit codes for
// usage errors and model errors shared by all commands.
#include "cli/commands.h"

#include "cli/args.h"
#include "geometry/errors.h"

#include <ostream>

const std::vector<TCommand>& Commands() {
    static const std::vector<TCommand> List = {
        {"generate",
         "generate [-i IN.kvp] [-s NAME=VALUE]... [--bulbous | --plain] [--length-only] "
         "-o OUT.kvp [--geo DIAG.geo]",
         RunGenerate},
        {"info", "info FILE.kvp [--json]", RunInfo},
        {"hydro",
         "hydro FILE.kvp [--draught T | --draughts START:END:COUNT] [--density RHO] "
         "[--sections N] [--csv | --json]",
         RunHydro},
        {"lines",
         "lines IN.kvp [--stations SPEC] [--waterlines SPEC] [--buttocks SPEC] "
         "[--view profile|plan|body|all] [--paper A4|A3|A2|A1|A0] [--scale 1:N] "
         "[--unit m|mm|ft] [--svg OUT.svg] [--pdf OUT.pdf] [--geo OUT.geo]; SPEC is a,b,c or "
         "start:end:count",
         RunLines},
        {"export",
         "export FILE.kvp [--step F] [--iges F] [--stl F] [--offsets F] [--both-halves] "
         "[--curves] [--stations SPEC] [--waterlines SPEC] [--samples N]",
         RunExport},
    };
    return List;
}

namespace {

int Usage(std::ostream& Err, const std::string& Problem) {
    if (!Problem.empty()) Err << "keelvane-cli: " << Problem << "\n";
    Err << "Usage:\n";
    for (const TCommand& C : Commands()) Err << "  keelvane-cli " << C.Usage << "\n";
    Err << "NAME is a project-file key (Lbp, Beam, StBossRadius, ...).\n";
    return 2;
}

} // namespace

int RunCli(const TArguments& Arguments, std::ostream& Out, std::ostream& Err) {
    if (Arguments.empty()) return Usage(Err, "");
    if (Arguments[0] == "-h" || Arguments[0] == "--help") {
        Usage(Out, "");
        return 0;
    }
    for (const TCommand& C : Commands()) {
        if (Arguments[0] != C.Name) continue;
        try {
            return C.Run(TArguments(Arguments.begin() + 1, Arguments.end()), Out, Err);
        } catch (const EUsageError& E) {
            return Usage(Err, E.what());
        } catch (const EKeelvaneError& E) {
            Err << E.what() << "\n";
            return 1;
        }
    }
    return Usage(Err, "unknown command '" + Arguments[0] + "'");
}
