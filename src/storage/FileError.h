#pragma once
// The one shape in which the core says why something failed: what was attempted, on which
// file, and the system's reason. A call that throws throws a FileFailure holding it; a call
// that reports returns it as the error half of its outcome (FileOutcome, the results of
// SheetArchive). kit/Failures takes it as it is, so every screen reports every failure the
// same way.
#include "storage/Platform.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

struct FileError {
    std::string operation;      // "open", "write beside", "replace"...; empty for a bare reason
    std::filesystem::path path; // the file; empty when no file is concerned
    std::string reason;         // the system's reason ("Permission denied", platform::BusyReason)

    // The error of a system call: errno's text as the reason.
    static FileError OfErrno(std::string_view operation, const std::filesystem::path& path, int error);

    // "<operation> <path>: <reason>" (platform::Failure), for instance "open /x/Database.pro:
    // Permission denied": what standard error gets. Without an operation, the reason alone.
    std::string Text() const;
    // Another copy holding the file, a full disk or quota, anything else.
    platform::Cause Cause() const { return platform::CauseOf(reason); }
};

// The exception every throwing call of the core throws for a failure. what() is the error's
// Text(), or the summary it was thrown with (a settings write says "Unable to write to <file>").
class FileFailure : public std::runtime_error {
public:
    explicit FileFailure(FileError error);
    FileFailure(FileError error, const std::string& summary);
    const FileError& Error() const { return error_; }

private:
    FileError error_;
};
