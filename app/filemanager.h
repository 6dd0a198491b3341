// TFileManager: the document commands of a single-document window (New, Open, Save, Save As and
// opening a recently used file). It knows nothing of the document: it asks for names, keeps the
// current one and the most-recently-used list, and fires events in which its owner loads and
// saves. TFileManagerServer keeps the menus of every file manager in step.
#pragma once

#include "app/filedialog.h"
#include "app/mrulist.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class TFileManager : public QObject {
public:
    using TNotifyEvent = std::function<void(QObject* Sender)>;
    using TFileIoEvent = std::function<void(QObject* Sender, const QString& FileName)>;
    using TFileUpDateEvent =
        std::function<void(QObject* Sender, const QString& FullName, const QString& ShortName)>;

    // The tags of the menu entries of the list: this in the second byte, the index in the first.
    static constexpr int MRUTag = 0xFF00;

    // Its messages and questions show over the Owner's window, when the owner is a widget.
    explicit TFileManager(QObject* Owner = nullptr);
    ~TFileManager() override;

    QString UnSavedName() const { return FUnSavedName; }
    void SetUnSavedName(const QString& Name) { FUnSavedName = Name; }
    // The menu whose items receive the list's entries, or else the pop-up menu (neither owned).
    QMenu* MRUMenu() const { return FMRUMenu; }
    void SetMRUMenu(QMenu* Menu) { FMRUMenu = Menu; }
    QMenu* PopUpMRUMenu() const { return FPopUpMRUMenu; }
    void SetPopUpMRUMenu(QMenu* Menu) { FPopUpMRUMenu = Menu; }
    // The section of the settings store that holds the list.
    QString RegistryKey() const { return FRegistryKey; }
    void SetRegistryKey(const QString& Key) { FRegistryKey = Key; }
    // Not owned; a dialog that goes is forgotten.
    TFileDialog* OpenDialog() const { return FOpenDialog; }
    void SetOpenDialog(TFileDialog* Dialog) { FOpenDialog = Dialog; }
    TFileDialog* SaveDialog() const { return FSaveDialog; }
    void SetSaveDialog(TFileDialog* Dialog) { FSaveDialog = Dialog; }

    QString FileName() const { return FFileName; }
    // Any name but UnSavedName goes to the front of the list and every menu is rebuilt; then
    // OnUpDateFileName.
    void SetFileName(const QString& Name);
    // For the owner to set when the document changes; cleared by New, Open and Save.
    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }
    const TFileUnitList& MRUList() const { return FMRUList; }

    // Each command answers false when it was abandoned or cancelled. Errors of the owner's
    // events pass through unchanged; a load or save that fails leaves the file name, the list
    // and Modified as they were.
    bool NewFile();
    // A new document first, so cancelling the dialog leaves a new one.
    bool OpenFile();
    // Asks for a name when the document has never been saved.
    bool SaveFile();
    bool SaveFileAs();
    // Opens Name as a recently used entry does: a new document, then the file.
    bool OpenNamedFile(const QString& Name);
    // When the document is modified, asks whether to save it first: Yes saves, No goes on
    // without, Cancel (or a save that was not made) answers false.
    bool QueryClose();

    // Loads the list and shows it in the menu: hidden "MRU" anchor, numbered entries after it,
    // framed by separators. Entries are added, never removed.
    void BuildMRUMenu();

    TNotifyEvent OnNewFile;
    TNotifyEvent OnCloseFile;
    TFileIoEvent OnOpenFile;
    TFileIoEvent OnSaveFile;
    // When set, replaces the built-in opening of a recently used entry.
    TFileIoEvent OnMRUOpenFile;
    TFileUpDateEvent OnUpDateFileName;

private:
    QString FUnSavedName;
    QPointer<QMenu> FMRUMenu;
    QPointer<QMenu> FPopUpMRUMenu;
    QString FRegistryKey;
    QPointer<TFileDialog> FOpenDialog;
    QPointer<TFileDialog> FSaveDialog;
    QString FFileName;
    bool FModified = false;
    TFileUnitList FMRUList;

    // The owner's window, else the active one.
    QWidget* DialogParent() const;
    void ShowMessage(const QString& Text) const;
    void Open(const QString& Name);
    void Save(const QString& Name);
    void AddToMRUList(const QString& Name);
    void MRUClick(const QAction& Item);
    QAction* NewMRUItem(QMenu& Menu, QAction* Before);
};

// Every file manager of the process; each adds itself when made and removes itself when it goes.
class TFileManagerServer {
public:
    static TFileManagerServer& Instance();

    void Add(TFileManager& Manager);
    void Remove(TFileManager& Manager);
    int Count() const { return static_cast<int>(FManagers.size()); }
    void BuildMRUMenus();

private:
    std::vector<TFileManager*> FManagers;
};
