#pragma once
// The copies of the archive that the program keeps for the user in Copie_di_sicurezza/, a
// folder of the program folder: one zip file per copy holding those of the archive's data
// files that existed, byte for byte. A copy of the day is named AAAA-MM-GG.zip; the copy of
// the archive as it was just before a restore is named AAAA-MM-GG_hhmmss.zip. The attachments
// folder is not copied: the program never deletes its files.
#include "storage/FileError.h"
#include "storage/FileOutcome.h"
#include "storage/Progress.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace backups {

inline constexpr std::string_view FolderName = "Copie_di_sicurezza";
// How many copies the folder keeps after a copy of the day is written.
inline constexpr std::size_t Kept = 10;
// The data files a copy holds, as they are named in the program folder and in the copy.
inline constexpr std::array<std::string_view, 5> DataFiles = {
    "Database.pro", "Clienti.pro", "Archivio.ini", "unins000.dll", "Logo.bmp"};

// A moment of the local calendar and clock, as the screens read it.
struct Moment {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
};

// One copy in the folder, known by its name.
struct Copy {
    std::filesystem::path path;
    Moment made;         // its date; the time too for a copy made before a restore
    bool timed = false;  // AAAA-MM-GG_hhmmss.zip
    // Later copies first: by date, and on one date the timed copies after the copy of the day,
    // which the first start of the day makes.
    bool NewerThan(const Copy& other) const;
};

// The sheets and clients that a copy holds, counted from its record files.
struct CopyCounts {
    std::size_t sheets = 0;
    std::size_t clients = 0;
};

// What the copy of the day came to.
enum class DailyResult {
    Written,       // a new copy is in the folder
    AlreadyMade,   // today's copy was there
    Unchanged,     // the data files are those of the newest copy
    NothingToCopy, // no data file exists yet
    ReadOnly,      // the program folder or the archive is read-only: no copy is possible
    Failed,        // the copy could not be written; the error says why
};

struct DailyOutcome {
    DailyResult result;
    FileError error; // for Failed
};

// The copies folder of a program folder.
class BackupFolder {
public:
    explicit BackupFolder(std::filesystem::path programFolder);

    const std::filesystem::path& Path() const { return folder_; }

    // The copies, newest first: the files of the folder whose names are copy names.
    std::vector<Copy> Copies() const;
    // What the copy holds; the error when it cannot be read.
    std::optional<CopyCounts> CountsOf(const Copy& copy, FileError& error) const;

    // Writes today's copy unless one exists, the archive is read-only or unchanged since
    // the newest copy; then keeps the Kept newest copies and removes the older ones.
    DailyOutcome MakeDailyCopy(const Moment& today, Progress& progress = Unwatched());

    // Replaces the data files with those of `copy`, after keeping the present ones in a
    // timed copy of `now`. A data file the copy does not hold stays as it is. On failure
    // every data file is as it was, and the error says why.
    FileOutcome Restore(const Copy& copy, const Moment& now, Progress& progress = Unwatched());

    // A warning for a copy of the day that failed is given once a day: these remember the
    // day it was last given (best effort: on a disk too full to remember, it is given again).
    bool WarnedOn(const Moment& day) const;
    void NoteWarning(const Moment& day);

    // The name of the copy of a day, and of a timed copy.
    static std::string DailyName(const Moment& day);
    static std::string TimedName(const Moment& moment);
    // The copy a file name denotes; nothing for any other name.
    static std::optional<Copy> CopyNamed(const std::filesystem::path& path);

private:
    std::filesystem::path DataFile(std::string_view name) const { return programFolder_ / name; }
    bool ReadOnly() const;
    // Writes the data files that exist into a new copy named `name`.
    FileOutcome Write(const std::string& name, Progress& progress);
    bool SameAsCopy(const Copy& copy) const;
    void RemoveOldCopies() const;

    std::filesystem::path programFolder_;
    std::filesystem::path folder_;
};

} // namespace backups
