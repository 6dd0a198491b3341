// TContourGroupForm: asks for a run of evenly spaced contour positions, from Start to End.
#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>

class QLineEdit;

class TContourGroupForm : public QDialog {
public:
    explicit TContourGroupForm(QWidget* Parent = nullptr);

    // The values as last read from the edits: on leaving an edit, and on Ok.
    double Start() const { return FStart; }
    double End() const { return FEnd; }
    std::int32_t NumContours() const { return FNumContours; }

    // Ok: closes only when all three edits hold numbers and Start is not above End.
    void accept() override;

protected:
    // An edit reached by the keyboard has its text selected, so typing replaces it.
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // Runs Convert; a text that is no number is reported, with the focus left on its edit.
    bool Read(const std::function<void()>& Convert);
    // Shows Message once the current event is done: a box opened while the focus moves from
    // one edit to another would fight that move.
    void ShowError(const QString& Message);

    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    double FStart = 0.0;
    double FEnd = 0.0;
    std::int32_t FNumContours = 0;
    bool ErrorPending = false;
};
