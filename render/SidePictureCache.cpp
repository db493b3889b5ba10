// The side-window picture between paints.
#include "render/SidePictureCache.h"

#include <sys/stat.h>

#include <cerrno>

#include "render/SidePicture.h"

namespace jadeleaf {

// The inode is part of the state: a file replaced by another of the same size
// and time (a copy that keeps the time) is a new file.
SidePictureCache::FileState SidePictureCache::StateOf(const std::string& path) {
    FileState state;
    state.path = path;
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        state.statError = errno;
        return state;
    }
    state.device = status.st_dev;
    state.inode = status.st_ino;
    state.size = status.st_size;
    state.modifiedSeconds = status.st_mtim.tv_sec;
    state.modifiedNanoseconds = status.st_mtim.tv_nsec;
    return state;
}

const QImage& SidePictureCache::Load(const std::string& path) {
    FileState state = StateOf(path);
    if (loaded_ && *loaded_ == state) return picture_;
    loaded_ = std::move(state);
    reported_ = false;
    QImage picture;
    if (LoadSidePicture(path, picture, failure_)) {
        picture_ = picture;
    } else {
        picture_ = QImage();
    }
    return picture_;
}

bool SidePictureCache::TakeUnreportedFailure() {
    if (!loaded_ || !picture_.isNull() || reported_) return false;
    reported_ = true;
    return true;
}

void SidePictureCache::Clear() {
    loaded_.reset();
    picture_ = QImage();
    failure_.clear();
    reported_ = false;
}

}  // namespace jadeleaf
