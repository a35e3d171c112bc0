#include "settings/LogoFile.h"

#include "storage/Platform.h"
#include "storage/ProgramFolder.h"
#include "storage/TemporaryFile.h"

#include <cerrno>
#include <new>

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

namespace LogoFile {

QString Path()
{
    return QString::fromStdString(platform::PathText(ProgramFile("Logo.bmp")));
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
    platform::FileInfo info;
    const platform::File fd =
        platform::OpenRegular(platform::PathOfText(path.toStdString()), platform::Access::Read, IoOp::Open, info);
    if (fd == platform::NoFile)
        return {};
    // Read whole into memory, so no larger than the largest picture the reader would decode.
    if (const int limit = QImageReader::allocationLimit();
        limit > 0 && info.size > static_cast<platform::Offset>(limit) << 20) {
        platform::CloseQuietly(fd);
        return {};
    }
    QByteArray bytes;
    try {
        bytes.resize(static_cast<qsizetype>(info.size));
    } catch (const std::bad_alloc&) {
        platform::CloseQuietly(fd);
        return {};
    }
    const std::int64_t got = platform::ReadFully(fd, bytes.data(), static_cast<std::size_t>(bytes.size()), 0);
    platform::CloseQuietly(fd);
    if (got < 0)
        return {};
    bytes.truncate(static_cast<qsizetype>(got));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
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
        return FileOutcome::Failed({operation, platform::PathOfText(Path().toStdString()), reason.toStdString()});
    };
    if (picture.isNull())
        return failed("save", QStringLiteral("no picture"));
    QImage opaque(picture.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, picture);
    }
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "bmp");
        if (!writer.write(opaque))
            return failed("write", writer.errorString());
    }
    // Written beside Logo.bmp under the program's temporary name and renamed over it.
    const Replacement plan = PlanReplacement(ProgramFile("Logo.bmp"));
    if (!plan.Allowed())
        return FileOutcome::Failed(plan.Refusal());
    TemporaryFile temporary(plan);
    if (!temporary.Created())
        return FileOutcome::Failed(FileError::OfErrno("create a file beside", plan.target, errno));
    if (!temporary.WriteAndReplace(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                   plan.target))
        return FileOutcome::Failed(FileError::OfErrno("write", plan.target, errno));
    return FileOutcome::Done();
}

} // namespace LogoFile
