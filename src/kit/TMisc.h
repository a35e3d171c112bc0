#pragma once

#include <QString>
#include <QUrl>

class QWidget;

// Hands a web address, a "mailto:" address or a file path to the desktop's open action.
// Callers quote file paths and mail links as the Windows shell wants them; the quotes
// are taken off here. When the desktop opens nothing (no program for that kind of file, no
// browser, no mail program) the user is told with a warning over `parent` (the active
// window when none is given).
class TMisc {
public:
    static void Open(const QString& command, QWidget* parent = nullptr);
    // What Open hands to the desktop, for callers and tests that need to know.
    static QUrl UrlFor(const QString& command);
    // The warning shown when the desktop could not open `url`.
    static QString NotOpenedText(const QUrl& url);
};
