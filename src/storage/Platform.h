#pragma once
// Everything the program asks of the system about files, folders, locks and processes. Two
// implementations, one chosen when the program is built: PlatformPosix.cpp (Linux) and
// PlatformWin32.cpp (Windows, wide paths throughout). Nothing else in the program calls the
// system directly, and this header includes no system header.
//
// Each call honours the IoFaults seam, retries interrupted calls and partial transfers, and
// on failure returns false (or -1, or NoFile) with errno set. On Windows the system's error
// is given as the nearest errno value, so that callers test one set of reasons and show the
// same texts everywhere.
#include "storage/IoFaults.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// An open file: a descriptor on Linux, a handle on Windows.
using File = std::intptr_t;
inline constexpr File NoFile = -1;
using Offset = std::int64_t;
using ProcessId = std::int64_t;

enum class Access { Read, Write, ReadWrite };

// What the system says of an open file.
struct FileInfo {
    Offset size = 0;
    // Marked read-only by its owner: no write bit set, or the read-only attribute. Linux
    // lets the superuser write such a file all the same; the program does not.
    bool readOnly = false;
    // The rights a file that replaces it takes over (permission bits on Linux, none on Windows).
    unsigned rights = 0;
    // When it was last written, in seconds since 1970 (UTC).
    std::int64_t modified = 0;
    // Which file it is: two names of one file give the same pair.
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
};

// Opens an existing file, shared so that other programs may read, write, rename and remove
// it meanwhile, without ever blocking (a named pipe would wait for a writer), and keeps it
// only when it is a regular file; `info` receives its status. Anything else fails with errno
// EISDIR (a folder) or ENODEV (a pipe, a device, a socket). With noFollow a link is refused
// (ELOOP) instead of followed. Opening for writing is how the program asks whether it may
// write the file.
File OpenRegular(const std::filesystem::path& path, Access access, IoOp op, FileInfo& info, bool noFollow = false);
// Creates a new empty file, open for reading and writing and shared as above; fails with
// EEXIST when the name is taken, so that of two programs creating it one opens the other's.
// Its rights are the system's default for a new file.
File CreateNew(const std::filesystem::path& path, IoOp op);
// What the system says of the open file now (the IoFaults seam is not asked: Size is the call
// that stands for asking a file's length).
bool Info(File file, FileInfo& info);
// Gives the file the rights of the file it replaces (nothing on Windows).
void SetRights(File file, unsigned rights);

// Reads until len bytes or the end of the file; returns the bytes read, -1 on error.
std::int64_t ReadFully(File file, void* buffer, std::size_t len, Offset offset);
bool WriteFully(File file, const void* buffer, std::size_t len, Offset offset);
// The same transfers without the fault seam, each system's own; only ReadFully and WriteFully
// call them.
std::int64_t SystemRead(File file, void* buffer, std::size_t len, Offset offset);
bool SystemWrite(File file, const void* buffer, std::size_t len, Offset offset);
bool FlushData(File file); // the bytes, and the length when it changed
bool FlushAll(File file);  // everything, before a rename
bool Close(File file);
// Closes a file that was only looked at, or given up: how the close ends changes nothing, and
// the IoFaults seam is not asked.
void CloseQuietly(File file);
bool Size(File file, Offset& size);
// Cuts the file back to `length` bytes.
bool Truncate(File file, Offset length);
// For a large file written in one go: starts writing [start, start + length) to the disk.
void StartWriteBack(File file, Offset start, Offset length);
// Waits until [start, start + length) is on the disk and gives its cached pages back.
void FinishWriteBack(File file, Offset start, Offset length);

// An exclusive lock on the whole file, held by this open file (not the process), so that two
// programs, or two opens in one program, take turns. Readers take no lock and are never held
// up by it. Waits at most `patience` for another holder; false with errno EAGAIN when it ran
// out. A file system without locks gives true with `held` false: the caller goes on unlocked,
// as before locks existed.
bool LockWhole(File file, std::chrono::milliseconds patience, bool& held);
void UnlockWhole(File file);
// How long a save of any of the archive's files waits for another program's save before it
// gives up. One save holds the lock for one write and flush, far less than this; a user
// waiting longer would think the program froze.
inline constexpr std::chrono::milliseconds SaveLockPatience{3000};
// The reason a failure carries when the save lock stayed with another program.
inline constexpr std::string_view BusyReason = "in use by another copy of the program";

// Puts `from` in the place of `to`, replacing an existing file even while others hold it
// open, and makes the change durable where the system can.
bool Rename(const std::filesystem::path& from, const std::filesystem::path& to);
// Makes a new or renamed entry of the folder durable (best effort: some systems refuse it).
void FlushFolder(const std::filesystem::path& folder);
bool RemoveFile(const std::filesystem::path& path);
// True when the name is a regular file itself, not a link to one.
bool IsRegularNotLink(const std::filesystem::path& path);
// True when anything has that name, a link to nothing included.
bool Exists(const std::filesystem::path& path);
// True when the name is a regular file, or a folder, a link followed.
bool IsRegularFile(const std::filesystem::path& path);
bool IsFolder(const std::filesystem::path& path);
// True when the file or folder of that name carries a write mark: a write bit, or on Windows
// no read-only attribute. False when it cannot be looked at.
bool MarkedWritable(const std::filesystem::path& path);
// True while the name stands for the file `info` describes: nobody replaced or removed it.
bool StillNamed(const std::filesystem::path& path, const FileInfo& info);
// The file a link points at, followed to the end; any other name as it is.
std::filesystem::path FollowLink(const std::filesystem::path& path);
// Makes the folder and those above it that are missing; false with errno and `why` (the
// system's words) set on failure.
bool MakeFolders(const std::filesystem::path& folder, std::string& why);
// The entries of a folder (not of its subfolders); none when it cannot be read.
std::vector<std::filesystem::path> ListFolder(const std::filesystem::path& folder);

ProcessId CurrentProcess();
// The running executable's file, its links followed; empty when the system does not say.
std::filesystem::path ExecutablePath();
// True unless the process is known to have ended; a process of another user counts as running.
bool ProcessRuns(ProcessId process);

// The system's text for an errno value.
std::string ErrorText(int error);

// A path as UTF-8 text, for messages and for the screens; and back (on Linux the bytes are
// the name as it is).
std::string PathText(const std::filesystem::path& path);
std::filesystem::path PathOfText(std::string_view utf8);

// What a failure's reason (as Failure builds it) says of its cause, for the words the user
// gets: another copy holding the file, or a full disk or exhausted quota; anything else.
enum class Cause { Other, Busy, DiskFull };
Cause CauseOf(std::string_view reason);

// Why a file operation failed, as the program reports it on standard error:
// "<operation> <file>: <reason>", for instance "open /x/Database.pro: Permission denied".
std::string Failure(std::string_view operation, const std::filesystem::path& file, std::string_view reason);
std::string Failure(std::string_view operation, const std::filesystem::path& file, int error);

} // namespace platform
