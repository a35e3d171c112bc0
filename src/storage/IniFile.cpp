#include "storage/IniFile.h"

#include "storage/Cp1252.h"
#include "storage/PosixIo.h"
#include "storage/ProgramFolder.h"
#include "storage/TemporaryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include <optional>
#include <vector>

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view LineEnd = "\r\n";

bool SameName(std::u16string_view a, std::u16string_view b)
{
    UErrorCode status = U_ZERO_ERROR;
    return u_strCaseCompare(a.data(), static_cast<int32_t>(a.size()), b.data(), static_cast<int32_t>(b.size()),
                            U_FOLD_CASE_DEFAULT, &status) == 0
        && U_SUCCESS(status);
}

// One line of the file: its bytes as found (terminator included, if any) and what it says.
struct IniLine {
    enum class Kind { Other, Section, Key };
    std::string raw;
    Kind kind = Kind::Other;
    Text name;  // section or key name, trimmed
    Text value; // key value, trimmed

    bool IsBlank() const { return kind == Kind::Other && Trim(name).empty(); }
    bool HasTerminator() const { return !raw.empty() && raw.back() == '\n'; }
};

// The file's text as lines, in the encoding it was found in (UTF-8 when it starts with a
// byte-order mark, Windows-1252 otherwise).
class IniDocument {
public:
    explicit IniDocument(std::string_view bytes)
    {
        if (bytes.starts_with(Utf8Bom)) {
            utf8_ = true;
            bom_ = std::string(Utf8Bom);
            bytes.remove_prefix(Utf8Bom.size());
        }
        while (!bytes.empty()) {
            const std::size_t end = bytes.find('\n');
            const std::size_t length = end == std::string_view::npos ? bytes.size() : end + 1;
            lines_.push_back(Parse(std::string(bytes.substr(0, length))));
            bytes.remove_prefix(length);
        }
    }

    std::optional<Text> Find(std::u16string_view section, std::u16string_view key) const
    {
        const auto range = SectionRange(section);
        if (!range)
            return std::nullopt;
        for (std::size_t i = range->first + 1; i < range->second; ++i)
            if (lines_[i].kind == IniLine::Kind::Key && SameName(lines_[i].name, key))
                return lines_[i].value;
        return std::nullopt;
    }

    void Set(std::u16string_view section, std::u16string_view key, std::u16string_view value)
    {
        const auto range = SectionRange(section);
        if (!range) {
            InsertAt(lines_.size(), Encode(u"[" + Text(section) + u"]"));
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
        if (index > 0 && !lines_[index - 1].HasTerminator())
            lines_[index - 1].raw += LineEnd;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
    }

    IniLine KeyLine(std::u16string_view key, std::u16string_view value) const
    {
        Text text = Text(key) + u"=" + Text(value);
        for (char16_t& c : text)
            if (c == u'\r' || c == u'\n')
                c = u' '; // a value must not break into lines of its own
        return Encode(text);
    }

    IniLine Encode(std::u16string_view text) const
    {
        return Parse((utf8_ ? ToUtf8(text) : ToCp1252(text)) + std::string(LineEnd));
    }

    Text Decode(std::string_view bytes) const { return utf8_ ? FromUtf8(bytes) : FromCp1252(bytes); }

    IniLine Parse(std::string raw) const
    {
        IniLine line;
        std::string_view content = raw;
        if (content.ends_with('\n'))
            content.remove_suffix(1);
        if (content.ends_with('\r'))
            content.remove_suffix(1);
        const Text text = Decode(content);
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
            line.name = text;
        }
        line.raw = std::move(raw);
        return line;
    }

    bool utf8_ = false;
    std::string bom_;
    std::vector<IniLine> lines_;
};

bool ReadAll(int fd, std::string& bytes)
{
    bytes.clear();
    char block[8192];
    for (;;) {
        const ssize_t got = posix_io::ReadFully(fd, block, sizeof block, static_cast<off_t>(bytes.size()));
        if (got < 0)
            return false;
        bytes.append(block, static_cast<std::size_t>(got));
        if (static_cast<std::size_t>(got) < sizeof block)
            return true;
    }
}

void CloseQuietly(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

} // namespace

IniWriteError::IniWriteError(const std::filesystem::path& file, std::string reason)
    : std::runtime_error("Unable to write to " + file.string()), reason_(std::move(reason))
{
}

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {}

Text IniFile::Read(std::u16string_view section, std::u16string_view key) const
{
    const int fd = posix_io::Open(path_.c_str(), O_RDONLY, IoOp::Open);
    if (fd < 0)
        return {};
    std::string bytes;
    const bool read = ReadAll(fd, bytes);
    CloseQuietly(fd);
    if (!read)
        return {};
    Text value = IniDocument(bytes).Find(section, key).value_or(Text());
    if (value.size() > MaxValueLength)
        value.resize(MaxValueLength);
    return value;
}

void IniFile::Write(std::u16string_view section, std::u16string_view key, std::u16string_view value)
{
    if (section.find_first_of(u"]\r\n") != std::u16string_view::npos || Trim(section).empty()
        || key.find_first_of(u"=\r\n") != std::u16string_view::npos || Trim(key).empty())
        throw std::invalid_argument("unusable INI section or key name");

    // A link is followed, so that the file it points at is the one rewritten.
    std::error_code ignored;
    const std::filesystem::path target = std::filesystem::is_symlink(path_, ignored)
        ? std::filesystem::weakly_canonical(path_, ignored)
        : path_;

    std::string bytes;
    std::optional<mode_t> keepMode;
    // The existing file must be writable as it is: the rename below would otherwise bypass
    // a read-only file.
    const int fd = posix_io::Open(target.c_str(), O_RDWR, IoOp::Open);
    if (fd >= 0) {
        struct stat info {};
        const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
        const bool read = regular && ReadAll(fd, bytes);
        const int error = errno;
        CloseQuietly(fd);
        if (!regular)
            throw IniWriteError(path_, posix_io::Failure("open", target, "not a regular file"));
        if (!read)
            throw IniWriteError(path_, posix_io::Failure("read", target, error));
        keepMode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        throw IniWriteError(path_, posix_io::Failure("open", target, errno));
    }

    IniDocument document(bytes);
    document.Set(Trim(section), Trim(key), value);

    TemporaryFile temporary(target, keepMode);
    if (!temporary.Created())
        throw IniWriteError(path_, posix_io::Failure("create a file beside", target, errno));
    if (!temporary.WriteAndReplace(document.Bytes(), target))
        throw IniWriteError(path_, posix_io::Failure("replace", target, errno));
}

IniFile SettingsFile()
{
    return IniFile(ProgramFile("Archivio.ini"));
}
