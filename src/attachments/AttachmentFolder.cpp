#include "attachments/AttachmentFolder.h"

#include "storage/Cp1252.h"
#include "storage/Platform.h"
#include "storage/Records.h"
#include "storage/ProgramFolder.h"
#include "storage/TemporaryFile.h"
#include "storage/Text.h"

#include <algorithm>
#include <cerrno>
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
    explicit Descriptor(platform::File fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ != platform::NoFile)
            platform::CloseQuietly(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    platform::File get() const { return fd_; }
    bool Open() const { return fd_ != platform::NoFile; }

private:
    platform::File fd_;
};

// An existing copy must be writable as it is: the rename would otherwise replace a file
// the system protects. One with no write bit set was marked read-only by its owner and is
// kept even from the superuser, whom the system would let write it. Its rights carry over
// to the new copy. Sets `refusal` when it may not be replaced.
std::optional<unsigned> ReplaceableMode(const std::filesystem::path& target, std::optional<FileError>& refusal)
{
    platform::FileInfo info;
    const Descriptor existing(platform::OpenRegular(target, platform::Access::Write, IoOp::Open, info));
    if (!existing.Open()) {
        if (errno == ENODEV)
            refusal = FileError{"replace", target, "not a regular file"};
        else if (errno != ENOENT)
            refusal = FileError::OfErrno("replace", target, errno);
        return std::nullopt;
    }
    if (info.readOnly) {
        refusal = FileError{"replace", target, "the file is marked read-only"};
        return std::nullopt;
    }
    return info.rights;
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
    return Folder() / platform::PathOfText(ToUtf8(name));
}

bool Holds(std::u16string_view name)
{
    const auto path = PathOf(name);
    return path && platform::Exists(*path);
}

CopyOutcome CopyIn(const std::filesystem::path& source, std::u16string_view name)
{
    const auto target = PathOf(name);
    if (!target)
        return CopyOutcome::Failed(CopyStep::Name,
                                   FileError{"copy", source, "\"" + ToUtf8(name) + "\" is no bare file name"});
    if (std::string why; !platform::MakeFolders(Folder(), why))
        return CopyOutcome::Failed(CopyStep::Folder, FileError{"create folder", Folder(), why});

    platform::FileInfo info;
    const Descriptor input(platform::OpenRegular(source, platform::Access::Read, IoOp::Open, info));
    if (!input.Open() && (errno == EISDIR || errno == ENODEV))
        return CopyOutcome::Failed(CopyStep::Source, FileError{"copy", source, "not a regular file"});
    if (!input.Open())
        return CopyOutcome::Failed(CopyStep::Source, FileError::OfErrno("open", source, errno));

    std::optional<FileError> refusal;
    const std::optional<unsigned> keepMode = ReplaceableMode(*target, refusal);
    if (refusal)
        return CopyOutcome::Failed(CopyStep::Existing, *refusal);

    TemporaryFile copy(*target, keepMode);
    if (!copy.Created())
        return CopyOutcome::Failed(CopyStep::Write, FileError::OfErrno("create a file beside", *target, errno));
    std::vector<char> block(BlockSize);
    platform::Offset offset = 0;
    for (;;) {
        const std::int64_t got = platform::ReadFully(input.get(), block.data(), block.size(), offset);
        if (got < 0)
            return CopyOutcome::Failed(CopyStep::Source, FileError::OfErrno("read", source, errno));
        if (got > 0 && !copy.Append(block.data(), static_cast<std::size_t>(got)))
            return CopyOutcome::Failed(CopyStep::Write, FileError::OfErrno("write beside", *target, errno));
        offset += got;
        if (static_cast<std::size_t>(got) < block.size())
            break;
    }
    // A source that changed while it was read is not copied by halves.
    if (offset != info.size)
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
    platform::FileInfo sourceInfo, keptInfo;
    const Descriptor picked(platform::OpenRegular(source, platform::Access::Read, IoOp::Open, sourceInfo));
    // A link in the folder is no copy the program made: never taken for the same document.
    const Descriptor copy(platform::OpenRegular(*kept, platform::Access::Read, IoOp::Open, keptInfo, true));
    if (!picked.Open() || !copy.Open() || sourceInfo.size != keptInfo.size)
        return false;
    std::vector<char> ours(BlockSize), theirs(BlockSize);
    for (platform::Offset offset = 0;;) {
        const std::int64_t got = platform::ReadFully(picked.get(), ours.data(), ours.size(), offset);
        const std::int64_t gotKept = platform::ReadFully(copy.get(), theirs.data(), theirs.size(), offset);
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
