#include "storage/TemporaryFile.h"

#include "storage/PosixIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

TemporaryFile::TemporaryFile(const std::filesystem::path& target, std::optional<mode_t> keepMode)
{
    static unsigned serial = 0;
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        path_ = target.parent_path()
            / ("." + target.filename().string() + "." + std::to_string(::getpid()) + "." + std::to_string(serial++)
               + ".tmp");
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

bool TemporaryFile::Append(const void* bytes, std::size_t length)
{
    if (fd_ < 0 || !posix_io::WriteFully(fd_, bytes, length, size_))
        return false;
    size_ += static_cast<off_t>(length);
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

bool TemporaryFile::WriteAndReplace(const std::string& bytes, const std::filesystem::path& target)
{
    return Append(bytes.data(), bytes.size()) && Replace(target);
}
