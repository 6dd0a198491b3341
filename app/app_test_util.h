// Shared set-up of the application tests: a file dialog that answers as a user would, a user who
// answers every message box, a full disk, and a main window with a folder for its files.
#pragma once

#include "app/filedialog.h"
#include "app/filemanager.h"
#include "app/mainform.h"
#include "geometry/scratchfolder.h"
#include "geometry/textutil.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <QStringList>
#include <QTimer>

#include <csignal>
#include <memory>
#include <sys/resource.h>

// Answers with Answer (empty: cancels); records the names it was preset with.
class TFakeFileDialog : public TFileDialog {
public:
    QString Answer;
    QStringList Presets;

    QString FileName() const override { return FName; }
    void SetFileName(const QString& Name) override { FName = Name; }
    bool Execute() override {
        Presets.append(FName);
        if (Answer.isEmpty()) return false;
        FName = Answer;
        return true;
    }

private:
    QString FName;
};

// While it lives, every message box that opens is answered with Button (their texts are kept),
// and every other modal dialog is cancelled.
class TMessageBoxUser {
public:
    QStringList Texts;

    explicit TMessageBoxUser(QMessageBox::StandardButton Button) : FButton(Button) {
        QObject::connect(&FTimer, &QTimer::timeout, [this] { Answer(); });
        FTimer.start(10);
    }
    void SetAnswer(QMessageBox::StandardButton Button) { FButton = Button; }

private:
    QMessageBox::StandardButton FButton;
    QTimer FTimer;

    void Answer() {
        auto* Dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!Dialog || !Dialog->isVisible()) return;
        auto* Box = qobject_cast<QMessageBox*>(Dialog);
        if (!Box) return Dialog->reject();
        Texts.append(Box->text());
        if (QAbstractButton* B = Box->button(FButton))
            B->click();
        else
            Box->reject();
    }
};

// While it lives the disk is full: no file this process writes may grow beyond 100 bytes.
class TFullDisk {
public:
    TFullDisk() {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &FOld);
        rlimit Full = FOld;
        Full.rlim_cur = 100;
        setrlimit(RLIMIT_FSIZE, &Full);
    }
    TFullDisk(const TFullDisk&) = delete;
    TFullDisk& operator=(const TFullDisk&) = delete;
    ~TFullDisk() { setrlimit(RLIMIT_FSIZE, &FOld); }

private:
    rlimit FOld{};
};

// A main window of the program Program, its settings cleared, its project saved through
// SaveDialog, and a scratch folder for its files.
class TMainFormTest : public ::testing::Test {
protected:
    TScratchFolder Folder;
    TFakeFileDialog SaveDialog;
    std::unique_ptr<TMainForm> Form;

    explicit TMainFormTest(const char* Program) {
        SetProgramBaseName(std::string("/usr/bin/") + Program);
        QSettings("Quarnel", Program).clear();
        Form = std::make_unique<TMainForm>();
        Form->FileManager().SetSaveDialog(&SaveDialog);
    }

    QString File(const std::string& Name) const {
        return QString::fromStdString(Folder.File(Name));
    }
};
