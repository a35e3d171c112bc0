#include "storage/RecordFile.h"

#include "storage/PosixIo.h"
#include "storage/ProgramFolder.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>

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
    if (fd_ >= 0)
        Close();
    const std::string path = path_.string();
    int fd = posix_io::Open(path.c_str(), O_RDWR, IoOp::Open);
    if (fd < 0 && errno == ENOENT) {
        // O_EXCL: if another program creates it meanwhile, open that one instead.
        fd = posix_io::Open(path.c_str(), O_RDWR | O_CREAT | O_EXCL, IoOp::Create, 0666);
        if (fd >= 0)
            posix_io::FlushFolder(path_.parent_path().empty() ? "." : path_.parent_path().c_str());
        else if (errno == EEXIST)
            fd = posix_io::Open(path.c_str(), O_RDWR, IoOp::Open);
    }
    if (fd < 0)
        Fail("open", errno);
    fd_ = fd;
}

std::size_t TRecordFile::Count()
{
    RequireOpen("count");
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
    const ssize_t got = posix_io::ReadFully(fd_, buffer, bytes, static_cast<off_t>(first * recordSize_));
    if (got < 0)
        Fail("read", errno);
    if (static_cast<std::size_t>(got) != bytes)
        Fail("read", "short read of record " + std::to_string(first + static_cast<std::size_t>(got) / recordSize_));
}

void TRecordFile::WriteAt(std::size_t index, const uint8_t* record)
{
    RequireOpen("write");
    const std::size_t count = Count();
    if (index > count)
        Fail("write", "record " + std::to_string(index) + " beyond the end (" + std::to_string(count) + " records)");
    if (!posix_io::WriteFully(fd_, record, recordSize_, static_cast<off_t>(index * recordSize_)))
        Fail("write", errno);
    if (!posix_io::FlushData(fd_))
        Fail("flush", errno);
}

void TRecordFile::Close()
{
    if (fd_ < 0)
        return;
    const int fd = fd_;
    fd_ = -1;
    if (!posix_io::Close(fd))
        Fail("close", errno);
}

void TRecordFile::RequireOpen(const char* operation) const
{
    if (fd_ < 0)
        Fail(operation, "file not open");
}

void TRecordFile::Fail(const char* operation, int error) const
{
    Fail(operation, posix_io::ErrorText(error));
}

void TRecordFile::Fail(const char* operation, const std::string& reason) const
{
    throw ArchiveError(std::string(operation) + " " + path_.string() + ": " + reason);
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
