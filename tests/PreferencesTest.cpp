// The real preferences dialog under the offscreen platform: clicks, keys and
// focus changes on its four pages, and the settings file read back after each store.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <utility>
#include <vector>

#include "framework/ModalService.h"
#include "model/TableLayout.h"
#include "render/TableView.h"
#include "shell/Forms.h"
#include "settings/RegistryFile.h"
#include "shell/TPrefDlg1.h"
#include "tests/ShellFixture.h"
#include "ui_TPrefDlg1.h"

namespace jadeleaf::test {
namespace {

// A settings file as a player would leave it, with the side-window picture given.
std::string SettingsWith(const std::string& showPicture, const std::string& path) {
    return "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Projects\\Jadeleaf1.1_R6]\r\n"
           "\"TimeDisplay\"=dword:00000007\r\n\"InfoDisplay\"=dword:00000001\r\n\"Show Messages\"=dword:00000001\r\n"
           "\"Assistance\"=dword:00000000\r\n\"ShowPicture\"=dword:" + showPicture + "\r\n"
           "\"SideWindow Width\"=dword:00000000\r\n\"SideWindow Height\"=dword:00000000\r\n"
           "\"Delay1 Slider\"=dword:00000005\r\n\"Delay2 Slider\"=dword:00000005\r\n"
           "\"Form Top\"=dword:00000001\r\n\"Form Left\"=dword:00000001\r\n\"Form Width\"=dword:000004fe\r\n"
           "\"Form Height\"=dword:000003fe\r\n\"Form State\"=dword:00000001\r\n"
           "\"SWBmpPath\"=\"" + path + "\"\r\n";
}

class PreferencesTest : public ShellFixture {
protected:
    // The main window shown, the dialog active in front of it.
    void Open(ModalService* realModal = nullptr) {
        if (realModal != nullptr) {
            windows = CreateForms({clock, *realModal, settingsPath, QSize(1280, 1024), false});
            form = windows.form1.get();
        } else if (form == nullptr) {
            Create();
        }
        form->show();
        QCoreApplication::processEvents();
        dialog = PrefDlg1;
        ui = &dialog->Controls();
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
        QApplication::setActiveWindow(dialog);
        QCoreApplication::processEvents();
    }

    void WriteSettings(const std::string& text) {
        QDir().mkpath(QFileInfo(QString::fromStdString(settingsPath)).path());
        std::ofstream(settingsPath, std::ios::binary) << text;
    }

    std::int32_t Stored(const char* name) {
        RegistryFile key(settingsPath);
        EXPECT_TRUE(key.OpenKeyReadOnly());
        return key.ReadInteger(name);
    }

    std::string StoredText(const char* name) {
        RegistryFile key(settingsPath);
        EXPECT_TRUE(key.OpenKeyReadOnly());
        return key.ReadString(name);
    }

    std::string Status() const { return dialog->StatusText().toStdString(); }
    int Page() const { return ui->PageControl1->currentIndex(); }

    // The player picks a page by its tab.
    void ClickTab(int page) {
        QTabBar* bar = ui->PageControl1->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
    }

    void ClickOk() { QTest::mouseClick(ui->Button1, Qt::LeftButton); }

    // Gives the box the focus by a click and types over its text.
    void TypeInto(QLineEdit* box, const QString& text) {
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    QRgb BoxColour(QLineEdit* box) { return box->grab().toImage().pixel(box->width() - 4, box->height() / 2) & 0xFFFFFF; }

    // The pause before the next page: not a millisecond early.
    void ExpectAdvanceAfter(int milliseconds, int nextPage) {
        const int page = Page();
        clock.Advance(milliseconds - 1);
        EXPECT_EQ(Page(), page) << "advanced early";
        clock.Advance(1);
        EXPECT_EQ(Page(), nextPage);
        EXPECT_FALSE(dialog->Timer1().Enabled());
        EXPECT_EQ(dialog->State().pauseInterval, 500);
    }

    std::string WritePicture(const char* name, QColor colour) {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(colour);
        const QString path = directory.path() + "/" + name;
        EXPECT_TRUE(picture.save(path, "BMP"));
        return path.toStdString();
    }

    TPrefDlg1* dialog = nullptr;
    Ui::PrefDlg1* ui = nullptr;
};

TEST_F(PreferencesTest, ActivationLoadsTheBoxesAndOkOnPage1StoresThemAll) {
    WriteSettings(SettingsWith("00000000", ""));
    Create();
    ASSERT_TRUE(PrefDlg1->isVisible()) << "the dialog appears as soon as it is created";
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((PrefDlg1->geometry().center() - screen.center()).manhattanLength(), 2) << "first shown mid-screen";
    Open();
    EXPECT_TRUE(ui->CheckBox1->isChecked()) << "a stored 7 reads as on";
    EXPECT_TRUE(ui->CheckBox3->isChecked());
    EXPECT_FALSE(ui->CheckBox4->isChecked());
    EXPECT_FALSE(ui->CheckBox2->isChecked());
    EXPECT_EQ(Page(), 0);
    EXPECT_EQ(Status(), "Current setting of display options.");

    // OK with nothing changed still stores the four values.
    ClickOk();
    EXPECT_EQ(Status(), "Display Options recorded in Registry.");
    EXPECT_EQ(Stored("TimeDisplay"), 1);
    EXPECT_EQ(Stored("Assistance"), 0);
    EXPECT_EQ(GameOf().shell.optionsChanged, 1);
    ExpectAdvanceAfter(2000, 1);
    EXPECT_EQ(Status(), "Defines location of side-window Bitmap");
    EXPECT_EQ(ui->Label4->text(), QString::asprintf(" Picture Width = %d, Height = %d pixels      ",
                                                    form->Geometry().sideMaxWidth, form->Geometry().sideMaxHeight));

    // A box acts on the game at once and is stored only by OK on its page.
    ClickTab(0);
    EXPECT_EQ(Status(), "Current setting of display options");
    QTest::mouseClick(ui->CheckBox1, Qt::LeftButton, {}, QPoint(6, ui->CheckBox1->height() / 2));
    QTest::mouseClick(ui->CheckBox4, Qt::LeftButton, {}, QPoint(6, ui->CheckBox4->height() / 2));
    EXPECT_EQ(GameOf().settings.timeDisplay, 0);
    EXPECT_EQ(GameOf().settings.assistance, 1);
    EXPECT_EQ(Stored("TimeDisplay"), 1);
    QTest::keyClick(ui->Button1, Qt::Key_Space);
    EXPECT_EQ(Stored("TimeDisplay"), 0);
    EXPECT_EQ(Stored("Assistance"), 1);

    // Every activation starts again on page 1, from the options in memory,
    // before the press that activated the dialog takes effect.
    ClickTab(3);
    GameOf().settings.infoDisplay = 0;
    QApplication::setActiveWindow(form);
    QCoreApplication::processEvents();
    ClickTab(2);
    EXPECT_FALSE(ui->CheckBox3->isChecked());
    QApplication::setActiveWindow(dialog);
    QCoreApplication::processEvents();
    EXPECT_EQ(Page(), 2) << "the activation that the press caused has run already";
    QApplication::setActiveWindow(form);
    QCoreApplication::processEvents();
    QApplication::setActiveWindow(dialog);
    QCoreApplication::processEvents();
    EXPECT_EQ(Page(), 0);
}

TEST_F(PreferencesTest, WindowSizeWithinTheLimitsIsStoredBoxByBox) {
    Open();
    ClickTab(2);
    EXPECT_EQ(Status(), "Current adjustment and limits shown.");
    const int widthLimit = form->Geometry().sideMaxWidth;
    const int heightLimit = form->Geometry().sideMaxHeight;
    ASSERT_GT(widthLimit, 100);
    EXPECT_EQ(ui->Label6->text(), QString("Limit = %1").arg(widthLimit));
    EXPECT_EQ(ui->Label7->text(), QString("Limit = %1").arg(heightLimit));
    EXPECT_EQ(ui->Edit2->text(), "0");

    // Nothing typed: nothing stored, the next page after a second.
    ClickOk();
    EXPECT_EQ(Status(), "Values left unchanged.");
    ExpectAdvanceAfter(1000, 3);

    ClickTab(2);
    TypeInto(ui->Edit2, QString::number(widthLimit));
    ClickOk();
    EXPECT_EQ(Status(), "Modified Width stored in Registry.");
    EXPECT_EQ(Stored("SideWindow Width"), widthLimit);
    EXPECT_EQ(GameOf().settings.sideWindowWidth, widthLimit);
    ExpectAdvanceAfter(2000, 3);

    // Out of range: yellow, selected, nothing stored, the page stays.
    for (const QString& text : {QString::number(widthLimit + 1), QString("-1")}) {
        ClickTab(2);
        TypeInto(ui->Edit2, text);
        ClickOk();
        EXPECT_EQ(Status(), "Valid Range is from 0 to Limit.") << text.toStdString();
        EXPECT_EQ(BoxColour(ui->Edit2), 0xFFFF00u) << text.toStdString();
        EXPECT_EQ(ui->Edit2->selectedText(), text);
        EXPECT_EQ(dialog->State().widthEntry, 0);
        EXPECT_EQ(Stored("SideWindow Width"), widthLimit);
        clock.Advance(5000);
        EXPECT_EQ(Page(), 2) << "a range error keeps the page";
        ClickTab(3);
    }

    // Text that is no number reads as 0; a number ends at its first other character.
    ClickTab(2);
    EXPECT_EQ(BoxColour(ui->Edit2), 0xFFFFFFu);
    TypeInto(ui->Edit2, "abc");
    ClickOk();
    EXPECT_EQ(Stored("SideWindow Width"), 0);
    ClickTab(2);
    TypeInto(ui->Edit2, "  +12px");
    ClickOk();
    EXPECT_EQ(Stored("SideWindow Width"), 12);

    // Only the height typed: the width is not read.
    ClickTab(2);
    TypeInto(ui->Edit3, QString::number(heightLimit));
    ClickOk();
    EXPECT_EQ(dialog->State().widthEntry, 0);
    EXPECT_EQ(dialog->State().heightEntry, heightLimit);
    EXPECT_EQ(Status(), "Modified Height stored in Registry");
    EXPECT_EQ(Stored("SideWindow Width"), 12);
    EXPECT_EQ(Stored("SideWindow Height"), heightLimit);
    ExpectAdvanceAfter(2000, 3);

    // A stored size beyond a later, smaller limit stays, and only shows yellow.
    form->resize(form->width() - 200, form->height());
    QCoreApplication::processEvents();
    ClickTab(2);
    EXPECT_EQ(BoxColour(ui->Edit2), 0xFFFFFFu);
    GameOf().settings.sideWindowWidth = form->Geometry().sideMaxWidth + 1;
    ClickTab(1);
    ClickTab(2);
    EXPECT_EQ(BoxColour(ui->Edit2), 0xFFFF00u);
}

// Coming back to a size box from outside its page enters the page first:
// both boxes white, the limits of now, then the box's own text.
TEST_F(PreferencesTest, EnteringTheWindowSizePageAgainClearsARangeError) {
    Open();
    ClickTab(2);
    TypeInto(ui->Edit2, QString::number(form->Geometry().sideMaxWidth + 1));
    ClickOk();
    ASSERT_EQ(BoxColour(ui->Edit2), 0xFFFF00u);
    form->resize(form->width() - 100, form->height());
    QCoreApplication::processEvents();
    QTest::mouseClick(ui->Edit2, Qt::LeftButton);
    EXPECT_EQ(BoxColour(ui->Edit2), 0xFFFFFFu);
    EXPECT_EQ(ui->Label6->text(), QString("Limit = %1").arg(form->Geometry().sideMaxWidth));
    EXPECT_EQ(ui->Edit2->text(), "0");
    EXPECT_EQ(Status(), "Edit or confirm side-window size.");
    EXPECT_EQ(dialog->State().advancePage, 0);

    // A move between the page's own boxes is no entry: what was typed stays.
    TypeInto(ui->Edit3, "77");
    QTest::mouseClick(ui->Edit2, Qt::LeftButton);
    EXPECT_EQ(ui->Edit3->text(), "77");
    EXPECT_TRUE(ui->Edit3->isModified());
}

TEST_F(PreferencesTest, PathBoxChecksTheFileWhenItLosesTheFocus) {
    Open();
    const std::string picture = WritePicture("side.bmp", Qt::red);
    ClickTab(1);
    QTest::mouseClick(ui->Edit1, Qt::LeftButton);
    EXPECT_EQ(Status(), "Edit or confirm side-window Bitmap location.");

    // Typing a valid path and clicking OK: stored as the box loses the focus.
    QTest::keyClicks(ui->Edit1, QString::fromStdString(picture));
    ClickOk();
    EXPECT_EQ(Status(), "Modified path name stored in Registry");
    EXPECT_EQ(StoredText("SWBmpPath"), picture);
    EXPECT_EQ(GameOf().shell.bitmapPathValid, 1);
    EXPECT_EQ(GameOf().settings.showPicture, 0) << "a valid path does not switch the picture on";
    ExpectAdvanceAfter(2000, 2);

    // Unmodified: 1.6 seconds.
    ClickTab(1);
    QTest::mouseClick(ui->Edit1, Qt::LeftButton);
    ClickOk();
    EXPECT_EQ(Status(), "No modification recorded.");
    ExpectAdvanceAfter(1600, 2);

    // A path that does not open, or names a folder, is refused and not stored.
    GameOf().settings.showPicture = 1;
    ui->CheckBox2->setChecked(true);
    const std::pair<QString, int> refused[] = {{directory.path() + "/missing.bmp", ENOENT}, {directory.path(), EISDIR}};
    for (const auto& [bad, error] : refused) {
        modal.messages.clear();
        ClickTab(1);
        TypeInto(ui->Edit1, bad);
        ClickOk();
        ASSERT_EQ(modal.messages.size(), 1u) << bad.toStdString();
        EXPECT_EQ(modal.messages[0].caption, " Bitmap Load Error");
        EXPECT_EQ(modal.messages[0].text, "Unable to load Bitmap from that path.\ncannot open \"" + bad.toStdString() +
                                              "\": " + std::strerror(error));
        EXPECT_EQ(modal.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(Status(), "Bitmap path name invalid. Selection checkbox cleared.");
        EXPECT_EQ(StoredText("SWBmpPath"), picture);
        EXPECT_EQ(GameOf().settings.bitmapPath, picture);
        EXPECT_EQ(GameOf().shell.bitmapPathValid, 0);
        EXPECT_EQ(GameOf().settings.showPicture, 0);
        EXPECT_FALSE(ui->CheckBox2->isChecked());
        clock.Advance(2000);
    }
}

TEST_F(PreferencesTest, SlidersStoreTheirDelaysAndOkOnPage4ReturnsToPage1) {
    Open();
    ClickTab(3);
    EXPECT_EQ(Status(), "Adjust sliders as necessary.");
    EXPECT_EQ(ui->TrackBar1->value(), 5);
    ClickOk();
    EXPECT_EQ(Status(), "Values left unchanged");
    ExpectAdvanceAfter(1000, 0);
    EXPECT_EQ(Status(), "Current setting of display options");

    ClickTab(3);
    QTest::keyClick(ui->TrackBar2, Qt::Key_Right);
    QTest::keyClick(ui->TrackBar1, Qt::Key_End);
    ClickOk();
    EXPECT_EQ(Status(), "New delay value recorded in Registry");
    EXPECT_EQ(Stored("Delay1 Slider"), 10);
    EXPECT_EQ(Stored("Delay2 Slider"), 6);
    EXPECT_EQ(GameOf().shell.tileLoadDelay, 120);
    EXPECT_EQ(GameOf().shell.autoPlayDelay, 300);
    ExpectAdvanceAfter(2000, 0);
}

TEST_F(PreferencesTest, PictureCheckedAtActivation) {
    // A picture that vanished since the last run: the option goes off, in memory only.
    WriteSettings(SettingsWith("00000001", "/no/such/picture.bmp"));
    Create();
    ASSERT_GE(modal.messages.size(), 1u);
    EXPECT_EQ(modal.messages[0].caption, " Bitmap Load Error");
    EXPECT_EQ(modal.messages[0].text, "Selection needs correct bitmap path name. See Bitmap Path Info page.\n"
                                      "cannot open \"/no/such/picture.bmp\": No such file or directory");
    EXPECT_EQ(PrefDlg1->StatusText(), "Current setting of display options.");
    EXPECT_FALSE(PrefDlg1->Controls().CheckBox2->isChecked());
    EXPECT_EQ(GameOf().settings.showPicture, 0);
    EXPECT_EQ(GameOf().shell.bitmapPathValid, 0);
    EXPECT_EQ(Stored("ShowPicture"), 1);

    // One that is there passes the check before the main window first paints.
    windows.Close();
    form = nullptr;
    modal.messages.clear();
    WriteSettings(SettingsWith("00000001", WritePicture("there.bmp", Qt::blue)));
    Create();
    form->show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(modal.messages.empty());
    EXPECT_TRUE(PrefDlg1->Controls().CheckBox2->isChecked());
    EXPECT_EQ(GameOf().shell.bitmapPathValid, 1);
    EXPECT_EQ(GameOf().settings.showPicture, 1);
}

// The player's own picture in the side window, while a game runs.
TEST_F(PreferencesTest, SideWindowShowsThePictureOrTheLoadError) {
    const std::string picture = WritePicture("side.bmp", QColor(200, 30, 40));
    const std::string text = directory.path().toStdString() + "/notes.bmp";
    std::ofstream(text) << "not a picture";
    WriteSettings(SettingsWith("00000000", picture));
    Create();
    StartUp();
    dialog = PrefDlg1;
    ui = &dialog->Controls();
    bool shown = false;
    clock.steps.push_back([&] {
        QTest::mouseClick(ui->CheckBox2, Qt::LeftButton, {}, QPoint(6, ui->CheckBox2->height() / 2));
        EXPECT_EQ(GameOf().shell.bitmapPathValid, 1);
        ClickOk();
        EXPECT_EQ(Stored("ShowPicture"), 1);
    });
    clock.steps.push_back([&] {
        // The game loop repainted the side window; its picture follows 300 ms later.
        const TableGeometry& geometry = form->Geometry();
        const QPoint inside(geometry.sideX + geometry.sideWidth / 2, 21 + geometry.sideHeight / 2);
        EXPECT_EQ(form->ClientPicture().pixel(inside) & 0xFFFFFF, kTableColour);
        clock.Advance(300);
        EXPECT_EQ(form->ClientPicture().pixel(inside) & 0xFFFFFF, 0xC81E28u);
        EXPECT_EQ(form->ClientPicture().pixel(geometry.sideX + geometry.sideWidth + 1, 30) & 0xFFFFFF, kTableColour);
        shown = true;

        // A file that opens but holds no picture: the side window's own message, nothing lost.
        GameOf().settings.bitmapPath = text;
        form->PaintSideWindow();
        ASSERT_FALSE(modal.messages.empty());
        EXPECT_EQ(modal.messages.back().caption, " Load Error");
        EXPECT_EQ(modal.messages.back().text,
                  "Unable to load side-window Bitmap.\ncannot load \"" + text + "\": not a picture");
        EXPECT_EQ(StoredText("SWBmpPath"), picture);
        GameOf().table.tableReady = 0;
    });
    clock.Advance(400);
    EXPECT_TRUE(shown);
}

// A file that opens but holds no picture, in the real box: one box for the
// file as it is, however often the side window is painted after a resize or
// a press; another for a new path and for the option ticked again.
TEST_F(PreferencesTest, UnloadablePictureGivesOneRealBoxAndPlayGoesOn) {
    const std::string text = directory.path().toStdString() + "/notes.txt";
    const std::string other = directory.path().toStdString() + "/other.txt";
    std::ofstream(text) << "not a picture";
    std::ofstream(other) << "nor this";
    WriteSettings(SettingsWith("00000001", text));
    QtModalService realModal;
    std::vector<std::string> shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr) shown.push_back((box->windowTitle() + "|" + box->text()).toStdString());
        // The results dialog of the game left behind at the end is closed too.
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->accept();
    });
    closer.start(1);
    windows = CreateForms({clock, realModal, settingsPath, QSize(1280, 1024), false});
    form = windows.form1.get();
    clock.onStuck = [this] { GameOf().table.tableReady = 0; };
    StartUp();
    const auto box = [](const std::string& path) {
        return " Load Error|Unable to load side-window Bitmap.\ncannot load \"" + path + "\": not a picture";
    };
    const auto press = [this] {
        QTest::mousePress(form->ClientArea(), Qt::LeftButton, Qt::NoModifier, QPoint(kTableLeft + 3, kTableTop + 3));
        QTest::mouseRelease(form->ClientArea(), Qt::LeftButton, Qt::NoModifier, QPoint(kTableLeft + 3, kTableTop + 3));
    };
    for (int i = 0; i < 3; ++i) {
        // Each step resizes the window and presses the table; the game loop's pass after it repaints the side window.
        clock.steps.push_back([&, i] {
            form->resize(form->width() - 10 * (i + 1), form->height());
            QCoreApplication::processEvents();
            press();
            form->FormPaint(true);
        });
    }
    clock.steps.push_back([&] {
        EXPECT_EQ(shown, std::vector<std::string>{box(text)});
        const TableGeometry& geometry = form->Geometry();
        clock.Advance(300);
        EXPECT_EQ(form->ClientPicture().pixel(geometry.sideX + geometry.sideWidth / 2, 21 + geometry.sideHeight / 2) &
                      0xFFFFFF,
                  kTableColour);

        GameOf().settings.bitmapPath = other;
        press();
        press();
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[1], box(other));

        // Off, then on again through the check box: told again.
        ui = &PrefDlg1->Controls();
        ui->CheckBox2->setChecked(false);
        ui->CheckBox2->setChecked(true);
        press();
        EXPECT_EQ(shown.size(), 3u);
        GameOf().table.tableReady = 0;
    });
    clock.Advance(400);
    EXPECT_TRUE(clock.steps.empty());
}

// The picture read at the side window's last arrangement is not kept once its
// file or its path changes: the next repaint shows the new one.
TEST_F(PreferencesTest, SideWindowShowsAChangedFileOrPathAtTheNextRepaint) {
    const std::string picture = WritePicture("side.bmp", QColor(200, 30, 40));
    WriteSettings(SettingsWith("00000001", picture));
    Create();
    StartUp();
    bool shown = false;
    clock.steps.push_back([&] {
        const TableGeometry& geometry = form->Geometry();
        const auto inside = [&] {
            return form->ClientPicture().pixel(geometry.sideX + geometry.sideWidth / 2, 21 + geometry.sideHeight / 2) &
                   0xFFFFFF;
        };
        clock.Advance(300);
        EXPECT_EQ(inside(), 0xC81E28u);

        // The player saves another picture under the same name, as a PNG.
        QImage replaced(60, 50, QImage::Format_RGB32);
        replaced.fill(QColor(10, 20, 250));
        ASSERT_TRUE(replaced.save(QString::fromStdString(picture), "PNG"));
        form->FormPaint(true);
        EXPECT_EQ(inside(), 0x0A14FAu);

        GameOf().settings.bitmapPath = WritePicture("other.bmp", QColor(0, 120, 0));
        form->FormPaint(true);
        EXPECT_EQ(inside(), 0x007800u);

        // A file that no longer loads leaves the table colour, and is told once.
        std::ofstream(GameOf().settings.bitmapPath) << "overwritten with text";
        form->FormPaint(true);
        EXPECT_EQ(inside(), kTableColour);
        EXPECT_TRUE(modal.messages.empty());
        form->PaintSideWindow();
        form->PaintSideWindow();
        ASSERT_EQ(modal.messages.size(), 1u);
        EXPECT_EQ(modal.messages[0].text, "Unable to load side-window Bitmap.\ncannot load \"" +
                                              GameOf().settings.bitmapPath + "\": not a picture");
        shown = true;
        GameOf().table.tableReady = 0;
    });
    clock.Advance(400);
    EXPECT_TRUE(shown);
}

TEST_F(PreferencesTest, GamePreferencesPlacesTheDialogBesideTheTable) {
    Open();
    dialog->hide();
    form->GamePref1Click();
    EXPECT_FALSE(dialog->isVisible()) << "nothing happens during start-up";
    GameOf().shell.startupPending = 0;
    form->GamePref1Click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->pos(), form->ClientOrigin() + QPoint(30, 29));
    EXPECT_EQ(ui->Label4->width(), 276);
    // The title bar's close button only hides it.
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(PrefDlg1, dialog);
}

TEST_F(PreferencesTest, RefusedWriteIsReportedInARealMessageBox) {
    QtModalService realModal;
    Open(&realModal);
    const QString shown = RefusedWriteReport([&] { ClickOk(); });
    // The store's text, then the file and the system's reason on the next line.
    EXPECT_TRUE(shown.startsWith("Failed to set data for 'TimeDisplay'\n")) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QString::fromStdString(settingsPath))) << shown.toStdString();
    EXPECT_EQ(Status(), "Not recorded: the settings file refused the change.");
    EXPECT_TRUE(dialog->isVisible());
}

// The box takes the activation away from the dialog; getting it back is not
// a new activation that would return to page 1.
TEST_F(PreferencesTest, BitmapErrorInARealMessageBoxKeepsThePage) {
    QtModalService realModal;
    Open(&realModal);
    ClickTab(1);
    QTest::mouseClick(ui->Edit1, Qt::LeftButton);
    QTest::keyClicks(ui->Edit1, "/no/such/file.bmp");
    QString caption;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            caption = box->windowTitle() + "|" + box->text();
            box->accept();
        }
    });
    ClickOk();
    QApplication::setActiveWindow(dialog);
    QCoreApplication::processEvents();
    EXPECT_EQ(caption, " Bitmap Load Error|Unable to load Bitmap from that path.\n"
                       "cannot open \"/no/such/file.bmp\": No such file or directory");
    EXPECT_EQ(Page(), 1);
    EXPECT_EQ(Status(), "Bitmap path name invalid. Selection checkbox cleared.");
    EXPECT_EQ(StoredText("SWBmpPath"), "");
}

// The box that the check at creation shows runs its own event loop, before
// the main window is even shown: the start-up's idle work must wait for it.
TEST_F(PreferencesTest, NoStartUpBehindTheBoxShownAtCreation) {
    WriteSettings(SettingsWith("00000001", "/no/such/picture.bmp"));
    QtModalService realModal;
    bool idleWorkRan = true;
    QString text;
    QTimer::singleShot(50, [&] {
        QCoreApplication::processEvents();
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            idleWorkRan = Form1->Graphics().library.Loaded() || Form1->Graphics().graphicsFailed;
            text = box->text();
            box->accept();
        }
    });
    windows = CreateForms({clock, realModal, settingsPath, QSize(1280, 1024), true});
    form = windows.form1.get();
    EXPECT_EQ(text, "Selection needs correct bitmap path name. See Bitmap Path Info page.\n"
                    "cannot open \"/no/such/picture.bmp\": No such file or directory");
    EXPECT_FALSE(idleWorkRan);
    EXPECT_FALSE(form->isVisible());
}

}  // namespace
}  // namespace jadeleaf::test
