// The file dialogs of the document commands: what the file manager asks of a dialog, and the
// project dialogs that ask the user.
#pragma once

#include <QObject>
#include <QString>

#include <string>

class QFileDialog;
class QWidget;

// The name of a file as the system's file functions take it.
std::string LocalFileName(const QString& FileName);

// A dialog that lets the user choose one file name.
class TFileDialog : public QObject {
public:
    using QObject::QObject;

    virtual QString FileName() const = 0;
    // The name the dialog starts with; empty for none.
    virtual void SetFileName(const QString& Name) = 0;
    // Runs the dialog; true when the user confirmed a name.
    virtual bool Execute() = 0;
};

enum TFileDialogKind { fdOpen, fdSave };

// A platform file dialog for one kind of file: fdOpen asks for a file that exists, fdSave asks
// before it overwrites one. A name typed without an extension gets DefaultSuffix, or that of the
// file type the user chose in the filter.
class TPlatformFileDialog : public TFileDialog {
public:
    TPlatformFileDialog(QWidget* Parent, TFileDialogKind Kind, const QString& Title,
                        const QString& Filter, const QString& DefaultSuffix);

    QString FileName() const override { return FFileName; }
    void SetFileName(const QString& Name) override { FFileName = Name; }
    bool Execute() override;
    QFileDialog& Dialog() const { return *FDialog; }

private:
    QFileDialog* FDialog; // a child of the parent window
    QString FFileName;
};

// The open and save dialogs of Keelvane projects.
TPlatformFileDialog* NewOpenProjectDialog(QWidget* Parent);
TPlatformFileDialog* NewSaveProjectDialog(QWidget* Parent);
