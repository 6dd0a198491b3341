// The spin button, the numeric edit and the spin edit: stepping, auto-repeat, drag-to-change with
// the pointer wrapping at the screen edges, typing filter, clamping and display of the value.
#include "controls/qnspin.h"

#include "geometry/maths.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <qdrawutil.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// The user's number format, without thousands separators (they would not read back).
QLocale NumberLocale() {
    QLocale Locale;
    Locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return Locale;
}

// A sunken frame of one pixel: TopLeft along the top and left, BottomRight along the others.
void DrawFrame(QPainter& Painter, const QRect& R, const QColor& TopLeft,
               const QColor& BottomRight) {
    Painter.setPen(TopLeft);
    Painter.drawLine(R.topLeft(), R.topRight());
    Painter.drawLine(R.topLeft(), R.bottomLeft());
    Painter.setPen(BottomRight);
    Painter.drawLine(R.bottomLeft(), R.bottomRight());
    Painter.drawLine(R.topRight(), R.bottomRight());
}

} // namespace

// ---- TQnDragCounter

void TQnDragCounter::Start(int Y) {
    StartY = Y;
    WrapOffset = 0;
}

std::optional<int> TQnDragCounter::Wrap(int Y, int ScreenTop, int ScreenBottom) {
    std::optional<int> NewRow;
    if (Y <= ScreenTop)
        NewRow = ScreenBottom - 1;
    else if (Y >= ScreenBottom)
        NewRow = ScreenTop + 1;
    // The offset takes up exactly the distance the pointer jumps, so the count goes on unbroken.
    if (NewRow) WrapOffset += *NewRow - Y;
    return NewRow;
}

int TQnDragCounter::Steps(int Y, int PixelPerInc) const {
    return (WrapOffset - (Y - StartY)) / PixelPerInc;
}

// ---- TQnSpinButton

TQnSpinButton::TQnSpinButton(QWidget* Parent) : QWidget(Parent) {
    resize(sizeHint());
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    connect(&RepeatTimer, &QTimer::timeout, this, [this] { RepeatTick(); });
}

void TQnSpinButton::SetPixelPerInc(int32_t Value) {
    if (Value > 0) FPixelPerInc = Value;
}

void TQnSpinButton::SetEnabledDragging(bool Value) {
    FEnabledDragging = Value;
    update();
}

bool TQnSpinButton::InGrip(QPoint P) const {
    const int Mid = height() / 2;
    return P.x() >= 0 && P.x() < width() && P.y() >= Mid - GripGap() && P.y() < Mid + GripGap();
}

void TQnSpinButton::DrawHalf(QPainter& Painter, QRect R, bool Up, bool Sunken) const {
    qDrawShadePanel(&Painter, R, palette(), Sunken, 1, &palette().brush(QPalette::Button));
    const int Shift = Sunken ? 1 : 0;
    const int X = R.left() + R.width() / 2 + Shift;
    const int Y = R.top() + R.height() / 2 + Shift;
    const int Tip = Up ? -2 : 2;
    const QPolygon Arrow(
        {QPoint(X - 3, Y - Tip / 2), QPoint(X + 3, Y - Tip / 2), QPoint(X, Y + Tip)});
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(palette().brush(QPalette::ButtonText));
    Painter.drawPolygon(Arrow);
}

void TQnSpinButton::paintEvent(QPaintEvent*) {
    QPainter Painter(this);
    const int Mid = height() / 2;
    const int Gap = FEnabledDragging ? 1 : 0;
    DrawHalf(Painter, QRect(0, 0, width(), Mid - Gap), true, Pressed == TPressed::Up);
    DrawHalf(Painter, QRect(0, Mid + Gap, width(), height() - Mid - Gap), false,
             Pressed == TPressed::Down);
    if (FEnabledDragging) Painter.fillRect(0, Mid - 1, width(), 2, Qt::black);
}

void TQnSpinButton::mousePressEvent(QMouseEvent* Event) {
    if (Event->button() != Qt::LeftButton) return;
    if (FFocusControl) FFocusControl->setFocus(Qt::MouseFocusReason);
    const int Y = Event->position().toPoint().y();
    const int Mid = height() / 2;
    if (Y < Mid - GripGap())
        Pressed = TPressed::Up;
    else if (Y > Mid + GripGap())
        Pressed = TPressed::Down;
    else if (InGrip(Event->position().toPoint())) {
        Pressed = TPressed::Drag;
        DragCounter.Start(Event->globalPosition().toPoint().y());
    }
    update();
    if (OnPress) OnPress(this);
    if (FRepeatClicks && (Pressed == TPressed::Up || Pressed == TPressed::Down))
        RepeatTimer.start(FirstRepeatInterval);
}

void TQnSpinButton::RepeatTick() {
    RepeatTimer.setInterval(RepeatInterval);
    if (Pressed == TPressed::Up || Pressed == TPressed::Down)
        Step(Pressed);
    else
        RepeatTimer.stop();
}

void TQnSpinButton::Step(TPressed Arrow) {
    const TNotifyEvent& Handler = Arrow == TPressed::Up ? OnUpClick : OnDownClick;
    if (Handler) Handler(this);
}

void TQnSpinButton::mouseMoveEvent(QMouseEvent* Event) {
    if (Pressed == TPressed::Drag)
        Drag(Event->globalPosition().toPoint());
    else if (Pressed == TPressed::None) {
        if (InGrip(Event->position().toPoint()))
            setCursor(Qt::SplitVCursor);
        else
            unsetCursor();
    }
}

void TQnSpinButton::Drag(QPoint GlobalPos) {
    const QRect Screen = screen()->geometry();
    if (const auto Row = DragCounter.Wrap(GlobalPos.y(), Screen.top(), Screen.bottom())) {
        GlobalPos.setY(*Row);
        QCursor::setPos(screen(), GlobalPos);
    }
    if (OnDragIncrement) OnDragIncrement(this, DragCounter.Steps(GlobalPos.y(), FPixelPerInc));
}

void TQnSpinButton::mouseReleaseEvent(QMouseEvent* Event) {
    if (Event->button() != Qt::LeftButton) return;
    const TPressed Was = Pressed;
    EndPress();
    if (Was == TPressed::Up || Was == TPressed::Down) Step(Was);
    if (OnRelease) OnRelease(this);
}

void TQnSpinButton::EndPress() {
    RepeatTimer.stop();
    Pressed = TPressed::None;
    update();
}

void TQnSpinButton::CancelPress() {
    if (Pressed == TPressed::None) return;
    EndPress();
    if (OnRelease) OnRelease(this);
}

void TQnSpinButton::hideEvent(QHideEvent* Event) {
    QWidget::hideEvent(Event);
    CancelPress();
}

void TQnSpinButton::changeEvent(QEvent* Event) {
    QWidget::changeEvent(Event);
    // A release that goes to another window, or to none, never reaches the button: without this
    // a held arrow would go on stepping.
    const bool Deactivated = Event->type() == QEvent::ActivationChange && !isActiveWindow();
    const bool Disabled = Event->type() == QEvent::EnabledChange && !isEnabled();
    if (Deactivated || Disabled) CancelPress();
}

// ---- TQnEdit

TQnEdit::TQnEdit(QWidget* Parent) : QLineEdit("0", Parent) {
    setFrame(false);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

bool TQnEdit::IsValidChar(QChar C) const {
    const bool Control = C.category() == QChar::Other_Control;
    const bool Erase = C == u'\b' || C == QChar(0x7F);
    if (!FEditorEnabled) return Control && !Erase;
    if (Control) return true;
    return C == u'+' || C == u'-' || (C >= u'0' && C <= u'9') ||
           (FSpinType == spFloat && QString(C) == NumberLocale().decimalPoint());
}

void TQnEdit::keyPressEvent(QKeyEvent* Event) {
    if ((Event->key() == Qt::Key_Up || Event->key() == Qt::Key_Down) && FButton) {
        const auto& Step = Event->key() == Qt::Key_Up ? FButton->OnUpClick : FButton->OnDownClick;
        if (Step) Step(FButton);
        return;
    }
    const bool ChangesClipboardText =
        Event->matches(QKeySequence::Cut) || Event->matches(QKeySequence::Paste);
    const QString Text = Event->text();
    // Enter is never typed into a line edit: the base passes it on to the window.
    const bool Enter = Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter;
    const bool Rejected = ChangesClipboardText
                              ? !CanChangeClipboardText()
                              : !Enter && !std::all_of(Text.begin(), Text.end(),
                                                       [this](QChar C) { return IsValidChar(C); });
    if (Rejected) {
        QApplication::beep();
        return;
    }
    QLineEdit::keyPressEvent(Event);
}

void TQnEdit::focusInEvent(QFocusEvent* Event) {
    QLineEdit::focusInEvent(Event);
    if (FAutoSelect && QApplication::mouseButtons() == Qt::NoButton) selectAll();
}

void TQnEdit::focusOutEvent(QFocusEvent* Event) {
    QLineEdit::focusOutEvent(Event);
    // Switching windows or opening a menu does not leave the control.
    const bool Left =
        Event->reason() != Qt::ActiveWindowFocusReason && Event->reason() != Qt::PopupFocusReason;
    if (Left && OnExit) OnExit();
}

void TQnEdit::contextMenuEvent(QContextMenuEvent* Event) {
    const std::unique_ptr<QMenu> Menu(createStandardContextMenu());
    for (QAction* Action : Menu->actions()) {
        const QString Name = Action->objectName();
        if (Name == "edit-cut" || Name == "edit-paste")
            Action->setEnabled(Action->isEnabled() && CanChangeClipboardText());
    }
    Menu->exec(Event->globalPos());
}

// ---- TQnSpinEdit

TQnSpinEdit::TQnSpinEdit(QWidget* Parent) : QWidget(Parent), Button(this), Edit(this) {
    resize(sizeHint());
    setFocusProxy(&Edit);
    Edit.SetButton(&Button);
    Button.SetFocusControl(&Edit);
    Button.OnUpClick = [this](QObject*) { StepBy(FIncrement); };
    Button.OnDownClick = [this](QObject*) { StepBy(-FIncrement); };
    Button.OnPress = [this](QObject*) { ButtonPressed(); };
    Button.OnRelease = [this](QObject*) { ButtonReleased(); };
    Button.OnDragIncrement = [this](QObject*, int32_t Inc) { DragIncrement(Inc); };
    Edit.OnExit = [this] { Exit(); };
    connect(&Edit, &QLineEdit::textChanged, this, [this] { TextChanged(); });
}

void TQnSpinEdit::SetSpinType(TQnSpinType Value) {
    FSpinType = Value;
    Edit.SetSpinType(Value);
    SetIncrement(FIncrement);
    SetValue(this->Value());
}

void TQnSpinEdit::SetIncrement(float Value) {
    FIncrement = FSpinType == spInteger ? std::trunc(Value) : Value;
}

void TQnSpinEdit::SetPrecision(uint8_t Value) {
    FPrecision = Value;
    SetValue(this->Value());
}

std::optional<float> TQnSpinEdit::TextValue() const {
    bool Ok = false;
    const float V = static_cast<float>(NumberLocale().toDouble(Edit.text(), &Ok));
    if (!Ok || !std::isfinite(V)) return std::nullopt;
    return V;
}

float TQnSpinEdit::Value() const {
    return TextValue().value_or(FMinValue);
}

int32_t TQnSpinEdit::ValueI() const {
    return TruncToInt(Value());
}

float TQnSpinEdit::Clamp(float NewValue) const {
    if (FMinValue == FMaxValue) return NewValue;
    if (NewValue < FMinValue) return FMinValue;
    if (NewValue > FMaxValue) return FMaxValue;
    return NewValue;
}

void TQnSpinEdit::SetValue(float NewValue) {
    if (!std::isfinite(NewValue)) return;
    const double V = Clamp(NewValue);
    const QLocale Locale = NumberLocale();
    // Adding 0.0 turns the negative zero of a truncated -0.5 into a plain 0.
    const QString Text =
        FSpinType == spInteger
            ? Locale.toString(std::trunc(V) + 0.0, 'f', 0)
            : Locale.toString(QString::number(V, 'g', 7).toDouble(), 'f', FPrecision);
    Edit.setText(Text);
}

void TQnSpinEdit::StepBy(float Delta) {
    if (Edit.isReadOnly())
        QApplication::beep();
    else
        SetValue(Value() + Delta);
}

void TQnSpinEdit::ButtonPressed() {
    StartValue = Value();
    ChangeAllowed = FChangeWhileDragging;
}

void TQnSpinEdit::DragIncrement(int32_t Inc) {
    if (!Edit.isReadOnly()) SetValue(StartValue + static_cast<float>(Inc) * FIncrement);
}

void TQnSpinEdit::ButtonReleased() {
    StartValue = Value();
    ChangeAllowed = true;
    if (!FChangeWhileDragging && OnChange) OnChange(this);
}

void TQnSpinEdit::TextChanged() {
    if (ChangeAllowed && OnChange) OnChange(this);
}

void TQnSpinEdit::Exit() {
    // Text that is no number, or a number out of range, is written back as the value it reads as.
    const std::optional<float> Typed = TextValue();
    if (!Typed || Clamp(*Typed) != *Typed) SetValue(Value());
}

void TQnSpinEdit::resizeEvent(QResizeEvent*) {
    const int ButtonWidth = Button.width();
    Button.setGeometry(width() - ButtonWidth - 1, 1, ButtonWidth, height() - 2);
    Edit.setGeometry(2, 3, width() - ButtonWidth - 4, height() - 5);
}

void TQnSpinEdit::paintEvent(QPaintEvent*) {
    QPainter Painter(this);
    const QPalette& P = palette();
    const QRect Outer = rect();
    const QRect Inner = Outer.adjusted(1, 1, -1, -1);
    DrawFrame(Painter, Outer, P.color(QPalette::Dark), P.color(QPalette::Light));
    DrawFrame(Painter, Inner, P.color(QPalette::Shadow), P.color(QPalette::Midlight));
    Painter.fillRect(Inner.adjusted(1, 1, -1, -1), Qt::white);
}
