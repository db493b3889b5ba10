// The seven window descriptions, compiled by uic and set up on real widgets under the offscreen platform.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QToolButton>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/TCCalendar.h"
#include "ui_TAboutBox.h"
#include "ui_TCalendarForm.h"
#include "ui_TEndDlg1.h"
#include "ui_TForm1.h"
#include "ui_TInfoForm.h"
#include "ui_TPrefDlg1.h"
#include "ui_TResDlg1.h"

namespace {

// The application exists only while tests run, so that listing the tests needs no display.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { application.reset(); }

private:
    int argc = 1;
    char name[12] = "forms_tests";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> application;
};

[[maybe_unused]] const auto* const qtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

template <typename Form, typename Window = QDialog>
struct Built {
    Window window;
    Form ui;
    Built() {
        ui.setupUi(&window);
        // Style sheets give the fonts and colours; they apply only once a widget is polished.
        window.ensurePolished();
    }
};

std::string Text(const QString& text) { return text.toStdString(); }

std::vector<std::string> Lines(const QPlainTextEdit* memo) {
    std::vector<std::string> lines;
    for (const QString& line : memo->toPlainText().split(u'\n')) lines.push_back(Text(line));
    return lines;
}

// The widget the user would reach at a point, which tells which of two overlapping controls is on top.
bool IsOnTopAt(QWidget& window, QWidget* control, QPoint pointInControl) {
    QWidget* hit = window.childAt(control->mapTo(&window, pointInControl));
    return hit == control || control->isAncestorOf(hit);
}

QColor PixelOf(QWidget* widget, QPoint at) { return widget->grab().toImage().pixelColor(at); }

bool ContainsColour(const QImage& image, QColor colour) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour) return true;
    return false;
}

void ExpectFont(const QWidget* widget, const char* family, int pixels) {
    EXPECT_EQ(Text(widget->font().family()), family) << Text(widget->objectName());
    EXPECT_EQ(widget->font().pixelSize(), pixels) << Text(widget->objectName());
}

// ---------------------------------------------------------------- the main window

TEST(MainWindowForm, TitleSizeAndPlacementOfTheDescription) {
    Built<Ui::Form1, QMainWindow> form;
    EXPECT_EQ(Text(form.window.objectName()), "Form1");
    EXPECT_EQ(Text(form.window.windowTitle()), " Jadeleaf - Velora Edition, V1.1");
    EXPECT_EQ(form.window.size(), QSize(553, 428));
    // uic drops a window's own position, so the description keeps it where the code can read it.
    EXPECT_EQ(form.window.property("designPosition").toPoint(), QPoint(303, 114));
    EXPECT_EQ(form.window.centralWidget(), form.ui.ClientArea);
    EXPECT_EQ(form.window.statusBar(), form.ui.StatusBar1);
    EXPECT_EQ(form.window.menuBar(), form.ui.MainMenu1);
    ExpectFont(form.ui.StaticText1, "MS Sans Serif", 13);
}

TEST(MainWindowForm, MessageLineAndScoreBoxStartAsDescribed) {
    Built<Ui::Form1, QMainWindow> form;
    const Ui::Form1& ui = form.ui;
    EXPECT_TRUE(ui.Panel1->isHidden());
    EXPECT_TRUE(ui.Label1->isHidden());
    // The label is hidden in its own right: showing the panel alone must not show the message.
    ui.Panel1->show();
    EXPECT_FALSE(ui.Label1->isVisibleTo(ui.Panel1));
    EXPECT_FALSE(ui.Panel2->isHidden());
    EXPECT_FALSE(ui.ViewBtn1->isHidden());

    EXPECT_EQ(ui.Panel1->size(), QSize(396, 32));
    EXPECT_EQ(ui.Panel1->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(ui.Label1->parentWidget(), ui.Panel1);
    EXPECT_EQ(ui.Label1->geometry(), QRect(8, 8, 380, 18));
    EXPECT_EQ(Text(ui.Label1->text()), "Preparing for a new game.");
    ExpectFont(ui.Label1, "MS Sans Serif", 15);

    EXPECT_EQ(ui.Panel2->size(), QSize(97, 32));
    EXPECT_EQ(ui.StaticText1->parentWidget(), ui.Panel2);
    EXPECT_EQ(ui.StaticText2->parentWidget(), ui.Panel2);
    EXPECT_EQ(Text(ui.StaticText1->text()), "Score: ");
    EXPECT_EQ(Text(ui.StaticText2->text()), " 144 ");
    EXPECT_EQ(ui.StaticText2->size(), QSize(28, 18));

    EXPECT_EQ(ui.ViewBtn1->parentWidget(), ui.ClientArea);
    EXPECT_EQ(ui.ViewBtn1->size(), QSize(26, 22));
    EXPECT_EQ(Text(ui.ViewBtn1->toolTip()), "Information button ");
    EXPECT_EQ(Text(ui.ViewBtn1->statusTip()), "Information button ");
    EXPECT_TRUE(ui.ViewBtn1->icon().isNull());
}

TEST(MainWindowForm, TableGreenAndLimeScoreReachThePixels) {
    Built<Ui::Form1, QMainWindow> form;
    const QColor tableGreen(0x00, 0x99, 0x00);
    EXPECT_EQ(PixelOf(form.ui.ClientArea, QPoint(200, 200)), tableGreen);
    const QImage score = form.ui.StaticText2->grab().toImage();
    EXPECT_EQ(score.pixelColor(0, 0), tableGreen);
    EXPECT_TRUE(ContainsColour(score, QColor(0x00, 0xFF, 0x00)));
}

struct MenuRow {
    const char* menu;
    const char* title;
    const char* hint;
    std::vector<const char*> items; // "-" stands for a separator
};

struct ItemRow {
    const char* name;
    const char* caption;
    const char* hint;
};

TEST(MainWindowForm, MenusInOrderWithHintsAndDisabledAtStart) {
    Built<Ui::Form1, QMainWindow> form;
    const std::vector<MenuRow> menus = {
        {"GameMenu1", "&Game", "main menu",
         {"NewGame1", "FinishGame1", "AutoPlay1", "-", "GamePref1", "-", "GameExit1"}},
        {"ViewMenu1", "&View", "View menu", {"TileMode", "DimensionMode"}},
        {"HelpMenu1", "&Help", "Help menu", {"HelpAbout1", "QuickInfo1", "HelpDate1"}},
    };
    const QList<QAction*> bar = form.ui.MainMenu1->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(menus.size()));
    for (std::size_t i = 0; i < menus.size(); ++i) {
        const MenuRow& row = menus[i];
        const auto* menu = form.window.findChild<QMenu*>(row.menu);
        ASSERT_NE(menu, nullptr) << row.menu;
        EXPECT_EQ(bar[static_cast<qsizetype>(i)], menu->menuAction()) << row.menu;
        EXPECT_EQ(Text(menu->title()), row.title);
        EXPECT_EQ(Text(menu->statusTip()), row.hint);
        EXPECT_FALSE(menu->menuAction()->isEnabled()) << row.menu;

        std::vector<std::string> items;
        for (const QAction* action : menu->actions())
            items.push_back(action->isSeparator() ? "-" : Text(action->objectName()));
        EXPECT_EQ(items, std::vector<std::string>(row.items.begin(), row.items.end())) << row.menu;
    }
}

TEST(MainWindowForm, MenuItemsCarryCaptionAndHintExactly) {
    Built<Ui::Form1, QMainWindow> form;
    const std::vector<ItemRow> items = {
        {"NewGame1", "&New game", "Start a new game"},
        {"FinishGame1", "&Finish game", "Finish current game"},
        {"AutoPlay1", "&Automatic Play", "Let this game run automatically"},
        {"GamePref1", "&Preferences", "Choose from the options offered"},
        {"GameExit1", "E&xit", "Close application window, exit."},
        {"TileMode", "&Set of Tiles", "Displays set of MahJong tiles"},
        {"DimensionMode", "&Dimensions", "Shows actual Window dimensions"},
        {"HelpAbout1", "&About this Game", "Displays application info"},
        {"QuickInfo1", "&Quick Information", "Displays info page"},
        {"HelpDate1", "Show &Date", "Displays a calendar"},
    };
    for (const ItemRow& row : items) {
        const auto* action = form.window.findChild<QAction*>(row.name);
        ASSERT_NE(action, nullptr) << row.name;
        EXPECT_EQ(Text(action->text()), row.caption);
        EXPECT_EQ(Text(action->statusTip()), row.hint) << row.name;
        EXPECT_EQ(Text(action->toolTip()), row.hint) << row.name;
        // No item carries a check mark: the Dimensions item is never checked.
        EXPECT_FALSE(action->isCheckable()) << row.name;
    }
}

// ---------------------------------------------------------------- what the dialogs share

struct DialogRow {
    const char* name;
    std::function<std::unique_ptr<QDialog>()> make;
    const char* caption;
    QSize client;
    bool fixed;
};

template <typename Form>
std::unique_ptr<QDialog> MakeDialog() {
    auto dialog = std::make_unique<QDialog>();
    Form ui;
    ui.setupUi(dialog.get());
    return dialog;
}

std::vector<DialogRow> Dialogs() {
    return {
        {"CalendarForm", MakeDialog<Ui::CalendarForm>, " A Calendar, for your convenience", {410, 252}, true},
        {"AboutBox", MakeDialog<Ui::AboutBox>, " About this Game ", {438, 418}, true},
        {"PrefDlg1", MakeDialog<Ui::PrefDlg1>, " Environment Preferences", {434, 276}, true},
        {"ResDlg1", MakeDialog<Ui::ResDlg1>, " Game Results", {510, 297}, true},
        {"InfoForm", MakeDialog<Ui::InfoForm>, " Quick Info", {539, 479}, false},
        {"EndDlg1", MakeDialog<Ui::EndDlg1>, " Game Control", {225, 78}, true},
    };
}

TEST(DialogForms, CaptionsAndClientSizes) {
    for (const DialogRow& row : Dialogs()) {
        const auto dialog = row.make();
        EXPECT_EQ(Text(dialog->objectName()), row.name);
        EXPECT_EQ(Text(dialog->windowTitle()), row.caption) << row.name;
        EXPECT_EQ(dialog->size(), row.client) << row.name;
        if (row.fixed) {
            EXPECT_EQ(dialog->minimumSize(), row.client) << row.name;
            EXPECT_EQ(dialog->maximumSize(), row.client) << row.name;
        } else {
            EXPECT_NE(dialog->minimumSize(), dialog->maximumSize()) << row.name << " must stay resizable";
        }
    }
}

TEST(DialogForms, OkButtonsCloseWithTheOkResult) {
    const std::vector<std::pair<const char*, const char*>> okButtons = {
        {"CalendarForm", "BitBtn1"}, {"AboutBox", "BitBtn1"}, {"ResDlg1", "Button1"},
        {"InfoForm", "BitBtn1"},     {"EndDlg1", "Button1"},
    };
    for (const DialogRow& row : Dialogs()) {
        const auto dialog = row.make();
        dialog->show();
        if (std::string(row.name) == "PrefDlg1") {
            // Its OK records the page on display; the dialog stays open.
            dialog->findChild<QPushButton*>("Button1")->click();
            EXPECT_TRUE(dialog->isVisible());
            continue;
        }
        const char* buttonName = nullptr;
        for (const auto& [form, button] : okButtons)
            if (std::string(form) == row.name) buttonName = button;
        ASSERT_NE(buttonName, nullptr) << row.name;
        auto* button = dialog->findChild<QPushButton*>(buttonName);
        ASSERT_NE(button, nullptr) << row.name;
        EXPECT_EQ(Text(button->text()), "OK") << row.name;
        EXPECT_TRUE(button->isDefault()) << row.name;
        button->click();
        EXPECT_FALSE(dialog->isVisible()) << row.name;
        EXPECT_EQ(dialog->result(), QDialog::Accepted) << row.name;
    }
}

// Every control the program reaches by name, with the kind the code expects to find.
TEST(DialogForms, EveryControlTheCodeLooksUpExists) {
    const std::vector<std::pair<const char*, std::vector<std::pair<const char*, const char*>>>> controls = {
        {"CalendarForm", {{"Calendar1", "QTableWidget"}, {"BitBtn1", "QPushButton"}}},
        {"AboutBox",
         {{"Panel1", "QFrame"}, {"ProgramIcon", "QLabel"}, {"ProductName", "QLabel"}, {"Version", "QLabel"},
          {"Label1", "QLabel"}, {"Label3", "QLabel"}, {"RichEdit1", "QTextEdit"}, {"Button1", "QPushButton"},
          {"Memo1", "QPlainTextEdit"}, {"BitBtn1", "QPushButton"}}},
        {"PrefDlg1",
         {{"PageControl1", "QTabWidget"}, {"TabSheet1", "QWidget"}, {"TabSheet2", "QWidget"},
          {"TabSheet3", "QWidget"}, {"TabSheet4", "QWidget"}, {"CheckBox1", "QCheckBox"},
          {"CheckBox2", "QCheckBox"}, {"CheckBox3", "QCheckBox"}, {"CheckBox4", "QCheckBox"},
          {"Edit1", "QLineEdit"}, {"Edit2", "QLineEdit"}, {"Edit3", "QLineEdit"}, {"Label4", "QLabel"},
          {"Label6", "QLabel"}, {"Label7", "QLabel"}, {"TrackBar1", "QSlider"}, {"TrackBar2", "QSlider"},
          {"Button1", "QPushButton"}, {"StatusBar1", "QStatusBar"}}},
        {"ResDlg1",
         {{"Panel1", "QFrame"}, {"GroupBox1", "QGroupBox"}, {"Label1", "QLabel"}, {"Label2", "QLabel"},
          {"BitBtn1", "QPushButton"}, {"GroupBox3", "QGroupBox"}, {"Memo1", "QPlainTextEdit"},
          {"CheckBox1", "QCheckBox"}, {"Button1", "QPushButton"}}},
        {"InfoForm", {{"Image1", "QLabel"}, {"BitBtn1", "QPushButton"}, {"Memo1", "QPlainTextEdit"}}},
        {"EndDlg1", {{"Label1", "QLabel"}, {"Button1", "QPushButton"}}},
    };
    const std::vector<DialogRow> dialogs = Dialogs();
    for (const auto& [form, names] : controls) {
        const auto row = std::find_if(dialogs.begin(), dialogs.end(),
                                      [&](const DialogRow& d) { return std::string(d.name) == form; });
        ASSERT_NE(row, dialogs.end()) << form;
        const auto dialog = row->make();
        for (const auto& [name, kind] : names) {
            const QObject* control = dialog->findChild<QObject*>(name);
            ASSERT_NE(control, nullptr) << form << "." << name;
            EXPECT_TRUE(control->inherits(kind)) << form << "." << name << " is not a " << kind;
        }
    }

    Built<Ui::Form1, QMainWindow> main;
    for (const char* name : {"ClientArea", "StatusBar1", "MainMenu1", "Panel1", "Label1", "Panel2", "StaticText1",
                             "StaticText2", "ViewBtn1"})
        EXPECT_NE(main.window.findChild<QWidget*>(name), nullptr) << "Form1." << name;
}

// ---------------------------------------------------------------- the preferences dialog

TEST(PreferencesForm, PagesInOrderWithTheirTabTexts) {
    Built<Ui::PrefDlg1> form;
    const QTabWidget* pages = form.ui.PageControl1;
    ASSERT_EQ(pages->count(), 4);
    const char* titles[] = {" Display Options   ", "Bitmap Path Info   ", "Window Size   ", "Time Delays"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Text(pages->widget(i)->objectName()), "TabSheet" + std::to_string(i + 1));
        EXPECT_EQ(Text(pages->tabText(i)), titles[i]);
    }
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(pages->geometry(), QRect(0, 0, 433, 289));
    EXPECT_EQ(Text(form.window.statusTip()), "Offers various options");
}

TEST(PreferencesForm, TextsKeepTheirBlanks) {
    Built<Ui::PrefDlg1> form;
    const Ui::PrefDlg1& ui = form.ui;
    EXPECT_EQ(Text(ui.CheckBox1->text()), "Display actual Playing Time.");
    EXPECT_EQ(Text(ui.CheckBox3->text()), "Display additional Information and Hints. ");
    EXPECT_EQ(Text(ui.CheckBox4->text()), "Provide assistance, regarding \"sure bets\". ");
    EXPECT_EQ(Text(ui.CheckBox2->text()), "Show optional Picture in side window");
    EXPECT_EQ(Text(ui.Label1->text()), "Bitmap Path and File Name Info:      ");
    EXPECT_EQ(Text(ui.Edit1->text()), "undefined");
    EXPECT_EQ(Text(ui.Label2->text()), "Example: D:\\Images\\bmp\\sw01.bmp");
    EXPECT_EQ(Text(ui.Label3->text()), "Picture  Dimension required for side window:");
    EXPECT_EQ(Text(ui.Label4->text()), " Picture Width = ......,   Height = .....  pixels        ");
    EXPECT_EQ(Text(ui.Label5->text()), "Note: That size can be overuled on the next page. ");
    EXPECT_EQ(Text(ui.Label8->text()), "Size Adjustment for Side Window   ");
    EXPECT_EQ(Text(ui.Edit2->text()), "0");
    EXPECT_EQ(Text(ui.Edit3->text()), "0");
    EXPECT_EQ(Text(ui.Label6->text()), "Limit = 000");
    EXPECT_EQ(Text(ui.Label7->text()), "Limit = 000     ");
    EXPECT_EQ(Text(ui.Label12->text()), "Time Delay during initial Tile Load operation:    ");
    EXPECT_EQ(Text(ui.Label15->text()), "Time Delay during Auto Play:          ");
    EXPECT_EQ(Text(ui.Label16->text()), "short");
    EXPECT_EQ(Text(ui.Label17->text()), "long");
    EXPECT_EQ(Text(ui.Button1->text()), "OK");
}

TEST(PreferencesForm, ControlsSitOnTheirPagesWhereDescribed) {
    Built<Ui::PrefDlg1> form;
    const Ui::PrefDlg1& ui = form.ui;
    EXPECT_EQ(ui.GroupBox1->parentWidget(), ui.TabSheet1);
    EXPECT_EQ(ui.GroupBox1->geometry(), QRect(32, 8, 353, 113));
    EXPECT_EQ(ui.CheckBox1->parentWidget(), ui.GroupBox1);
    EXPECT_EQ(ui.CheckBox4->geometry(), QRect(16, 80, 281, 17));
    // The picture option lies over its own group box, not inside it.
    EXPECT_EQ(ui.CheckBox2->parentWidget(), ui.TabSheet1);
    EXPECT_EQ(ui.CheckBox2->geometry(), QRect(48, 144, 265, 17));
    EXPECT_EQ(ui.Edit1->parentWidget(), ui.TabSheet2);
    EXPECT_EQ(ui.Edit1->geometry(), QRect(64, 40, 281, 24));
    EXPECT_EQ(ui.Edit3->parentWidget(), ui.TabSheet3);
    EXPECT_EQ(ui.Edit3->geometry(), QRect(216, 96, 56, 24));
    EXPECT_EQ(ui.TrackBar2->parentWidget(), ui.TabSheet4);
    EXPECT_EQ(ui.TrackBar2->geometry(), QRect(32, 144, 150, 45));

    EXPECT_EQ(ui.Button1->geometry(), QRect(186, 217, 61, 24));
    EXPECT_TRUE(ui.Button1->isDefault());
    EXPECT_EQ(ui.StatusBar1->geometry(), QRect(0, 254, 434, 22));
    // The page control reaches below the dialog; the button and the status line must stay above it.
    EXPECT_TRUE(IsOnTopAt(form.window, ui.Button1, QPoint(30, 12)));
    EXPECT_TRUE(IsOnTopAt(form.window, ui.StatusBar1, QPoint(200, 10)));
}

TEST(PreferencesForm, SlidersAndFonts) {
    Built<Ui::PrefDlg1> form;
    for (const QSlider* slider : {form.ui.TrackBar1, form.ui.TrackBar2}) {
        EXPECT_EQ(slider->orientation(), Qt::Horizontal);
        EXPECT_EQ(slider->minimum(), 1);
        EXPECT_EQ(slider->maximum(), 10);
        EXPECT_EQ(slider->tickInterval(), 1);
        EXPECT_EQ(slider->tickPosition(), QSlider::TicksBelow);
    }
    ExpectFont(form.ui.PageControl1->tabBar(), "MS Sans Serif", 10);
    ExpectFont(form.ui.Label5, "MS Sans Serif", 10);
    ExpectFont(form.ui.Label11, "MS Sans Serif", 10);
    ExpectFont(form.ui.Label4, "MS Sans Serif", 13);
    ExpectFont(form.ui.CheckBox1, "MS Sans Serif", 13);
    EXPECT_EQ(PixelOf(form.ui.Label4, QPoint(250, 8)), QColor(Qt::white));
}

// ---------------------------------------------------------------- the results and no-move dialogs

TEST(ResultsForm, DesignTextsFontsAndStacking) {
    Built<Ui::ResDlg1> form;
    const Ui::ResDlg1& ui = form.ui;
    EXPECT_EQ(Text(ui.GroupBox1->title()), " Result achieved ");
    EXPECT_EQ(Text(ui.GroupBox3->title()), " Message from the spiritual Control Center ");
    EXPECT_EQ(Text(ui.Label1->text()), "100 Percent  ");
    EXPECT_EQ(Text(ui.Label2->text()), "From zero to perfection. A long way to go!        ");
    ExpectFont(ui.Label1, "MS Sans Serif", 20);
    ExpectFont(ui.Label2, "MS Sans Serif", 15);
    EXPECT_EQ(ui.Label1->parentWidget(), ui.GroupBox1);
    EXPECT_EQ(ui.GroupBox1->parentWidget(), ui.Panel1);
    EXPECT_EQ(ui.Memo1->parentWidget(), ui.GroupBox3);
    EXPECT_EQ(ui.Memo1->geometry(), QRect(16, 24, 449, 43));

    EXPECT_EQ(ui.BitBtn1->geometry(), QRect(360, 16, 137, 129));
    EXPECT_TRUE(ui.BitBtn1->text().isEmpty());
    EXPECT_EQ(Text(ui.CheckBox1->text()), "enabled");
    EXPECT_EQ(ui.CheckBox1->geometry(), QRect(392, 152, 78, 17));
    // The check box sits on the group box's top edge and must take the clicks there.
    EXPECT_TRUE(IsOnTopAt(form.window, ui.CheckBox1, QPoint(6, 8)));
    EXPECT_EQ(ui.Button1->geometry(), QRect(222, 258, 66, 25));
}

TEST(EndForm, MessageKeepsItsTrailingBlank) {
    Built<Ui::EndDlg1> form;
    EXPECT_EQ(Text(form.ui.Label1->text()), "No move left. Game finished. ");
    EXPECT_EQ(form.ui.Label1->pos(), QPoint(24, 8));
    EXPECT_EQ(form.ui.Button1->geometry(), QRect(82, 40, 60, 25));
}

// ---------------------------------------------------------------- the Help windows

TEST(AboutForm, LinesOfThePanel) {
    Built<Ui::AboutBox> form;
    const Ui::AboutBox& ui = form.ui;
    EXPECT_EQ(ui.Panel1->geometry(), QRect(9, -1, 424, 410));
    EXPECT_EQ(Text(ui.ProductName->text()), "Jadeleaf - Velora Edition");
    EXPECT_EQ(Text(ui.Version->text()), "Version 1.1,   Release Number 6  ");
    EXPECT_EQ(Text(ui.Label1->text()), "Created for enjoyment and study by  ");
    EXPECT_EQ(Text(ui.Label3->text()), " Quarrow Studio, Brackenford ");
    EXPECT_EQ(ui.Label3->geometry().topLeft(), QPoint(153, 83));
    EXPECT_EQ(ui.Label3->width(), 229);
    EXPECT_EQ(ui.Label3->alignment(), Qt::AlignCenter);
    EXPECT_TRUE(ui.Label3->font().bold());
    ExpectFont(ui.Label3, "MS Sans Serif", 15);
    ExpectFont(ui.ProductName, "MS Sans Serif", 17);
    ExpectFont(ui.Version, "MS Sans Serif", 14);
    EXPECT_EQ(Text(ui.Button1->text()), "Copy URL to Clipboard");
    EXPECT_EQ(ui.ProgramIcon->geometry(), QRect(20, 23, 113, 127));
    EXPECT_TRUE(ui.ProgramIcon->hasScaledContents());

    // The address line is one read-only line of an address, in the serif font.
    EXPECT_EQ(ui.RichEdit1->geometry(), QRect(163, 112, 204, 18));
    EXPECT_TRUE(ui.RichEdit1->isReadOnly());
    const std::string address = Text(ui.RichEdit1->toPlainText());
    EXPECT_EQ(address.rfind("http://", 0), 0u) << address;
    EXPECT_EQ(address.find('\n'), std::string::npos);
    ExpectFont(ui.RichEdit1, "Times New Roman", 13);

    // The OK button stands outside the panel but over it.
    EXPECT_EQ(ui.BitBtn1->parentWidget(), &form.window);
    EXPECT_EQ(ui.BitBtn1->geometry(), QRect(170, 363, 99, 32));
    EXPECT_TRUE(IsOnTopAt(form.window, ui.BitBtn1, QPoint(50, 16)));
}

TEST(AboutForm, MemoHoldsTheTenStudioLines) {
    Built<Ui::AboutBox> form;
    EXPECT_TRUE(form.ui.Memo1->isReadOnly());
    EXPECT_EQ(form.ui.Memo1->geometry(), QRect(15, 170, 394, 182));
    const std::vector<std::string> lines = Lines(form.ui.Memo1);
    ASSERT_EQ(lines.size(), 10u);
    const std::string indent(16, ' ');
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "   Info:    Thanks to an increase in team work, our Studio mean-");
    EXPECT_EQ(lines[2], indent + "while offers Jadeleaf in the following languages:");
    EXPECT_EQ(lines[3], indent + "English, Spanish, Dutch, and Romanian.");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], indent + "For those interested in improving their chance for a win,");
    EXPECT_EQ(lines[6], indent + "we provide a number of demos at our Studio extension.");
    EXPECT_EQ(lines[7].rfind(indent + "URL:   http", 0), 0u) << lines[7];
    EXPECT_EQ(lines[8], "");
    EXPECT_EQ(lines[9].rfind(indent + "Studio E-mail address:   ", 0), 0u) << lines[9];
    EXPECT_NE(lines[9].find('@'), std::string::npos) << lines[9];
}

TEST(InfoForm, MemoHoldsTheFiveParagraphsVerbatim) {
    Built<Ui::InfoForm> form;
    const Ui::InfoForm& ui = form.ui;
    EXPECT_TRUE(ui.Memo1->isReadOnly());
    EXPECT_EQ(ui.Memo1->size(), QSize(513, 401));
    EXPECT_EQ(ui.Image1->size(), QSize(322, 27));

    const std::vector<std::string> lines = Lines(ui.Memo1);
    ASSERT_EQ(lines.size(), 24u);
    const std::vector<std::pair<std::size_t, std::string>> headings = {
        {0, " Overview:   MahJong is an ancient Chinese game that is traditionally played by"},
        {6, " The rules:    As you know, spiritual beings prefer to follow the original roar that "},
        {10, " Actual play: The aim is to remove the tiles from the deck by selecting free pairs "},
        {16, " Free tiles:     A tile is considered to be free when there is no tile on top of it and at"},
        {22, " Feedback:  You can always contact any Vantor-Team member at the Quarrow Studio,"},
    };
    for (const auto& [index, heading] : headings) EXPECT_EQ(lines[index], heading);
    for (std::size_t empty : {5u, 9u, 15u, 21u}) EXPECT_EQ(lines[empty], "") << "line " << empty + 1;

    // Continuation lines: 24 blanks in the first paragraph, 25 in the others, then the text itself.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool heading = i == 0 || lines[i - 1].empty();
        if (lines[i].empty() || heading) continue;
        const std::size_t indent = i < 5 ? 24 : 25;
        EXPECT_EQ(lines[i].find_first_not_of(' '), indent) << "line " << i + 1 << ": " << lines[i];
    }
    EXPECT_EQ(lines[1], std::string(24, ' ') + "four players who have to observe hundreds of sophisticated rules. ");
    EXPECT_EQ(lines[19], std::string(25, ' ') + "tine always checks the deck for valid moves.  The game ends when ");
    EXPECT_EQ(lines[20], std::string(25, ' ') + "either the deck has been cleared or all remaining tiles are blocked. ");
    EXPECT_EQ(lines[23], std::string(25, ' ') + "Brackenford. They all know where the pepper is growing. -  Enjoy!");

    EXPECT_EQ(PixelOf(&form.window, QPoint(530, 470)), QColor(Qt::white));
}

TEST(CalendarForm, GridOfTheCurrentMonthWithoutNavigation) {
    Built<Ui::CalendarForm> form;
    const jadeleaf::TCCalendar* calendar = form.ui.Calendar1;
    EXPECT_EQ(calendar->geometry(), QRect(41, 29, 320, 120));
    EXPECT_EQ(calendar->StartOfWeek(), 1);
    EXPECT_EQ(calendar->Date(), QDate::currentDate());
    EXPECT_TRUE(calendar->UseCurrentDate());
    EXPECT_TRUE(calendar->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(form.ui.BitBtn1->size(), QSize(99, 33));

    // The heading row and six weeks all fit in the 120 pixels of the grid.
    form.window.show();
    ASSERT_EQ(calendar->rowCount(), 7);
    EXPECT_LE(calendar->rowViewportPosition(6) + calendar->rowHeight(6), calendar->viewport()->height());
    EXPECT_LE(calendar->columnViewportPosition(6) + calendar->columnWidth(6), calendar->viewport()->width());
}

} // namespace
