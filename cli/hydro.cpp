// keelvane-cli hydro: the hydrostatic particulars of a project's stored hull surface at one or
// more draughts, with its sectional-area curve, as a table, CSV or JSON.
#include "cli/args.h"
#include "cli/commands.h"
#include "cli/json.h"
#include "cli/planelist.h"
#include "cli/reportingmodel.h"

#include "geometry/records.h"
#include "hydro/hydrostatics.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace {

enum TFormat { fmTable, fmCsv, fmJson };

struct THydroOptions {
    std::optional<std::string> Input;
    std::optional<std::vector<double>> Draughts;
    double Density = 1.025;
    int Sections = 0;
    TFormat Format = fmTable;
};

// A column of the report: its key (CSV and JSON), its heading in the table and its decimals.
struct TColumn {
    const char* Key;
    const char* Heading;
    int Decimals;
    double THydroParticulars::*Field;
};

const TColumn Columns[] = {
    {"Draught", "T", 3, &THydroParticulars::Draught},
    {"Lwl", "Lwl", 3, &THydroParticulars::Lwl},
    {"Bwl", "Bwl", 3, &THydroParticulars::Bwl},
    {"Volume", "Volume", 1, &THydroParticulars::Volume},
    {"Displacement", "Displ", 1, &THydroParticulars::Displacement},
    {"LCB", "LCB", 3, &THydroParticulars::LCB},
    {"KB", "KB", 3, &THydroParticulars::KB},
    {"Awp", "Awp", 1, &THydroParticulars::Awp},
    {"LCF", "LCF", 3, &THydroParticulars::LCF},
    {"Am", "Am", 2, &THydroParticulars::Am},
    {"Cb", "Cb", 4, &THydroParticulars::Cb},
    {"Cm", "Cm", 4, &THydroParticulars::Cm},
    {"Cp", "Cp", 4, &THydroParticulars::Cp},
    {"Cwp", "Cwp", 4, &THydroParticulars::Cwp},
    {"BMt", "BMt", 3, &THydroParticulars::BMt},
    {"BMl", "BMl", 2, &THydroParticulars::BMl},
    {"KMt", "KMt", 3, &THydroParticulars::KMt},
    {"KMl", "KMl", 2, &THydroParticulars::KMl},
    {"WettedSurface", "Wetted", 1, &THydroParticulars::WettedSurface},
};

THydroOptions ParseHydro(const TArguments& Arguments) {
    THydroOptions O;
    TArgumentList A(Arguments);
    const auto SetDraughts = [&](const std::string& Option, std::optional<std::vector<double>> D) {
        if (O.Draughts) throw EUsageError("give --draught or --draughts once");
        if (!D || D->empty()) throw EUsageError(Option + " needs a draught or start:end:count");
        O.Draughts = D;
    };
    while (!A.AtEnd()) {
        const std::string Option = A.Next();
        if (Option == "--draught") {
            const std::string Value = A.ValueOf(Option);
            SetDraughts(Option, std::vector<double>{NumberArgument(Value, Option)});
        } else if (Option == "--draughts") {
            SetDraughts(Option, ParsePlaneList(A.ValueOf(Option)));
        } else if (Option == "--density") {
            O.Density = NumberArgument(A.ValueOf(Option), Option);
            if (!(O.Density > 0) || !std::isfinite(O.Density))
                throw EUsageError("--density must be above 0");
        } else if (Option == "--sections") {
            const double N = NumberArgument(A.ValueOf(Option), Option);
            if (N != std::floor(N) || N < 2 || N > 1000)
                throw EUsageError("--sections needs a whole number from 2 to 1000");
            O.Sections = static_cast<int>(N);
        } else if (Option == "--csv" || Option == "--json") {
            if (O.Format != fmTable) throw EUsageError("give --csv or --json once");
            O.Format = Option == "--csv" ? fmCsv : fmJson;
        } else if (Option.starts_with("-")) {
            throw EUsageError("unknown option '" + Option + "'");
        } else {
            SetOnce(O.Input, Option, "FILE.kvp");
        }
    }
    if (!O.Input) throw EUsageError("hydro needs FILE.kvp");
    return O;
}

struct TReport {
    std::string File;
    double Density = 0, MidshipX = 0;
    std::vector<THydroParticulars> Rows;
    std::vector<double> SectionX;
    std::vector<std::vector<TSectionArea>> Sections; // one curve per row
};

// Text right-aligned in Width.
std::string Pad(const std::string& Text, std::size_t Width) {
    return std::string(Width > Text.size() ? Width - Text.size() : 0, ' ') + Text;
}

void WriteTable(const TReport& R, std::ostream& Out) {
    Out << "Hydrostatics of " << R.File << ": density " << GeneralText(R.Density)
        << ", midship section at x = " << FixedText(R.MidshipX, 3) << "\n";
    Out << "Volume, displacement, areas and inertias of both sides; LCB and LCF are x from the "
           "aft perpendicular, KB and KM heights above the keel.\n\n";
    std::vector<std::size_t> Width;
    for (const TColumn& C : Columns) {
        std::size_t W = std::string(C.Heading).size();
        for (const THydroParticulars& H : R.Rows)
            W = std::max(W, FixedText(H.*C.Field, C.Decimals).size());
        Width.push_back(W + 2);
    }
    for (std::size_t c = 0; c < std::size(Columns); ++c) Out << Pad(Columns[c].Heading, Width[c]);
    Out << "\n";
    for (const THydroParticulars& H : R.Rows) {
        for (std::size_t c = 0; c < std::size(Columns); ++c)
            Out << Pad(FixedText(H.*Columns[c].Field, Columns[c].Decimals), Width[c]);
        Out << "\n";
    }
    if (R.SectionX.empty()) return;
    Out << "\nSectional areas (both sides)\n" << Pad("x", 10);
    for (const THydroParticulars& H : R.Rows) Out << Pad("T " + FixedText(H.Draught, 3), 12);
    Out << "\n";
    for (std::size_t k = 0; k < R.SectionX.size(); ++k) {
        Out << Pad(FixedText(R.SectionX[k], 3), 10);
        for (const auto& Curve : R.Sections) Out << Pad(FixedText(Curve[k].Area, 3), 12);
        Out << "\n";
    }
}

// The particulars, one row per draught; then, after an empty line, the sectional areas, one row
// per position with a column per draught.
void WriteCsv(const TReport& R, std::ostream& Out) {
    for (const TColumn& C : Columns) Out << (&C == Columns ? "" : ",") << C.Key;
    Out << "\n";
    for (const THydroParticulars& H : R.Rows) {
        for (const TColumn& C : Columns)
            Out << (&C == Columns ? "" : ",") << GeneralText(H.*C.Field);
        Out << "\n";
    }
    if (R.SectionX.empty()) return;
    Out << "\nx";
    for (const THydroParticulars& H : R.Rows) Out << ",Area at T=" << GeneralText(H.Draught);
    Out << "\n";
    for (std::size_t k = 0; k < R.SectionX.size(); ++k) {
        Out << GeneralText(R.SectionX[k]);
        for (const auto& Curve : R.Sections) Out << "," << GeneralText(Curve[k].Area);
        Out << "\n";
    }
}

void WriteJson(const TReport& R, std::ostream& Out) {
    Out << "{\n  \"file\": " << JsonString(R.File) << ",\n  \"density\": " << GeneralText(R.Density)
        << ",\n  \"midshipX\": " << GeneralText(R.MidshipX) << ",\n  \"draughts\": [";
    for (std::size_t i = 0; i < R.Rows.size(); ++i) {
        Out << (i ? "," : "") << "\n    {";
        for (const TColumn& C : Columns)
            Out << (&C == Columns ? "" : ", ") << JsonString(C.Key) << ": "
                << GeneralText(R.Rows[i].*C.Field);
        if (!R.SectionX.empty()) {
            Out << ", \"sections\": [";
            for (const TSectionArea& A : R.Sections[i])
                Out << (&A == R.Sections[i].data() ? "" : ", ") << "{\"x\": " << GeneralText(A.X)
                    << ", \"area\": " << GeneralText(A.Area) << "}";
            Out << "]";
        }
        Out << "}";
    }
    Out << "\n  ]\n}\n";
}

} // namespace

int RunHydro(const TArguments& Arguments, std::ostream& Out, std::ostream& Err) {
    const THydroOptions O = ParseHydro(Arguments);
    TReportingKeelvane Model(Err);
    Model.LoadFromFile(*O.Input);
    THydrostatics Hydro(Model);
    Hydro.Density = O.Density;
    Hydro.MidshipX = Model.Midship();

    TReport R{*O.Input, O.Density, Model.Midship(), {}, {}, {}};
    for (double T : O.Draughts.value_or(std::vector<double>{Model.Parameters().Draught}))
        R.Rows.push_back(Hydro.At(T));
    if (O.Sections) {
        R.SectionX = SectionPositions(R.Rows, O.Sections);
        for (const THydroParticulars& H : R.Rows)
            R.Sections.push_back(Hydro.SectionalAreas(H.Draught, R.SectionX));
    }
    if (O.Format == fmCsv)
        WriteCsv(R, Out);
    else if (O.Format == fmJson)
        WriteJson(R, Out);
    else
        WriteTable(R, Out);
    return 0;
}
