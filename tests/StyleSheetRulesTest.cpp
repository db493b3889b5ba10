// The windows' style sheets applied as fonts and colours: every window looks
// as Qt's style sheet engine draws it, and a style sheet beyond what is read
// is refused with what could not be read.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QTabWidget>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "framework/StyleSheetRules.h"
#include "ui_TAboutBox.h"
#include "ui_TCalendarForm.h"
#include "ui_TEndDlg1.h"
#include "ui_TForm1.h"
#include "ui_TInfoForm.h"
#include "ui_TPrefDlg1.h"
#include "ui_TResDlg1.h"

namespace jadeleaf::test {
namespace {

// A window from its description, its style sheet applied by ApplyStyleSheet
// or, as the description reads, by Qt's engine.
template <typename Form, typename Window>
struct Described {
    Window window;
    Form ui;
    explicit Described(bool byEngine) {
        ui.setupUi(&window);
        if (byEngine) {
            window.setStyleSheet(window.property(kDescribedStyleSheet).toString());
        } else {
            ApplyStyleSheet(window);
        }
        window.show();
        QCoreApplication::processEvents();
    }
};

// The first pixel where two pictures differ, or "" where they are the same.
std::string FirstDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return "sizes differ";
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) return std::to_string(x) + "," + std::to_string(y);
        }
    }
    return "";
}

// The window's picture, the only window shown, so that both ways are drawn active.
template <typename Form, typename Window>
QImage Picture(bool byEngine, const std::function<void(Form&, Window&)>& each) {
    Described<Form, Window> described(byEngine);
    if (each) each(described.ui, described.window);
    return described.window.grab().toImage();
}

template <typename Form, typename Window = QDialog>
void ExpectTheEnginesLook(const char* name, const std::function<void(Form&, Window&)>& each = nullptr) {
    const QImage engine = Picture<Form, Window>(true, each);
    EXPECT_EQ(FirstDifference(engine, Picture<Form, Window>(false, each)), "") << name;
}

TEST(StyleSheetRules, EveryWindowLooksAsTheEngineDrawsIt) {
    ExpectTheEnginesLook<Ui::Form1, QMainWindow>("main window", [](Ui::Form1& ui, QMainWindow&) {
        ui.Panel1->show();
        ui.Label1->show();
    });
    ExpectTheEnginesLook<Ui::AboutBox>("about box");
    ExpectTheEnginesLook<Ui::CalendarForm>("calendar");
    ExpectTheEnginesLook<Ui::EndDlg1>("end dialog");
    ExpectTheEnginesLook<Ui::InfoForm>("information");
    ExpectTheEnginesLook<Ui::ResDlg1>("results");
    for (int page = 0; page < 4; ++page) {
        ExpectTheEnginesLook<Ui::PrefDlg1, QDialog>("preferences", [page](Ui::PrefDlg1& ui, QDialog&) {
            ui.PageControl1->setCurrentIndex(page);
            QCoreApplication::processEvents();
        });
    }
}

TEST(StyleSheetRules, TheMainWindowsMenusTakeItsFace) {
    Described<Ui::Form1, QMainWindow> engine(true);
    Described<Ui::Form1, QMainWindow> applied(false);
    for (QMenu* menu : {applied.ui.GameMenu1, applied.ui.ViewMenu1, applied.ui.HelpMenu1}) {
        QMenu* drawn = engine.window.findChild<QMenu*>(menu->objectName());
        drawn->ensurePolished();
        drawn->adjustSize();
        menu->adjustSize();
        EXPECT_EQ(FirstDifference(drawn->grab().toImage(), menu->grab().toImage()), "")
            << menu->objectName().toStdString();
    }
}

std::string Refusal(const QString& styleSheet) {
    QDialog window;
    window.setObjectName("Window");
    QWidget inside(&window);
    inside.setObjectName("Inside");
    window.setProperty(kDescribedStyleSheet, styleSheet);
    try {
        ApplyStyleSheet(window);
    } catch (const std::invalid_argument& error) {
        return error.what();
    }
    return "accepted";
}

TEST(StyleSheetRules, AnythingBeyondFacesAndPlainColoursIsRefused) {
    EXPECT_EQ(Refusal("* { font: 13px \"Arial\"; } #Inside { color: #00ff00; background-color: palette(button); }"),
              "accepted");
    EXPECT_EQ(Refusal("QLabel { font: 13px \"Arial\"; }"), "style sheet: cannot read the selector \"QLabel\"");
    EXPECT_EQ(Refusal("#Inside:hover { color: red; }"), "style sheet: cannot read the selector \"#Inside:hover\"");
    EXPECT_EQ(Refusal("#Outside { color: red; }"), "style sheet: cannot read #Outside: no such widget");
    EXPECT_EQ(Refusal("#Inside { border: 1px solid red; }"), "style sheet: cannot read the property \"border\"");
    EXPECT_EQ(Refusal("#Inside { font: 13pt \"Arial\"; }"), "style sheet: cannot read the font \"13pt \"Arial\"\"");
    EXPECT_EQ(Refusal("#Inside { color: #12345; }"), "style sheet: cannot read the colour \"#12345\"");
    EXPECT_EQ(Refusal("* { color: red; }"), "style sheet: cannot read * beyond a font");
    EXPECT_EQ(Refusal("/* open * { font: 13px \"Arial\"; }"), "style sheet: cannot read a comment without its end");
    EXPECT_EQ(Refusal("#Inside { color: red; "), "style sheet: cannot read the braces");
}

}  // namespace
}  // namespace jadeleaf::test
