#pragma once
// A file written beside its target under a temporary name and then renamed into the
// target's place, so the target is never seen half-written. Removed again unless renamed.
#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

class TemporaryFile {
public:
    // keepMode: the rights of the file it replaces; none for a new file (the umask applies).
    TemporaryFile(const std::filesystem::path& target, std::optional<mode_t> keepMode);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool Created() const { return created_; }

    // Writes bytes after those written so far.
    bool Append(const void* bytes, std::size_t size);
    // Makes what was written durable and puts the file in the target's place.
    bool Replace(const std::filesystem::path& target);
    bool WriteAndReplace(const std::string& bytes, const std::filesystem::path& target)
    {
        return Append(bytes.data(), bytes.size()) && Replace(target);
    }

private:
    std::filesystem::path path_;
    int fd_ = -1;
    off_t written_ = 0;
    bool created_ = false;
    bool renamed_ = false;
};
