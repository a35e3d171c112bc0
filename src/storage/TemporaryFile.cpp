#include "storage/TemporaryFile.h"

#include "storage/PosixIo.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <limits>
#include <system_error>

namespace {

// Long enough to tell whose temporary file it is, short enough that the temporary name of
// a target with a name near the system's limit still fits.
constexpr std::size_t NameKept = 160;

constexpr std::string_view Mark = ".velorbis-";
constexpr std::string_view Ending = ".tmp";

std::string TemporaryName(std::string name, pid_t process, unsigned serial)
{
    if (name.size() > NameKept)
        name.resize(NameKept);
    return "." + name + std::string(Mark) + std::to_string(process) + "-" + std::to_string(serial)
        + std::string(Ending);
}

// A number as TemporaryName writes it: decimal digits without a leading zero.
template <class Number>
std::optional<Number> WrittenNumber(std::string_view digits)
{
    if (digits.empty() || (digits.size() > 1 && digits.front() == '0'))
        return std::nullopt;
    for (const char c : digits)
        if (c < '0' || c > '9')
            return std::nullopt;
    Number value{};
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

// True unless the process is known to have ended; a process of another user counts as
// running.
bool ProcessRuns(pid_t process)
{
    return ::kill(process, 0) == 0 || errno != ESRCH;
}

} // namespace

Replacement PlanReplacement(const std::filesystem::path& requested)
{
    Replacement plan{requested, std::nullopt, {}};
    std::error_code ignored;
    if (std::filesystem::is_symlink(requested, ignored))
        plan.target = std::filesystem::weakly_canonical(requested, ignored);

    const int fd = posix_io::Open(plan.target.c_str(), O_WRONLY | O_NONBLOCK, IoOp::Open);
    if (fd < 0) {
        if (errno != ENOENT)
            plan.whyNot = posix_io::ErrorText(errno);
        return plan;
    }
    struct stat info {};
    const bool known = ::fstat(fd, &info) == 0;
    ::close(fd);
    if (!known || !S_ISREG(info.st_mode))
        plan.whyNot = "not a regular file";
    else if (posix_io::MarkedReadOnly(info))
        plan.whyNot = "the file is marked read-only";
    else
        plan.keepMode = info.st_mode & 07777;
    return plan;
}

FileError Replacement::Refusal() const
{
    return {"replace", target, whyNot};
}

TemporaryFile::TemporaryFile(const std::filesystem::path& target, std::optional<mode_t> keepMode)
{
    static unsigned serial = 0;
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        path_ = target.parent_path() / TemporaryName(target.filename().string(), ::getpid(), serial++);
        fd_ = posix_io::Open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL, IoOp::Create, 0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    created_ = fd_ >= 0;
    if (created_ && keepMode)
        ::fchmod(fd_, *keepMode);
}

TemporaryFile::~TemporaryFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (created_ && !renamed_)
        ::unlink(path_.c_str());
}

bool TemporaryFile::Append(const void* bytes, std::size_t size)
{
    if (fd_ < 0 || !posix_io::WriteFully(fd_, bytes, size, written_))
        return false;
    written_ += static_cast<off_t>(size);
    StreamToDisk();
    return true;
}

void TemporaryFile::StreamToDisk()
{
    // A large file (an export of a million sheets is gigabytes) goes to the disk while it is
    // written instead of all at the flush: the disk works while the file is made, the flush
    // at the end stays short, and the pages already on the disk are given back instead of
    // pushing the archive out of the system's cache. Failures here show at the flush.
    constexpr off_t Stretch = off_t(8) << 20;
    while (written_ - streamed_ >= Stretch) {
        ::sync_file_range(fd_, streamed_, Stretch, SYNC_FILE_RANGE_WRITE);
        if (streamed_ >= 2 * Stretch) {
            const off_t done = streamed_ - 2 * Stretch;
            ::sync_file_range(fd_, done, Stretch,
                              SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
            ::posix_fadvise(fd_, done, Stretch, POSIX_FADV_DONTNEED);
        }
        streamed_ += Stretch;
    }
}

bool TemporaryFile::Flush()
{
    return fd_ >= 0 && posix_io::FlushAll(fd_);
}

bool TemporaryFile::Replace(const std::filesystem::path& target)
{
    if (fd_ < 0 || !posix_io::FlushAll(fd_))
        return false;
    const int fd = fd_;
    fd_ = -1;
    if (!posix_io::Close(fd) || !posix_io::Rename(path_.c_str(), target.c_str()))
        return false;
    renamed_ = true;
    const std::filesystem::path folder = target.parent_path();
    posix_io::FlushFolder(folder.empty() ? "." : folder.c_str());
    return true;
}

std::optional<pid_t> TemporaryFileProcess(std::string_view name)
{
    if (name.size() <= 1 + Mark.size() + Ending.size() || name.front() != '.' || !name.ends_with(Ending))
        return std::nullopt;
    name.remove_suffix(Ending.size());
    const std::size_t mark = name.rfind(Mark);
    if (mark == std::string_view::npos || mark < 2) // the target's name holds at least one character
        return std::nullopt;
    const std::string_view numbers = name.substr(mark + Mark.size());
    const std::size_t dash = numbers.find('-');
    if (dash == std::string_view::npos)
        return std::nullopt;
    const std::optional<pid_t> process = WrittenNumber<pid_t>(numbers.substr(0, dash));
    if (!process || *process <= 0 || !WrittenNumber<unsigned>(numbers.substr(dash + 1)))
        return std::nullopt;
    return process;
}

std::vector<FileError> RemoveStaleTemporaryFiles(const std::filesystem::path& folder)
{
    std::vector<FileError> failures;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error)
        return failures; // no such folder: nothing was left in it
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::filesystem::directory_entry& entry = *entries;
        const std::string name = entry.path().filename().string();
        const std::optional<pid_t> process = TemporaryFileProcess(name);
        if (!process || ProcessRuns(*process))
            continue;
        // Looked at without following a link: only a regular file is ever removed.
        struct stat info {};
        if (::lstat(entry.path().c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        if (::unlink(entry.path().c_str()) != 0 && errno != ENOENT)
            failures.push_back(FileError::OfErrno("remove", entry.path(), errno));
    }
    return failures;
}
