// Finding the resource file and reading its bitmaps.
#include "render/ResourceLibrary.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/FileRead.h"
#include "files/XdgFolders.h"
#include "render/BmpDecoder.h"

namespace jadeleaf {

namespace {

std::string ExecutableFolder() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {};
    const std::string executable(path, static_cast<std::size_t>(length));
    return executable.substr(0, executable.rfind('/'));
}

bool NameExists(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0;
}

}  // namespace

std::vector<std::string> ResourceLibrary::SearchPaths() {
    std::vector<std::string> paths;
    const std::string folder = ExecutableFolder();
    if (!folder.empty()) {
        paths.push_back(folder + "/" + kResourceFileName);
        paths.push_back(folder + "/../share/jadeleaf/" + kResourceFileName);
        // Debian keeps a game's data in /usr/share/games beside /usr/games.
        paths.push_back(folder + "/../share/games/jadeleaf/" + kResourceFileName);
    }
    paths.push_back(DataHome() + "/jadeleaf/" + kResourceFileName);
    for (const std::string& data : DataDirs()) paths.push_back(data + "/jadeleaf/" + kResourceFileName);
    return paths;
}

bool ResourceLibrary::Load(int& errorCode) {
    triedPath_.clear();
    for (const std::string& path : SearchPaths()) {
        if (NameExists(path)) return LoadFile(path, errorCode);
    }
    errorCode = ENOENT;
    return false;
}

bool ResourceLibrary::LoadFile(const std::string& path, int& errorCode) {
    triedPath_ = path;
    errorCode = file_.Read(path);
    return errorCode == 0;
}

std::string ResourceLibrary::FailureDetail(int errorCode) const {
    if (triedPath_.empty()) return {};
    if (errorCode == kBadResourceFile) {
        return FileFailureText("cannot load", triedPath_, "damaged, or not a resource file");
    }
    return FileFailureText("cannot load", triedPath_, errorCode);
}

QImage ResourceLibrary::Bitmap(int id) const { return DecodeBmp(file_.Resource(id)); }

QImage ResourceLibrary::Bitmap(int id, int density) const {
    if (density == 1) return Bitmap(id);
    if (density < 2 || density > kLargestDensity || id < kFirstResourceId || id > kLastResourceId) return {};
    QImage image = DecodePackedBmp(file_.Resource(DenseResourceId(id, density)));
    // A drawing of another size is not this picture's, whatever its entry says.
    const QImage small = Bitmap(id);
    if (image.isNull() || small.isNull() || image.size() != small.size() * density) return {};
    return image;
}

}  // namespace jadeleaf
