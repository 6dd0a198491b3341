// Window state persistence: round trips through the settings store and the INI file, what is
// restored under each option, and when the window counts as shown.
#include "controls/formsave.h"

#include "geometry/textutil.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QRect Designed(40, 50, 200, 150);

// A window that keeps its state through a TFormSave made right after its designed geometry.
class TTestForm : public QWidget {
public:
    TTestForm(TSaveFile File, TSaveOptions Options) {
        setGeometry(Designed);
        Saver = std::make_unique<TFormSave>(*this, "TestForm", File, Options);
    }

private:
    std::unique_ptr<TFormSave> Saver;
};

class FormSaveTest : public ::testing::Test {
protected:
    FormSaveTest() {
        SetProgramBaseName("/opt/keelvane/formsavetest.bin");
        Registry().remove("");
        QFile::remove(FormSaveIniFile());
    }

    static QSettings Registry() { return QSettings("Quarnel", "formsavetest"); }
    static QVariant Stored(const QString& Key) { return Registry().value("TestForm/" + Key); }
    static void Store(const QString& Key, const QVariant& Value) {
        Registry().setValue("TestForm/" + Key, Value);
    }
};

TEST_F(FormSaveTest, MaximisedWindowReopensMaximisedOverItsNormalRectangle) {
    const QRect Normal(100, 120, 300, 200);
    {
        TTestForm Form(sfRegistryFile, soPosition | soState);
        Form.show();
        Form.setGeometry(Normal);
        Form.showMaximized();
        ASSERT_TRUE(QTest::qWaitFor([&] { return Form.geometry() != Normal; }));
    }
    EXPECT_EQ(Stored("FormSaveVersion").toInt(), 2);
    EXPECT_EQ(Stored("FormLeft").toInt(), 100);
    EXPECT_EQ(Stored("FormHeight").toInt(), 200);
    EXPECT_EQ(Stored("WindowState").toInt(), 2);
    EXPECT_EQ(Stored("Visible").toInt(), 1);

    TTestForm Form(sfRegistryFile, soPosition | soState);
    EXPECT_TRUE(Form.isMaximized());
    Form.show();
    Form.showNormal();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Form.geometry() == Normal; }));
}

TEST_F(FormSaveTest, PositionOnlyNeverRestoresTheState) {
    Store("FormSaveVersion", 2);
    Store("FormLeft", 70);
    Store("FormTop", "not a number");
    Store("WindowState", 2);
    TTestForm Form(sfRegistryFile, soPosition);
    EXPECT_EQ(Form.geometry(), QRect(70, Designed.top(), Designed.width(), Designed.height()));
    EXPECT_FALSE(Form.isMaximized());
}

TEST_F(FormSaveTest, OtherVersionOrAnotherProgramsStoreRestoresNothing) {
    // The organisation-wide store, where a program without a name of its own writes.
    QSettings Shared("Quarnel");
    Shared.setValue("TestForm/FormSaveVersion", 2);
    Shared.setValue("TestForm/FormLeft", 80);
    Shared.sync();
    {
        const TTestForm Form(sfRegistryFile, AllSaveOptions);
        EXPECT_EQ(Form.geometry(), Designed);
    }
    Shared.remove("");

    Registry().remove("");
    Store("FormSaveVersion", 1);
    Store("FormLeft", 70);
    Store("Visible", 1);
    TTestForm Form(sfRegistryFile, AllSaveOptions);
    EXPECT_EQ(Form.geometry(), Designed);
    EXPECT_FALSE(Form.isVisible());
}

TEST_F(FormSaveTest, OnlyClosingClearsTheShownFlag) {
    {
        TTestForm Form(sfRegistryFile, AllSaveOptions);
        Form.show();
        Form.hide();
    }
    EXPECT_EQ(Stored("Visible").toInt(), 1);
    {
        TTestForm Form(sfRegistryFile, AllSaveOptions);
        EXPECT_TRUE(Form.isVisible());
        Form.close();
    }
    EXPECT_EQ(Stored("Visible").toInt(), 0);
}

TEST_F(FormSaveTest, IniFileLivesInTheUsersConfigurationFolder) {
    const QRect Moved(10, 20, 120, 90);
    {
        TTestForm Form(sfIniFile, AllSaveOptions);
        Form.setGeometry(Moved);
    }
    const QString Folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    EXPECT_EQ(QFileInfo(FormSaveIniFile()).absoluteFilePath(), Folder + "/formsavetest.ini");
    EXPECT_EQ(
        QSettings(FormSaveIniFile(), QSettings::IniFormat).value("TestForm/FormWidth").toInt(),
        120);
    EXPECT_FALSE(Registry().contains("TestForm/FormWidth"));
    TTestForm Form(sfIniFile, AllSaveOptions);
    EXPECT_EQ(Form.geometry(), Moved);
}

} // namespace
