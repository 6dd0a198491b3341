// Tests that each parameter setter rebuilds exactly the curves that depend on it and leaves the
// others as they were, and that the two length transformations scale exactly their lengths.
#include "hull/keelvane.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

// What the curve steps build, each as a flat list of numbers.
enum TPart {
    pFlats,
    pStations,
    pColumns,
    pMidship,
    pForeFlat,
    pAftFlat,
    pStem,
    pStern,
    pTransom,
    pDeck
};
constexpr int PartCount = pDeck + 1;
const char* const PartNames[PartCount] = {"flats",     "stations", "columns", "midship section",
                                          "fore flat", "aft flat", "stem",    "stern profile",
                                          "transom",   "deck line"};
using TSnapshot = std::array<std::vector<double>, PartCount>;

void Add(std::vector<double>& V, const TPolyline& Curve) {
    V.push_back(Curve.Count());
    for (int i = 0; i < Curve.Count(); ++i)
        V.insert(V.end(), {Curve.At(i).X, Curve.At(i).Y, Curve.At(i).Z});
}

TSnapshot Snapshot(const TKeelvane& K) {
    TSnapshot S;
    const TKeelvaneParameters& P = K.Parameters();
    S[pFlats] = {K.MidBodyAft(), K.MidBodyFwd(), P.FOSAft, P.FOSBow};
    // The stem column's station is the stem head's, which the stem steps set.
    for (int c = 0; c + 1 < K.Columns().Count(); ++c)
        S[pStations].push_back(K.Columns().Polyline(c).GetXPosition());
    for (int c = 0; c < K.Columns().Count(); ++c) Add(S[pColumns], K.Columns().Polyline(c));
    Add(S[pMidship], K.MidshipSection());
    Add(S[pForeFlat], K.ForeFlatBoundary());
    Add(S[pAftFlat], K.AftFlatBoundary());
    Add(S[pStem], K.StemProfile());
    Add(S[pStern], K.SternProfile());
    Add(S[pStern], K.BossSideLine());
    Add(S[pTransom], K.Transom());
    Add(S[pDeck], K.DeckLine());
    return S;
}

struct TSetterCase {
    std::string Key;
    void (TKeelvane::*Setter)(double);
    double Value;
    std::uint8_t Shape;
    std::set<TPart> Changes;
    // Changed parts that read a part the setter leaves as it was (the flats or the stations),
    // so that a full rebuild makes them otherwise.
    std::set<TPart> Stale = {};
};

using M = TKeelvane;
// A new value for every setter, none of them a default or a limit, and what it must change. A
// layout empties every column, the stem column included, until the next generation.
const std::vector<TSetterCase> SetterCases = {
    {"Lbp",
     &M::SetLbp,
     137,
     0,
     {pFlats, pStations, pColumns, pMidship, pForeFlat, pAftFlat, pStem, pStern, pTransom, pDeck}},
    {"Draught", &M::SetDraught, 4.5, 0, {pStem, pColumns}},
    {"Beam", &M::SetBeam, 21.3, 0, {pMidship, pForeFlat, pAftFlat, pDeck}},
    {"Depth",
     &M::SetDepth,
     10.2,
     0,
     {pMidship, pForeFlat, pAftFlat, pStem, pColumns, pTransom, pDeck},
     {pDeck}},
    {"BilgeRadius",
     &M::SetBilgeRadius,
     2.6,
     0,
     {pMidship, pForeFlat, pAftFlat},
     {pForeFlat, pAftFlat}},
    {"ParallelDeckF", &M::SetParallelDeckF, 79, 0, {pColumns, pForeFlat, pDeck}},
    {"ParallelDeckA", &M::SetParallelDeckA, 21, 0, {pColumns, pAftFlat, pDeck}},
    {"FOSBow", &M::SetFOSBow, 66, 0, {pFlats, pStations, pColumns, pForeFlat, pDeck}},
    {"FOSAft", &M::SetFOSAft, 35, 0, {pFlats, pStations, pColumns, pForeFlat, pAftFlat, pDeck}},
    {"BowRadiusAtDeck", &M::SetBowRadiusAtDeck, 6, 0, {pDeck}},
    {"TransomBehindAP", &M::SetTransomBehindAP, 6.5, 0, {pTransom, pStern, pDeck}, {pDeck}},
    {"TransomImmersion", &M::SetTransomImmersion, -0.5, 0, {pTransom, pStern}},
    {"TransomBeam", &M::SetTransomBeam, 11, 0, {pTransom, pDeck}},
    {"TransomCurvature", &M::SetTransomCurvature, 20, 0, {pTransom}},
    {"BowCurvature", &M::SetBowCurvature, 30, 0, {pStem, pColumns}},
    {"BulbRadius", &M::SetBulbRadius, 2.3, 1, {}},
    {"ForeOverHang", &M::SetForeOverHang, 3, 0, {pStem, pColumns, pDeck}, {pDeck}},
    {"BulbLength", &M::SetBulbLength, 2.2, 1, {pStem, pColumns}},
    {"ForeFootRadius", &M::SetForeFootRadius, 1.5, 0, {pStem, pColumns}},
    {"StemRadius", &M::SetStemRadius, 0.15, 1, {}},
    {"StRootHeight", &M::SetStRootHeight, 3.1, 0, {pStern}},
    {"StShaftHeight", &M::SetStShaftHeight, 1.8, 0, {pStern}},
    {"StBossToot", &M::SetStBossToot, 1.4, 0, {pStern}},
    {"StBossRadius", &M::SetStBossRadius, 0.4, 0, {pStern}},
    {"StBossStart", &M::SetStBossStart, 1.6, 0, {pStern}},
    {"StFlatOfBottomStart", &M::SetStFlatOfBottomStart, 3.9, 0, {pStern}},
};

// Set changes exactly the parts in Changes; those it rebuilt are as a full rebuild makes them,
// but for the Stale ones, and the deck line ends at the stem head.
void ExpectOnlyChanges(TKeelvane& K, const std::function<void()>& Set,
                       const std::set<TPart>& Changes, const std::set<TPart>& Stale) {
    const TSnapshot Before = Snapshot(K);
    Set();
    const TSnapshot After = Snapshot(K);
    EXPECT_TRUE(SamePoint(K.DeckLine().Last(), K.StemProfile().Last()));
    K.RebuildCurves();
    const TSnapshot Rebuilt = Snapshot(K);
    for (int p = 0; p < PartCount; ++p) {
        SCOPED_TRACE(PartNames[p]);
        const bool Changed = Changes.count(static_cast<TPart>(p)) > 0;
        EXPECT_EQ(After[p] != Before[p], Changed);
        // The columns hold what the stem steps wrote, which a rebuild writes anew.
        if (Changed && p != pColumns && !Stale.count(static_cast<TPart>(p))) {
            EXPECT_EQ(After[p], Rebuilt[p]);
        }
    }
}

} // namespace

// A part that depends on the value but is not rebuilt waits for the generation.
TEST(HullSetters, EachSetterRebuildsExactlyItsCurves) {
    ASSERT_EQ(SetterCases.size(), TKeelvane::ParameterCount - 1u);
    for (const TSetterCase& Case : SetterCases) {
        SCOPED_TRACE(Case.Key);
        TKeelvane K;
        K.SetBowShape(Case.Shape);
        ExpectOnlyChanges(
            K, [&] { (K.*Case.Setter)(Case.Value); }, Case.Changes, Case.Stale);
        EXPECT_EQ(K.ParameterValue(TKeelvane::ParameterIndex(Case.Key)), Case.Value);
    }
    TKeelvane K;
    ExpectOnlyChanges(K, [&] { K.SetBowShape(1); }, {pStem, pColumns, pForeFlat}, {});
}

// The parameter table reaches the same setter as a direct call.
TEST(HullSetters, TheParameterTableCallsEachParametersOwnSetter) {
    for (const TSetterCase& Case : SetterCases) {
        SCOPED_TRACE(Case.Key);
        TKeelvane Direct, ByKey;
        Direct.SetBowShape(Case.Shape);
        ByKey.SetBowShape(Case.Shape);
        (Direct.*Case.Setter)(Case.Value);
        ByKey.SetParameterValue(TKeelvane::ParameterIndex(Case.Key), Case.Value);
        EXPECT_EQ(Snapshot(ByKey), Snapshot(Direct));
        for (int i = 0; i < TKeelvane::ParameterCount; ++i)
            EXPECT_EQ(ByKey.ParameterValue(i), Direct.ParameterValue(i)) << i;
    }
}

// Lbp from 100 to 137 scales by 1.37 exactly the lengths of the mode and leaves the rest.
TEST(HullSetters, LengthTransformationsScaleExactlyTheirLengths) {
    const std::set<std::string> Longitudinal = {
        "ParallelDeckF",   "ParallelDeckA", "ForeOverHang", "BulbLength",          "FOSBow",
        "TransomBehindAP", "FOSAft",        "StBossToot",   "StFlatOfBottomStart", "StBossStart"};
    std::set<std::string> Geosim = {
        "Beam",         "Depth",         "BilgeRadius",    "BowRadiusAtDeck",  "Draught",
        "StemRadius",   "BulbRadius",    "ForeFootRadius", "TransomImmersion", "TransomBeam",
        "StRootHeight", "StShaftHeight", "StBossRadius"};
    Geosim.insert(Longitudinal.begin(), Longitudinal.end());
    for (TTransformMode Mode : {tmGeosim, tmLengthOnly}) {
        SCOPED_TRACE(Mode == tmGeosim ? "Geosim" : "length only");
        const std::set<std::string>& Scaled = Mode == tmGeosim ? Geosim : Longitudinal;
        const TKeelvane Defaults;
        TKeelvane K;
        K.TransformMode = Mode;
        K.SetLbp(137);
        EXPECT_EQ(K.Parameters().Lbp, 137);
        for (int i = 0; i < TKeelvane::ParameterCount; ++i) {
            const std::string Key(TKeelvane::ParameterKey(i));
            if (Key == "Lbp") continue;
            SCOPED_TRACE(Key);
            const double Old = Defaults.ParameterValue(i);
            EXPECT_NEAR(K.ParameterValue(i), Scaled.count(Key) ? Old * 1.37 : Old, 1e-12);
        }
        EXPECT_NEAR(K.SternProfileHeight(), Mode == tmGeosim ? 4.55 * 1.37 : 4.55, 1e-12);
        EXPECT_NEAR(K.Midship(), 68.5, 1e-12);
    }
}
