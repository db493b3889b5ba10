// The Help menu's three windows and the main window's bounds, under the
// offscreen platform with the clock under the test's control.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <cmath>
#include <fstream>

#include "framework/TCCalendar.h"
#include "shell/Forms.h"
#include "shell/TAboutBox.h"
#include "shell/TCalendarForm.h"
#include "shell/TInfoForm.h"
#include "resources/ProgramArtImage.h"
#include "tests/ShellFixture.h"
#include "ui_TAboutBox.h"
#include "ui_TCalendarForm.h"
#include "ui_TInfoForm.h"

namespace jadeleaf::test {
namespace {

using HelpWindowsTest = ShellFixture;

QString AddressLine(Ui::AboutBox& ui) { return ui.RichEdit1->toPlainText(); }

QColor AddressColour(Ui::AboutBox& ui) {
    QTextCursor cursor(ui.RichEdit1->document());
    cursor.movePosition(QTextCursor::NextCharacter);
    return cursor.charFormat().foreground().color();
}

TEST_F(HelpWindowsTest, AboutBoxCopiesTheAddressAndConfirmsForTwoSeconds) {
    Create();
    form->show();
    Ui::AboutBox& ui = AboutBox->Controls();
    EXPECT_EQ(AddressLine(ui), kMakerAddress);
    EXPECT_FALSE(ui.ProgramIcon->pixmap().isNull());
    EXPECT_TRUE(ui.Memo1->toPlainText().contains("URL:   http://www.quarrow.example/demos/"));
    EXPECT_TRUE(ui.Memo1->toPlainText().contains("Studio E-mail address:   studio@quarrow.example"));

    bool opened = false;
    modal.onDialog = [&](QDialog& dialog) {
        EXPECT_EQ(dialog.pos(), form->ClientOrigin() + QPoint(30, 29));
        QApplication::clipboard()->setText("something else");
        QTest::mouseClick(ui.Button1, Qt::LeftButton);
        EXPECT_EQ(QApplication::clipboard()->text(), kMakerAddress);
        EXPECT_EQ(AddressLine(ui), kCopyConfirmation);
        EXPECT_EQ(AddressColour(ui), QColor(Qt::red));
        EXPECT_TRUE(ui.RichEdit1->isReadOnly());
        opened = true;
    };
    form->HelpAbout1Click();
    EXPECT_TRUE(opened);
    EXPECT_EQ(modal.Count("AboutBox"), 1);

    // Closed before the two seconds: the tick still restores the line.
    clock.Advance(1999);
    EXPECT_EQ(AddressLine(ui), kCopyConfirmation);
    clock.Advance(1);
    EXPECT_EQ(AddressLine(ui), kMakerAddress);
    EXPECT_EQ(AddressColour(ui), QColor(Qt::blue));
    EXPECT_FALSE(AboutBox->Timer1().Enabled());

    // A second copy, by a press on the address line, restarts nothing.
    modal.onDialog = [&](QDialog&) {
        QTest::mouseClick(ui.Button1, Qt::LeftButton);
        clock.Advance(1500);
        QApplication::clipboard()->clear();
        QTest::mouseClick(ui.RichEdit1->viewport(), Qt::MiddleButton);
        EXPECT_EQ(QApplication::clipboard()->text(), kMakerAddress);
        EXPECT_EQ(AddressLine(ui), kCopyConfirmation);
        clock.Advance(500);
        EXPECT_EQ(AddressLine(ui), kMakerAddress) << "the confirmation ends at the first copy's tick";
        // The notes take no paste, not even the middle button's.
        const QString notes = ui.Memo1->toPlainText();
        QTest::mouseClick(ui.Memo1->viewport(), Qt::MiddleButton);
        QTest::keyClick(ui.Memo1, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(ui.Memo1->toPlainText(), notes);
    };
    form->HelpAbout1Click();
}

TEST_F(HelpWindowsTest, QuickInformationTextFollowsTheWindowSize) {
    Create();
    Ui::InfoForm& info = InfoForm->Controls();
    bool opened = false;
    modal.onDialog = [&](QDialog& dialog) {
        EXPECT_EQ(dialog.size(), QSize(539, 479));
        EXPECT_EQ(info.Memo1->geometry(), QRect(9, 42, 513, 401));
        dialog.resize(700, 600);
        EXPECT_EQ(info.Memo1->geometry(), QRect(9, 42, 674, 522));
        dialog.resize(400, 300);
        EXPECT_EQ(info.Memo1->geometry(), QRect(9, 42, 374, 222));
        opened = true;
    };
    form->QuickInfo1Click();
    EXPECT_TRUE(opened);
}

TEST_F(HelpWindowsTest, QuickInformationAndCalendarRedrawTheGameWhenClosed) {
    Create();
    StartUp();
    Ui::InfoForm& info = InfoForm->Controls();
    const QStringList lines = info.Memo1->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 24);
    EXPECT_EQ(lines[0], " Overview:   MahJong is an ancient Chinese game that is traditionally played by");
    EXPECT_EQ(lines[4], QString(24, ' ') + "http://www.mahjong-online.example/nl/");
    EXPECT_EQ(lines[6], " The rules:    As you know, spiritual beings prefer to follow the original roar that ");
    EXPECT_TRUE(lines[21].isEmpty());
    EXPECT_TRUE(info.Memo1->isReadOnly());
    EXPECT_FALSE(info.Image1->pixmap().isNull());

    bool checked = false;
    clock.steps.push_back([&] {
        ASSERT_EQ(GameOf().table.tableReady, 1);
        form->ClientArea()->findChild<QWidget*>("Panel1")->hide();
        form->ClientArea()->findChild<QWidget*>("Panel2")->hide();
        QImage blank = form->ClientPicture();
        modal.onDialog = [&](QDialog& dialog) {
            const QPoint expected = form->ClientOrigin() + (dialog.objectName() == "InfoForm" ? QPoint(21, 20)
                                                                                             : QPoint(30, 29));
            EXPECT_EQ(dialog.pos(), expected) << dialog.objectName().toStdString();
            const_cast<QImage&>(form->ClientPicture()).fill(Qt::black);
        };
        form->QuickInfo1Click();
        EXPECT_TRUE(form->ClientArea()->findChild<QWidget*>("Panel1")->isVisibleTo(form));
        EXPECT_TRUE(form->ClientArea()->findChild<QWidget*>("Panel2")->isVisibleTo(form));
        EXPECT_EQ(form->ClientPicture().pixel(kTableLeft + 2, kTableTop + 2) & 0xFFFFFF, kFrameGreen)
            << "the table is copied back";
        form->ShowDate1Click();
        EXPECT_EQ(form->ClientPicture().pixel(kTableLeft + 2, kTableTop + 2) & 0xFFFFFF, kFrameGreen);
        EXPECT_EQ(modal.Count("InfoForm"), 1);
        EXPECT_EQ(modal.Count("CalendarForm"), 1);
        checked = true;
        GameOf().table.tableReady = 0;
    });
    clock.Advance(400);
    EXPECT_TRUE(checked);
}

// The grid's text in row r, columns 0-6, with "." for an empty cell.
std::string Row(const TCCalendar& calendar, int row) {
    std::string text;
    for (int column = 0; column < 7; ++column) {
        const QString cell = calendar.item(row, column)->text();
        text += (cell.isEmpty() ? QString(".") : cell).toStdString() + (column < 6 ? " " : "");
    }
    return text;
}

int DayCells(const TCCalendar& calendar) {
    int days = 0;
    for (int row = 1; row < 7; ++row) {
        for (int column = 0; column < 7; ++column) days += calendar.item(row, column)->text().isEmpty() ? 0 : 1;
    }
    return days;
}

TEST(Calendar, MonthGridFromMondayWithTheDaySelected) {
    TCCalendar calendar;
    calendar.resize(320, 120);
    calendar.show();
    EXPECT_EQ(calendar.Date(), QDate::currentDate());
    const QLocale locale;
    for (int column = 0; column < 7; ++column) {
        EXPECT_EQ(calendar.item(0, column)->text(), locale.dayName(column + 1, QLocale::ShortFormat));
    }
    EXPECT_EQ(calendar.columnWidth(0), (320 - 6) / 7);
    EXPECT_EQ(calendar.rowHeight(0), (120 - 6) / 7);

    // June 2025 begins on a Sunday: the 1 stands in the last column of row 1.
    calendar.SetDate(QDate(2025, 6, 15));
    EXPECT_EQ(Row(calendar, 1), ". . . . . . 1");
    EXPECT_EQ(Row(calendar, 6), "30 . . . . . .");
    // September 2025 begins on a Monday: the first column.
    calendar.SetDate(QDate(2025, 9, 1));
    EXPECT_EQ(Row(calendar, 1), "1 2 3 4 5 6 7");
    EXPECT_EQ(Row(calendar, 5), "29 30 . . . . .");
    ASSERT_EQ(calendar.selectedItems().size(), 1);
    EXPECT_EQ(calendar.selectedItems()[0]->text(), "1");

    calendar.SetDate(QDate(1900, 2, 10));
    EXPECT_EQ(DayCells(calendar), 28);
    EXPECT_EQ(Row(calendar, 1), ". . . 1 2 3 4") << "the 1st of February 1900 was a Thursday";
    calendar.SetDate(QDate(2000, 2, 29));
    EXPECT_EQ(DayCells(calendar), 29);
    EXPECT_EQ(calendar.selectedItems()[0]->text(), "29");
    calendar.SetDate(QDate(2004, 2, 1));
    EXPECT_EQ(DayCells(calendar), 29);
    EXPECT_EQ(TCCalendar::MonthOffset(1, 1), -5);
    EXPECT_EQ(TCCalendar::MonthOffset(2, 1), 1);

    calendar.SetStartOfWeek(9);
    EXPECT_EQ(calendar.StartOfWeek(), 1);
    calendar.SetStartOfWeek(7);
    EXPECT_EQ(calendar.item(0, 0)->text(), locale.dayName(7, QLocale::ShortFormat));
}

TEST(Calendar, EmptyCellsAndTheHeadingCannotBeSelected) {
    TCCalendar calendar;
    calendar.resize(320, 120);
    calendar.SetDate(QDate(2025, 6, 15));
    calendar.show();
    int changes = 0;
    calendar.onChange = [&] { ++changes; };
    const auto click = [&](int row, int column) {
        const QRect cell = calendar.visualRect(calendar.model()->index(row, column));
        QTest::mouseClick(calendar.viewport(), Qt::LeftButton, {}, cell.center());
    };
    click(1, 0);
    click(0, 3);
    EXPECT_EQ(calendar.Date(), QDate(2025, 6, 15));
    EXPECT_EQ(calendar.selectedItems()[0]->text(), "15");
    EXPECT_EQ(changes, 0);
    click(2, 4);
    EXPECT_EQ(calendar.Date(), QDate(2025, 6, 6));
    EXPECT_EQ(changes, 1);
    // The 1st is in row 1; up from it is the heading, left of it an empty cell.
    click(1, 6);
    QTest::keyClick(&calendar, Qt::Key_Up);
    QTest::keyClick(&calendar, Qt::Key_Left);
    EXPECT_EQ(calendar.Date(), QDate(2025, 6, 1));
    EXPECT_EQ(calendar.selectedItems()[0]->text(), "1");
    QTest::keyClick(&calendar, Qt::Key_Down);
    EXPECT_EQ(calendar.Date(), QDate(2025, 6, 8));
}

TEST(Calendar, ScreenReaderReadsEveryCell) {
    TCCalendar calendar;
    calendar.SetDate(QDate(2025, 9, 3));
    calendar.show();
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(&calendar);
    ASSERT_NE(grid, nullptr);
    QAccessibleTableInterface* table = grid->tableInterface();
    ASSERT_NE(table, nullptr);
    QAccessibleInterface* heading = table->cellAt(0, 0);
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->text(QAccessible::Name), QLocale().dayName(1, QLocale::ShortFormat));
    QAccessibleInterface* day = table->cellAt(1, 2);
    ASSERT_NE(day, nullptr);
    EXPECT_EQ(day->role(), QAccessible::Cell);
    EXPECT_EQ(day->text(QAccessible::Name), "3");
    EXPECT_TRUE(day->state().selected);
    EXPECT_FALSE(table->cellAt(1, 3)->state().selected);
}

// The form description's bounds and stored ones apply as they stand; the
// status panels never widen the window.
TEST_F(HelpWindowsTest, MainWindowBoundsOnAnSmallScreenAndFromStoredWidths) {
    Create(QSize(800, 600));
    form->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(form->size(), QSize(798, 598)) << "the first start covers the screen less two pixels";
    EXPECT_LE(form->minimumSizeHint().width(), 575);
    windows.Close();

    const auto start = [&](const char* width, const char* state) {
        QDir().mkpath(QFileInfo(QString::fromStdString(settingsPath)).path());
        std::ofstream(settingsPath, std::ios::binary)
            << "Windows Registry Editor Version 5.00\r\n\r\n"
               "[HKEY_CURRENT_USER\\Software\\Projects\\Jadeleaf1.1_R6]\r\n"
               "\"TimeDisplay\"=dword:00000001\r\n\"InfoDisplay\"=dword:00000001\r\n"
               "\"Show Messages\"=dword:00000001\r\n\"Assistance\"=dword:00000001\r\n"
               "\"ShowPicture\"=dword:00000000\r\n\"SideWindow Width\"=dword:00000000\r\n"
               "\"SideWindow Height\"=dword:00000000\r\n\"Delay1 Slider\"=dword:00000005\r\n"
               "\"Delay2 Slider\"=dword:00000005\r\n\"Form Top\"=dword:00000020\r\n"
               "\"Form Left\"=dword:00000030\r\n\"Form Width\"=dword:" << width << "\r\n"
               "\"Form Height\"=dword:00000190\r\n\"Form State\"=dword:" << state << "\r\n";
        Create(QSize(800, 600));
        form->show();
        QCoreApplication::processEvents();
    };
    start("000001f4", "00000001");
    EXPECT_EQ(form->width(), 500) << "a stored narrow width stays as stored";
    EXPECT_EQ(form->height(), 400);
    windows.Close();

    start("000001f4", "00000000");
    EXPECT_EQ(form->size(), QSize(575, 428)) << "the form description's bounds, widened to the table";
    EXPECT_EQ(form->pos(), QPoint(303, 114));
}

// Run at the screen's own ratio and again with QT_SCALE_FACTOR=2: at 1 the pictures are the
// small ones pixel for pixel; on a denser screen they are drawn for it, at the same size.
TEST_F(HelpWindowsTest, ProgramPicturesAreDrawnForTheScreensPixelRatio) {
    Create();
    const qreal ratio = AboutBox->devicePixelRatioF();
    const struct {
        QPixmap shown;
        ArtBlob blob;
    } pictures[] = {
        {AboutBox->Controls().ProgramIcon->pixmap(), EmblemBitmap()},
        {InfoForm->Controls().Image1->pixmap(), QuickInfoTitleBitmap()},
    };
    for (const auto& [shown, blob] : pictures) {
        const QImage small = ArtImage(blob);
        EXPECT_EQ(shown.deviceIndependentSize(), QSizeF(small.size()));
        EXPECT_EQ(shown.devicePixelRatio(), ratio > 1.0 ? std::ceil(ratio) : 1.0);
        if (ratio == 1.0) {
            EXPECT_EQ(shown.toImage().convertToFormat(QImage::Format_RGB32), small.convertToFormat(QImage::Format_RGB32));
        }
    }
}

}  // namespace
}  // namespace jadeleaf::test
