// The contour group dialog: Start, End and the number of contours, checked as they are left.
#include "contours/dialogs/contourgroupform.h"

#include "controls/controlnumber.h"
#include "geometry/errors.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* NumberEdit(const char* Name, const char* Text, QWidget* Parent) {
    auto* Edit = new QLineEdit(Text, Parent);
    Edit->setObjectName(Name);
    Edit->setAlignment(Qt::AlignRight);
    return Edit;
}

QPushButton* Button(const char* Name, const char* Caption, QWidget* Parent) {
    auto* Result = new QPushButton(Caption, Parent);
    Result->setObjectName(Name);
    return Result;
}

} // namespace

TContourGroupForm::TContourGroupForm(QWidget* Parent) : QDialog(Parent) {
    setWindowTitle("Add Contour Group ");
    auto* Group = new QGroupBox(" Group Setup ", this);
    Edit1 = NumberEdit("Edit1", "0.000", Group);
    Edit2 = NumberEdit("Edit2", "0.000", Group);
    Edit3 = NumberEdit("Edit3", "0", Group);
    for (QLineEdit* Edit : {Edit1, Edit2, Edit3}) Edit->installEventFilter(this);
    auto* Fields = new QFormLayout(Group);
    Fields->addRow("Start:", Edit1);
    Fields->addRow("End:", Edit2);
    Fields->addRow("Number of Contours", Edit3);

    QPushButton* Button1 = Button("Button1", "Ok", this);
    QPushButton* Button2 = Button("Button2", "Cancel", this);
    Button1->setDefault(true);
    auto* Buttons = new QVBoxLayout;
    Buttons->addWidget(Button1);
    Buttons->addWidget(Button2);
    Buttons->addStretch();
    auto* Layout = new QHBoxLayout(this);
    Layout->addWidget(Group, 1);
    Layout->addLayout(Buttons);
    setFixedSize(sizeHint().expandedTo({335, 137}));

    connect(Edit1, &QLineEdit::editingFinished, this,
            [this] { Read([this] { FStart = ControlToNumber(*Edit1); }); });
    connect(Edit2, &QLineEdit::editingFinished, this,
            [this] { Read([this] { FEnd = ControlToNumber(*Edit2); }); });
    connect(Edit3, &QLineEdit::editingFinished, this,
            [this] { Read([this] { FNumContours = ControlToInteger(*Edit3); }); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TContourGroupForm::accept() {
    // The edits are read before End is checked: Enter in an edit does not leave it first, and
    // a check of the values from before the typing would refuse a sound group.
    const bool Numbers = Read([this] {
        FStart = ControlToNumber(*Edit1);
        FEnd = ControlToNumber(*Edit2);
        FNumContours = ControlToInteger(*Edit3);
    });
    if (!Numbers) return;
    if (FEnd < FStart) {
        ShowError("Start must be smaller than End");
        return;
    }
    QDialog::accept();
}

bool TContourGroupForm::eventFilter(QObject* Watched, QEvent* Event) {
    const bool ByKeyboard = Event->type() == QEvent::FocusIn &&
                            static_cast<QFocusEvent*>(Event)->reason() != Qt::MouseFocusReason;
    if (ByKeyboard) static_cast<QLineEdit*>(Watched)->selectAll();
    return QDialog::eventFilter(Watched, Event);
}

bool TContourGroupForm::Read(const std::function<void()>& Convert) {
    try {
        Convert();
        return true;
    } catch (const EConvertError& E) {
        ShowError(E.what());
        return false;
    }
}

void TContourGroupForm::ShowError(const QString& Message) {
    if (ErrorPending) return;
    ErrorPending = true;
    QMetaObject::invokeMethod(
        this,
        [this, Message] {
            ErrorPending = false;
            // Cancel may have closed the dialog since: a closed dialog has nothing to mend.
            if (isVisible()) QMessageBox::critical(this, QApplication::applicationName(), Message);
        },
        Qt::QueuedConnection);
}
