// Loading the resource library and reading its bitmaps.
#include "render/ResourceLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include <string_view>

#include "resources/ResourceTable.h"

namespace jadeleaf {

namespace {

// dlopen leaves errno alone; its message ends in the system's text for the
// error, e.g. "No such file or directory" for a missing file. A file that is
// found but is no loadable library counts as a bad library.
int SystemErrorOf(const char* message) {
    const std::string_view text = message != nullptr ? message : "";
    for (int code = 1; code < 134; ++code) {
        const std::string_view reason = std::strerror(code);
        if (text.size() >= reason.size() && text.substr(text.size() - reason.size()) == reason) return code;
    }
    return ELIBBAD;
}

std::vector<std::string> SearchFolders() {
    std::vector<std::string> folders;
    if (const char* paths = std::getenv("LD_LIBRARY_PATH")) {
        std::string_view rest = paths;
        while (!rest.empty()) {
            const std::size_t colon = rest.find(':');
            const std::string_view folder = rest.substr(0, colon);
            if (!folder.empty()) folders.emplace_back(folder);
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
    }
    char executable[4096];
    const ssize_t length = readlink("/proc/self/exe", executable, sizeof executable - 1);
    if (length > 0) {
        const std::string path(executable, static_cast<std::size_t>(length));
        folders.push_back(path.substr(0, path.rfind('/')));
    }
    return folders;
}

}  // namespace

ResourceLibrary::~ResourceLibrary() { Release(); }

// The library is looked for in the loader's order: the folders of
// LD_LIBRARY_PATH, then the executable's own folder (its RUNPATH is $ORIGIN),
// then the system's folders. The first two are tried by hand because a
// runtime that wraps dlopen (a sanitizer, a profiler) calls it from its own
// object, whose RUNPATH is not the executable's.
bool ResourceLibrary::Load(int& errorCode) {
    for (const std::string& folder : SearchFolders()) {
        const std::string path = folder + "/" + kResourceLibraryName;
        if (access(path.c_str(), F_OK) != 0) continue;
        handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        break;
    }
    if (handle_ == nullptr) handle_ = dlopen(kResourceLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        errorCode = SystemErrorOf(dlerror());
        return false;
    }
    table_ = static_cast<const JlResourceTable*>(dlsym(handle_, kJlResourceTableSymbol));
    if (table_ != nullptr && table_->magic != kJlResourceMagic) table_ = nullptr;
    return true;
}

void ResourceLibrary::Release() {
    if (handle_ != nullptr) dlclose(handle_);
    handle_ = nullptr;
    table_ = nullptr;
}

QImage ResourceLibrary::Bitmap(int id) const {
    if (table_ == nullptr) return {};
    for (std::uint32_t i = 0; i < table_->count; ++i) {
        const JlResourceEntry& entry = table_->entries[i];
        if (entry.id != id) continue;
        QImage image;
        if (!image.loadFromData(entry.data, static_cast<int>(entry.size), "BMP")) return {};
        return image.convertToFormat(QImage::Format_RGB32);
    }
    return {};
}

}  // namespace jadeleaf
