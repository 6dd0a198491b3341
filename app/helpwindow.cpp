// The help window's page and the About box.
#include "app/helpwindow.h"

#include <QMessageBox>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

const char* const HelpPage = R"(
<h2>Keelvane</h2>
<p>Keelvane designs the hull of a single-screw ship from its principal dimensions and a few shape
parameters. It builds the defining curves, fits one B-spline surface through them and cuts it
into the lines plan: stations, waterlines and buttocks.</p>

<h3>Working with a hull</h3>
<ol>
<li>Type the dimensions in the <b>hull parameter window</b> (toolbar: Hull Parameters). The
picture on each tab shows what its letters A) to F) measure.</li>
<li>Press <b>Apply</b> to generate the surface. With <b>Live</b> checked the hull follows every
change at once.</li>
<li>Turn on <b>Contours</b> to see the lines plan, and save the project with
<b>File &gt; Save</b>.</li>
</ol>

<h3>The parameters</h3>
<p>Lengths are in one unit of your choice; x runs forward from the aft perpendicular (AP), heights
are measured from the keel.</p>
<table border="1" cellpadding="3" cellspacing="0">
<tr><th>Tab</th><th>Parameters</th></tr>
<tr><td>Main Dimensions</td><td>length between perpendiculars, draught, beam, depth, and whether
a change of length scales every dimension (Geosim) or the lengths along the ship only</td></tr>
<tr><td>Deck and Flat of Side</td><td>the ends of the parallel deck edge and of the flat of side,
the distance of the transom behind the AP, the radius of the deck line at the bow</td></tr>
<tr><td>Stern</td><td>the root of the stern frame, the shaft height, the length, start and radius
of the stern boss, the aft end of the flat of bottom</td></tr>
<tr><td>Transom and Bilge</td><td>transom beam, curvature and immersion, the bilge radius of the
midship section</td></tr>
<tr><td>Bow</td><td>the overhang of the stem at deck, the curvature and radius of the stem, the
fore foot radius or, with <b>Bulbous Bow</b> checked, the bulb's length and radius</td></tr>
</table>
<p>A value the hull cannot take is limited at once to the nearest one it can.</p>

<h3>The toolbar</h3>
<table cellpadding="3" width="100%">
<tr><td width="38%"><b>New, Open, Save, Print</b></td><td>the project file (.kvp) and a printed page:
the view, or (chosen in the print dialog) the lines plan to scale. File also saves under another
name, sets up the printer, exports the lines plan as PDF, SVG or DXF, exports the hull (File &gt;
Export) as a STEP or IGES surface, an STL body or a table of offsets, and lists the last five
projects.</td></tr>
<tr><td width="38%"><b>Hull Parameters</b></td><td>shows the hull parameter window.</td></tr>
<tr><td width="38%"><b>Hydrostatics</b></td><td>the particulars at the design draught, the curves
of form and the sectional-area curve of the generated hull, to print or export.</td></tr>
<tr><td width="38%"><b>Zoom In, Zoom Out, Zoom All</b></td><td>zoom by a step, or fit the whole hull.</td></tr>
<tr><td width="38%"><b>Zoom Window, Zoom, Pan, Rotate</b></td><td>what a drag with the left mouse button
does in the view (below).</td></tr>
<tr><td width="38%"><b>Sta, Wl, Btk</b></td><td>the body plan (stations), the plan (waterlines) and the
profile (buttocks).</td></tr>
<tr><td width="38%"><b>Mirror</b></td><td>shows the port side as well.</td></tr>
<tr><td width="38%"><b>Curves, Control Net, Surface Grid</b></td><td>what of the hull is drawn.</td></tr>
<tr><td width="38%"><b>Contours</b></td><td>shows the stations, waterlines and buttocks cut from the
surface.</td></tr>
<tr><td width="38%"><b>Contour Setup</b></td><td>where the stations, waterlines and buttocks are
cut: type the positions for each axis, or fill a list with evenly spaced ones (Group).</td></tr>
</table>

<h3>The mouse in the view</h3>
<table cellpadding="3" width="100%">
<tr><td width="38%"><b>Rotate</b></td><td>drag to turn the hull; it is drawn in outline while you drag.</td></tr>
<tr><td width="38%"><b>Pan</b></td><td>drag to move the view.</td></tr>
<tr><td width="38%"><b>Zoom</b></td><td>drag up to zoom in, down to zoom out, about the point you pressed.</td></tr>
<tr><td width="38%"><b>Zoom Window</b></td><td>drag a box around what you want to see.</td></tr>
<tr><td width="38%"><b>Right button</b></td><td>a menu of the standard views; in the view, Ctrl+S shows the
stations, Ctrl+W the waterlines and Ctrl+B the buttocks.</td></tr>
</table>
)";

} // namespace

THelpWindow::THelpWindow(QWidget* Parent) : QDialog(Parent), FBrowser(new QTextBrowser(this)) {
    setWindowTitle("Keelvane Help");
    setObjectName("HelpWindow");
    FBrowser->setHtml(HelpPage);
    FBrowser->document()->setDocumentMargin(10);
    FBrowser->setOpenExternalLinks(false);
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->addWidget(FBrowser);
    resize(620, 640);
}

QString AboutText() {
    return "<h3>Keelvane " KEELVANE_VERSION
           "</h3><p>Preliminary design of a single-screw ship's hull: from principal dimensions "
           "to a faired surface and its lines plan.</p>";
}

void ShowAbout(QWidget* Parent) {
    QMessageBox::about(Parent, "About Keelvane", AboutText());
}
