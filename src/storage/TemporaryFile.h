#pragma once
// A file written beside its target under a temporary name and then renamed into the
// target's place, so the target is never seen half-written. Removed again unless renamed.
//
// Every temporary file of the program has one name, ".<target>.velorbis-<pid>-<n>.tmp": the
// process that writes it and a number of its own. A process killed before the rename leaves
// its file behind; RemoveStaleTemporaryFiles clears those away when the program starts.
#include "storage/FileError.h"
#include "storage/Platform.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What replacing a file may do. A link is followed: the file it points at is the one
// replaced. An existing file must be a regular file that this process may write as it is,
// and one whose write bits are all off is refused for every user, the superuser included
// (the rename would otherwise put a new file in place of a file the user protected). The
// new file takes the rights of the one it replaces.
struct Replacement {
    std::filesystem::path target;   // the file to put the new one in place of
    std::optional<unsigned> keepMode; // its rights; none when there is no such file yet
    std::string whyNot;             // why it may not be replaced ("the file is marked read-only"); empty when it may
    bool Allowed() const { return whyNot.empty(); }
    // The refusal as a failure: "replace <file>: <why not>".
    FileError Refusal() const;
};
Replacement PlanReplacement(const std::filesystem::path& requested);

class TemporaryFile {
public:
    // keepMode: the rights of the file it replaces; none for a new file (the umask applies).
    TemporaryFile(const std::filesystem::path& target, std::optional<unsigned> keepMode);
    // Beside the target of a replacement that is allowed, with the rights it keeps.
    explicit TemporaryFile(const Replacement& replacement)
        : TemporaryFile(replacement.target, replacement.keepMode)
    {
    }
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool Created() const { return created_; }
    const std::filesystem::path& Path() const { return path_; }

    // Writes bytes after those written so far.
    bool Append(const void* bytes, std::size_t size);
    // Makes what was written durable, for a caller that replaces several files only once all
    // of them are complete.
    bool Flush();
    // Makes what was written durable and puts the file in the target's place.
    bool Replace(const std::filesystem::path& target);
    bool WriteAndReplace(std::string_view bytes, const std::filesystem::path& target)
    {
        return Append(bytes.data(), bytes.size()) && Replace(target);
    }

private:
    void StreamToDisk();

    std::filesystem::path path_;
    platform::File fd_ = platform::NoFile;
    platform::Offset written_ = 0;
    platform::Offset streamed_ = 0; // bytes handed to the disk so far
    bool created_ = false;
    bool renamed_ = false;
};

// The process whose temporary file `name` is, when the name is exactly one a TemporaryFile
// gives; nothing for any other name.
std::optional<platform::ProcessId> TemporaryFileProcess(std::string_view name);

// Removes from `folder` (not from its subfolders) every regular file that a TemporaryFile
// of a process no longer running left there. A file of a process that still runs, a file
// under any other name and anything but a regular file are left alone. Returns why the
// files that could not be removed stayed ("remove <file>: <reason>").
std::vector<FileError> RemoveStaleTemporaryFiles(const std::filesystem::path& folder);
