// The hydrostatics window: a table of the particulars beside the curves of form and the
// sectional-area curve, all drawn through the printer stream so that screen and paper agree.
#include "hydro/window/hydrostaticswindow.h"

#include "display/printer/print.h"
#include "display/printer/printerstream.h"
#include "geometry/errors.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

TPlotView::TPlotView(TDraw Draw, QWidget* Parent) : QWidget(Parent), FDraw(std::move(Draw)) {
    setAutoFillBackground(true);
    QPalette P = palette();
    P.setColor(QPalette::Window, Qt::white);
    setPalette(P);
    setMinimumSize(320, 200);
}

void TPlotView::paintEvent(QPaintEvent*) {
    TPrinterStream S(*this, QString());
    const double Margin = S.TextHeight("0") / 2;
    FDraw(S, {Margin, Margin, width() - 2 * Margin, height() - 2 * Margin});
}

THydrostaticsWindow::THydrostaticsWindow(QWidget* Parent) : QWidget(Parent, Qt::Window) {
    setWindowTitle("Hydrostatics");
    FTable = new QTableWidget(0, 2, this);
    FTable->setHorizontalHeaderLabels({"Particular", "Value"});
    FTable->verticalHeader()->hide();
    FTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    FTable->horizontalHeader()->setStretchLastSection(true);
    FTable->setMinimumWidth(300);
    FMessage = new QLabel(this);
    FMessage->setWordWrap(true);
    FCurvesView = new TPlotView(
        [this](TGStream& S, const TPlotArea& A) {
            DrawCurvesOfForm(S, A, FCurves, FDesign.Draught);
        },
        this);
    FSectionsView = new TPlotView(
        [this](TGStream& S, const TPlotArea& A) {
            if (!FSections.empty()) DrawSectionalAreas(S, A, FDesign.Draught, FSections);
        },
        this);
    auto* Print = new QPushButton("&Print...", this);
    auto* Export = new QPushButton("&Export...", this);
    connect(Print, &QPushButton::clicked, this, [this] { PrintDialog(); });
    connect(Export, &QPushButton::clicked, this, [this] { ExportDialog(); });

    auto* Left = new QVBoxLayout;
    Left->addWidget(FTable, 1);
    Left->addWidget(FMessage);
    auto* Buttons = new QHBoxLayout;
    Buttons->addWidget(Print);
    Buttons->addWidget(Export);
    Left->addLayout(Buttons);
    auto* Plots = new QVBoxLayout;
    Plots->addWidget(FCurvesView, 2);
    Plots->addWidget(FSectionsView, 1);
    auto* Layout = new QHBoxLayout(this);
    Layout->addLayout(Left);
    Layout->addLayout(Plots, 1);
    resize(1280, 760);
    ShowWhyNot("No hull computed yet.");
}

void THydrostaticsWindow::Refresh(TBSplineSurface& Surface, double Draught, double Depth,
                                  double MidshipX) {
    try {
        THydrostatics Hydro(Surface);
        Hydro.Density = FDensity;
        Hydro.MidshipX = MidshipX;
        FDesign = Hydro.At(Draught);
        FCurves.clear();
        for (double T : EvenlySpaced(Draught / 10, std::min(Depth, Hydro.Top()), CurveDraughts))
            FCurves.push_back(Hydro.At(T));
        FSections = Hydro.SectionalAreas(Draught, SectionPositions({FDesign}, Sections));
        ShowParticulars();
    } catch (const EKeelvaneError& E) {
        ShowWhyNot(QString::fromStdString(E.what()));
    }
}

QString THydrostaticsWindow::Message() const {
    return FMessage->text();
}

void THydrostaticsWindow::ShowParticulars() {
    const auto Rows = ParticularRows(FDesign, FDensity);
    FTable->setRowCount(static_cast<int>(Rows.size()));
    for (int i = 0; i < FTable->rowCount(); ++i) {
        FTable->setItem(i, 0, new QTableWidgetItem(QString::fromStdString(Rows[i].first)));
        auto* Value = new QTableWidgetItem(QString::fromStdString(Rows[i].second));
        Value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        FTable->setItem(i, 1, Value);
    }
    FMessage->clear();
    FMessage->hide();
    FCurvesView->update();
    FSectionsView->update();
}

void THydrostaticsWindow::ShowWhyNot(const QString& Why) {
    FTable->setRowCount(0);
    FCurves.clear();
    FSections.clear();
    FMessage->setText(Why);
    FMessage->show();
    FCurvesView->update();
    FSectionsView->update();
}

void THydrostaticsWindow::PrintOn(QPaintDevice& Device) {
    TPrinterStream S(Device, "Keelvane - Hydrostatics");
    const double Margin = S.TextHeight("0") * 2;
    if (!FCurves.empty())
        DrawHydrostaticsSheet(
            S, {Margin, Margin, S.PageWidth() - 2 * Margin, S.PageHeight() - 2 * Margin}, FDesign,
            FDensity, FCurves, FSections);
    S.EndDocument();
}

void THydrostaticsWindow::PrintDialog() {
    QPrinter Printer;
    Printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog Dialog(&Printer, this);
    if (Dialog.exec() != QDialog::Accepted) return;
    try {
        PrintOn(Printer);
    } catch (const EKeelvaneError& E) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(E.what()));
    }
}

void THydrostaticsWindow::ExportDialog() {
    const QString Name = QFileDialog::getSaveFileName(this, "Export hydrostatics",
                                                      "hydrostatics.pdf", ExportFilter());
    if (Name.isEmpty()) return;
    try {
        ExportPage(Name, [this](QPaintDevice& Device) { PrintOn(Device); });
    } catch (const EKeelvaneError& E) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(E.what()));
    }
}
