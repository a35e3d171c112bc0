#pragma once
// A record file in the program folder: fixed-size records back to back, no header.
// Opened anew for each user action: Open (an action that only reads) or OpenForWriting (a
// save), the Count / ReadAt / WriteAt calls it needs, Close.
#include "storage/FileError.h"
#include "storage/Platform.h"
#include "storage/Records.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// Every call that fails throws FileFailure, naming the operation, the file and the system's
// reason.

class TRecordFile {
public:
    // The record file of an archive: its file in the program folder and its record size.
    explicit TRecordFile(const RecordLayout& layout);
    ~TRecordFile(); // closes silently
    TRecordFile(const TRecordFile&) = delete;
    TRecordFile& operator=(const TRecordFile&) = delete;

    // Opens the file for reading only, so that an archive on a read-only medium, marked
    // read-only or owned by another user can still be browsed, searched and exported. A
    // missing file reads as an empty archive and is not created. Anything but a regular file
    // is refused.
    void Open();
    // Opens the file for reading and writing; creates it empty only when it is missing.
    // An existing file is never emptied. A file whose write bits are all clear is refused
    // for every user, the superuser included, and so is anything but a regular file.
    void OpenForWriting();
    // File length div record size; a shorter tail is not a record.
    std::size_t Count();
    // Reads record index (0 <= index < Count()) into record (RecordSize() bytes).
    void ReadAt(std::size_t index, uint8_t* record);
    // index < Count(): overwrites; index == Count(): appends; beyond: fails. WriteAt and
    // Append fail on a file opened with Open.
    // The record is on disk when WriteAt returns. The count and the write happen under the
    // file's save lock (see Append); a failed append leaves the file at its former length.
    void WriteAt(std::size_t index, const uint8_t* record);
    // Appends the record after the last one and returns its index. Another program saving
    // into the same file waits meanwhile (an advisory lock held for this one write), so two
    // programs appending at once never write at the same place and the index returned is
    // where the record really lies. Readers take no lock. A failed write or flush cuts the
    // file back to the length it had, so a sheet that was not confirmed leaves nothing.
    std::size_t Append(const uint8_t* record);
    // Why a write fails when the file was put out of place by another file (a restored copy of
    // the archive) since it was opened: the sheet goes nowhere, and a new save opens the new file.
    static constexpr std::string_view ReplacedReason = "the archive was replaced by a restored copy meanwhile";
    void Close();

    bool IsOpen() const { return access_ != Access::Closed; }
    const RecordLayout& Layout() const { return layout_; }
    std::size_t RecordSize() const { return layout_.size; }
    const std::filesystem::path& Path() const { return path_; }

    // Reads up to `count` whole records from index `first` into buffer; fails unless all
    // of them are there (used by RecordScanner).
    void ReadRecords(std::size_t first, std::size_t count, uint8_t* buffer);

private:
    enum class Access { Closed, Reading, Writing };

    [[noreturn]] void Fail(const char* operation, int error) const;
    [[noreturn]] void Fail(const char* operation, const std::string& reason) const;
    void RequireOpen(const char* operation) const;
    // Writes at `index` (at most the count, taken under the lock); returns the index.
    std::size_t WriteLocked(std::optional<std::size_t> index, const uint8_t* record);

    RecordLayout layout_;
    std::filesystem::path path_;
    std::size_t recordSize_;
    Access access_ = Access::Closed;
    platform::File fd_ = platform::NoFile; // also NoFile while a missing file is open for reading: it has no records
};

// Reads a whole record file from the first record to the last in large blocks.
//     RecordScanner scan(file);
//     while (const uint8_t* record = scan.Next()) use(record, scan.Index());
// The records counted when the scanner is made are the ones it returns. A returned pointer
// stays valid until the next call of Next. The memory held is one block, whatever the size
// of the file.
class RecordScanner {
public:
    // Blocks small enough to stay in the processor's cache between the read that fills them
    // and the look at their records: a scan that looks at a few fields of each record then
    // takes about as long as reading the file once.
    static constexpr std::size_t CachedBlockBytes = 256 << 10;

    explicit RecordScanner(TRecordFile& file, std::size_t blockBytes = 4 << 20);
    const uint8_t* Next(); // nullptr after the last record
    std::size_t Index() const { return index_; } // 0-based index of the record Next returned
    std::size_t Count() const { return count_; }

private:
    TRecordFile& file_;
    std::size_t recordSize_;
    std::size_t count_;
    std::size_t blockRecords_;
    std::unique_ptr<uint8_t[]> buffer_;
    std::size_t blockFirst_ = 0; // index of the buffer's first record
    std::size_t blockCount_ = 0; // records in the buffer
    std::size_t next_ = 0;       // index Next returns next
    std::size_t index_ = 0;
};
