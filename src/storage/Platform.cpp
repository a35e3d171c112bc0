// The part of the platform layer that the standard library carries to every system.
#include "storage/Platform.h"

#include <cerrno>
#include <cstring>
#include <system_error>
#include <thread>

namespace platform {

// The fault seam's part of a read and a write, the same on every system: a read that fails
// or ends early, a write that fails or pauses halfway as on a slow network share. The
// transfer itself is the system's (SystemRead, SystemWrite).

std::int64_t ReadFully(File file, void* buffer, std::size_t len, Offset offset)
{
    if (IoFaults::Inject(IoOp::Read))
        return -1;
    if (IoFaults::ShouldFail(IoOp::ShortRead))
        len /= 2;
    return SystemRead(file, buffer, len, offset);
}

bool WriteFully(File file, const void* buffer, std::size_t len, Offset offset)
{
    if (IoFaults::Inject(IoOp::Write))
        return false;
    const auto pause = IoFaults::WritePause();
    if (pause.count() == 0 || len <= 1)
        return SystemWrite(file, buffer, len, offset);
    const std::size_t half = len / 2;
    if (!SystemWrite(file, buffer, half, offset))
        return false;
    std::this_thread::sleep_for(pause);
    return SystemWrite(file, static_cast<const char*>(buffer) + half, len - half, offset + static_cast<Offset>(half));
}

std::filesystem::path FollowLink(const std::filesystem::path& path)
{
    std::error_code ignored;
    if (!std::filesystem::is_symlink(path, ignored))
        return path;
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, ignored);
    return ignored ? path : target;
}

bool Exists(const std::filesystem::path& path)
{
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

bool IsRegularFile(const std::filesystem::path& path)
{
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

bool IsFolder(const std::filesystem::path& path)
{
    std::error_code ignored;
    return std::filesystem::is_directory(path, ignored);
}

bool MarkedWritable(const std::filesystem::path& path)
{
    using std::filesystem::perms;
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return !error && (status.permissions() & (perms::owner_write | perms::group_write | perms::others_write)) != perms::none;
}

bool MakeFolders(const std::filesystem::path& folder, std::string& why)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error)
        return true;
    why = error.message();
    const std::error_condition condition = error.default_error_condition();
    errno = condition.category() == std::generic_category() ? condition.value() : EIO;
    return false;
}

std::vector<std::filesystem::path> ListFolder(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> entries;
    std::error_code error;
    std::filesystem::directory_iterator entry(folder, error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error))
        entries.push_back(entry->path());
    return entries;
}

std::string ErrorText(int error)
{
    return std::strerror(error);
}

std::string PathText(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::filesystem::path PathOfText(std::string_view utf8)
{
    std::filesystem::path path(std::u8string(utf8.begin(), utf8.end()));
    return path.make_preferred(); // the system's own separator (a backslash on Windows)
}

Cause CauseOf(std::string_view reason)
{
    if (reason.ends_with(BusyReason))
        return Cause::Busy;
    if (reason.ends_with(ErrorText(ENOSPC)))
        return Cause::DiskFull;
#ifdef EDQUOT
    if (reason.ends_with(ErrorText(EDQUOT)))
        return Cause::DiskFull;
#endif
    return Cause::Other;
}

std::string Failure(std::string_view operation, const std::filesystem::path& file, std::string_view reason)
{
    return std::string(operation) + " " + PathText(file) + ": " + std::string(reason);
}

std::string Failure(std::string_view operation, const std::filesystem::path& file, int error)
{
    return Failure(operation, file, ErrorText(error));
}

} // namespace platform
