#include "kit/TMisc.h"

#include <QDesktopServices>
#include <QDir>
#include <QRegularExpression>

namespace {

QString WithoutEnclosingQuotes(QString text)
{
    text = text.trimmed();
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        text = text.mid(1, text.size() - 2);
    return text;
}

bool LooksLikeLocalPath(const QString& text)
{
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:[\\\\/]"));
    return QDir::isAbsolutePath(text) || drive.match(text).hasMatch() || text.startsWith(u'\\');
}

} // namespace

QUrl TMisc::UrlFor(const QString& command)
{
    const QString text = WithoutEnclosingQuotes(command);
    if (text.isEmpty())
        return {};
    if (LooksLikeLocalPath(text))
        return QUrl::fromLocalFile(QDir::fromNativeSeparators(text));
    // A mail link keeps its subject and body as typed; QUrl encodes blanks on the way out.
    return QUrl(text, QUrl::TolerantMode);
}

void TMisc::Open(const QString& command)
{
    const QUrl url = UrlFor(command);
    if (url.isValid() && !url.isEmpty())
        QDesktopServices::openUrl(url);
}
