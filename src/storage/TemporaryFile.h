#pragma once
// A new version of a file, written beside it under a temporary name and put in its place
// only once it is complete and on disk: the file is never left half-written.
#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

class TemporaryFile {
public:
    // keepMode: the rights of the file it replaces; none for a new file (the umask applies).
    TemporaryFile(const std::filesystem::path& target, std::optional<mode_t> keepMode);
    // Removes the temporary file unless it was put in place.
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool Created() const { return created_; }

    // Adds bytes at the end of the new version.
    bool Append(const void* bytes, std::size_t length);
    // Makes the new version durable and puts it in the target's place.
    bool Replace(const std::filesystem::path& target);
    // Append and Replace in one.
    bool WriteAndReplace(const std::string& bytes, const std::filesystem::path& target);

private:
    std::filesystem::path path_;
    int fd_ = -1;
    off_t size_ = 0;
    bool created_ = false;
    bool renamed_ = false;
};
