#pragma once
// The outcome of a file operation that reports rather than throws: it succeeded, or it failed
// and Error() says what was refused and why ("write /x/Logo.bmp: No space left on device").
#include "storage/FileError.h"

#include <utility>

class FileOutcome {
public:
    static FileOutcome Done() { return FileOutcome(); }
    static FileOutcome Failed(FileError error) { return FileOutcome(std::move(error)); }

    bool Succeeded() const { return !failed_; }
    explicit operator bool() const { return Succeeded(); }
    const FileError& Error() const { return error_; }

private:
    FileOutcome() = default;
    explicit FileOutcome(FileError error) : failed_(true), error_(std::move(error)) {}

    bool failed_ = false;
    FileError error_;
};
