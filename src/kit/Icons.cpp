#include "kit/Icons.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace Icons {

namespace {

const QString Folder = QStringLiteral(":/icons/");
const QString Suffix = QStringLiteral(".svg");

// The colours a tinted icon is drawn in; the icon shows them as they are in an SVG editor.
constexpr char TintInk[] = "#245CB8";
constexpr char TintLight[] = "#478DFF";

QByteArray Source(const QString& name)
{
    QFile file(Folder + name + Suffix);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "Velorbis: icon \"%s\" cannot be read: %s\n", qPrintable(name),
                     qPrintable(file.errorString()));
        return {};
    }
    return file.readAll();
}

void Render(const QByteArray& source, QPainter& painter, const QRectF& area)
{
    QSvgRenderer renderer(source);
    if (!renderer.isValid())
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, area);
}

QPixmap Blank(const QSize& size)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    return picture;
}

QPixmap PictureOf(const QByteArray& source, const QSize& size)
{
    QPixmap picture = Blank(size);
    QPainter painter(&picture);
    Render(source, painter, QRectF(QPointF(0, 0), size));
    return picture;
}

} // namespace

void Draw(QPainter& painter, const QString& name, const QRectF& area)
{
    Render(Source(name), painter, area);
}

QPixmap Picture(const QString& name, const QSize& size)
{
    return PictureOf(Source(name), size);
}

QPixmap Picture(const QString& name, int side)
{
    return Picture(name, QSize(side, side));
}

QPixmap Tinted(const QString& name, int side, const QColor& tint)
{
    // QColor::name() is lower case, so an ink already replaced is never taken for the other.
    QByteArray source = Source(name);
    source.replace(TintLight, tint.lighter(150).name().toLatin1());
    source.replace(TintInk, tint.name().toLatin1());
    return PictureOf(source, QSize(side, side));
}

} // namespace Icons
