// What the preferences dialog reaches of the main window: the options, the
// shell state, the side window's limits, the settings store and its boxes.
#pragma once

#include <string_view>

#include "model/GameWindow.h"
#include "model/Settings.h"
#include "model/ShellState.h"
#include "settings/RegistryFile.h"

namespace jadeleaf {

// One of the settings store's writers.
using SettingsWriter = void (*)(RegistryFile&, const Settings&);

class PreferencesHost {
public:
    virtual ~PreferencesHost() = default;

    virtual Settings& Options() = 0;
    virtual ShellState& Shell() = 0;

    // The largest side window the current client area offers; either may be negative.
    virtual int SideWidthLimit() const = 0;
    virtual int SideHeightLimit() const = 0;

    // Writes values from the options; a refused write is reported in a box
    // and gives false, and the options keep their new values for this run.
    virtual bool StoreOptions(SettingsWriter writer) = 0;
    // The side window's picture or size changed: the idle hook repaints it.
    virtual void SideWindowChanged() = 0;
    // The player ticked the picture option or gave a path that opens: a
    // picture that then does not load is reported again.
    virtual void SidePictureChosen() = 0;

    virtual MessageAnswer ShowMessage(std::string_view caption, std::string_view text, MessageIcon icon,
                                      MessageButtons buttons) = 0;
};

}  // namespace jadeleaf
