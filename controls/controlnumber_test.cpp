// Numbers read from line edits, and the focus going back to an edit holding no number.
#include "controls/controlnumber.h"

#include "geometry/errors.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

class ControlNumberTest : public ::testing::Test {
protected:
    ControlNumberTest() : Layout(&Window), Edit(&Window), Other(&Window) {
        Layout.addWidget(&Edit);
        Layout.addWidget(&Other);
        Window.show();
        Window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
        Other.setFocus();
    }

    // The message of the error ControlToNumber or ControlToInteger raises, "" when none.
    template <typename Read> std::string ErrorOf(Read&& Reader) {
        try {
            Reader(Edit);
        } catch (const EConvertError& Error) {
            return Error.what();
        }
        return "";
    }

    QWidget Window;
    QVBoxLayout Layout;
    QLineEdit Edit;
    QLineEdit Other;
};

TEST_F(ControlNumberTest, ReadsTrimmedDecimalsAndUntrimmedIntegers) {
    Edit.setText("  -2.5 ");
    EXPECT_EQ(ControlToNumber(Edit), -2.5);
    Edit.setText("42");
    EXPECT_EQ(ControlToInteger(Edit), 42);
    EXPECT_TRUE(Other.hasFocus());
}

TEST_F(ControlNumberTest, BadTextFocusesTheEditAndFails) {
    Edit.setText("2,5");
    EXPECT_EQ(ErrorOf(ControlToNumber), "Unable to convert text to number");
    EXPECT_TRUE(Edit.hasFocus());
    Other.setFocus();
    Edit.setText(" 7");
    EXPECT_EQ(ErrorOf(ControlToInteger), "Unable to convert text to number");
    EXPECT_TRUE(Edit.hasFocus());
}

} // namespace
