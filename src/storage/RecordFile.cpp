#include "storage/RecordFile.h"

#include "storage/PosixIo.h"
#include "storage/ProgramFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace {

// Releases the save lock however the write ends.
class SaveLock {
public:
    explicit SaveLock(int fd) : fd_(fd) {}
    ~SaveLock()
    {
        if (held_)
            posix_io::UnlockWhole(fd_);
    }
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;
    bool Take() { return posix_io::LockWhole(fd_, posix_io::SaveLockPatience, held_); }

private:
    int fd_;
    bool held_ = false;
};

} // namespace

TRecordFile::TRecordFile(const RecordLayout& layout)
    : layout_(layout), path_(ProgramFile(layout.fileName)), recordSize_(layout.size)
{
    if (recordSize_ == 0)
        throw std::invalid_argument("record size 0");
}

TRecordFile::~TRecordFile()
{
    if (fd_ >= 0)
        posix_io::Close(fd_);
}

void TRecordFile::Open()
{
    Close();
    const std::string path = path_.string();
    struct stat info {};
    const int fd = posix_io::OpenRegular(path.c_str(), O_RDONLY, IoOp::Open, info);
    if (fd < 0 && errno != ENOENT)
        Fail("open", errno);
    fd_ = fd;
    access_ = Access::Reading;
}

void TRecordFile::OpenForWriting()
{
    Close();
    const std::string path = path_.string();
    struct stat info {};
    int fd = posix_io::OpenRegular(path.c_str(), O_RDWR, IoOp::Open, info);
    if (fd >= 0 && posix_io::MarkedReadOnly(info)) {
        ::close(fd);
        Fail("open", "the file is marked read-only");
    }
    if (fd < 0 && errno == ENOENT) {
        // O_EXCL: if another program creates it meanwhile, open that one instead.
        fd = posix_io::Open(path.c_str(), O_RDWR | O_CREAT | O_EXCL, IoOp::Create, 0666);
        if (fd >= 0)
            posix_io::FlushFolder(path_.parent_path().empty() ? "." : path_.parent_path().c_str());
        else if (errno == EEXIST)
            fd = posix_io::OpenRegular(path.c_str(), O_RDWR, IoOp::Open, info);
    }
    if (fd < 0)
        Fail("open", errno);
    fd_ = fd;
    access_ = Access::Writing;
}

std::size_t TRecordFile::Count()
{
    RequireOpen("count");
    if (fd_ < 0)
        return 0;
    off_t size = 0;
    if (!posix_io::Size(fd_, size))
        Fail("count", errno);
    return static_cast<std::size_t>(size) / recordSize_;
}

void TRecordFile::ReadAt(std::size_t index, uint8_t* record)
{
    ReadRecords(index, 1, record);
}

void TRecordFile::ReadRecords(std::size_t first, std::size_t count, uint8_t* buffer)
{
    RequireOpen("read");
    const std::size_t bytes = count * recordSize_;
    if (bytes == 0)
        return;
    if (fd_ < 0)
        Fail("read", "short read of record " + std::to_string(first));
    const ssize_t got = posix_io::ReadFully(fd_, buffer, bytes, static_cast<off_t>(first * recordSize_));
    if (got < 0)
        Fail("read", errno);
    if (static_cast<std::size_t>(got) != bytes)
        Fail("read", "short read of record " + std::to_string(first + static_cast<std::size_t>(got) / recordSize_));
}

void TRecordFile::WriteAt(std::size_t index, const uint8_t* record)
{
    WriteLocked(index, record);
}

std::size_t TRecordFile::Append(const uint8_t* record)
{
    return WriteLocked(std::nullopt, record);
}

std::size_t TRecordFile::WriteLocked(std::optional<std::size_t> wanted, const uint8_t* record)
{
    RequireOpen("write");
    if (access_ != Access::Writing)
        Fail("write", "the file is open for reading only");
    SaveLock lock(fd_);
    if (!lock.Take())
        Fail("lock", errno == EAGAIN ? std::string(posix_io::BusyReason) : posix_io::ErrorText(errno));
    // Restoring a copy of the archive puts a new file in place of this one while it holds the
    // lock: a save that waited for it must not go into the file that was replaced.
    struct stat opened {};
    struct stat named {};
    if (::fstat(fd_, &opened) == 0
        && (::stat(path_.c_str(), &named) != 0 || named.st_dev != opened.st_dev || named.st_ino != opened.st_ino))
        Fail("write", std::string(ReplacedReason));
    off_t length = 0;
    if (!posix_io::Size(fd_, length))
        Fail("count", errno);
    const std::size_t count = static_cast<std::size_t>(length) / recordSize_;
    const std::size_t index = wanted.value_or(count);
    if (index > count)
        Fail("write", "record " + std::to_string(index) + " beyond the end (" + std::to_string(count) + " records)");
    const bool appending = index == count;
    const char* failed = nullptr;
    if (!posix_io::WriteFully(fd_, record, recordSize_, static_cast<off_t>(index * recordSize_)))
        failed = "write";
    else if (!posix_io::FlushData(fd_))
        failed = "flush";
    if (failed) {
        const int error = errno;
        // An overwrite cannot be undone; an append can: the record was never confirmed.
        if (appending && posix_io::Truncate(fd_, length))
            posix_io::FlushData(fd_);
        Fail(failed, error);
    }
    return index;
}

void TRecordFile::Close()
{
    access_ = Access::Closed;
    if (fd_ < 0)
        return;
    const int fd = fd_;
    fd_ = -1;
    if (!posix_io::Close(fd))
        Fail("close", errno);
}

void TRecordFile::RequireOpen(const char* operation) const
{
    if (access_ == Access::Closed)
        Fail(operation, "file not open");
}

void TRecordFile::Fail(const char* operation, int error) const
{
    throw FileFailure(FileError::OfErrno(operation, path_, error));
}

void TRecordFile::Fail(const char* operation, const std::string& reason) const
{
    throw FileFailure(FileError{operation, path_, reason});
}

RecordScanner::RecordScanner(TRecordFile& file, std::size_t blockBytes)
    : file_(file),
      recordSize_(file.RecordSize()),
      count_(file.Count()),
      blockRecords_(std::max<std::size_t>(1, blockBytes / recordSize_))
{
    blockRecords_ = std::min(blockRecords_, std::max<std::size_t>(1, count_));
    buffer_ = std::make_unique_for_overwrite<uint8_t[]>(blockRecords_ * recordSize_);
}

const uint8_t* RecordScanner::Next()
{
    if (next_ >= count_)
        return nullptr;
    if (next_ >= blockFirst_ + blockCount_) {
        blockFirst_ = next_;
        blockCount_ = std::min(blockRecords_, count_ - next_);
        file_.ReadRecords(blockFirst_, blockCount_, buffer_.get());
    }
    index_ = next_++;
    return buffer_.get() + (index_ - blockFirst_) * recordSize_;
}
