#pragma once
// The attachments folder, Documenti_Allegati in the program folder: the copies of the files
// attached to the sheets of both archives, each under its bare name.
#include "storage/FileError.h"
#include "storage/Text.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace attachments {

std::filesystem::path Folder();

// True for a name that designates a file of the folder itself: not empty, no folder part
// ('/' or '\'), no drive ("C:"), not "." or "..". A record written by other means may hold
// anything; only such names are ever opened or written.
bool IsBareName(std::u16string_view name);

// True when a sheet's attachment field stores the name exactly as it is: every character is
// one of Windows-1252 and the name fits the field's 250 characters. A name that does not
// would be stored as another name than the copy's, which "Apri" would then not find.
bool RecordKeepsName(std::u16string_view name);

// The file of that name in the folder; none when the name is not bare.
std::optional<std::filesystem::path> PathOf(std::u16string_view name);

// True when the folder holds an entry of that (bare) name.
bool Holds(std::u16string_view name);

// Where a copy stopped, for the words the user gets: the name is no bare name, the folder
// cannot be made, the picked file cannot be read, the file of that name in the folder may
// not be replaced, the new copy cannot be written.
enum class CopyStep { Name, Folder, Source, Existing, Write };

// The outcome of a copy: done, or the step that failed and why, as standard error says it
// ("write beside /x/Documenti_Allegati/a.pdf: No space left on device").
class CopyOutcome {
public:
    static CopyOutcome Done() { return CopyOutcome(); }
    static CopyOutcome Failed(CopyStep step, FileError error) { return CopyOutcome(step, std::move(error)); }

    bool Succeeded() const { return !failed_; }
    explicit operator bool() const { return Succeeded(); }
    CopyStep Step() const { return step_; }
    const FileError& Error() const { return error_; }

private:
    CopyOutcome() = default;
    CopyOutcome(CopyStep step, FileError error) : failed_(true), step_(step), error_(std::move(error)) {}

    bool failed_ = false;
    CopyStep step_ = CopyStep::Write;
    FileError error_;
};

// Copies `source` into the folder under `name`, creating the folder (and any missing parent)
// first and replacing a file of that name, whose rights the new copy keeps. The copy is
// written under a temporary name in the folder and renamed into place, so the name never
// designates a half-copied file; a failure leaves the folder as it was. Fails, saying why,
// when the name is not bare, the folder cannot be made, the source cannot be read (or is no
// plain file), a copy already there cannot be written or has no write bit set (for the
// superuser too), the disk is full.
CopyOutcome CopyIn(const std::filesystem::path& source, std::u16string_view name);

// True when the folder's plain file of that name holds exactly the bytes of `source`; false
// when they differ or either cannot be read.
bool HoldsSameBytes(const std::filesystem::path& source, std::u16string_view name);

// The name with " (n)" before its last dot ("Listino (2).xls"), or at its end when it has no
// dot ("LEGGIMI (2)") or only a leading one (".profilo (2)"): a name never begins with the
// blank, which the sheet would trim away.
Text NumberedName(std::u16string_view name, unsigned number);
// The first of NumberedName(name, 2), NumberedName(name, 3), ... that the folder does not hold.
Text FreeName(std::u16string_view name);

} // namespace attachments
