// TKeelvaneForm: the hull parameter window. Six image tabs of spin edits, each field marked A) to
// F) on a picture of what it measures, the length transformation, the bow shape, Defaults, Apply,
// and the status line with the progress of a generation.
#pragma once

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class TColorPageControl;
class TFormSave;
class TImageList;
class TKeelvaneEditor;
class TQnSpinEdit;

class TKeelvaneForm : public QWidget {
public:
    // The spin edits' tags: 101 (Lbp) to 126 (BulbRadius).
    static constexpr int FirstTag = 101;
    static constexpr int LastTag = 126;
    static constexpr int TagBowField = 124; // ForeFootRadius, or BulbLength for a bulbous bow
    static constexpr int TagUnused = 125;   // kept in its place, read-only

    // A tool window kept above Owner.
    explicit TKeelvaneForm(QWidget* Owner = nullptr);
    ~TKeelvaneForm() override;

    TKeelvaneEditor* Model() const { return FModel; }
    // Edits Model (none: the window edits nothing) and shows its values.
    void Attach(TKeelvaneEditor* Model);
    void ShowValues();
    double GetParameter(int Tag) const;
    void SetParameter(int Tag, double Value);
    void SetStatus(const QString& Text);
    void SetProgress(int Percent);

    // The commands of the window's controls.
    void SpinEditChange(TQnSpinEdit& Edit);
    void BowShapeClick();
    void Defaults();
    // Generates the hull; an error is shown in the status line and raised on.
    void Apply();

    TQnSpinEdit& SpinEdit(int Tag) const;
    QCheckBox& BulbousBow() const { return *CheckBox1; }
    QCheckBox& Live() const { return *CheckBoxLive; }
    QRadioButton& Geosim() const { return *RadioButton1; }
    QRadioButton& LengthOnly() const { return *RadioButton2; }
    QPushButton& ApplyButton() const { return *Button2; }
    QPushButton& DefaultsButton() const { return *Button4; }
    QLabel& StatusText() const { return *Panel3; }
    QLabel& PlainBowPicture() const { return *Image6; }
    QLabel& BulbousBowPicture() const { return *Image5; }
    QLabel& SummaryText() const { return *Summary; }
    TColorPageControl& Pages() const { return *PageControl; }

protected:
    void showEvent(QShowEvent* Event) override;

private:
    TKeelvaneEditor* FModel = nullptr;
    // While values are written into the spin edits, their changes are the window's own.
    bool FUpdating = false;

    TImageList* Images;
    TColorPageControl* PageControl;
    std::array<TQnSpinEdit*, LastTag - FirstTag + 1> SpinEdits{};
    std::array<QLabel*, LastTag - FirstTag + 1> Captions{};
    QCheckBox* CheckBox1;
    QCheckBox* CheckBoxLive;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button4;
    QLabel* Panel3;
    QProgressBar* ProgressBar1;
    QLabel* Image5;
    QLabel* Image6;
    QLabel* Summary;
    std::unique_ptr<TFormSave> FormSave;

    void KeepOnScreen();
    QWidget* MakePage(int Tab);
    QWidget* MakeButtonPanel();
    QWidget* MakeStatusLine();
    void MakeSpinEdit(int Tag, QWidget* Page);
    // Writes V into Edit without taking it for an edit.
    void ShowValue(TQnSpinEdit& Edit, double V);
    // The field of the bow tab whose meaning follows the bow shape, and the bulb fields' state.
    void ShowBowShape();
    // A typed value counts once the typing ends (Enter, or leaving the field).
    void TypingFinished(TQnSpinEdit& Edit);
    void ShowError(const QString& Text);
    // The sixth tab: the hull's proportions and the state of its surface.
    void ShowSummary();
    void ShowHelp();
};
