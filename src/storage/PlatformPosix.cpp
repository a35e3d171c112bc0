// The platform layer on Linux: POSIX calls, and Linux's open file description locks.
#include "storage/Platform.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <thread>

namespace platform {

namespace {

int Descriptor(File file)
{
    return static_cast<int>(file);
}

int OpenFlags(Access access)
{
    switch (access) {
    case Access::Read:
        return O_RDONLY;
    case Access::Write:
        return O_WRONLY;
    case Access::ReadWrite:
        return O_RDWR;
    }
    return O_RDONLY;
}

File OpenWith(const std::filesystem::path& path, int flags, IoOp op, mode_t mode = 0)
{
    if (IoFaults::Inject(op))
        return NoFile;
    int fd;
    do
        fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

void Describe(const struct stat& status, FileInfo& info)
{
    info.size = status.st_size;
    info.modified = status.st_mtime;
    info.readOnly = (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    info.rights = status.st_mode & 07777;
    info.volume = status.st_dev;
    info.index = status.st_ino;
}

} // namespace

File OpenRegular(const std::filesystem::path& path, Access access, IoOp op, FileInfo& info, bool noFollow)
{
    info = {};
    const int fd = static_cast<int>(OpenWith(path, OpenFlags(access) | O_NONBLOCK | (noFollow ? O_NOFOLLOW : 0), op));
    if (fd < 0)
        return NoFile;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const int error = S_ISDIR(status.st_mode) ? EISDIR : ENODEV;
        ::close(fd);
        errno = error;
        return NoFile;
    }
    Describe(status, info);
    // Back to ordinary reads and writes (a regular file ignores the flag, a lock wait does not).
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

File CreateNew(const std::filesystem::path& path, IoOp op)
{
    return OpenWith(path, O_RDWR | O_CREAT | O_EXCL, op, 0666);
}

bool Info(File file, FileInfo& info)
{
    struct stat status {};
    if (::fstat(Descriptor(file), &status) != 0)
        return false;
    Describe(status, info);
    return true;
}

void SetRights(File file, unsigned rights)
{
    ::fchmod(Descriptor(file), static_cast<mode_t>(rights));
}

std::int64_t SystemRead(File file, void* buffer, std::size_t len, Offset offset)
{
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < len) {
        const ssize_t n = ::pread(Descriptor(file), bytes + done, len - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

bool SystemWrite(File file, const void* buffer, std::size_t len, Offset offset)
{
    const auto* bytes = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < len) {
        const ssize_t n = ::pwrite(Descriptor(file), bytes + done, len - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool FlushData(File file)
{
    if (IoFaults::Inject(IoOp::Flush))
        return false;
    return ::fdatasync(Descriptor(file)) == 0;
}

bool FlushAll(File file)
{
    if (IoFaults::Inject(IoOp::Flush))
        return false;
    return ::fsync(Descriptor(file)) == 0;
}

bool Close(File file)
{
    if (IoFaults::Inject(IoOp::Close)) {
        ::close(Descriptor(file)); // the descriptor must not leak even when the failure is simulated
        errno = IoFaults::InjectedErrno;
        return false;
    }
    // Linux releases the descriptor even when close reports an error: never retry.
    return ::close(Descriptor(file)) == 0 || errno == EINTR;
}

void CloseQuietly(File file)
{
    ::close(Descriptor(file));
}

bool Size(File file, Offset& size)
{
    if (IoFaults::Inject(IoOp::Stat))
        return false;
    struct stat status {};
    if (::fstat(Descriptor(file), &status) != 0)
        return false;
    size = status.st_size;
    return true;
}

bool Truncate(File file, Offset length)
{
    int result;
    do
        result = ::ftruncate(Descriptor(file), static_cast<off_t>(length));
    while (result != 0 && errno == EINTR);
    return result == 0;
}

void StartWriteBack(File file, Offset start, Offset length)
{
    ::sync_file_range(Descriptor(file), start, length, SYNC_FILE_RANGE_WRITE);
}

void FinishWriteBack(File file, Offset start, Offset length)
{
    ::sync_file_range(Descriptor(file), start, length,
                      SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
    ::posix_fadvise(Descriptor(file), start, length, POSIX_FADV_DONTNEED);
}

bool LockWhole(File file, std::chrono::milliseconds patience, bool& held)
{
    held = false;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET; // l_start 0, l_len 0: the whole file, however long it grows
    const auto deadline = std::chrono::steady_clock::now() + patience;
    auto wait = std::chrono::microseconds(200);
    for (;;) {
        if (::fcntl(Descriptor(file), F_OFD_SETLK, &lock) == 0) {
            held = true;
            return true;
        }
        if (errno == ENOLCK || errno == EINVAL || errno == EOPNOTSUPP)
            return true;
        if (errno != EAGAIN && errno != EACCES && errno != EINTR)
            return false;
        if (std::chrono::steady_clock::now() >= deadline) {
            errno = EAGAIN;
            return false;
        }
        std::this_thread::sleep_for(wait);
        wait = std::min(wait * 2, std::chrono::microseconds(20000));
    }
}

void UnlockWhole(File file)
{
    struct flock lock {};
    lock.l_type = F_UNLCK;
    lock.l_whence = SEEK_SET;
    ::fcntl(Descriptor(file), F_OFD_SETLK, &lock);
}

bool Rename(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (IoFaults::Inject(IoOp::Rename))
        return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

void FlushFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

bool RemoveFile(const std::filesystem::path& path)
{
    return ::unlink(path.c_str()) == 0;
}

bool IsRegularNotLink(const std::filesystem::path& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool StillNamed(const std::filesystem::path& path, const FileInfo& info)
{
    struct stat named {};
    return ::stat(path.c_str(), &named) == 0 && named.st_dev == info.volume && named.st_ino == info.index;
}

ProcessId CurrentProcess()
{
    return ::getpid();
}

std::filesystem::path ExecutablePath()
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::canonical("/proc/self/exe", error);
    return error ? std::filesystem::path() : path;
}

bool ProcessRuns(ProcessId process)
{
    return ::kill(static_cast<pid_t>(process), 0) == 0 || errno != ESRCH;
}

} // namespace platform
