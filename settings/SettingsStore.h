// The program's settings in its registry key: the start-up load and every place that writes a value back.
#pragma once

#include <vector>

#include "model/Settings.h"
#include "settings/RegistryFile.h"

namespace jadeleaf {

// A screen's area free of panels and docks, in desktop pixels.
struct ScreenArea {
    int left;
    int top;
    int width;
    int height;
};

// What the load needs to know of the screens and of the new main window: the
// first-start defaults, and the limits that stored values are brought into.
struct PlacementDefaults {
    int screenWidth;
    int screenHeight;
    int formState;  // 1 normal, 2 maximized, 0 minimized
    // Every screen's available area, the primary one first. Without any, the
    // whole screen of screenWidth x screenHeight at 0,0 stands for them.
    std::vector<ScreenArea> screens = {};
};

// The main window's bounds and state at the moment it closes.
struct WindowPlacement {
    int top;
    int left;
    int width;
    int height;
    bool minimized;
    bool maximized;
};

// Reads the fifteen values and the optional table scale and winnable-deals flag when the key exists,
// bringing each into its sound range without writing anything back; otherwise
// sets the defaults and writes the fifteen, which creates the key. Throws RegistryError for a
// missing or mistyped integer value, a file that cannot be parsed, or a
// refused write; the fields read or set before the failure keep their values.
void LoadSettings(RegistryFile& key, Settings& settings, const PlacementDefaults& defaults);

// Takes the placement unless the window is minimized, then writes the five
// placement values either way.
void SaveWindowPlacement(RegistryFile& key, Settings& settings, const WindowPlacement& now);

// Each writes its values from the fields, which the caller has already set,
// in one locked rewrite of the file. Flags are written as 0 or 1.
void WriteDisplayOptions(RegistryFile& key, const Settings& settings);
void WriteBitmapPath(RegistryFile& key, const Settings& settings);
void WriteSideWindowWidth(RegistryFile& key, const Settings& settings);
void WriteSideWindowHeight(RegistryFile& key, const Settings& settings);
void WriteDelay1Slider(RegistryFile& key, const Settings& settings);
void WriteDelay2Slider(RegistryFile& key, const Settings& settings);
void WriteShowMessages(RegistryFile& key, const Settings& settings);
// The table scale is written only when the player chooses one: until then
// the file holds none and the table shows at its actual size.
void WriteTableScale(RegistryFile& key, const Settings& settings);
// Likewise the winnable-deals flag, written as 0 or 1 once the player sets or clears it.
void WriteWinnableDeals(RegistryFile& key, const Settings& settings);

}  // namespace jadeleaf
