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
// Makes a new directory entry durable (best effort: some file systems refuse it).
void FlushFolder(const char* folder);

std::string ErrorText(int error);

} // namespace posix_io
