#include "storage/PosixIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

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

} // namespace posix_io
