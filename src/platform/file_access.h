#pragma once
// Files opened by name and read or written through a descriptor, the same on Linux and
// Windows: always binary (no line-end translation), never inherited by a started program.
// Every call returns as the C library does: -1 (or an errno value, where said) with errno
// set on failure.
#include <cstddef>
#include <cstdint>
#include <string>

namespace gravmark::platform {

enum class OpenFor {
    Reading,           // an existing file
    Rewriting,         // an existing file (not through a symbolic link), written in place
    Appending,         // created when missing, written at its end
    AppendingEmptied,  // created when missing, emptied first
    CreatingNew,       // created; fails (EEXIST) when any entry of that name exists
};

int openFile(const std::string& path, OpenFor how);
int closeFile(int fd);

// As read()/write(): the count done (a part is possible), 0 at the end, -1 on failure.
int64_t readSome(int fd, char* into, size_t size);
int64_t writeSome(int fd, const char* from, size_t size);

// Writes all the bytes; false on failure (errno set), a part may be written then.
bool writeAll(int fd, const char* from, size_t size);

// Moves the descriptor to `offset` bytes from the file's start. 0, or -1.
int seekFile(int fd, int64_t offset);

// The file's size in bytes; -1 on failure.
int64_t fileSize(int fd);

// Flushes the file's bytes to the disk. 0, or the errno value.
int syncFile(int fd);

// Cuts or extends the file to `size` bytes. 0, or the errno value.
int resizeFile(int fd, int64_t size);

// Makes the disk room for the first `size` bytes of the file, its bytes unchanged (the
// file grows to `size` when shorter), so that writing them cannot fail for want of room.
// 0, or the errno value (ENOSPC when the disk is full).
int reserveRoom(int fd, int64_t size);

// Creates a new file whose name is `pattern` with its last six characters ("XXXXXX")
// replaced, opened for writing; `pattern` is changed to the name made. The fd, or -1.
int createTemporaryFile(std::string& pattern);

// Gives a new file the permissions a page has: those of `likeFile` when that is a file
// itself (not a link), else readable by all and writable by its owner. Windows keeps no
// such bits: 0 there.
int setPageMode(int fd, const std::string& likeFile);

enum class EntryKind { None, File, Folder, Link, Other };

// What the name is, a symbolic link (or, on Windows, any reparse point) not followed.
EntryKind entryKind(const std::string& path);

bool fileExists(const std::string& path);
bool isWritableFile(const std::string& path);

}  // namespace gravmark::platform
