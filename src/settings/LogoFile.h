#pragma once

#include "storage/FileOutcome.h"

#include <QImage>
#include <QPixmap>
#include <QString>

// The start-screen picture, Logo.bmp in the program folder: read by the start menu and the
// start-screen settings, written by the start-screen settings.
namespace LogoFile {

QString Path();

// The start menu's picture area.
inline constexpr QSize PictureArea(912, 409);

// The built-in picture shown when Logo.bmp is missing or unreadable.
QPixmap DefaultPicture();
// Fits any picture into the start menu's 912 x 409 picture area, keeping its proportions.
QPixmap FitToPictureArea(const QPixmap& picture);

// The picture in Logo.bmp; a null image when the file is missing or not a picture.
QImage Load();
// Any picture file the toolkit reads (JPEG, bitmap, ...), recognised by its content rather
// than by its name; a null image when it cannot be read. Only a regular file is opened, and
// never in a way that waits (a named pipe of that name is no picture).
QImage LoadPicture(const QString& path);

// Writes the picture as a Windows bitmap at its own pixel size (transparent parts on
// white), replacing Logo.bmp only once the new file is complete. A Logo.bmp whose write
// bits are off is not replaced, for the superuser neither; a replaced one keeps its rights.
// When it could not be written, Logo.bmp is as it was and the outcome says why.
FileOutcome Save(const QImage& picture);

} // namespace LogoFile
