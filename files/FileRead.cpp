// Reading regular files without blocking, and the reasons a read fails.
#include "files/FileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "files/FileDescriptor.h"

namespace jadeleaf {

namespace {

// Not blocking: a FIFO or a device at this name must not hang the program.
int OpenRegular(const std::string& path, FileDescriptor& fd, struct stat& info) {
    do {
        fd.Adopt(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    } while (fd.Get() < 0 && errno == EINTR);
    if (fd.Get() < 0) return errno;
    if (::fstat(fd.Get(), &info) != 0) return errno;
    if (S_ISDIR(info.st_mode)) return EISDIR;
    // A device such as /dev/zero would never end.
    if (!S_ISREG(info.st_mode)) return kNotRegularFile;
    return 0;
}

// Reads exactly the size the file had when it was opened: one that ends
// early or grows meanwhile is being written by someone else.
template <typename Bytes>
int ReadInto(const std::string& path, std::uintmax_t limit, Bytes& bytes) {
    bytes.clear();
    FileDescriptor fd;
    struct stat info {};
    if (const int error = OpenRegular(path, fd, info)) return error;
    if (info.st_size < 0 || static_cast<std::uintmax_t>(info.st_size) > limit) return kFileTooLarge;
    const auto size = static_cast<std::size_t>(info.st_size);
    bytes.resize(size + 1);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            const int error = errno;
            bytes.clear();
            return error;
        }
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    if (done != size) {
        bytes.clear();
        return kFileChanged;
    }
    bytes.resize(size);
    return 0;
}

std::string SizeText(std::uintmax_t bytes) {
    if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
    if (bytes >= (1u << 10) && bytes % (1u << 10) == 0) return std::to_string(bytes >> 10) + " KiB";
    return std::to_string(bytes) + " bytes";
}

}  // namespace

int CheckRegularFile(const std::string& path) {
    FileDescriptor fd;
    struct stat info {};
    return OpenRegular(path, fd, info);
}

int ReadRegularFile(const std::string& path, std::uintmax_t limit, std::string& bytes) {
    return ReadInto(path, limit, bytes);
}

int ReadRegularFile(const std::string& path, std::uintmax_t limit, std::vector<unsigned char>& bytes) {
    return ReadInto(path, limit, bytes);
}

bool IsMissingFile(int error) { return error == ENOENT || error == ENOTDIR; }

std::string FileErrorText(int error, std::uintmax_t limit) {
    switch (error) {
    case kNotRegularFile:
        return "not a regular file";
    case kFileTooLarge:
        return limit > 0 ? "larger than " + SizeText(limit) : "too large";
    case kFileChanged:
        return "changed while it was read";
    default:
        return std::strerror(error);
    }
}

std::string FileFailureText(std::string_view action, const std::string& path, int error, std::uintmax_t limit) {
    return FileFailureText(action, path, FileErrorText(error, limit));
}

std::string FileFailureText(std::string_view action, const std::string& path, std::string_view reason) {
    return std::string(action) + " \"" + path + "\": " + std::string(reason);
}

}  // namespace jadeleaf
