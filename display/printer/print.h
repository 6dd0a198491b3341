// Printing a viewport: its current view, as the screen shows it, fitted to one page of a printer,
// a PDF or an SVG file, through the application's own redraw.
#pragma once

#include <QString>

#include <functional>
#include <string>

class QPaintDevice;
class TCustomView2D;

// Prints the control's view on one page of Printer: measured as on the screen, fitted to the page
// with the margin, drawn through OnRedraw (without the screen's tripod). The view is always
// pointed back at the control, the document ended and the screen refitted and redrawn, also when
// drawing fails. An empty Title becomes ProgramBaseName + " - Viewport".
void Print(TCustomView2D& Control, QPaintDevice& Printer, const std::string& Title = "");

// The file types ExportView writes, as a file dialog filter.
QString ExportFilter();
// Writes one A4 landscape page that PrintOn prints on the paint device it is given to FileName,
// as PDF or SVG by its extension (EIOError for any other). The old file stays as it was unless
// the new one is written whole.
void ExportPage(const QString& FileName, const std::function<void(QPaintDevice&)>& PrintOn);
// Writes the control's view on one A4 landscape page to FileName, as PDF or SVG by its extension
// (EIOError for any other). The old file stays as it was unless the new one is written whole.
void ExportView(TCustomView2D& Control, const QString& FileName, const std::string& Title = "");
