#include "app/FileDialogs.h"

#include <QFileDialog>

#include <optional>

namespace {

std::optional<QString>& NextFileName()
{
    static std::optional<QString> next;
    return next;
}

} // namespace

namespace FileDialogs {

QString OpenFile(QWidget* parent, const QString& title, const QString& filter, const QString& startFolder)
{
    if (std::optional<QString>& next = NextFileName(); next) {
        const QString fileName = *next;
        next.reset();
        return fileName;
    }
    return QFileDialog::getOpenFileName(parent, title, startFolder, filter);
}

void SetNextFileName(const QString& fileName)
{
    NextFileName() = fileName;
}

} // namespace FileDialogs
