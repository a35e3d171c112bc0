#include "archive/ZipFiles.h"

#include "storage/Platform.h"
#include "storage/TemporaryFile.h"

#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <thread>

namespace zipfiles {

namespace {

constexpr std::size_t BlockBytes = 1 << 20;
// A file is packed in pieces of this size, one after the other on each processor. Each
// piece is deflated on its own and ends on a byte boundary, so that the pieces one after
// the other are the deflated file (as pigz makes it); a piece is large enough that starting
// anew costs nothing to speak of in size.
constexpr std::size_t PieceBytes = 4 << 20;
// The fastest deflate level: the records are mostly padding, which every level packs about
// as tightly, and a copy of a large archive must not hold the user up.
constexpr int DeflateLevel = 1;

// libzip's words for a failure of one of its calls, as the reason of a file error.
FileError ZipError(std::string_view operation, const std::filesystem::path& path, zip_error_t* error)
{
    return {std::string(operation), path, zip_error_strerror(error)};
}

// One piece of a file, deflated.
struct Piece {
    std::size_t file = 0;      // index into the files
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
    bool last = false;         // of its file: ends the deflate stream
    std::vector<unsigned char> packed;
    uLong crc = 0;
};

// A deflater of one thread, with the buffers it reuses for every piece.
class Deflater {
public:
    Deflater() : input_(PieceBytes)
    {
        stream_ = {};
        ready_ = deflateInit2(&stream_, DeflateLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) == Z_OK;
    }
    ~Deflater()
    {
        if (ready_)
            deflateEnd(&stream_);
    }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    bool Pack(const InputFile& file, Piece& piece, FileError& error)
    {
        const long long read = piece.length == 0 ? 0 : file.ReadAt(input_.data(), piece.length, piece.offset);
        if (read < 0) {
            error = FileError::OfErrno("read", file.Path(), errno);
            return false;
        }
        if (static_cast<std::uint64_t>(read) != piece.length) {
            error = {"read", file.Path(), "the file was shortened while it was copied"};
            return false;
        }
        piece.crc = crc32(crc32(0, nullptr, 0), input_.data(), static_cast<uInt>(piece.length));
        if (!ready_ || deflateReset(&stream_) != Z_OK) {
            error = {"pack", file.Path(), "out of memory"};
            return false;
        }
        // Room for the worst case, and the five bytes of the flush that ends a piece.
        output_.resize(deflateBound(&stream_, static_cast<uLong>(piece.length)) + 16);
        stream_.next_in = input_.data();
        stream_.avail_in = static_cast<uInt>(piece.length);
        stream_.next_out = output_.data();
        stream_.avail_out = static_cast<uInt>(output_.size());
        const int result = deflate(&stream_, piece.last ? Z_FINISH : Z_SYNC_FLUSH);
        if (result != (piece.last ? Z_STREAM_END : Z_OK) || stream_.avail_in != 0) {
            error = {"pack", file.Path(), stream_.msg ? stream_.msg : "deflate failed"};
            return false;
        }
        piece.packed.assign(output_.data(), output_.data() + (output_.size() - stream_.avail_out));
        return true;
    }

private:
    z_stream stream_;
    bool ready_ = false;
    std::vector<unsigned char> input_;
    std::vector<unsigned char> output_;
};

// Deflates the files piece by piece on every processor; the calling thread takes pieces too
// and reports the progress.
class Packing {
public:
    explicit Packing(const std::vector<const InputFile*>& files) : files_(files)
    {
        for (std::size_t index = 0; index < files.size(); ++index) {
            const std::uint64_t size = files[index]->Size();
            std::uint64_t offset = 0;
            do {
                const std::uint64_t length = std::min<std::uint64_t>(PieceBytes, size - offset);
                pieces_.push_back({index, offset, length, offset + length == size, {}, 0});
                offset += length;
            } while (offset < size);
        }
    }

    bool Run(Progress& progress, FileError& error)
    {
        const unsigned helpers = std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()),
                                                       pieces_.size()) - 1;
        std::vector<std::thread> threads;
        for (unsigned helper = 0; helper < helpers; ++helper)
            threads.emplace_back([this] {
                Deflater deflater;
                while (Next(deflater)) {
                }
            });
        {
            Deflater deflater;
            while (Next(deflater))
                progress.Reached(done_.load(), pieces_.size());
        }
        for (std::thread& thread : threads)
            thread.join();
        if (failure_)
            error = *failure_;
        return !failure_;
    }

    // The pieces of a file, in order.
    std::vector<Piece*> PiecesOf(std::size_t file)
    {
        std::vector<Piece*> pieces;
        for (Piece& piece : pieces_)
            if (piece.file == file)
                pieces.push_back(&piece);
        return pieces;
    }

private:
    bool Next(Deflater& deflater)
    {
        const std::size_t index = next_.fetch_add(1);
        if (index >= pieces_.size() || failed_.load())
            return false;
        Piece& piece = pieces_[index];
        FileError error;
        if (!deflater.Pack(*files_[piece.file], piece, error)) {
            const std::lock_guard lock(failureGuard_);
            if (!failure_)
                failure_ = error;
            failed_ = true;
            return false;
        }
        ++done_;
        return true;
    }

    const std::vector<const InputFile*>& files_;
    std::vector<Piece> pieces_;
    std::atomic<std::size_t> next_{0};
    std::atomic<std::size_t> done_{0};
    std::atomic<bool> failed_{false};
    std::mutex failureGuard_;
    std::optional<FileError> failure_;
};

// A source whose data libzip asks this program for: the answers every such source shares,
// the data itself from the kind of source.
class FunctionSource {
public:
    FunctionSource() { zip_error_init(&error_); }
    virtual ~FunctionSource() { zip_error_fini(&error_); }
    FunctionSource(const FunctionSource&) = delete;
    FunctionSource& operator=(const FunctionSource&) = delete;

    // A new libzip source; libzip frees it, this object outlives it.
    zip_source_t* Make(zip_error_t* error) { return zip_source_function_create(&FunctionSource::Call, this, error); }

protected:
    virtual void Open() = 0;
    // Up to `length` bytes into `data`; 0 at the end, -1 after setting the error.
    virtual zip_int64_t Read(void* data, zip_uint64_t length) = 0;
    // Fills in what the source knows of its data (zip_stat_init has been called).
    virtual void Describe(zip_stat_t& stat) const = 0;
    // A source that can seek overrides these three.
    virtual zip_int64_t Seek(void*, zip_uint64_t)
    {
        zip_error_set(&error_, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
    virtual zip_int64_t Tell() const { return -1; }
    virtual zip_int64_t Supports() const
    {
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    }

    zip_error_t error_;

private:
    static zip_int64_t Call(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command)
    {
        auto& source = *static_cast<FunctionSource*>(state);
        switch (command) {
        case ZIP_SOURCE_OPEN:
            source.Open();
            return 0;
        case ZIP_SOURCE_READ:
            return source.Read(data, length);
        case ZIP_SOURCE_CLOSE:
        case ZIP_SOURCE_FREE:
            return 0;
        case ZIP_SOURCE_STAT: {
            auto* stat = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &source.error_);
            if (stat == nullptr)
                return -1;
            zip_stat_init(stat);
            source.Describe(*stat);
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&source.error_, data, length);
        case ZIP_SOURCE_SEEK:
            return source.Seek(data, length);
        case ZIP_SOURCE_TELL:
            return source.Tell();
        case ZIP_SOURCE_SUPPORTS:
            return source.Supports();
        default:
            zip_error_set(&source.error_, ZIP_ER_OPNOTSUPP, 0);
            return -1;
        }
    }
};

// A file already deflated, as libzip takes it: libzip stores the deflated bytes as they are,
// with the size, checksum and time given here. A piece is let go once libzip has it.
class PackedSource final : public FunctionSource {
public:
    PackedSource(const InputFile& file, std::vector<Piece*> pieces) : file_(file), pieces_(std::move(pieces))
    {
        for (const Piece* piece : pieces_) {
            packedSize_ += piece->packed.size();
            crc_ = crc32_combine(crc_, piece->crc, static_cast<z_off_t>(piece->length));
        }
    }

private:
    void Open() override
    {
        piece_ = 0;
        offset_ = 0;
    }
    zip_int64_t Read(void* data, zip_uint64_t length) override
    {
        auto* bytes = static_cast<unsigned char*>(data);
        zip_uint64_t done = 0;
        while (done < length && piece_ < pieces_.size()) {
            std::vector<unsigned char>& packed = pieces_[piece_]->packed;
            const std::size_t take = std::min<std::size_t>(length - done, packed.size() - offset_);
            std::memcpy(bytes + done, packed.data() + offset_, take);
            done += take;
            offset_ += take;
            if (offset_ == packed.size()) {
                std::vector<unsigned char>().swap(packed);
                ++piece_;
                offset_ = 0;
            }
        }
        return static_cast<zip_int64_t>(done);
    }
    void Describe(zip_stat_t& stat) const override
    {
        stat.size = file_.Size();
        stat.comp_size = packedSize_;
        stat.comp_method = ZIP_CM_DEFLATE;
        stat.crc = static_cast<zip_uint32_t>(crc_);
        stat.mtime = file_.Modified();
        stat.valid |= ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC | ZIP_STAT_MTIME;
    }

    const InputFile& file_;
    std::vector<Piece*> pieces_;
    std::uint64_t packedSize_ = 0;
    uLong crc_ = crc32(0, nullptr, 0);
    std::size_t piece_ = 0;
    std::size_t offset_ = 0;
};

// Copies what a libzip source holds, from its start, after the bytes of `out`.
bool CopyOut(zip_source_t* source, TemporaryFile& out, FileError& error)
{
    if (zip_source_open(source) != 0) {
        error = ZipError("write", out.Path(), zip_source_error(source));
        return false;
    }
    std::vector<char> block(BlockBytes);
    bool copied = true;
    for (;;) {
        const zip_int64_t read = zip_source_read(source, block.data(), block.size());
        if (read < 0) {
            error = ZipError("write", out.Path(), zip_source_error(source));
            copied = false;
            break;
        }
        if (read == 0)
            break;
        if (!out.Append(block.data(), static_cast<std::size_t>(read))) {
            error = FileError::OfErrno("write", out.Path(), errno);
            copied = false;
            break;
        }
    }
    zip_source_close(source);
    return copied;
}

} // namespace

InputFile::~InputFile()
{
    if (fd_ != platform::NoFile)
        platform::Close(fd_);
}

bool InputFile::Open(const std::filesystem::path& path, FileError& error, bool& missing)
{
    path_ = path;
    platform::FileInfo info;
    fd_ = platform::OpenRegular(path, platform::Access::Read, IoOp::Open, info);
    missing = fd_ == platform::NoFile && (errno == ENOENT || errno == EISDIR || errno == ENODEV);
    if (fd_ == platform::NoFile) {
        error = FileError::OfErrno("open", path, errno);
        return false;
    }
    size_ = static_cast<std::uint64_t>(info.size);
    modified_ = static_cast<std::time_t>(info.modified);
    return true;
}

long long InputFile::ReadAt(void* buffer, std::size_t length, std::uint64_t offset) const
{
    return platform::ReadFully(fd_, buffer, length, static_cast<platform::Offset>(offset));
}

std::optional<std::uint32_t> InputFile::Crc32() const
{
    std::vector<unsigned char> block(BlockBytes);
    uLong crc = crc32(0, nullptr, 0);
    for (std::uint64_t offset = 0; offset < size_;) {
        const long long read = ReadAt(block.data(), block.size(), offset);
        if (read <= 0)
            return std::nullopt;
        crc = crc32(crc, block.data(), static_cast<uInt>(read));
        offset += static_cast<std::uint64_t>(read);
    }
    return static_cast<std::uint32_t>(crc);
}

FileOutcome WriteZip(const std::vector<const InputFile*>& files, TemporaryFile& out, Progress& progress)
{
    Packing packing(files);
    FileError error;
    if (!packing.Run(progress, error))
        return FileOutcome::Failed(error);

    std::vector<std::unique_ptr<PackedSource>> sources;
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* memory = zip_source_buffer_create(nullptr, 0, 0, &zipError);
    zip_t* archive = memory == nullptr ? nullptr : zip_open_from_source(memory, ZIP_TRUNCATE, &zipError);
    if (archive == nullptr) {
        error = ZipError("write", out.Path(), &zipError);
        if (memory != nullptr)
            zip_source_free(memory);
        zip_error_fini(&zipError);
        return FileOutcome::Failed(error);
    }
    zip_source_keep(memory);
    bool added = true;
    for (std::size_t index = 0; index < files.size() && added; ++index) {
        sources.push_back(std::make_unique<PackedSource>(*files[index], packing.PiecesOf(index)));
        zip_source_t* source = sources.back()->Make(zip_get_error(archive));
        const std::string name = platform::PathText(files[index]->Path().filename());
        added = source != nullptr && zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) >= 0;
        if (!added && source != nullptr)
            zip_source_free(source);
    }
    if (!added || zip_close(archive) != 0) {
        error = ZipError("write", out.Path(), zip_get_error(archive));
        zip_discard(archive);
        zip_source_free(memory);
        zip_error_fini(&zipError);
        return FileOutcome::Failed(error);
    }
    const bool copied = CopyOut(memory, out, error);
    zip_source_free(memory);
    zip_error_fini(&zipError);
    return copied ? FileOutcome::Done() : FileOutcome::Failed(error);
}

// An input file as libzip reads a zip: read, sought and asked its size, with the reason of a
// failed read kept in the program's own terms.
class ZipReader::Source final : public FunctionSource {
public:
    explicit Source(const InputFile& file) : file_(file) {}
    const std::optional<FileError>& Failure() const { return failure_; }

private:
    void Open() override { offset_ = 0; }
    zip_int64_t Read(void* data, zip_uint64_t length) override
    {
        const zip_uint64_t wanted = std::min(length, file_.Size() - std::min(offset_, file_.Size()));
        const long long read = wanted == 0 ? 0 : file_.ReadAt(data, wanted, offset_);
        if (read < 0) {
            failure_ = FileError::OfErrno("read", file_.Path(), errno);
            zip_error_set(&error_, ZIP_ER_READ, errno);
            return -1;
        }
        offset_ += static_cast<zip_uint64_t>(read);
        return read;
    }
    void Describe(zip_stat_t& stat) const override
    {
        stat.size = file_.Size();
        stat.mtime = file_.Modified();
        stat.valid |= ZIP_STAT_SIZE | ZIP_STAT_MTIME;
    }
    zip_int64_t Seek(void* data, zip_uint64_t length) override
    {
        const zip_int64_t offset = zip_source_seek_compute_offset(offset_, file_.Size(), data, length, &error_);
        if (offset < 0)
            return -1;
        offset_ = static_cast<zip_uint64_t>(offset);
        return 0;
    }
    zip_int64_t Tell() const override { return static_cast<zip_int64_t>(offset_); }
    zip_int64_t Supports() const override { return ZIP_SOURCE_SUPPORTS_SEEKABLE; }

    const InputFile& file_;
    zip_uint64_t offset_ = 0;
    std::optional<FileError> failure_;
};

ZipReader::ZipReader() = default;

ZipReader::~ZipReader()
{
    if (archive_ != nullptr)
        zip_discard(archive_);
}

bool ZipReader::Open(const std::filesystem::path& path, FileError& error)
{
    bool missing = false;
    if (!file_.Open(path, error, missing))
        return false;
    source_ = std::make_unique<Source>(file_);
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* source = source_->Make(&zipError);
    if (source != nullptr)
        archive_ = zip_open_from_source(source, ZIP_RDONLY, &zipError);
    if (archive_ == nullptr) {
        error = source_->Failure().value_or(ZipError("read", path, &zipError));
        if (source != nullptr)
            zip_source_free(source);
    }
    zip_error_fini(&zipError);
    return archive_ != nullptr;
}

std::optional<Entry> ZipReader::Find(const std::string& name) const
{
    const zip_int64_t index = zip_name_locate(archive_, name.c_str(), 0);
    zip_stat_t stat;
    if (index < 0 || zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) != 0)
        return std::nullopt;
    if ((stat.valid & (ZIP_STAT_SIZE | ZIP_STAT_CRC)) != (ZIP_STAT_SIZE | ZIP_STAT_CRC))
        return std::nullopt;
    return Entry{stat.index, stat.size, stat.crc};
}

bool ZipReader::Extract(const Entry& entry, TemporaryFile& out, const std::function<void(std::uint64_t)>& advanced,
                        FileError& error) const
{
    zip_file_t* file = zip_fopen_index(archive_, entry.index, 0);
    if (file == nullptr) {
        error = ZipError("read", file_.Path(), zip_get_error(archive_));
        return false;
    }
    std::vector<char> block(BlockBytes);
    std::uint64_t done = 0;
    bool extracted = true;
    for (;;) {
        const zip_int64_t read = zip_fread(file, block.data(), block.size());
        if (read < 0) {
            error = source_->Failure().value_or(ZipError("read", file_.Path(), zip_file_get_error(file)));
            extracted = false;
            break;
        }
        if (read == 0)
            break;
        if (!out.Append(block.data(), static_cast<std::size_t>(read))) {
            error = FileError::OfErrno("write", out.Path(), errno);
            extracted = false;
            break;
        }
        done += static_cast<std::uint64_t>(read);
        advanced(static_cast<std::uint64_t>(read));
    }
    zip_fclose(file);
    if (extracted && done != entry.size) {
        error = {"read", file_.Path(), "an entry of the zip is incomplete"};
        extracted = false;
    }
    return extracted;
}

} // namespace zipfiles
