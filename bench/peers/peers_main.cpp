// bench_peers: runs every peer benchmark in this one process, then prints how many times faster
// Keelvane does each piece of work than its peer. Each runs five times and the medians are
// compared: on a shared machine a single run of either side can be a third off.
#include "bench/peers/peers.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <exception>
#include <map>
#include <string>
#include <vector>

namespace {

// The console report, remembering each benchmark's CPU time per iteration in seconds: the median
// of its repetitions, or its one run when it is not repeated.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> Seconds;

    void ReportRuns(const std::vector<Run>& Runs) override {
        ConsoleReporter::ReportRuns(Runs);
        for (const Run& R : Runs)
            if (!R.error_occurred &&
                (R.run_type == Run::RT_Iteration || R.aggregate_name == "median"))
                Seconds[R.run_name.str()] =
                    R.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(R.time_unit);
    }
};

std::string Readable(double Seconds) {
    char Text[32];
    if (Seconds < 1e-6)
        std::snprintf(Text, sizeof Text, "%.1f ns", Seconds * 1e9);
    else if (Seconds < 1e-3)
        std::snprintf(Text, sizeof Text, "%.1f us", Seconds * 1e6);
    else
        std::snprintf(Text, sizeof Text, "%.1f ms", Seconds * 1e3);
    return Text;
}

void PrintRatios(const std::map<std::string, double>& Seconds) {
    std::printf("\nKeelvane against its peers (median CPU time per iteration, measured in this "
                "run):\n");
    for (const auto& [Name, Ours] : Seconds) {
        const auto Slash = Name.find('/');
        if (Name.substr(Slash + 1) != "Keelvane") continue;
        const std::string Work = Name.substr(0, Slash);
        for (const auto& [PeerName, Theirs] : Seconds)
            if (PeerName.starts_with(Work + "/") && PeerName != Name)
                std::printf("  %-26s Keelvane %10s  %-6s %10s  %6.2fx faster\n", Work.c_str(),
                            Readable(Ours).c_str(), PeerName.substr(Slash + 1).c_str(),
                            Readable(Theirs).c_str(), Theirs / Ours);
    }
    const auto Coarse = Seconds.find("Contours 300x300/Keelvane");
    const auto Fine = Seconds.find("Contours 600x600/Keelvane");
    if (Coarse != Seconds.end() && Fine != Seconds.end())
        std::printf("  Keelvane contours at 600 x 600 take %.2fx the time at 300 x 300 (4x the "
                    "triangles)\n",
                    Fine->second / Coarse->second);
}

} // namespace

int main(int argc, char** argv) {
    // Five repetitions reported by their statistics, unless the command line says otherwise: the
    // flags given later win.
    std::vector<char*> Arguments{argv[0], const_cast<char*>("--benchmark_repetitions=5"),
                                 const_cast<char*>("--benchmark_report_aggregates_only=true")};
    Arguments.insert(Arguments.end(), argv + 1, argv + argc);
    int Count = static_cast<int>(Arguments.size());
    argv = Arguments.data();
    argc = Count;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    try {
        RegisterSurfacePeers();
        RegisterContourPeers();
    } catch (const std::exception& E) {
        std::fprintf(stderr, "bench_peers: %s\n", E.what());
        return 1;
    }
    TRatioReporter Reporter;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    benchmark::Shutdown();
    PrintRatios(Reporter.Seconds);
    return 0;
}
