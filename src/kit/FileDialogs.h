#pragma once

#include <QString>
#include <functional>

class QWidget;

// Every file-open dialog goes through here: the platform's dialog with a title, a file-type
// filter ("Tutti i file (*)", "Immagini (*.bmp *.jpg)") and a start folder.
namespace FileDialogs {

// The path of the file the user picked, or an empty text when the dialog was cancelled.
// An empty start folder lets the dialog choose (the folder used last).
QString OpenFile(QWidget* parent, const QString& title, const QString& filter, const QString& startFolder = {});

struct Request {
    QString title;
    QString filter;
    QString startFolder;
};

// Test seam: while a handler is installed no dialog is shown; the handler receives what the
// dialog would have shown and returns the path the user would have picked (empty: cancel).
using Handler = std::function<QString(const Request&)>;
void SetHandler(Handler handler);

} // namespace FileDialogs
