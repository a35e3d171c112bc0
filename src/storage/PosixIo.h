#pragma once
// Thin wrappers over the POSIX file calls used by the storage layer. Each honours the
// IoFaults seam, retries interrupted calls and partial transfers, and on failure returns
// false (or -1) with errno set.
#include "storage/IoFaults.h"

#include <sys/types.h>

#include <cstddef>
#include <string>

namespace posix_io {

int Open(const char* path, int flags, IoOp op, mode_t mode = 0);
// Reads until len bytes or the end of the file; returns the bytes read, -1 on error.
ssize_t ReadFully(int fd, void* buffer, std::size_t len, off_t offset);
bool WriteFully(int fd, const void* buffer, std::size_t len, off_t offset);
bool FlushData(int fd); // fdatasync
bool FlushAll(int fd);  // fsync
bool Close(int fd);
bool Size(int fd, off_t& size);
bool Rename(const char* from, const char* to);

enum class Mapping {
    Mapped,  // `address` holds `got` bytes of the file
    Refused, // the system maps no such file: read it instead
    Failed,  // errno says why
};
// Maps up to len bytes of the file from offset (a multiple of PageSize()) read-only and
// private, as a read would give them: `got` is the count of bytes the file holds there,
// fewer at its end. Only bytes the file holds are mapped, since touching a mapped byte past
// its end kills the process. Unmap with Unmap(address, got).
Mapping MapForReading(int fd, off_t offset, std::size_t len, const uint8_t*& address, std::size_t& got);
void Unmap(const uint8_t* address, std::size_t len);
std::size_t PageSize();
// Makes a new directory entry durable (best effort: some file systems refuse it).
void FlushFolder(const char* folder);

std::string ErrorText(int error);

} // namespace posix_io
