// The main window's lines plan on paper and its exports: the lines plan printed or written as PDF,
// SVG or DXF, and File > Export's STEP and IGES surfaces, STL body and table of offsets, each
// written whole or not at all.
#include "app/busycursor.h"
#include "app/filemanager.h"
#include "app/mainform.h"
#include "contours/contours.h"
#include "display/painter/pdffile.h"
#include "display/printer/print.h"
#include "drawing/linesplan.h"
#include "exchange/cadfile.h"
#include "exchange/closedbody.h"
#include "exchange/linesplandxf.h"
#include "exchange/occtshapes.h"
#include "exchange/offsets.h"
#include "exchange/stlfile.h"
#include "geometry/errors.h"
#include "geometry/safefile.h"
#include "hull/editor/keelvaneeditor.h"

#include <QAction>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrinter>

#include <ostream>
#include <vector>

namespace {

struct TExportFormat {
    const char* Command;
    const char* Hint;
    const char* Title; // of its file dialog and messages
    const char* Filter;
    const char* Suffix;
};

// What the user sees is what goes out: the hull as last generated from the parameters shown.
const char* const NotGeneratedText = "The hull is not generated: apply the parameters first";

constexpr TExportFormat Formats[ekCount] = {
    {"Export Lines Plan...", "Write the lines plan drawing to a PDF, SVG or DXF file",
     "Export Lines Plan", "PDF Document (*.pdf);;SVG Drawing (*.svg);;DXF Drawing (*.dxf)", "pdf"},
    {"&STEP Surface...", "Write the hull surface to a STEP (AP214) file for CAD programs",
     "Export STEP Surface", "STEP File (*.step *.stp)", "step"},
    {"&IGES Surface...", "Write the hull surface to an IGES 5.3 file for CAD programs",
     "Export IGES Surface", "IGES File (*.iges *.igs)", "iges"},
    {"ST&L Body...", "Write the closed hull body to a binary STL file for meshing and models",
     "Export STL Body", "STL Mesh (*.stl)", "stl"},
    {"Table of &Offsets...", "Write the half-breadths at the stations and waterlines to a CSV file",
     "Export Table of Offsets", "Table of Offsets (*.csv)", "csv"},
};

// The sheet as a file of Type ("pdf", "svg" or "dxf"), FileName naming it in messages.
void WriteSheet(std::ostream& Out, const TLinesPlanSheet& Sheet, const std::string& Title,
                const std::string& FileName, const std::string& Type) {
    if (Type == "dxf") return WriteLinesPlanDxf(Out, Sheet, false);
    if (Type == "pdf")
        return SavePdf(Out, FileName, Sheet.Width(), Sheet.Height(), Title,
                       [&](TGStream& Page) { Sheet.Draw(Page); });
    Out << Sheet.Svg();
}

} // namespace

void TMainForm::CreateExportActions() {
    for (int Kind = ekLinesPlan; Kind < ekCount; ++Kind) {
        const TExportFormat& F = Formats[Kind];
        const auto A = static_cast<TMainAction>(maExportLinesPlan + Kind);
        connect(MakeAction(A, F.Command, nullptr, F.Hint), &QAction::triggered, this,
                [this, Kind] { ExportCommand(static_cast<TExportKind>(Kind)); });
        ExportDialogs[Kind] = new TPlatformFileDialog(this, fdSave, F.Title, F.Filter, F.Suffix);
    }
}

void TMainForm::ExportCommand(TExportKind Kind) {
    TFileDialog* Dialog = ExportDialogs[Kind];
    if (!Dialog) return;
    // Said before the user picks a name for nothing.
    if (!FEditor->Generated) {
        QMessageBox::information(this, Formats[Kind].Title, NotGeneratedText);
        return;
    }
    // The project's name with the export's extension, beside the project.
    const QFileInfo Project(FileManager1->FileName());
    const QString Folder = FileManager1->FileName() == FileManager1->UnSavedName()
                               ? QString()
                               : Project.absolutePath() + "/";
    Dialog->SetFileName(Folder + Project.completeBaseName() + "." + Formats[Kind].Suffix);
    if (!Dialog->Execute()) return;
    const QString Name = Dialog->FileName();
    try {
        const TBusyCursor Busy;
        Export(Kind, Name);
    } catch (const EKeelvaneError& E) {
        QMessageBox::warning(this, Formats[Kind].Title,
                             "Could not export " + Name + ":\n" + QString::fromLocal8Bit(E.what()));
    }
}

QString TMainForm::ProjectFileName() const {
    const QString Name = FileManager1->FileName();
    return Name == FileManager1->UnSavedName() ? QString() : QFileInfo(Name).fileName();
}

void TMainForm::UseLinesPlan(const TContours& Planes, const TPaperSize& Paper,
                             const TUseSheet& Use) const {
    TLinesPlanOptions Options;
    Options.Paper = Paper;
    Options.ProjectName = ProjectFileName().toStdString();
    const TLinesPlanSheet Sheet(*FEditor, Planes, Options);
    Use(Sheet, Options.ProjectName.empty() ? "Lines plan" : "Lines plan of " + Options.ProjectName);
}

std::unique_ptr<TContours> TMainForm::CuttingPlanes() const {
    if (!FEditor->Generated) throw EGeometryError(NotGeneratedText);
    const TContours& Set = *FContours;
    bool Empty = true;
    for (int Axis = 0; Axis < 3; ++Axis) Empty = Empty && Set.List(Axis).Count() == 0;
    auto Planes = std::make_unique<TContours>();
    const TKeelvaneParameters& P = FEditor->Parameters();
    for (std::uint8_t Axis = 0; Axis < 3; ++Axis)
        for (const double Position :
             Empty ? UsualPlanes(Axis, P.Lbp, P.Beam, P.Depth) : Set.List(Axis).Positions())
            Planes->Add(Axis, Position);
    return Planes;
}

void TMainForm::PrintLinesPlan(QPrinter& Printer) {
    const QSizeF Size = LandscapePaper(Printer);
    const std::string Name = Printer.pageLayout().pageSize().name().toStdString();
    UseLinesPlan(*CuttingPlanes(), {Name, Size.width(), Size.height()},
                 [&](const TLinesPlanSheet& Sheet, const std::string& Title) {
                     PrintSheet(Printer, Title, [&](TGStream& Page) { Sheet.Draw(Page); });
                 });
}

void TMainForm::Export(TExportKind Kind, const QString& FileName) {
    const std::string Name = LocalFileName(FileName);
    const QString Type = QFileInfo(FileName).suffix().toLower();
    if (Kind == ekLinesPlan && Type != "pdf" && Type != "svg" && Type != "dxf")
        throw EIOError("Unable to export " + Name + ": the name must end in .pdf, .svg or .dxf");
    const std::unique_ptr<const TContours> Planes = CuttingPlanes();
    // Opened before the work, so that a name that cannot be written fails at once.
    TSafeFile File(Name);
    std::ostream& Out = File.Stream();
    switch (Kind) {
    case ekLinesPlan:
        UseLinesPlan(*Planes, PaperA3, [&](const TLinesPlanSheet& Sheet, const std::string& Title) {
            WriteSheet(Out, Sheet, Title, Name, Type.toStdString());
        });
        break;
    case ekStep:
        WriteStep(Out, TCadContent{FEditor.get(), false, {}});
        break;
    case ekIges:
        WriteIges(Out, TCadContent{FEditor.get(), false, {}});
        break;
    case ekStl:
        WriteBinaryStl(Out, *ClosedBody(*FEditor));
        break;
    case ekOffsets:
        WriteOffsetsCsv(Out, *TableOfOffsets(*FEditor, Planes->List(0).Positions(),
                                             Planes->List(2).Positions()));
        break;
    case ekCount:
        break;
    }
    File.Commit();
}
