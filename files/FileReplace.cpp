// The locked, atomic replace of a file: a lock file, a new file beside the old one, a rename over it.
#include "files/FileReplace.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string_view>
#include <thread>

#include "files/FileDescriptor.h"
#include "files/FileRead.h"

namespace jadeleaf {

namespace {

std::string ParentFolder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Creates the folder and those above it, private to the user as the XDG
// directories should be. Returns an empty text or the reason it failed.
std::string MakeFolders(const std::string& folder) {
    struct stat info {};
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        const bool present = ::stat(part.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        if (!present && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            return FileFailureText("cannot create", part, errno);
        }
        if (slash == std::string::npos) break;
    }
    if (::stat(folder.c_str(), &info) != 0) return FileFailureText("cannot create", folder, errno);
    if (!S_ISDIR(info.st_mode)) return FileFailureText("cannot create", folder, ENOTDIR);
    return {};
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Puts `text` in place of `target` so that a reader sees either the old file
// or the new one, whole, even if the machine stops halfway. Returns an empty
// text or the reason it failed; on failure the old file is untouched.
std::string ReplaceFile(const std::string& target, const std::string& text) {
    const std::string temporary = target + ".new";
    // What is there already was left by a writer that died halfway.
    ::unlink(temporary.c_str());
    FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (fd.Get() < 0) return FileFailureText("cannot create", temporary, errno);
    auto fail = [&](const char* action, int error) {
        fd.Reset();
        ::unlink(temporary.c_str());
        return FileFailureText(action, temporary, error);
    };
    // The new file keeps the permissions the user gave the old one.
    if (struct stat old{}; ::stat(target.c_str(), &old) == 0 && ::fchmod(fd.Get(), old.st_mode & 07777) != 0) {
        return fail("cannot set the permissions of", errno);
    }
    if (!WriteAll(fd.Get(), text)) return fail("cannot write", errno);
    if (::fsync(fd.Get()) != 0) return fail("cannot write", errno);
    if (const int error = fd.Reset(); error != 0) return fail("cannot write", error);
    if (::rename(temporary.c_str(), target.c_str()) != 0) return fail("cannot rename", errno);
    // The new name is in place once rename returns; syncing the folder only
    // makes it survive a power cut, and some file systems refuse to, so a
    // failure here is no failure of the write.
    FileDescriptor folder(::open(ParentFolder(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0) ::fsync(folder.Get());
    return {};
}

// Another copy of the program holds the lock only for the moment of a write;
// one that holds it for longer is stuck or is not this program, and the write
// gives up rather than freeze the window.
bool WaitForLock(int fd, int waitMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
        if (errno != EWOULDBLOCK && errno != EINTR) return false;
        if (std::chrono::steady_clock::now() >= deadline) {
            errno = EWOULDBLOCK;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// The file a chain of links ends at, even when that file does not exist yet:
// writing through a dangling link creates its target rather than the link's
// replacement.
std::string LinkTarget(const std::string& path) {
    std::string target = path;
    for (int depth = 0; depth < 40; ++depth) {
        char buffer[4096];
        const ssize_t length = ::readlink(target.c_str(), buffer, sizeof buffer);
        if (length < 0 || static_cast<std::size_t>(length) >= sizeof buffer) break;
        const std::string next(buffer, static_cast<std::size_t>(length));
        target = next.front() == '/' ? next : ParentFolder(target) + "/" + next;
    }
    return target;
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// A file whose write permission the user took away is kept as it is, even
// from root, whom the system would let write it.
bool MadeReadOnly(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    return (info.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

// The lock is a file of its own, since the file is replaced by every write
// and a lock on it would stay with the old copy. It is removed while still
// held, so a copy that locked it in the meantime finds its lock file gone
// and takes a new one.
class FileLock {
public:
    explicit FileLock(std::string path) : path_(std::move(path)) {}
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock() {
        if (held_) ::unlink(path_.c_str());
    }

    // Returns an empty text or why the lock could not be had.
    std::string Take(int waitMs) {
        for (;;) {
            fd_.Adopt(::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
            if (fd_.Get() < 0) return FileFailureText("cannot open", path_, errno);
            if (!WaitForLock(fd_.Get(), waitMs)) return FileFailureText("cannot lock", path_, errno);
            struct stat held {}, named {};
            if (::fstat(fd_.Get(), &held) == 0 && ::stat(path_.c_str(), &named) == 0 && SameFile(held, named)) break;
        }
        held_ = true;
        return {};
    }

private:
    std::string path_;
    FileDescriptor fd_;
    bool held_ = false;
};

// The read-modify-write under the lock: an empty text, or why it failed.
std::string ReplaceLocked(const std::string& path, std::uintmax_t limit, const FileEdit& edit) {
    // A file that is a link to one kept elsewhere stays a link.
    const std::string target = LinkTarget(path);
    if (MadeReadOnly(target)) return FileFailureText("cannot write", target, EACCES);
    std::string present;
    const int error = ReadRegularFile(target, limit, present);
    if (error != 0 && !IsMissingFile(error)) return FileFailureText("cannot read", target, error, limit);
    return ReplaceFile(target, edit(error == 0 ? &present : nullptr));
}

}  // namespace

std::string ReplaceFileLocked(const std::string& path, int lockWaitMs, std::uintmax_t limit, const FileEdit& edit) {
    if (std::string reason = MakeFolders(ParentFolder(path)); !reason.empty()) return reason;
    FileLock lock(path + ".lock");
    if (std::string reason = lock.Take(lockWaitMs); !reason.empty()) return reason;
    return ReplaceLocked(path, limit, edit);
}

}  // namespace jadeleaf
