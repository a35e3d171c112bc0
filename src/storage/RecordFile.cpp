#include "storage/RecordFile.h"

#include "storage/Platform.h"
#include "storage/ProgramFolder.h"

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace {

// Releases the save lock however the write ends.
class SaveLock {
public:
    explicit SaveLock(platform::File fd) : fd_(fd) {}
    ~SaveLock()
    {
        if (held_)
            platform::UnlockWhole(fd_);
    }
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;
    bool Take() { return platform::LockWhole(fd_, platform::SaveLockPatience, held_); }

private:
    platform::File fd_;
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
    if (fd_ != platform::NoFile)
        platform::Close(fd_);
}

void TRecordFile::Open()
{
    Close();
    platform::FileInfo info;
    const platform::File fd = platform::OpenRegular(path_, platform::Access::Read, IoOp::Open, info);
    if (fd == platform::NoFile && errno != ENOENT)
        Fail("open", errno);
    fd_ = fd;
    access_ = Access::Reading;
}

void TRecordFile::OpenForWriting()
{
    Close();
    platform::FileInfo info;
    platform::File fd = platform::OpenRegular(path_, platform::Access::ReadWrite, IoOp::Open, info);
    if (fd != platform::NoFile && info.readOnly) {
        platform::CloseQuietly(fd);
        Fail("open", "the file is marked read-only");
    }
    if (fd == platform::NoFile && errno == ENOENT) {
        // If another program creates it meanwhile, open that one instead.
        fd = platform::CreateNew(path_, IoOp::Create);
        if (fd != platform::NoFile)
            platform::FlushFolder(path_.parent_path());
        else if (errno == EEXIST)
            fd = platform::OpenRegular(path_, platform::Access::ReadWrite, IoOp::Open, info);
    }
    if (fd == platform::NoFile)
        Fail("open", errno);
    fd_ = fd;
    access_ = Access::Writing;
}

std::size_t TRecordFile::Count()
{
    RequireOpen("count");
    if (fd_ == platform::NoFile)
        return 0;
    platform::Offset size = 0;
    if (!platform::Size(fd_, size))
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
    if (fd_ == platform::NoFile)
        Fail("read", "short read of record " + std::to_string(first));
    const std::int64_t got = platform::ReadFully(fd_, buffer, bytes, static_cast<platform::Offset>(first * recordSize_));
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
        Fail("lock", errno == EAGAIN ? std::string(platform::BusyReason) : platform::ErrorText(errno));
    // Restoring a copy of the archive puts a new file in place of this one while it holds the
    // lock: a save that waited for it must not go into the file that was replaced.
    if (platform::FileInfo opened; platform::Info(fd_, opened) && !platform::StillNamed(path_, opened))
        Fail("write", std::string(ReplacedReason));
    platform::Offset length = 0;
    if (!platform::Size(fd_, length))
        Fail("count", errno);
    const std::size_t count = static_cast<std::size_t>(length) / recordSize_;
    const std::size_t index = wanted.value_or(count);
    if (index > count)
        Fail("write", "record " + std::to_string(index) + " beyond the end (" + std::to_string(count) + " records)");
    const bool appending = index == count;
    const char* failed = nullptr;
    if (!platform::WriteFully(fd_, record, recordSize_, static_cast<platform::Offset>(index * recordSize_)))
        failed = "write";
    else if (!platform::FlushData(fd_))
        failed = "flush";
    if (failed) {
        const int error = errno;
        // An overwrite cannot be undone; an append can: the record was never confirmed.
        if (appending && platform::Truncate(fd_, length))
            platform::FlushData(fd_);
        Fail(failed, error);
    }
    return index;
}

void TRecordFile::Close()
{
    access_ = Access::Closed;
    if (fd_ == platform::NoFile)
        return;
    const platform::File fd = fd_;
    fd_ = platform::NoFile;
    if (!platform::Close(fd))
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
