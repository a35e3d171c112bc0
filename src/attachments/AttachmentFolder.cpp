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
// the system protects. Its rights carry over to the new copy. Sets `refusal` when it may
// not be replaced.
std::optional<mode_t> ReplaceableMode(const std::filesystem::path& target, std::string& refusal)
{
    const Descriptor existing(posix_io::Open(target.c_str(), O_WRONLY | O_NONBLOCK, IoOp::Open));
    if (existing.get() < 0) {
        if (errno != ENOENT)
            refusal = posix_io::Failure("replace", target, errno);
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(existing.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        refusal = posix_io::Failure("replace", target, "not a regular file");
        return std::nullopt;
    }
    return info.st_mode & 07777;
}

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

FileOutcome CopyIn(const std::filesystem::path& source, std::u16string_view name)
{
    const auto target = PathOf(name);
    if (!target)
        return FileOutcome::Failed(posix_io::Failure("copy", source, "\"" + ToUtf8(name) + "\" is no bare file name"));
    std::error_code error;
    std::filesystem::create_directories(Folder(), error);
    if (error)
        return FileOutcome::Failed(posix_io::Failure("create folder", Folder(), error.message()));

    const Descriptor input(posix_io::Open(source.c_str(), O_RDONLY | O_NONBLOCK, IoOp::Open));
    if (input.get() < 0)
        return FileOutcome::Failed(posix_io::Failure("open", source, errno));
    struct stat info {};
    if (::fstat(input.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return FileOutcome::Failed(posix_io::Failure("copy", source, "not a regular file"));

    std::string refusal;
    const std::optional<mode_t> keepMode = ReplaceableMode(*target, refusal);
    if (!refusal.empty())
        return FileOutcome::Failed(refusal);

    TemporaryFile copy(*target, keepMode);
    if (!copy.Created())
        return FileOutcome::Failed(posix_io::Failure("create a file beside", *target, errno));
    std::vector<char> block(1 << 20);
    off_t offset = 0;
    for (;;) {
        const ssize_t got = posix_io::ReadFully(input.get(), block.data(), block.size(), offset);
        if (got < 0)
            return FileOutcome::Failed(posix_io::Failure("read", source, errno));
        if (got > 0 && !copy.Append(block.data(), static_cast<std::size_t>(got)))
            return FileOutcome::Failed(posix_io::Failure("write beside", *target, errno));
        offset += got;
        if (static_cast<std::size_t>(got) < block.size())
            break;
    }
    // A source that changed while it was read is not copied by halves.
    if (offset != info.st_size)
        return FileOutcome::Failed(posix_io::Failure("copy", source, "the file changed while it was read"));
    if (!copy.Replace(*target))
        return FileOutcome::Failed(posix_io::Failure("put the copy in place of", *target, errno));
    return FileOutcome::Done();
}

} // namespace attachments
