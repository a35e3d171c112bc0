#include "storage/TemporaryFile.h"

#include "storage/PosixIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Long enough to tell whose temporary file it is, short enough that the temporary name of
// a target with a name near the system's limit still fits.
constexpr std::size_t NameKept = 160;

} // namespace

TemporaryFile::TemporaryFile(const std::filesystem::path& target, std::optional<mode_t> keepMode)
{
    static unsigned serial = 0;
    std::string name = target.filename().string();
    if (name.size() > NameKept)
        name.resize(NameKept);
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        path_ = target.parent_path()
            / ("." + name + "." + std::to_string(::getpid()) + "." + std::to_string(serial++) + ".tmp");
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
    return true;
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
