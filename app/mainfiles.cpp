// The main window's document, print and help commands: the file manager with its dialogs and its
// events bound to the editor, the printer, the File and Help menus, the project named at start
// and the unsaved-changes question on closing.
#include "app/filemanager.h"
#include "app/helpwindow.h"
#include "app/mainform.h"
#include "display/printer/print.h"
#include "display/viewport/view3dcontrol.h"
#include "geometry/errors.h"
#include "hull/editor/keelvaneeditor.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace {

std::string LocalName(const QString& FileName) {
    return QFile::encodeName(FileName).toStdString();
}

} // namespace

void TMainForm::CreateFileActions() {
    const auto Command = [this](TMainAction A, const QString& Text, const char* Icon,
                                const QString& Hint, auto Run) {
        connect(MakeAction(A, Text, Icon, Hint), &QAction::triggered, this, Run);
        return Actions[A];
    };
    Command(maNew, "&New", "new", "Start a new project", [this] {
        FileManager1->NewFile();
    })->setShortcut(QKeySequence::New);
    Command(maOpen, "&Open...", "open", "Open a project", [this] {
        FileManager1->OpenFile();
    })->setShortcut(QKeySequence::Open);
    // Ctrl+S shows the stations.
    Command(maSave, "&Save", "save", "Save the project", [this] { FileManager1->SaveFile(); });
    Command(maSaveAs, "Save &As...", nullptr, "Save the project under another name", [this] {
        FileManager1->SaveFileAs();
    })->setShortcut(QKeySequence::SaveAs);
    Command(maPrint, "Print", "print", "Print the view", [this] {
        PrintCommand();
    })->setShortcut(QKeySequence::Print);
    Command(maPrintSettings, "Print Settings...", nullptr, "Choose the printer and the page",
            [this] { QPageSetupDialog(FPrinter.get(), this).exec(); });
    Command(maExportLinesPlan, "Export Lines Plan...", nullptr,
            "Write the view to a PDF or SVG file", [this] { ExportLinesPlan(); });
    Command(maExit, "E&xit", nullptr, "Close Keelvane", [this] {
        close();
    })->setShortcut(QKeySequence::Quit);
    Command(maContents, "&Contents", nullptr, "How to use Keelvane", [this] {
        ShowHelp();
    })->setShortcut(QKeySequence::HelpContents);
    Command(maAbout, "About Keelvane...", nullptr, "The program's name and version",
            [this] { ShowAbout(this); });
}

void TMainForm::CreateFileMenus() {
    FFileMenu = menuBar()->addMenu("&File");
    for (const TMainAction A : {maNew, maCount, maOpen, maSave, maSaveAs, maCount, maPrint,
                                maPrintSettings, maExportLinesPlan, maCount})
        if (A == maCount)
            FFileMenu->addSeparator();
        else
            FFileMenu->addAction(Actions[A]);
    // The anchor of the recently used projects, which the file manager puts after it.
    FFileMenu->addAction("MRU");
    FFileMenu->addAction(Actions[maExit]);

    FHelpMenu = menuBar()->addMenu("&Help");
    FHelpMenu->addAction(Actions[maContents]);
    FHelpMenu->addSeparator();
    FHelpMenu->addAction(Actions[maAbout]);
}

void TMainForm::CreateFileManager() {
    FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // A ship's lines fill a page on its side.
    FPrinter->setPageOrientation(QPageLayout::Landscape);
    OpenDialog1 = NewOpenProjectDialog(this);
    SaveDialog1 = NewSaveProjectDialog(this);
    ExportDialog1 =
        new TPlatformFileDialog(this, fdSave, "Export Lines Plan", ExportFilter(), "pdf");

    FileManager1 = new TFileManager(this);
    FileManager1->setObjectName("FileManager1");
    FileManager1->SetUnSavedName("untitled.kvp");
    FileManager1->SetRegistryKey("MRUFileLisit");
    FileManager1->SetOpenDialog(OpenDialog1);
    FileManager1->SetSaveDialog(SaveDialog1);
    FileManager1->SetMRUMenu(FFileMenu);
    FileManager1->OnNewFile = [this](QObject*) { FEditor->SetDefaults(); };
    FileManager1->OnOpenFile = [this](QObject*, const QString& Name) {
        FEditor->LoadFromFile(LocalName(Name));
    };
    FileManager1->OnSaveFile = [this](QObject*, const QString& Name) {
        FEditor->SaveToFile(LocalName(Name));
    };
    FileManager1->OnUpDateFileName = [this](QObject*, const QString&, const QString& ShortName) {
        setWindowTitle("Keelvane - " + ShortName);
    };
    FileManager1->BuildMRUMenu();
}

void TMainForm::PrintCommand() {
    QPrintDialog Dialog(FPrinter.get(), this);
    if (Dialog.exec() == QDialog::Accepted) PrintView(*FPrinter);
}

void TMainForm::PrintView(QPrinter& Printer) {
    Print(*View3D1, Printer, "Keelvane");
}

void TMainForm::ExportLinesPlan() {
    if (!ExportDialog1) return;
    ExportDialog1->SetFileName(QString());
    if (ExportDialog1->Execute()) ExportView(*View3D1, ExportDialog1->FileName(), "Keelvane");
}

void TMainForm::OpenStartProject(const QString& FileName) {
    try {
        FileManager1->OpenNamedFile(FileName);
    } catch (const EKeelvaneError& E) {
        QMessageBox::critical(this, "Keelvane", QString::fromLocal8Bit(E.what()));
    }
}

void TMainForm::ShowHelp() {
    if (!FHelpWindow) FHelpWindow = new THelpWindow(this);
    FHelpWindow->show();
    FHelpWindow->raise();
    FHelpWindow->activateWindow();
}

void TMainForm::closeEvent(QCloseEvent* Event) {
    // A save that fails must not close the window: its error still reaches the user.
    Event->ignore();
    if (FileManager1->QueryClose()) Event->accept();
}
