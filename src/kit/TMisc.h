#pragma once

#include <QString>
#include <QUrl>

// Hands a web address, a "mailto:" address or a file path to the desktop's open action.
// Callers quote file paths and mail links as the Windows shell wants them; the quotes
// are taken off here. Nothing is reported, whether or not anything opened.
class TMisc {
public:
    static void Open(const QString& command);
    // What Open hands to the desktop, for callers and tests that need to know.
    static QUrl UrlFor(const QString& command);
};
