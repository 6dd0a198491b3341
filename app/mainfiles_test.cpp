// The main window's documents and paper: the File and Help menus, the caption, the unsaved
// question before every command that closes the project, saves that fail, the project named at
// start, printing and export.
#include "app/app_test_util.h"
#include "app/filemanager.h"
#include "app/helpwindow.h"
#include "app/mainform.h"
#include "controls/qnspin.h"
#include "controls/settingsstore.h"
#include "geometry/errors.h"
#include "geometry/scratchfolder.h"
#include "geometry/textutil.h"
#include "hull/editor/keelvaneeditor.h"
#include "hull/editor/keelvaneform.h"

#include <QAction>
#include <QMenu>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

constexpr int BeamTag = 103;

class MainFilesTest : public TMainFormTest {
protected:
    TFakeFileDialog OpenDialog;

    MainFilesTest() : TMainFormTest("mainfilestest") {
        Files().SetOpenDialog(&OpenDialog);
        Form->show();
        [[maybe_unused]] const bool Exposed = QTest::qWaitForWindowExposed(Form.get());
    }

    TFileManager& Files() const { return Form->FileManager(); }
    double Beam() const { return Form->Editor().Parameters().Beam; }
    void SetBeam(double Value) const { Form->Editor().Form()->SpinEdit(BeamTag).SetValue(Value); }

    // Saves the current project under Name through Save As.
    void SaveAs(const char* Name) {
        SaveDialog.Answer = File(Name);
        ASSERT_TRUE(Files().SaveFileAs());
    }

    static QStringList Captions(const QMenu& Menu) {
        QStringList C;
        for (const QAction* A : Menu.actions())
            if (A->isVisible()) C << (A->isSeparator() ? "-" : A->text());
        return C;
    }
};

TEST_F(MainFilesTest, MenusToolbarAndCaption) {
    EXPECT_EQ(Form->windowTitle(), "Keelvane - untitled.kvp");
    SetBeam(21);
    SaveAs("a.kvp");
    EXPECT_EQ(Form->windowTitle(), "Keelvane - a.kvp");
    SaveAs("b.kvp");
    SaveAs("c.kvp");
    EXPECT_EQ(Captions(Form->FileMenu()),
              QStringList({"&New", "-", "&Open...", "&Save", "Save &As...", "-", "Print",
                           "Print Settings...", "Export Lines Plan...", "&Export", "-",
                           "&1 " + File("c.kvp"), "&2 " + File("b.kvp"), "&3 " + File("a.kvp"), "-",
                           "E&xit"}));
    EXPECT_EQ(Captions(Form->HelpMenu()), QStringList({"&Contents", "-", "About Keelvane..."}));
    const QList<QAction*> Tools = Form->ToolBar().actions();
    EXPECT_EQ(Tools.mid(0, 4), QList<QAction*>({&Form->Action(maNew), &Form->Action(maOpen),
                                                &Form->Action(maSave), &Form->Action(maPrint)}));
    // Ctrl+S stays with the stations.
    EXPECT_TRUE(Form->Action(maSave).shortcut().isEmpty());
    EXPECT_EQ(Form->Action(maStations).shortcut(), QKeySequence("Ctrl+S"));

    Form->Action(maNew).trigger();
    EXPECT_EQ(Form->windowTitle(), "Keelvane - untitled.kvp");
    EXPECT_DOUBLE_EQ(Beam(), 20);
    OpenDialog.Answer = File("b.kvp");
    Form->Action(maOpen).trigger();
    EXPECT_EQ(Form->windowTitle(), "Keelvane - b.kvp");
    EXPECT_DOUBLE_EQ(Beam(), 21);
    EXPECT_FALSE(Files().Modified());
}

TEST_F(MainFilesTest, UnsavedChangesAreAskedForBeforeNewOpenRecentAndClose) {
    SaveAs("hull.kvp");
    SaveAs("other.kvp");
    SetBeam(23);
    EXPECT_TRUE(Files().Modified());
    TMessageBoxUser User(QMessageBox::Cancel);
    Form->Action(maNew).trigger();
    Form->Action(maOpen).trigger();
    Form->FileMenu().actions()[13]->trigger(); // &2 hull.kvp
    EXPECT_FALSE(Form->close());
    EXPECT_EQ(User.Texts, QStringList(4, "other.kvp is unsaved, Save?"));
    EXPECT_TRUE(Form->isVisible());
    EXPECT_EQ(Form->windowTitle(), "Keelvane - other.kvp");
    EXPECT_DOUBLE_EQ(Beam(), 23);
    EXPECT_TRUE(OpenDialog.Presets.isEmpty());

    User.SetAnswer(QMessageBox::No);
    Form->FileMenu().actions()[13]->trigger();
    EXPECT_EQ(Form->windowTitle(), "Keelvane - hull.kvp");
    EXPECT_DOUBLE_EQ(Beam(), 20);
    EXPECT_FALSE(Files().Modified());

    // A generation counts as a change too; Yes saves it before the window closes.
    Form->Editor().Form()->Apply();
    EXPECT_TRUE(Files().Modified());
    User.SetAnswer(QMessageBox::Yes);
    const std::string Before = FileText(Folder.File("hull.kvp"));
    EXPECT_TRUE(Form->close());
    EXPECT_EQ(User.Texts.size(), 6);
    EXPECT_TRUE(FileText(Folder.File("hull.kvp")) != Before);
}

TEST_F(MainFilesTest, SaveThatFailsKeepsTheOldFileAndTheChanges) {
    SaveAs("hull.kvp");
    const std::string Saved = FileText(Folder.File("hull.kvp"));
    SetBeam(24);
    {
        const TFullDisk Full;
        EXPECT_THROW(Files().SaveFile(), EIOError);
        SaveDialog.Answer = File("copy.kvp");
        EXPECT_THROW(Files().SaveFileAs(), EIOError);
    }
    EXPECT_TRUE(FileText(Folder.File("hull.kvp")) == Saved);
    EXPECT_TRUE(Files().Modified());
    EXPECT_EQ(Form->windowTitle(), "Keelvane - hull.kvp");
    EXPECT_EQ(Files().MRUList().Names(), QStringList({File("hull.kvp")}));
    EXPECT_DOUBLE_EQ(Beam(), 24);
}

TEST_F(MainFilesTest, ProjectNamedAtStartOpensOrIsReported) {
    SetBeam(25);
    SaveAs("start.kvp");
    Form->Action(maNew).trigger();
    Form->OpenStartProject(File("start.kvp"));
    EXPECT_EQ(Form->windowTitle(), "Keelvane - start.kvp");
    EXPECT_DOUBLE_EQ(Beam(), 25);

    std::ofstream(Folder.File("notes.kvp")) << "shopping list\n";
    TMessageBoxUser User(QMessageBox::Ok);
    Form->OpenStartProject(File("notes.kvp"));
    EXPECT_EQ(User.Texts, QStringList({"File does not contain a Keelvane Definition"}));
    EXPECT_EQ(Form->windowTitle(), "Keelvane - untitled.kvp");
    EXPECT_DOUBLE_EQ(Beam(), 20);
}

TEST_F(MainFilesTest, PrintAndExportTheView) {
    Form->Editor().Form()->Apply();
    QPrinter& Printer = Form->Printer();
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(File("view.pdf"));
    {
        TMessageBoxUser User(QMessageBox::Cancel); // cancels the print dialog
        Form->Action(maPrint).trigger();
    }
    EXPECT_FALSE(std::filesystem::exists(Folder.File("view.pdf")));
    Form->PrintView(Printer);
    EXPECT_EQ(FileText(Folder.File("view.pdf")).rfind("%PDF", 0), 0u);
    EXPECT_EQ(Printer.docName(), QString("Keelvane"));

    TFakeFileDialog Export;
    Export.Answer = File("lines.svg");
    Form->SetExportDialog(ekLinesPlan, &Export);
    Form->Action(maExportLinesPlan).trigger();
    EXPECT_NE(FileText(Folder.File("lines.svg")).find("<svg"), std::string::npos);
    Export.Answer.clear();
    Form->Action(maExportLinesPlan).trigger(); // cancelled: nothing happens
}

TEST_F(MainFilesTest, HelpAndWindowState) {
    Form->Action(maContents).trigger();
    ASSERT_NE(Form->HelpWindow(), nullptr);
    EXPECT_TRUE(Form->HelpWindow()->isVisible());
    const QString Page = Form->HelpWindow()->Browser().toPlainText();
    for (const char* Topic : {"draught", "Zoom Window", "Rotate", "Ctrl+W"})
        EXPECT_TRUE(Page.contains(Topic)) << Topic;
    EXPECT_TRUE(AboutText().contains(QRegularExpression("Keelvane [0-9]+\\.[0-9]+")));

    Form->setGeometry(120, 130, 640, 480);
    Form.reset();
    const auto Store = OpenSettingsStore("KeelvaneMainForm");
    EXPECT_EQ(Store->value("FormSaveVersion").toInt(), 2);
    EXPECT_EQ(Store->value("FormWidth").toInt(), 640);
    Form = std::make_unique<TMainForm>();
    EXPECT_EQ(Form->geometry().width(), 640);
}

} // namespace
