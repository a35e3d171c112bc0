#include "archive/Backups.h"

#include "archive/ZipFiles.h"
#include "storage/Platform.h"
#include "storage/Records.h"
#include "storage/TemporaryFile.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <tuple>

namespace backups {

namespace {

constexpr std::string_view ZipEnding = ".zip";
constexpr std::string_view WarningMark = ".avviso-";

std::string TwoDigits(int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

std::string DateText(const Moment& day)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.year, day.month, day.day);
    return text;
}

std::optional<int> Digits(std::string_view text)
{
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool Writable(const std::filesystem::path& path)
{
    return platform::MarkedWritable(path);
}

// Refusals that mean the medium or the folder is not for writing, as opposed to a failure.
bool ReadOnlyRefusal(int error)
{
    return error == EROFS || error == EACCES || error == EPERM;
}

bool ReadOnlyRefusal(const FileError& error)
{
    for (const int refusal : {EROFS, EACCES, EPERM})
        if (error.reason == platform::ErrorText(refusal))
            return true;
    return false;
}

// The save locks of the record files, held while a restore replaces them, so that no other
// program writes into a file that is being replaced.
class HeldSaveLocks {
public:
    ~HeldSaveLocks()
    {
        for (const platform::File fd : fds_) {
            platform::UnlockWhole(fd);
            platform::Close(fd);
        }
    }
    bool Take(const std::filesystem::path& path, FileError& error)
    {
        platform::FileInfo info;
        const platform::File fd = platform::OpenRegular(path, platform::Access::ReadWrite, IoOp::Open, info);
        if (fd == platform::NoFile) {
            if (errno == ENOENT)
                return true; // nobody saves into a file that is not there
            error = FileError::OfErrno("open", path, errno);
            return false;
        }
        fds_.push_back(fd);
        bool held = false;
        if (!platform::LockWhole(fd, platform::SaveLockPatience, held)) {
            const int cause = errno;
            error = {"lock", path, cause == EAGAIN ? std::string(platform::BusyReason) : platform::ErrorText(cause)};
            return false;
        }
        return true;
    }

private:
    std::vector<platform::File> fds_;
};

} // namespace

bool Copy::NewerThan(const Copy& other) const
{
    const auto key = [](const Copy& copy) {
        return std::make_tuple(copy.made.year, copy.made.month, copy.made.day, copy.timed, copy.made.hour,
                               copy.made.minute, copy.made.second);
    };
    return key(*this) > key(other);
}

BackupFolder::BackupFolder(std::filesystem::path programFolder)
    : programFolder_(std::move(programFolder)), folder_(programFolder_ / FolderName)
{
}

std::string BackupFolder::DailyName(const Moment& day)
{
    return DateText(day) + std::string(ZipEnding);
}

std::string BackupFolder::TimedName(const Moment& moment)
{
    return DateText(moment) + "_" + TwoDigits(moment.hour) + TwoDigits(moment.minute) + TwoDigits(moment.second)
        + std::string(ZipEnding);
}

std::optional<Copy> BackupFolder::CopyNamed(const std::filesystem::path& path)
{
    const std::string name = platform::PathText(path.filename());
    if (name.size() != 14 && name.size() != 21)
        return std::nullopt;
    if (!name.ends_with(ZipEnding) || name[4] != '-' || name[7] != '-')
        return std::nullopt;
    Copy copy{path, {}, name.size() == 21};
    const auto year = Digits(std::string_view(name).substr(0, 4));
    const auto month = Digits(std::string_view(name).substr(5, 2));
    const auto day = Digits(std::string_view(name).substr(8, 2));
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > 31)
        return std::nullopt;
    copy.made = {*year, *month, *day};
    if (copy.timed) {
        const auto hour = Digits(std::string_view(name).substr(11, 2));
        const auto minute = Digits(std::string_view(name).substr(13, 2));
        const auto second = Digits(std::string_view(name).substr(15, 2));
        if (name[10] != '_' || !hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 59)
            return std::nullopt;
        copy.made.hour = *hour;
        copy.made.minute = *minute;
        copy.made.second = *second;
    }
    return copy;
}

std::vector<Copy> BackupFolder::Copies() const
{
    std::vector<Copy> copies;
    for (const std::filesystem::path& entry : platform::ListFolder(folder_)) {
        if (!platform::IsRegularFile(entry))
            continue;
        if (auto copy = CopyNamed(entry))
            copies.push_back(std::move(*copy));
    }
    std::sort(copies.begin(), copies.end(), [](const Copy& a, const Copy& b) { return a.NewerThan(b); });
    return copies;
}

std::optional<CopyCounts> BackupFolder::CountsOf(const Copy& copy, FileError& error) const
{
    zipfiles::ZipReader reader;
    if (!reader.Open(copy.path, error))
        return std::nullopt;
    const auto records = [&](const RecordLayout& layout) -> std::size_t {
        const auto entry = reader.Find(layout.fileName);
        return entry ? static_cast<std::size_t>(entry->size / layout.size) : 0;
    };
    return CopyCounts{records(DatabaseLayout), records(ClientLayout)};
}

bool BackupFolder::ReadOnly() const
{
    if (!Writable(programFolder_))
        return true;
    if (platform::Exists(folder_) && !Writable(folder_))
        return true;
    for (const RecordLayout* layout : {static_cast<const RecordLayout*>(&DatabaseLayout), static_cast<const RecordLayout*>(&ClientLayout)})
        if (platform::IsRegularFile(DataFile(layout->fileName)) && !Writable(DataFile(layout->fileName)))
            return true;
    return false;
}

bool BackupFolder::SameAsCopy(const Copy& copy) const
{
    zipfiles::ZipReader reader;
    FileError error;
    if (!reader.Open(copy.path, error))
        return false;
    std::vector<std::pair<std::unique_ptr<zipfiles::InputFile>, std::uint32_t>> compared;
    for (const std::string_view name : DataFiles) {
        auto file = std::make_unique<zipfiles::InputFile>();
        bool missing = false;
        const bool present = file->Open(DataFile(name), error, missing);
        if (!present && !missing)
            return false;
        const auto entry = reader.Find(std::string(name));
        if (present != entry.has_value())
            return false;
        if (!present)
            continue;
        if (entry->size != file->Size())
            return false;
        compared.emplace_back(std::move(file), entry->crc);
    }
    // Only once every length agrees is a file read through.
    for (const auto& [file, crc] : compared)
        if (file->Crc32() != crc)
            return false;
    return true;
}

FileOutcome BackupFolder::Write(const std::string& name, Progress& progress)
{
    const std::filesystem::path target = folder_ / name;
    TemporaryFile out(target, std::nullopt);
    if (!out.Created())
        return FileOutcome::Failed(FileError::OfErrno("create a file beside", target, errno));
    std::vector<std::unique_ptr<zipfiles::InputFile>> files;
    for (const std::string_view dataFile : DataFiles) {
        auto file = std::make_unique<zipfiles::InputFile>();
        FileError error;
        bool missing = false;
        if (file->Open(DataFile(dataFile), error, missing))
            files.push_back(std::move(file));
        else if (!missing)
            return FileOutcome::Failed(error);
    }
    if (files.empty())
        return FileOutcome::Done(); // nothing to keep
    std::vector<const zipfiles::InputFile*> inputs;
    for (const auto& file : files)
        inputs.push_back(file.get());
    if (FileOutcome written = zipfiles::WriteZip(inputs, out, progress); !written)
        return written;
    if (!out.Replace(target))
        return FileOutcome::Failed(FileError::OfErrno("replace", target, errno));
    return FileOutcome::Done();
}

void BackupFolder::RemoveOldCopies() const
{
    const std::vector<Copy> copies = Copies();
    for (std::size_t index = Kept; index < copies.size(); ++index)
        platform::RemoveFile(copies[index].path); // a copy that stays is harmless, and the next day tries again
}

DailyOutcome BackupFolder::MakeDailyCopy(const Moment& today, Progress& progress)
{
    if (platform::Exists(folder_ / DailyName(today)))
        return {DailyResult::AlreadyMade, {}};
    const bool anyData = std::any_of(DataFiles.begin(), DataFiles.end(),
                                     [&](std::string_view name) { return platform::IsRegularFile(DataFile(name)); });
    if (!anyData)
        return {DailyResult::NothingToCopy, {}};
    if (ReadOnly())
        return {DailyResult::ReadOnly, {}};
    if (std::string why; !platform::IsFolder(folder_) && !platform::MakeFolders(folder_, why)) {
        if (ReadOnlyRefusal(errno))
            return {DailyResult::ReadOnly, {}};
        return {DailyResult::Failed, {"create the folder", folder_, why}};
    }
    const std::vector<Copy> copies = Copies();
    if (!copies.empty() && SameAsCopy(copies.front()))
        return {DailyResult::Unchanged, {}};
    if (const FileOutcome written = Write(DailyName(today), progress); !written) {
        if (written.Error().operation == "create a file beside" && ReadOnlyRefusal(written.Error()))
            return {DailyResult::ReadOnly, {}};
        return {DailyResult::Failed, written.Error()};
    }
    RemoveOldCopies();
    return {DailyResult::Written, {}};
}

FileOutcome BackupFolder::Restore(const Copy& copy, const Moment& now, Progress& progress)
{
    zipfiles::ZipReader reader;
    FileError error;
    if (!reader.Open(copy.path, error))
        return FileOutcome::Failed(error);
    struct Incoming {
        std::string_view name;
        zipfiles::Entry entry;
        Replacement plan;
    };
    std::vector<Incoming> incoming;
    std::uint64_t total = 0;
    for (const std::string_view name : DataFiles)
        if (const auto entry = reader.Find(std::string(name))) {
            Replacement plan = PlanReplacement(DataFile(name));
            if (!plan.Allowed())
                return FileOutcome::Failed(plan.Refusal());
            incoming.push_back({name, *entry, std::move(plan)});
            total += entry->size;
        }

    // No other program saves into the record files from the copy of the present ones on.
    HeldSaveLocks locks;
    for (const RecordLayout* layout : {static_cast<const RecordLayout*>(&DatabaseLayout), static_cast<const RecordLayout*>(&ClientLayout)})
        if (!locks.Take(DataFile(layout->fileName), error))
            return FileOutcome::Failed(error);

    // The present files first go into a copy of their own, under a name no copy has yet.
    Moment kept = now;
    while (platform::Exists(folder_ / TimedName(kept)) && kept.second < 59)
        ++kept.second;
    if (std::string why; !platform::IsFolder(folder_) && !platform::MakeFolders(folder_, why))
        return FileOutcome::Failed({"create the folder", folder_, why});
    if (const FileOutcome written = Write(TimedName(kept), Unwatched()); !written)
        return written;

    // Every new file is complete and on the disk before the first one takes its place.
    std::vector<std::unique_ptr<TemporaryFile>> written;
    std::uint64_t done = 0;
    const auto advanced = [&](std::uint64_t bytes) {
        done += bytes;
        progress.Reached(static_cast<std::size_t>(done), static_cast<std::size_t>(total));
    };
    for (const Incoming& file : incoming) {
        auto out = std::make_unique<TemporaryFile>(file.plan);
        if (!out->Created())
            return FileOutcome::Failed(FileError::OfErrno("create a file beside", file.plan.target, errno));
        if (!reader.Extract(file.entry, *out, advanced, error))
            return FileOutcome::Failed(error);
        if (!out->Flush())
            return FileOutcome::Failed(FileError::OfErrno("write", out->Path(), errno));
        written.push_back(std::move(out));
    }
    for (std::size_t index = 0; index < incoming.size(); ++index) {
        if (written[index]->Replace(incoming[index].plan.target))
            continue;
        const FileError failure = FileError::OfErrno("replace", incoming[index].plan.target, errno);
        // A file already replaced gets its former bytes back from the copy just written, and
        // one that was not there before goes again.
        zipfiles::ZipReader former;
        FileError ignoredError;
        const bool formerRead = index > 0 && former.Open(folder_ / TimedName(kept), ignoredError);
        for (std::size_t back = 0; back < index; ++back) {
            const Incoming& file = incoming[back];
            if (!file.plan.keepMode) {
                platform::RemoveFile(file.plan.target);
            } else if (const auto entry = formerRead ? former.Find(std::string(file.name)) : std::nullopt) {
                TemporaryFile again(file.plan);
                if (former.Extract(*entry, again, [](std::uint64_t) {}, ignoredError))
                    again.Replace(file.plan.target);
            }
        }
        return FileOutcome::Failed(failure);
    }
    return FileOutcome::Done();
}

bool BackupFolder::WarnedOn(const Moment& day) const
{
    return platform::Exists(folder_ / platform::PathOfText(std::string(WarningMark) + DateText(day)));
}

void BackupFolder::NoteWarning(const Moment& day)
{
    const std::string mark = std::string(WarningMark) + DateText(day);
    for (const std::filesystem::path& entry : platform::ListFolder(folder_)) {
        const std::string name = platform::PathText(entry.filename());
        if (name.starts_with(WarningMark) && name != mark && platform::IsRegularFile(entry))
            platform::RemoveFile(entry);
    }
    // An empty file: it takes no room on a full disk.
    const platform::File fd = platform::CreateNew(folder_ / platform::PathOfText(mark), IoOp::Create);
    if (fd != platform::NoFile)
        platform::Close(fd);
}

} // namespace backups
