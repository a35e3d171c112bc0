#include "report/DocumentFile.h"

#include "storage/PosixIo.h"
#include "storage/TemporaryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace report {

std::optional<std::string> WriteDocumentFile(const std::filesystem::path& requested, std::string_view bytes)
{
    std::error_code ignored;
    std::filesystem::path target = requested;
    if (std::filesystem::is_symlink(target, ignored))
        target = std::filesystem::weakly_canonical(target, ignored); // the file it points at is replaced

    std::optional<mode_t> keepMode;
    const int fd = posix_io::Open(target.c_str(), O_WRONLY | O_NONBLOCK, IoOp::Open);
    if (fd >= 0) {
        struct stat info {};
        const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
        ::close(fd);
        if (!regular)
            return "not a regular file";
        keepMode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        return posix_io::ErrorText(errno);
    }

    TemporaryFile temporary(target, keepMode);
    if (!temporary.Created())
        return posix_io::ErrorText(errno);
    if (!temporary.WriteAndReplace(std::string(bytes), target))
        return posix_io::ErrorText(errno);
    return std::nullopt;
}

} // namespace report
