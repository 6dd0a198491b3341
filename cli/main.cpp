// keelvane-cli: generates and inspects Keelvane hull projects from the command line.
#include "cli/commands.h"
#include "cli/reportingmodel.h"

#include <exception>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    ReportOptions().Terminal = ::isatty(STDERR_FILENO) == 1;
    try {
        return RunCli(TArguments(argv + 1, argv + argc), std::cout, std::cerr);
    } catch (const std::exception& E) {
        std::cerr << "keelvane-cli: " << E.what() << "\n";
        return 1;
    }
}
