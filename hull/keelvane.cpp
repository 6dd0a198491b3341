// The hull model's parameter set: defaults, setters with their limits and couplings, the two
// length transformations, and the generation pipeline that runs the construction steps.
#include "hull/keelvane.h"

#include "geometry/errors.h"
#include "geometry/gstream.h"
#include "geometry/maths.h"

#include <array>
#include <cmath>
#include <filesystem>

namespace {

struct TParameterInfo {
    std::string_view Key;
    double TKeelvaneParameters::*Field; // none for BowShape
    void (TKeelvane::*Setter)(double);  // none for BowShape
};

using K = TKeelvaneParameters;
using M = TKeelvane;

// File order of the saved parameters.
const std::array<TParameterInfo, TKeelvane::ParameterCount> ParameterTable = {{
    {"BowShape", nullptr, nullptr},
    {"Lbp", &K::Lbp, &M::SetLbp},
    {"Beam", &K::Beam, &M::SetBeam},
    {"Depth", &K::Depth, &M::SetDepth},
    {"Draught", &K::Draught, &M::SetDraught},
    {"ParallelDeckF", &K::ParallelDeckF, &M::SetParallelDeckF},
    {"ParallelDeckA", &K::ParallelDeckA, &M::SetParallelDeckA},
    {"FOSBow", &K::FOSBow, &M::SetFOSBow},
    {"FOSAft", &K::FOSAft, &M::SetFOSAft},
    {"BowRadiusAtDeck", &K::BowRadiusAtDeck, &M::SetBowRadiusAtDeck},
    {"BilgeRadius", &K::BilgeRadius, &M::SetBilgeRadius},
    {"TransomBehindAP", &K::TransomBehindAP, &M::SetTransomBehindAP},
    {"TransomImmersion", &K::TransomImmersion, &M::SetTransomImmersion},
    {"TransomBeam", &K::TransomBeam, &M::SetTransomBeam},
    {"TransomCurvature", &K::TransomCurvature, &M::SetTransomCurvature},
    {"BowCurvature", &K::BowCurvature, &M::SetBowCurvature},
    {"BulbRadius", &K::BulbRadius, &M::SetBulbRadius},
    {"ForeOverHang", &K::ForeOverHang, &M::SetForeOverHang},
    {"BulbLength", &K::BulbLength, &M::SetBulbLength},
    {"ForeFootRadius", &K::ForeFootRadius, &M::SetForeFootRadius},
    {"StemRadius", &K::StemRadius, &M::SetStemRadius},
    {"StRootHeight", &K::StRootHeight, &M::SetStRootHeight},
    {"StShaftHeight", &K::StShaftHeight, &M::SetStShaftHeight},
    {"StBossToot", &K::StBossToot, &M::SetStBossToot},
    {"StBossRadius", &K::StBossRadius, &M::SetStBossRadius},
    {"StBossStart", &K::StBossStart, &M::SetStBossStart},
    {"StFlatOfBottomStart", &K::StFlatOfBottomStart, &M::SetStFlatOfBottomStart},
}};

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
    if (!(P.Lbp > 0)) throw EGeometryError("Lbp must be greater than 0");
    if (!(P.Beam > 0)) throw EGeometryError("Beam must be greater than 0");
    if (!(P.Draught > 0)) throw EGeometryError("Draught must be greater than 0");
    if (!(P.Depth > P.Draught)) throw EGeometryError("Depth must be greater than Draught");
    if (!(P.Draught - P.TransomImmersion < P.Depth))
        throw EGeometryError("The transom lies above the deck: Draught - TransomImmersion "
                             "must be less than Depth");
    // At the full beam the line from the deck edge to the transom corner never reaches the
    // centre plane, and the stern frame has no foot.
    if (!(P.TransomBeam > 0 && P.TransomBeam < P.Beam))
        throw EGeometryError("TransomBeam must be greater than 0 and less than Beam");
    // Without a bilge the lowest waterlines lie in the flat of bottom and cross nothing.
    if (!(P.BilgeRadius > 0)) throw EGeometryError("BilgeRadius must be greater than 0");
    if (!(P.StBossToot > 0)) throw EGeometryError("StBossToot must be greater than 0");
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
    if (!(Value > 0)) throw EGeometryError("Lbp must be greater than 0");
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
    FParams.Draught = Value;
    RunSteps({&TKeelvane::BuildStemProfile});
}

void TKeelvane::SetBeam(double Value) {
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
    FParams.ParallelDeckF = Value;
    RebuildFlats();
}

void TKeelvane::SetParallelDeckA(double Value) {
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
    SetFlatOfSideEnd(FParams.FOSBow, FParams.ParallelDeckF, xF(), Value);
}

void TKeelvane::SetFOSAft(double Value) {
    SetFlatOfSideEnd(FParams.FOSAft, FParams.ParallelDeckA, xA(), Value);
}

void TKeelvane::SetBowRadiusAtDeck(double Value) {
    FParams.BowRadiusAtDeck = Value;
    RunSteps({&TKeelvane::BuildDeckLine});
}

void TKeelvane::SetTransomBehindAP(double Value) {
    FParams.TransomBehindAP = Value;
    RunSteps({&TKeelvane::BuildTransom, &TKeelvane::BuildSternProfile, &TKeelvane::BuildDeckLine});
}

void TKeelvane::SetTransomImmersion(double Value) {
    FParams.TransomImmersion = Value;
    RunSteps({&TKeelvane::BuildTransom, &TKeelvane::BuildSternProfile});
}

void TKeelvane::SetTransomBeam(double Value) {
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
    FParams.BulbRadius = Value;
}

void TKeelvane::SetStemRadius(double Value) {
    FParams.StemRadius = Value;
}

// A stern parameter changes only the stern profile.
void TKeelvane::StoreSternValue(double& Field, double Value) {
    Field = Value;
    RunSteps({&TKeelvane::BuildSternProfile});
}

void TKeelvane::SetStRootHeight(double Value) {
    StoreSternValue(FParams.StRootHeight, Value);
}

void TKeelvane::SetStShaftHeight(double Value) {
    StoreSternValue(FParams.StShaftHeight, Value);
}

void TKeelvane::SetStBossToot(double Value) {
    StoreSternValue(FParams.StBossToot, Value);
}

void TKeelvane::SetStBossRadius(double Value) {
    StoreSternValue(FParams.StBossRadius, Value);
}

void TKeelvane::SetStBossStart(double Value) {
    StoreSternValue(FParams.StBossStart, Value);
}

void TKeelvane::SetStFlatOfBottomStart(double Value) {
    StoreSternValue(FParams.StFlatOfBottomStart, Value);
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
    CheckParameters();
    ShowStatus("Creating Curves");
    ShowProgress(0);
    BalanceFlats();
    LayoutColumns();
    ShowProgress(10);
    BuildMidshipSection();
    ShowProgress(15);
    BuildStemProfile();
    ShowProgress(17);
    BuildStemSideColumn();
    ShowProgress(19);
    BuildForeFlatBoundary();
    ShowProgress(21);
    BuildBowConstructionLine();
    ShowProgress(23);
    BuildForeCutLine();
    ShowProgress(25);
    BuildForeWaterlines();
    ShowProgress(27);
    FillForeColumns();
    if (Bulbous()) BuildBulb();
    ShowProgress(33);
    BuildSternProfile();
    ShowProgress(38);
    BuildAftDeckLine();
    ShowProgress(45);
    BuildTransom();
    ShowProgress(50);
    BuildSternFrame();
    ShowProgress(55);
    BuildAftFlatBoundary();
    ShowProgress(60);
    BuildAftCutLine();
    BuildAftWaterlines();
    BuildDeckLine();
    ShowProgress(66);
    ShowStatus("Creating Columns");
    CreateColumns();
    ShowProgress(80);
    ShowStatus("Creating Mesh");
    CreateMesh();
    CheckNetIsFinite();
    ShowProgress(100);
    GenerationDone();
    ExportDiagnosticsAfterGeneration();
}

// Lengths far beyond any ship can still overflow on the way; such a net is never kept.
void TKeelvane::CheckNetIsFinite() {
    for (int i = 0; i < NumU; ++i)
        for (int j = 0; j < NumV; ++j) {
            const TRPoint& P = Point(i, j);
            if (!std::isfinite(P.X) || !std::isfinite(P.Y) || !std::isfinite(P.Z)) {
                Clear();
                throw EGeometryError(
                    "The parameters give no finite hull surface: check the lengths");
            }
        }
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
