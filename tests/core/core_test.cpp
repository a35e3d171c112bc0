// The core's own test program, without Qt: what the program does with its files where the
// systems differ, checked on the system it runs on. It is built for Linux with the suite and
// cross-built for Windows and run under Wine (`./build.sh test-windows`). It ends with the
// line "N passed, M failed".
//
// The cases that need a second copy of the program start this executable again with one
// of the child flags below; folders are passed as names under the shared test folder, so
// that the command line stays plain ASCII.
#include "attachments/AttachmentFolder.h"
#include "report/DocumentFile.h"
#include "storage/Cp1252.h"
#include "storage/FileError.h"
#include "storage/IniFile.h"
#include "storage/IoFaults.h"
#include "storage/Platform.h"
#include "storage/ProgramFolder.h"
#include "storage/RecordFile.h"
#include "storage/Records.h"
#include "storage/TemporaryFile.h"
#include "storage/Text.h"
#include "storage/Unicode.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// ---------------------------------------------------------------------------------------
// Checks

struct CaseFailed {
    std::string what;
};

int checksFailedInCase = 0;

void Check(bool condition, const std::string& what)
{
    if (condition)
        return;
    ++checksFailedInCase;
    std::printf("    failed: %s\n", what.c_str());
}

template <class A, class B>
void CheckEqual(const A& actual, const B& expected, const std::string& what)
{
    Check(actual == expected, what);
}

std::string Hex(std::string_view bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<uint8_t>(c);
        if (!out.empty())
            out += ' ';
        out += digits[byte >> 4];
        out += digits[byte & 15];
    }
    return out;
}

void CheckBytes(std::string_view actual, std::string_view expected, const std::string& what)
{
    if (actual == expected)
        return;
    Check(false, what + "\n      got      " + Hex(actual) + "\n      expected " + Hex(expected));
}

// ---------------------------------------------------------------------------------------
// Files and folders, as a test sees them (with the standard library, not the program's layer)

// The folder every case works in: a name with blanks and accents, as on an office's PC.
fs::path SharedRoot(const std::string& owner)
{
    return fs::temp_directory_path() / fs::path(u8"Velorbis prova àèìòù €") / fs::path(owner);
}

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void MarkReadOnly(const fs::path& path, bool readOnly)
{
    using fs::perms;
    fs::permissions(path, readOnly ? perms::owner_read | perms::group_read | perms::others_read
                                   : perms::owner_read | perms::owner_write | perms::group_read | perms::others_read);
}

std::set<std::string> Names(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(platform::PathText(entry.path().filename()));
    return names;
}

// A fresh, empty folder under the shared root, made the program folder.
fs::path FreshProgramFolder(const fs::path& root, const std::string& name)
{
    const fs::path folder = root / platform::PathOfText(name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    SetProgramFolder(folder);
    return folder;
}

// ---------------------------------------------------------------------------------------
// A second copy of the program

fs::path ThisExecutable()
{
#ifdef _WIN32
    std::wstring path(32768, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return fs::path(path);
#else
    return fs::read_symlink("/proc/self/exe");
#endif
}

class Child {
public:
    explicit Child(const std::vector<std::string>& arguments)
    {
#ifdef _WIN32
        std::wstring command = L"\"" + ThisExecutable().wstring() + L"\"";
        for (const std::string& argument : arguments)
            command += L" \"" + std::wstring(argument.begin(), argument.end()) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
            ::CloseHandle(process.hThread);
            process_ = process.hProcess;
            id_ = process.dwProcessId;
        }
#else
        const std::string program = ThisExecutable().string();
        std::vector<std::string> all{program};
        all.insert(all.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& argument : all)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        pid_t pid = 0;
        if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) == 0)
            id_ = pid;
#endif
    }
    ~Child() { Wait(20s); }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Started() const { return id_ != 0; }
    platform::ProcessId Id() const { return id_; }

    // The exit code, or -1 when it did not end in time (it is then ended).
    int Wait(std::chrono::milliseconds patience)
    {
        if (id_ == 0 || exited_)
            return exitCode_;
        exited_ = true;
#ifdef _WIN32
        if (::WaitForSingleObject(process_, static_cast<DWORD>(patience.count())) != WAIT_OBJECT_0) {
            ::TerminateProcess(process_, 99);
            ::WaitForSingleObject(process_, INFINITE);
            exitCode_ = -1;
        } else {
            DWORD code = 0;
            ::GetExitCodeProcess(process_, &code);
            exitCode_ = static_cast<int>(code);
        }
        ::CloseHandle(process_);
#else
        const auto deadline = std::chrono::steady_clock::now() + patience;
        int status = 0;
        for (;;) {
            if (::waitpid(static_cast<pid_t>(id_), &status, WNOHANG) == static_cast<pid_t>(id_)) {
                exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
                break;
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                ::kill(static_cast<pid_t>(id_), SIGKILL);
                ::waitpid(static_cast<pid_t>(id_), &status, 0);
                exitCode_ = -1;
                break;
            }
            std::this_thread::sleep_for(5ms);
        }
#endif
        return exitCode_;
    }

private:
    platform::ProcessId id_ = 0;
    bool exited_ = false;
    int exitCode_ = -1;
#ifdef _WIN32
    HANDLE process_ = nullptr;
#endif
};

// Waits (at most `patience`) until the file exists.
bool AwaitFile(const fs::path& path, std::chrono::milliseconds patience)
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!fs::exists(path)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Records

std::string Tagged(const std::string& tag, int number)
{
    return tag + "-" + std::to_string(1000 + number).substr(1);
}

// A sheet whose fields all say who wrote it, so that a record mixed from two writes shows.
TSchedaDatabase TaggedSheet(const std::string& tag, int number)
{
    TSchedaDatabase sheet;
    const Text text = FromUtf8(Tagged(tag, number));
    sheet.Set(DatabaseField::Campo01, text);
    Text long_;
    while (long_.size() + text.size() + 1 <= 250)
        long_ += text + u" ";
    sheet.Set(DatabaseField::Campo07, long_);
    sheet.Set(DatabaseField::Desc03, long_);
    return sheet;
}

std::string RecordBytes(const TSchedaDatabase& sheet)
{
    return std::string(reinterpret_cast<const char*>(sheet.data()), TSchedaDatabase::Size);
}

// ---------------------------------------------------------------------------------------
// The children

int AppendChild(const std::string& owner, const std::string& folder, const std::string& tag, int count)
{
    SetProgramFolder(SharedRoot(owner) / fs::path(folder));
    IoFaults::SlowWrites(1ms); // every write pauses halfway, so that the two programs overlap
    try {
        TRecordFile file(DatabaseLayout);
        for (int i = 0; i < count; ++i) {
            file.OpenForWriting(); // opened anew for each save, as the program does
            const TSchedaDatabase sheet = TaggedSheet(tag, i);
            file.Append(sheet.data());
            file.Close();
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}

// Holds the save lock of the file until `release` appears (or at most `ms` milliseconds),
// having said so by creating `marker`.
int HoldChild(const std::string& owner, const std::string& folder, const std::string& file, int ms)
{
    const fs::path base = SharedRoot(owner) / fs::path(folder);
    platform::FileInfo info;
    const platform::File fd = platform::OpenRegular(base / fs::path(file), platform::Access::ReadWrite, IoOp::Open, info);
    bool held = false;
    if (fd == platform::NoFile || !platform::LockWhole(fd, platform::SaveLockPatience, held) || !held)
        return 2;
    WriteBytes(base / "locked", "locked");
    AwaitFile(base / "release", std::chrono::milliseconds(ms));
    platform::UnlockWhole(fd);
    platform::Close(fd);
    return 0;
}

// ---------------------------------------------------------------------------------------
// The cases

std::string Owner()
{
    return "run-" + std::to_string(platform::CurrentProcess());
}

fs::path Root()
{
    return SharedRoot(Owner());
}

// The codec: the code page byte for byte, look-alikes, surrogates; the whole of Unicode in
// one fingerprint, as ICU's data gives it on Linux.
void CodecCases()
{
    struct Encoding {
        std::u16string text;
        std::string bytes;
    };
    const Encoding encodings[] = {
        {u"Niccolò Caffè", "Niccol\xF2 Caff\xE8"},
        {u"€ ‚ ƒ „ … † ‡ ˆ ‰ Š ‹ Œ Ž", "\x80 \x82 \x83 \x84 \x85 \x86 \x87 \x88 \x89 \x8A \x8B \x8C \x8E"},
        {u"‘’“”•–—˜™š›œžŸ", "\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F"},
        {u"\u0081\u008D\u008F\u0090\u009D", "\x81\x8D\x8F\x90\x9D"},   // the five Windows keeps
        {u"\u0080\u0085\u009F", "???"},                                // the other C1 controls
        {u"āēīōū ĀČŠ ǿ ł Đ ħ", "aeiou AC\x8A \xF8 l D h"},                 // decompositions and look-alikes
        {u"ＡＢＣ１２３", "ABC123"},                                   // full width
        {u"‐‑−∕ ′″", "---/ '\""},
        {u"漢字 Ω α", "?? O a"},
        {u"\xD800x\xDFFF", "?x?"},                                      // lone surrogates
        {u"\U0001F600", "?"},                                           // a pair is one character
        {u"\U0001D400", "A"},                                           // mathematical bold A
    };
    for (const Encoding& encoding : encodings)
        CheckBytes(ToCp1252(encoding.text), encoding.bytes, "ToCp1252 of " + ToUtf8(encoding.text));

    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    CheckBytes(ToCp1252(FromCp1252(all)), all, "every byte of the code page decodes and encodes back");
    CheckEqual(FromCp1252("\x80\x9F\xF2"), Text(u"€Ÿò"), "FromCp1252");

    // Every code point, through the same call the record fields take; the figure is the one
    // that ICU 72's data gives (Debian 12), and the one the tables must give.
    std::uint64_t fingerprint = 14695981039346656037ull;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        fingerprint ^= UnicodeToCp1252(c);
        fingerprint *= 1099511628211ull;
    }
    CheckEqual(fingerprint, 15202551701204306807ull, "fingerprint of UnicodeToCp1252 over all of Unicode: " + std::to_string(fingerprint));

    struct Conversion {
        std::string utf8;
        std::u16string text;
    };
    const Conversion conversions[] = {
        {"Niccol\xC3\xB2", u"Niccolò"},
        {"\xE2\x82\xAC", u"€"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"a\xFF" "b", u"a\uFFFDb"},
        {"\xE2\x82", u"\uFFFD"},
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"\xC0\xAF", u"\uFFFD\uFFFD"},
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
    };
    for (const Conversion& conversion : conversions)
        CheckEqual(FromUtf8(conversion.utf8), conversion.text, "FromUtf8 of " + Hex(conversion.utf8));
    CheckBytes(ToUtf8(u"Niccolò \xD800!"), "Niccol\xC3\xB2 \xEF\xBF\xBD!", "ToUtf8 with a lone surrogate");
    Check(unicode::EqualFolded(u"Straße", u"STRASSE"), "Straße equals STRASSE under case folding");
    Check(unicode::EqualFolded(u"ARCHIVIO", u"archivio") && !unicode::EqualFolded(u"Archivio", u"Archivi"),
          "section names compare without case");
}

// Record files: the bytes of two sheets exactly as the program has always written them.
void RecordFileCases()
{
    FreshProgramFolder(Root(), "record files");
    TSchedaDatabase first;
    first.Set(DatabaseField::Campo01, u"  Niccolò Caffè  ");
    first.Set(DatabaseField::Campo07, u"Città – “prova” €");
    first.Set(DatabaseField::ProvRes, u"MIX");
    TSchedaDatabase second;
    second.Set(DatabaseField::Desc03, Text(300, u'x'));

    std::string expected(2 * TSchedaDatabase::Size, '\0');
    const auto put = [&](std::size_t at, std::string_view bytes) { expected.replace(at, bytes.size(), bytes); };
    put(0, "\x0DNiccol\xF2 Caff\xE8");
    put(306, "\x11" "Citt\xE0 \x96 \x93prova\x94 \x80");
    put(1667, "\x02MI");
    put(TSchedaDatabase::Size + 3561, "\xFA" + std::string(250, 'x'));

    TRecordFile file(DatabaseLayout);
    file.OpenForWriting();
    CheckEqual(file.Append(first.data()), std::size_t(0), "first append at 0");
    CheckEqual(file.Append(second.data()), std::size_t(1), "second append at 1");
    file.Close();
    CheckBytes(ReadBytes(ProgramFile("Database.pro")), expected, "Database.pro byte for byte");

    file.Open();
    CheckEqual(file.Count(), std::size_t(2), "two records counted");
    TSchedaDatabase back;
    file.ReadAt(0, back.data());
    CheckEqual(back.Get(DatabaseField::Campo01), Text(u"Niccolò Caffè"), "the name reads back");
    CheckEqual(back.Get(DatabaseField::Campo07), Text(u"Città – “prova” €"), "the text reads back");
    file.Close();

    // Overwriting in place, and a missing file that reads as empty.
    file.OpenForWriting();
    file.WriteAt(1, first.data());
    file.Close();
    CheckBytes(ReadBytes(ProgramFile("Database.pro")).substr(TSchedaDatabase::Size), expected.substr(0, TSchedaDatabase::Size),
               "an overwrite writes the record in place");
    TRecordFile clients(ClientLayout);
    clients.Open();
    CheckEqual(clients.Count(), std::size_t(0), "a missing file reads as an empty archive");
    clients.Close();
    Check(!fs::exists(ProgramFile("Clienti.pro")), "reading creates no file");
}

// Archivio.ini as Windows programs leave it: CR LF, in the code page or in UTF-16 with its
// byte-order mark; a write changes its key and nothing else, in the file's own encoding.
void SettingsFileCases()
{
    const fs::path folder = FreshProgramFolder(Root(), "settings");
    const std::u16string before = u"[Archivio]\r\nNome=Niccolò\r\n\r\n[Altro]\r\nX=1\r\n";
    const std::u16string after = u"[Archivio]\r\nNome=Niccolò\r\nCartella=C:\\Users\\Niccolò\\Documenti\r\n\r\n[Altro]\r\nX=1\r\n";
    const auto utf16 = [](std::u16string_view text, bool little) {
        std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
        for (const char16_t c : text) {
            const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
            bytes += little ? low : high;
            bytes += little ? high : low;
        }
        return bytes;
    };
    struct Form {
        const char* name;
        std::string before, after;
    };
    const Form forms[] = {
        {"Windows-1252, no byte-order mark", ToCp1252(before), ToCp1252(after)},
        {"UTF-16 little-endian with its byte-order mark", utf16(before, true), utf16(after, true)},
        {"UTF-16 big-endian with its byte-order mark", utf16(before, false), utf16(after, false)},
        {"UTF-8 with its byte-order mark", "\xEF\xBB\xBF" + ToUtf8(before), "\xEF\xBB\xBF" + ToUtf8(after)},
    };
    for (const Form& form : forms) {
        WriteBytes(folder / "Archivio.ini", form.before);
        IniFile ini = SettingsFile();
        CheckEqual(ini.Read(u"ARCHIVIO", u"nome"), Text(u"Niccolò"), std::string(form.name) + ": a key reads");
        CheckEqual(ini.Read(u"Altro", u"X"), Text(u"1"), std::string(form.name) + ": a key of another section reads");
        ini.Write(u"Archivio", u"Cartella", u"C:\\Users\\Niccolò\\Documenti");
        CheckBytes(ReadBytes(folder / "Archivio.ini"), form.after, std::string(form.name) + ": the rewritten file");
        CheckEqual(Names(folder), std::set<std::string>{"Archivio.ini"}, std::string(form.name) + ": nothing left beside it");
    }
    fs::remove(folder / "Archivio.ini");
    SettingsFile().Write(u"Archivio", u"Nome", u"Caffè");
    CheckBytes(ReadBytes(folder / "Archivio.ini"), "[Archivio]\r\nNome=Caff\xE8\r\n", "a new file: code page, CR LF");
}

// Two copies of the program appending to one record file at once: every sheet is there,
// once, whole, each at the index its save returned.
void TwoProgramsAppend()
{
    const fs::path folder = FreshProgramFolder(Root(), "two programs");
    constexpr int Each = 40;
    {
        Child a({"--append", Owner(), "two programs", "A", std::to_string(Each)});
        Child b({"--append", Owner(), "two programs", "B", std::to_string(Each)});
        Check(a.Started() && b.Started(), "both programs started");
        CheckEqual(a.Wait(60s), 0, "the first program saved every sheet");
        CheckEqual(b.Wait(60s), 0, "the second program saved every sheet");
    }
    TRecordFile file(DatabaseLayout);
    file.Open();
    CheckEqual(file.Count(), std::size_t(2 * Each), "every sheet of both programs is in the file");
    std::map<std::string, int> seen;
    RecordScanner scan(file);
    while (const uint8_t* record = scan.Next()) {
        TSchedaDatabase sheet;
        std::copy(record, record + TSchedaDatabase::Size, sheet.data());
        const std::string tag = ToUtf8(sheet.Get(DatabaseField::Campo01));
        ++seen[tag];
        const int number = std::atoi(tag.substr(2).c_str());
        Check(RecordBytes(sheet) == RecordBytes(TaggedSheet(tag.substr(0, 1), number)), "record " + tag + " is whole");
    }
    file.Close();
    for (const char* tag : {"A", "B"})
        for (int i = 0; i < Each; ++i)
            CheckEqual(seen[Tagged(tag, i)], 1, "sheet " + Tagged(tag, i) + " is there once");
    CheckEqual(Names(folder), std::set<std::string>{"Database.pro"}, "nothing left beside the file");
}

// A save while another program holds the save lock: it waits for it; and when the other
// keeps it past the wait, the save fails saying so and the file stays as it was.
void SaveWaitsForLock()
{
    const fs::path folder = FreshProgramFolder(Root(), "lock");
    const TSchedaDatabase sheet = TaggedSheet("L", 1);
    {
        TRecordFile file(DatabaseLayout);
        file.OpenForWriting();
        file.Append(sheet.data());
        file.Close();
    }
    const std::string saved = ReadBytes(folder / "Database.pro");

    // Kept longer than a save waits: the save gives up.
    {
        Child holder({"--hold", Owner(), "lock", "Database.pro", "20000"});
        Check(AwaitFile(folder / "locked", 20s), "the other program holds the lock");
        TRecordFile file(DatabaseLayout);
        file.OpenForWriting();
        bool busy = false;
        try {
            file.Append(sheet.data());
        } catch (const FileFailure& failure) {
            busy = failure.Error().Cause() == platform::Cause::Busy;
            CheckEqual(failure.Error().Text(), platform::Failure("lock", folder / "Database.pro", platform::BusyReason),
                       "the failure names the lock");
        }
        file.Close();
        Check(busy, "the save gave up, the file being in use by another copy");
        CheckBytes(ReadBytes(folder / "Database.pro"), saved, "the file is as it was");
        WriteBytes(folder / "release", "");
        CheckEqual(holder.Wait(20s), 0, "the other program let the lock go");
    }
    fs::remove(folder / "locked");
    fs::remove(folder / "release");

    // Let go within the wait: the save waits for it and succeeds.
    {
        Child holder({"--hold", Owner(), "lock", "Database.pro", "700"});
        Check(AwaitFile(folder / "locked", 20s), "the other program holds the lock again");
        TRecordFile file(DatabaseLayout);
        file.OpenForWriting();
        try {
            CheckEqual(file.Append(sheet.data()), std::size_t(1), "the save went on once the lock was free");
        } catch (const FileFailure& failure) {
            Check(false, std::string("the save failed: ") + failure.what());
        }
        file.Close();
        CheckEqual(holder.Wait(20s), 0, "the other program ended");
    }
    CheckEqual(ReadBytes(folder / "Database.pro").size(), 2 * TSchedaDatabase::Size, "both sheets saved");

    // The settings file takes the same lock.
    fs::remove(folder / "locked");
    WriteBytes(folder / "Archivio.ini", "[Archivio]\r\nNome=A\r\n");
    {
        Child holder({"--hold", Owner(), "lock", "Archivio.ini", "20000"});
        Check(AwaitFile(folder / "locked", 20s), "the other program holds the settings file's lock");
        bool busy = false;
        try {
            SettingsFile().Write(u"Archivio", u"Nome", u"B");
        } catch (const FileFailure& failure) {
            busy = failure.Error().Cause() == platform::Cause::Busy;
        }
        Check(busy, "the settings write gave up");
        CheckBytes(ReadBytes(folder / "Archivio.ini"), "[Archivio]\r\nNome=A\r\n", "the settings file is as it was");
        WriteBytes(folder / "release", "");
        CheckEqual(holder.Wait(20s), 0, "the other program let the settings file go");
    }
    // A reader is never held up by the lock of a save.
    fs::remove(folder / "locked");
    fs::remove(folder / "release");
    {
        Child holder({"--hold", Owner(), "lock", "Database.pro", "20000"});
        Check(AwaitFile(folder / "locked", 20s), "the other program holds the lock for reading");
        TRecordFile file(DatabaseLayout);
        file.Open();
        TSchedaDatabase back;
        file.ReadAt(1, back.data());
        CheckEqual(RecordBytes(back), RecordBytes(sheet), "a sheet reads while another program saves");
        file.Close();
        WriteBytes(folder / "release", "");
        CheckEqual(holder.Wait(20s), 0, "the other program ended again");
    }
}

// A file that another handle holds open is replaced all the same: the settings file, a
// document, an attachment; the handle keeps reading what it opened.
void ReplaceHeldFile()
{
    const fs::path folder = FreshProgramFolder(Root(), "held open");
    WriteBytes(folder / "Archivio.ini", "[Archivio]\r\nNome=A\r\n");
    platform::FileInfo info;
    const platform::File held = platform::OpenRegular(folder / "Archivio.ini", platform::Access::Read, IoOp::Open, info);
    Check(held != platform::NoFile, "another handle holds the settings file");
    try {
        SettingsFile().Write(u"Archivio", u"Nome", u"B");
    } catch (const FileFailure& failure) {
        Check(false, std::string("the write failed: ") + failure.what());
    }
    CheckBytes(ReadBytes(folder / "Archivio.ini"), "[Archivio]\r\nNome=B\r\n", "the settings file was replaced");
    char old[64] = {};
    const std::int64_t got = platform::ReadFully(held, old, sizeof old, 0);
    CheckBytes(std::string_view(old, got > 0 ? static_cast<std::size_t>(got) : 0), "[Archivio]\r\nNome=A\r\n",
               "the handle still reads the file it opened");
    platform::Close(held);

    WriteBytes(folder / "Stampa.pdf", "old");
    const platform::File document = platform::OpenRegular(folder / "Stampa.pdf", platform::Access::ReadWrite, IoOp::Open, info);
    const FileOutcome written = report::WriteDocumentFile(folder / "Stampa.pdf", "new document");
    Check(written.Succeeded(), "a document held open is replaced: " + (written.Succeeded() ? "" : written.Error().Text()));
    platform::Close(document);
    CheckBytes(ReadBytes(folder / "Stampa.pdf"), "new document", "the new document is in place");
    CheckEqual(Names(folder), (std::set<std::string>{"Archivio.ini", "Stampa.pdf"}), "nothing left beside them");
}

// A file marked read-only is never written, whoever runs the program.
void ReadOnlyRefused()
{
    const fs::path folder = FreshProgramFolder(Root(), "read-only");
    const TSchedaDatabase sheet = TaggedSheet("R", 1);
    {
        TRecordFile file(DatabaseLayout);
        file.OpenForWriting();
        file.Append(sheet.data());
        file.Close();
    }
    WriteBytes(folder / "Archivio.ini", "[Archivio]\r\nNome=A\r\n");
    WriteBytes(folder / "Stampa.pdf", "old");
    for (const char* name : {"Database.pro", "Archivio.ini", "Stampa.pdf"})
        MarkReadOnly(folder / name, true);
    const std::string records = ReadBytes(folder / "Database.pro");

    const auto refusedForReadOnly = [](const std::string& reason) {
        return reason == "the file is marked read-only" || reason == platform::ErrorText(EACCES);
    };
    {
        TRecordFile file(DatabaseLayout);
        bool refused = false;
        try {
            file.OpenForWriting();
            file.Append(sheet.data());
        } catch (const FileFailure& failure) {
            refused = refusedForReadOnly(failure.Error().reason);
            Check(refused, std::string("the record file's refusal says why: ") + failure.what());
        }
        Check(refused, "a record file marked read-only is not opened for saving");
        file.Open();
        CheckEqual(file.Count(), std::size_t(1), "it still opens for reading");
        file.Close();
    }
    CheckBytes(ReadBytes(folder / "Database.pro"), records, "the record file is as it was");

    bool refused = false;
    try {
        SettingsFile().Write(u"Archivio", u"Nome", u"B");
    } catch (const FileFailure& failure) {
        refused = refusedForReadOnly(failure.Error().reason);
    }
    Check(refused, "a settings file marked read-only is not rewritten");
    CheckBytes(ReadBytes(folder / "Archivio.ini"), "[Archivio]\r\nNome=A\r\n", "the settings file is as it was");
    CheckEqual(SettingsFile().Read(u"Archivio", u"Nome"), Text(u"A"), "it still reads");

    const FileOutcome written = report::WriteDocumentFile(folder / "Stampa.pdf", "new");
    Check(!written.Succeeded(), "a document marked read-only is not replaced");
    CheckBytes(ReadBytes(folder / "Stampa.pdf"), "old", "the document is as it was");
    CheckEqual(Names(folder), (std::set<std::string>{"Archivio.ini", "Database.pro", "Stampa.pdf"}), "nothing left beside them");
    for (const char* name : {"Database.pro", "Archivio.ini", "Stampa.pdf"})
        MarkReadOnly(folder / name, false);
}

// Names with accents and blanks: the program folder (every case runs in one) and the
// attachments folder with a document copied in.
void AccentedNames()
{
    const fs::path folder = FreshProgramFolder(Root(), "Programmi Niccolò/Velorbis 4.0 – città");
    SettingsFile().Write(u"Archivio", u"Percorso", u"C:\\Users\\Niccolò\\");
    CheckEqual(SettingsFile().Read(u"Archivio", u"Percorso"), Text(u"C:\\Users\\Niccolò\\"), "the settings file in the folder");
    TRecordFile file(ClientLayout);
    file.OpenForWriting();
    TSchedaCliente client;
    client.Set(ClientField::Cliente, u"Niccolò Caffè");
    file.Append(client.data());
    file.Close();
    CheckEqual(ReadBytes(folder / "Clienti.pro").size(), TSchedaCliente::Size, "a record file in the folder");

    const fs::path source = Root() / fs::path(u8"Fattura n° 12 – Niccolò.pdf");
    WriteBytes(source, "%PDF attachment");
    const Text name = u"Fattura n° 12 – Niccolò.pdf";
    Check(attachments::RecordKeepsName(name), "the record keeps the name as it is");
    const attachments::CopyOutcome copied = attachments::CopyIn(source, name);
    Check(copied.Succeeded(), "copied into the attachments folder: " + (copied.Succeeded() ? "" : copied.Error().Text()));
    Check(attachments::Holds(name), "the folder holds it under its name");
    Check(attachments::HoldsSameBytes(source, name), "with the same bytes");
    CheckEqual(Names(folder / "Documenti_Allegati"), std::set<std::string>{ToUtf8(name)}, "under exactly that name");
    CheckEqual(platform::PathText(*attachments::PathOf(name)),
               platform::PathText(folder / "Documenti_Allegati" / fs::path(u8"Fattura n° 12 – Niccolò.pdf")), "its path");
    CheckEqual(attachments::FreeName(name), Text(u"Fattura n° 12 – Niccolò (2).pdf"), "the next free name");
    WriteBytes(source, "%PDF another");
    Check(attachments::CopyIn(source, name).Succeeded(), "a copy of that name is replaced");
    CheckBytes(ReadBytes(*attachments::PathOf(name)), "%PDF another", "by the new bytes");
}

// A write or flush that fails leaves the file as it was, and nothing beside it.
void FailedWritesLeaveFiles()
{
    const fs::path folder = FreshProgramFolder(Root(), "failures");
    const TSchedaDatabase sheet = TaggedSheet("F", 1);
    {
        TRecordFile file(DatabaseLayout);
        file.OpenForWriting();
        file.Append(sheet.data());
        file.Close();
    }
    WriteBytes(folder / "Archivio.ini", "[Archivio]\r\nNome=A\r\n");
    const std::string records = ReadBytes(folder / "Database.pro");
    const std::set<std::string> names = Names(folder);

    struct Failing {
        const char* what;
        IoOp op;
    };
    for (const Failing failing : {Failing{"write", IoOp::Write}, Failing{"flush", IoOp::Flush}}) {
        TRecordFile file(DatabaseLayout);
        file.OpenForWriting();
        IoFaults::FailNext(failing.op);
        bool failed = false;
        try {
            file.Append(sheet.data());
        } catch (const FileFailure& failure) {
            failed = failure.Error().operation == failing.what;
        }
        IoFaults::Reset();
        file.Close();
        Check(failed, std::string("an append whose ") + failing.what + " fails is refused");
        CheckBytes(ReadBytes(folder / "Database.pro"), records, std::string("after a failed ") + failing.what + ", the record file is as it was");
    }
    for (const Failing failing : {Failing{"create", IoOp::Create}, Failing{"write", IoOp::Write},
                                  Failing{"flush", IoOp::Flush}, Failing{"rename", IoOp::Rename}}) {
        IoFaults::FailNext(failing.op);
        bool failed = false;
        try {
            SettingsFile().Write(u"Archivio", u"Nome", u"B");
        } catch (const FileFailure&) {
            failed = true;
        }
        IoFaults::Reset();
        Check(failed, std::string("a settings write whose ") + failing.what + " fails is refused");
        CheckBytes(ReadBytes(folder / "Archivio.ini"), "[Archivio]\r\nNome=A\r\n",
                   std::string("after a failed ") + failing.what + ", the settings file is as it was");
        CheckEqual(Names(folder), names, std::string("after a failed ") + failing.what + ", nothing left beside the files");
    }
}

// Temporary files left by a program that was killed go at the next start; those of a
// program still running stay.
void StaleTemporaryFiles()
{
    const fs::path folder = FreshProgramFolder(Root(), "temporary");
    platform::ProcessId ended = 0;
    {
        Child child({"--exit"});
        ended = child.Id();
        CheckEqual(child.Wait(20s), 0, "a program that ended");
    }
    Check(!platform::ProcessRuns(ended), "an ended process is known to have ended");
    Check(platform::ProcessRuns(platform::CurrentProcess()), "this process runs");
    const std::string left = ".Archivio.ini.velorbis-" + std::to_string(ended) + "-0.tmp";
    const std::string ours = ".Archivio.ini.velorbis-" + std::to_string(platform::CurrentProcess()) + "-0.tmp";
    WriteBytes(folder / left, "x");
    WriteBytes(folder / ours, "x");
    WriteBytes(folder / "Archivio.ini", "x");
    CheckEqual(TemporaryFileProcess(left).value_or(0), ended, "the name tells whose file it is");
    CheckEqual(RemoveStaleTemporaryFiles(folder).size(), std::size_t(0), "removed without a failure");
    CheckEqual(Names(folder), (std::set<std::string>{"Archivio.ini", ours}), "only the ended program's file went");
}

struct Case {
    const char* name;
    void (*run)();
};

const Case Cases[] = {
    {"the codec", CodecCases},
    {"record files byte for byte", RecordFileCases},
    {"Archivio.ini with CR LF, with and without a byte-order mark", SettingsFileCases},
    {"two programs saving into one record file at once", TwoProgramsAppend},
    {"a save waiting on a lock another program holds", SaveWaitsForLock},
    {"replacing a file another handle holds open", ReplaceHeldFile},
    {"read-only files refused", ReadOnlyRefused},
    {"names with accents and blanks", AccentedNames},
    {"a failed write leaves the file as it was", FailedWritesLeaveFiles},
    {"temporary files of ended programs", StaleTemporaryFiles},
};

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 5 && arguments[0] == "--append")
        return AppendChild(arguments[1], arguments[2], arguments[3], std::atoi(arguments[4].c_str()));
    if (arguments.size() == 5 && arguments[0] == "--hold")
        return HoldChild(arguments[1], arguments[2], arguments[3], std::atoi(arguments[4].c_str()));
    if (arguments.size() == 1 && arguments[0] == "--exit")
        return 0;

    std::setvbuf(stdout, nullptr, _IONBF, 0);
    int passed = 0, failed = 0;
    for (const Case& test : Cases) {
        checksFailedInCase = 0;
        const auto start = std::chrono::steady_clock::now();
        try {
            test.run();
        } catch (const std::exception& error) {
            Check(false, std::string("threw: ") + error.what());
        }
        IoFaults::Reset();
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        std::printf("%s %s (%lld ms)\n", checksFailedInCase == 0 ? "PASS" : "FAIL", test.name,
                    static_cast<long long>(ms.count()));
        (checksFailedInCase == 0 ? passed : failed) += 1;
    }
    std::error_code ignored;
    fs::remove_all(Root(), ignored);
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
