// Loading the settings at start-up and writing them back value by value.
#include "shell/SettingsStore.h"

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

std::int32_t AsFlag(std::int32_t value) { return value != 0 ? 1 : 0; }

std::int32_t ReadFlag(const RegistryFile& key, const char* name) { return AsFlag(key.ReadInteger(name)); }

std::vector<RegistryValue> PlacementValues(const Settings& settings) {
    return {
        {kFormTop, settings.formTop},       {kFormLeft, settings.formLeft},   {kFormWidth, settings.formWidth},
        {kFormHeight, settings.formHeight}, {kFormState, settings.formState},
    };
}

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
    settings.formWidth = defaults.screenWidth - 2;
    settings.formHeight = defaults.screenHeight - 2;
    settings.formState = defaults.formState;
    settings.sideWindowWidth = 0;
    settings.sideWindowHeight = 0;
    settings.bitmapPath.clear();
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
}

}  // namespace

void LoadSettings(RegistryFile& key, Settings& settings, const PlacementDefaults& defaults) {
    if (key.OpenKeyReadOnly()) {
        try {
            ReadAll(key, settings);
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

void WriteShowMessages(RegistryFile& key, const Settings& settings) {
    key.WriteInteger(kShowMessages, AsFlag(settings.showMessages));
}

}  // namespace jadeleaf
