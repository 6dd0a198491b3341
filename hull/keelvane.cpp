// The hull model's parameter set: defaults, setters with their limits and couplings, the two
// length transformations, and the generation pipeline that runs the construction steps.
#include "hull/keelvane.h"

#include "geometry/errors.h"
#include "geometry/gstream.h"
#include "geometry/maths.h"
#include "geometry/records.h"

#include <array>
#include <cmath>
#include <filesystem>

namespace {

// The least value a parameter takes for the hull to exist.
enum TLowerLimit : std::uint8_t { llNone, llZero, llPositive };

struct TParameterInfo {
    std::string_view Key;
    double TKeelvaneParameters::*Field; // none for BowShape
    void (TKeelvane::*Setter)(double);  // none for BowShape
    TLowerLimit Limit;
};

using K = TKeelvaneParameters;
using M = TKeelvane;

// File order of the saved parameters. Depth and TransomImmersion are bounded by the others
// (see CheckParameters); the curvatures are percentages of either sign.
const std::array<TParameterInfo, TKeelvane::ParameterCount> ParameterTable = {{
    {"BowShape", nullptr, nullptr, llNone},
    {"Lbp", &K::Lbp, &M::SetLbp, llPositive},
    {"Beam", &K::Beam, &M::SetBeam, llPositive},
    {"Depth", &K::Depth, &M::SetDepth, llNone},
    {"Draught", &K::Draught, &M::SetDraught, llPositive},
    {"ParallelDeckF", &K::ParallelDeckF, &M::SetParallelDeckF, llZero},
    {"ParallelDeckA", &K::ParallelDeckA, &M::SetParallelDeckA, llZero},
    {"FOSBow", &K::FOSBow, &M::SetFOSBow, llZero},
    {"FOSAft", &K::FOSAft, &M::SetFOSAft, llZero},
    {"BowRadiusAtDeck", &K::BowRadiusAtDeck, &M::SetBowRadiusAtDeck, llZero},
    {"BilgeRadius", &K::BilgeRadius, &M::SetBilgeRadius, llPositive},
    {"TransomBehindAP", &K::TransomBehindAP, &M::SetTransomBehindAP, llZero},
    {"TransomImmersion", &K::TransomImmersion, &M::SetTransomImmersion, llNone},
    {"TransomBeam", &K::TransomBeam, &M::SetTransomBeam, llPositive},
    {"TransomCurvature", &K::TransomCurvature, &M::SetTransomCurvature, llNone},
    {"BowCurvature", &K::BowCurvature, &M::SetBowCurvature, llNone},
    {"BulbRadius", &K::BulbRadius, &M::SetBulbRadius, llZero},
    {"ForeOverHang", &K::ForeOverHang, &M::SetForeOverHang, llZero},
    {"BulbLength", &K::BulbLength, &M::SetBulbLength, llZero},
    {"ForeFootRadius", &K::ForeFootRadius, &M::SetForeFootRadius, llZero},
    {"StemRadius", &K::StemRadius, &M::SetStemRadius, llZero},
    {"StRootHeight", &K::StRootHeight, &M::SetStRootHeight, llZero},
    {"StShaftHeight", &K::StShaftHeight, &M::SetStShaftHeight, llZero},
    {"StBossToot", &K::StBossToot, &M::SetStBossToot, llPositive},
    {"StBossRadius", &K::StBossRadius, &M::SetStBossRadius, llZero},
    {"StBossStart", &K::StBossStart, &M::SetStBossStart, llZero},
    {"StFlatOfBottomStart", &K::StFlatOfBottomStart, &M::SetStFlatOfBottomStart, llZero},
}};

// Raises EGeometryError naming the parameter and its range when Value is below its limit.
void CheckLimit(const TParameterInfo& P, double Value) {
    if (P.Limit == llPositive && !(Value > 0))
        throw EGeometryError(std::string(P.Key) + " must be greater than 0");
    if (P.Limit == llZero && !(Value >= 0))
        throw EGeometryError(std::string(P.Key) + " must be 0 or more");
}

const TParameterInfo& Info(int Index) {
    if (Index < 0 || Index >= TKeelvane::ParameterCount)
        throw EListError("Unknown hull parameter index " + std::to_string(Index));
    return ParameterTable[static_cast<std::size_t>(Index)];
}

} // namespace

TKeelvane::TKeelvane() : TBSplineSurface(0, 0) {
    // A derived class's SetDefaults is not reachable from here; it runs its own after this.
    TKeelvane::SetDefaults();
}

TKeelvane::~TKeelvane() = default;

TKeelvane& TKeelvane::operator=(TKeelvane&& Other) = default;

std::array<const TBSpline*, 7> TKeelvane::DefiningSplines() const {
    return {&FMidshipSection,   &FStemProfile, &FSternProfile, &FAftFlatBoundary,
            &FForeFlatBoundary, &FTransom,     &FDeckLine};
}

std::string_view TKeelvane::ParameterKey(int Index) {
    return Info(Index).Key;
}

int TKeelvane::ParameterIndex(std::string_view Key) {
    for (int i = 0; i < ParameterCount; ++i)
        if (ParameterTable[static_cast<std::size_t>(i)].Key == Key) return i;
    return -1;
}

TKeelvane::TParameterField TKeelvane::ParameterField(int Index) {
    const TParameterInfo& P = Info(Index);
    if (!P.Field) throw EListError("Hull parameter " + std::string(P.Key) + " is not a number");
    return P.Field;
}

double TKeelvane::ParameterValue(int Index) const {
    const TParameterInfo& P = Info(Index);
    return P.Field ? FParams.*P.Field : FParams.BowShape;
}

void TKeelvane::SetParameterValue(int Index, double Value) {
    const TParameterInfo& P = Info(Index);
    if (P.Setter)
        (this->*P.Setter)(Value);
    else
        SetBowShape(Value == 1.0 ? 1 : 0);
}

void TKeelvane::CheckParameters() const {
    const TKeelvaneParameters& P = FParams;
    for (int i = 1; i < ParameterCount; ++i)
        if (!std::isfinite(ParameterValue(i)))
            throw EGeometryError(std::string(ParameterKey(i)) + " must be a finite number");
    for (int i = 1; i < ParameterCount; ++i) CheckLimit(Info(i), ParameterValue(i));
    if (!(P.Depth > P.Draught)) throw EGeometryError("Depth must be greater than Draught");
    if (!(P.Draught - P.TransomImmersion < P.Depth))
        throw EGeometryError("The transom lies above the deck: Draught - TransomImmersion "
                             "must be less than Depth");
    // At the full beam the line from the deck edge to the transom corner never reaches the
    // centre plane, and the stern frame has no foot.
    if (!(P.TransomBeam < P.Beam))
        throw EGeometryError("TransomBeam must be greater than 0 and less than Beam");
}

void TKeelvane::CheckValue(TParameterField Field, double Value) {
    for (const TParameterInfo& P : ParameterTable)
        if (P.Field == Field) CheckLimit(P, Value);
}

void TKeelvane::RunSteps(std::initializer_list<TStep> Steps) {
    CheckParameters();
    for (TStep Step : Steps) (this->*Step)();
}

// --- setters

void TKeelvane::SetBowShape(std::uint8_t Flag) {
    FParams.BowShape = Flag;
    RunSteps({&TKeelvane::BuildStemProfile, &TKeelvane::BuildForeFlatBoundary});
}

void TKeelvane::SetLbp(double Value) {
    // Checked before anything changes: a zero length would scale every length away for good.
    CheckValue(&TKeelvaneParameters::Lbp, Value);
    const double f = Divide(Value, FParams.Lbp);
    FParams.Lbp = Value;
    ScaleLengths(f);
    BuildCurves();
}

// The lengths along the ship scale in both modes; Geosim scales breadths, heights and radii too.
void TKeelvane::ScaleLengths(double f) {
    TKeelvaneParameters& P = FParams;
    for (double* v :
         {&P.ParallelDeckF, &P.ParallelDeckA, &P.ForeOverHang, &P.BulbLength, &P.FOSBow,
          &P.TransomBehindAP, &P.FOSAft, &P.StBossToot, &P.StFlatOfBottomStart, &P.StBossStart})
        *v *= f;
    if (TransformMode == tmGeosim)
        for (double* v :
             {&P.Beam, &P.Depth, &P.BilgeRadius, &P.BowRadiusAtDeck, &P.Draught, &P.StemRadius,
              &P.BulbRadius, &P.ForeFootRadius, &P.TransomImmersion, &P.TransomBeam,
              &P.StRootHeight, &P.StShaftHeight, &P.StBossRadius, &FSternProfileHeight})
            *v *= f;
}

void TKeelvane::SetDraught(double Value) {
    CheckValue(&TKeelvaneParameters::Draught, Value);
    FParams.Draught = Value;
    RunSteps({&TKeelvane::BuildStemProfile});
}

void TKeelvane::SetBeam(double Value) {
    CheckValue(&TKeelvaneParameters::Beam, Value);
    FParams.Beam = Value;
    RunSteps({&TKeelvane::BuildMidshipSection, &TKeelvane::BuildForeFlatBoundary,
              &TKeelvane::BuildAftFlatBoundary, &TKeelvane::BuildDeckLine});
}

void TKeelvane::SetDepth(double Value) {
    FParams.Depth = Value;
    RunSteps({&TKeelvane::BuildMidshipSection, &TKeelvane::BuildForeFlatBoundary,
              &TKeelvane::BuildAftFlatBoundary, &TKeelvane::BuildStemProfile,
              &TKeelvane::BuildSternProfile, &TKeelvane::BuildTransom, &TKeelvane::BuildDeckLine});
}

void TKeelvane::SetBilgeRadius(double Value) {
    if (Value < 0) Value = 0;
    if (Value > B() / 2) Value = B() / 2;
    if (Value > D()) Value = D();
    FParams.BilgeRadius = Value;
    RunSteps({&TKeelvane::BuildMidshipSection, &TKeelvane::BuildForeFlatBoundary,
              &TKeelvane::BuildAftFlatBoundary});
}

// The steps that follow a move of an end of the parallel deck or of the flat of side.
void TKeelvane::RebuildFlats() {
    RunSteps({&TKeelvane::BalanceFlats, &TKeelvane::LayoutColumns,
              &TKeelvane::BuildForeFlatBoundary, &TKeelvane::BuildAftFlatBoundary,
              &TKeelvane::BuildDeckLine});
}

void TKeelvane::SetParallelDeckF(double Value) {
    CheckValue(&TKeelvaneParameters::ParallelDeckF, Value);
    FParams.ParallelDeckF = Value;
    RebuildFlats();
}

void TKeelvane::SetParallelDeckA(double Value) {
    CheckValue(&TKeelvaneParameters::ParallelDeckA, Value);
    FParams.ParallelDeckA = Value;
    RebuildFlats();
}

// Moves one end of the flat of side and keeps the deck end at the same fraction of the way
// from the hull's end to it.
void TKeelvane::SetFlatOfSideEnd(double& FOS, double& DeckEnd, double HullEnd, double Value) {
    const double k = Divide(DeckEnd - HullEnd, FOS - HullEnd);
    FOS = Value;
    DeckEnd = HullEnd + (FOS - HullEnd) * k;
    RebuildFlats();
}

void TKeelvane::SetFOSBow(double Value) {
    CheckValue(&TKeelvaneParameters::FOSBow, Value);
    SetFlatOfSideEnd(FParams.FOSBow, FParams.ParallelDeckF, xF(), Value);
}

void TKeelvane::SetFOSAft(double Value) {
    CheckValue(&TKeelvaneParameters::FOSAft, Value);
    SetFlatOfSideEnd(FParams.FOSAft, FParams.ParallelDeckA, xA(), Value);
}

void TKeelvane::SetBowRadiusAtDeck(double Value) {
    CheckValue(&TKeelvaneParameters::BowRadiusAtDeck, Value);
    FParams.BowRadiusAtDeck = Value;
    RunSteps({&TKeelvane::BuildDeckLine});
}

void TKeelvane::SetTransomBehindAP(double Value) {
    CheckValue(&TKeelvaneParameters::TransomBehindAP, Value);
    FParams.TransomBehindAP = Value;
    RunSteps({&TKeelvane::BuildTransom, &TKeelvane::BuildSternProfile, &TKeelvane::BuildDeckLine});
}

void TKeelvane::SetTransomImmersion(double Value) {
    FParams.TransomImmersion = Value;
    RunSteps({&TKeelvane::BuildTransom, &TKeelvane::BuildSternProfile});
}

void TKeelvane::SetTransomBeam(double Value) {
    CheckValue(&TKeelvaneParameters::TransomBeam, Value);
    FParams.TransomBeam = Value;
    RunSteps({&TKeelvane::BuildTransom, &TKeelvane::BuildDeckLine});
}

void TKeelvane::SetTransomCurvature(double Value) {
    FParams.TransomCurvature = Value;
    RunSteps({&TKeelvane::BuildTransom});
}

void TKeelvane::SetForeOverHang(double Value) {
    FParams.ForeOverHang = Value < 0 ? 0 : std::min(Value, T());
    RunSteps({&TKeelvane::BuildStemProfile, &TKeelvane::BuildDeckLine});
}

void TKeelvane::SetBowCurvature(double Value) {
    FParams.BowCurvature = std::fabs(Value) > 100 ? Sign(Value) * 100.0 : Value;
    RunSteps({&TKeelvane::BuildStemProfile});
}

void TKeelvane::SetForeFootRadius(double Value) {
    FParams.ForeFootRadius = Value < 0 ? 0 : std::min(Value, T());
    RunSteps({&TKeelvane::BuildStemProfile});
}

void TKeelvane::SetBulbLength(double Value) {
    FParams.BulbLength = Value < 0 ? 0 : std::min(Value, 1.5 * FParams.ForeOverHang);
    RunSteps({&TKeelvane::BuildStemProfile});
}

void TKeelvane::SetBulbRadius(double Value) {
    CheckValue(&TKeelvaneParameters::BulbRadius, Value);
    FParams.BulbRadius = Value;
}

void TKeelvane::SetStemRadius(double Value) {
    CheckValue(&TKeelvaneParameters::StemRadius, Value);
    FParams.StemRadius = Value;
}

// A stern parameter changes only the stern profile.
void TKeelvane::StoreSternValue(TParameterField Field, double Value) {
    CheckValue(Field, Value);
    FParams.*Field = Value;
    RunSteps({&TKeelvane::BuildSternProfile});
}

void TKeelvane::SetStRootHeight(double Value) {
    StoreSternValue(&TKeelvaneParameters::StRootHeight, Value);
}

void TKeelvane::SetStShaftHeight(double Value) {
    StoreSternValue(&TKeelvaneParameters::StShaftHeight, Value);
}

void TKeelvane::SetStBossToot(double Value) {
    StoreSternValue(&TKeelvaneParameters::StBossToot, Value);
}

void TKeelvane::SetStBossRadius(double Value) {
    StoreSternValue(&TKeelvaneParameters::StBossRadius, Value);
}

void TKeelvane::SetStBossStart(double Value) {
    StoreSternValue(&TKeelvaneParameters::StBossStart, Value);
}

void TKeelvane::SetStFlatOfBottomStart(double Value) {
    StoreSternValue(&TKeelvaneParameters::StFlatOfBottomStart, Value);
}

// --- defaults and the pipeline

void TKeelvane::SetDefaults() {
    TKeelvaneParameters& P = FParams;
    P.BowShape = 0;
    P.Lbp = 100.0;
    P.Beam = 20.0;
    P.Depth = 9.5;
    P.Draught = 4.172;
    const double ParallelDeckLength = 52.0;
    P.ParallelDeckF = Midship() + ParallelDeckLength / 2;
    P.ParallelDeckA = Midship() - ParallelDeckLength / 2;
    P.FOSBow = 60.0;
    P.FOSAft = 40.0;
    P.BowRadiusAtDeck = 5.235;
    P.BilgeRadius = 2.05;
    P.TransomBehindAP = 5.0;
    P.TransomImmersion = P.Draught - 5.032;
    P.TransomBeam = 12.0;
    P.TransomCurvature = 50.0;
    P.BowCurvature = 15.0;
    P.BulbRadius = 1.92;
    P.ForeOverHang = 2.0;
    P.BulbLength = 1.8;
    P.ForeFootRadius = 2.0;
    P.StemRadius = 0.1;
    P.StRootHeight = (P.Draught - P.TransomImmersion) * 2 / 3 - 0.06;
    P.StShaftHeight = 1.906;
    P.StBossToot = 1.3;
    P.StBossRadius = 0.332;
    P.StBossStart = 1.53;
    P.StFlatOfBottomStart = 1.7 * P.StBossToot + P.StBossStart;
    FSternProfileHeight = 4.55;
    RebuildCurves();
}

void TKeelvane::RebuildCurves() {
    Clear();
    BuildCurves();
}

void TKeelvane::BuildCurves() {
    RunSteps({&TKeelvane::BalanceFlats, &TKeelvane::LayoutColumns, &TKeelvane::BuildMidshipSection,
              &TKeelvane::BuildForeFlatBoundary, &TKeelvane::BuildAftFlatBoundary,
              &TKeelvane::BuildStemProfile, &TKeelvane::BuildSternProfile, &TKeelvane::BuildTransom,
              &TKeelvane::BuildDeckLine});
}

void TKeelvane::Generate() {
    // Each step with what it builds, the parameters that shape it most, the stage it opens and
    // the progress reached after it (none: -1).
    struct TGenerationStep {
        TStep Run;
        int Percent;
        const char* Stage;
        TGenerationStage Info;
    };
    static const TGenerationStep Steps[] = {
        {&TKeelvane::BalanceFlats,
         -1,
         nullptr,
         {"balancing the flats", "ParallelDeckF, ParallelDeckA, FOSBow, FOSAft"}},
        {&TKeelvane::LayoutColumns,
         10,
         nullptr,
         {"laying out the columns", "Lbp, ParallelDeckF, ParallelDeckA"}},
        {&TKeelvane::BuildMidshipSection,
         15,
         nullptr,
         {"the midship section", "Beam, Depth, BilgeRadius"}},
        {&TKeelvane::BuildStemProfile,
         17,
         nullptr,
         {"the stem profile", "Draught, ForeOverHang, BowCurvature, ForeFootRadius, BulbLength"}},
        {&TKeelvane::BuildStemSideColumn,
         19,
         nullptr,
         {"the stem column", "StemRadius, BowRadiusAtDeck"}},
        {&TKeelvane::BuildForeFlatBoundary,
         21,
         nullptr,
         {"the fore flat boundary", "FOSBow, BilgeRadius, BowShape"}},
        {&TKeelvane::BuildBowConstructionLine,
         23,
         nullptr,
         {"the bow construction line", "BowRadiusAtDeck, FOSBow, ParallelDeckF"}},
        {&TKeelvane::BuildForeCutLine,
         25,
         nullptr,
         {"the fore cut line", "ForeOverHang, ForeFootRadius, StemRadius"}},
        {&TKeelvane::BuildForeWaterlines,
         27,
         nullptr,
         {"the fore waterlines", "FOSBow, BowRadiusAtDeck, BowCurvature"}},
        {&TKeelvane::FillForeColumns,
         -1,
         nullptr,
         {"the fore columns", "FOSBow, ParallelDeckF, BowRadiusAtDeck"}},
        {&TKeelvane::BuildBulb, -1, nullptr, {"the bulb", "BulbRadius, BulbLength, StemRadius"}},
        {&TKeelvane::CheckForeColumnsFilled,
         33,
         nullptr,
         {"the fore columns", "Draught, Depth, ForeOverHang, BowCurvature, ForeFootRadius"}},
        {&TKeelvane::BuildSternProfile,
         38,
         nullptr,
         {"the stern profile", "StRootHeight, StShaftHeight, StBossToot, TransomImmersion"}},
        {&TKeelvane::BuildAftDeckLine,
         45,
         nullptr,
         {"the aft deck line", "TransomBehindAP, TransomBeam, ParallelDeckA"}},
        {&TKeelvane::BuildTransom,
         50,
         nullptr,
         {"the transom", "TransomBeam, TransomImmersion, TransomCurvature, TransomBehindAP"}},
        {&TKeelvane::BuildSternFrame,
         55,
         nullptr,
         {"the stern frame", "StBossRadius, StShaftHeight, StRootHeight, StBossToot"}},
        {&TKeelvane::BuildAftFlatBoundary,
         60,
         nullptr,
         {"the aft flat boundary", "FOSAft, BilgeRadius, StFlatOfBottomStart"}},
        {&TKeelvane::BuildAftCutLine,
         -1,
         nullptr,
         {"the aft cut line", "StBossRadius, StBossStart, StFlatOfBottomStart"}},
        {&TKeelvane::BuildAftWaterlines,
         -1,
         nullptr,
         {"the aft waterlines", "FOSAft, TransomImmersion, StShaftHeight, StBossRadius"}},
        {&TKeelvane::BuildDeckLine,
         66,
         nullptr,
         {"the deck line", "BowRadiusAtDeck, TransomBeam, ParallelDeckF, ParallelDeckA"}},
        {&TKeelvane::CreateColumns,
         80,
         "Creating Columns",
         {"the columns of the aft run",
          "StRootHeight, StShaftHeight, StBossRadius, StBossToot, TransomImmersion"}},
        {&TKeelvane::CreateMesh,
         -1,
         "Creating Mesh",
         {"the control net", "StShaftHeight, StBossRadius, StRootHeight, TransomImmersion"}},
        {&TKeelvane::CheckNet, 100, nullptr, {"the control net", "Lbp, Beam, Depth"}},
    };
    FStage = {};
    CheckParameters();
    ShowStatus("Creating Curves");
    ShowProgress(0);
    for (const TGenerationStep& Step : Steps) {
        if (Step.Stage) ShowStatus(Step.Stage);
        FStage = Step.Info;
        (this->*Step.Run)();
        if (Step.Percent >= 0) ShowProgress(Step.Percent);
    }
    FStage = {};
    GenerationDone();
    ExportDiagnosticsAfterGeneration();
}

// Lengths far beyond any ship can still overflow on the way, and parameters that pass every
// check one by one may still fold the net through the centre plane or below the keel: such a
// net is never kept.
void TKeelvane::CheckNet() {
    for (int i = 0; i < NumU; ++i)
        for (int j = 0; j < NumV; ++j) {
            const TRPoint& P = Point(i, j);
            if (!std::isfinite(P.X) || !std::isfinite(P.Y) || !std::isfinite(P.Z)) {
                Clear();
                throw EGeometryError(
                    "The parameters give no finite hull surface: check the lengths");
            }
            if (P.Y < -PointTolerance || P.Z < -PointTolerance) {
                const std::string Where = P.Y < -PointTolerance ? "crosses the centre plane"
                                                                : "reaches below the base line";
                const std::string Message = "The hull " + Where + " at (" + FixedText(P.X, 3) +
                                            ", " + FixedText(P.Y, 3) + ", " + FixedText(P.Z, 3) +
                                            "): look at " + ParametersNear(P.X);
                Clear(); // P goes with the net
                throw EGeometryError(Message);
            }
        }
}

// The parameters that shape the hull most at station x.
std::string TKeelvane::ParametersNear(double x) const {
    if (x > FParams.ParallelDeckF)
        return "BulbRadius, StemRadius, BowRadiusAtDeck, ForeOverHang, BulbLength, ForeFootRadius";
    if (x < FParams.ParallelDeckA)
        return "StBossRadius, StShaftHeight, StRootHeight, StBossToot, TransomBeam, "
               "TransomImmersion";
    return "Beam, Depth, BilgeRadius";
}

void TKeelvane::ExportDiagnosticsAfterGeneration() {
    if (DiagnosticsFolder.empty()) return;
    const std::string Name =
        (std::filesystem::path(DiagnosticsFolder) / DiagnosticsExportName).string();
    try {
        ExportDiagnostics(Name);
    } catch (const EKeelvaneError& E) {
        ShowMessage(std::string("Warning: diagnostics not written: ") + E.what());
    }
}

void TKeelvane::Draw(TGStream& Stream) {
    TMesh::Draw(Stream);
}

void TKeelvane::DrawPreview(TGStream& Stream) {
    FBowConstructionLine.Draw(Stream);
    FForeWaterlines.Draw(Stream);
    FColumns.Draw(Stream);
}
