// Image-tab page control: images follow the pages, tab placement rules, owner-drawn tabs.
#include "controls/pagecontrol.h"

#include <QPainter>
#include <QPixmap>
#include <QTabBar>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class PageControlTest : public ::testing::Test {
protected:
    PageControlTest() {
        for (int i = 0; i < 6; ++i) {
            QPixmap Picture(16, 16);
            Picture.fill(QColor::fromHsv(i * 60, 255, 255));
            Icons.emplace_back(Picture);
            Images.Add(Icons.back());
            Pages.push_back(std::make_unique<QWidget>());
            Control.addTab(Pages.back().get(), QString("Page %1").arg(i));
        }
    }

    bool TabShows(int Tab, int Image) const {
        return Control.tabIcon(Tab).cacheKey() == Icons[Image].cacheKey();
    }

    std::vector<QIcon> Icons;
    TImageList Images;
    TColorPageControl Control;
    std::vector<std::unique_ptr<QWidget>> Pages;
};

TEST_F(PageControlTest, TabsShowTheImagesInPageOrder) {
    Control.SetImages(&Images);
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(TabShows(i, i)) << i;
    Control.removeTab(2);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(TabShows(i, i)) << i;
}

TEST_F(PageControlTest, TabsLoseTheirImagesWithTheList) {
    auto Owned = std::make_unique<TImageList>();
    Owned->Add(Icons[0]);
    Control.SetImages(Owned.get());
    EXPECT_FALSE(Control.tabIcon(0).isNull());
    Owned.reset();
    EXPECT_EQ(Control.Images(), nullptr);
    EXPECT_TRUE(Control.tabIcon(0).isNull());
}

TEST_F(PageControlTest, ButtonsMoveTabsToTheTop) {
    Control.SetTabVPosition(tvpRight);
    EXPECT_EQ(Control.tabPosition(), QTabWidget::East);
    Control.SetTabButtons(true);
    EXPECT_TRUE(Control.TabButtons());
    EXPECT_EQ(Control.TabVPosition(), tvpNone);
    EXPECT_EQ(Control.tabPosition(), QTabWidget::North);

    Control.SetTabVPosition(tvpRight);
    EXPECT_FALSE(Control.TabButtons());
    Control.SetTabVPosition(tvpNone);
    Control.SetTabPosition(tpBottom);
    Control.SetTabButtons(true);
    EXPECT_EQ(Control.TabPosition(), tpTop);
}

TEST_F(PageControlTest, OwnerDrawsEveryTab) {
    std::vector<int> Drawn;
    Control.OnDrawItem = [&](TColorPageControl& Sender, int Index, const QRect& Rect,
                             TOwnerDrawState State, QPainter& Canvas) {
        EXPECT_EQ(&Sender, &Control);
        EXPECT_EQ(Rect, Control.tabBar()->tabRect(Index));
        EXPECT_EQ((State & odSelected) != 0, Index == 1);
        Canvas.fillRect(Rect, Qt::red);
        Drawn.push_back(Index);
    };
    Control.setCurrentIndex(1);
    Control.SetStyle(pcsOwnerDraw);
    Control.resize(600, 200);
    Control.show();
    const QImage Picture = Control.tabBar()->grab().toImage();
    EXPECT_EQ(Drawn, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(Picture.pixelColor(Control.tabBar()->tabRect(3).center()), QColor(Qt::red));
}

} // namespace
