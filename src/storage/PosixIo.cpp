#include "storage/PosixIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>

namespace posix_io {

namespace {
bool Injected(IoOp op)
{
    if (!IoFaults::ShouldFail(op))
        return false;
    errno = IoFaults::InjectedErrno;
    return true;
}
} // namespace

int Open(const char* path, int flags, IoOp op, mode_t mode)
{
    if (Injected(op))
        return -1;
    int fd;
    do
        fd = ::open(path, flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

ssize_t ReadFully(int fd, void* buffer, std::size_t len, off_t offset)
{
    if (Injected(IoOp::Read))
        return -1;
    if (IoFaults::ShouldFail(IoOp::ShortRead))
        len /= 2;
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < len) {
        const ssize_t n = ::pread(fd, bytes + done, len - done, offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

bool WriteFully(int fd, const void* buffer, std::size_t len, off_t offset)
{
    if (Injected(IoOp::Write))
        return false;
    const auto* bytes = static_cast<const char*>(buffer);
    std::size_t done = 0;
    const auto pause = IoFaults::WritePause();
    if (pause.count() > 0 && len > 1) {
        if (!WriteFully(fd, bytes, len / 2, offset))
            return false;
        std::this_thread::sleep_for(pause);
        done = len / 2;
    }
    while (done < len) {
        const ssize_t n = ::pwrite(fd, bytes + done, len - done, offset + static_cast<off_t>(done));
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

bool FlushData(int fd)
{
    if (Injected(IoOp::Flush))
        return false;
    return ::fdatasync(fd) == 0;
}

bool FlushAll(int fd)
{
    if (Injected(IoOp::Flush))
        return false;
    return ::fsync(fd) == 0;
}

bool Close(int fd)
{
    if (Injected(IoOp::Close)) {
        ::close(fd); // the descriptor must not leak even when the failure is simulated
        errno = IoFaults::InjectedErrno;
        return false;
    }
    // Linux releases the descriptor even when close reports an error: never retry.
    return ::close(fd) == 0 || errno == EINTR;
}

bool Size(int fd, off_t& size)
{
    if (Injected(IoOp::Stat))
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return false;
    size = info.st_size;
    return true;
}

bool Truncate(int fd, off_t length)
{
    int result;
    do
        result = ::ftruncate(fd, length);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

int OpenRegular(const char* path, int flags, IoOp op, struct stat& info)
{
    info = {};
    const int fd = Open(path, flags | O_NONBLOCK, op);
    if (fd < 0)
        return -1;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : ENODEV;
        ::close(fd);
        errno = error;
        return -1;
    }
    // Back to ordinary reads and writes (a regular file ignores the flag, a lock wait does not).
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool LockWhole(int fd, std::chrono::milliseconds patience, bool& held)
{
    held = false;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET; // l_start 0, l_len 0: the whole file, however long it grows
    const auto deadline = std::chrono::steady_clock::now() + patience;
    auto wait = std::chrono::microseconds(200);
    for (;;) {
        if (::fcntl(fd, F_OFD_SETLK, &lock) == 0) {
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

void UnlockWhole(int fd)
{
    struct flock lock {};
    lock.l_type = F_UNLCK;
    lock.l_whence = SEEK_SET;
    ::fcntl(fd, F_OFD_SETLK, &lock);
}

bool Rename(const char* from, const char* to)
{
    if (Injected(IoOp::Rename))
        return false;
    return ::rename(from, to) == 0;
}

void FlushFolder(const char* folder)
{
    const int fd = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

std::string ErrorText(int error)
{
    return std::strerror(error);
}

Cause CauseOf(std::string_view reason)
{
    if (reason.ends_with(BusyReason))
        return Cause::Busy;
    if (reason.ends_with(ErrorText(ENOSPC)) || reason.ends_with(ErrorText(EDQUOT)))
        return Cause::DiskFull;
    return Cause::Other;
}

std::string Failure(std::string_view operation, const std::filesystem::path& file, std::string_view reason)
{
    return std::string(operation) + " " + file.string() + ": " + std::string(reason);
}

std::string Failure(std::string_view operation, const std::filesystem::path& file, int error)
{
    return Failure(operation, file, ErrorText(error));
}

} // namespace posix_io
