// Replacing a file whole under a lock, so that no reader and no other writer ever sees it half-written.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace jadeleaf {

// The new bytes of a file made from its present ones; `present` is null when
// there is no file yet.
using FileEdit = std::function<std::string(const std::string* present)>;

// One locked read-modify-write of the file at `path`. Takes an exclusive
// lock on `path`.lock, waiting at most `lockWaitMs` for another program that
// holds it; reads the file (a regular file of at most `limit` bytes); writes
// what `edit` makes of it to a new file beside it, flushes that and renames it
// over the old one. A file that is a symbolic link is written through the
// link, which stays; a file the user made read-only is refused; the file's
// folders are created as needed; a temporary file left by a writer that died
// halfway is removed. Returns an empty text, or why it failed naming the file
// and the system's reason, the old file then being whole. An exception from
// `edit` passes through with the lock released and nothing written.
std::string ReplaceFileLocked(const std::string& path, int lockWaitMs, std::uintmax_t limit, const FileEdit& edit);

}  // namespace jadeleaf
