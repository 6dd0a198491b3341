// The image-tab page control: tab placement and the rules that tie the tab properties together,
// one image per tab, and tabs painted as buttons or by the owner.
#include "controls/pagecontrol.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QTabBar>

TColorPageControl::TColorPageControl(QWidget* Parent) : QTabWidget(Parent) {
    tabBar()->installEventFilter(this);
}

void TColorPageControl::SetImages(TImageList* Value) {
    disconnect(ImagesGone);
    FImages = Value;
    if (Value)
        ImagesGone = connect(Value, &QObject::destroyed, this, [this] {
            FImages = nullptr;
            RefreshImages();
        });
    RefreshImages();
}

void TColorPageControl::SetStyle(TPageControlStyle Value) {
    FStyle = Value;
    ApplyTabStyle();
}

void TColorPageControl::SetTabButtons(bool Value) {
    FTabButtons = Value;
    // Buttons only stand at the top or down the left side.
    if (Value && FTabPosition == tpBottom) FTabPosition = tpTop;
    if (Value && FTabVPosition == tvpRight) FTabVPosition = tvpNone;
    ApplyTabStyle();
}

void TColorPageControl::SetTabVPosition(TTabVPosition Value) {
    FTabVPosition = Value;
    ApplyTabStyle();
}

void TColorPageControl::SetTabPosition(TTabPosition Value) {
    FTabPosition = Value;
    ApplyTabStyle();
}

void TColorPageControl::ApplyTabStyle() {
    if (FTabButtons && (FTabPosition == tpBottom || FTabVPosition == tvpRight)) FTabButtons = false;
    if (FTabVPosition == tvpLeft)
        setTabPosition(West);
    else if (FTabVPosition == tvpRight)
        setTabPosition(East);
    else
        setTabPosition(FTabPosition == tpBottom ? South : North);
    RefreshImages();
    tabBar()->update();
}

void TColorPageControl::RefreshImages() {
    for (int i = 0; i < count(); ++i) setTabIcon(i, FImages ? FImages->Image(i) : QIcon());
}

void TColorPageControl::tabInserted(int) {
    RefreshImages();
}

void TColorPageControl::tabRemoved(int) {
    RefreshImages();
}

bool TColorPageControl::eventFilter(QObject* Watched, QEvent* Event) {
    const bool OwnPainting = FStyle == pcsOwnerDraw || FTabButtons;
    if (Watched != tabBar() || Event->type() != QEvent::Paint || !OwnPainting)
        return QTabWidget::eventFilter(Watched, Event);
    PaintTabs();
    return true;
}

TOwnerDrawState TColorPageControl::TabState(int Index) const {
    TOwnerDrawState State = 0;
    if (Index == currentIndex()) State |= odSelected;
    if (Index == currentIndex() && tabBar()->hasFocus()) State |= odFocus;
    if (!isTabEnabled(Index)) State |= odDisabled;
    return State;
}

void TColorPageControl::PaintTabs() {
    QTabBar& Bar = *tabBar();
    QPainter Canvas(&Bar);
    for (int i = 0; i < count(); ++i) {
        const QRect Rect = Bar.tabRect(i);
        if (FStyle != pcsOwnerDraw) {
            DrawButtonTab(Canvas, i);
            continue;
        }
        Canvas.save();
        Canvas.setFont(font());
        Canvas.setBrush(palette().window());
        if (OnDrawItem)
            OnDrawItem(*this, i, Rect, TabState(i), Canvas);
        else
            DrawDefaultTab(Canvas, i, Rect, i == currentIndex());
        Canvas.restore();
    }
}

void TColorPageControl::DrawButtonTab(QPainter& Canvas, int Index) const {
    const QTabBar& Bar = *tabBar();
    QStyleOptionButton Option;
    Option.initFrom(&Bar);
    Option.rect = Bar.tabRect(Index);
    Option.text = Bar.tabText(Index);
    Option.icon = Bar.tabIcon(Index);
    Option.iconSize = Bar.iconSize();
    Option.state |=
        Index == currentIndex() ? QStyle::State_Sunken | QStyle::State_On : QStyle::State_Raised;
    if (!isTabEnabled(Index)) Option.state &= ~QStyle::State_Enabled;
    Bar.style()->drawControl(QStyle::CE_PushButton, &Option, &Canvas, &Bar);
}

void TColorPageControl::DrawDefaultTab(QPainter& Canvas, int Index, const QRect& Rect,
                                       bool Selected) const {
    Canvas.fillRect(Rect, Canvas.brush());
    const QString Caption = tabText(Index);
    const QFontMetrics Metrics(Canvas.font());
    // Rect's right and bottom are its last pixels; the centring counts the edges past them.
    const int Left = (Rect.left() + Rect.right() + 1 - Metrics.horizontalAdvance(Caption)) / 2;
    const int Top =
        (Rect.top() + Rect.bottom() + 1 + 4 - Metrics.height()) / 2 - (Selected ? 3 : 0);
    Canvas.setPen(palette().color(QPalette::WindowText));
    Canvas.drawText(QPoint(Left, Top + Metrics.ascent()), Caption);
}
