#include "kit/Failures.h"

#include "kit/Maker.h"
#include "storage/PosixIo.h"

#include <cstdio>
#include <string>

namespace Failures {

void Note(std::string_view reason)
{
    const std::string line = Maker::ProgramName.toStdString() + ": " + std::string(reason) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

void Report(QWidget* parent, MessageKind kind, const QString& shownText, std::string_view reason)
{
    Note(reason);
    Messages::Show(parent, kind, shownText);
}

void ReportWriteFailure(QWidget* parent, MessageKind kind, const QString& shownText, std::string_view reason)
{
    switch (posix_io::CauseOf(reason)) {
    case posix_io::Cause::Busy:
        Report(parent, MessageKind::Warning, ArchiveBusyText, reason);
        return;
    case posix_io::Cause::DiskFull:
        Report(parent, kind, shownText + DiskFullParagraph, reason);
        return;
    case posix_io::Cause::Other:
        Report(parent, kind, shownText, reason);
        return;
    }
}

void ReportArchiveAccess(QWidget* parent, MessageKind kind, std::string_view reason)
{
    ReportWriteFailure(parent, kind, ArchiveAccessText, reason);
}

void ReportError(QWidget* parent, const QString& errorText)
{
    Report(parent, MessageKind::Error, errorText, errorText.toStdString());
}

void ReportError(QWidget* parent, const std::exception& error)
{
    ReportError(parent, QString::fromUtf8(error.what()));
}

} // namespace Failures
