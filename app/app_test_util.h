// Shared set-up of the application tests: a file dialog that answers as a user would, and a
// user who answers every message box.
#pragma once

#include "app/filedialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

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
