// Reading the resource file without trusting a byte of it.
#include "render/ResourceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace jadeleaf {

namespace {

std::uint32_t Get32(const std::vector<unsigned char>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

// Reads exactly `size` bytes; a file that ends early or grows meanwhile is not trusted.
int ReadWhole(int fd, std::size_t size, std::vector<unsigned char>& bytes) {
    bytes.resize(size + 1);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return errno;
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    if (done != size) return kBadResourceFile;
    bytes.resize(size);
    return 0;
}

}  // namespace

int ResourceFile::Read(const std::string& path) {
    Clear();
    // Not blocking: a FIFO or a device at this name must not hang the start-up.
    const FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.Get() < 0) return errno;
    struct stat status {};
    if (fstat(file.Get(), &status) != 0) return errno;
    if (S_ISDIR(status.st_mode)) return EISDIR;
    if (!S_ISREG(status.st_mode)) return kBadResourceFile;
    if (status.st_size < 0 || static_cast<std::uint64_t>(status.st_size) > kResourceFileLimit) return kBadResourceFile;
    std::vector<unsigned char> bytes;
    if (const int error = ReadWhole(file.Get(), static_cast<std::size_t>(status.st_size), bytes)) return error;
    return Parse(std::move(bytes));
}

int ResourceFile::Parse(std::vector<unsigned char> bytes) {
    Clear();
    if (bytes.size() < kResourceHeaderSize || bytes.size() > kResourceFileLimit) return kBadResourceFile;
    if (!std::equal(kResourceFileTag.begin(), kResourceFileTag.end(), bytes.begin())) return kBadResourceFile;
    if (Get32(bytes, 8) != kResourceFileVersion) return kBadResourceFile;
    const std::uint64_t count = Get32(bytes, 12);
    if (count > static_cast<std::uint64_t>(kLastResourceId)) return kBadResourceFile;
    const std::uint64_t tableEnd = kResourceHeaderSize + count * kResourceEntrySize;
    if (tableEnd > bytes.size()) return kBadResourceFile;

    std::array<Slot, kLastResourceId + 1> slots{};
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kResourceHeaderSize + i * kResourceEntrySize;
        const auto id = static_cast<std::int32_t>(Get32(bytes, at));
        const std::uint64_t offset = Get32(bytes, at + 4);
        const std::uint64_t length = Get32(bytes, at + 8);
        if (id < kFirstResourceId || id > kLastResourceId || slots[static_cast<std::size_t>(id)].length != 0)
            return kBadResourceFile;
        if (length == 0 || offset < tableEnd || offset + length > bytes.size()) return kBadResourceFile;
        slots[static_cast<std::size_t>(id)] = {static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(length)};
    }
    bytes_ = std::move(bytes);
    slots_ = slots;
    valid_ = true;
    return 0;
}

void ResourceFile::Clear() {
    bytes_.clear();
    bytes_.shrink_to_fit();
    slots_ = {};
    valid_ = false;
}

std::span<const unsigned char> ResourceFile::Resource(int id) const {
    if (!valid_ || id < kFirstResourceId || id > kLastResourceId) return {};
    const Slot& slot = slots_[static_cast<std::size_t>(id)];
    return std::span<const unsigned char>(bytes_).subspan(slot.offset, slot.length);
}

}  // namespace jadeleaf
