#pragma once
// The user's naming of the archive in Archivio.ini: the archive name and subtitle of the
// start screen (section "Database") and the titles of the fourteen generic fields of the
// database sheet (section "Nome Campi", keys "Campo 01" to "Campo 14").
#include "storage/IniFile.h"
#include "storage/Text.h"

#include <array>

inline constexpr int GenericFieldCount = 14;
using FieldTitles = std::array<Text, GenericFieldCount>;

// "Campo 01" ... "Campo 14" for number 1 ... 14.
Text FieldTitleKey(int number);

// Archivio.ini read once, for a screen to take all its keys from (one reading per showing).
IniValues LoadSettings();

// The fourteen titles as stored; missing ones are empty.
FieldTitles ReadFieldTitles(const IniValues& settings);
FieldTitles ReadFieldTitles();
// The first title is required: without it nothing may be written.
bool FirstTitleMissing(const FieldTitles& titles);
// Writes the fourteen titles trimmed, "Campo 01" first, into section "Nome campi", empty
// ones included, all in one rewrite of the file under its save lock (see IniFile::Write).
// A refused write throws FileFailure and leaves the file as it was.
void WriteFieldTitles(const FieldTitles& titles);

Text ReadArchiveName(const IniValues& settings);
Text ReadArchiveSubtitle(const IniValues& settings);
Text ReadArchiveName();
Text ReadArchiveSubtitle();
// The archive name is required (trimmed, it must not be empty); the subtitle may be empty.
bool ArchiveNameMissing(std::u16string_view name);
// Writes "Nome Archivio" and then "Sottotitolo Archivio", both trimmed, into section
// "Database", in one rewrite as WriteFieldTitles. A refused write throws FileFailure and
// leaves the file as it was.
void WriteStartScreenTexts(std::u16string_view name, std::u16string_view subtitle);
