// Pictures and icons drawn from SVG files (usually resources), crisp at any pixel density.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The drawing in Path rendered to fill Size (logical pixels) at the screen's pixel density; an
// empty pixmap when Path holds no drawing.
QPixmap SvgPixmap(const QString& Path, QSize Size);
// The drawing at the sizes tabs, menus and toolbars use.
QIcon SvgIcon(const QString& Path);
