// The XDG base directories, with the rule that a relative path is ignored.
#include "files/XdgFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace jadeleaf {

namespace {

bool IsAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

std::string WithoutTrailingSlashes(std::string_view folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.remove_suffix(1);
    return std::string(folder);
}

std::string Below(const std::string& folder, std::string_view name) {
    return (folder == "/" ? std::string() : folder) + "/" + std::string(name);
}

// The variable when it holds an absolute path, else `fallback` below the home folder.
std::string FolderOf(const char* variable, std::string_view fallback) {
    if (const char* value = std::getenv(variable); IsAbsolute(value)) return WithoutTrailingSlashes(value);
    return Below(HomeFolder(), fallback);
}

}  // namespace

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); IsAbsolute(home)) return WithoutTrailingSlashes(home);
    if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && IsAbsolute(user->pw_dir)) {
        return WithoutTrailingSlashes(user->pw_dir);
    }
    return "/";
}

std::string ConfigHome() { return FolderOf("XDG_CONFIG_HOME", ".config"); }

std::string DataHome() { return FolderOf("XDG_DATA_HOME", ".local/share"); }

std::vector<std::string> DataDirs() {
    const char* value = std::getenv("XDG_DATA_DIRS");
    std::string_view list = value != nullptr && *value != '\0' ? std::string_view(value) : "/usr/local/share:/usr/share";
    std::vector<std::string> folders;
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string_view folder = list.substr(0, colon);
        if (!folder.empty() && folder.front() == '/') folders.push_back(WithoutTrailingSlashes(folder));
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    return folders;
}

}  // namespace jadeleaf
