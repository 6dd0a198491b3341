// The hull parameter window: layout, the field table, and the handlers that carry spin-edit
// changes into the model and back.
#include "hull/editor/keelvaneform.h"

#include "controls/formsave.h"
#include "controls/imagelist.h"
#include "controls/pagecontrol.h"
#include "controls/qnspin.h"
#include "controls/svgpicture.h"
#include "geometry/errors.h"
#include "hull/editor/keelvaneeditor.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// One spin edit: the tab (1 .. 5) and letter it sits at, what it edits and how it steps.
struct TField {
    int Tab;
    char Letter;
    const char* Key; // the project-file key of its parameter; none for the unused field
    float Increment;
    const char* Caption;
    const char* Hint;
};

constexpr std::array<TField, 26> Fields{{
    {1, 'A', "Lbp", 1.0F, "Length bp", "Length (Between Perpendiculars)"},
    {1, 'B', "Draught", 0.1F, "Draught", "Draught"},
    {1, 'C', "Beam", 0.1F, "Beam", "Beam"},
    {1, 'D', "Depth", 0.1F, "Depth", "Depth"},
    {2, 'A', "ParallelDeckA", 0.1F, "Parallel deck, aft end",
     "Aft End of the Parallel Deck (from the aft perpendicular)"},
    {2, 'B', "TransomBehindAP", 0.1F, "Transom aft of AP",
     "Distance of the Transom behind the Aft Perpendicular"},
    {2, 'C', "FOSAft", 0.1F, "Flat of side, aft end",
     "Aft End of the Flat of Side (from the aft perpendicular)"},
    {2, 'D', "ParallelDeckF", 0.1F, "Parallel deck, fore end",
     "Fore End of the Parallel Deck (from the aft perpendicular)"},
    {2, 'E', "BowRadiusAtDeck", 0.1F, "Bow radius at deck", "Radius of the Deck Line at the Bow"},
    {2, 'F', "FOSBow", 0.1F, "Flat of side, fore end",
     "Fore End of the Flat of Side (from the aft perpendicular)"},
    {3, 'A', "StRootHeight", 0.01F, "Stern frame root", "Height of the Root of the Stern Frame"},
    {3, 'B', "StShaftHeight", 0.01F, "Shaft height", "Height of the Shaft Line above the Keel"},
    {3, 'C', "StBossToot", 0.01F, "Boss length", "Length of the Stern Boss"},
    {3, 'D', "StBossStart", 0.01F, "Boss start",
     "Start of the Stern Boss (from the aft perpendicular)"},
    {3, 'E', "StBossRadius", 0.01F, "Boss radius", "Radius of the Stern Boss"},
    {3, 'F', "StFlatOfBottomStart", 0.01F, "Flat of bottom start",
     "Aft End of the Flat of Bottom (from the aft perpendicular)"},
    {4, 'A', "TransomBeam", 0.1F, "Transom beam", "Transom Beam"},
    {4, 'B', "TransomCurvature", 1.0F, "Transom curvature %", "Transom Curvature (percent)"},
    {4, 'C', "TransomImmersion", 0.01F, "Transom immersion",
     "Transom Immersion below the Waterline"},
    {4, 'D', "BilgeRadius", 0.01F, "Bilge radius", "Bilge Radius"},
    {5, 'A', "ForeOverHang", 0.01F, "Fore overhang", "Overhang of the Stem at Deck beyond the FP"},
    {5, 'B', "BowCurvature", 1.0F, "Bow curvature %", "Curvature of the Stem Profile (percent)"},
    {5, 'C', "StemRadius", 0.01F, "Stem radius", "Stem Radius"},
    {5, 'D', "ForeFootRadius", 0.01F, "Fore foot radius", "Fore Foot Radius"},
    {5, 'E', nullptr, 0.01F, "(not used)", "Not used"},
    {5, 'F', "BulbRadius", 0.01F, "Bulb radius", "Bulb Radius"},
}};

constexpr std::array<const char*, 6> TabHints{
    "Main Dimensions", "Deck and Flat of Side", "Stern", "Transom and Bilge", "Bow",
    "Hull Summary"};
constexpr std::array<const char*, 5> TabPictures{"dimensions", "deck", "stern", "transom",
                                                 "bow-plain"};

const TField& Field(int Tag) {
    return Fields.at(static_cast<std::size_t>(Tag - TKeelvaneForm::FirstTag));
}

constexpr QSize PictureSize{330, 209};

QString EditorResource(const char* Name) {
    return QString(":/keelvane/editor/%1.svg").arg(Name);
}

QLabel* MakePicture(const char* Name, QWidget* Parent) {
    auto* Label = new QLabel(Parent);
    Label->setPixmap(SvgPixmap(EditorResource(Name), PictureSize));
    Label->setFixedSize(PictureSize);
    return Label;
}

} // namespace

TKeelvaneForm::TKeelvaneForm(QWidget* Owner) : QWidget(Owner, Qt::Tool) {
    setWindowTitle("Keelvane");
    Images = new TImageList(this);
    for (const char* Name :
         {"tab-dimensions", "tab-deck", "tab-stern", "tab-transom", "tab-bow", "tab-hull"})
        Images->Add(SvgIcon(EditorResource(Name)));
    PageControl = new TColorPageControl(this);
    PageControl->SetImages(Images);
    PageControl->setIconSize({24, 24});
    for (int Tab = 1; Tab <= 6; ++Tab) {
        PageControl->addTab(MakePage(Tab), QString());
        PageControl->setTabToolTip(Tab - 1, TabHints[static_cast<std::size_t>(Tab - 1)]);
    }
    connect(PageControl, &QTabWidget::currentChanged, this, [this] { ShowSummary(); });
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(6, 6, 6, 0);
    Layout->setSpacing(6);
    Layout->addWidget(PageControl);
    Layout->addWidget(MakeButtonPanel());
    Layout->addWidget(MakeStatusLine());
    Layout->setSizeConstraint(QLayout::SetFixedSize);
    if (Owner) move(Owner->frameGeometry().topRight() + QPoint(8, 0));
    FormSave = std::make_unique<TFormSave>(*this, "KeelvaneEditForm", sfRegistryFile, soPosition);
}

TKeelvaneForm::~TKeelvaneForm() = default;

// The window's full size is known once it is shown; it then moves wholly onto its screen, whether
// it was placed beside its owner or where it was last time.
void TKeelvaneForm::KeepOnScreen() {
    const QRect Screen = screen()->availableGeometry();
    const QRect Frame = frameGeometry();
    const int X = std::max(Screen.left(), std::min(Frame.left(), Screen.right() - Frame.width()));
    const int Y = std::max(Screen.top(), std::min(Frame.top(), Screen.bottom() - Frame.height()));
    if (X != Frame.left() || Y != Frame.top()) move(X, Y);
}

void TKeelvaneForm::showEvent(QShowEvent* Event) {
    QWidget::showEvent(Event);
    // Once the show is through, when the window has its final size.
    if (!Event->spontaneous()) QTimer::singleShot(0, this, [this] { KeepOnScreen(); });
    ShowSummary();
}

QWidget* TKeelvaneForm::MakePage(int Tab) {
    auto* Page = new QWidget;
    auto* Layout = new QHBoxLayout(Page);
    if (Tab == 5) {
        Image5 = MakePicture("bow-bulbous", Page);
        Image6 = MakePicture("bow-plain", Page);
        Image5->hide();
        Layout->addWidget(Image5);
        Layout->addWidget(Image6);
    } else if (Tab < 6) {
        Layout->addWidget(MakePicture(TabPictures[static_cast<std::size_t>(Tab - 1)], Page));
    } else {
        Summary = new QLabel(Page);
        Summary->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Summary->setTextFormat(Qt::RichText);
        Layout->addWidget(Summary);
    }
    auto* Grid = new QGridLayout;
    Grid->setHorizontalSpacing(6);
    Grid->setVerticalSpacing(4);
    int Row = 0;
    for (int Tag = FirstTag; Tag <= LastTag; ++Tag) {
        if (Field(Tag).Tab != Tab) continue;
        MakeSpinEdit(Tag, Page);
        const std::size_t i = static_cast<std::size_t>(Tag - FirstTag);
        Grid->addWidget(new QLabel(QString("%1)").arg(Field(Tag).Letter), Page), Row, 0);
        Grid->addWidget(SpinEdits[i], Row, 1);
        Captions[i] = new QLabel(Field(Tag).Caption, Page);
        Grid->addWidget(Captions[i], Row, 2);
        ++Row;
    }
    if (Tab == 1) {
        RadioButton1 = new QRadioButton("Geosim Length Transformations", Page);
        RadioButton2 = new QRadioButton("Length only Transformations", Page);
        RadioButton1->setChecked(true);
        RadioButton1->setToolTip("A change of length scales every dimension");
        RadioButton2->setToolTip("A change of length scales the lengths along the ship only");
        const auto Transform = [this](TTransformMode Mode) {
            if (!FModel) return;
            FModel->TransformMode = Mode;
            ShowSummary();
        };
        connect(RadioButton1, &QRadioButton::clicked, this, [Transform] { Transform(tmGeosim); });
        connect(RadioButton2, &QRadioButton::clicked, this,
                [Transform] { Transform(tmLengthOnly); });
        Grid->addWidget(RadioButton1, Row++, 0, 1, 3);
        Grid->addWidget(RadioButton2, Row++, 0, 1, 3);
    }
    if (Tab == 5) {
        CheckBox1 = new QCheckBox("Bulbous Bow", Page);
        connect(CheckBox1, &QCheckBox::clicked, this, [this] { BowShapeClick(); });
        Grid->addWidget(CheckBox1, Row++, 0, 1, 3);
    }
    Grid->setRowStretch(Row, 1);
    Grid->setColumnStretch(2, 1);
    Layout->addLayout(Grid);
    return Page;
}

void TKeelvaneForm::MakeSpinEdit(int Tag, QWidget* Page) {
    auto* Edit = new TQnSpinEdit(Page);
    const TField& F = Field(Tag);
    Edit->setObjectName(QString("QnSpinEdit%1").arg(Tag - FirstTag + 1));
    Edit->setProperty("Tag", Tag);
    Edit->SetIncrement(F.Increment);
    Edit->SetPrecision(F.Increment >= 1.0F ? 1 : 3);
    Edit->SetPixelPerInc(5);
    Edit->setToolTip(F.Hint);
    Edit->setFixedSize(90, 22);
    if (std::string_view(F.Key ? F.Key : "") == "TransomCurvature") {
        Edit->SetMinValue(-100);
        Edit->SetMaxValue(100);
    }
    if (Tag == TagUnused) Edit->SetReadOnly(true);
    Edit->OnChange = [this, Edit](QObject*) { SpinEditChange(*Edit); };
    connect(&Edit->Editor(), &QLineEdit::editingFinished, this,
            [this, Edit] { TypingFinished(*Edit); });
    SpinEdits[static_cast<std::size_t>(Tag - FirstTag)] = Edit;
}

QWidget* TKeelvaneForm::MakeButtonPanel() {
    auto* Panel = new QWidget(this);
    auto* Layout = new QHBoxLayout(Panel);
    Layout->setContentsMargins(0, 0, 0, 0);
    Button4 = new QPushButton("Defaults", Panel);
    Button4->setToolTip("Set every parameter to its default value");
    CheckBoxLive = new QCheckBox("Live", Panel);
    CheckBoxLive->setToolTip("Generate the hull again after every change of a value");
    Button2 = new QPushButton("Apply", Panel);
    Button2->setToolTip("Generate the hull surface from the parameters");
    Button1 = new QPushButton("Help", Panel);
    connect(Button4, &QPushButton::clicked, this, [this] { Defaults(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Apply(); });
    connect(Button1, &QPushButton::clicked, this, [this] { ShowHelp(); });
    connect(CheckBoxLive, &QCheckBox::toggled, this, [this](bool On) {
        if (On && FModel && !FModel->Generated) Apply();
    });
    Layout->addWidget(Button4);
    Layout->addStretch();
    Layout->addWidget(CheckBoxLive);
    Layout->addWidget(Button2);
    Layout->addWidget(Button1);
    return Panel;
}

QWidget* TKeelvaneForm::MakeStatusLine() {
    auto* Line = new QWidget(this);
    auto* Layout = new QHBoxLayout(Line);
    Layout->setContentsMargins(0, 0, 0, 4);
    Panel3 = new QLabel(Line);
    Panel3->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    Panel3->setMinimumHeight(20);
    Panel3->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ProgressBar1 = new QProgressBar(Line);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedWidth(140);
    Layout->addWidget(Panel3, 1);
    Layout->addWidget(ProgressBar1);
    return Line;
}

TQnSpinEdit& TKeelvaneForm::SpinEdit(int Tag) const {
    if (Tag < FirstTag || Tag > LastTag)
        throw EListError("No parameter field with tag " + std::to_string(Tag));
    return *SpinEdits[static_cast<std::size_t>(Tag - FirstTag)];
}

void TKeelvaneForm::Attach(TKeelvaneEditor* Model) {
    FModel = Model;
    if (!FModel) return;
    CheckBox1->setChecked(FModel->Parameters().BowShape == 1);
    ShowBowShape();
    RadioButton1->setChecked(FModel->TransformMode == tmGeosim);
    RadioButton2->setChecked(FModel->TransformMode == tmLengthOnly);
    Button2->setEnabled(!FModel->Generated);
    ShowValues();
}

void TKeelvaneForm::ShowValues() {
    if (!FModel) return;
    for (int Tag = FirstTag; Tag <= LastTag; ++Tag)
        ShowValue(SpinEdit(Tag), Tag == TagUnused ? -1 : GetParameter(Tag));
    ShowSummary();
}

void TKeelvaneForm::ShowValue(TQnSpinEdit& Edit, double V) {
    FUpdating = true;
    Edit.SetValue(static_cast<float>(V));
    FUpdating = false;
}

void TKeelvaneForm::ShowBowShape() {
    const bool Bulbous = CheckBox1->isChecked();
    Image5->setVisible(Bulbous);
    Image6->setVisible(!Bulbous);
    const std::size_t Bow = TagBowField - FirstTag;
    Captions[Bow]->setText(Bulbous ? "Bulb length" : "Fore foot radius");
    SpinEdits[Bow]->setToolTip(Bulbous ? "Length of the Bulb beyond the FP" : "Fore Foot Radius");
    for (const int Tag : {TagUnused, LastTag}) SpinEdit(Tag).setEnabled(Bulbous);
}

double TKeelvaneForm::GetParameter(int Tag) const {
    if (!FModel || Tag < FirstTag || Tag > LastTag || Tag == TagUnused) return 0;
    const TKeelvaneParameters& P = FModel->Parameters();
    if (Tag == TagBowField) return P.BowShape == 1 ? P.BulbLength : P.ForeFootRadius;
    return FModel->ParameterValue(TKeelvane::ParameterIndex(Field(Tag).Key));
}

void TKeelvaneForm::SetParameter(int Tag, double Value) {
    if (!FModel || Tag < FirstTag || Tag > LastTag || Tag == TagUnused) return;
    if (Tag == TagBowField) {
        if (FModel->Parameters().BowShape == 1)
            FModel->SetBulbLength(Value);
        else
            FModel->SetForeFootRadius(Value);
    } else {
        FModel->SetParameterValue(TKeelvane::ParameterIndex(Field(Tag).Key), Value);
    }
    // The length transformation changed other parameters with it.
    if (Tag == FirstTag) ShowValues();
}

void TKeelvaneForm::SpinEditChange(TQnSpinEdit& Edit) {
    if (!FModel || FUpdating) return;
    const int Tag = Edit.property("Tag").toInt();
    // No half-built hull is ever changed; the field shows what the model still holds.
    if (FModel->Generating()) {
        ShowValue(Edit, GetParameter(Tag));
        return;
    }
    Button2->setEnabled(true);
    // Typing goes on: the value counts when it ends.
    if (Edit.Editor().isModified()) return;
    if (FModel->Generated) {
        FModel->Generated = 0;
        FModel->NotifyChange();
    }
    try {
        SetParameter(Tag, Edit.Value());
        SetStatus(QString());
    } catch (const EKeelvaneError& E) {
        ShowError(QString::fromStdString(E.what()));
    }
    // A limited value shows at once.
    const double Stored = GetParameter(Tag);
    if (static_cast<float>(Stored) != Edit.Value()) ShowValue(Edit, Stored);
    FModel->NotifyChange();
    if (CheckBoxLive->isChecked())
        Apply();
    else
        ShowSummary();
}

void TKeelvaneForm::TypingFinished(TQnSpinEdit& Edit) {
    if (!Edit.Editor().isModified()) return;
    Edit.Editor().setModified(false);
    SpinEditChange(Edit);
}

void TKeelvaneForm::BowShapeClick() {
    if (!FModel) return;
    if (FModel->Generating()) {
        CheckBox1->setChecked(FModel->Parameters().BowShape == 1);
        return;
    }
    const bool Bulbous = CheckBox1->isChecked();
    ShowBowShape();
    Button2->setEnabled(true);
    FModel->Generated = 0;
    try {
        FModel->SetBowShape(Bulbous ? 1 : 0);
        SetStatus(QString());
    } catch (const EKeelvaneError& E) {
        ShowError(QString::fromStdString(E.what()));
    }
    ShowValue(SpinEdit(TagBowField), GetParameter(TagBowField));
    FModel->NotifyChange();
    if (CheckBoxLive->isChecked())
        Apply();
    else
        ShowSummary();
}

void TKeelvaneForm::Defaults() {
    if (!FModel || FModel->Generating()) return;
    FModel->SetDefaults();
}

void TKeelvaneForm::Apply() {
    if (!FModel || FModel->Generating()) return;
    FModel->Generated = 0;
    try {
        FModel->Generate();
    } catch (const EKeelvaneError& E) {
        ProgressBar1->setValue(0);
        ShowError(QString::fromStdString(E.what()));
        Button2->setEnabled(true);
        FModel->NotifyChange();
        ShowSummary();
        // Live generation reports in the status line only; Apply also in a message box.
        if (!CheckBoxLive->isChecked()) throw;
        return;
    }
    Button2->setEnabled(false);
    FModel->Generated = 1;
    FModel->NotifyChange();
    ProgressBar1->setValue(0);
    Panel3->clear();
    ShowSummary();
}

void TKeelvaneForm::ShowSummary() {
    // Written when its tab is shown, not on every change behind it.
    if (!FModel || !Summary->isVisible()) return;
    const TKeelvaneParameters& P = FModel->Parameters();
    const auto Number = [](double V, int Decimals) { return QString::number(V, 'f', Decimals); };
    const auto Ratio = [&Number](double A, double B) { return B > 0 ? Number(A / B, 2) : "-"; };
    const QString Surface =
        FModel->Generated
            ? QString("generated, control net %1 &times; %2").arg(FModel->NumU).arg(FModel->NumV)
            : QString("not generated: press Apply");
    const std::pair<const char*, QString> Rows[] = {
        {"Length bp &times; beam &times; depth",
         Number(P.Lbp, 2) + " &times; " + Number(P.Beam, 2) + " &times; " + Number(P.Depth, 2)},
        {"Draught", Number(P.Draught, 3)},
        {"L / B", Ratio(P.Lbp, P.Beam)},
        {"B / T", Ratio(P.Beam, P.Draught)},
        {"D / T", Ratio(P.Depth, P.Draught)},
        {"Parallel deck", Number(FModel->ParallelDeckLength(), 2) + " (from " +
                              Number(P.ParallelDeckA, 2) + " to " + Number(P.ParallelDeckF, 2) +
                              ")"},
        {"Flat of side", "from " + Number(P.FOSAft, 2) + " to " + Number(P.FOSBow, 2)},
        {"Bow", P.BowShape == 1 ? "bulbous" : "plain"},
        {"Length transformation", FModel->TransformMode == tmGeosim ? "geosim" : "lengths only"},
        {"Surface", Surface},
    };
    QString Html = "<table cellspacing='3'>";
    for (const auto& [Name, Value] : Rows)
        Html += QString("<tr><td style='color:#55606b'>%1</td><td>&nbsp;&nbsp;%2</td></tr>")
                    .arg(Name, Value);
    Summary->setText(Html + "</table>");
}

void TKeelvaneForm::SetStatus(const QString& Text) {
    Panel3->setStyleSheet(QString());
    Panel3->setText(Text);
}

void TKeelvaneForm::SetProgress(int Percent) {
    ProgressBar1->setValue(Percent);
}

void TKeelvaneForm::ShowError(const QString& Text) {
    Panel3->setStyleSheet("color: #b00000;");
    Panel3->setText(Text);
}

void TKeelvaneForm::ShowHelp() {
    QMessageBox::information(
        this, "Keelvane",
        "Each tab holds the parameters of one part of the hull; the picture shows what the "
        "letters A) to F) measure, and a field's hint names its parameter.\n\n"
        "Type a value and press Enter, click the arrows, or drag the bar between the arrows up "
        "or down. A value the hull cannot take is limited at once.\n\n"
        "Apply generates the hull surface from the parameters. With Live checked the hull is "
        "generated again after every change.\n\n"
        "Defaults sets every parameter back to its default value.");
}
