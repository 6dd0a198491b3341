// One-page PDF drawings through Qt's PDF writer.
#include "display/painter/pdffile.h"

#include "display/painter/painterstream.h"
#include "geometry/errors.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <memory>
#include <ostream>

namespace {

// The PDF's resolution: fine enough that no rounding of the painter shows on paper.
constexpr int Resolution = 2400;
constexpr double MillimetresPerInch = 25.4;

// Fonts need a running Qt application; a command-line tool has none and may have no display.
// Its start-up remarks about the environment (no runtime folder) concern no file written here.
void EnsureApplication() {
    if (QGuiApplication::instance()) return;
    static int Argc = 3;
    static char Name[] = "keelvane", Option[] = "-platform", Platform[] = "offscreen";
    static char* Argv[] = {Name, Option, Platform, nullptr};
    const QtMessageHandler Previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static const auto Application = std::make_unique<QGuiApplication>(Argc, Argv);
    qInstallMessageHandler(Previous);
}

} // namespace

void SavePdf(std::ostream& Out, const std::string& FileName, double Width, double Height,
             const std::string& Title, const std::function<void(TGStream&)>& Draw) {
    EnsureApplication();
    // Drawn into memory, so the caller's safe file decides where the bytes go.
    QBuffer Buffer;
    Buffer.open(QIODevice::WriteOnly);
    QPdfWriter Writer(&Buffer);
    Writer.setTitle(QString::fromStdString(Title));
    Writer.setCreator("Keelvane");
    Writer.setResolution(Resolution);
    const QPageSize Page(QSizeF(Width, Height), QPageSize::Millimeter, QString(),
                         QPageSize::ExactMatch);
    Writer.setPageLayout(QPageLayout(Page, QPageLayout::Portrait, QMarginsF()));
    QPainter Painter;
    if (!Painter.begin(&Writer)) throw EIOError("Unable to create file " + FileName);
    TPainterStream Stream(Painter, Resolution / MillimetresPerInch);
    Draw(Stream);
    if (!Painter.end()) throw EIOError("Unable to write file " + FileName);
    Out.write(Buffer.data().constData(), Buffer.data().size());
}
