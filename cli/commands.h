// The commands of keelvane-cli. Each command takes the arguments after its name and writes its
// result to Out and its progress, warnings and errors to Err; it returns the exit code: 0 done,
// 1 the model refused (message on Err), 2 unusable arguments (usage on Err).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

using TArguments = std::vector<std::string>;

struct TCommand {
    const char* Name;
    const char* Usage;   // the synopsis after "keelvane-cli "
    const char* Summary; // one line for the list of commands
    const char* Help;    // what "keelvane-cli NAME --help" adds: the options and an example
    int (*Run)(const TArguments& Arguments, std::ostream& Out, std::ostream& Err);
};

int RunGenerate(const TArguments& Arguments, std::ostream& Out, std::ostream& Err);
int RunHydro(const TArguments& Arguments, std::ostream& Out, std::ostream& Err);
int RunInfo(const TArguments& Arguments, std::ostream& Out, std::ostream& Err);
int RunLines(const TArguments& Arguments, std::ostream& Out, std::ostream& Err);
int RunExport(const TArguments& Arguments, std::ostream& Out, std::ostream& Err);

// Every command, in the order the usage lists them.
const std::vector<TCommand>& Commands();

// The whole tool: Arguments[0] names the command. "--help" (or "-h") anywhere after it shows the
// command's help; "--quiet" (or "-q") silences all but errors.
int RunCli(const TArguments& Arguments, std::ostream& Out, std::ostream& Err);
