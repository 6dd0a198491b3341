// The document commands, the unsaved-changes prompt and the most-recently-used list and menu.
#include "app/filemanager.h"

#include "controls/settingsstore.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace {

// "&1 name": the digit is the entry's accelerator; an "&" of the name shows as itself.
QString MRUCaption(int i, QString Name) {
    return "&" + QString::number(i + 1) + " " + Name.replace("&", "&&");
}

} // namespace

QWidget* TFileManager::DialogParent() const {
    auto* Window = qobject_cast<QWidget*>(parent());
    return Window ? Window->window() : QApplication::activeWindow();
}

void TFileManager::ShowMessage(const QString& Text) const {
    QMessageBox::information(DialogParent(), QApplication::applicationName(), Text);
}

TFileManager::TFileManager(QObject* Owner) : QObject(Owner) {
    TFileManagerServer::Instance().Add(*this);
}

TFileManager::~TFileManager() {
    TFileManagerServer::Instance().Remove(*this);
}

void TFileManager::SetFileName(const QString& Name) {
    FFileName = Name;
    if (Name != FUnSavedName) {
        AddToMRUList(Name);
        TFileManagerServer::Instance().BuildMRUMenus();
    }
    if (OnUpDateFileName) OnUpDateFileName(this, Name, QFileInfo(Name).fileName());
}

bool TFileManager::QueryClose() {
    if (!FModified) return true;
    QMessageBox Box(QMessageBox::Information, QApplication::applicationName(),
                    QFileInfo(FFileName).fileName() + " is unsaved, Save?",
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, DialogParent());
    switch (Box.exec()) {
    case QMessageBox::Yes:
        return SaveFile();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool TFileManager::NewFile() {
    if (!QueryClose()) return false;
    if (OnCloseFile) OnCloseFile(this);
    SetFileName(FUnSavedName);
    // Cleared after the owner has set up the new document, which may count as a change.
    if (OnNewFile) OnNewFile(this);
    FModified = false;
    return true;
}

bool TFileManager::OpenFile() {
    if (!NewFile()) return false;
    if (!FOpenDialog) {
        ShowMessage("Open Dialog Unassigned");
        return false;
    }
    FOpenDialog->SetFileName(QString());
    if (!FOpenDialog->Execute()) return false;
    Open(FOpenDialog->FileName());
    return true;
}

bool TFileManager::OpenNamedFile(const QString& Name) {
    if (!NewFile()) return false;
    Open(Name);
    return true;
}

// The name is taken only once the document has loaded from it.
void TFileManager::Open(const QString& Name) {
    if (OnOpenFile) OnOpenFile(this, Name);
    SetFileName(Name);
    FModified = false;
}

bool TFileManager::SaveFile() {
    if (FFileName == FUnSavedName) return SaveFileAs();
    if (OnSaveFile) OnSaveFile(this, FFileName);
    FModified = false;
    return true;
}

bool TFileManager::SaveFileAs() {
    if (!FSaveDialog) {
        ShowMessage("Save Dialog Unassigned");
        return false;
    }
    FSaveDialog->SetFileName(FFileName);
    if (!FSaveDialog->Execute()) return false;
    Save(FSaveDialog->FileName());
    return true;
}

// The name is taken only once the document is saved under it.
void TFileManager::Save(const QString& Name) {
    if (OnSaveFile) OnSaveFile(this, Name);
    SetFileName(Name);
    FModified = false;
}

// The store is the list's one record, shared with the other file managers: read it afresh.
void TFileManager::AddToMRUList(const QString& Name) {
    const auto Store = OpenSettingsStore(FRegistryKey);
    FMRUList.Load(*Store);
    FMRUList.Add(Name);
    FMRUList.Save(*Store);
}

QAction* TFileManager::NewMRUItem(QMenu& Menu, QAction* Before) {
    auto* Item = new QAction("Menu", &Menu);
    connect(Item, &QAction::triggered, this, [this, Item] { MRUClick(*Item); });
    Menu.insertAction(Before, Item);
    return Item;
}

void TFileManager::BuildMRUMenu() {
    QMenu* Menu = FMRUMenu ? FMRUMenu.data() : FPopUpMRUMenu.data();
    if (!Menu) return;
    FMRUList.Load(*OpenSettingsStore(FRegistryKey));

    QList<QAction*> Items = Menu->actions();
    int Anchor = 0;
    int Entries = 0;
    for (int i = 0; i < Items.size(); ++i) {
        if (Items[i]->text().contains("MRU")) {
            Items[i]->setVisible(false);
            Anchor = i;
        }
        if ((Items[i]->data().toInt() & 0xFF00) == MRUTag) ++Entries;
    }
    if (FMRUList.Count() == 0) return;
    const auto After = [&] { return Menu->actions().value(Anchor + 1, nullptr); };
    if (Entries == 0 && Anchor >= 1 && Items[Anchor - 1]->isSeparator())
        Menu->insertSeparator(After());
    for (; Entries < FMRUList.Count(); ++Entries) NewMRUItem(*Menu, After());

    Items = Menu->actions();
    for (int i = 0; i < FMRUList.Count() && Anchor + 1 + i < Items.size(); ++i) {
        QAction* Item = Items[Anchor + 1 + i];
        Item->setText(MRUCaption(i, FMRUList.Names()[i]));
        Item->setData(MRUTag + i);
    }
}

void TFileManager::MRUClick(const QAction& Item) {
    const int i = Item.data().toInt() & 0xFF;
    if (i >= FMRUList.Count()) return;
    const QString Name = FMRUList.Names()[i];
    if (OnMRUOpenFile)
        OnMRUOpenFile(this, Name);
    else
        OpenNamedFile(Name);
}

TFileManagerServer& TFileManagerServer::Instance() {
    static TFileManagerServer Server;
    return Server;
}

void TFileManagerServer::Add(TFileManager& Manager) {
    FManagers.push_back(&Manager);
}

void TFileManagerServer::Remove(TFileManager& Manager) {
    std::erase(FManagers, &Manager);
}

void TFileManagerServer::BuildMRUMenus() {
    for (TFileManager* Manager : FManagers) Manager->BuildMRUMenu();
}
