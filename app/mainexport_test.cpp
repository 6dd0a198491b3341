// The main window's lines plan on paper and its exports: the sheet printed and written as PDF or
// SVG with the project's planes, the hull for other programs, and failures that keep old files.
#include "app/app_test_util.h"
#include "app/filemanager.h"
#include "app/mainform.h"
#include "contours/contours.h"
#include "geometry/errors.h"
#include "geometry/scratchfolder.h"
#include "geometry/testsupport.h"
#include "geometry/textutil.h"
#include "hull/editor/keelvaneeditor.h"
#include "hull/editor/keelvaneform.h"

#include <QFileDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>

namespace {

class MainExportTest : public TMainFormTest {
protected:
    TFakeFileDialog ExportDialog;

    MainExportTest() : TMainFormTest("mainexporttest") {}

    // Generates the hull and saves the project as hull.kvp.
    void Generate() {
        Form->Editor().Form()->Apply();
        SaveDialog.Answer = File("hull.kvp");
        ASSERT_TRUE(Form->FileManager().SaveFileAs());
    }
    // Exports Kind through its command to Name, answering any message box; their texts.
    QStringList ExportThroughCommand(TExportKind Kind, const std::string& Name) {
        Form->SetExportDialog(Kind, &ExportDialog);
        ExportDialog.Answer = File(Name);
        TMessageBoxUser User(QMessageBox::Ok);
        Form->ExportCommand(Kind);
        return User.Texts;
    }
};

// The page's width and height in points, from the PDF's media box.
std::pair<double, double> MediaBox(const std::string& Pdf) {
    const auto Box = Pdf.find("/MediaBox [0 0 ");
    if (Box == std::string::npos) return {0, 0};
    std::istringstream Size(Pdf.substr(Box + 15, 40));
    double Width = 0, Height = 0;
    Size >> Width >> Height;
    return {Width, Height};
}

bool Contains(const std::string& Text, const std::string& Part) {
    return Text.find(Part) != std::string::npos;
}

TEST_F(MainExportTest, LinesPlanExportedAndPrintedFromTheProjectsPlanes) {
    ExpectMessage([&] { Form->Export(ekLinesPlan, File("lines.svg")); },
                  "The hull is not generated: apply the parameters first");
    Generate();
    EXPECT_TRUE(ExportThroughCommand(ekLinesPlan, "lines.svg").isEmpty());
    EXPECT_EQ(ExportDialog.Presets.last(), File("hull.pdf")); // the project's name, its folder
    // An A3 sheet, as on the command line; with no planes set up, the usual ones.
    const std::string Usual = FileText(Folder.File("lines.svg"));
    EXPECT_TRUE(Contains(Usual, "width=\"420.00mm\" height=\"297.00mm\""));
    for (const char* Part : {">hull.kvp<", ">21 / 9 / 4<", ">DWL<", ">WL 8.55<", ">BT 8<"})
        EXPECT_TRUE(Contains(Usual, Part)) << Part;

    Form->Contours().Add(0, 25);
    Form->Contours().Add(0, 75);
    Form->Contours().Add(2, 3);
    Form->Export(ekLinesPlan, File("lines.PDF"));
    const std::string Pdf = FileText(Folder.File("lines.PDF"));
    EXPECT_EQ(Pdf.rfind("%PDF", 0), 0u);
    EXPECT_NEAR(MediaBox(Pdf).first, 420 / 25.4 * 72, 0.5);
    Form->Export(ekLinesPlan, File("lines.svg"));
    EXPECT_TRUE(Contains(FileText(Folder.File("lines.svg")), ">2 / 1 / 0<"));
    Form->Export(ekLinesPlan, File("lines.dxf"));
    const std::string Dxf = FileText(Folder.File("lines.dxf"));
    EXPECT_TRUE(Contains(Dxf, "SECTION") && Contains(Dxf, "2 / 1 / 0") && Contains(Dxf, "EOF"));

    // Printed on the printer's paper, in landscape whatever its set-up, which stays as it was.
    QPrinter& Printer = Form->Printer();
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(File("printed.pdf"));
    Printer.setPageSize(QPageSize(QPageSize::A4));
    Printer.setPageOrientation(QPageLayout::Portrait);
    Form->PrintLinesPlan(Printer);
    EXPECT_EQ(Printer.docName(), QString("Lines plan of hull.kvp"));
    EXPECT_EQ(Printer.pageLayout().orientation(), QPageLayout::Portrait);
    const auto [Width, Height] = MediaBox(FileText(Folder.File("printed.pdf")));
    EXPECT_NEAR(Width, 297 / 25.4 * 72, 0.5);
    EXPECT_NEAR(Height, 210 / 25.4 * 72, 0.5);
}

TEST_F(MainExportTest, PrintDialogChoosesTheViewOrTheLinesPlan) {
    Generate();
    QPrinter& Printer = Form->Printer();
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(File("printed.pdf"));
    QString Opened;
    const auto Print = [&](const QString& Choice) {
        QTimer::singleShot(50, [&] {
            auto* Dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(Dialog, nullptr);
            for (QRadioButton* Button : Dialog->findChildren<QRadioButton*>()) {
                if (Button->isChecked()) Opened = Button->text();
                if (!Choice.isEmpty() && Button->text().contains(Choice)) Button->click();
            }
            Dialog->accept();
        });
        Form->PrintCommand();
        return Printer.docName();
    };
    EXPECT_EQ(Print(""), QString("Keelvane"));
    EXPECT_TRUE(Opened.contains("view"));
    EXPECT_EQ(Print("lines plan"), QString("Lines plan of hull.kvp"));
    // The choice holds for the next print.
    EXPECT_EQ(Print(""), QString("Lines plan of hull.kvp"));
    EXPECT_TRUE(Opened.contains("lines plan"));
    EXPECT_EQ(FileText(Folder.File("printed.pdf")).rfind("%PDF", 0), 0u);
}

TEST_F(MainExportTest, HullExportsWriteTheirFormats) {
    Generate();
    EXPECT_TRUE(ExportThroughCommand(ekStep, "hull.step").isEmpty());
    EXPECT_TRUE(ExportThroughCommand(ekIges, "hull.iges").isEmpty());
    EXPECT_TRUE(ExportThroughCommand(ekStl, "hull.stl").isEmpty());
    EXPECT_TRUE(ExportThroughCommand(ekOffsets, "hull.csv").isEmpty());
    EXPECT_EQ(FileText(Folder.File("hull.step")).rfind("ISO-10303-21;", 0), 0u);
    // IGES: 80-column records, the first of the start section.
    const std::string Iges = FileText(Folder.File("hull.iges"));
    ASSERT_GT(Iges.size(), 80u);
    EXPECT_EQ(Iges.substr(72, 8), "S0000001");
    // Binary STL: a header of 80 bytes, the facet count, 50 bytes a facet.
    const std::string Stl = FileText(Folder.File("hull.stl"));
    ASSERT_GT(Stl.size(), 84u);
    std::uint32_t Facets = 0;
    std::memcpy(&Facets, Stl.data() + 80, 4);
    EXPECT_GT(Facets, 0u);
    EXPECT_EQ(Stl.size(), 84 + 50 * std::size_t{Facets});
    // The usual planes: a row per station, a column per waterline.
    const std::string Csv = FileText(Folder.File("hull.csv"));
    EXPECT_EQ(Csv.rfind("x \\ z", 0), 0u);
    EXPECT_EQ(std::count(Csv.begin(), Csv.end(), '\n'), 22);
}

TEST_F(MainExportTest, FailedExportsAreShownAndKeepTheOldFiles) {
    EXPECT_EQ(ExportThroughCommand(ekOffsets, "old.csv"),
              QStringList("The hull is not generated: apply the parameters first"));
    EXPECT_TRUE(ExportDialog.Presets.isEmpty()); // no name asked for
    Generate();
    const QStringList Missing = ExportThroughCommand(ekStl, "gone/hull.stl");
    ASSERT_EQ(Missing.size(), 1);
    EXPECT_TRUE(Missing[0].startsWith("Could not export " + File("gone/hull.stl") +
                                      ":\nUnable to create file"));
    const QStringList Png = ExportThroughCommand(ekLinesPlan, "lines.png");
    ASSERT_EQ(Png.size(), 1);
    EXPECT_TRUE(Png[0].endsWith("the name must end in .pdf, .svg or .dxf"));

    // The disk fills up.
    const std::pair<TExportKind, const char*> Olds[] = {
        {ekOffsets, "old.csv"}, {ekLinesPlan, "old.svg"}, {ekStl, "old.stl"}, {ekStep, "old.step"}};
    for (const auto& [Kind, Name] : Olds) std::ofstream(Folder.File(Name)) << "old\n";
    {
        const TFullDisk Full;
        for (const auto& [Kind, Name] : Olds) {
            EXPECT_EQ(ExportThroughCommand(Kind, Name).size(), 1) << Name;
            EXPECT_EQ(FileText(Folder.File(Name)), "old\n") << Name;
        }
    }
    // No temporary is left behind.
    std::set<std::string> Names;
    for (const auto& Entry : std::filesystem::directory_iterator(Folder.Path()))
        Names.insert(Entry.path().filename().string());
    EXPECT_EQ(Names,
              std::set<std::string>({"hull.kvp", "old.csv", "old.step", "old.stl", "old.svg"}));
}

TEST(ExportDialog, NameWithoutExtensionTakesTheChosenTypes) {
    QWidget Parent;
    TPlatformFileDialog Dialog(&Parent, fdSave, "Export", "PDF (*.pdf);;SVG (*.svg)", "pdf");
    emit Dialog.Dialog().filterSelected("SVG (*.svg)");
    EXPECT_EQ(Dialog.Dialog().defaultSuffix(), "svg");
}

} // namespace
