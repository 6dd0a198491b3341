// Spin edit: clamping, display, typing, leaving, arrow repeat and drag-to-change with wrapping.
#include "controls/qnspin.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SpinEditTest : public ::testing::Test {
protected:
    SpinEditTest() {
        Spin.show();
        Spin.OnChange = [this](QObject*) { ++Changes; };
    }

    QString Text() { return Spin.Editor().text(); }
    TQnSpinButton& Button() { return Spin.SpinButton(); }
    QPoint UpArrow() { return {Button().width() / 2, 2}; }
    QPoint Grip() { return {Button().width() / 2, Button().height() / 2}; }

    // Mouse events on the button with the pointer at screen row GlobalY.
    void SendMouse(QEvent::Type Type, QPoint Local, int GlobalY) {
        const Qt::MouseButtons Buttons =
            Type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent Event(Type, Local, QPoint(50, GlobalY), Qt::LeftButton, Buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(&Button(), &Event);
    }
    void DragTo(int GlobalY) { SendMouse(QEvent::MouseMove, Grip(), GlobalY); }

    TQnSpinEdit Spin;
    int Changes = 0;
};

TEST_F(SpinEditTest, StepsStopAtTheLimits) {
    Spin.SetMaxValue(10);
    Spin.SetIncrement(3);
    Spin.SetValue(9);
    QTest::mouseClick(&Button(), Qt::LeftButton, {}, UpArrow());
    EXPECT_EQ(Spin.Value(), 10);
    QTest::keyClick(&Spin.Editor(), Qt::Key_Up);
    EXPECT_EQ(Spin.Value(), 10);
    QTest::keyClick(&Spin.Editor(), Qt::Key_Down);
    EXPECT_EQ(Spin.Value(), 7);
    Spin.SetValue(-1);
    EXPECT_EQ(Text(), "0.00");
}

TEST_F(SpinEditTest, ShowsIntegersTruncatedAndFloatsWithPrecision) {
    Spin.SetValue(2.5f);
    Spin.SetSpinType(spInteger);
    EXPECT_EQ(Text(), "2");
    Spin.SetValue(2.7f);
    EXPECT_EQ(Text(), "2");
    EXPECT_EQ(Spin.ValueI(), 2);
    Spin.SetValue(-2.7f);
    EXPECT_EQ(Text(), "-2");
    Spin.SetValue(-0.5f);
    EXPECT_EQ(Text(), "0");
    Spin.SetSpinType(spFloat);
    Spin.SetPrecision(3);
    Spin.SetValue(1234.5678f);
    EXPECT_EQ(Text(), "1234.568");
}

TEST_F(SpinEditTest, TypingTakesOnlyNumberCharacters) {
    Spin.Editor().clear();
    QTest::keyClicks(&Spin.Editor(), "-1a2.5e");
    EXPECT_EQ(Text(), "-12.5");
    Spin.SetSpinType(spInteger);
    Spin.Editor().clear();
    QTest::keyClicks(&Spin.Editor(), "3.4");
    EXPECT_EQ(Text(), "34");
    Spin.SetEditorEnabled(false);
    QTest::keyClicks(&Spin.Editor(), "5");
    QTest::keyClick(&Spin.Editor(), Qt::Key_Backspace);
    EXPECT_EQ(Text(), "34");
}

TEST_F(SpinEditTest, LeavingWritesBackTheClampedValue) {
    Spin.SetMinValue(1);
    Spin.SetMaxValue(5);
    Spin.Editor().setText("abc");
    EXPECT_EQ(Spin.Value(), 1);
    QFocusEvent Leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&Spin.Editor(), &Leave);
    EXPECT_EQ(Text(), "1.00");
    Spin.Editor().setText("9");
    QApplication::sendEvent(&Spin.Editor(), &Leave);
    EXPECT_EQ(Text(), "5.00");
}

TEST_F(SpinEditTest, HeldArrowRepeatsAfter400ThenEvery100Milliseconds) {
    QTest::mousePress(&Button(), Qt::LeftButton, {}, UpArrow());
    auto* Timer = Button().findChild<QTimer*>();
    ASSERT_NE(Timer, nullptr);
    EXPECT_EQ(Timer->interval(), 400);
    EXPECT_EQ(Spin.Value(), 0);
    QSignalSpy Ticks(Timer, &QTimer::timeout);
    ASSERT_TRUE(Ticks.wait(1000));
    EXPECT_EQ(Timer->interval(), 100);
    EXPECT_EQ(Spin.Value(), 1);
    QTest::mouseRelease(&Button(), Qt::LeftButton, {}, UpArrow());
    EXPECT_EQ(Spin.Value(), 2);
    EXPECT_FALSE(Timer->isActive());
}

TEST_F(SpinEditTest, HeldArrowStopsWhenTheControlGoesAway) {
    QTest::mousePress(&Button(), Qt::LeftButton, {}, UpArrow());
    Spin.setEnabled(false); // the release will go elsewhere
    QTest::qWait(600);
    EXPECT_EQ(Spin.Value(), 0);
    EXPECT_FALSE(Button().findChild<QTimer*>()->isActive());

    Spin.setEnabled(true);
    Spin.SetChangeWhileDragging(false);
    SendMouse(QEvent::MouseButtonPress, Grip(), 300);
    DragTo(290);
    Spin.hide();
    EXPECT_EQ(Changes, 1); // the drag's one change, and changes flow again
    Spin.SetValue(3);
    EXPECT_EQ(Changes, 2);
}

TEST_F(SpinEditTest, DragUpCountsIncrementsFromTheStartValue) {
    Spin.SetIncrement(0.5f);
    Spin.SetValue(1);
    SendMouse(QEvent::MouseButtonPress, Grip(), 300);
    DragTo(297);
    EXPECT_EQ(Spin.Value(), 2.5f);
    DragTo(295);
    SendMouse(QEvent::MouseButtonRelease, Grip(), 295);
    EXPECT_EQ(Spin.Value(), 3.5f);
    Spin.SetPixelPerInc(2);
    SendMouse(QEvent::MouseButtonPress, Grip(), 300);
    DragTo(305);
    EXPECT_EQ(Spin.Value(), 2.5f);
}

TEST_F(SpinEditTest, DragPastTheScreenEdgeKeepsCount) {
    const QRect Screen = Button().screen()->geometry();
    SendMouse(QEvent::MouseButtonPress, Grip(), Screen.top() + 100);
    DragTo(Screen.top());
    EXPECT_EQ(Spin.Value(), 100);
    EXPECT_EQ(QCursor::pos(Button().screen()).y(), Screen.bottom() - 1);
    DragTo(Screen.bottom() - 11);
    EXPECT_EQ(Spin.Value(), 110);
    DragTo(Screen.bottom());
    EXPECT_EQ(Spin.Value(), 99);
    EXPECT_EQ(QCursor::pos(Button().screen()).y(), Screen.top() + 1);
    DragTo(Screen.top() + 11);
    EXPECT_EQ(Spin.Value(), 89);
}

TEST_F(SpinEditTest, ChangeOnlyOnReleaseWhenNotChangingWhileDragging) {
    Spin.SetChangeWhileDragging(false);
    SendMouse(QEvent::MouseButtonPress, Grip(), 300);
    DragTo(290);
    DragTo(280);
    EXPECT_EQ(Changes, 0);
    SendMouse(QEvent::MouseButtonRelease, Grip(), 280);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Spin.Value(), 20);
}

} // namespace
