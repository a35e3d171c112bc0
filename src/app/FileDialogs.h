#pragma once

#include <QString>

class QWidget;

// The file-open dialog of the screens that let the user pick a file.
namespace FileDialogs {

// Runs a modal file-open dialog; the chosen file's full path, or empty when cancelled.
// `filter` uses the toolkit's syntax ("Immagine Bitmap (*.bmp);;..."), its first entry selected.
QString OpenFile(QWidget* parent, const QString& title, const QString& filter, const QString& startFolder);

// Test seam: the next OpenFile returns this name instead of showing a dialog (empty = the
// user cancelled).
void SetNextFileName(const QString& fileName);

} // namespace FileDialogs
