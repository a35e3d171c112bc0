#pragma once
// A Windows profile file (INI) in the text format the profile functions read and write:
// "[Section]" lines and "Key=Value" lines, names compared without regard to case,
// Windows-1252 text with CR LF line ends. Archivio.ini and unins000.dll are such files.
#include "storage/Text.h"

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

// A write the system refused; what() is "Unable to write to " followed by the file's path,
// Reason() what was refused and why ("open /x/Archivio.ini: Permission denied").
class IniWriteError : public std::runtime_error {
public:
    IniWriteError(const std::filesystem::path& file, std::string reason);
    const std::string& Reason() const { return reason_; }

private:
    std::string reason_;
};

class IniFile {
public:
    static constexpr std::size_t MaxValueLength = 2047;

    explicit IniFile(std::filesystem::path path);

    // The value of the key, at most MaxValueLength characters; empty when the file, the
    // section or the key is missing or the file cannot be read.
    Text Read(std::u16string_view section, std::u16string_view key) const;

    // Replaces the key's value in place, or adds the key at the end of its section, or adds
    // the section at the end of the file, or creates the file. Other lines stay as they are.
    // The file is replaced as a whole (never left half-written); a file or folder the system
    // refuses to write throws IniWriteError and leaves the file unchanged.
    void Write(std::u16string_view section, std::u16string_view key, std::u16string_view value);

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Archivio.ini in the program folder.
IniFile SettingsFile();
