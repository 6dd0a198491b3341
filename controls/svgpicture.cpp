// SVG drawings rendered to pixmaps and icons.
#include "controls/svgpicture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

QPixmap SvgPixmap(const QString& Path, QSize Size) {
    QSvgRenderer Renderer(Path);
    if (!Renderer.isValid()) return {};
    const qreal Ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap Pixmap(Size * Ratio);
    Pixmap.setDevicePixelRatio(Ratio);
    Pixmap.fill(Qt::transparent);
    QPainter Painter(&Pixmap);
    Painter.setRenderHint(QPainter::Antialiasing);
    Renderer.render(&Painter, QRectF(QPointF(0, 0), QSizeF(Size)));
    return Pixmap;
}

QIcon SvgIcon(const QString& Path) {
    QIcon Icon;
    for (const int Side : {16, 24, 32, 48}) Icon.addPixmap(SvgPixmap(Path, {Side, Side}));
    return Icon;
}
