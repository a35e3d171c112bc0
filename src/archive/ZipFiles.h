#pragma once
// Zip files of whole files, which any archiver opens: written and read with libzip, the file
// bytes packed with zlib's deflate. All file access goes through the storage layer, so that
// a failure names the file and the system's reason like every other failure of the core.
#include "storage/FileError.h"
#include "storage/FileOutcome.h"
#include "storage/Platform.h"
#include "storage/Progress.h"

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TemporaryFile;
struct zip;
struct zip_source;

namespace zipfiles {

// A regular file opened for reading, read in blocks at any offset (from several threads).
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // False with the error when it cannot be opened; `missing` tells that there is no such
    // file, or nothing but a folder, a pipe or a device under its name.
    bool Open(const std::filesystem::path& path, FileError& error, bool& missing);

    const std::filesystem::path& Path() const { return path_; }
    std::uint64_t Size() const { return size_; }
    std::time_t Modified() const { return modified_; }
    // The bytes read (fewer at the end of the file); -1 with errno set on failure.
    long long ReadAt(void* buffer, std::size_t length, std::uint64_t offset) const;
    // The CRC-32 of the whole file, as a zip records it; nothing when it cannot be read.
    std::optional<std::uint32_t> Crc32() const;

private:
    std::filesystem::path path_;
    platform::File fd_ = platform::NoFile;
    std::uint64_t size_ = 0;
    std::time_t modified_ = 0;
};

// Writes a zip holding each of `files` under its file name, packing them on every processor
// of the machine, to `out`, which the caller then puts in place. The zip is made in memory,
// where it takes its packed size.
FileOutcome WriteZip(const std::vector<const InputFile*>& files, TemporaryFile& out, Progress& progress);

// One file in a zip.
struct Entry {
    std::uint64_t index = 0;
    std::uint64_t size = 0; // unpacked
    std::uint32_t crc = 0;
};

// A zip opened for reading.
class ZipReader {
public:
    ZipReader();
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    bool Open(const std::filesystem::path& path, FileError& error);
    // The entry of that name; nothing when the zip does not hold it.
    std::optional<Entry> Find(const std::string& name) const;
    // Writes the entry's bytes after those of `out`; libzip checks them against the zip's
    // checksum. `advanced` is told of every block written.
    bool Extract(const Entry& entry, TemporaryFile& out, const std::function<void(std::uint64_t)>& advanced,
                 FileError& error) const;

private:
    class Source;
    InputFile file_;
    std::unique_ptr<Source> source_;
    zip* archive_ = nullptr;
};

} // namespace zipfiles
