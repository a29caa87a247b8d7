#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

// The program's artwork, drawn from the SVG sources in the resources at the
// pixel size asked for, so every picture is sharp at its place in the window.
//
// Names and the size each was drawn for:
//   "gettingstarted-background" 770 x 378   "gettingstarted-banner" 121 x 150
//   "bottom-strip"  16 x 77 (meant to be stretched)
//   "row-delete", "row-clear", "row-up", "row-down"  16 x 16
//   "about-side" 117 x 167 (imgbk)   "about-background" 386 x 167 (Image2)
//   "application-icon" 256 x 256
//   "toolbar-<image number>-<look>"  54 x 54, image numbers 0, 1, 2, 5, 6
//   "start-<look>", "stop-<look>"  133 x 65, transparent around the button
// where <look> is "normal", "hover" or "pressed".
namespace Pictures {

// The three looks of a button, numbered as the index of the picture it shows.
enum Look { Normal = 0, Hover = 1, Pressed = 2 };

// Every name render() knows.
QStringList names();

// The size a picture was drawn for; an invalid size for an unknown name.
QSize designSize(const QString &name);

// The picture at exactly size pixels (its design size when size is invalid).
// Asking again for the same name and size gives the same cached pixmap.
// An unknown name gives a null pixmap.
QPixmap render(const QString &name, const QSize &size = QSize());

// The toolbar picture of an image number in one look (ImageList0, 1 and 2).
QPixmap toolbar(int imageNumber, Look look);
// The Start (ImageList4) and Stop (ImageList5) pictures in one look.
QPixmap start(Look look);
QPixmap stop(Look look);

// The program's icon for windows and the desktop, at several sizes.
QIcon applicationIcon();

} // namespace Pictures
