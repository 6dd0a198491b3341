// The file manager: the most-recently-used list in the store and the menu, the commands and their
// events, the unsaved-changes prompt, and loads and saves that fail.
#include "app/app_test_util.h"
#include "app/filemanager.h"
#include "controls/settingsstore.h"
#include "geometry/errors.h"
#include "geometry/textutil.h"

#include <QMenu>
#include <gtest/gtest.h>

namespace {

class FileManagerTest : public ::testing::Test {
protected:
    QMenu FileMenu;
    TFakeFileDialog OpenDialog, SaveDialog;
    TFileManager Manager;
    QStringList Events;

    FileManagerTest() {
        SetProgramBaseName("/usr/bin/filemanagertest");
        OpenSettingsStore("MRUFileLisit")->remove("");
        for (const char* Caption : {"&New", "-", "&Open...", "&Save", "Save &As...", "-", "Print",
                                    "Print Settings...", "-", "MRU", "E&xit"})
            Caption == std::string("-") ? FileMenu.addSeparator() : FileMenu.addAction(Caption);
        SetUp(Manager);
        Manager.BuildMRUMenu();
    }

    void SetUp(TFileManager& M) {
        M.SetUnSavedName("untitled.kvp");
        M.SetRegistryKey("MRUFileLisit");
        M.SetMRUMenu(&FileMenu);
        M.SetOpenDialog(&OpenDialog);
        M.SetSaveDialog(&SaveDialog);
        M.OnNewFile = [this](QObject*) { Events << "new"; };
        M.OnCloseFile = [this](QObject*) { Events << "close"; };
        M.OnOpenFile = [this](QObject*, const QString& F) { Events << "open " + F; };
        M.OnSaveFile = [this](QObject*, const QString& F) { Events << "save " + F; };
        M.OnUpDateFileName = [this](QObject*, const QString& Full, const QString& Short) {
            Events << "name " + Full + " " + Short;
        };
    }

    QStringList Captions() const {
        QStringList C;
        for (const QAction* A : FileMenu.actions())
            C << (A->isSeparator() ? "-" : A->text() + (A->isVisible() ? "" : " (hidden)"));
        return C;
    }

    void OpenEach(const QStringList& Names) {
        for (const QString& Name : Names) ASSERT_TRUE(Manager.OpenNamedFile(Name));
    }
};

TEST_F(FileManagerTest, ListKeepsFiveMostRecentFirstInTheStore) {
    OpenEach({"/p/a.kvp", "/p/b.kvp", "/p/c.kvp", "/p/d.kvp", "/p/e.kvp"});
    OpenEach({"/p/f.kvp"}); // the sixth drops the oldest
    EXPECT_EQ(Manager.MRUList().Names(),
              QStringList({"/p/f.kvp", "/p/e.kvp", "/p/d.kvp", "/p/c.kvp", "/p/b.kvp"}));
    OpenEach({"/p/d.kvp"}); // the third moves to the front, nothing drops
    EXPECT_EQ(Manager.MRUList().Names(),
              QStringList({"/p/d.kvp", "/p/f.kvp", "/p/e.kvp", "/p/c.kvp", "/p/b.kvp"}));

    QSettings Store("Quarnel", "filemanagertest");
    EXPECT_EQ(Store.value("MRUFileLisit/NumberOfFiles").toString(), "5");
    EXPECT_EQ(Store.value("MRUFileLisit/File0").toString(), "/p/d.kvp");
    EXPECT_EQ(Store.value("MRUFileLisit/File4").toString(), "/p/b.kvp");

    // A shorter count hides the rest; empty names and an unreadable count read as nothing.
    Store.setValue("MRUFileLisit/NumberOfFiles", "3");
    Store.setValue("MRUFileLisit/File1", "");
    TFileUnitList List;
    List.Load(*OpenSettingsStore("MRUFileLisit"));
    EXPECT_EQ(List.Names(), QStringList({"/p/d.kvp", "/p/e.kvp"}));
    Store.setValue("MRUFileLisit/NumberOfFiles", "three");
    List.Load(*OpenSettingsStore("MRUFileLisit"));
    EXPECT_EQ(List.Count(), 0);
}

TEST_F(FileManagerTest, UnsavedNameIsReportedButNotListed) {
    Manager.SetFileName("untitled.kvp");
    EXPECT_EQ(Events, QStringList({"name untitled.kvp untitled.kvp"}));
    EXPECT_EQ(Manager.MRUList().Count(), 0);
    EXPECT_FALSE(FileMenu.actions().last()->data().isValid()); // no entry yet
}

TEST_F(FileManagerTest, MenuShowsTheEntriesBetweenTheAnchorAndANewSeparator) {
    OpenEach({"/p/a.kvp", "/p/b&c.kvp", "/p/c.kvp"});
    const QStringList Head = {"&New", "-",     "&Open...",          "&Save", "Save &As...",
                              "-",    "Print", "Print Settings...", "-",     "MRU (hidden)"};
    EXPECT_EQ(Captions(),
              Head + QStringList({"&1 /p/c.kvp", "&2 /p/b&&c.kvp", "&3 /p/a.kvp", "-", "E&xit"}));
    EXPECT_EQ(FileMenu.actions()[11]->data().toInt(), 0xFF01);

    // Another file manager on its own menu follows the shared list.
    QMenu Other;
    Other.addAction("MRU");
    TFileManager Second;
    Second.SetRegistryKey("MRUFileLisit");
    Second.SetPopUpMRUMenu(&Other);
    Manager.SetFileName("/p/d.kvp");
    ASSERT_EQ(Other.actions().size(), 5);
    EXPECT_EQ(Other.actions()[1]->text(), "&1 /p/d.kvp");

    // Clicking the third entry opens that file as a new document, and it moves to the front.
    Events.clear();
    FileMenu.actions()[12]->trigger();
    EXPECT_EQ(Events, QStringList({"close", "name untitled.kvp untitled.kvp", "new",
                                   "open /p/b&c.kvp", "name /p/b&c.kvp b&c.kvp"}));
    EXPECT_EQ(Captions().mid(10, 5),
              QStringList({"&1 /p/b&&c.kvp", "&2 /p/d.kvp", "&3 /p/c.kvp", "&4 /p/a.kvp", "-"}));

    QString Chosen;
    Manager.OnMRUOpenFile = [&](QObject*, const QString& F) { Chosen = F; };
    Events.clear();
    FileMenu.actions()[12]->trigger();
    EXPECT_EQ(Chosen, "/p/c.kvp");
    EXPECT_TRUE(Events.isEmpty());
}

TEST_F(FileManagerTest, OpenStartsANewDocumentEvenWhenTheDialogIsCancelled) {
    Manager.SetFileName("/p/a.kvp");
    OpenDialog.SetFileName("/p/old.kvp");
    Events.clear();
    EXPECT_FALSE(Manager.OpenFile());
    EXPECT_EQ(Events, QStringList({"close", "name untitled.kvp untitled.kvp", "new"}));
    EXPECT_EQ(OpenDialog.Presets, QStringList({""}));

    OpenDialog.Answer = "/p/b.kvp";
    Manager.SetModified(false);
    Events.clear();
    EXPECT_TRUE(Manager.OpenFile());
    EXPECT_EQ(Events, QStringList({"close", "name untitled.kvp untitled.kvp", "new",
                                   "open /p/b.kvp", "name /p/b.kvp b.kvp"}));
    EXPECT_EQ(Manager.FileName(), "/p/b.kvp");
}

TEST_F(FileManagerTest, SavingANeverSavedDocumentAsksForAName) {
    ASSERT_TRUE(Manager.NewFile());
    Manager.SetModified(true);
    Events.clear();
    EXPECT_FALSE(Manager.SaveFile()); // the user cancels: nothing happens
    EXPECT_TRUE(Events.isEmpty());
    EXPECT_TRUE(Manager.Modified());

    SaveDialog.Answer = "/p/hull.kvp";
    EXPECT_TRUE(Manager.SaveFile());
    EXPECT_EQ(SaveDialog.Presets, QStringList({"untitled.kvp", "untitled.kvp"}));
    EXPECT_EQ(Events, QStringList({"save /p/hull.kvp", "name /p/hull.kvp hull.kvp"}));
    EXPECT_FALSE(Manager.Modified());

    Events.clear();
    EXPECT_TRUE(Manager.SaveFile()); // named now: saved without asking
    EXPECT_EQ(Events, QStringList({"save /p/hull.kvp"}));
    EXPECT_EQ(SaveDialog.Presets.size(), 2);

    SaveDialog.Answer = "/q/copy.kvp";
    Events.clear();
    EXPECT_TRUE(Manager.SaveFileAs()); // always asks, starting from the current name
    EXPECT_EQ(SaveDialog.Presets.last(), "/p/hull.kvp");
    EXPECT_EQ(Events, QStringList({"save /q/copy.kvp", "name /q/copy.kvp copy.kvp"}));
}

TEST_F(FileManagerTest, UnsavedChangesPromptBeforeEveryCommandThatClosesTheDocument) {
    OpenEach({"/p/a.kvp", "/p/hull.kvp"});
    TMessageBoxUser User(QMessageBox::Cancel);
    const auto Modify = [&] {
        Manager.SetModified(true);
        Events.clear();
    };
    // Cancel abandons New, Open, a list entry and closing, and changes nothing.
    Modify();
    EXPECT_FALSE(Manager.NewFile());
    EXPECT_FALSE(Manager.OpenFile());
    FileMenu.actions()[11]->trigger();
    EXPECT_FALSE(Manager.QueryClose());
    EXPECT_EQ(User.Texts, QStringList(4, "hull.kvp is unsaved, Save?"));
    EXPECT_TRUE(Events.isEmpty());
    EXPECT_TRUE(OpenDialog.Presets.isEmpty());
    EXPECT_EQ(Manager.FileName(), "/p/hull.kvp");
    EXPECT_TRUE(Manager.Modified());

    User.SetAnswer(QMessageBox::No); // goes on without saving
    EXPECT_TRUE(Manager.NewFile());
    EXPECT_EQ(Events, QStringList({"close", "name untitled.kvp untitled.kvp", "new"}));
    EXPECT_FALSE(Manager.Modified());
    EXPECT_TRUE(Manager.QueryClose()); // not modified: no question
    EXPECT_EQ(User.Texts.size(), 5);

    // Yes saves first; a never-saved document asks for a name, and cancelling that abandons.
    User.SetAnswer(QMessageBox::Yes);
    Modify();
    EXPECT_FALSE(Manager.NewFile());
    EXPECT_TRUE(Events.isEmpty());
    SaveDialog.Answer = "/p/new.kvp";
    EXPECT_TRUE(Manager.NewFile());
    EXPECT_EQ(Events, QStringList({"save /p/new.kvp", "name /p/new.kvp new.kvp", "close",
                                   "name untitled.kvp untitled.kvp", "new"}));
}

TEST_F(FileManagerTest, FailedLoadOrSaveKeepsNameListAndModified) {
    OpenEach({"/p/a.kvp"});
    Manager.SetModified(true);
    Manager.OnSaveFile = [](QObject*, const QString&) { throw EIOError("disk full"); };
    SaveDialog.Answer = "/p/b.kvp";
    EXPECT_THROW(Manager.SaveFileAs(), EIOError);
    EXPECT_THROW(Manager.SaveFile(), EIOError);
    EXPECT_EQ(Manager.FileName(), "/p/a.kvp");
    EXPECT_TRUE(Manager.Modified());
    EXPECT_EQ(Manager.MRUList().Names(), QStringList({"/p/a.kvp"}));

    Manager.SetModified(false);
    Manager.OnOpenFile = [](QObject*, const QString&) { throw EReadError("not a project"); };
    OpenDialog.Answer = "/p/c.kvp";
    EXPECT_THROW(Manager.OpenFile(), EReadError);
    EXPECT_EQ(Manager.FileName(), "untitled.kvp");
    EXPECT_EQ(Manager.MRUList().Names(), QStringList({"/p/a.kvp"}));
}

TEST_F(FileManagerTest, UnassignedDialogsAreReported) {
    TMessageBoxUser User(QMessageBox::Ok);
    Manager.SetOpenDialog(nullptr);
    Manager.SetSaveDialog(nullptr);
    EXPECT_FALSE(Manager.OpenFile());
    EXPECT_FALSE(Manager.SaveFile());
    EXPECT_EQ(User.Texts, QStringList({"Open Dialog Unassigned", "Save Dialog Unassigned"}));
    // A dialog that goes is forgotten.
    auto Dialog = std::make_unique<TFakeFileDialog>();
    Manager.SetOpenDialog(Dialog.get());
    Dialog.reset();
    EXPECT_EQ(Manager.OpenDialog(), nullptr);
}

} // namespace
