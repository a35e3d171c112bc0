#pragma once
// Thin wrappers over the POSIX file calls used by the storage layer. Each honours the
// IoFaults seam, retries interrupted calls and partial transfers, and on failure returns
// false (or -1) with errno set.
#include "storage/IoFaults.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace posix_io {

int Open(const char* path, int flags, IoOp op, mode_t mode = 0);
// Reads until len bytes or the end of the file; returns the bytes read, -1 on error.
ssize_t ReadFully(int fd, void* buffer, std::size_t len, off_t offset);
bool WriteFully(int fd, const void* buffer, std::size_t len, off_t offset);
bool FlushData(int fd); // fdatasync
bool FlushAll(int fd);  // fsync
bool Close(int fd);
bool Size(int fd, off_t& size);
// Cuts the file back to `length` bytes.
bool Truncate(int fd, off_t length);

// Opens a file without ever blocking (a named pipe would wait for a writer) and keeps it
// only when it is a regular file; `info` receives its status. Anything else fails with
// errno EISDIR (a folder) or ENODEV (a pipe, a device, a socket).
int OpenRegular(const char* path, int flags, IoOp op, struct stat& info);
// True when no write bit is set: the owner marked the file read-only. The system lets the
// superuser write such a file all the same; the program does not.
inline bool MarkedReadOnly(const struct stat& info)
{
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// An exclusive advisory lock on the whole file, held by this open file (not the process),
// so that two programs, or two opens in one program, take turns. Waits at most `patience`
// for another holder; false with errno EAGAIN when it ran out. A file system without locks
// (ENOLCK, EINVAL, EOPNOTSUPP) gives true with `held` false: the caller goes on unlocked,
// as before locks existed.
bool LockWhole(int fd, std::chrono::milliseconds patience, bool& held);
// How long a save of any of the archive's files waits for another program's save before it
// gives up. One save holds the lock for one write and flush, far less than this; a user
// waiting longer would think the program froze.
inline constexpr std::chrono::milliseconds SaveLockPatience{3000};
// The reason a failure carries when the save lock stayed with another program.
inline constexpr std::string_view BusyReason = "in use by another copy of the program";
void UnlockWhole(int fd);
bool Rename(const char* from, const char* to);
// Makes a new directory entry durable (best effort: some file systems refuse it).
void FlushFolder(const char* folder);

std::string ErrorText(int error);

// What a failure's reason (as Failure builds it) says of its cause, for the words the user
// gets: another copy holding the file, or a full disk or exhausted quota; anything else.
enum class Cause { Other, Busy, DiskFull };
Cause CauseOf(std::string_view reason);

// Why a file operation failed, as the program reports it on standard error:
// "<operation> <file>: <reason>", for instance "open /x/Database.pro: Permission denied".
std::string Failure(std::string_view operation, const std::filesystem::path& file, std::string_view reason);
std::string Failure(std::string_view operation, const std::filesystem::path& file, int error);

} // namespace posix_io
