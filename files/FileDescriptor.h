// An open file descriptor that closes itself, for the file room's own use.
#pragma once

#include <unistd.h>

#include <cerrno>

namespace jadeleaf {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { Reset(); }
    int Get() const { return fd_; }
    void Adopt(int fd) {
        Reset();
        fd_ = fd;
    }
    // Closes now, returning close's errno (0 on success): a failed close can be
    // a failed write that the file system reported late.
    int Reset() {
        int error = 0;
        if (fd_ >= 0 && ::close(fd_) != 0) error = errno;
        fd_ = -1;
        return error;
    }

private:
    int fd_;
};

}  // namespace jadeleaf
