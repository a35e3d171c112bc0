#include "storage/ArchiveSettings.h"

#include "storage/IniFile.h"

namespace {

constexpr std::u16string_view DatabaseSection = u"Database";
constexpr std::u16string_view NameKey = u"Nome Archivio";
constexpr std::u16string_view SubtitleKey = u"Sottotitolo Archivio";
// Every reader asks for "Nome Campi"; the field-name screen has always written "Nome campi".
// Section names compare without regard to case, so both reach the same section.
constexpr std::u16string_view TitlesSectionRead = u"Nome Campi";
constexpr std::u16string_view TitlesSectionWritten = u"Nome campi";

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
    IniFile settings = SettingsFile();
    for (int number = 1; number <= GenericFieldCount; ++number)
        settings.Write(TitlesSectionWritten, FieldTitleKey(number), Trim(titles[number - 1]));
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
    IniFile settings = SettingsFile();
    settings.Write(DatabaseSection, NameKey, Trim(name));
    settings.Write(DatabaseSection, SubtitleKey, Trim(subtitle));
}
