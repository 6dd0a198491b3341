// Printing a viewport: its current view, as the screen shows it, fitted to one page of a printer,
// a PDF or an SVG file, through the application's own redraw. Printing a sheet: a drawing laid
// out in millimetres on the printer's paper, true to size.
#pragma once

#include <QSizeF>
#include <QString>

#include <functional>
#include <string>

class QPaintDevice;
class QPrinter;
class TCustomView2D;
class TGStream;

// Prints the control's view on one page of Printer: measured as on the screen, fitted to the page
// with the margin, drawn through OnRedraw (without the screen's tripod). The view is always
// pointed back at the control, the document ended and the screen refitted and redrawn, also when
// drawing fails. An empty Title becomes ProgramBaseName + " - Viewport".
void Print(TCustomView2D& Control, QPaintDevice& Printer, const std::string& Title = "");

// The printer's paper in millimetres, turned to landscape.
QSizeF LandscapePaper(const QPrinter& Printer);
// Prints on one page of Device the sheet Draw draws in millimetres from the paper's top-left
// corner, y downwards. A printer prints it on its whole paper in landscape, its own set-up
// restored afterwards; another device takes its own size and resolution. The document is ended
// also when drawing fails; EIOError when it cannot be begun or finished.
void PrintSheet(QPaintDevice& Device, const std::string& Title,
                const std::function<void(TGStream&)>& Draw);

// The file types ExportPage writes, as a file dialog filter.
QString ExportFilter();
// Writes one A4 landscape page that PrintOn prints on the paint device it is given to FileName,
// as PDF or SVG by its extension (EIOError for any other). The old file stays as it was unless
// the new one is written whole.
void ExportPage(const QString& FileName, const std::function<void(QPaintDevice&)>& PrintOn);
