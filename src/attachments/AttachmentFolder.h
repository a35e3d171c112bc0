#pragma once
// The attachments folder, Documenti_Allegati in the program folder: the copies of the files
// attached to the sheets of both archives, each under its bare name.
#include "storage/FileOutcome.h"

#include <filesystem>
#include <optional>
#include <string_view>

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

// Copies `source` into the folder under `name`, creating the folder (and any missing parent)
// first and replacing a file of that name. The copy is written under a temporary name in the
// folder and renamed into place, so the name never designates a half-copied file; a failure
// leaves the folder as it was. Fails, saying why, when the name is not bare, the folder
// cannot be made, the source cannot be read (or is no plain file), a copy already there
// cannot be written, the disk is full.
FileOutcome CopyIn(const std::filesystem::path& source, std::u16string_view name);

} // namespace attachments
