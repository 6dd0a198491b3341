// The main window's document, print and help commands: the file manager with its dialogs and its
// events bound to the editor, the printer, the File and Help menus, the project named at start
// and the unsaved-changes question on closing.
#include "app/busycursor.h"
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
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QVBoxLayout>

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
    Command(maPrint, "Print", "print", "Print the view or the lines plan", [this] {
        PrintCommand();
    })->setShortcut(QKeySequence::Print);
    Command(maPrintSettings, "Print Settings...", nullptr, "Choose the printer and the page",
            [this] { QPageSetupDialog(FPrinter.get(), this).exec(); });
    Command(maExit, "E&xit", nullptr, "Close Keelvane", [this] {
        close();
    })->setShortcut(QKeySequence::Quit);
    Command(maContents, "&Contents", nullptr, "How to use Keelvane", [this] {
        ShowHelp();
    })->setShortcut(QKeySequence::HelpContents);
    Command(maAbout, "About Keelvane...", nullptr, "The program's name and version",
            [this] { ShowAbout(this); });
    CreateExportActions();
}

void TMainForm::CreateFileMenus() {
    FFileMenu = menuBar()->addMenu("&File");
    for (const TMainAction A : {maNew, maCount, maOpen, maSave, maSaveAs, maCount, maPrint,
                                maPrintSettings, maExportLinesPlan})
        if (A == maCount)
            FFileMenu->addSeparator();
        else
            FFileMenu->addAction(Actions[A]);
    QMenu* Export = FFileMenu->addMenu("&Export");
    for (int A = maExportStep; A <= maExportOffsets; ++A) Export->addAction(Actions[A]);
    FFileMenu->addSeparator();
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

    FileManager1 = new TFileManager(this);
    FileManager1->setObjectName("FileManager1");
    FileManager1->SetUnSavedName("untitled.kvp");
    FileManager1->SetRegistryKey("MRUFileLisit");
    FileManager1->SetOpenDialog(OpenDialog1);
    FileManager1->SetSaveDialog(SaveDialog1);
    FileManager1->SetMRUMenu(FFileMenu);
    FileManager1->OnNewFile = [this](QObject*) { FEditor->SetDefaults(); };
    FileManager1->OnOpenFile = [this](QObject*, const QString& Name) {
        FEditor->LoadFromFile(LocalFileName(Name));
    };
    FileManager1->OnSaveFile = [this](QObject*, const QString& Name) {
        FEditor->SaveToFile(LocalFileName(Name));
    };
    FileManager1->OnUpDateFileName = [this](QObject*, const QString&, const QString& ShortName) {
        setWindowTitle("Keelvane - " + ShortName);
    };
    FileManager1->BuildMRUMenu();
}

void TMainForm::PrintCommand() {
    QPrintDialog Dialog(FPrinter.get(), this);
    auto* Choice = new QGroupBox("What to print");
    auto* View = new QRadioButton("The current &view, as the screen shows it", Choice);
    auto* Plan = new QRadioButton("The &lines plan, to scale on the paper in landscape", Choice);
    (FPrintLinesPlan ? Plan : View)->setChecked(true);
    auto* Layout = new QVBoxLayout(Choice);
    Layout->addWidget(View);
    Layout->addWidget(Plan);
    // Right under the printer where the dialog stacks its parts, else on a page of its own.
    if (auto* Parts = qobject_cast<QBoxLayout*>(Dialog.layout()))
        Parts->insertWidget(1, Choice);
    else {
        Choice->setWindowTitle("Keelvane");
        Dialog.setOptionTabs({Choice});
    }
    if (Dialog.exec() != QDialog::Accepted) return;
    FPrintLinesPlan = Plan->isChecked();
    try {
        const TBusyCursor Busy;
        if (FPrintLinesPlan)
            PrintLinesPlan(*FPrinter);
        else
            PrintView(*FPrinter);
    } catch (const EKeelvaneError& E) {
        QMessageBox::warning(this, "Print",
                             "Could not print:\n" + QString::fromLocal8Bit(E.what()));
    }
}

void TMainForm::PrintView(QPrinter& Printer) {
    Print(*View3D1, Printer, "Keelvane");
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
