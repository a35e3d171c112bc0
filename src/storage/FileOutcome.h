#pragma once
// The outcome of a file operation that reports rather than throws: it succeeded, or it failed
// and Reason() says what was refused and why ("write /x/Logo.bmp: No space left on device").
#include <string>
#include <utility>

class FileOutcome {
public:
    static FileOutcome Done() { return FileOutcome(); }
    static FileOutcome Failed(std::string reason) { return FileOutcome(std::move(reason)); }

    bool Succeeded() const { return !failed_; }
    explicit operator bool() const { return Succeeded(); }
    const std::string& Reason() const { return reason_; }

private:
    FileOutcome() = default;
    explicit FileOutcome(std::string reason) : failed_(true), reason_(std::move(reason)) {}

    bool failed_ = false;
    std::string reason_;
};
