// The platform file dialogs, set up for one kind of file.
#include "app/filedialog.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const char* const ProjectFilter = "Keelvane Project (*.kvp)";
const char* const ProjectSuffix = "kvp";

} // namespace

std::string LocalFileName(const QString& FileName) {
    return QFile::encodeName(FileName).toStdString();
}

TPlatformFileDialog::TPlatformFileDialog(QWidget* Parent, TFileDialogKind Kind,
                                         const QString& Title, const QString& Filter,
                                         const QString& DefaultSuffix)
    : TFileDialog(Parent), FDialog(new QFileDialog(Parent, Title, QString(), Filter)) {
    FDialog->setDefaultSuffix(DefaultSuffix);
    // A name typed without an extension takes that of the file type chosen.
    connect(FDialog, &QFileDialog::filterSelected, this, [this](const QString& Chosen) {
        const QRegularExpressionMatch M = QRegularExpression(R"(\*\.(\w+))").match(Chosen);
        if (M.hasMatch()) FDialog->setDefaultSuffix(M.captured(1));
    });
    if (Kind == fdOpen) {
        FDialog->setAcceptMode(QFileDialog::AcceptOpen);
        FDialog->setFileMode(QFileDialog::ExistingFile);
    } else {
        FDialog->setAcceptMode(QFileDialog::AcceptSave);
        FDialog->setFileMode(QFileDialog::AnyFile);
    }
}

bool TPlatformFileDialog::Execute() {
    // A preset name with a folder opens the dialog in that folder; a bare name, in the folder the
    // dialog showed last.
    const QFileInfo Preset(FFileName);
    if (FFileName.contains('/')) FDialog->setDirectory(Preset.absolutePath());
    FDialog->selectFile(Preset.fileName());
    if (FDialog->exec() != QDialog::Accepted || FDialog->selectedFiles().isEmpty()) return false;
    FFileName = FDialog->selectedFiles().constFirst();
    return true;
}

TPlatformFileDialog* NewOpenProjectDialog(QWidget* Parent) {
    return new TPlatformFileDialog(Parent, fdOpen, "Open Project", ProjectFilter, ProjectSuffix);
}

TPlatformFileDialog* NewSaveProjectDialog(QWidget* Parent) {
    return new TPlatformFileDialog(Parent, fdSave, "Save Project", ProjectFilter, ProjectSuffix);
}
