// Loading the resource library and reading its bitmaps.
#include "render/ResourceLibrary.h"

#include <dlfcn.h>

#include <cerrno>
#include <cstring>
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

}  // namespace

ResourceLibrary::~ResourceLibrary() { Release(); }

// dlopen is called from the executable's own code so that its RUNPATH
// ($ORIGIN: the folder of the executable) is searched.
bool ResourceLibrary::Load(int& errorCode) {
    handle_ = dlopen(kResourceLibraryName, RTLD_NOW | RTLD_LOCAL);
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
