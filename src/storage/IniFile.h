#pragma once
// A Windows profile file (INI) in the text format the profile functions read and write:
// "[Section]" lines and "Key=Value" lines, names compared without regard to case,
// Windows-1252 text with CR LF line ends. Archivio.ini and unins000.dll are such files.
#include "storage/FileError.h"
#include "storage/Text.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The keys of a profile file as it was read at one moment. A screen reads its file once
// when it is shown and takes every key it needs from this value.
class IniValues {
public:
    enum class Source {
        Missing,    // no such file: every key is empty
        Read,       // the file was read
        Unreadable, // a folder, a pipe, a device, a file far too large for settings, no rights
    };

    IniValues() = default; // as from a missing file

    // The value of the key, at most IniFile::MaxValueLength characters, one enclosing pair
    // of quotes (" or ') removed as the profile functions do; empty when the section or the
    // key is missing or the file could not be read.
    Text Read(std::u16string_view section, std::u16string_view key) const;

    Source From() const { return source_; }
    bool Unreadable() const { return source_ == Source::Unreadable; }

private:
    friend class IniFile;
    struct Section {
        Text name;
        std::vector<std::pair<Text, Text>> keys; // name, value as stored (trimmed)
    };
    Source source_ = Source::Missing;
    std::vector<Section> sections_;
};

// One key of a section to be written: its name and its value.
struct IniKey {
    Text name;
    Text value;
};

class IniFile {
public:
    // A value reads back as at most this many characters (UTF-16 units; a character outside
    // the basic plane is never cut in two), and no longer value is ever written.
    static constexpr std::size_t MaxValueLength = 2047;
    // The largest file read, and the largest one written. The program's own keys take a small
    // part of it even at their longest (see ArchiveSettings); the rest is room for what others
    // leave in the file. A larger file is damaged and is treated as unreadable, so that it
    // costs neither minutes nor the memory it would fill; a write that would make the file
    // larger is refused, so that the program never writes a file it would not read.
    static constexpr std::size_t MaxFileBytes = 1 << 20;

    explicit IniFile(std::filesystem::path path);

    // Reads the file once: without blocking, only a regular file of at most MaxFileBytes,
    // in Windows-1252, or in UTF-8 or UTF-16 (either byte order) when it begins with the
    // byte-order mark. Never throws.
    IniValues Load() const;

    // Load().Read(section, key): one reading of the file for one key.
    Text Read(std::u16string_view section, std::u16string_view key) const;

    // Writes the keys, in order, into the section: each replaces the key's value in place,
    // or is added at the end of its section; a missing section is added at the end of the
    // file, a missing file is created. Other lines stay as they are. A value is cut to
    // MaxValueLength characters, and one that begins and ends with the same quote is written
    // inside one more pair, so it reads back as written.
    //
    // All the keys are one rewrite: the new file is written beside the old one and renamed
    // into its place, so a reader, a crash or a kill sees either the old file or the new one
    // whole, never a part of the keys. The rewrite holds the save lock of the file (the one
    // record saves take) while it reads the file again, changes it and puts the new one in
    // place, so two programs writing at once take turns and neither loses the other's keys;
    // it waits at most platform::SaveLockPatience for the other program.
    //
    // A file or folder the system refuses to write, a file marked read-only (also for the
    // superuser), a file that is not a regular one, one larger than MaxFileBytes, a result
    // that would be larger, or a lock another program kept for the whole wait (the reason
    // then is platform::BusyReason) throws FileFailure and leaves the file unchanged. Its
    // Error() says what was refused and why ("open /x/Archivio.ini: Permission denied"), its
    // what() is "Unable to write to " followed by the file's path.
    void Write(std::u16string_view section, const std::vector<IniKey>& keys);
    // Write(section, {{key, value}}).
    void Write(std::u16string_view section, std::u16string_view key, std::u16string_view value);

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Archivio.ini in the program folder.
IniFile SettingsFile();
