// Loading the settings at start-up and writing them back value by value.
#include "settings/SettingsStore.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace jadeleaf {

namespace {

constexpr const char* kTimeDisplay = "TimeDisplay";
constexpr const char* kInfoDisplay = "InfoDisplay";
constexpr const char* kShowMessages = "Show Messages";
constexpr const char* kAssistance = "Assistance";
constexpr const char* kShowPicture = "ShowPicture";
constexpr const char* kSideWindowWidth = "SideWindow Width";
constexpr const char* kSideWindowHeight = "SideWindow Height";
constexpr const char* kBitmapPath = "SWBmpPath";
constexpr const char* kDelay1Slider = "Delay1 Slider";
constexpr const char* kDelay2Slider = "Delay2 Slider";
constexpr const char* kFormTop = "Form Top";
constexpr const char* kFormLeft = "Form Left";
constexpr const char* kFormWidth = "Form Width";
constexpr const char* kFormHeight = "Form Height";
constexpr const char* kFormState = "Form State";
constexpr const char* kTableScale = "Table Scale";
constexpr const char* kWinnableDeals = "Winnable Deals";

std::int32_t AsFlag(std::int32_t value) { return value != 0 ? 1 : 0; }

std::int32_t ReadFlag(const RegistryFile& key, const char* name) { return AsFlag(key.ReadInteger(name)); }

std::vector<RegistryValue> PlacementValues(const Settings& settings) {
    return {
        {kFormTop, settings.formTop},       {kFormLeft, settings.formLeft},   {kFormWidth, settings.formWidth},
        {kFormHeight, settings.formHeight}, {kFormState, settings.formState},
    };
}

// The first start's window fills the screen but for a pixel each side.
std::int32_t FirstStartWidth(const PlacementDefaults& defaults) { return defaults.screenWidth - 2; }
std::int32_t FirstStartHeight(const PlacementDefaults& defaults) { return defaults.screenHeight - 2; }

void SetDefaults(Settings& settings, const PlacementDefaults& defaults) {
    settings.timeDisplay = 1;
    settings.infoDisplay = 1;
    settings.showMessages = 1;
    settings.assistance = 1;
    settings.showPicture = 0;
    settings.delay1Slider = 5;
    settings.delay2Slider = 5;
    settings.formTop = 1;
    settings.formLeft = 1;
    settings.formWidth = FirstStartWidth(defaults);
    settings.formHeight = FirstStartHeight(defaults);
    settings.formState = defaults.formState;
    settings.sideWindowWidth = 0;
    settings.sideWindowHeight = 0;
    settings.bitmapPath.clear();
    settings.tableScale = kActualScale;
    settings.winnableDeals = 0;
}

void WriteDefaults(RegistryFile& key, const Settings& settings) {
    std::vector<RegistryValue> values = {
        {kTimeDisplay, settings.timeDisplay},           {kInfoDisplay, settings.infoDisplay},
        {kShowMessages, settings.showMessages},         {kAssistance, settings.assistance},
        {kShowPicture, settings.showPicture},           {kSideWindowWidth, settings.sideWindowWidth},
        {kSideWindowHeight, settings.sideWindowHeight}, {kDelay1Slider, settings.delay1Slider},
        {kDelay2Slider, settings.delay2Slider},
    };
    for (RegistryValue& value : PlacementValues(settings)) values.push_back(std::move(value));
    values.push_back({kBitmapPath, settings.bitmapPath});
    key.WriteValues(values);
}

constexpr std::int32_t kSlowestDelay = 10;
constexpr std::int32_t kFastestDelay = 1;
// A stored window smaller than this is too small to use; it opens at the
// first-start size of that dimension instead.
constexpr std::int32_t kSmallestFormWidth = 200;
constexpr std::int32_t kSmallestFormHeight = 150;

std::int32_t Clamp(std::int32_t value, std::int32_t low, std::int32_t high) {
    return std::max(low, std::min(value, std::max(low, high)));
}

// The nearest of fitting to the window (0) and the scales from smallest to largest.
std::int32_t SoundTableScale(std::int32_t scale) {
    if (scale < kSmallestScale / 2) return kFitScale;
    return Clamp(scale, kSmallestScale, kLargestScale);
}

// Overlap of the window with a screen; 64-bit, so that no stored value overflows.
long long OverlapArea(const ScreenArea& screen, long long left, long long top, long long width, long long height) {
    const long long across =
        std::min(left + width, 0LL + screen.left + screen.width) - std::max(left, 0LL + screen.left);
    const long long down =
        std::min(top + height, 0LL + screen.top + screen.height) - std::max(top, 0LL + screen.top);
    return across > 0 && down > 0 ? across * down : 0;
}

// The screen that shows most of the window; the primary one when none does,
// as for a window left on a monitor that is gone.
ScreenArea ScreenOfWindow(const Settings& settings, const std::vector<ScreenArea>& screens) {
    ScreenArea best = screens.front();
    long long bestOverlap = 0;
    for (const ScreenArea& screen : screens) {
        const long long overlap =
            OverlapArea(screen, settings.formLeft, settings.formTop, std::max(settings.formWidth, 1),
                        std::max(settings.formHeight, 1));
        if (overlap > bestOverlap) {
            best = screen;
            bestOverlap = overlap;
        }
    }
    return best;
}

// A hand-edited file may hold any number: each value is brought within what
// its users can work with, so that no delay freezes the window, no size takes
// all memory and no window opens out of reach.
void BringIntoRange(Settings& settings, const PlacementDefaults& limits) {
    const int screenWidth = std::max(limits.screenWidth, 0);
    const int screenHeight = std::max(limits.screenHeight, 0);
    settings.delay1Slider = Clamp(settings.delay1Slider, kFastestDelay, kSlowestDelay);
    settings.delay2Slider = Clamp(settings.delay2Slider, kFastestDelay, kSlowestDelay);
    settings.sideWindowWidth = Clamp(settings.sideWindowWidth, 0, screenWidth);
    settings.sideWindowHeight = Clamp(settings.sideWindowHeight, 0, screenHeight);
    settings.tableScale = SoundTableScale(settings.tableScale);

    if (settings.formWidth < kSmallestFormWidth) settings.formWidth = FirstStartWidth(limits);
    if (settings.formHeight < kSmallestFormHeight) settings.formHeight = FirstStartHeight(limits);
    std::vector<ScreenArea> screens = limits.screens;
    if (screens.empty()) screens.push_back({0, 0, screenWidth, screenHeight});
    const ScreenArea screen = ScreenOfWindow(settings, screens);
    // A usable width below the table's minimum stays: the window shows what fits.
    settings.formWidth = Clamp(settings.formWidth, 1, screen.width);
    settings.formHeight = Clamp(settings.formHeight, 1, screen.height);
    const long long rightmost = std::max(0LL + screen.left + screen.width - settings.formWidth, 0LL + screen.left);
    const long long lowest = std::max(0LL + screen.top + screen.height - settings.formHeight, 0LL + screen.top);
    settings.formLeft = static_cast<std::int32_t>(std::clamp<long long>(settings.formLeft, screen.left, rightmost));
    settings.formTop = static_cast<std::int32_t>(std::clamp<long long>(settings.formTop, screen.top, lowest));
}

void ReadAll(const RegistryFile& key, Settings& settings) {
    settings.timeDisplay = ReadFlag(key, kTimeDisplay);
    settings.infoDisplay = ReadFlag(key, kInfoDisplay);
    settings.showMessages = ReadFlag(key, kShowMessages);
    settings.assistance = ReadFlag(key, kAssistance);
    settings.formTop = key.ReadInteger(kFormTop);
    settings.formLeft = key.ReadInteger(kFormLeft);
    settings.formWidth = key.ReadInteger(kFormWidth);
    settings.formHeight = key.ReadInteger(kFormHeight);
    settings.formState = key.ReadInteger(kFormState);
    settings.showPicture = ReadFlag(key, kShowPicture);
    settings.sideWindowWidth = key.ReadInteger(kSideWindowWidth);
    settings.sideWindowHeight = key.ReadInteger(kSideWindowHeight);
    // The path is optional: without it there is simply no side-window picture.
    settings.bitmapPath = key.ValueExists(kBitmapPath) ? key.ReadString(kBitmapPath) : std::string();
    settings.delay1Slider = key.ReadInteger(kDelay1Slider);
    settings.delay2Slider = key.ReadInteger(kDelay2Slider);
    // Files from before the table could be scaled hold no scale: the table is
    // shown at its actual size.
    settings.tableScale = key.ValueExists(kTableScale) ? key.ReadInteger(kTableScale) : kActualScale;
    // Any deal will do until the player asks for winnable ones.
    settings.winnableDeals = key.ValueExists(kWinnableDeals) ? ReadFlag(key, kWinnableDeals) : 0;
}

// A file that cannot be read fails as the first value's read; one that cannot
// be parsed is reported with its bad line as it stands.
bool OpenForLoad(RegistryFile& key) {
    try {
        return key.OpenKeyReadOnly();
    } catch (const RegistryParseError&) {
        throw;
    } catch (const RegistryError& error) {
        throw RegistryError("Failed to get data for '" + std::string(kTimeDisplay) + "'", error.Detail());
    }
}

}  // namespace

void LoadSettings(RegistryFile& key, Settings& settings, const PlacementDefaults& defaults) {
    if (OpenForLoad(key)) {
        try {
            ReadAll(key, settings);
            BringIntoRange(settings, defaults);
        } catch (...) {
            key.CloseKey();
            throw;
        }
        key.CloseKey();
        return;
    }
    SetDefaults(settings, defaults);
    WriteDefaults(key, settings);
}

void SaveWindowPlacement(RegistryFile& key, Settings& settings, const WindowPlacement& now) {
    // A minimized window's bounds are not worth restoring; the last ones are kept.
    if (!now.minimized) {
        settings.formTop = now.top;
        settings.formLeft = now.left;
        settings.formWidth = now.width;
        settings.formHeight = now.height;
        settings.formState = now.maximized ? 2 : 1;
    }
    key.WriteValues(PlacementValues(settings));
}

void WriteDisplayOptions(RegistryFile& key, const Settings& settings) {
    key.WriteValues({
        {kTimeDisplay, AsFlag(settings.timeDisplay)},
        {kInfoDisplay, AsFlag(settings.infoDisplay)},
        {kAssistance, AsFlag(settings.assistance)},
        {kShowPicture, AsFlag(settings.showPicture)},
    });
}

void WriteBitmapPath(RegistryFile& key, const Settings& settings) { key.WriteString(kBitmapPath, settings.bitmapPath); }

void WriteSideWindowWidth(RegistryFile& key, const Settings& settings) {
    key.WriteInteger(kSideWindowWidth, settings.sideWindowWidth);
}

void WriteSideWindowHeight(RegistryFile& key, const Settings& settings) {
    key.WriteInteger(kSideWindowHeight, settings.sideWindowHeight);
}

void WriteDelay1Slider(RegistryFile& key, const Settings& settings) {
    key.WriteInteger(kDelay1Slider, settings.delay1Slider);
}

void WriteDelay2Slider(RegistryFile& key, const Settings& settings) {
    key.WriteInteger(kDelay2Slider, settings.delay2Slider);
}

void WriteTableScale(RegistryFile& key, const Settings& settings) {
    key.WriteInteger(kTableScale, settings.tableScale);
}

void WriteWinnableDeals(RegistryFile& key, const Settings& settings) {
    key.WriteInteger(kWinnableDeals, AsFlag(settings.winnableDeals));
}

void WriteShowMessages(RegistryFile& key, const Settings& settings) {
    key.WriteInteger(kShowMessages, AsFlag(settings.showMessages));
}

}  // namespace jadeleaf
