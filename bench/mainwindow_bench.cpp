// The main window at full-HD size: a full redraw of the generated default hull with its contours,
// and one Live step of the parameter window (a field's change through to the redrawn view). Runs
// on the off-screen platform, so it needs no display.
#include "app/mainform.h"
#include "contours/contours.h"
#include "controls/qnspin.h"
#include "display/viewport/view3dcontrol.h"
#include "hull/editor/keelvaneeditor.h"
#include "hull/editor/keelvaneform.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int BeamTag = 103;

// The generated default hull shown with every display flag, 20 stations, 10 waterlines and 5
// buttocks, in a 1920 x 1080 view.
struct TBenchWindow {
    TMainForm Form;

    TBenchWindow() {
        TKeelvaneEditor& Editor = Form.Editor();
        const TKeelvaneParameters& P = Editor.Parameters();
        for (int k = 1; k <= 20; ++k) Form.Contours().Add(0, P.Lbp * k / 21);
        for (int k = 1; k <= 10; ++k) Form.Contours().Add(2, P.Depth * k / 11);
        for (int k = 1; k <= 5; ++k) Form.Contours().Add(1, P.Beam / 2 * k / 6);
        for (const TMainAction A : {maCurves, maControlNet, maContours}) Form.Action(A).trigger();
        Form.View().SetBorderStyle(bsNone);
        Form.View().setFixedSize(1920, 1080);
        Form.show();
        QApplication::processEvents();
        Editor.Form()->Apply();
        Form.View().ViewStations();
        Form.View().View3D().SetPhi(60);
        Form.View().View3D().SetTheta(300);
        Form.View().ZoomAll();
    }
};

void BM_FullRedraw(benchmark::State& State) {
    TBenchWindow W;
    for (auto _ : State) W.Form.View().DoRedraw();
    State.counters["contour polylines"] = W.Form.ContourLines().Count();
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond);

void BM_LiveStep(benchmark::State& State) {
    TBenchWindow W;
    TKeelvaneForm& Parameters = *W.Form.Editor().Form();
    Parameters.Live().setChecked(true);
    TQnSpinEdit& Beam = Parameters.SpinEdit(BeamTag);
    bool Wider = false;
    for (auto _ : State) {
        Wider = !Wider;
        Beam.SetValue(Wider ? 20.1F : 20.0F);
        W.Form.View().DoRedraw();
    }
    if (W.Form.Editor().Generated != 1) State.SkipWithError("the Live step did not generate");
}
BENCHMARK(BM_LiveStep)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The windows store their places on closing: in a folder of their own, not the user's.
    const QTemporaryDir ConfigDir;
    qputenv("XDG_CONFIG_HOME", ConfigDir.path().toLocal8Bit());
    QApplication Application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
