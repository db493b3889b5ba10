// The side-window picture kept between paints: read again only when its file changes, and a file
// that does not load reported once, not on every paint.
#pragma once

#include <sys/types.h>

#include <QImage>
#include <optional>
#include <string>

namespace jadeleaf {

class SidePictureCache {
public:
    // The picture of the file at `path`, read again only when the path, the
    // file's size or its modification time differ from the last read; a null
    // image when the file does not load.
    const QImage& Load(const std::string& path);

    // A picture has been read and is kept.
    bool HasPicture() const { return !picture_.isNull(); }
    // After a failed load: the file and why it did not load, for the line
    // under the error box.
    const std::string& Failure() const { return failure_; }

    // True the first time it is asked after a failed load of a file as it
    // now is: a modal box on every paint would keep the player from playing.
    bool TakeUnreportedFailure();
    // The player switched the picture off or chose it again: the next failure
    // is reported even if the file has not changed.
    void ForgetReport() { reported_ = false; }

    void Clear();

private:
    struct FileState {
        std::string path;
        int statError = 0;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        long long modifiedSeconds = 0;
        long modifiedNanoseconds = 0;
        bool operator==(const FileState&) const = default;
    };
    static FileState StateOf(const std::string& path);

    std::optional<FileState> loaded_;
    QImage picture_;
    std::string failure_;
    bool reported_ = false;
};

}  // namespace jadeleaf
