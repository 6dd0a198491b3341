// Numeric input: a two-arrow spin button with a drag grip, a filtered numeric edit, and the spin
// edit that combines them with limits, an increment and drag-to-change.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

class QPainter;

enum TQnSpinType { spFloat = 0, spInteger = 1 };

// Turns the vertical pointer movement of a drag into steps, moving up counting positive. When the
// pointer reaches the screen's top or bottom row it is sent to the opposite edge and the jump is
// added to an offset, so a drag goes on past the screen without losing count.
class TQnDragCounter {
public:
    void Start(int StartY);
    // The pointer row to move the pointer to, if it has to wrap; Steps() then counts from there.
    std::optional<int> Wrap(int Y, int ScreenTop, int ScreenBottom);
    // Whole steps of PixelPerInc pixels from the start to pointer row Y.
    int Steps(int Y, int PixelPerInc) const;

private:
    int StartY = 0;
    int WrapOffset = 0;
};

class TQnSpinButton : public QWidget {
public:
    using TNotifyEvent = std::function<void(QObject* Sender)>;
    using TDragIncrementEvent = std::function<void(QObject* Sender, int32_t Inc)>;

    static constexpr int FirstRepeatInterval = 400; // ms before an arrow held down repeats
    static constexpr int RepeatInterval = 100;      // ms between repeats after that

    explicit TQnSpinButton(QWidget* Parent = nullptr);

    int32_t PixelPerInc() const { return FPixelPerInc; }
    void SetPixelPerInc(int32_t Value);
    QWidget* FocusControl() const { return FFocusControl; }
    void SetFocusControl(QWidget* Control) { FFocusControl = Control; }
    bool RepeatClicks() const { return FRepeatClicks; }
    void SetRepeatClicks(bool Value) { FRepeatClicks = Value; }
    bool EnabledDragging() const { return FEnabledDragging; }
    void SetEnabledDragging(bool Value);

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;
    TNotifyEvent OnChange; // for the owner's use; the button never fires it
    TDragIncrementEvent OnDragIncrement;
    // The left button went down on, or came up from, the button (after any step it takes).
    TNotifyEvent OnPress;
    TNotifyEvent OnRelease;

    QSize sizeHint() const override { return {14, 21}; }

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void hideEvent(QHideEvent* Event) override;
    void changeEvent(QEvent* Event) override;

private:
    enum class TPressed { None, Up, Down, Drag };

    int GripGap() const { return FEnabledDragging ? 3 : 0; }
    bool InGrip(QPoint P) const;
    void Step(TPressed Arrow);
    void RepeatTick();
    void Drag(QPoint GlobalPos);
    // The press ends without a step: the button went away or lost the mouse before its release.
    void CancelPress();
    // Back to no press: timer stopped, repainted, the owner told.
    void EndPress();
    void DrawHalf(QPainter& Painter, QRect R, bool Up, bool Sunken) const;

    int32_t FPixelPerInc = 1;
    QPointer<QWidget> FFocusControl;
    bool FRepeatClicks = true;
    bool FEnabledDragging = true;
    TPressed Pressed = TPressed::None;
    QTimer RepeatTimer{this};
    TQnDragCounter DragCounter;
};

class TQnEdit : public QLineEdit {
public:
    explicit TQnEdit(QWidget* Parent = nullptr);

    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
    TQnSpinType SpinType() const { return FSpinType; }
    void SetSpinType(TQnSpinType Value) { FSpinType = Value; }
    TQnSpinButton* Button() const { return FButton; }
    void SetButton(TQnSpinButton* Value) { FButton = Value; }
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }

    // Called when the focus leaves the edit.
    std::function<void()> OnExit;

protected:
    void keyPressEvent(QKeyEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void contextMenuEvent(QContextMenuEvent* Event) override;

private:
    bool IsValidChar(QChar C) const;
    bool CanChangeClipboardText() const { return FEditorEnabled && !isReadOnly(); }

    bool FEditorEnabled = true;
    bool FAutoSelect = true;
    TQnSpinType FSpinType = spFloat;
    TQnSpinButton* FButton = nullptr;
};

class TQnSpinEdit : public QWidget {
public:
    using TNotifyEvent = std::function<void(QObject* Sender)>;

    explicit TQnSpinEdit(QWidget* Parent = nullptr);

    TQnSpinType SpinType() const { return FSpinType; }
    void SetSpinType(TQnSpinType Value);
    float MinValue() const { return FMinValue; }
    void SetMinValue(float Value) { FMinValue = Value; }
    float MaxValue() const { return FMaxValue; }
    void SetMaxValue(float Value) { FMaxValue = Value; }
    // The edit's text as a number; text that is no number reads as MinValue.
    float Value() const;
    // Clamps, then writes the text; a value that cannot be shown leaves the text as it was.
    void SetValue(float NewValue);
    // Value truncated toward zero; INT32_MIN when out of the 32-bit range.
    int32_t ValueI() const;
    void SetValueI(int32_t NewValue) { SetValue(static_cast<float>(NewValue)); }
    float Increment() const { return FIncrement; }
    void SetIncrement(float Value);
    uint8_t Precision() const { return FPrecision; }
    void SetPrecision(uint8_t Value);
    bool ChangeWhileDragging() const { return FChangeWhileDragging; }
    void SetChangeWhileDragging(bool Value) { FChangeWhileDragging = Value; }

    int32_t PixelPerInc() const { return Button.PixelPerInc(); }
    void SetPixelPerInc(int32_t Value) { Button.SetPixelPerInc(Value); }
    bool RepeatClicks() const { return Button.RepeatClicks(); }
    void SetRepeatClicks(bool Value) { Button.SetRepeatClicks(Value); }
    bool EnabledDragging() const { return Button.EnabledDragging(); }
    void SetEnabledDragging(bool Value) { Button.SetEnabledDragging(Value); }
    bool AutoSelect() const { return Edit.AutoSelect(); }
    void SetAutoSelect(bool Value) { Edit.SetAutoSelect(Value); }
    bool EditorEnabled() const { return Edit.EditorEnabled(); }
    void SetEditorEnabled(bool Value) { Edit.SetEditorEnabled(Value); }
    int MaxLength() const { return Edit.maxLength(); }
    void SetMaxLength(int Value) { Edit.setMaxLength(Value); }
    bool ReadOnly() const { return Edit.isReadOnly(); }
    void SetReadOnly(bool Value) { Edit.setReadOnly(Value); }

    TQnSpinButton& SpinButton() { return Button; }
    TQnEdit& Editor() { return Edit; }

    TNotifyEvent OnChange;

    QSize sizeHint() const override { return {65, 21}; }

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    float Clamp(float NewValue) const;
    std::optional<float> TextValue() const;
    void UpClick();
    void DownClick();
    void StepBy(float Delta);
    void ButtonPressed();
    void ButtonReleased();
    void DragIncrement(int32_t Inc);
    void Exit();
    void TextChanged();

    TQnSpinType FSpinType = spFloat;
    float FMinValue = 0;
    float FMaxValue = 0;
    float FIncrement = 1;
    uint8_t FPrecision = 2;
    bool FChangeWhileDragging = true;
    float StartValue = 0;
    bool ChangeAllowed = true;
    TQnSpinButton Button;
    TQnEdit Edit;
};
