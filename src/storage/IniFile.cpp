#include "storage/IniFile.h"

#include "storage/Cp1252.h"
#include "storage/Platform.h"
#include "storage/ProgramFolder.h"
#include "storage/TemporaryFile.h"
#include "storage/Unicode.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <exception>
#include <new>
#include <optional>
#include <vector>

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeBom = "\xFF\xFE";
constexpr std::string_view Utf16BeBom = "\xFE\xFF";
constexpr std::u16string_view LineEnd = u"\r\n";

bool SameName(std::u16string_view a, std::u16string_view b)
{
    return unicode::EqualFolded(a, b);
}

bool IsQuote(char16_t c)
{
    return c == u'"' || c == u'\'';
}

bool EnclosedInQuotes(std::u16string_view value)
{
    return value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front();
}

// The first IniFile::MaxValueLength units of a value, less one when the cut would split a
// character outside the basic plane.
std::u16string_view CutValue(std::u16string_view value)
{
    if (value.size() <= IniFile::MaxValueLength)
        return value;
    std::size_t length = IniFile::MaxValueLength;
    if (unicode::IsLead(value[length - 1]) && unicode::IsTrail(value[length]))
        --length;
    return value.substr(0, length);
}

// The encodings a profile file is found in; a new file is written in Windows-1252.
enum class Encoding { Cp1252, Utf8, Utf16Le, Utf16Be };

std::size_t UnitBytes(Encoding encoding)
{
    return encoding == Encoding::Utf16Le || encoding == Encoding::Utf16Be ? 2 : 1;
}

Text Decode(std::string_view bytes, Encoding encoding)
{
    switch (encoding) {
    case Encoding::Cp1252:
        return FromCp1252(bytes);
    case Encoding::Utf8:
        return FromUtf8(bytes);
    case Encoding::Utf16Le:
    case Encoding::Utf16Be: {
        Text text(bytes.size() / 2, u'\0'); // an odd last byte is no character
        const bool little = encoding == Encoding::Utf16Le;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto first = static_cast<uint8_t>(bytes[2 * i]), second = static_cast<uint8_t>(bytes[2 * i + 1]);
            text[i] = static_cast<char16_t>(little ? first | (second << 8) : (first << 8) | second);
        }
        return text;
    }
    }
    return {};
}

std::string Encode(std::u16string_view text, Encoding encoding)
{
    switch (encoding) {
    case Encoding::Cp1252:
        return ToCp1252(text);
    case Encoding::Utf8:
        return ToUtf8(text);
    case Encoding::Utf16Le:
    case Encoding::Utf16Be: {
        std::string bytes;
        bytes.reserve(text.size() * 2);
        for (const char16_t c : text) {
            const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
            bytes += encoding == Encoding::Utf16Le ? low : high;
            bytes += encoding == Encoding::Utf16Le ? high : low;
        }
        return bytes;
    }
    }
    return {};
}

// One line of the file: its bytes as found (terminator included, if any) and what it says.
struct IniLine {
    enum class Kind { Other, Section, Key };
    std::string raw;
    bool terminated = false; // ends with a line feed
    Kind kind = Kind::Other;
    Text name;  // section or key name, trimmed
    Text value; // key value, trimmed

    bool IsBlank() const { return kind == Kind::Other && Trim(name).empty(); }
};

// The file's text as lines, kept in the encoding it was found in, so that lines nobody
// changes are written back byte for byte.
class IniDocument {
public:
    explicit IniDocument(std::string_view bytes)
    {
        for (const auto& [bom, encoding] : {std::pair{Utf8Bom, Encoding::Utf8}, std::pair{Utf16LeBom, Encoding::Utf16Le},
                                            std::pair{Utf16BeBom, Encoding::Utf16Be}})
            if (bytes.starts_with(bom)) {
                encoding_ = encoding;
                bom_ = std::string(bom);
                bytes.remove_prefix(bom.size());
                break;
            }
        const std::size_t unit = UnitBytes(encoding_);
        const std::string lineFeed = Encode(u"\n", encoding_);
        while (!bytes.empty()) {
            std::size_t length = bytes.size();
            for (std::size_t at = 0; at + unit <= bytes.size(); at += unit)
                if (bytes.substr(at, unit) == lineFeed) {
                    length = at + unit;
                    break;
                }
            lines_.push_back(Parse(std::string(bytes.substr(0, length))));
            bytes.remove_prefix(length);
        }
    }

    // The sections and keys in file order, as a reader sees them.
    template <class AddSection, class AddKey>
    void Visit(AddSection addSection, AddKey addKey) const
    {
        for (const IniLine& line : lines_) {
            if (line.kind == IniLine::Kind::Section)
                addSection(line.name);
            else if (line.kind == IniLine::Kind::Key)
                addKey(line.name, line.value);
        }
    }

    void Set(std::u16string_view section, std::u16string_view key, std::u16string_view value)
    {
        const auto range = SectionRange(section);
        if (!range) {
            InsertAt(lines_.size(), Line(u"[" + Text(section) + u"]"));
            InsertAt(lines_.size(), KeyLine(key, value));
            return;
        }
        std::size_t lastFilled = range->first;
        for (std::size_t i = range->first + 1; i < range->second; ++i) {
            if (lines_[i].kind == IniLine::Kind::Key && SameName(lines_[i].name, key)) {
                lines_[i] = KeyLine(lines_[i].name, value);
                return;
            }
            if (!lines_[i].IsBlank())
                lastFilled = i;
        }
        InsertAt(lastFilled + 1, KeyLine(key, value));
    }

    std::string Bytes() const
    {
        std::string bytes = bom_;
        for (const IniLine& line : lines_)
            bytes += line.raw;
        return bytes;
    }

private:
    // [header index, end index) of the first section of that name.
    std::optional<std::pair<std::size_t, std::size_t>> SectionRange(std::u16string_view section) const
    {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (lines_[i].kind != IniLine::Kind::Section || !SameName(lines_[i].name, section))
                continue;
            std::size_t end = i + 1;
            while (end < lines_.size() && lines_[end].kind != IniLine::Kind::Section)
                ++end;
            return std::pair{i, end};
        }
        return std::nullopt;
    }

    void InsertAt(std::size_t index, IniLine line)
    {
        if (index > 0 && !lines_[index - 1].terminated) {
            lines_[index - 1].raw += Encode(LineEnd, encoding_);
            lines_[index - 1].terminated = true;
        }
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
    }

    IniLine KeyLine(std::u16string_view key, std::u16string_view value) const
    {
        Text stored(CutValue(value));
        for (char16_t& c : stored)
            if (c == u'\r' || c == u'\n')
                c = u' '; // a value must not break into lines of its own
        // Readers drop one enclosing pair of quotes: a value that has its own keeps them.
        if (EnclosedInQuotes(Trim(stored)))
            stored = u"\"" + stored + u"\"";
        return Line(Text(key) + u"=" + stored);
    }

    IniLine Line(std::u16string_view text) const { return Parse(Encode(Text(text) + Text(LineEnd), encoding_)); }

    IniLine Parse(std::string raw) const
    {
        IniLine line;
        Text text = Decode(raw, encoding_);
        if (text.ends_with(u'\n')) {
            line.terminated = true;
            text.pop_back();
        }
        if (text.ends_with(u'\r'))
            text.pop_back();
        const Text trimmed = Trim(text);
        if (trimmed.starts_with(u'[')) {
            const std::size_t close = trimmed.find(u']');
            line.kind = IniLine::Kind::Section;
            line.name = Trim(std::u16string_view(trimmed).substr(1, close == Text::npos ? Text::npos : close - 1));
        } else if (const std::size_t equals = text.find(u'='); equals != Text::npos) {
            line.kind = IniLine::Kind::Key;
            line.name = Trim(std::u16string_view(text).substr(0, equals));
            line.value = Trim(std::u16string_view(text).substr(equals + 1));
        } else {
            line.name = std::move(text);
        }
        line.raw = std::move(raw);
        return line;
    }

    Encoding encoding_ = Encoding::Cp1252;
    std::string bom_;
    std::vector<IniLine> lines_;
};

constexpr std::string_view TooLarge = "larger than a settings file can be";

// Reads the whole of an open profile file, of at most IniFile::MaxFileBytes; on failure the
// reason, naming `path`.
std::optional<FileError> ReadAll(platform::File fd, const platform::FileInfo& info, const std::filesystem::path& path,
                                 std::string& bytes)
{
    bytes.clear();
    if (static_cast<std::size_t>(info.size) > IniFile::MaxFileBytes)
        return FileError{"read", path, std::string(TooLarge)};
    char block[8192];
    for (;;) {
        const std::int64_t got = platform::ReadFully(fd, block, sizeof block, static_cast<platform::Offset>(bytes.size()));
        if (got < 0)
            return FileError::OfErrno("read", path, errno);
        if (bytes.size() + static_cast<std::size_t>(got) > IniFile::MaxFileBytes)
            return FileError{"read", path, std::string(TooLarge)};
        bytes.append(block, static_cast<std::size_t>(got));
        if (static_cast<std::size_t>(got) < sizeof block)
            return std::nullopt;
    }
}

// A write refused: the error, thrown with the summary the settings screens show.
[[noreturn]] void RefuseWrite(const std::filesystem::path& shown, FileError error)
{
    throw FileFailure(std::move(error), "Unable to write to " + platform::PathText(shown));
}

// A profile file opened for a rewrite and held under the save lock, with its bytes as they
// are once the lock is held. The file is replaced by renaming a new one over it, so the lock
// lies on the file that a rewrite replaces: a program that waited for it finds another file
// under the name afterwards, lets the old one go and locks the new one, which holds the keys
// of the rewrite it waited for. A missing file is created empty, so that there is a file to
// lock; it goes again unless it was replaced.
class LockedProfileFile {
public:
    // Throws FileFailure (summed up as a write to `shown`) when the file cannot be opened, locked or read.
    LockedProfileFile(const std::filesystem::path& target, const std::filesystem::path& shown)
        : target_(target), shown_(shown)
    {
        const auto deadline = std::chrono::steady_clock::now() + platform::SaveLockPatience;
        while (!OpenAndLock(deadline))
            if (std::chrono::steady_clock::now() >= deadline) // replaced again and again
                Refuse({"lock", target_, std::string(platform::BusyReason)});
        if (const auto why = ReadAll(fd_, info_, target_, bytes_))
            Refuse(*why);
    }
    ~LockedProfileFile()
    {
        if (fd_ == platform::NoFile)
            return;
        if (created_ && !replaced_ && StillNamed())
            platform::RemoveFile(target_); // nobody else replaces it while the lock is held
        Release();
    }
    LockedProfileFile(const LockedProfileFile&) = delete;
    LockedProfileFile& operator=(const LockedProfileFile&) = delete;

    const std::string& Bytes() const { return bytes_; }
    // The rights the new file takes over: none for a file created here (the umask applies).
    std::optional<unsigned> KeepMode() const
    {
        return created_ ? std::nullopt : std::optional<unsigned>(info_.rights);
    }
    // The new file took its place: nothing to remove.
    void Replaced() { replaced_ = true; }

private:
    // True with the lock held on the file the name stands for; false when another program
    // replaced or created the file meanwhile, to be tried again.
    bool OpenAndLock(std::chrono::steady_clock::time_point deadline)
    {
        created_ = false;
        fd_ = platform::OpenRegular(target_, platform::Access::ReadWrite, IoOp::Open, info_);
        if (fd_ == platform::NoFile && errno == ENOENT) {
            fd_ = platform::CreateNew(target_, IoOp::Create);
            if (fd_ == platform::NoFile && errno == EEXIST)
                return false; // another program created it first: lock that one
            if (fd_ == platform::NoFile)
                Refuse(FileError::OfErrno("create", target_, errno));
            created_ = true;
            if (!platform::Info(fd_, info_))
                Refuse(FileError::OfErrno("open", target_, errno));
        }
        if (fd_ == platform::NoFile)
            Refuse(FileError::OfErrno("open", target_, errno));
        // The rename below would otherwise replace a file its owner marked read-only.
        if (info_.readOnly)
            Refuse({"write", target_, "the file is marked read-only"});
        using std::chrono::milliseconds;
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
        if (!platform::LockWhole(fd_, std::max(left, milliseconds(0)), held_)) {
            const int error = errno;
            created_ = false; // whoever holds it uses it
            Refuse({"lock", target_,
                    error == EAGAIN ? std::string(platform::BusyReason) : platform::ErrorText(error)});
        }
        if (StillNamed())
            return true;
        created_ = false;
        Release();
        return false;
    }

    // The name still stands for the open file: nobody replaced or removed it.
    bool StillNamed() const { return platform::StillNamed(target_, info_); }

    void Release()
    {
        if (held_)
            platform::UnlockWhole(fd_);
        held_ = false;
        platform::CloseQuietly(fd_);
        fd_ = platform::NoFile;
    }

    [[noreturn]] void Refuse(FileError error)
    {
        if (fd_ != platform::NoFile) {
            if (created_ && StillNamed())
                platform::RemoveFile(target_);
            Release();
        }
        RefuseWrite(shown_, std::move(error));
    }

    std::filesystem::path target_;
    std::filesystem::path shown_;
    platform::File fd_ = platform::NoFile;
    platform::FileInfo info_;
    bool created_ = false;
    bool held_ = false;
    bool replaced_ = false;
    std::string bytes_;
};

} // namespace

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {}

Text IniValues::Read(std::u16string_view section, std::u16string_view key) const
{
    for (const Section& found : sections_) {
        if (!SameName(found.name, section))
            continue;
        for (const auto& [name, stored] : found.keys) {
            if (!SameName(name, key))
                continue;
            std::u16string_view value = stored;
            if (EnclosedInQuotes(value))
                value = value.substr(1, value.size() - 2);
            return Text(CutValue(value));
        }
        return {}; // the first section of that name is the one read
    }
    return {};
}

IniValues IniFile::Load() const
{
    IniValues values;
    try {
        platform::FileInfo info;
        const platform::File fd = platform::OpenRegular(path_, platform::Access::Read, IoOp::Open, info);
        if (fd == platform::NoFile) {
            if (errno != ENOENT)
                values.source_ = IniValues::Source::Unreadable;
            return values;
        }
        std::string bytes;
        const bool read = !ReadAll(fd, info, path_, bytes);
        platform::CloseQuietly(fd);
        if (!read) {
            values.source_ = IniValues::Source::Unreadable;
            return values;
        }
        IniDocument(bytes).Visit(
            [&](const Text& name) { values.sections_.push_back({name, {}}); },
            [&](const Text& name, const Text& value) {
                if (!values.sections_.empty())
                    values.sections_.back().keys.emplace_back(name, value);
            });
        values.source_ = IniValues::Source::Read;
    } catch (const std::exception&) { // out of memory, or a text the converter gave up on
        values = IniValues();
        values.source_ = IniValues::Source::Unreadable;
    }
    return values;
}

Text IniFile::Read(std::u16string_view section, std::u16string_view key) const
{
    return Load().Read(section, key);
}

void IniFile::Write(std::u16string_view section, std::u16string_view key, std::u16string_view value)
{
    Write(section, {IniKey{Text(key), Text(value)}});
}

void IniFile::Write(std::u16string_view section, const std::vector<IniKey>& keys)
{
    const auto unusable = [](std::u16string_view name, std::u16string_view forbidden) {
        return name.find_first_of(forbidden) != std::u16string_view::npos || Trim(name).empty();
    };
    if (unusable(section, u"]\r\n"))
        throw std::invalid_argument("unusable INI section name");
    for (const IniKey& key : keys)
        if (unusable(key.name, u"=\r\n"))
            throw std::invalid_argument("unusable INI key name");

    try {
        // A link is followed, so that the file it points at is the one rewritten.
        const std::filesystem::path target = platform::FollowLink(path_);

        LockedProfileFile file(target, path_);
        IniDocument document(file.Bytes());
        for (const IniKey& key : keys)
            document.Set(Trim(section), Trim(key.name), key.value);
        const std::string bytes = document.Bytes();
        if (bytes.size() > MaxFileBytes)
            RefuseWrite(path_, {"write", target, "would be " + std::string(TooLarge)});

        TemporaryFile temporary(target, file.KeepMode());
        if (!temporary.Created())
            RefuseWrite(path_, FileError::OfErrno("create a file beside", target, errno));
        if (!temporary.WriteAndReplace(bytes, target))
            RefuseWrite(path_, FileError::OfErrno("replace", target, errno));
        file.Replaced();
    } catch (const std::bad_alloc&) {
        RefuseWrite(path_, {"read", path_, "out of memory"});
    }
}

IniFile SettingsFile()
{
    return IniFile(ProgramFile("Archivio.ini"));
}
