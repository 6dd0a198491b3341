// TKeelvaneEditor: the hull model as the application uses it. It reports generation into its
// parameter window, tells the main window of every change and draws itself as its display flags
// select, mirrored to the port side when asked.
#pragma once

#include "geometry/polylist.h"
#include "hull/editor/keelvaneform.h"
#include "hull/keelvane.h"

#include <QElapsedTimer>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>

class QWidget;

// Bits of DisplayFlags; with none set a generated hull shows its surface outline.
enum TDisplayFlag : std::uint8_t { dfCurves = 1, dfControlNet = 2, dfSurfaceGrid = 4 };

class TKeelvaneEditor : public TKeelvane {
public:
    using TChangeEvent = std::function<void(TKeelvaneEditor& Sender)>;

    TKeelvaneEditor();
    ~TKeelvaneEditor() override;

    std::uint8_t Generated = 0; // 1 after Apply completed a generation; any edit clears it
    std::uint8_t GridStale = 0; // the iso-line cache must be rebuilt before it is drawn
    std::uint8_t DisplayFlags = dfSurfaceGrid;
    std::uint8_t Mirror = 0; // also draw everything reflected to the port side
    // Status messages let repaints through once a generation has run this long (ms); a quicker
    // one has nothing to show in between.
    int RepaintDelay = 100;
    TChangeEvent OnChange;

    // The parameter window, none before the first ShowEditor.
    TKeelvaneForm* Form() const { return FForm; }
    const TPolylineList& IsoLines() const { return FIsoLines; }
    // True while Generate runs; the parameter window refuses edits and Apply meanwhile.
    bool Generating() const { return FGenerating; }

    void ShowStatus(const std::string& Text) override;
    void ShowProgress(int Percent) override;
    void ShowMessage(const std::string& Text) override;
    void SetDefaults() override;
    void Generate() override;
    void Draw(TGStream& Stream) override;
    void DrawPreview(TGStream& Stream) override;
    void LoadFromFile(const std::string& FileName) override;

    void NotifyChange();
    // Creates the parameter window (owned by Owner, shown above it) on first use, attaches it and
    // shows it.
    void ShowEditor(QWidget* Owner);
    // Rebuilds the iso-line cache, drawing each line as it is built.
    void BuildIsoLines(TGStream& Stream);

private:
    QPointer<TKeelvaneForm> FForm;
    TPolylineList FIsoLines;
    bool FGenerating = false;
    QElapsedTimer FGenerationClock;

    // The defining curves and the keel, bilge and flat-of-bottom lines joining them; as control
    // polygons for the preview.
    std::unique_ptr<TBSplineList> DefiningCurves(bool ControlPolygons) const;
    // Draws List and, with Mirror, its reflection first.
    void DrawMirrored(const TBSplineList& List, TGStream& Stream) const;
    void DrawOutline(TGStream& Stream);
    // Whether the generation running has taken long enough to show its progress.
    bool Showing() const;
};
