// Window state persistence: reading the values back in a fixed order, writing them all on exit.
#include "controls/formsave.h"

#include "controls/settingsstore.h"
#include "geometry/textutil.h"

#include <QEvent>
#include <QSettings>
#include <QStandardPaths>

namespace {

constexpr int FormSaveVersion = 2;

enum TStateCode { StateNormal = 0, StateMinimised = 1, StateMaximised = 2 };
enum TStyleCode { StyleNormal = 0, StyleStayOnTop = 3 };

int StateCode(Qt::WindowStates State) {
    if (State & Qt::WindowMinimized) return StateMinimised;
    if (State & (Qt::WindowMaximized | Qt::WindowFullScreen)) return StateMaximised;
    return StateNormal;
}

Qt::WindowStates StateOf(int Code, Qt::WindowStates Others) {
    Others &= ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (Code == StateMinimised) return Others | Qt::WindowMinimized;
    if (Code == StateMaximised) return Others | Qt::WindowMaximized;
    return Others;
}

// Child and frame windows of a multi-document interface do not exist here: they read as normal.
int StyleCode(const QWidget& Window) {
    return Window.windowFlags() & Qt::WindowStaysOnTopHint ? StyleStayOnTop : StyleNormal;
}

} // namespace

QString FormSaveIniFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/" +
           QString::fromStdString(ProgramBaseName()) + ".ini";
}

TFormSave::TFormSave(QWidget& Window, const QString& Name, TSaveFile SaveFile,
                     TSaveOptions SaveOptions)
    : Window(&Window), FSaveFile(SaveFile), FSaveOptions(SaveOptions) {
    setObjectName(Name);
    Window.installEventFilter(this);
    Restore();
}

TFormSave::~TFormSave() {
    if (Window) Save();
}

std::unique_ptr<QSettings> TFormSave::OpenStore() const {
    if (FSaveFile == sfRegistryFile) return OpenSettingsStore(objectName());
    auto Store = std::make_unique<QSettings>(FormSaveIniFile(), QSettings::IniFormat);
    Store->beginGroup(objectName());
    return Store;
}

void TFormSave::Restore() {
    const auto Store = OpenStore();
    if (ReadStoredInt(*Store, "FormSaveVersion", -1) != FormSaveVersion) return;
    if (FSaveOptions & soPosition) {
        const QRect R = Window->geometry();
        Window->setGeometry(ReadStoredInt(*Store, "FormLeft", R.left()),
                            ReadStoredInt(*Store, "FormTop", R.top()),
                            ReadStoredInt(*Store, "FormWidth", R.width()),
                            ReadStoredInt(*Store, "FormHeight", R.height()));
    }
    if (FSaveOptions & soState) RestoreState(*Store);
    if (FSaveOptions & soVisibility)
        Window->setVisible(ReadStoredInt(*Store, "Visible", Window->isVisible()) != 0);
}

void TFormSave::RestoreState(const QSettings& Store) {
    const int State = ReadStoredInt(Store, "WindowState", StateCode(Window->windowState()));
    Window->setWindowState(StateOf(State, Window->windowState()));
    const bool OnTop = ReadStoredInt(Store, "FormStyle", StyleCode(*Window)) == StyleStayOnTop;
    if (OnTop != (StyleCode(*Window) == StyleStayOnTop))
        Window->setWindowFlag(Qt::WindowStaysOnTopHint, OnTop);
}

void TFormSave::Save() const {
    // The normal rectangle, which a maximised window returns to when restored.
    QRect R = Window->normalGeometry();
    if (!R.isValid()) R = Window->geometry();
    const auto Store = OpenStore();
    Store->setValue("FormSaveVersion", FormSaveVersion);
    Store->setValue("FormLeft", R.left());
    Store->setValue("FormTop", R.top());
    Store->setValue("FormWidth", R.width());
    Store->setValue("FormHeight", R.height());
    Store->setValue("WindowState", StateCode(Window->windowState()));
    Store->setValue("FormStyle", StyleCode(*Window));
    Store->setValue("Visible", Shown ? 1 : 0);
}

bool TFormSave::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == Window && Event->type() == QEvent::Show) Shown = true;
    if (Watched == Window && Event->type() == QEvent::Close) Shown = false;
    return QObject::eventFilter(Watched, Event);
}
