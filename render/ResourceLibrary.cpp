// Finding the resource file and reading its bitmaps.
#include "render/ResourceLibrary.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

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

// The XDG rules: unset or empty means the default; relative paths are ignored.
void AddDataFolders(std::vector<std::string>& paths, const char* variable, std::string_view fallback) {
    const char* value = std::getenv(variable);
    std::string_view list = value != nullptr && *value != '\0' ? std::string_view(value) : fallback;
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string_view folder = list.substr(0, colon);
        if (!folder.empty() && folder.front() == '/')
            paths.push_back(std::string(folder) + "/jadeleaf/" + kResourceFileName);
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
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
    }
    const char* home = std::getenv("HOME");
    const std::string homeData = home != nullptr && *home == '/' ? std::string(home) + "/.local/share" : std::string();
    AddDataFolders(paths, "XDG_DATA_HOME", homeData);
    AddDataFolders(paths, "XDG_DATA_DIRS", "/usr/local/share:/usr/share");
    return paths;
}

bool ResourceLibrary::Load(int& errorCode) {
    for (const std::string& path : SearchPaths()) {
        if (NameExists(path)) return LoadFile(path, errorCode);
    }
    errorCode = ENOENT;
    return false;
}

bool ResourceLibrary::LoadFile(const std::string& path, int& errorCode) {
    errorCode = file_.Read(path);
    return errorCode == 0;
}

QImage ResourceLibrary::Bitmap(int id) const { return DecodeBmp(file_.Resource(id)); }

}  // namespace jadeleaf
