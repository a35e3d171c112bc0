#pragma once
// The one way the program reports a failure. The core says why something failed in one
// shape, a FileError (operation, file, reason), and every screen hands it here as it is. The
// user sees the screen's fixed text in a message box (through Messages); the program's
// standard error gets the real reason, one line "Velorbis 4.0: <operation> <file>: <the
// system's reason>", so that a full disk can be told from a read-only folder or a file held
// by another program.
#include "kit/Messages.h"
#include "storage/FileError.h"

#include <QString>

#include <exception>

namespace Failures {

// What every screen that reads or writes a record file says when the file cannot be used.
inline const QString ArchiveAccessText =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione "
                   "del programma.");

// Said, as a warning, when a save gave up because another copy of the program held the file.
inline const QString ArchiveBusyText =
    QStringLiteral("Attenzione: l'archivio è in uso da un'altra copia del programma.\n\r\n\r"
                   "Attendere qualche istante e riprovare.");
// Added to the archive-access and export-failure texts when the disk or quota is full.
inline const QString DiskFullParagraph = QStringLiteral("\n\r\n\rIl disco è pieno: liberare spazio e riprovare.");

// Shows `shownText` as a message of `kind` and writes the error's Text() to standard error.
void Report(QWidget* parent, MessageKind kind, const QString& shownText, const FileError& error);
// As Report, but an error whose cause is another copy holding the file shows the busy warning
// instead, and one whose cause is a full disk adds the disk-full paragraph to `shownText`.
void ReportWriteFailure(QWidget* parent, MessageKind kind, const QString& shownText, const FileError& error);
// The archive-access text, as a message of the kind the screen uses (see ReportWriteFailure).
void ReportArchiveAccess(QWidget* parent, MessageKind kind, const FileError& error);
// A failure the screen does not put into words (the user sees its effect, such as the
// default picture in place of one that could not be saved): standard error only.
void Note(const FileError& error);

// The default error report, for failures that carry a text meant for the user (a print or a
// PDF that failed): an error box showing that text, which goes to standard error too.
void ReportError(QWidget* parent, const QString& errorText);
void ReportError(QWidget* parent, const std::exception& error);

} // namespace Failures
