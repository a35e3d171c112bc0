// The platform layer on Windows: the Win32 calls, wide paths throughout, every file shared
// for reading, writing and deleting so that a file another program holds open can still be
// replaced.
#include "storage/Platform.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>

namespace platform {

namespace {

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A lock on Windows holds up the reads and writes of other handles in its range, where
// Linux locks are advisory. The save lock therefore lies on one byte far past the end of any
// file the program writes: every save takes that byte, and no reader ever reads it.
constexpr ULONGLONG LockOffset = 0x7FFFFFFFFFFFFFFEull;

HANDLE HandleOf(File file)
{
    return reinterpret_cast<HANDLE>(file);
}

File FileOf(HANDLE handle)
{
    return handle == INVALID_HANDLE_VALUE ? NoFile : reinterpret_cast<File>(handle);
}

// The nearest errno value of a system error, so that callers test one set of reasons.
int ErrnoOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_BAD_PATHNAME:
        return ENOENT;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_PRIVILEGE_NOT_HELD:
        return EACCES;
    case ERROR_SHARING_VIOLATION:
        return EBUSY;
    case ERROR_LOCK_VIOLATION:
        return EAGAIN;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_PARAMETER:
        return EINVAL;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_DIR_NOT_EMPTY:
        return ENOTEMPTY;
    case ERROR_NOT_SAME_DEVICE:
        return EXDEV;
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
        return ENOSYS;
    default:
        return EIO;
    }
}

// Sets errno from the last system error; for `return Failed();`.
bool Failed()
{
    errno = ErrnoOf(::GetLastError());
    return false;
}

// The path as Windows takes it: backslashes, and beyond the old length limit the prefix that
// lifts it.
std::wstring Wide(const std::filesystem::path& path)
{
    std::wstring wide = path.native();
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    if (wide.size() >= MAX_PATH && path.is_absolute() && !wide.starts_with(L"\\\\?\\")) {
        if (wide.starts_with(L"\\\\"))
            return L"\\\\?\\UNC\\" + wide.substr(2);
        return L"\\\\?\\" + wide;
    }
    return wide;
}

// The path from the drive or the share on, as ReplaceFileW wants it.
std::wstring FullPath(const std::wstring& path)
{
    std::wstring full(32768, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size())
        return path;
    full.resize(length);
    return full;
}

void Describe(const BY_HANDLE_FILE_INFORMATION& status, FileInfo& info)
{
    info.size = static_cast<Offset>((static_cast<ULONGLONG>(status.nFileSizeHigh) << 32) | status.nFileSizeLow);
    info.readOnly = (status.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    // 100 ns steps since 1601.
    const ULONGLONG written = (static_cast<ULONGLONG>(status.ftLastWriteTime.dwHighDateTime) << 32)
        | status.ftLastWriteTime.dwLowDateTime;
    info.modified = static_cast<std::int64_t>(written / 10000000ull) - 11644473600ll;
    info.rights = 0;
    info.volume = status.dwVolumeSerialNumber;
    info.index = (static_cast<std::uint64_t>(status.nFileIndexHigh) << 32) | status.nFileIndexLow;
}

OVERLAPPED At(ULONGLONG offset)
{
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return position;
}

HANDLE OpenHandle(const std::filesystem::path& path, DWORD access, DWORD disposition, DWORD flags)
{
    return ::CreateFileW(Wide(path).c_str(), access, ShareAll, nullptr, disposition, flags, nullptr);
}

} // namespace

File OpenRegular(const std::filesystem::path& path, Access access, IoOp op, FileInfo& info, bool noFollow)
{
    info = {};
    if (IoFaults::Inject(op))
        return NoFile;
    const DWORD wanted = access == Access::Read ? GENERIC_READ
        : access == Access::Write                ? GENERIC_WRITE
                                                 : GENERIC_READ | GENERIC_WRITE;
    const DWORD flags = FILE_ATTRIBUTE_NORMAL | (noFollow ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    HANDLE handle = OpenHandle(path, wanted, OPEN_EXISTING, flags);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
        if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES) {
            if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
                errno = EISDIR;
                return NoFile;
            }
            // Marked read-only: opened for reading, so that the caller sees the mark and
            // refuses the file in its own words, as Linux lets it for the superuser.
            if ((attributes & FILE_ATTRIBUTE_READONLY) && access != Access::Read)
                handle = OpenHandle(path, GENERIC_READ, OPEN_EXISTING, flags);
        }
        if (handle == INVALID_HANDLE_VALUE) {
            errno = ErrnoOf(error);
            return NoFile;
        }
    }
    BY_HANDLE_FILE_INFORMATION status{};
    int refusal = 0;
    if (::GetFileType(handle) != FILE_TYPE_DISK || !::GetFileInformationByHandle(handle, &status))
        refusal = ENODEV;
    else if (status.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        refusal = EISDIR;
    else if (noFollow && (status.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        refusal = ELOOP;
    if (refusal != 0) {
        ::CloseHandle(handle);
        errno = refusal;
        return NoFile;
    }
    Describe(status, info);
    return FileOf(handle);
}

File CreateNew(const std::filesystem::path& path, IoOp op)
{
    if (IoFaults::Inject(op))
        return NoFile;
    const HANDLE handle = OpenHandle(path, GENERIC_READ | GENERIC_WRITE, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
    if (handle == INVALID_HANDLE_VALUE)
        Failed();
    return FileOf(handle);
}

bool Info(File file, FileInfo& info)
{
    BY_HANDLE_FILE_INFORMATION status{};
    if (!::GetFileInformationByHandle(HandleOf(file), &status))
        return Failed();
    Describe(status, info);
    return true;
}

void SetRights(File, unsigned)
{
    // Windows keeps no permission bits in the file; the read-only mark is never carried over,
    // since a file marked so is never replaced.
}

std::int64_t SystemRead(File file, void* buffer, std::size_t len, Offset offset)
{
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < len) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(len - done, 1u << 30));
        OVERLAPPED position = At(static_cast<ULONGLONG>(offset) + done);
        DWORD got = 0;
        if (!::ReadFile(HandleOf(file), bytes + done, chunk, &got, &position)) {
            if (::GetLastError() == ERROR_HANDLE_EOF)
                break;
            Failed();
            return -1;
        }
        if (got == 0)
            break;
        done += got;
    }
    return static_cast<std::int64_t>(done);
}

bool SystemWrite(File file, const void* buffer, std::size_t len, Offset offset)
{
    const auto* bytes = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < len) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(len - done, 1u << 30));
        OVERLAPPED position = At(static_cast<ULONGLONG>(offset) + done);
        DWORD written = 0;
        if (!::WriteFile(HandleOf(file), bytes + done, chunk, &written, &position))
            return Failed();
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        done += written;
    }
    return true;
}

bool FlushData(File file)
{
    if (IoFaults::Inject(IoOp::Flush))
        return false;
    return ::FlushFileBuffers(HandleOf(file)) || Failed();
}

bool FlushAll(File file)
{
    if (IoFaults::Inject(IoOp::Flush))
        return false;
    return ::FlushFileBuffers(HandleOf(file)) || Failed();
}

bool Close(File file)
{
    if (IoFaults::Inject(IoOp::Close)) {
        ::CloseHandle(HandleOf(file)); // the handle must not leak even when the failure is simulated
        errno = IoFaults::InjectedErrno;
        return false;
    }
    return ::CloseHandle(HandleOf(file)) || Failed();
}

void CloseQuietly(File file)
{
    ::CloseHandle(HandleOf(file));
}

bool Size(File file, Offset& size)
{
    if (IoFaults::Inject(IoOp::Stat))
        return false;
    LARGE_INTEGER length{};
    if (!::GetFileSizeEx(HandleOf(file), &length))
        return Failed();
    size = length.QuadPart;
    return true;
}

bool Truncate(File file, Offset length)
{
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = length;
    return ::SetFileInformationByHandle(HandleOf(file), FileEndOfFileInfo, &end, sizeof end) || Failed();
}

void StartWriteBack(File, Offset, Offset)
{
    // The system writes a large file out by itself; FlushAll waits for the rest.
}

void FinishWriteBack(File, Offset, Offset) {}

bool LockWhole(File file, std::chrono::milliseconds patience, bool& held)
{
    held = false;
    const auto deadline = std::chrono::steady_clock::now() + patience;
    DWORD wait = 1;
    for (;;) {
        OVERLAPPED position = At(LockOffset);
        if (::LockFileEx(HandleOf(file), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &position)) {
            held = true;
            return true;
        }
        const DWORD error = ::GetLastError();
        if (error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION)
            return true; // a file system without locks
        if (error != ERROR_LOCK_VIOLATION && error != ERROR_IO_PENDING) {
            errno = ErrnoOf(error);
            return false;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            errno = EAGAIN;
            return false;
        }
        ::Sleep(wait);
        wait = std::min<DWORD>(wait * 2, 20);
    }
}

void UnlockWhole(File file)
{
    OVERLAPPED position = At(LockOffset);
    ::UnlockFileEx(HandleOf(file), 0, 1, 0, &position);
}

bool Rename(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (IoFaults::Inject(IoOp::Rename))
        return false;
    const std::wstring source = Wide(from), target = Wide(to);
    if (::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    const DWORD error = ::GetLastError();
    // A file that another handle holds open (shared for deleting, as every file of the
    // program is) cannot be renamed over; ReplaceFileW puts the new file in its place all the
    // same, and the handle keeps the file it opened.
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if ((error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) && attributes != INVALID_FILE_ATTRIBUTES
        && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0
        && ::ReplaceFileW(FullPath(target).c_str(), FullPath(source).c_str(), nullptr,
                          REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr))
        return true;
    errno = ErrnoOf(error);
    return false;
}

void FlushFolder(const std::filesystem::path&)
{
    // MOVEFILE_WRITE_THROUGH has made the rename durable, and the file system journals the
    // folder's entries; a folder cannot be flushed on its own.
}

bool RemoveFile(const std::filesystem::path& path)
{
    return ::DeleteFileW(Wide(path).c_str()) || Failed();
}

bool IsRegularNotLink(const std::filesystem::path& path)
{
    const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES
        && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0;
}

bool StillNamed(const std::filesystem::path& path, const FileInfo& info)
{
    const HANDLE handle = OpenHandle(path, 0, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION status{};
    const bool known = ::GetFileInformationByHandle(handle, &status);
    ::CloseHandle(handle);
    FileInfo named;
    if (known)
        Describe(status, named);
    return known && named.volume == info.volume && named.index == info.index;
}

ProcessId CurrentProcess()
{
    return static_cast<ProcessId>(::GetCurrentProcessId());
}

std::filesystem::path ExecutablePath()
{
    std::wstring path(32768, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return std::filesystem::path(path);
}

bool ProcessRuns(ProcessId process)
{
    if (process <= 0 || process > 0xFFFFFFFF)
        return false;
    const HANDLE handle = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(process));
    if (handle == nullptr)
        return ::GetLastError() != ERROR_INVALID_PARAMETER; // no such process; otherwise one of another user
    const bool running = ::WaitForSingleObject(handle, 0) == WAIT_TIMEOUT;
    ::CloseHandle(handle);
    return running;
}

} // namespace platform
