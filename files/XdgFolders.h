// The user's folders as the XDG base directory rules name them.
#pragma once

#include <string>
#include <vector>

namespace jadeleaf {

// Every folder below is an absolute path without a trailing slash. A
// relative path in HOME or in an XDG variable is ignored, as the XDG rules
// ask, rather than taken from the current folder.

// $HOME; else the home folder the password database gives the user; else
// the root folder, so that nothing is ever written below the current folder.
std::string HomeFolder();

// $XDG_CONFIG_HOME, or ~/.config when it is unset, empty or relative.
std::string ConfigHome();

// $XDG_DATA_HOME, or ~/.local/share when it is unset, empty or relative.
std::string DataHome();

// The absolute folders of $XDG_DATA_DIRS in their order, or /usr/local/share
// and /usr/share when it is unset or empty.
std::vector<std::string> DataDirs();

}  // namespace jadeleaf
