#include "settings/LogoFile.h"

#include "storage/PosixIo.h"
#include "storage/ProgramFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>

#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

namespace LogoFile {

QString Path()
{
    return QString::fromStdString(ProgramFile("Logo.bmp").string());
}

QPixmap DefaultPicture()
{
    QPixmap picture(QStringLiteral(":/pictures/DefaultLogo.png"));
    if (picture.isNull()) {
        picture = QPixmap(PictureArea);
        picture.fill(Qt::white);
    }
    return picture;
}

QPixmap FitToPictureArea(const QPixmap& picture)
{
    return picture.scaled(PictureArea, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QImage Load()
{
    return LoadPicture(Path());
}

QImage LoadPicture(const QString& path)
{
    // A named pipe would block the open for good, and a folder or a device is no picture:
    // only a regular file is read.
    struct stat info {};
    const int fd = posix_io::OpenRegular(QFile::encodeName(path).constData(), O_RDONLY, IoOp::Open, info);
    if (fd < 0)
        return {};
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    try {
        return reader.read(); // the reader refuses pictures beyond its allocation limit
    } catch (const std::bad_alloc&) {
        return {};
    }
}

FileOutcome Save(const QImage& picture)
{
    const auto failed = [](const char* operation, const QString& reason) {
        return FileOutcome::Failed(operation + (" " + Path() + ": " + reason).toStdString());
    };
    if (picture.isNull())
        return failed("save", QStringLiteral("no picture"));
    QImage opaque(picture.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, picture);
    }
    // QSaveFile writes a temporary file in the program folder and renames it over Logo.bmp.
    QSaveFile file(Path());
    if (!file.open(QIODevice::WriteOnly))
        return failed("create a file beside", file.errorString());
    QImageWriter writer(&file, "bmp");
    if (!writer.write(opaque)) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
        file.cancelWriting();
        return failed("write", reason);
    }
    if (!file.commit())
        return failed("put in place", file.errorString());
    return FileOutcome::Done();
}

} // namespace LogoFile
