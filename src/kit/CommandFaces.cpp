#include "kit/CommandFaces.h"

#include "kit/DesignColours.h"
#include "kit/Icons.h"
#include "kit/Widgets.h"

#include <QPainter>

namespace CommandFaces {

namespace {

const QColor Ink = DesignColours::Ink;

QString IconName(Symbol symbol)
{
    switch (symbol) {
    case Symbol::New: return QStringLiteral("sheet/new");
    case Symbol::Duplicate: return QStringLiteral("sheet/duplicate");
    case Symbol::Save: return QStringLiteral("sheet/save");
    case Symbol::Find: return QStringLiteral("sheet/find");
    case Symbol::Attach: return QStringLiteral("sheet/attach");
    case Symbol::Preview: return QStringLiteral("sheet/preview");
    case Symbol::Print: return QStringLiteral("sheet/print");
    case Symbol::Flagged: return QStringLiteral("sheet/flagged");
    case Symbol::First: return QStringLiteral("sheet/first");
    case Symbol::Previous: return QStringLiteral("sheet/previous");
    case Symbol::Next: return QStringLiteral("sheet/next");
    case Symbol::Last: return QStringLiteral("sheet/last");
    case Symbol::Export: return QStringLiteral("sheet/export");
    case Symbol::Help: return QStringLiteral("sheet/help");
    case Symbol::Exit: return QStringLiteral("sheet/exit");
    case Symbol::Import: return QStringLiteral("sheet/import");
    case Symbol::Check: return QStringLiteral("sheet/check");
    case Symbol::Mail: return QStringLiteral("sheet/mail");
    case Symbol::Folders: return QStringLiteral("sheet/folders");
    case Symbol::Person: return QStringLiteral("sheet/person");
    case Symbol::Globe: return QStringLiteral("sheet/globe");
    case Symbol::Flag: return QStringLiteral("sheet/flag");
    case Symbol::Pdf: return QStringLiteral("sheet/pdf");
    case Symbol::Recontact: return QStringLiteral("sheet/recontact");
    case Symbol::Money: return QStringLiteral("sheet/money");
    case Symbol::Profile: return QStringLiteral("sheet/profile");
    case Symbol::Notes: return QStringLiteral("sheet/notes");
    }
    return {};
}

} // namespace

QPixmap Command(const QSize& size, Symbol symbol, const QString& caption)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const int captionHeight = caption.isEmpty() ? 0 : 14;
    const int side = qMin(size.width() - 4, size.height() - captionHeight - 4);
    Icons::Draw(painter, IconName(symbol), QRectF((size.width() - side) / 2.0, 2, side, side));
    if (!caption.isEmpty()) {
        painter.setPen(Ink);
        painter.setFont(Widgets::DesignFont(QStringLiteral("Tahoma"), 7, true));
        painter.drawText(QRect(0, size.height() - captionHeight - 1, size.width(), captionHeight),
                         Qt::AlignHCenter | Qt::AlignVCenter, caption);
    }
    return picture;
}

QPixmap RowCommand(const QSize& size, Symbol symbol, const QString& caption)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0xB8, 0xC7, 0xDD));
    painter.setBrush(QColor(0xF3, 0xF7, 0xFC));
    painter.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 5, 5);
    const int side = size.height() - 8;
    Icons::Draw(painter, IconName(symbol), QRectF(6, 4, side, side));
    painter.setPen(Ink);
    painter.setFont(Widgets::DesignFont(QStringLiteral("Tahoma"), 9, true));
    painter.drawText(QRect(side + 14, 0, size.width() - side - 16, size.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     caption);
    return picture;
}

QPixmap Symbolic(int side, Symbol symbol)
{
    return Icons::Picture(IconName(symbol), side);
}

QPixmap GoogleWord(const QSize& size)
{
    return Icons::Picture(QStringLiteral("sheet/google"), size);
}

} // namespace CommandFaces
