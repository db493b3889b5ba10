// Reading the files a user's machine may hold: regular files only, never blocking, within a size limit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace jadeleaf {

// The reader's own error numbers, beside errno's (which are all positive).
inline constexpr int kNotRegularFile = -1;  // a FIFO, a device, a socket
inline constexpr int kFileTooLarge = -2;    // more bytes than the caller's limit
inline constexpr int kFileChanged = -3;     // its size changed while it was read

// Checks that `path` opens for reading as a regular file, without waiting
// even for a pipe. Returns 0, the errno of the failed open (ENOENT, EACCES,
// ...), EISDIR for a folder, or kNotRegularFile.
int CheckRegularFile(const std::string& path);

// Reads the whole regular file at `path` when it holds at most `limit`
// bytes. Returns 0, an error as CheckRegularFile does, kFileTooLarge,
// kFileChanged (a file written meanwhile is not trusted), or the errno of a
// failed read; `bytes` is empty after a failure. Interrupted calls are retried.
int ReadRegularFile(const std::string& path, std::uintmax_t limit, std::string& bytes);
int ReadRegularFile(const std::string& path, std::uintmax_t limit, std::vector<unsigned char>& bytes);

// A file that is not there, or a folder on its way that is a plain file.
bool IsMissingFile(int error);

// The short reason for any error above, as strerror gives one for errno:
// "No such file or directory", "not a regular file", "larger than 1 MiB"
// (with the limit named when the caller gives it).
std::string FileErrorText(int error, std::uintmax_t limit = 0);

// What an error box shows on the line after its text: the action, the file
// and the reason, as in: cannot read "/home/u/a.reg": Permission denied.
std::string FileFailureText(std::string_view action, const std::string& path, int error, std::uintmax_t limit = 0);
// The same with a reason that is no error number: the file was read, but
// what it holds will not do (cannot load "/tmp/a.txt": not a picture).
std::string FileFailureText(std::string_view action, const std::string& path, std::string_view reason);

}  // namespace jadeleaf
