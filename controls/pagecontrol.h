// A tabbed page control whose tabs show an image each, can sit down the left or right side, be
// drawn as push buttons, or be drawn by the owner.
#pragma once

#include "controls/imagelist.h"

#include <QPointer>
#include <QTabWidget>

#include <functional>

class QPainter;

enum TPageControlStyle { pcsStandard, pcsOwnerDraw };
enum TTabPosition { tpTop, tpBottom };
enum TTabVPosition { tvpNone, tvpLeft, tvpRight };

// The state of a tab being drawn, a combination of these flags.
enum TOwnerDrawStateFlag { odSelected = 1, odFocus = 2, odDisabled = 4 };
using TOwnerDrawState = unsigned;

class TColorPageControl : public QTabWidget {
public:
    // Draws tab Index into Rect with Canvas; Canvas carries the control's font and brush.
    using TDrawItemEvent =
        std::function<void(TColorPageControl& Control, int Index, const QRect& Rect,
                           TOwnerDrawState State, QPainter& Canvas)>;

    explicit TColorPageControl(QWidget* Parent = nullptr);

    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    TPageControlStyle Style() const { return FStyle; }
    void SetStyle(TPageControlStyle Value);
    bool TabButtons() const { return FTabButtons; }
    void SetTabButtons(bool Value);
    TTabVPosition TabVPosition() const { return FTabVPosition; }
    void SetTabVPosition(TTabVPosition Value);
    // Top or bottom, when the tabs do not run down a side.
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition Value);

    TDrawItemEvent OnDrawItem;

protected:
    void tabInserted(int Index) override;
    void tabRemoved(int Index) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void ApplyTabStyle();
    void RefreshImages();
    void PaintTabs();
    void DrawButtonTab(QPainter& Canvas, int Index) const;
    void DrawDefaultTab(QPainter& Canvas, int Index, const QRect& Rect, bool Selected) const;
    TOwnerDrawState TabState(int Index) const;

    QPointer<TImageList> FImages;
    QMetaObject::Connection ImagesGone;
    TPageControlStyle FStyle = pcsStandard;
    bool FTabButtons = false;
    TTabVPosition FTabVPosition = tvpNone;
    TTabPosition FTabPosition = tpTop;
};
