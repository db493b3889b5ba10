// The settings store on real files.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "settings/RegistryFile.h"
#include "settings/SettingsStore.h"

namespace jadeleaf {
namespace {

constexpr PlacementDefaults kScreen{1920, 1080, 1};

const std::string kHead =
    "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Projects\\Jadeleaf1.1_R6]\r\n";

// The fifteen values as a first start writes them on a 1920 x 1080 screen.
const std::vector<std::pair<std::string, std::string>> kFirstStartValues = {
    {"TimeDisplay", "dword:00000001"},
    {"InfoDisplay", "dword:00000001"},
    {"Show Messages", "dword:00000001"},
    {"Assistance", "dword:00000001"},
    {"ShowPicture", "dword:00000000"},
    {"SideWindow Width", "dword:00000000"},
    {"SideWindow Height", "dword:00000000"},
    {"Delay1 Slider", "dword:00000005"},
    {"Delay2 Slider", "dword:00000005"},
    {"Form Top", "dword:00000001"},
    {"Form Left", "dword:00000001"},
    {"Form Width", "dword:0000077e"},
    {"Form Height", "dword:00000436"},
    {"Form State", "dword:00000001"},
    {"SWBmpPath", "\"\""},
};

// A whole key: the first-start values with some data replaced, or the value
// left out where the replacement is empty.
std::string KeyText(const std::vector<std::pair<std::string, std::string>>& changes = {}) {
    std::string text = kHead;
    for (auto [name, data] : kFirstStartValues) {
        for (const auto& [changed, newData] : changes) {
            if (changed == name) data = newData;
        }
        if (!data.empty()) text += "\"" + name + "\"=" + data + "\r\n";
    }
    return text + "\r\n";
}

// What regedit on Windows exports: UTF-16LE with a byte order mark. Enough
// of UTF-8 for ASCII and the Latin-1 letters.
std::string Utf16Export(const std::string& utf8) {
    std::string out = "\xFF\xFE";
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        unsigned c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0xC0) c = (c & 0x1F) << 6 | (static_cast<unsigned char>(utf8[++i]) & 0x3F);
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "jadeleaf-settings-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        ::setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    std::string Path() const { return root_ + "/config/Projects/Jadeleaf1.1_R6.reg"; }

    void Store(const std::string& text) const {
        std::filesystem::create_directories(std::filesystem::path(Path()).parent_path());
        std::ofstream(Path(), std::ios::binary) << text;
    }

    Settings Load() const {
        RegistryFile key;
        Settings settings;
        LoadSettings(key, settings, kScreen);
        return settings;
    }

    // The file of every value with one more line, an added setting, after them.
    static std::string WithLine(const std::string& line) { return KeyText().insert(KeyText().size() - 2, line + "\r\n"); }

    // What is loaded from the file WithLine(line), which the load leaves as it is.
    Settings LoadWith(const std::string& line) const {
        const std::string text = WithLine(line);
        Store(text);
        const Settings settings = Load();
        EXPECT_EQ(ReadText(Path()), text) << "read without rewriting";
        return settings;
    }

    std::string root_;
};

template <typename Action>
std::string ErrorOf(Action action) {
    try {
        action();
    } catch (const RegistryError& error) {
        return error.what();
    }
    return "no error";
}

TEST_F(SettingsStoreTest, DefaultPathFollowsTheXdgConfigFolder) {
    EXPECT_EQ(RegistryFile::DefaultPath(), Path());
    const char* home = std::getenv("HOME");
    const std::string oldHome = home != nullptr ? home : "";
    ::setenv("HOME", root_.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (root_ + "/config//").c_str(), 1);
    EXPECT_EQ(RegistryFile::DefaultPath(), Path());
    ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
    EXPECT_EQ(RegistryFile::DefaultPath(), root_ + "/.config/Projects/Jadeleaf1.1_R6.reg");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(RegistryFile::DefaultPath(), root_ + "/.config/Projects/Jadeleaf1.1_R6.reg");
    ::setenv("HOME", oldHome.c_str(), 1);
}

// A relative HOME or XDG_CONFIG_HOME is ignored, as the XDG rules say: the
// settings never land below whatever folder the game was started in.
TEST_F(SettingsStoreTest, RelativeHomeOrConfigFolderIsIgnored) {
    const char* home = std::getenv("HOME");
    const std::string oldHome = home != nullptr ? home : "";
    ::setenv("HOME", "relative/home", 1);
    ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
    const passwd* user = ::getpwuid(::getuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(RegistryFile::DefaultPath(), std::string(user->pw_dir) + "/.config/Projects/Jadeleaf1.1_R6.reg");
    ::setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
    EXPECT_EQ(RegistryFile::DefaultPath(), Path());
    ::setenv("HOME", oldHome.c_str(), 1);
}

TEST_F(SettingsStoreTest, FirstStartWritesAllFifteenValuesInOrder) {
    RegistryFile key;
    EXPECT_FALSE(key.OpenKeyReadOnly());
    EXPECT_FALSE(std::filesystem::exists(root_ + "/config")) << "reading must create nothing";

    const Settings settings = Load();
    EXPECT_EQ(ReadText(Path()), KeyText());
    EXPECT_EQ(settings.formWidth, 1918);
    EXPECT_EQ(settings.formHeight, 1078);
    EXPECT_EQ(settings.showPicture, 0);
    EXPECT_EQ(settings.delay1Slider, 5);
    EXPECT_EQ(settings.delay2Slider, 5);
    EXPECT_EQ(settings.bitmapPath, "");

    // The second start reads what the first wrote and changes nothing.
    const Settings again = Load();
    EXPECT_EQ(again.formWidth, 1918);
    EXPECT_EQ(ReadText(Path()), KeyText());
}

TEST_F(SettingsStoreTest, StoredValuesAreReadWithFlagsAsOneOrZero) {
    Store(KeyText({{"TimeDisplay", "dword:00000007"},
                   {"Assistance", "dword:00000000"},
                   {"Form Top", "dword:fffffff6"},
                   {"Delay2 Slider", "dword:0000000C"}}));
    const Settings settings = Load();
    EXPECT_EQ(settings.timeDisplay, 1);
    EXPECT_EQ(settings.assistance, 0);
    EXPECT_EQ(settings.formTop, 0) << "brought onto the screen";
    EXPECT_EQ(settings.delay2Slider, 10) << "brought within the slider's range";

    // The seven is written back as a one with the display options.
    RegistryFile key;
    WriteDisplayOptions(key, settings);
    EXPECT_EQ(ReadText(Path()), KeyText({{"Assistance", "dword:00000000"},
                                         {"Form Top", "dword:fffffff6"},
                                         {"Delay2 Slider", "dword:0000000C"}}));
}

// A hand-edited file may hold any number; none may freeze, exhaust or lose
// the window, and the file itself is left as the person wrote it.
TEST_F(SettingsStoreTest, StoredValuesAreBroughtIntoRangeWithoutRewriting) {
    const struct {
        const char* name;
        const char* stored;
        std::int32_t Settings::*field;
        std::int32_t expected;
    } cases[] = {
        {"Delay1 Slider", "dword:00000000", &Settings::delay1Slider, 1},
        {"Delay1 Slider", "dword:000003e8", &Settings::delay1Slider, 10},
        {"Delay2 Slider", "dword:7fffffff", &Settings::delay2Slider, 10},
        {"Delay2 Slider", "dword:80000000", &Settings::delay2Slider, 1},
        {"Delay2 Slider", "dword:0000000a", &Settings::delay2Slider, 10},
        {"SideWindow Width", "dword:00009c40", &Settings::sideWindowWidth, 1920},
        {"SideWindow Width", "dword:ffffffff", &Settings::sideWindowWidth, 0},
        {"SideWindow Height", "dword:7fffffff", &Settings::sideWindowHeight, 1080},
        {"SideWindow Height", "dword:00000438", &Settings::sideWindowHeight, 1080},
        {"Form Width", "dword:00009c40", &Settings::formWidth, 1920},
        {"Form Width", "dword:00000000", &Settings::formWidth, 1918},
        {"Form Width", "dword:000000c7", &Settings::formWidth, 1918},
        {"Form Width", "dword:000000c8", &Settings::formWidth, 200},
        {"Form Width", "dword:000001f4", &Settings::formWidth, 500},
        {"Form Height", "dword:80000000", &Settings::formHeight, 1078},
        {"Form Height", "dword:00000095", &Settings::formHeight, 1078},
        {"Form Height", "dword:00000096", &Settings::formHeight, 150},
        {"Form Height", "dword:7fffffff", &Settings::formHeight, 1080},
        {"Form Left", "dword:ffffec78", &Settings::formLeft, 0},
        {"Form Left", "dword:7fffffff", &Settings::formLeft, 2},
        {"Form Top", "dword:7fffffff", &Settings::formTop, 2},
        {"Form Top", "dword:80000000", &Settings::formTop, 0},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string(test.name) + "=" + test.stored);
        const std::string text = KeyText({{test.name, test.stored}});
        Store(text);
        EXPECT_EQ(Load().*test.field, test.expected);
        EXPECT_EQ(ReadText(Path()), text);
    }

    // Both at the far end at once: the window comes back whole.
    Store(KeyText({{"Form Left", "dword:7fffffff"}, {"Form Width", "dword:7fffffff"},
                   {"Form Top", "dword:80000000"}, {"Form Height", "dword:00009c40"}}));
    const Settings far = Load();
    EXPECT_EQ(far.formLeft, 0);
    EXPECT_EQ(far.formWidth, 1920);
    EXPECT_EQ(far.formTop, 0);
    EXPECT_EQ(far.formHeight, 1080);

    // A window on a monitor that is gone comes back to the primary screen's
    // free area; one on a screen that is still there stays put.
    const PlacementDefaults twoScreens{1920, 1080, 1, {{0, 30, 1920, 1050}, {1920, 0, 1280, 1024}}};
    Store(KeyText({{"Form Left", "dword:000009c4"}, {"Form Width", "dword:00000320"},
                   {"Form Height", "dword:00000258"}}));
    Settings settings;
    RegistryFile key;
    LoadSettings(key, settings, twoScreens);
    EXPECT_EQ(settings.formLeft, 1920 + 1280 - 800) << "the right end of the second screen";
    EXPECT_EQ(settings.formTop, 1);
    LoadSettings(key, settings, {1920, 1080, 1, {{0, 30, 1920, 1050}}});
    EXPECT_EQ(settings.formLeft, 1920 - 800);
    EXPECT_EQ(settings.formTop, 30) << "below the panel";
}

TEST_F(SettingsStoreTest, MissingOrMistypedValuesStopTheLoad) {
    Store(KeyText({{"Delay1 Slider", ""}}));
    EXPECT_EQ(ErrorOf([&] { Load(); }), "Failed to get data for 'Delay1 Slider'");
    Store(KeyText({{"Form Width", "\"1918\""}}));
    EXPECT_EQ(ErrorOf([&] { Load(); }), "Invalid data type for 'Form Width'");
    Store(KeyText({{"InfoDisplay", "hex:01,00,00,00"}}));
    EXPECT_EQ(ErrorOf([&] { Load(); }), "Invalid data type for 'InfoDisplay'");
    Store(KeyText({{"SWBmpPath", "dword:00000000"}}));
    EXPECT_EQ(ErrorOf([&] { Load(); }), "Invalid data type for 'SWBmpPath'");

    Store(KeyText({{"SWBmpPath", ""}}));
    EXPECT_EQ(Load().bitmapPath, "");
    EXPECT_EQ(ReadText(Path()), KeyText({{"SWBmpPath", ""}})) << "a load of an existing key writes nothing";
}

TEST_F(SettingsStoreTest, ExpandStringPathIsReadAsTextWithoutExpansion) {
    // "%HOME%\pé.bmp" in UTF-16LE, as regedit writes it over two lines.
    Store(KeyText({{"SWBmpPath",
                    "hex(2):25,00,48,00,4f,00,4d,00,45,00,25,00,5c,00,70,00,e9,00,2e,00,\\\r\n"
                    "  62,00,6d,00,70,00,00,00"}}));
    EXPECT_EQ(Load().bitmapPath, "%HOME%\\p\xC3\xA9.bmp");
}

TEST_F(SettingsStoreTest, TextsWithBackslashesAndQuotesRoundTrip) {
    Load();
    Settings settings;
    settings.bitmapPath = R"(D:\Images\"odd" name\sw01.bmp)";
    RegistryFile key;
    WriteBitmapPath(key, settings);
    EXPECT_EQ(ReadText(Path()), KeyText({{"SWBmpPath", R"("D:\\Images\\\"odd\" name\\sw01.bmp")"}}));
    EXPECT_EQ(Load().bitmapPath, settings.bitmapPath);

    settings.bitmapPath = "/home/u/a\nb.bmp";
    EXPECT_EQ(ErrorOf([&] { WriteBitmapPath(key, settings); }), "Failed to set data for 'SWBmpPath'");
    EXPECT_EQ(Load().bitmapPath, R"(D:\Images\"odd" name\sw01.bmp)");
}

TEST_F(SettingsStoreTest, WindowPlacementIsSavedUnlessMinimized) {
    Settings settings = Load();
    RegistryFile key;
    SaveWindowPlacement(key, settings, {-8, -1200, 800, 600, false, true});
    const std::vector<std::pair<std::string, std::string>> saved = {{"Form Top", "dword:fffffff8"},
                                                                    {"Form Left", "dword:fffffb50"},
                                                                    {"Form Width", "dword:00000320"},
                                                                    {"Form Height", "dword:00000258"},
                                                                    {"Form State", "dword:00000002"}};
    EXPECT_EQ(ReadText(Path()), KeyText(saved));

    SaveWindowPlacement(key, settings, {0, 0, 160, 28, true, false});
    EXPECT_EQ(ReadText(Path()), KeyText(saved));
    // The window was on a second screen left of the first.
    Settings loaded;
    LoadSettings(key, loaded, {1920, 1080, 1, {{0, 0, 1920, 1080}, {-1280, -8, 1280, 1024}}});
    EXPECT_EQ(loaded.formTop, -8);
    EXPECT_EQ(loaded.formLeft, -1200);
    EXPECT_EQ(loaded.formState, 2);
}

// The table scale came after the fifteen values: a file may lack it.
TEST_F(SettingsStoreTest, TableScaleIsOptionalAndReadAsItsNearestSoundValue) {
    const std::string without = KeyText();
    Store(without);
    EXPECT_EQ(Load().tableScale, 100);
    EXPECT_EQ(ReadText(Path()), without);

    const struct {
        const char* stored;
        std::int32_t expected;
    } cases[] = {
        {"dword:00000000", 0},   {"dword:00000018", 0},   {"dword:00000019", 50},  {"dword:00000031", 50},
        {"dword:00000096", 150}, {"dword:00000190", 400}, {"dword:00000191", 400}, {"dword:7fffffff", 400},
        {"dword:ffffffff", 0},   {"dword:80000000", 0},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.stored);
        std::string text = without;
        text.insert(text.size() - 2, std::string("\"Table Scale\"=") + test.stored + "\r\n");
        Store(text);
        EXPECT_EQ(Load().tableScale, test.expected);
        EXPECT_EQ(ReadText(Path()), text) << "read without rewriting";
    }

    Store(without);
    Settings settings = Load();
    settings.tableScale = 0;
    RegistryFile key;
    WriteTableScale(key, settings);
    EXPECT_EQ(ReadText(Path()), KeyText().insert(without.size() - 2, "\"Table Scale\"=dword:00000000\r\n"));
    EXPECT_EQ(Load().tableScale, 0) << "fitting to the window survives a restart";
}

// The winnable-deals flag is optional too: absent is off, any other number on.
TEST_F(SettingsStoreTest, WinnableDealsIsAnOptionalFlag) {
    const std::string without = KeyText();
    Store(without);
    EXPECT_EQ(Load().winnableDeals, 0);
    EXPECT_EQ(ReadText(Path()), without);
    for (const auto& [stored, expected] : {std::pair{"dword:00000000", 0}, std::pair{"dword:00000001", 1},
                                           std::pair{"dword:00000002", 1}, std::pair{"dword:ffffffff", 1}}) {
        SCOPED_TRACE(stored);
        EXPECT_EQ(LoadWith(std::string("\"Winnable Deals\"=") + stored).winnableDeals, expected);
    }

    Store(without);
    Settings settings = Load();
    settings.winnableDeals = 5;
    RegistryFile key;
    WriteWinnableDeals(key, settings);
    EXPECT_EQ(ReadText(Path()), WithLine("\"Winnable Deals\"=dword:00000001"));
    EXPECT_EQ(Load().winnableDeals, 1);
}

TEST_F(SettingsStoreTest, EachWriterChangesOnlyItsOwnValues) {
    Settings settings = Load();
    settings.showMessages = 0;
    settings.sideWindowWidth = 120;
    settings.sideWindowHeight = 90;
    settings.delay1Slider = 1;
    settings.delay2Slider = 10;
    settings.showPicture = 1;  // not stored by the writers called below
    RegistryFile key;
    WriteShowMessages(key, settings);
    WriteSideWindowWidth(key, settings);
    WriteSideWindowHeight(key, settings);
    WriteDelay1Slider(key, settings);
    WriteDelay2Slider(key, settings);
    EXPECT_EQ(ReadText(Path()), KeyText({{"Show Messages", "dword:00000000"},
                                         {"SideWindow Width", "dword:00000078"},
                                         {"SideWindow Height", "dword:0000005a"},
                                         {"Delay1 Slider", "dword:00000001"},
                                         {"Delay2 Slider", "dword:0000000a"}}));
}

TEST_F(SettingsStoreTest, WritesKeepOtherKeysUnknownValuesAndComments) {
    const std::string before =
        "Windows Registry Editor Version 5.00\n\n"
        "[HKEY_CURRENT_USER\\Software\\Other]\n"
        "\"Delay1 Slider\"=\"not ours\"\n"
        "\"List\"=hex(7):61,00,00,00,\\\n  00,00\n\n"
        "; kept as written\n"
        "[hkey_current_user\\software\\projects\\JADELEAF1.1_R6]\n"
        "\"Unknown\"=hex:de,ad\n"
        "\"delay1 slider\"=dword:00000003\n"
        "@=\"default\"\n\n"
        "[HKEY_CURRENT_USER\\Software\\After]\n"
        "\"X\"=dword:00000001\n";
    Store(before);
    Settings settings;
    settings.delay1Slider = 9;
    settings.bitmapPath = "C:\\b.bmp";
    RegistryFile key;
    WriteDelay1Slider(key, settings);
    WriteBitmapPath(key, settings);
    const std::string after =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
        "\"Delay1 Slider\"=\"not ours\"\r\n"
        "\"List\"=hex(7):61,00,00,00,\\\r\n  00,00\r\n\r\n"
        "; kept as written\r\n"
        "[hkey_current_user\\software\\projects\\JADELEAF1.1_R6]\r\n"
        "\"Unknown\"=hex:de,ad\r\n"
        "\"Delay1 Slider\"=dword:00000009\r\n"
        "@=\"default\"\r\n"
        "\"SWBmpPath\"=\"C:\\\\b.bmp\"\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\After]\r\n"
        "\"X\"=dword:00000001\r\n";
    EXPECT_EQ(ReadText(Path()), after);
}

TEST_F(SettingsStoreTest, FileWithoutTheKeyGetsTheDefaultsAppended) {
    const std::string other = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n";
    Store(other);
    Load();
    const std::string key = KeyText().substr(KeyText().find('['));
    EXPECT_EQ(ReadText(Path()), other + "\r\n" + key);
}

TEST_F(SettingsStoreTest, WindowsExportsInUtf16AndUtf8WithBomAreRead) {
    const std::string text = KeyText({{"Form Left", "dword:00000002"}, {"SWBmpPath", "\"C:\\\\\xC3\xA9.bmp\""}});
    Store(Utf16Export(text));
    EXPECT_EQ(Load().formLeft, 2);
    EXPECT_EQ(Load().bitmapPath, "C:\\\xC3\xA9.bmp");

    std::string lfOnly = "\xEF\xBB\xBF" + text;
    for (std::size_t at; (at = lfOnly.find("\r\n")) != std::string::npos;) lfOnly.erase(at, 1);
    Store(lfOnly);
    EXPECT_EQ(Load().formLeft, 2);
    Settings settings = Load();
    RegistryFile key;
    WriteDelay2Slider(key, settings);
    EXPECT_EQ(ReadText(Path()), text) << "rewritten as UTF-8 without a byte order mark, lines ending in CR LF";
}

// A file exported by regedit stays in UTF-16 when the game writes it, so
// that it still imports into a Windows registry as it did.
TEST_F(SettingsStoreTest, Utf16ExportKeepsItsEncodingWhenWritten) {
    const std::vector<std::pair<std::string, std::string>> old = {{"Form Left", "dword:00000002"},
                                                                  {"SWBmpPath", "\"C:\\\\\xC3\xA9.bmp\""}};
    Store(Utf16Export(KeyText(old)));
    Settings settings = Load();
    settings.delay2Slider = 9;
    RegistryFile key;
    WriteDelay2Slider(key, settings);
    std::vector<std::pair<std::string, std::string>> written = old;
    written.emplace_back("Delay2 Slider", "dword:00000009");
    EXPECT_EQ(ReadText(Path()), Utf16Export(KeyText(written)));

    // A character beyond the first 65,536 takes two UTF-16 units.
    settings.bitmapPath = "/home/u/\xF0\x9F\x80\x84.png";
    WriteBitmapPath(key, settings);
    EXPECT_EQ(ReadText(Path()).substr(0, 2), "\xFF\xFE");
    EXPECT_NE(ReadText(Path()).find("\x3C\xD8\x04\xDC"), std::string::npos);
    const Settings again = Load();
    EXPECT_EQ(again.bitmapPath, settings.bitmapPath);
    EXPECT_EQ(again.delay2Slider, 9);
    EXPECT_EQ(again.formLeft, 2);
}

TEST_F(SettingsStoreTest, CorruptFilesAreReportedAndLeftUntouched) {
    const std::string head =
        "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Projects\\Jadeleaf1.1_R6]\n";
    const struct {
        std::string text;
        int line;
    } cases[] = {
        {"REGEDIT4\n" + KeyText(), 1},
        {"", 1},
        {head + "\"TimeDisplay\"=dword:00000001\n\"SWBmpPath\"=\"D:\\\\Images\n", 5},
        {head + "\"SWBmpPath\"=\"D:\\Images\"\n", 4},
        {head + "\"SWBmpPath\"=hex(2):44,00,\\\n  3g,00\n", 5},
        {head + "\"SWBmpPath\"=hex(2):44,00,\\\n", 4},
        {head + "\"TimeDisplay\"=dword:000000001\n", 4},
        {head + "\"TimeDisplay\"=dword:1\nthis is not a value\n", 5},
        {"Windows Registry Editor Version 5.00\n\n\"TimeDisplay\"=dword:00000001\n", 3},
        {head + "\"Assistance\"=dword:00000001 trailing\n", 4},
        {"\xFF\xFE" + std::string("W\0", 2) + "x", 1},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.text);
        Store(test.text);
        const std::string prefix = "\"" + Path() + "\", line " + std::to_string(test.line) + ": ";
        EXPECT_EQ(ErrorOf([&] { Load(); }).rfind(prefix, 0), 0u) << ErrorOf([&] { Load(); });
        Settings settings;
        RegistryFile key;
        try {
            WriteShowMessages(key, settings);
            ADD_FAILURE() << "a corrupt file was written";
        } catch (const RegistryParseError& error) {
            EXPECT_EQ(error.Line(), test.line);
            EXPECT_EQ(error.Path(), Path());
            EXPECT_FALSE(error.Reason().empty());
        }
        EXPECT_EQ(ReadText(Path()), test.text);
        EXPECT_FALSE(std::filesystem::exists(Path() + ".new"));
    }
}

TEST_F(SettingsStoreTest, RefusedWritesThrowAndKeepTheOldFile) {
    // A folder on the way that is a plain file stops even root.
    std::ofstream(root_ + "/file") << "x";
    ::setenv("XDG_CONFIG_HOME", (root_ + "/file").c_str(), 1);
    Settings settings;
    RegistryFile blocked;
    try {
        LoadSettings(blocked, settings, kScreen);
        ADD_FAILURE() << "the write did not fail";
    } catch (const RegistryError& error) {
        EXPECT_STREQ(error.what(), "Failed to set data for 'TimeDisplay'");
        EXPECT_NE(error.Detail().find("Not a directory"), std::string::npos) << error.Detail();
    }
    EXPECT_EQ(settings.formWidth, 1918) << "the defaults hold in memory";

    ::setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
    settings = Load();
    const std::string old = ReadText(Path());
    RegistryFile key;
    std::filesystem::remove(Path() + ".lock");
    std::filesystem::create_directory(Path() + ".lock");
    settings.delay2Slider = 2;
    EXPECT_EQ(ErrorOf([&] { WriteDelay2Slider(key, settings); }), "Failed to set data for 'Delay2 Slider'");
    EXPECT_EQ(ReadText(Path()), old);
    std::filesystem::remove(Path() + ".lock");

    // A full disk halfway through the new file: the size limit makes the
    // second part of the write fail in a child process.
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        settings.bitmapPath = std::string(300, 'p');
        ::_exit(ErrorOf([&] { WriteBitmapPath(key, settings); }) == "Failed to set data for 'SWBmpPath'" ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadText(Path()), old);
    EXPECT_FALSE(std::filesystem::exists(Path() + ".new"));
}

TEST_F(SettingsStoreTest, WriteThroughALinkKeepsTheLink) {
    Store(KeyText());
    std::filesystem::rename(Path(), root_ + "/kept.reg");
    std::filesystem::create_symlink(root_ + "/kept.reg", Path());
    Settings settings = Load();
    settings.showMessages = 0;
    RegistryFile key;
    WriteShowMessages(key, settings);
    EXPECT_TRUE(std::filesystem::is_symlink(Path()));
    EXPECT_EQ(ReadText(root_ + "/kept.reg"), KeyText({{"Show Messages", "dword:00000000"}}));

    // A link whose file is gone, relative and through a second link: the
    // first start creates the file it names.
    std::filesystem::remove(Path());
    std::filesystem::remove(root_ + "/kept.reg");
    std::filesystem::create_symlink("../../second.reg", Path());
    std::filesystem::create_symlink("kept.reg", root_ + "/second.reg");
    EXPECT_EQ(Load().showMessages, 1);
    EXPECT_TRUE(std::filesystem::is_symlink(Path()));
    EXPECT_TRUE(std::filesystem::is_symlink(root_ + "/second.reg"));
    EXPECT_EQ(ReadText(root_ + "/kept.reg"), KeyText());
}

template <typename Action>
RegistryError FailureOf(Action action) {
    try {
        action();
    } catch (const RegistryError& error) {
        return error;
    }
    return RegistryError("no error");
}

// Files that are not plain text files of a sensible size are refused at once,
// as unreadable, and nothing is written over them.
TEST_F(SettingsStoreTest, OnlyRegularFilesOfAtMostOneMebibyteAreRead) {
    std::filesystem::create_directories(std::filesystem::path(Path()).parent_path());
    ASSERT_EQ(::mkfifo(Path().c_str(), 0600), 0);
    RegistryError error = FailureOf([&] { Load(); });
    EXPECT_STREQ(error.what(), "Failed to get data for 'TimeDisplay'");
    EXPECT_EQ(error.Detail(), "cannot read \"" + Path() + "\": not a regular file");
    Settings settings;
    RegistryFile key;
    EXPECT_EQ(ErrorOf([&] { WriteShowMessages(key, settings); }), "Failed to set data for 'Show Messages'");
    EXPECT_TRUE(std::filesystem::is_fifo(Path()));
    std::filesystem::remove(Path());

    std::filesystem::create_symlink("/dev/zero", Path());
    EXPECT_EQ(FailureOf([&] { Load(); }).Detail(), "cannot read \"" + Path() + "\": not a regular file");
    std::filesystem::remove(Path());

    // A valid file padded with comments to just over the limit.
    std::string text = KeyText();
    Store(text + std::string(1024 * 1024 - text.size(), ';'));
    EXPECT_EQ(Load().delay1Slider, 5) << "one mebibyte is still read";
    Store(text + std::string(1024 * 1024 + 1 - text.size(), ';'));
    error = FailureOf([&] { Load(); });
    EXPECT_STREQ(error.what(), "Failed to get data for 'TimeDisplay'");
    EXPECT_EQ(error.Detail(), "cannot read \"" + Path() + "\": larger than 1 MiB");
    EXPECT_EQ(ErrorOf([&] { WriteShowMessages(key, settings); }), "Failed to set data for 'Show Messages'");
    EXPECT_EQ(std::filesystem::file_size(Path()), 1024u * 1024u + 1u);
}

// The reads name the file, so that the person can find what to mend.
TEST_F(SettingsStoreTest, ReadFailuresNameTheFileOnTheirSecondLine) {
    Store(KeyText({{"InfoDisplay", ""}}));
    RegistryError error = FailureOf([&] { Load(); });
    EXPECT_EQ(ErrorBoxText(error), "Failed to get data for 'InfoDisplay'\n\"" + Path() +
                                       "\": the value is missing from the key");
    Store(KeyText({{"SWBmpPath", "dword:00000001"}}));
    error = FailureOf([&] { Load(); });
    EXPECT_EQ(ErrorBoxText(error), "Invalid data type for 'SWBmpPath'\n\"" + Path() + "\": the value is not a text");
    EXPECT_EQ(ErrorBoxText(std::runtime_error("plain")), "plain");
}

// Another program that holds the lock makes the write give up after the
// wait, leaving the file as it was; the wait is the store's own setting.
TEST_F(SettingsStoreTest, LockHeldByAnotherProgramFailsTheWriteAfterTheWait) {
    EXPECT_EQ(RegistryFile::kLockWaitMs, 3000);
    Store(KeyText());
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    ASSERT_NE(holder, -1);
    if (holder == 0) {
        const int fd = ::open((Path() + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
        ::flock(fd, LOCK_EX);
        (void)!::write(ready[1], "x", 1);
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    Settings settings;
    settings.showMessages = 0;
    RegistryFile key;
    key.SetLockWait(50);
    const RegistryError error = FailureOf([&] { WriteShowMessages(key, settings); });
    EXPECT_STREQ(error.what(), "Failed to set data for 'Show Messages'");
    EXPECT_EQ(error.Detail(), "cannot lock \"" + Path() + ".lock\": " + std::strerror(EWOULDBLOCK));
    EXPECT_EQ(ReadText(Path()), KeyText());
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);

    // The lock died with its holder; the lock file it left is used and removed.
    WriteShowMessages(key, settings);
    EXPECT_EQ(ReadText(Path()), KeyText({{"Show Messages", "dword:00000000"}}));
    EXPECT_FALSE(std::filesystem::exists(Path() + ".lock"));
}

// A file the user made read-only is not replaced; checked on the mode bits,
// since these tests may run as root, whom the system lets write anything.
TEST_F(SettingsStoreTest, ReadOnlyFileIsNotReplaced) {
    Store(KeyText());
    std::filesystem::rename(Path(), root_ + "/kept.reg");
    std::filesystem::create_symlink(root_ + "/kept.reg", Path());
    ::chmod((root_ + "/kept.reg").c_str(), 0444);
    Settings settings;
    settings.showMessages = 0;
    RegistryFile key;
    const RegistryError error = FailureOf([&] { WriteShowMessages(key, settings); });
    EXPECT_STREQ(error.what(), "Failed to set data for 'Show Messages'");
    EXPECT_EQ(error.Detail(), "cannot write \"" + root_ + "/kept.reg\": " + std::strerror(EACCES));
    EXPECT_EQ(ReadText(Path()), KeyText());
    EXPECT_TRUE(std::filesystem::is_symlink(Path()));
    EXPECT_EQ(Load().showMessages, 1) << "it is still read";
}

// The lock file goes with each write, and a temporary file that a crashed
// write left behind goes with the next.
TEST_F(SettingsStoreTest, NoLockOrTemporaryFileIsLeftBehind) {
    Store(KeyText());
    std::ofstream(Path() + ".new") << "Windows Registry Editor Vers";
    std::ofstream(Path() + ".lock") << "";
    Settings settings = Load();
    RegistryFile key;
    SaveWindowPlacement(key, settings, {10, 20, 800, 600, false, false});
    EXPECT_FALSE(std::filesystem::exists(Path() + ".new"));
    EXPECT_FALSE(std::filesystem::exists(Path() + ".lock"));
    EXPECT_EQ(Load().formLeft, 20);
    const auto entries = std::distance(std::filesystem::directory_iterator(std::filesystem::path(Path()).parent_path()),
                                       std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 1);
}

// A writer killed at any moment leaves a file that parses and holds either
// the value it last finished writing or the one it was writing.
TEST_F(SettingsStoreTest, WriterKilledAtRandomMomentsLeavesTheOldOrTheNewValue) {
    Load();
    constexpr int kKills = 200;
    std::mt19937 random(20261208);
    std::int32_t stored = 5;
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        int done[2];
        ASSERT_EQ(::pipe(done), 0);
        const pid_t writer = ::fork();
        ASSERT_NE(writer, -1);
        if (writer == 0) {
            ::close(done[0]);
            RegistryFile key;
            Settings settings;
            for (std::int32_t value = stored + 1;; ++value) {
                settings.delay1Slider = value;
                WriteDelay1Slider(key, settings);
                if (::write(done[1], &value, sizeof value) != sizeof value) ::_exit(1);
            }
        }
        ::close(done[1]);
        // Let it finish a few writes, then kill it somewhere in the next.
        const int finished = std::uniform_int_distribution<int>(0, 3)(random);
        std::int32_t acknowledged = stored;
        for (int i = 0; i < finished; ++i) ASSERT_EQ(::read(done[0], &acknowledged, sizeof acknowledged), 4);
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 1500)(random)));
        ::kill(writer, SIGKILL);
        ASSERT_EQ(::waitpid(writer, nullptr, 0), writer);
        for (std::int32_t more; ::read(done[0], &more, sizeof more) == sizeof more;) acknowledged = more;
        ::close(done[0]);

        RegistryFile key;
        ASSERT_NO_THROW(ASSERT_TRUE(key.OpenKeyReadOnly()));
        stored = key.ReadInteger("Delay1 Slider");
        EXPECT_TRUE(stored == acknowledged || stored == acknowledged + 1) << stored << " after " << acknowledged;
        EXPECT_EQ(key.ReadInteger("Form State"), 1);
        EXPECT_EQ(key.ReadString("SWBmpPath"), "");
        if (::testing::Test::HasFailure()) return;
    }
    Settings settings = Load();
    RegistryFile key;
    WriteShowMessages(key, settings);
    EXPECT_FALSE(std::filesystem::exists(Path() + ".new"));
    EXPECT_FALSE(std::filesystem::exists(Path() + ".lock"));
}

// Two copies of the program write their own values at the same time; each
// checks before every write that its previous value is still there.
TEST_F(SettingsStoreTest, TwoProcessesWritingAtOnceLoseNothing) {
    Load();
    constexpr int kWrites = 100;
    const auto writer = [](void (*write)(RegistryFile&, const Settings&), std::int32_t Settings::*field,
                           const char* name) {
        RegistryFile key;
        Settings settings;
        for (int i = 1; i <= kWrites; ++i) {
            if (!key.OpenKeyReadOnly() || key.ReadInteger(name) != (i == 1 ? 5 : i - 1)) return 1;
            settings.*field = i;
            write(key, settings);
        }
        return 0;
    };
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        ASSERT_NE(children[c], -1);
        if (children[c] == 0) {
            int result = 2;
            try {
                result = c == 0 ? writer(WriteDelay1Slider, &Settings::delay1Slider, "Delay1 Slider")
                                : writer(WriteDelay2Slider, &Settings::delay2Slider, "Delay2 Slider");
            } catch (...) {
            }
            ::_exit(result);
        }
    }
    int running = 2;
    int reads = 0;
    int badReads = 0;
    while (running > 0) {
        RegistryFile key;
        try {
            if (!key.OpenKeyReadOnly() || key.ReadInteger("Form State") != 1) ++badReads;
        } catch (const RegistryError&) {
            ++badReads;
        }
        ++reads;
        for (pid_t& child : children) {
            int status = 0;
            if (child > 0 && ::waitpid(child, &status, WNOHANG) == child) {
                EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer lost its value";
                child = 0;
                --running;
            }
        }
    }
    RegistryFile key;
    ASSERT_TRUE(key.OpenKeyReadOnly());
    EXPECT_EQ(key.ReadInteger("Delay1 Slider"), kWrites);
    EXPECT_EQ(key.ReadInteger("Delay2 Slider"), kWrites);
    EXPECT_EQ(badReads, 0) << "of " << reads << " reads, some saw a half-written file";
}

}  // namespace
}  // namespace jadeleaf
