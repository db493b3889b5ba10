// The real main window under the offscreen platform: start-up to the first
// deal, the settings file, the painted table, and closing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QStatusTipEvent>
#include <algorithm>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

#include "model/TableLayout.h"
#include "play/TResDlg1.h"
#include "render/TableView.h"
#include "shell/Forms.h"
#include "shell/MainRoutine.h"
#include "settings/RegistryFile.h"
#include "shell/TPrefDlg1.h"
#include "tests/ShellFixture.h"

namespace jadeleaf::test {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    QDir().mkpath(QString::fromStdString(path.substr(0, path.rfind('/'))));
    std::ofstream(path, std::ios::binary) << text;
}

std::string StoredSettings(const std::string& timeDisplay, bool withDelay1) {
    std::string text =
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Projects\\Jadeleaf1.1_R6]\r\n"
        "\"TimeDisplay\"=dword:" + timeDisplay + "\r\n"
        "\"InfoDisplay\"=dword:00000001\r\n\"Show Messages\"=dword:00000001\r\n\"Assistance\"=dword:00000001\r\n"
        "\"ShowPicture\"=dword:00000000\r\n\"SideWindow Width\"=dword:00000000\r\n"
        "\"SideWindow Height\"=dword:00000000\r\n";
    if (withDelay1) text += "\"Delay1 Slider\"=dword:00000005\r\n";
    text +=
        "\"Delay2 Slider\"=dword:00000005\r\n\"Form Top\"=dword:00000001\r\n\"Form Left\"=dword:00000001\r\n"
        "\"Form Width\"=dword:00000384\r\n\"Form Height\"=dword:00000258\r\n\"Form State\"=dword:00000001\r\n"
        "\"SWBmpPath\"=\"\"\r\n";
    return text;
}

using ShellTest = ShellFixture;

TEST_F(ShellTest, StartUpLoadsTheTilesThenTimer2DealsTheFirstGame) {
    Create();
    EXPECT_EQ(form->windowTitle(), " Jadeleaf - Velora Edition, V1.1");
    EXPECT_FALSE(form->MenusEnabled());
    EXPECT_EQ(form->MessageLineText(), "Preparing for a new game.");
    EXPECT_TRUE(form->StatusText(0).startsWith("Dir: "));
    ASSERT_NE(PrefDlg1, nullptr);
    EXPECT_TRUE(PrefDlg1->isVisible()) << "the preferences dialog appears when it is created";

    std::vector<std::string> progress;
    clock.onPause = [&](int) { progress.push_back(form->MessageLineText().toStdString()); };
    StartUp();
    EXPECT_EQ(form->StatusText(1), " Library used: JL_RES10.DLL");
    ASSERT_EQ(progress.size(), 42u);
    EXPECT_EQ(progress.front(), "Loading Resource Bitmap of Tile number:  1");
    EXPECT_EQ(progress.back(), "Loading Resource Bitmap of Tile number: 42");
    EXPECT_EQ(clock.pauses.front(), 60) << "12 x the stored delay of 5 on a wide screen";
    EXPECT_TRUE(form->TimerEnabled(WindowTimer::Timer2));
    EXPECT_EQ(form->Timer(WindowTimer::Timer2).Interval(), 400);
    EXPECT_FALSE(form->MenusEnabled()) << "start-up ends only with Timer2";
    EXPECT_TRUE(modal.messages.empty());

    bool checked = false;
    clock.steps.push_back([&] {
        // The game loop waits for the player: the first deal is on the table.
        Game& game = GameOf();
        EXPECT_EQ(game.shell.startupPending, 0);
        EXPECT_TRUE(form->MenusEnabled());
        EXPECT_EQ(game.table.tableReady, 1);
        EXPECT_EQ(form->MessageLineText(), "Welcome to MahJong. Start by selecting a pair of matching tiles.");
        EXPECT_EQ(form->StatusText(0), "Number of tiles in the MahJong deck: 144");
        EXPECT_TRUE(form->StatusText(1).startsWith(" Game started at "));
        EXPECT_EQ(game.table.shownSweep, 0) << "every covered tile has become drawable";

        const QImage& table = form->TablePicture();
        const QImage& client = form->ClientPicture();
        EXPECT_EQ(table.size(), QSize(kTableWidth, kTableHeight));
        EXPECT_EQ(table.pixel(2, 2) & 0xFFFFFF, kFrameGreen);
        EXPECT_EQ(table.pixel(200, 2) & 0xFFFFFF, kFrameGreen);
        EXPECT_EQ(table.pixel(kTableWidth - 3, 100) & 0xFFFFFF, kFrameGreen);
        EXPECT_EQ(table.pixel(kTableWidth - 2, 100) & 0xFFFFFF, kShadeColour) << "right edge excluded";
        EXPECT_EQ(table.pixel(8, 8) & 0xFFFFFF, kShadeColour) << "no tile stands there";
        EXPECT_EQ(client.pixel(kTableLeft + 2, kTableTop + 2) & 0xFFFFFF, kFrameGreen);
        EXPECT_EQ(client.pixel(5, 5) & 0xFFFFFF, kTableColour);
        for (const int p : {1, 12, 73, 84, 141, 142, 144}) {
            const TileRecord& tile = game.table.tiles[p];
            EXPECT_NE(table.pixel(tile.x + 20, tile.y + 20) & 0xFFFFFF, kShadeColour) << "tile " << p;
        }
        // Left of the left end tile and below the bottom row only the shade shows.
        EXPECT_EQ(table.pixel(10, 190) & 0xFFFFFF, kShadeColour);
        EXPECT_EQ(table.pixel(200, 372) & 0xFFFFFF, kShadeColour);
        // The top tile's face shows the tile grey where its face picture is blank.
        int grey = 0;
        const TileRecord& top = game.table.tiles[kTopTile];
        for (int y = top.y; y < top.y + kTileHeight; ++y) {
            for (int x = top.x; x < top.x + kTileWidth; ++x) grey += (table.pixel(x, y) & 0xFFFFFF) == kTileFaceGrey;
        }
        EXPECT_GT(grey, 100);
        checked = true;
        modal.answers = {MessageAnswer::Yes};
        game.FinishGame1Click();
    });
    clock.Advance(400);
    EXPECT_TRUE(checked);
    EXPECT_EQ(modal.Count("ResDlg1"), 1);
    EXPECT_EQ(GameOf().table.tableReady, 0);
    // The empty table shows the frame line of the table area.
    EXPECT_EQ(form->ClientPicture().pixel(4, 100) & 0xFFFFFF, kLightFrameGreen);
}

// The window shows the icon theme's picture of the game once the package has installed one, and
// the program's own tile before that.
TEST_F(ShellTest, WindowIconIsTheInstalledThemeIconElseTheProgramsOwn) {
    const QStringList searchPaths = QIcon::themeSearchPaths();
    const QString theme = QIcon::themeName();
    const QString icons = directory.path() + "/icons";
    QIcon::setThemeSearchPaths({icons});
    QIcon::setThemeName("hicolor");
    Create();
    EXPECT_TRUE(form->windowIcon().name().isEmpty());
    EXPECT_EQ(form->windowIcon().pixmap(32).size(), QSize(32, 32));

    ASSERT_TRUE(QDir().mkpath(icons + "/hicolor/32x32/apps"));
    QFile index(icons + "/hicolor/index.theme");
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=Hicolor\nDirectories=32x32/apps\n\n[32x32/apps]\nSize=32\n");
    index.close();
    ASSERT_TRUE(QFile::copy(JADELEAF_ICON_DIR "/jadeleaf-32.png", icons + "/hicolor/32x32/apps/jadeleaf.png"));
    QIcon::setThemeSearchPaths({icons});
    windows.Close();
    Create();
    EXPECT_EQ(form->windowIcon().name(), "jadeleaf");
    QIcon::setThemeSearchPaths(searchPaths);
    QIcon::setThemeName(theme);
}

TEST_F(ShellTest, FirstStartWritesAllFifteenValues) {
    Create();
    const std::string text = ReadFile(settingsPath);
    const char* names[] = {"TimeDisplay",   "InfoDisplay",       "Show Messages",     "Assistance",
                           "ShowPicture",   "SideWindow Width",  "SideWindow Height", "Delay1 Slider",
                           "Delay2 Slider", "Form Top",          "Form Left",         "Form Width",
                           "Form Height",   "Form State"};
    std::size_t at = 0;
    for (const char* name : names) {
        const std::size_t found = text.find("\"" + std::string(name) + "\"=dword:", at);
        ASSERT_NE(found, std::string::npos) << name;
        at = found;
    }
    EXPECT_NE(text.find("\"SWBmpPath\"=\"\"", at), std::string::npos);
    EXPECT_NE(text.find("\"Form Width\"=dword:000004fe"), std::string::npos) << "screen width less 2";
    EXPECT_NE(text.find("\"Form Height\"=dword:000003fe"), std::string::npos);
}

TEST_F(ShellTest, StoredFlagsReadAsOneAndMissingValuesStopStartUp) {
    WriteFile(settingsPath, StoredSettings("00000007", true));
    Create();
    EXPECT_EQ(GameOf().settings.timeDisplay, 1);
    windows = ApplicationWindows();

    WriteFile(settingsPath, StoredSettings("00000001", false));
    try {
        Create();
        FAIL() << "start-up went on without a stored delay";
    } catch (const RegistryError& error) {
        EXPECT_STREQ(error.what(), "Failed to get data for 'Delay1 Slider'");
    }
}

// The real message box, in its own event loop, closed as a player would.
TEST_F(ShellTest, FatalSettingsErrorIsShownWithTheFileAndEndsWithAFailureStatus) {
    WriteFile(settingsPath, StoredSettings("00000001", false));
    QtModalService realBoxes;
    QString shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    closer.start(5);
    EXPECT_EQ(RunApplication({clock, realBoxes, settingsPath, QSize(1280, 1024), false}), 1);
    EXPECT_EQ(shown.toStdString(),
              "Failed to get data for 'Delay1 Slider'\n\"" + settingsPath + "\": the value is missing from the key");
    EXPECT_EQ(Form1, nullptr);
}

// The main window is on the screen before anything else is made; the message
// loop's first event makes the other six windows, the preferences dialog shown,
// before the loop first goes idle and loads the resource library.
TEST_F(ShellTest, MainWindowIsShownFirstAndTheLoopsFirstEventCompletesTheStart) {
    QtModalService realBoxes;
    bool mainWindowAlone = false;
    bool libraryLoadedAtTheDialog = true;
    bool completed = false;
    struct DialogShown : QObject {
        std::function<void()> seen;
        bool eventFilter(QObject* object, QEvent* event) override {
            if (event->type() == QEvent::Show && object == PrefDlg1) seen();
            return false;
        }
    } dialogShown;
    dialogShown.seen = [&] { libraryLoadedAtTheDialog = Form1->Graphics().library.Loaded(); };
    qApp->installEventFilter(&dialogShown);
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            mainWindowAlone = Form1 != nullptr && Form1->isVisible() && PrefDlg1 == nullptr && AboutBox == nullptr;
            QTimer::singleShot(0, qApp, [&] {
                completed = PrefDlg1 != nullptr && PrefDlg1->isVisible() && CalendarForm && AboutBox && ResDlg1 &&
                            InfoForm && EndDlg1;
                QCoreApplication::quit();
            });
        },
        Qt::QueuedConnection);
    EXPECT_EQ(RunApplication({clock, realBoxes, settingsPath, QSize(1280, 1024), true}), 0);
    qApp->removeEventFilter(&dialogShown);
    EXPECT_TRUE(mainWindowAlone);
    EXPECT_FALSE(libraryLoadedAtTheDialog);
    EXPECT_TRUE(completed);
    EXPECT_EQ(Form1, nullptr);
}

TEST_F(ShellTest, CorruptSettingsFileIsReportedAndLeftAlone) {
    const std::string corrupt = StoredSettings("00000001", true) + "\"Form State\"=dword:12zz\r\n";
    WriteFile(settingsPath, corrupt);
    try {
        Create();
        FAIL() << "a corrupt file was accepted";
    } catch (const RegistryError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(settingsPath), std::string::npos) << message;
        EXPECT_NE(message.find("line 19"), std::string::npos) << message;
    }
    EXPECT_EQ(ReadFile(settingsPath), corrupt);
}

TEST_F(ShellTest, ClosingDuringAGameAsksAndSavesThePlacementEitherWay) {
    Create();
    StartUp();
    bool refused = false;
    clock.steps.push_back([&] {
        modal.answers = {MessageAnswer::No};
        form->move(40, 50);
        EXPECT_FALSE(form->close());
        refused = GameOf().table.tableReady == 1;
        EXPECT_NE(ReadFile(settingsPath).find("\"Form Left\"=dword:00000028"), std::string::npos) << ReadFile(settingsPath);
    });
    clock.steps.push_back([&] {
        modal.answers = {MessageAnswer::Yes};
        EXPECT_TRUE(form->close());
    });
    clock.Advance(400);
    EXPECT_TRUE(refused);
    ASSERT_GE(modal.messages.size(), 2u);
    EXPECT_EQ(modal.messages[0].caption, " Closing Event");
    EXPECT_EQ(modal.messages[0].text, "Quit game and exit?");
    EXPECT_EQ(modal.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(modal.Count("ResDlg1"), 0) << "a game left by closing shows no results";
    EXPECT_EQ(GameOf().table.tableReady, 0);
    EXPECT_FALSE(form->TimerEnabled(WindowTimer::Timer1));
}

// A window stored too small to use opens at the first-start size, and
// closing saves that size rather than the stored one.
TEST_F(ShellTest, UnusableStoredWindowSizeOpensAtTheFirstStartSize) {
    std::string text = StoredSettings("00000001", true);
    for (const auto& [stored, unusable] : {std::pair{"dword:00000384", "dword:00000000"},
                                           std::pair{"dword:00000258", "dword:ffffff9c"}}) {
        text.replace(text.find(stored), std::string(stored).size(), unusable);
    }
    WriteFile(settingsPath, text);
    Create();
    EXPECT_EQ(form->size(), QSize(1278, 1022));
    EXPECT_EQ(ReadFile(settingsPath), text) << "the file is not rewritten at start-up";
    EXPECT_TRUE(form->close());
    EXPECT_NE(ReadFile(settingsPath).find("\"Form Width\"=dword:000004fe\r\n\"Form Height\"=dword:000003fe"),
              std::string::npos)
        << ReadFile(settingsPath);
}

// A settings file made read-only keeps its values; the box says which file
// and why, and the window closes all the same.
TEST_F(ShellTest, ReadOnlySettingsFileIsReportedAtClosingAndKept) {
    Create();
    const std::string before = ReadFile(settingsPath);
    QFile::setPermissions(QString::fromStdString(settingsPath), QFile::ReadOwner | QFile::ReadGroup);
    form->move(40, 50);
    EXPECT_TRUE(form->close());
    ASSERT_EQ(modal.messages.size(), 1u);
    EXPECT_EQ(modal.messages[0].text, "Failed to set data for 'Form Top'\ncannot write \"" + settingsPath +
                                          "\": Permission denied");
    EXPECT_EQ(modal.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(ReadFile(settingsPath), before);
    EXPECT_EQ(QDir(QString::fromStdString(settingsPath.substr(0, settingsPath.rfind('/')))).entryList(QDir::Files),
              QStringList{"Jadeleaf1.1_R6.reg"})
        << "no lock or temporary file is left";
}

TEST_F(ShellTest, MenuHintsGoToTheFirstStatusPanel) {
    Create();
    QAction* newGame = form->findChild<QAction*>("NewGame1");
    ASSERT_NE(newGame, nullptr);
    newGame->showStatusText(form);
    EXPECT_EQ(form->StatusText(0), "Start a new game");
    QStatusTipEvent leaving(QString{});
    QCoreApplication::sendEvent(form, &leaving);
    EXPECT_EQ(form->StatusText(0), "") << "the empty hint of a closed menu shows too";
}

TEST_F(ShellTest, ExitDuringAGameShowsNoResultsAndStopsPainting) {
    Create();
    StartUp();
    clock.steps.push_back([&] {
        modal.answers = {MessageAnswer::No};
        form->GameExit1Click();
        EXPECT_EQ(GameOf().table.tableReady, 1) << "No keeps the game";
        modal.answers = {MessageAnswer::Yes};
        form->GameExit1Click();
    });
    clock.Advance(400);
    EXPECT_EQ(modal.Count("ResDlg1"), 0);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->Graphics().library.Loaded());
    form->FormPaint(true);  // nothing may paint with the released pictures
    EXPECT_EQ(std::count_if(modal.messages.begin(), modal.messages.end(),
                            [](const ScriptedModal::Message& m) { return m.caption == " Closing Event"; }),
              2);
}

TEST_F(ShellTest, LongMessagesFitTheMessageLine) {
    Create();
    auto* label = form->findChild<QLabel*>("Label1");
    ASSERT_NE(label, nullptr);
    for (const char* text : {"Auto Play in action.  ( Use mouse button for an early break. )",
                             "Welcome to MahJong. Start by selecting a pair of matching tiles.", "Select a pair."}) {
        form->SetMessageLine(text);
        label->ensurePolished();
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width()) << text;
    }
}

TEST_F(ShellTest, NarrowScreenIsRefused) {
    Create(QSize(799, 1200));
    form->FormActivate();
    ASSERT_EQ(modal.messages.size(), 1u);
    EXPECT_EQ(modal.messages[0].caption, " MahJong Table Control");
    EXPECT_EQ(modal.messages[0].text, "This program requires a screen resolution of \nat least 800 x 600, or 1024 x 768 pixels.");
    EXPECT_FALSE(form->isVisible());
}

TEST_F(ShellTest, ScreenClassSetsTheDelays) {
    Create(QSize(800, 600));
    EXPECT_EQ(GameOf().shell.screenClass, 1);
    EXPECT_EQ(GameOf().shell.tileLoadDelay, 30);
    EXPECT_EQ(GameOf().shell.autoPlayDelay, 80);
}

// The start-up in a fresh process, whose library search the test controls.
std::string RunProbe(const std::string& executable, const std::string& environment) {
    const std::string command = environment + " " + executable + " 2>/dev/null";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}

// A copy of the probe alone in a temporary folder, with no resource file to
// find anywhere unless a test puts one beside it.
class LonelyProbe {
public:
    LonelyProbe() : copy_(folder_.path().toStdString() + "/startup_probe") {
        QFile::copy(JADELEAF_PROBE, QString::fromStdString(copy_));
    }
    std::string Folder() const { return QDir(folder_.path()).canonicalPath().toStdString(); }
    std::string ResourcePath() const { return Folder() + "/jl_res10.res"; }
    std::string Run(const std::string& arguments = "") const {
        const std::string data = Folder() + "/data";
        return RunProbe(copy_ + " " + arguments,
                        "cd " + Folder() + " && XDG_DATA_HOME=" + data + " XDG_DATA_DIRS=" + data);
    }

private:
    QTemporaryDir folder_;
    std::string copy_;
};

// `detail`: the file that was tried and why it did not load, the box's second line.
std::string FailedLoad(const std::string& folder, int code, const std::string& detail = "") {
    char number[64];
    std::snprintf(number, sizeof number, "Error code: %xH / %d", code, code);
    return "timer2: off\n"
           "box: DLL Load Error|Unable to load 'JL_RES10.DLL'." + (detail.empty() ? "" : "\n" + detail) + "|error\n"
           "box: JL_RES10.DLL|" + std::string(number) + "|information\n"
           "box: Current Directory|" + folder + "|none\n"
           "label: Preparing for a new game.\n"
           "status1: \n"
           "menus: disabled\n"
           "game: none\n";
}

TEST(StartUpFailures, MissingLibraryGivesItsMessagesAndNoGame) {
    const LonelyProbe probe;
    EXPECT_EQ(probe.Run(), FailedLoad(probe.Folder(), 2));
}

// Real boxes run an event loop of their own, in which the message loop's
// idle moments come again; the load must not start again from there.
TEST(StartUpFailures, MissingLibraryGivesItsThreeRealBoxesOnce) {
    const LonelyProbe probe;
    const std::string expected = "box: DLL Load Error|Unable to load 'JL_RES10.DLL'.\n"
                                 "box: JL_RES10.DLL|Error code: 2H / 2\n"
                                 "box: Current Directory|" + probe.Folder() + "\n"
                                 "boxes: 3\n";
    EXPECT_EQ(probe.Run("--real-boxes"), expected);
}

TEST(StartUpFailures, DamagedLibraryGivesItsErrorNumberAndNoGame) {
    {
        const LonelyProbe probe;
        ASSERT_TRUE(QDir().mkdir(QString::fromStdString(probe.ResourcePath())));
        const std::string detail = "cannot load \"" + probe.ResourcePath() + "\": Is a directory";
        EXPECT_EQ(probe.Run(), FailedLoad(probe.Folder(), 21, detail)) << "a directory";
    }
    const std::string real = ReadFile(JADELEAF_BUILD_DIR "/jl_res10.res");
    const auto expectRefused = [](const std::string& bytes, const char* what) {
        const LonelyProbe probe;
        WriteFile(probe.ResourcePath(), bytes);
        EXPECT_EQ(probe.Run("--real-boxes"),
                  "box: DLL Load Error|Unable to load 'JL_RES10.DLL'.\ncannot load \"" + probe.ResourcePath() +
                      "\": damaged, or not a resource file\n"
                      "box: JL_RES10.DLL|Error code: c1H / 193\n"
                      "box: Current Directory|" + probe.Folder() + "\nboxes: 3\n")
            << what;
    };
    expectRefused(real.substr(0, real.size() / 2), "a file cut in half");
    // Faces 1 and 2 swapped: each entry's bounds hold, its checksum does not.
    std::string swapped = real;
    std::swap_ranges(swapped.begin() + 20, swapped.begin() + 28, swapped.begin() + 36);
    expectRefused(swapped, "two pictures swapped");
}

TEST(StartUpFailures, MissingResource45StopsAfterTheFirstFace) {
    const LonelyProbe probe;
    ASSERT_TRUE(QFile::copy(JADELEAF_RES10_WITHOUT45, QString::fromStdString(probe.ResourcePath())));
    const std::string expected = "timer2: off\n"
                                 "box:  Diagonal Resource Loading|Error condition reported: Tile number 45|error\n"
                                 "label: Loading Resource Bitmap of Tile number:  1\n"
                                 "status1:  Library used: JL_RES10.DLL\n"
                                 "menus: disabled\n"
                                 "game: none\n";
    EXPECT_EQ(probe.Run(), expected);
}

TEST(StartUpFailures, PresentLibraryDealsTheFirstGame) {
    const std::string output = RunProbe(JADELEAF_PROBE, "");
    EXPECT_NE(output.find("timer2: 400\n"), std::string::npos) << output;
    EXPECT_NE(output.find("menus: enabled\ngame: dealt\n"), std::string::npos) << output;
    EXPECT_EQ(output.find("box:"), std::string::npos) << output;
}

}  // namespace
}  // namespace jadeleaf::test
