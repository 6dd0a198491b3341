// Window state persistence: a window's normal rectangle, state, style and shown flag, kept in the
// per-user settings store and put back the next time the window is made.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class QSettings;

enum TSaveFile { sfIniFile = 0, sfRegistryFile = 1 };

// Which values are put back on restore; saving always writes them all.
enum TSaveOption { soPosition = 1, soVisibility = 2, soState = 4 };
using TSaveOptions = unsigned;
inline constexpr TSaveOptions AllSaveOptions = soPosition | soVisibility | soState;

// The INI file of sfIniFile: ProgramBaseName + ".ini" in the user's configuration folder.
QString FormSaveIniFile();

// Restores its window when constructed, so a window makes it right after setting its designed
// geometry and before the rest of its own set-up. Saves when destroyed, so the window holds it
// (a std::unique_ptr member) and it goes while the window is still whole. The section in the store
// is Name, which is also the object's name. sfRegistryFile is the settings store of organisation
// "Quarnel" and application ProgramBaseName.
class TFormSave : public QObject {
public:
    TFormSave(QWidget& Window, const QString& Name, TSaveFile SaveFile = sfIniFile,
              TSaveOptions SaveOptions = AllSaveOptions);
    ~TFormSave() override;

    TSaveFile SaveFile() const { return FSaveFile; }
    TSaveOptions SaveOptions() const { return FSaveOptions; }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    std::unique_ptr<QSettings> OpenStore() const;
    void Restore();
    void RestoreState(const QSettings& Store);
    void Save() const;

    QPointer<QWidget> Window;
    TSaveFile FSaveFile;
    TSaveOptions FSaveOptions;
    bool Shown = false;
};
