#include "app/look/pictures.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPixmapCache>
#include <QPointF>
#include <QSvgRenderer>

// The resources live in a static library, whose initialiser the linker would
// drop unless something calls it.
static void initialiseArtwork()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(done);
}

namespace Pictures {
namespace {

// One SVG source drawn over the layers before it, moved by offset (in units
// of the design size) so that a pressed button's face sinks a pixel.
struct Layer {
    QString file;
    QPointF offset;
};

struct Picture {
    QSize size;
    QList<Layer> layers;
};

const QString ArtRoot = QStringLiteral(":/art/");
const char *const LookNames[] = {"normal", "hover", "pressed"};

Layer layer(const char *file, QPointF offset = QPointF())
{
    return Layer{ArtRoot + QLatin1String(file), offset};
}

QString lookName(Look look)
{
    return QLatin1String(LookNames[look]);
}

// Each button look is its state's frame with the button's own face on top.
void addButtonLooks(QHash<QString, Picture> &catalogue, const QString &prefix, QSize size,
                    const QList<Layer> &body, const char *const frames[3], const char *face)
{
    for (int look = Normal; look <= Pressed; ++look) {
        QList<Layer> layers = body;
        if (frames[look])
            layers.append(layer(frames[look]));
        layers.append(layer(face, look == Pressed ? QPointF(1, 1) : QPointF()));
        catalogue.insert(prefix + lookName(Look(look)), Picture{size, layers});
    }
}

void addToolbarPictures(QHash<QString, Picture> &catalogue)
{
    const struct {
        int imageNumber;
        const char *glyph;
    } glyphs[] = {{0, "toolbar/add-files.svg"},
                  {1, "toolbar/add-dir.svg"},
                  {2, "toolbar/settings.svg"},
                  {5, "toolbar/about.svg"},
                  {6, "toolbar/help.svg"}};
    const char *const tiles[3] = {"toolbar/tile-normal.svg", "toolbar/tile-hover.svg",
                                  "toolbar/tile-pressed.svg"};
    for (const auto &g : glyphs)
        addButtonLooks(catalogue, QStringLiteral("toolbar-%1-").arg(g.imageNumber), QSize(54, 54),
                       {}, tiles, g.glyph);
}

void addImageButtonPictures(QHash<QString, Picture> &catalogue)
{
    const QSize size(133, 65);
    const char *const overlays[3] = {nullptr, "imagebutton/hover.svg", "imagebutton/pressed.svg"};
    addButtonLooks(catalogue, QStringLiteral("start-"), size, {layer("imagebutton/join-body.svg")},
                   overlays, "imagebutton/join-face.svg");
    addButtonLooks(catalogue, QStringLiteral("stop-"), size, {layer("imagebutton/stop-body.svg")},
                   overlays, "imagebutton/stop-face.svg");
}

QHash<QString, Picture> buildCatalogue()
{
    QHash<QString, Picture> catalogue;
    const struct {
        const char *name;
        const char *file;
        QSize size;
    } singles[] = {
        {"gettingstarted-background", "gettingstarted/background.svg", QSize(770, 378)},
        {"gettingstarted-banner", "gettingstarted/banner.svg", QSize(121, 150)},
        {"bottom-strip", "bottom-strip.svg", QSize(16, 77)},
        {"row-delete", "row/delete.svg", QSize(16, 16)},
        {"row-clear", "row/clear.svg", QSize(16, 16)},
        {"row-up", "row/up.svg", QSize(16, 16)},
        {"row-down", "row/down.svg", QSize(16, 16)},
        {"about-side", "about/side.svg", QSize(117, 167)},
        {"about-background", "about/background.svg", QSize(386, 167)},
        {"application-icon", "brelvane.svg", QSize(256, 256)},
    };
    for (const auto &s : singles)
        catalogue.insert(QLatin1String(s.name), Picture{s.size, {layer(s.file)}});
    addToolbarPictures(catalogue);
    addImageButtonPictures(catalogue);
    return catalogue;
}

const QHash<QString, Picture> &catalogue()
{
    static const QHash<QString, Picture> pictures = buildCatalogue();
    return pictures;
}

QImage draw(const Picture &picture, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    const qreal scaleX = qreal(size.width()) / picture.size.width();
    const qreal scaleY = qreal(size.height()) / picture.size.height();
    for (const Layer &l : picture.layers) {
        QSvgRenderer svg(l.file);
        const QPointF topLeft(l.offset.x() * scaleX, l.offset.y() * scaleY);
        svg.render(&painter, QRectF(topLeft, QSizeF(size)));
    }
    return image;
}

} // namespace

QStringList names()
{
    QStringList all = catalogue().keys();
    all.sort();
    return all;
}

QSize designSize(const QString &name)
{
    const auto found = catalogue().constFind(name);
    return found == catalogue().constEnd() ? QSize() : found->size;
}

QPixmap render(const QString &name, const QSize &size)
{
    initialiseArtwork();
    const auto found = catalogue().constFind(name);
    if (found == catalogue().constEnd())
        return QPixmap();
    const QSize target = size.isEmpty() ? found->size : size;
    const QString key =
        QStringLiteral("brelvane-art/%1/%2x%3").arg(name).arg(target.width()).arg(target.height());
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    pixmap = QPixmap::fromImage(draw(*found, target));
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QPixmap toolbar(int imageNumber, Look look)
{
    return render(QStringLiteral("toolbar-%1-%2").arg(imageNumber).arg(lookName(look)));
}

QPixmap start(Look look)
{
    return render(QStringLiteral("start-") + lookName(look));
}

QPixmap stop(Look look)
{
    return render(QStringLiteral("stop-") + lookName(look));
}

QIcon applicationIcon()
{
    QIcon icon;
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(render(QStringLiteral("application-icon"), QSize(side, side)));
    return icon;
}

} // namespace Pictures
