#include "attachments/AttachmentFolder.h"

#include "storage/Cp1252.h"
#include "storage/PosixIo.h"
#include "storage/Records.h"
#include "storage/ProgramFolder.h"
#include "storage/TemporaryFile.h"
#include "storage/Text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <vector>

namespace attachments {

namespace {

bool HasDrive(std::u16string_view name)
{
    return name.size() >= 2 && name[1] == u':'
        && ((name[0] >= u'A' && name[0] <= u'Z') || (name[0] >= u'a' && name[0] <= u'z'));
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// An existing copy must be writable as it is: the rename would otherwise replace a file
// the system protects. One with no write bit set was marked read-only by its owner and is
// kept even from the superuser, whom the system would let write it. Its rights carry over
// to the new copy. Sets `refusal` when it may not be replaced.
std::optional<mode_t> ReplaceableMode(const std::filesystem::path& target, std::optional<FileError>& refusal)
{
    const Descriptor existing(posix_io::Open(target.c_str(), O_WRONLY | O_NONBLOCK, IoOp::Open));
    if (existing.get() < 0) {
        if (errno != ENOENT)
            refusal = FileError::OfErrno("replace", target, errno);
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(existing.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        refusal = FileError{"replace", target, "not a regular file"};
        return std::nullopt;
    }
    if (posix_io::MarkedReadOnly(info)) {
        refusal = FileError{"replace", target, "the file is marked read-only"};
        return std::nullopt;
    }
    return info.st_mode & 07777;
}

constexpr std::size_t BlockSize = 1 << 20;

} // namespace

std::filesystem::path Folder()
{
    return ProgramFile("Documenti_Allegati");
}

bool IsBareName(std::u16string_view name)
{
    if (name.empty() || name == u"." || name == u".." || HasDrive(name))
        return false;
    return name.find_first_of(u"/\\") == std::u16string_view::npos && name.find(u'\0') == std::u16string_view::npos;
}

bool RecordKeepsName(std::u16string_view name)
{
    if (name.size() > TSchedaCliente::FieldSpecOf(ClientField::File01).width
        || name.size() > TSchedaDatabase::FieldSpecOf(DatabaseField::File01).width)
        return false;
    for (const char16_t c : name)
        if (c >= 0xD800 && c < 0xE000 ? true : Cp1252ToUnicode(UnicodeToCp1252(c)) != c)
            return false;
    return true;
}

std::optional<std::filesystem::path> PathOf(std::u16string_view name)
{
    if (!IsBareName(name))
        return std::nullopt;
    return Folder() / ToUtf8(name);
}

bool Holds(std::u16string_view name)
{
    const auto path = PathOf(name);
    std::error_code ignored;
    return path && std::filesystem::exists(std::filesystem::symlink_status(*path, ignored));
}

CopyOutcome CopyIn(const std::filesystem::path& source, std::u16string_view name)
{
    const auto target = PathOf(name);
    if (!target)
        return CopyOutcome::Failed(CopyStep::Name,
                                   FileError{"copy", source, "\"" + ToUtf8(name) + "\" is no bare file name"});
    std::error_code error;
    std::filesystem::create_directories(Folder(), error);
    if (error)
        return CopyOutcome::Failed(CopyStep::Folder, FileError{"create folder", Folder(), error.message()});

    const Descriptor input(posix_io::Open(source.c_str(), O_RDONLY | O_NONBLOCK, IoOp::Open));
    if (input.get() < 0)
        return CopyOutcome::Failed(CopyStep::Source, FileError::OfErrno("open", source, errno));
    struct stat info {};
    if (::fstat(input.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return CopyOutcome::Failed(CopyStep::Source, FileError{"copy", source, "not a regular file"});

    std::optional<FileError> refusal;
    const std::optional<mode_t> keepMode = ReplaceableMode(*target, refusal);
    if (refusal)
        return CopyOutcome::Failed(CopyStep::Existing, *refusal);

    TemporaryFile copy(*target, keepMode);
    if (!copy.Created())
        return CopyOutcome::Failed(CopyStep::Write, FileError::OfErrno("create a file beside", *target, errno));
    std::vector<char> block(BlockSize);
    off_t offset = 0;
    for (;;) {
        const ssize_t got = posix_io::ReadFully(input.get(), block.data(), block.size(), offset);
        if (got < 0)
            return CopyOutcome::Failed(CopyStep::Source, FileError::OfErrno("read", source, errno));
        if (got > 0 && !copy.Append(block.data(), static_cast<std::size_t>(got)))
            return CopyOutcome::Failed(CopyStep::Write, FileError::OfErrno("write beside", *target, errno));
        offset += got;
        if (static_cast<std::size_t>(got) < block.size())
            break;
    }
    // A source that changed while it was read is not copied by halves.
    if (offset != info.st_size)
        return CopyOutcome::Failed(CopyStep::Source,
                                   FileError{"copy", source, "the file changed while it was read"});
    if (!copy.Replace(*target))
        return CopyOutcome::Failed(CopyStep::Write, FileError::OfErrno("put the copy in place of", *target, errno));
    return CopyOutcome::Done();
}

bool HoldsSameBytes(const std::filesystem::path& source, std::u16string_view name)
{
    const auto kept = PathOf(name);
    if (!kept)
        return false;
    struct stat sourceInfo {}, keptInfo {};
    const Descriptor picked(posix_io::OpenRegular(source.c_str(), O_RDONLY, IoOp::Open, sourceInfo));
    // A link in the folder is no copy the program made: never taken for the same document.
    const Descriptor copy(posix_io::OpenRegular(kept->c_str(), O_RDONLY | O_NOFOLLOW, IoOp::Open, keptInfo));
    if (picked.get() < 0 || copy.get() < 0 || sourceInfo.st_size != keptInfo.st_size)
        return false;
    std::vector<char> ours(BlockSize), theirs(BlockSize);
    for (off_t offset = 0;;) {
        const ssize_t got = posix_io::ReadFully(picked.get(), ours.data(), ours.size(), offset);
        const ssize_t gotKept = posix_io::ReadFully(copy.get(), theirs.data(), theirs.size(), offset);
        if (got < 0 || got != gotKept || !std::equal(ours.begin(), ours.begin() + got, theirs.begin()))
            return false;
        if (static_cast<std::size_t>(got) < ours.size())
            return true;
        offset += got;
    }
}

Text NumberedName(std::u16string_view name, unsigned number)
{
    const std::u16string suffix = u" (" + FromUtf8(std::to_string(number)) + u")";
    const std::size_t dot = name.rfind(u'.');
    if (dot == std::u16string_view::npos || dot == 0)
        return Text(name) + suffix;
    return Text(name.substr(0, dot)) + suffix + Text(name.substr(dot));
}

Text FreeName(std::u16string_view name)
{
    for (unsigned number = 2;; ++number) {
        Text candidate = NumberedName(name, number);
        if (!Holds(candidate))
            return candidate;
    }
}

} // namespace attachments
