#include "kit/TMisc.h"

#include "kit/Failures.h"
#include "storage/Platform.h"

#include <QApplication>
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

QString TMisc::NotOpenedText(const QUrl& url)
{
    if (url.isLocalFile())
        return QStringLiteral("Attenzione: il sistema non è riuscito ad aprire il file.\n\r\n\r"
                              "Accertarsi che nel computer sia installato un programma in grado di aprire i file "
                              "di questo tipo.");
    if (url.scheme() == QStringLiteral("mailto"))
        return QStringLiteral("Attenzione: il sistema non è riuscito ad aprire il programma di posta elettronica."
                              "\n\r\n\rAccertarsi che nel computer sia installato e configurato un programma di "
                              "posta elettronica.");
    return QStringLiteral("Attenzione: il sistema non è riuscito ad aprire la pagina Internet.\n\r\n\r"
                          "Accertarsi che nel computer sia installato un browser.");
}

void TMisc::Open(const QString& command, QWidget* parent)
{
    const QUrl url = UrlFor(command);
    if (!url.isValid() || url.isEmpty())
        return;
    if (QDesktopServices::openUrl(url))
        return;
    if (!parent)
        parent = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
    const QString target = url.isLocalFile() ? url.toLocalFile() : url.toString();
    Failures::Report(parent, MessageKind::Warning, NotOpenedText(url),
                     {"open", platform::PathOfText(target.toStdString()), "the desktop has no program that opens it"});
}
