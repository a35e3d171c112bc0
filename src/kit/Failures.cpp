#include "kit/Failures.h"

#include "kit/Maker.h"

#include <cstdio>
#include <string>

namespace Failures {

namespace {

// One line on standard error: the program's name, then what failed.
void WriteLine(const std::string& text)
{
    const std::string line = Maker::ProgramName.toStdString() + ": " + text + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

} // namespace

void Note(const FileError& error)
{
    WriteLine(error.Text());
}

void Report(QWidget* parent, MessageKind kind, const QString& shownText, const FileError& error)
{
    Note(error);
    Messages::Show(parent, kind, shownText);
}

void ReportWriteFailure(QWidget* parent, MessageKind kind, const QString& shownText, const FileError& error)
{
    switch (error.Cause()) {
    case platform::Cause::Busy:
        Report(parent, MessageKind::Warning, ArchiveBusyText, error);
        return;
    case platform::Cause::DiskFull:
        Report(parent, kind, shownText + DiskFullParagraph, error);
        return;
    case platform::Cause::Other:
        Report(parent, kind, shownText, error);
        return;
    }
}

void ReportArchiveAccess(QWidget* parent, MessageKind kind, const FileError& error)
{
    ReportWriteFailure(parent, kind, ArchiveAccessText, error);
}

void ReportError(QWidget* parent, const QString& errorText)
{
    WriteLine(errorText.toStdString());
    Messages::Show(parent, MessageKind::Error, errorText);
}

void ReportError(QWidget* parent, const std::exception& error)
{
    ReportError(parent, QString::fromUtf8(error.what()));
}

} // namespace Failures
