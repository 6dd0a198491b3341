// Keelvane's window until the main window exists: a plain window holding the 3-D viewport that
// shows the generated default hull (its defining curves, control net and surface iso-lines);
// the mouse rotates the model, the fast preview shows while it is dragged.
#include "app/application.h"
#include "display/viewport/view3dcontrol.h"
#include "geometry/bspline.h"
#include "geometry/errors.h"
#include "geometry/textutil.h"
#include "hull/keelvane.h"

#include <QApplication>
#include <QMessageBox>
#include <QVBoxLayout>
#include <QWidget>

namespace {

void DrawDefiningCurves(const TKeelvane& Hull, TGStream& S) {
    for (const TBSpline* Curve :
         {&Hull.MidshipSection(), &Hull.StemProfile(), &Hull.SternProfile(),
          &Hull.AftFlatBoundary(), &Hull.ForeFlatBoundary(), &Hull.Transom(), &Hull.DeckLine()})
        TBSpline::CreateCopy(*Curve)->Draw(S);
}

// The net and its surface exist only after a generation that succeeded.
void DrawHull(TKeelvane& Hull, bool Generated, TGStream& S) {
    DrawDefiningCurves(Hull, S);
    if (!Generated) return;
    Hull.Draw(S);
    Hull.DrawIsoLines(S);
}

} // namespace

int main(int argc, char* argv[]) {
    TApplication Application(argc, argv);
    Application.setApplicationName("Keelvane");
    SetProgramBaseName(argv[0]);

    TKeelvane Hull;
    bool Generated = false;
    try {
        Hull.Generate();
        Generated = true;
    } catch (const EKeelvaneError& E) {
        QMessageBox::critical(nullptr, "Keelvane", QString::fromStdString(E.what()));
    }

    // Children are declared after their window, so they go before it.
    QWidget Window;
    Window.setWindowTitle("Keelvane");
    QVBoxLayout Layout(&Window);
    Layout.setContentsMargins(0, 0, 0, 0);
    TView3D View(&Window);
    Layout.addWidget(&View);
    View.OnRedraw = [&Hull, Generated](QObject*, TGStream& S) { DrawHull(Hull, Generated, S); };
    View.OnPreviewRedraw = [&Hull](QObject*, TGStream& S) { Hull.DrawPreview(S); };
    View.SetModifyMode(mmRotate);
    Window.resize(960, 600);
    Window.show();
    return QApplication::exec();
}
