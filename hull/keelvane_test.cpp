// Tests of the hull parameters (limits, couplings, length transformations) and of the project
// file (exact text, loading by position, header check, all-or-nothing load, safe save).
#include "hull/keelvane.h"

#include "geometry/errors.h"
#include "geometry/recordtext.h"

#include "geometry/scratchfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

void WriteAll(const std::filesystem::path& Name, const std::string& Text) {
    std::ofstream(Name, std::ios::binary) << Text;
}

std::vector<std::string> Lines(const std::string& Text) {
    std::vector<std::string> Result;
    std::istringstream In(Text);
    for (std::string L; std::getline(In, L);) Result.push_back(L);
    return Result;
}

// The project text of a model, as SaveToFile writes it.
std::string ProjectText(TKeelvane& K) {
    TScratchFolder Scratch;
    const auto Name = Scratch.Path() / "text.kvp";
    K.SaveToFile(Name.string());
    return FileText(Name);
}

// Everything a load can change, as text.
std::string State(TKeelvane& K) {
    return RecordText(K) + std::to_string(K.NumColumns()) + " " + std::to_string(K.MidBodyFwd());
}

} // namespace

TEST(HullProjectFile, DefaultsAreWrittenExactly) {
    TKeelvane K;
    K.Generate();
    const std::string Text = ProjectText(K);
    const std::string Head =
        "[TKeelvaneEditor]\r\nBowShape=0\r\nLbp=100.000\r\nBeam=20.000\r\nDepth=9.500\r\n"
        "Draught=4.172\r\nParallelDeckF=76.000\r\nParallelDeckA=24.000\r\nFOSBow=60.000\r\n"
        "FOSAft=40.000\r\nBowRadiusAtDeck=5.235\r\nBilgeRadius=2.050\r\nTransomBehindAP=5.000\r\n"
        "TransomImmersion=-0.860\r\nTransomBeam=12.000\r\nTransomCurvature=50.000\r\n"
        "BowCurvature=15.000\r\nBulbRadius=1.920\r\nForeOverHang=2.000\r\nBulbLength=1.800\r\n"
        "ForeFootRadius=2.000\r\nStemRadius=0.100\r\nStRootHeight=3.295\r\n"
        "StShaftHeight=1.906\r\nStBossToot=1.300\r\nStBossRadius=0.332\r\nStBossStart=1.530\r\n"
        "StFlatOfBottomStart=3.740\r\nOrderU=4\r\nOrderV=4\r\nNumU=23\r\nNumV=12\r\n";
    EXPECT_EQ(Text.substr(0, Head.size()), Head);
    const std::vector<std::string> L = Lines(Text);
    ASSERT_EQ(L.size(), 33 + 23 * 12u);
    EXPECT_EQ(L[L.size() - 2].size(), 13 * 3 + 10 + 1u);
    EXPECT_EQ(L.back(), "SternProfileHeight=4.550\r");
}

TEST(HullProjectFile, RoundTripRoundsToThreeDecimalsAndRestoresTheNet) {
    TScratchFolder Scratch;
    TKeelvane K;
    K.SetBowShape(1);
    K.Generate();
    const auto Name = Scratch.Path() / "roundtrip.kvp";
    K.SaveToFile(Name.string());
    TKeelvane L;
    L.LoadFromFile(Name.string());
    EXPECT_EQ(L.Parameters().BowShape, 1);
    EXPECT_DOUBLE_EQ(L.Parameters().StRootHeight, 3.295);
    // The net comes back as stored: saving the loaded model writes the same text.
    EXPECT_EQ(L.NumU, K.NumU);
    EXPECT_EQ(ProjectText(L), FileText(Name));
}

// The stern profile height is no parameter line but the Geosim transformation scales it: the
// project carries it on a line of its own after the surface record.
TEST(HullProjectFile, AGeosimHullLoadsAndGeneratesTheSameNet) {
    TScratchFolder Scratch;
    TKeelvane K;
    K.SetLbp(200);
    K.Generate();
    const auto Name = Scratch.Path() / "geosim.kvp";
    K.SaveToFile(Name.string());
    EXPECT_EQ(Lines(FileText(Name)).back(), "SternProfileHeight=9.100\r");

    TKeelvane L;
    L.LoadFromFile(Name.string());
    EXPECT_DOUBLE_EQ(L.SternProfileHeight(), 9.1);
    EXPECT_DOUBLE_EQ(L.SternProfile().At(1).Z, 9.1);
    L.Generate();
    // The parameter lines round to three decimals; a stern built at the default height would
    // drop column 2's keel row by 3.7.
    EXPECT_NEAR(L.Point(2, 0).Z, 9.278, 5e-4);
    ASSERT_EQ(L.NumU, K.NumU);
    for (int c = 0; c < K.NumU; ++c)
        for (int j = 0; j < K.NumV; ++j) {
            const TRPoint &P = K.Point(c, j), &Q = L.Point(c, j);
            EXPECT_NEAR(P.X, Q.X, 5e-3) << c << " " << j;
            EXPECT_NEAR(P.Y, Q.Y, 5e-3) << c << " " << j;
            EXPECT_NEAR(P.Z, Q.Z, 5e-3) << c << " " << j;
        }
}

TEST(HullProjectFile, TheSternHeightLineIsOptionalAndAfterTheSurfaceRecord) {
    TScratchFolder Scratch;
    TKeelvane K;
    K.SetLbp(200);
    K.Generate();
    const std::string Text = ProjectText(K);
    const std::size_t Cut = Text.rfind("SternProfileHeight=");
    ASSERT_NE(Cut, std::string::npos);

    // A reader that stops after the surface record gets the whole net and never meets the line.
    std::istringstream In(Text);
    TTextReader R(In);
    for (int i = 0; i <= TKeelvane::ParameterCount; ++i) R.ReadLine();
    TBSplineSurface Surface(0, 0);
    Surface.LoadFromText(R);
    EXPECT_EQ(Surface.Count(), K.Count());
    EXPECT_NEAR(Surface.Point(2, 0).Z, K.Point(2, 0).Z, 1e-6);
    EXPECT_EQ(R.ReadLine(), "SternProfileHeight=9.100");

    // An earlier project ends with the surface record and loads as before.
    const auto Name = Scratch.Path() / "earlier.kvp";
    WriteAll(Name, Text.substr(0, Cut));
    TKeelvane L;
    L.LoadFromFile(Name.string());
    EXPECT_DOUBLE_EQ(L.SternProfileHeight(), 4.55);
    EXPECT_EQ(L.Count(), K.Count());
    EXPECT_EQ(ProjectText(L), Text.substr(0, Cut) + "SternProfileHeight=4.550\r\n");

    // A height that is no number refuses the file like any parameter.
    WriteAll(Name, Text.substr(0, Cut) + "SternProfileHeight=9,1\r\n");
    EXPECT_THROW(L.LoadFromFile(Name.string()), EConvertError);
    EXPECT_DOUBLE_EQ(L.SternProfileHeight(), 4.55);
}

TEST(HullProjectFile, ParametersAreReadByPosition) {
    TScratchFolder Scratch;
    TKeelvane K;
    std::string Text = ProjectText(K);
    const auto Name = Scratch.Path() / "position.kvp";

    // Misspelt keys do not matter; "BowShape=2" is a plain bow.
    std::string Misspelt = Text;
    Misspelt.replace(Misspelt.find("BowShape=0"), 10, "Bow=2");
    Misspelt.replace(Misspelt.find("Beam=20.000"), 11, "Bemm=21.500");
    WriteAll(Name, Misspelt);
    TKeelvane L;
    L.SetBowShape(1);
    L.LoadFromFile(Name.string());
    EXPECT_EQ(L.Parameters().BowShape, 0);
    EXPECT_DOUBLE_EQ(L.Parameters().Beam, 21.5);

    // Every key a parameter's, but in another order: each value goes where its key says.
    std::string Swapped = Text;
    const std::string Pair = "Beam=20.000\r\nDepth=9.500";
    Swapped.replace(Swapped.find(Pair), Pair.size(), "Depth=9.600\r\nBeam=20.500");
    WriteAll(Name, Swapped);
    L.LoadFromFile(Name.string());
    EXPECT_DOUBLE_EQ(L.Parameters().Beam, 20.5);
    EXPECT_DOUBLE_EQ(L.Parameters().Depth, 9.6);
    // With one key misspelt as well, by position again.
    Swapped.replace(Swapped.find("Lbp="), 4, "LBP=");
    WriteAll(Name, Swapped);
    L.LoadFromFile(Name.string());
    EXPECT_DOUBLE_EQ(L.Parameters().Beam, 9.6);
}

TEST(HullProjectFile, FailedLoadsLeaveTheModelAsItWas) {
    TScratchFolder Scratch;
    TKeelvane K;
    K.Generate();
    const std::string Good = ProjectText(K);
    const auto Name = Scratch.Path() / "bad.kvp";

    TKeelvane L;
    L.SetBeam(22);
    L.Generate();
    const std::string Before = State(L);
    const auto ExpectFailure = [&](const std::string& Text, const std::string& Message) {
        WriteAll(Name, Text);
        try {
            L.LoadFromFile(Name.string());
            ADD_FAILURE() << "loaded: " << Message;
        } catch (const EKeelvaneError& E) {
            EXPECT_EQ(E.what(), Message);
        }
        EXPECT_EQ(State(L), Before);
    };

    // The editor's header only: a plain model's name is not enough.
    std::string Header = Good;
    Header.replace(0, 17, "[TKeelvane]");
    ExpectFailure(Header, "File does not contain a Keelvane Definition");
    ExpectFailure("", "File does not contain a Keelvane Definition");
    // A bad value half-way down the parameters.
    std::string BadValue = Good;
    BadValue.replace(BadValue.find("BilgeRadius=2.050"), 17, "BilgeRadius=2,05");
    ExpectFailure(BadValue, "Unable to convert string to number");
    // A surface record cut short.
    ExpectFailure(Good.substr(0, Good.size() / 2), "Read beyond end of file");
    std::string BadOrder = Good;
    BadOrder.replace(BadOrder.find("OrderU=4"), 8, "OrderU=x");
    ExpectFailure(BadOrder, "Error in field BSplineSurface.OrderU");
    EXPECT_THROW(L.LoadFromFile((Scratch.Path() / "missing/none.kvp").string()), EIOError);
    // The reason comes with the file's name.
    const std::string Folder = Scratch.Path().string();
    try {
        L.LoadFromFile(Folder);
        ADD_FAILURE() << "a folder loaded";
    } catch (const EIOError& E) {
        EXPECT_EQ(E.what(), "Unable to open file " + Folder + ": Is a directory");
    }
    EXPECT_EQ(State(L), Before);
}

// The surface record of a project whose net has no parameter range (a kind neither Open nor
// Custom), written as the custom kind would be.
std::string WithKnotType(TKeelvane& K, const std::string& Kind) {
    K.MakeKnots();
    const double U = K.UMax(), V = K.VMax();
    K.KnotType = ktCustom;
    K.MaxU = U;
    K.MaxV = V;
    std::string Text = ProjectText(K);
    Text.replace(Text.find("KnotType=Custom"), 15, "KnotType=" + Kind);
    return Text;
}

TEST(HullProjectFile, ALoadTakesTheWholeProjectAndRefusesSurfacesWithoutARange) {
    TScratchFolder Scratch;
    const auto Name = (Scratch.Path() / "p.kvp").string();
    TKeelvane Plain;
    Plain.Generate();
    const std::string PlainText = ProjectText(Plain);

    // Knots, their kind and the Bezier flag of the previous project do not survive.
    TKeelvane K;
    K.Generate();
    WriteAll(Name, WithKnotType(K, "Custom"));
    TKeelvane L;
    L.LoadFromFile(Name);
    EXPECT_EQ(L.KnotType, ktCustom);
    L.ForcedBezier = true;
    WriteAll(Name, PlainText);
    L.LoadFromFile(Name);
    EXPECT_EQ(L.KnotType, ktOpen);
    EXPECT_FALSE(L.ForcedBezier);
    EXPECT_EQ(ProjectText(L), PlainText);

    for (const char* Kind : {"Periodic", "NonUniform"}) {
        TKeelvane M;
        M.Generate();
        WriteAll(Name, WithKnotType(M, Kind));
        try {
            L.LoadFromFile(Name);
            ADD_FAILURE() << Kind << " loaded";
        } catch (const EReadError& E) {
            EXPECT_EQ(E.what(),
                      "The hull surface's KnotType is Open or Custom, not " + std::string(Kind));
        }
        EXPECT_EQ(ProjectText(L), PlainText);
    }
}

namespace {
// A model whose record fails half-way, like a full disk.
class TFailingKeelvane : public TKeelvane {
public:
    void SaveToText(TTextWriter& F) const override {
        F.Line("BowShape=0");
        throw EIOError("Unable to write file");
    }
};
} // namespace

TEST(HullProjectFile, FailedSaveLeavesTheOldFileIntact) {
    TScratchFolder Scratch;
    const auto Name = Scratch.Path() / "keep.kvp";
    WriteAll(Name, "old contents");
    TFailingKeelvane K;
    EXPECT_THROW(K.SaveToFile(Name.string()), EIOError);
    EXPECT_EQ(FileText(Name), "old contents");
    // No temporary is left beside it.
    for (const auto& Entry : std::filesystem::directory_iterator(Scratch.Path()))
        EXPECT_EQ(Entry.path().filename(), "keep.kvp");
    TKeelvane Good;
    EXPECT_THROW(Good.SaveToFile((Scratch.Path() / "missing/none.kvp").string()), EIOError);
}

TEST(HullParameters, SettersApplyLimits) {
    TKeelvane K;
    K.SetBilgeRadius(15); // first half the beam, then the depth
    EXPECT_DOUBLE_EQ(K.Parameters().BilgeRadius, 9.5);
    // Stored as limited, though a hull needs some bilge.
    EXPECT_THROW(K.SetBilgeRadius(-1), EGeometryError);
    EXPECT_DOUBLE_EQ(K.Parameters().BilgeRadius, 0);
    K.SetBilgeRadius(2.05);
    K.SetBowCurvature(-250);
    EXPECT_DOUBLE_EQ(K.Parameters().BowCurvature, -100);
    K.SetForeOverHang(7);
    EXPECT_DOUBLE_EQ(K.Parameters().ForeOverHang, 4.172);
    K.SetBulbLength(10);
    EXPECT_DOUBLE_EQ(K.Parameters().BulbLength, 1.5 * 4.172);
    K.SetForeFootRadius(-3);
    EXPECT_DOUBLE_EQ(K.Parameters().ForeFootRadius, 0);
    // A narrow hull: half the beam is the tighter limit.
    K.SetBeam(16);
    K.SetBilgeRadius(9);
    EXPECT_DOUBLE_EQ(K.Parameters().BilgeRadius, 8);
}

// Sizes that must not be negative for the hull to exist: refused by the setters with the value
// kept, and refused by Generate when a project stored them.
TEST(HullParameters, NegativeSizesAreRefusedNamingTheirRange) {
    TScratchFolder Scratch;
    const char* Keys[] = {"BulbRadius", "BowRadiusAtDeck", "StBossRadius",
                          "StemRadius", "ParallelDeckF",   "StShaftHeight"};
    for (const char* Key : Keys) {
        SCOPED_TRACE(Key);
        const int i = TKeelvane::ParameterIndex(Key);
        TKeelvane K;
        const double Before = K.ParameterValue(i);
        try {
            K.SetParameterValue(i, -Before);
            ADD_FAILURE() << "taken";
        } catch (const EGeometryError& E) {
            EXPECT_EQ(E.what(), std::string(Key) + " must be 0 or more");
        }
        EXPECT_EQ(K.ParameterValue(i), Before);

        std::string Text = ProjectText(K);
        const std::string Field = std::string(Key) + "=";
        Text.insert(Text.find(Field) + Field.size(), "-");
        const auto Name = Scratch.Path() / "negative.kvp";
        WriteAll(Name, Text);
        K.LoadFromFile(Name.string());
        EXPECT_EQ(K.ParameterValue(i), -Before);
        try {
            K.Generate();
            ADD_FAILURE() << "generated";
        } catch (const EGeometryError& E) {
            EXPECT_EQ(E.what(), std::string(Key) + " must be 0 or more");
        }
    }
    TKeelvane K;
    EXPECT_THROW(K.SetBeam(-20), EGeometryError);
    EXPECT_EQ(K.Parameters().Beam, 20);

    // Each size in range, and still the net folds below the keel: refused as the last check,
    // naming the parameters of that part of the hull.
    K.SetStShaftHeight(0);
    try {
        K.Generate();
        ADD_FAILURE() << "generated";
    } catch (const EGeometryError& E) {
        const std::string Text = E.what();
        EXPECT_EQ(Text.rfind("The hull reaches below the base line at (", 0), 0u) << Text;
        EXPECT_NE(Text.find("): look at StBossRadius, StShaftHeight, "), std::string::npos);
    }
    EXPECT_EQ(K.Count(), 0);
}

TEST(HullParameters, FlatOfSideKeepsTheDeckEndInProportion) {
    TKeelvane K;
    K.SetFOSBow(70);
    EXPECT_NEAR(K.Parameters().ParallelDeckF, 82.1905, 1e-4);
    EXPECT_DOUBLE_EQ(K.ParallelDeckLength(), K.Parameters().ParallelDeckF - 24);
    K.SetFOSAft(30);
    EXPECT_NEAR(K.Parameters().ParallelDeckA, 17.5556, 1e-4); // the hull's aft end is at -5
}

TEST(HullParameters, KeysIndexAndSetThroughTheSetters) {
    TKeelvane K;
    EXPECT_EQ(TKeelvane::ParameterIndex("Lbp"), 1);
    EXPECT_EQ(TKeelvane::ParameterIndex("StFlatOfBottomStart"), 26);
    EXPECT_EQ(TKeelvane::ParameterIndex("lbp"), -1);
    K.SetParameterValue(TKeelvane::ParameterIndex("BilgeRadius"), 50);
    EXPECT_DOUBLE_EQ(K.ParameterValue(TKeelvane::ParameterIndex("BilgeRadius")), 9.5);
    K.SetParameterValue(0, 1);
    EXPECT_EQ(K.Parameters().BowShape, 1);
    K.SetParameterValue(0, 2);
    EXPECT_EQ(K.Parameters().BowShape, 0);
}

namespace {
class TMessageKeelvane : public TKeelvane {
public:
    std::vector<std::string> Messages;
    void ShowMessage(const std::string& Text) override { Messages.push_back(Text); }
};
} // namespace

TEST(HullProjectFile, ParametersThatMakeNoHullStillLoadAndCanBeMended) {
    TScratchFolder Scratch;
    TKeelvane K;
    std::string Text = ProjectText(K);
    Text.replace(Text.find("Depth=9.500"), 11, "Depth=3.000");
    const auto Name = Scratch.Path() / "nohull.kvp";
    WriteAll(Name, Text);
    TMessageKeelvane L;
    L.LoadFromFile(Name.string());
    EXPECT_EQ(L.Messages, std::vector<std::string>{"Warning: Depth must be greater than Draught"});
    EXPECT_DOUBLE_EQ(L.Parameters().Depth, 3.0);
    EXPECT_THROW(L.Generate(), EGeometryError);
    L.SetDepth(9.5);
    L.Generate();
    EXPECT_EQ(L.Count(), 23 * 12);
}
