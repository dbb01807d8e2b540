#pragma once
// Putting a finished file in place of a user's file. Each call returns 0, or an errno
// value; failureText() words it for a message.
#include <string>

namespace gravmark::platform {

// Puts `from` in place of `to` in one step: a reader sees the old file or the new one,
// never a part. On Windows a `to` that another program holds open without sharing it (a
// page open in an editor) fails with EBUSY, and `to` stays as it was.
int replaceFile(const std::string& from, const std::string& to);

// Swaps the names of two entries (files or folders) in one step. ENOSYS where the system
// has no such call (Windows), EINVAL where the file system has none: the caller then
// renames one aside first.
int exchangeEntries(const std::string& first, const std::string& second);

// Gives the file `existing` the further name `added`; fails (EEXIST) when any entry of
// that name exists, so that nothing is ever overwritten.
int addName(const std::string& existing, const std::string& added);

// Renames a file or folder. A file `to` is replaced on Linux and refused (EEXIST) on
// Windows; a folder `to` that holds anything is refused on both.
int renameEntry(const std::string& from, const std::string& to);

int removeFile(const std::string& path);

// Makes a rename in the folder durable where the system needs that asked (Linux); a
// folder that cannot be synced costs only that.
void syncFolder(const std::string& folder);

// The system's reason for an errno value, worded for a message.
std::string failureText(int error);

}  // namespace gravmark::platform
