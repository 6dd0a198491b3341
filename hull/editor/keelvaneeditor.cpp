// The hull editor: generation reported into the parameter window, change notification, and the
// drawing of curves, control net, iso-lines or outline as the display flags select.
#include "hull/editor/keelvaneeditor.h"

#include "geometry/bsurface.h"
#include "geometry/gstream.h"
#include "geometry/matrix.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>

namespace {

// The reflection y -> -y onto the port side.
std::unique_ptr<TMatrix> PortMirror() {
    return MirrorMatrix(2, 0);
}

// Keeps every line of the iso-lines drawn into it: each iso-line is Samples - 1 lines long, so a
// new polyline starts after that many.
class TIsoLineRecorder : public TGStream {
public:
    TIsoLineRecorder(TPolylineList& Lines, int Samples)
        : Lines(Lines), SegmentsPerLine(Samples - 1) {}

    void Line(double X1, double Y1, double Z1, double X2, double Y2, double Z2) override {
        if (Segments++ % SegmentsPerLine == 0) {
            auto Next = std::make_unique<TPolyline>();
            Current = Next.get();
            Lines.AddPolyline(std::move(Next));
            Current->AddPoint(X1, Y1, Z1);
        }
        Current->AddPoint(X2, Y2, Z2);
    }

private:
    TPolylineList& Lines;
    int SegmentsPerLine;
    int Segments = 0;
    TPolyline* Current = nullptr;
};

// The surface's edges: its iso-lines with two samples each way.
void DrawSurfaceOutline(const TBSplineSurface& Surface, const TMatrix& M, TGStream& Stream) {
    auto Copy = Surface.TransformedCopy(M);
    Copy->SamplesU = Copy->SamplesV = 2;
    Copy->IsoSamples = Surface.IsoSamples;
    Copy->DrawIsoLines(Stream);
}

// Sets a flag and shows the hourglass for the life of the scope.
class TBusyScope {
public:
    explicit TBusyScope(bool& Flag) : Flag(Flag) {
        Flag = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;
    ~TBusyScope() {
        QApplication::restoreOverrideCursor();
        Flag = false;
    }

private:
    bool& Flag;
};

} // namespace

TKeelvaneEditor::TKeelvaneEditor() = default;

TKeelvaneEditor::~TKeelvaneEditor() {
    if (FForm) FForm->Attach(nullptr);
}

void TKeelvaneEditor::ShowStatus(const std::string& Text) {
    if (FForm) FForm->SetStatus(QString::fromStdString(Text));
    // Repaints only: a click or key press waits until the hull is whole again.
    if (Showing()) QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TKeelvaneEditor::ShowProgress(int Percent) {
    // The bar repaints at once on every step; worth it only when someone can watch it.
    if (FForm && Showing()) FForm->SetProgress(Percent);
}

bool TKeelvaneEditor::Showing() const {
    return !FGenerationClock.isValid() || FGenerationClock.elapsed() >= RepaintDelay;
}

void TKeelvaneEditor::ShowMessage(const std::string& Text) {
    QMessageBox::warning(FForm, "Keelvane", QString::fromStdString(Text));
}

void TKeelvaneEditor::SetDefaults() {
    TKeelvane::SetDefaults();
    // The defaults come without a surface: the one shown before is gone.
    Generated = 0;
    NotifyChange();
    if (FForm) FForm->Attach(this);
}

void TKeelvaneEditor::LoadFromFile(const std::string& FileName) {
    TKeelvane::LoadFromFile(FileName);
    // The iso-lines cached belong to the surface before.
    GridStale = 1;
    NotifyChange();
    if (FForm) FForm->Attach(this);
}

void TKeelvaneEditor::Generate() {
    if (FGenerating) return;
    const TBusyScope Busy(FGenerating);
    FGenerationClock.start();
    TKeelvane::Generate();
    GridStale = 1;
}

void TKeelvaneEditor::NotifyChange() {
    if (OnChange) OnChange(*this);
}

void TKeelvaneEditor::ShowEditor(QWidget* Owner) {
    if (!FForm) FForm = new TKeelvaneForm(Owner);
    FForm->Attach(this);
    FForm->show();
    FForm->raise();
}

std::unique_ptr<TBSplineList> TKeelvaneEditor::DefiningCurves(bool ControlPolygons) const {
    auto List = std::make_unique<TBSplineList>();
    for (const TBSpline* Curve : DefiningSplines())
        List->AddPolyline(ControlPolygons ? TPolyline::CreateCopy(*Curve)
                                          : TBSpline::CreateCopy(*Curve));
    // The keel, the flat of side at bilge height and the edge of the flat of bottom.
    const auto Join = [&List](const TRPoint& A, const TRPoint& B) {
        auto Line = std::make_unique<TPolyline>();
        Line->AddCopy(&A);
        Line->AddCopy(&B);
        List->AddPolyline(std::move(Line));
    };
    Join(StemProfile().At(0), MidshipSection().At(0));
    Join(AftFlatBoundary().At(1), ForeFlatBoundary().At(1));
    Join(AftFlatBoundary().At(4), ForeFlatBoundary().At(4));
    return List;
}

void TKeelvaneEditor::DrawMirrored(const TBSplineList& List, TGStream& Stream) const {
    if (Mirror) List.TransformedCopy(*PortMirror())->Draw(Stream);
    List.Draw(Stream);
}

void TKeelvaneEditor::Draw(TGStream& Stream) {
    if ((DisplayFlags & dfCurves) || !Generated) DrawMirrored(*DefiningCurves(false), Stream);
    if (!Generated) return;
    if (DisplayFlags & dfControlNet) {
        if (Mirror) TMesh::TransformedCopy(*PortMirror())->Draw(Stream);
        TMesh::Draw(Stream);
    }
    if (DisplayFlags & dfSurfaceGrid) {
        if (GridStale)
            BuildIsoLines(Stream);
        else
            FIsoLines.Draw(Stream);
        if (Mirror) FIsoLines.TransformedCopy(*PortMirror())->Draw(Stream);
    }
    if ((DisplayFlags & (dfCurves | dfControlNet | dfSurfaceGrid)) == 0) DrawOutline(Stream);
}

void TKeelvaneEditor::DrawOutline(TGStream& Stream) {
    if (Mirror) DrawSurfaceOutline(*this, *PortMirror(), Stream);
    DrawSurfaceOutline(*this, TMatrix(4, 4), Stream);
}

void TKeelvaneEditor::DrawPreview(TGStream& Stream) {
    DrawMirrored(*DefiningCurves(true), Stream);
}

void TKeelvaneEditor::BuildIsoLines(TGStream& Stream) {
    FIsoLines.Clear();
    TIsoLineRecorder Recorder(FIsoLines, IsoSamples);
    DrawIsoLines(Recorder);
    GridStale = 0;
    // Drawn once built, each iso-line as one polyline: a painter draws a polyline several times
    // faster than the same segments one by one.
    FIsoLines.Draw(Stream);
}
