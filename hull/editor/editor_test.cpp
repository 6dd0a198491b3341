// The hull editor and its parameter window: what is drawn under each display flag, the fields'
// round trip into the model, the bow toggle, Apply's failure, typing and generation re-entry.
#include "hull/editor/keelvaneeditor.h"
#include "hull/editor/keelvaneform.h"

#include "controls/qnspin.h"
#include "geometry/testsupport.h"

#include "controls/pagecontrol.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class TCountingEditor : public TKeelvaneEditor {
public:
    int Generations = 0;
    void GenerationDone() override { ++Generations; }
};

std::size_t LinesDrawn(TKeelvaneEditor& Editor) {
    TLineRecorder S;
    Editor.Draw(S);
    return S.Lines.size();
}

// An editor with its parameter window, as the main window holds them.
struct TEditorWindow {
    TCountingEditor Editor;
    TKeelvaneForm* Form = nullptr;
    int Changes = 0;

    TEditorWindow() {
        Editor.OnChange = [this](TKeelvaneEditor&) { ++Changes; };
        Editor.ShowEditor(nullptr);
        Form = Editor.Form();
    }
    ~TEditorWindow() { delete Form; }
    TQnSpinEdit& Field(int Tag) const { return Form->SpinEdit(Tag); }
    double Shown(int Tag) const { return Field(Tag).Value(); }
    void Apply() const {
        Form->Apply();
        ASSERT_EQ(Editor.Generated, 1);
    }
};

constexpr int TagLbp = 101, TagBeam = 103, TagParallelDeckA = 105, TagTransomBeam = 117,
              TagBilgeRadius = 120, TagBulbRadius = 126;

} // namespace

TEST(EditorDraw, BeforeTheFirstApplyOnlyTheDefiningCurvesWhateverTheFlags) {
    TKeelvaneEditor Editor;
    Editor.DisplayFlags = dfCurves;
    const std::size_t Curves = LinesDrawn(Editor);
    EXPECT_GT(Curves, 0U);
    for (const std::uint8_t Flags : {0, 2, 4, 7}) {
        Editor.DisplayFlags = Flags;
        EXPECT_EQ(LinesDrawn(Editor), Curves) << int(Flags);
    }
    // The preview shows the same curves as control polygons: far fewer lines.
    TLineRecorder Preview;
    Editor.DrawPreview(Preview);
    EXPECT_GT(Preview.Lines.size(), 0U);
    EXPECT_LT(Preview.Lines.size(), Curves);
}

TEST(EditorDraw, AllBitsClearedDrawTheOutlineAloneAndMirrorDoublesIt) {
    TKeelvaneEditor Editor;
    Editor.Generate();
    Editor.Generated = 1;
    Editor.DisplayFlags = 0;
    TLineRecorder Outline;
    Editor.Draw(Outline);
    // Two lines of constant u and two of constant v, IsoSamples points each.
    EXPECT_EQ(Outline.Lines.size(), 4U * (Editor.IsoSamples - 1));
    EXPECT_EQ(Editor.SamplesU, 25);
    Editor.Mirror = 1;
    TLineRecorder Both;
    Editor.Draw(Both);
    ASSERT_EQ(Both.Lines.size(), 2 * Outline.Lines.size());
    // The reflected copy comes first and lies on the port side.
    for (std::size_t i = 0; i < Outline.Lines.size(); ++i) {
        EXPECT_LE(Both.Lines[i][1], 1e-9);
        EXPECT_NEAR(Both.Lines[i][1], -Outline.Lines[i][1], 1e-9);
    }
}

TEST(EditorDraw, TheGridIsBuiltOnceAfterEachGenerationThenDrawnFromTheCache) {
    TKeelvaneEditor Editor;
    Editor.Generate();
    Editor.Generated = 1;
    EXPECT_EQ(Editor.GridStale, 1);
    TLineRecorder First;
    Editor.Draw(First);
    EXPECT_EQ(Editor.GridStale, 0);
    ASSERT_EQ(Editor.IsoLines().Count(), Editor.SamplesU + Editor.SamplesV);
    EXPECT_EQ(Editor.IsoLines().Polyline(0).Count(), Editor.IsoSamples);
    EXPECT_EQ(First.Lines.size(),
              std::size_t(Editor.SamplesU + Editor.SamplesV) * (Editor.IsoSamples - 1));
    TLineRecorder Cached;
    Editor.Draw(Cached);
    EXPECT_EQ(Cached.Lines, First.Lines);
    // The net comes on top with its own bit.
    Editor.DisplayFlags = dfSurfaceGrid | dfControlNet;
    const std::size_t NetLines =
        std::size_t(Editor.NumU * (Editor.NumV - 1) + Editor.NumV * (Editor.NumU - 1));
    EXPECT_EQ(LinesDrawn(Editor), First.Lines.size() + NetLines);
}

TEST(EditorForm, LimitedValuesAreWrittenBackAtOnceAndTheBulbRadiusAlwaysShows) {
    TEditorWindow W;
    EXPECT_DOUBLE_EQ(W.Shown(TagBulbRadius), float(W.Editor.Parameters().BulbRadius));
    EXPECT_EQ(W.Shown(125), -1);
    W.Field(TagBilgeRadius).SetValue(15);
    const double Limited = W.Editor.Parameters().BilgeRadius;
    EXPECT_LE(Limited, W.Editor.Parameters().Beam / 2);
    EXPECT_FLOAT_EQ(W.Shown(TagBilgeRadius), float(Limited));
    EXPECT_TRUE(W.Form->ApplyButton().isEnabled());
    W.Field(TagLbp).SetValue(150);
    EXPECT_FLOAT_EQ(W.Shown(TagBulbRadius), float(W.Editor.Parameters().BulbRadius));
}

TEST(EditorForm, LbpRefreshesEveryTabUnderGeosimAndOnlyLengthsUnderLengthOnly) {
    TEditorWindow W;
    W.Field(TagLbp).SetValue(200);
    EXPECT_FLOAT_EQ(W.Shown(TagBeam), 40);
    EXPECT_FLOAT_EQ(W.Shown(TagTransomBeam), 24);
    EXPECT_FLOAT_EQ(W.Shown(TagParallelDeckA), 48);

    W.Form->LengthOnly().click();
    EXPECT_EQ(W.Editor.TransformMode, tmLengthOnly);
    W.Field(TagLbp).SetValue(100);
    EXPECT_FLOAT_EQ(W.Shown(TagBeam), 40);
    EXPECT_FLOAT_EQ(W.Shown(TagParallelDeckA), 24);
    for (int Tag = TKeelvaneForm::FirstTag; Tag <= TKeelvaneForm::LastTag; ++Tag)
        if (Tag != 125) {
            EXPECT_NEAR(W.Shown(Tag), W.Form->GetParameter(Tag), 0.0006) << Tag;
        }
}

TEST(EditorForm, TheBowToggleSwapsPictureAndFieldDWithoutGenerating) {
    TEditorWindow W;
    W.Apply();
    W.Form->show();
    const TKeelvaneParameters& P = W.Editor.Parameters();
    EXPECT_FALSE(W.Form->PlainBowPicture().isHidden());
    EXPECT_FALSE(W.Field(TagBulbRadius).isEnabled());
    W.Form->BulbousBow().click();
    EXPECT_EQ(P.BowShape, 1);
    EXPECT_FALSE(W.Form->BulbousBowPicture().isHidden());
    EXPECT_TRUE(W.Form->PlainBowPicture().isHidden());
    EXPECT_FLOAT_EQ(W.Shown(124), float(P.BulbLength));
    EXPECT_TRUE(W.Field(TagBulbRadius).isEnabled());
    EXPECT_TRUE(W.Field(125).ReadOnly());
    // Field D now edits the bulb; the surface waits for Apply.
    W.Field(124).SetValue(2.5F);
    EXPECT_FLOAT_EQ(float(P.BulbLength), 2.5F);
    EXPECT_EQ(W.Editor.Generations, 1);
    EXPECT_EQ(W.Editor.Generated, 0);
    W.Form->BulbousBow().click();
    EXPECT_FLOAT_EQ(W.Shown(124), float(P.ForeFootRadius));
    EXPECT_FALSE(W.Form->PlainBowPicture().isHidden());
}

TEST(EditorForm, ApplyOnAnImpossibleHullFailsVisiblyAndStaysAvailable) {
    TEditorWindow W;
    W.Field(104).SetValue(3); // a depth below the draught
    EXPECT_THROW(W.Form->Apply(), EKeelvaneError);
    EXPECT_EQ(W.Editor.Generated, 0);
    EXPECT_TRUE(W.Form->ApplyButton().isEnabled());
    EXPECT_TRUE(W.Form->StatusText().text().contains("Depth"))
        << W.Form->StatusText().text().toStdString();
    // Put right, Apply generates and clears the status line; the summary tab tells.
    W.Form->show();
    W.Form->Pages().setCurrentIndex(5);
    EXPECT_TRUE(W.Form->SummaryText().text().contains("not generated"));
    W.Field(104).SetValue(9.5F);
    W.Apply();
    EXPECT_FALSE(W.Form->ApplyButton().isEnabled());
    EXPECT_TRUE(W.Form->StatusText().text().isEmpty());
    EXPECT_TRUE(W.Form->SummaryText().text().contains("generated, control net"));
}

TEST(EditorForm, EditsAndDefaultsClearTheGeneratedHull) {
    TEditorWindow W;
    W.Apply();
    const int Before = W.Changes;
    W.Field(TagBeam).SetValue(22);
    EXPECT_EQ(W.Editor.Generated, 0);
    EXPECT_GE(W.Changes, Before + 2);
    W.Apply();
    W.Form->DefaultsButton().click();
    EXPECT_EQ(W.Editor.Generated, 0);
    EXPECT_TRUE(W.Form->ApplyButton().isEnabled());
    EXPECT_FLOAT_EQ(W.Shown(TagBeam), 20);
}

TEST(EditorForm, LiveGeneratesAfterEveryChange) {
    TEditorWindow W;
    W.Form->Live().setChecked(true);
    EXPECT_EQ(W.Editor.Generations, 1);
    EXPECT_EQ(W.Editor.Generated, 1);
    W.Field(TagBeam).SetValue(21);
    W.Field(TagBeam).SetValue(22);
    EXPECT_EQ(W.Editor.Generations, 3);
    EXPECT_EQ(W.Editor.Generated, 1);
    // A failing step is reported in the status line, not raised.
    W.Field(104).SetValue(3);
    EXPECT_EQ(W.Editor.Generated, 0);
    EXPECT_FALSE(W.Form->StatusText().text().isEmpty());
}

TEST(EditorForm, ATypedValueCountsWhenTheTypingEnds) {
    TEditorWindow W;
    W.Form->show();
    const double Bilge = W.Editor.Parameters().BilgeRadius;
    TQnSpinEdit& Beam = W.Field(TagBeam);
    Beam.Editor().selectAll();
    // The "2" of "22" alone would limit the bilge radius to 1.
    QTest::keyClicks(&Beam.Editor(), "22");
    EXPECT_DOUBLE_EQ(W.Editor.Parameters().Beam, 20);
    EXPECT_TRUE(W.Form->ApplyButton().isEnabled());
    QTest::keyClick(&Beam.Editor(), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(W.Editor.Parameters().Beam, 22);
    EXPECT_DOUBLE_EQ(W.Editor.Parameters().BilgeRadius, Bilge);
}

TEST(EditorForm, NothingChangesTheHullWhileItIsBeingGenerated) {
    TEditorWindow W;
    W.Editor.RepaintDelay = 0;
    W.Apply();
    W.Field(TagBeam).SetValue(22);
    // Queued behind the generation's first status message, which lets events through.
    QTimer::singleShot(0, W.Form, [&W] {
        ASSERT_TRUE(W.Editor.Generating());
        W.Form->ApplyButton().click();
        W.Field(TagBeam).SetValue(30);
        W.Form->DefaultsButton().click();
        W.Form->BulbousBow().click();
    });
    W.Form->Apply();
    EXPECT_EQ(W.Editor.Generations, 2);
    EXPECT_DOUBLE_EQ(W.Editor.Parameters().Beam, 22);
    EXPECT_FLOAT_EQ(W.Shown(TagBeam), 22);
    EXPECT_EQ(W.Editor.Parameters().BowShape, 0);
    EXPECT_FALSE(W.Form->BulbousBow().isChecked());
    EXPECT_EQ(W.Editor.Generated, 1);
}
