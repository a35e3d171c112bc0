#include "kit/FileDialogs.h"

#include <QFileDialog>

namespace {

FileDialogs::Handler& InstalledHandler()
{
    static FileDialogs::Handler handler;
    return handler;
}

} // namespace

namespace FileDialogs {

QString OpenFile(QWidget* parent, const QString& title, const QString& filter, const QString& startFolder)
{
    if (InstalledHandler())
        return InstalledHandler()({title, filter, startFolder});
    return QFileDialog::getOpenFileName(parent, title, startFolder, filter);
}

void SetHandler(Handler handler) { InstalledHandler() = std::move(handler); }

} // namespace FileDialogs
