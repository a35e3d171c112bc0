#include "storage/ArchiveSettings.h"

#include "storage/IniFile.h"

#include <cstddef>
#include <vector>

namespace {

constexpr std::u16string_view DatabaseSection = u"Database";
constexpr std::u16string_view NameKey = u"Nome Archivio";
constexpr std::u16string_view SubtitleKey = u"Sottotitolo Archivio";
// Every reader asks for "Nome Campi"; the field-name screen has always written "Nome campi".
// Section names compare without regard to case, so both reach the same section.
constexpr std::u16string_view TitlesSectionRead = u"Nome Campi";
constexpr std::u16string_view TitlesSectionWritten = u"Nome campi";

// The largest Archivio.ini the two settings screens write: every value as long as a value
// can be and enclosed in quotes (which the writer doubles), in UTF-8, where one UTF-16 unit
// takes up to three bytes (UTF-16 takes two, Windows-1252 one), after the byte-order mark.
constexpr std::size_t LongestValueBytes = 3 * (IniFile::MaxValueLength + 2);
constexpr std::size_t LineBytes(std::u16string_view key)
{
    return key.size() + 1 + LongestValueBytes + 2; // key=value CR LF
}
constexpr std::size_t LargestSettingsFile = 3 + (1 + TitlesSectionWritten.size() + 3)
    + GenericFieldCount * LineBytes(u"Campo 01") + (1 + DatabaseSection.size() + 3) + LineBytes(NameKey)
    + LineBytes(SubtitleKey);
// Ten times over: what others leave in the file has the rest, and a rewrite never makes the
// file too large to be read again (the writer refuses a larger result).
static_assert(10 * LargestSettingsFile <= IniFile::MaxFileBytes);

} // namespace

Text FieldTitleKey(int number)
{
    return u"Campo " + Text(1, char16_t(u'0' + number / 10)) + Text(1, char16_t(u'0' + number % 10));
}

IniValues LoadSettings()
{
    return SettingsFile().Load();
}

FieldTitles ReadFieldTitles()
{
    return ReadFieldTitles(LoadSettings());
}

FieldTitles ReadFieldTitles(const IniValues& settings)
{
    FieldTitles titles;
    for (int number = 1; number <= GenericFieldCount; ++number)
        titles[number - 1] = settings.Read(TitlesSectionRead, FieldTitleKey(number));
    return titles;
}

bool FirstTitleMissing(const FieldTitles& titles)
{
    return Trim(titles[0]).empty();
}

void WriteFieldTitles(const FieldTitles& titles)
{
    std::vector<IniKey> keys;
    for (int number = 1; number <= GenericFieldCount; ++number)
        keys.push_back({FieldTitleKey(number), Trim(titles[number - 1])});
    SettingsFile().Write(TitlesSectionWritten, keys);
}

Text ReadArchiveName(const IniValues& settings)
{
    return settings.Read(DatabaseSection, NameKey);
}

Text ReadArchiveSubtitle(const IniValues& settings)
{
    return settings.Read(DatabaseSection, SubtitleKey);
}

Text ReadArchiveName()
{
    return ReadArchiveName(LoadSettings());
}

Text ReadArchiveSubtitle()
{
    return ReadArchiveSubtitle(LoadSettings());
}

bool ArchiveNameMissing(std::u16string_view name)
{
    return Trim(name).empty();
}

void WriteStartScreenTexts(std::u16string_view name, std::u16string_view subtitle)
{
    SettingsFile().Write(DatabaseSection, {{Text(NameKey), Trim(name)}, {Text(SubtitleKey), Trim(subtitle)}});
}
