// The hydrostatics window: refreshed from a generated hull, a hull it cannot answer for, and the
// sheet it exports.
#include "hydro/window/hydrostaticswindow.h"

#include "display/printer/print.h"
#include "geometry/scratchfolder.h"
#include "hull/keelvane.h"

#include <QTableWidget>

#include <gtest/gtest.h>

TEST(HydrostaticsWindowTest, ShowsTheParticularsOrWhyNot) {
    THydrostaticsWindow Window;
    TKeelvane Hull;
    const TKeelvaneParameters& P = Hull.Parameters();
    Window.Refresh(Hull, P.Draught, P.Depth, Hull.Midship());
    EXPECT_EQ(Window.Message(), "There is no hull surface: generate the hull first");
    EXPECT_TRUE(Window.Curves().empty());

    Hull.Generate();
    Window.Refresh(Hull, P.Draught, P.Depth, Hull.Midship());
    EXPECT_EQ(Window.Message(), "");
    ASSERT_EQ(Window.Curves().size(), std::size_t(THydrostaticsWindow::CurveDraughts));
    EXPECT_DOUBLE_EQ(Window.Curves().front().Draught, P.Draught / 10);
    // The deck edge dips just below the depth: the curves stop at it.
    EXPECT_NEAR(Window.Curves().back().Draught, P.Depth, 0.01);
    const auto* Table = Window.findChild<QTableWidget*>();
    ASSERT_NE(Table, nullptr);
    EXPECT_EQ(Table->item(0, 1)->text(), "4.172");

    Window.Refresh(Hull, P.Depth + 1, P.Depth, Hull.Midship());
    EXPECT_EQ(Window.Message().left(20), "The draught 10.5 is ");
    EXPECT_EQ(Table->rowCount(), 0);
}

TEST(HydrostaticsWindowTest, ExportsTheSheet) {
    THydrostaticsWindow Window;
    TKeelvane Hull;
    Hull.Generate();
    Window.Refresh(Hull, Hull.Parameters().Draught, Hull.Parameters().Depth, Hull.Midship());
    TScratchFolder Scratch;
    const QString Pdf = QString::fromStdString(Scratch.File("sheet.pdf"));
    ExportPage(Pdf, [&](QPaintDevice& Device) { Window.PrintOn(Device); });
    EXPECT_EQ(FileText(Pdf.toStdString()).rfind("%PDF", 0), 0u);
}
