#include "storage/TemporaryFile.h"

#include <cerrno>
#include <charconv>
#include <limits>
#include <system_error>

namespace {

// Long enough to tell whose temporary file it is, short enough that the temporary name of
// a target with a name near the system's limit still fits.
constexpr std::size_t NameKept = 160;

constexpr std::string_view Mark = ".velorbis-";
constexpr std::string_view Ending = ".tmp";

std::string TemporaryName(std::string name, platform::ProcessId process, unsigned serial)
{
    if (name.size() > NameKept)
        name.resize(NameKept);
    return "." + name + std::string(Mark) + std::to_string(process) + "-" + std::to_string(serial)
        + std::string(Ending);
}

// A number as TemporaryName writes it: decimal digits without a leading zero.
template <class Number>
std::optional<Number> WrittenNumber(std::string_view digits)
{
    if (digits.empty() || (digits.size() > 1 && digits.front() == '0'))
        return std::nullopt;
    for (const char c : digits)
        if (c < '0' || c > '9')
            return std::nullopt;
    Number value{};
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

} // namespace

Replacement PlanReplacement(const std::filesystem::path& requested)
{
    Replacement plan{platform::FollowLink(requested), std::nullopt, {}};
    platform::FileInfo info;
    const platform::File fd = platform::OpenRegular(plan.target, platform::Access::Write, IoOp::Open, info);
    if (fd == platform::NoFile) {
        if (errno == ENODEV)
            plan.whyNot = "not a regular file";
        else if (errno != ENOENT)
            plan.whyNot = platform::ErrorText(errno);
        return plan;
    }
    platform::CloseQuietly(fd);
    if (info.readOnly)
        plan.whyNot = "the file is marked read-only";
    else
        plan.keepMode = info.rights;
    return plan;
}

FileError Replacement::Refusal() const
{
    return {"replace", target, whyNot};
}

TemporaryFile::TemporaryFile(const std::filesystem::path& target, std::optional<unsigned> keepMode)
{
    static unsigned serial = 0;
    const std::string name = platform::PathText(target.filename());
    for (int attempt = 0; attempt < 100 && fd_ == platform::NoFile; ++attempt) {
        path_ = target.parent_path() / platform::PathOfText(TemporaryName(name, platform::CurrentProcess(), serial++));
        fd_ = platform::CreateNew(path_, IoOp::Create);
        if (fd_ == platform::NoFile && errno != EEXIST)
            break;
    }
    created_ = fd_ != platform::NoFile;
    if (created_ && keepMode)
        platform::SetRights(fd_, *keepMode);
}

TemporaryFile::~TemporaryFile()
{
    if (fd_ != platform::NoFile)
        platform::CloseQuietly(fd_);
    if (created_ && !renamed_)
        platform::RemoveFile(path_);
}

bool TemporaryFile::Append(const void* bytes, std::size_t size)
{
    if (fd_ == platform::NoFile || !platform::WriteFully(fd_, bytes, size, written_))
        return false;
    written_ += static_cast<platform::Offset>(size);
    StreamToDisk();
    return true;
}

void TemporaryFile::StreamToDisk()
{
    // A large file (an export of a million sheets is gigabytes) goes to the disk while it is
    // written instead of all at the flush: the disk works while the file is made, the flush
    // at the end stays short, and the pages already on the disk are given back instead of
    // pushing the archive out of the system's cache. Failures here show at the flush.
    constexpr platform::Offset Stretch = platform::Offset(8) << 20;
    while (written_ - streamed_ >= Stretch) {
        platform::StartWriteBack(fd_, streamed_, Stretch);
        if (streamed_ >= 2 * Stretch)
            platform::FinishWriteBack(fd_, streamed_ - 2 * Stretch, Stretch);
        streamed_ += Stretch;
    }
}

bool TemporaryFile::Flush()
{
    return fd_ != platform::NoFile && platform::FlushAll(fd_);
}

bool TemporaryFile::Replace(const std::filesystem::path& target)
{
    if (fd_ == platform::NoFile || !platform::FlushAll(fd_))
        return false;
    const platform::File fd = fd_;
    fd_ = platform::NoFile;
    if (!platform::Close(fd) || !platform::Rename(path_, target))
        return false;
    renamed_ = true;
    platform::FlushFolder(target.parent_path());
    return true;
}

std::optional<platform::ProcessId> TemporaryFileProcess(std::string_view name)
{
    if (name.size() <= 1 + Mark.size() + Ending.size() || name.front() != '.' || !name.ends_with(Ending))
        return std::nullopt;
    name.remove_suffix(Ending.size());
    const std::size_t mark = name.rfind(Mark);
    if (mark == std::string_view::npos || mark < 2) // the target's name holds at least one character
        return std::nullopt;
    const std::string_view numbers = name.substr(mark + Mark.size());
    const std::size_t dash = numbers.find('-');
    if (dash == std::string_view::npos)
        return std::nullopt;
    const std::optional<platform::ProcessId> process = WrittenNumber<platform::ProcessId>(numbers.substr(0, dash));
    if (!process || *process <= 0 || !WrittenNumber<unsigned>(numbers.substr(dash + 1)))
        return std::nullopt;
    return process;
}

std::vector<FileError> RemoveStaleTemporaryFiles(const std::filesystem::path& folder)
{
    std::vector<FileError> failures;
    // No such folder: nothing was left in it.
    for (const std::filesystem::path& entry : platform::ListFolder(folder)) {
        const std::optional<platform::ProcessId> process = TemporaryFileProcess(platform::PathText(entry.filename()));
        if (!process || platform::ProcessRuns(*process))
            continue;
        // Looked at without following a link: only a regular file is ever removed.
        if (!platform::IsRegularNotLink(entry))
            continue;
        if (!platform::RemoveFile(entry) && errno != ENOENT)
            failures.push_back(FileError::OfErrno("remove", entry, errno));
    }
    return failures;
}
