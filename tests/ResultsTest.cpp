// The results dialog: percentages and verdicts at the band edges, the
// saying drawn without repeating its position, and the Show Messages switch.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <sstream>
#include <vector>

#include "framework/ModalService.h"
#include "play/ResultBands.h"
#include "play/ResultSayings.h"
#include "play/TResDlg1.h"
#include "resources/ProgramArtImage.h"
#include "shell/Forms.h"
#include "tests/ShellFixture.h"
#include "ui_TResDlg1.h"

namespace jadeleaf::test {
namespace {

TEST(ResultBands, PercentagesAndVerdictsAtTheEdges) {
    const struct {
        int score;
        int percent;
        const char* verdict;
    } cases[] = {
        {0, 0, "From zero to success. A long way to go!"},
        {14, 9, "From zero to success. A long way to go!"},
        {16, 11, "At this stage, people usually wake up."},
        {70, 48, "You can do better than that!"},
        {72, 50, "Better than 50 percent is also a win!"},
        {130, 90, "Oh dear, so close to the top!"},
        {142, 98, "Oh dear, so close to the top!"},
        {144, 100, "Excellent, you made it!"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResultPercent(c.score), c.percent) << c.score;
        EXPECT_EQ(ResultBandOf(c.percent).verdict, c.verdict) << c.score;
    }
    EXPECT_EQ(ResultBandOf(100).lowerBound, 100);
    EXPECT_EQ(ResultBandOf(9).lowerBound, 0);
}

class ResultsDialogTest : public ShellFixture {
protected:
    TResDlg1& Dialog() { return *ResDlg1; }
    Ui::ResDlg1& Controls() { return ResDlg1->Controls(); }
    std::string Stored() {
        std::ifstream file(settingsPath);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
};

TEST_F(ResultsDialogTest, SayingsNeverRepeatTheirPositionAndNeedNoWaiting) {
    Create();
    GameOf().table.score = 72;
    int last = -1;
    for (int shown = 0; shown < 12; ++shown) {
        const long long before = clock.nowMs;
        modal.ExecDialog(Dialog());
        EXPECT_EQ(clock.nowMs, before) << "no waiting for the clock's next second";
        const int index = Dialog().lastSayingIndex;
        EXPECT_NE(index, last);
        EXPECT_EQ(Controls().Label1->text(), " 50 Percent");
        EXPECT_EQ(Controls().Label2->text(), "Better than 50 percent is also a win!");
        EXPECT_EQ(Controls().Memo1->toPlainText().toStdString(), std::string(ResultSaying(50 + index)));
        last = index;
    }
}

TEST_F(ResultsDialogTest, ShowMessagesSwitchedByTheButtonTwice) {
    Create();
    GameOf().table.score = 144;
    modal.onDialog = [&](QDialog&) {
        EXPECT_TRUE(Controls().CheckBox1->isChecked());
        Controls().BitBtn1->click();
        EXPECT_FALSE(Controls().CheckBox1->isChecked());
        EXPECT_EQ(GameOf().settings.showMessages, 0);
        EXPECT_NE(Stored().find("\"Show Messages\"=dword:00000000"), std::string::npos);
        EXPECT_NE(Controls().Memo1->toPlainText(), "Information: Button to the right enables / disables message display.")
            << "the open dialog keeps its saying";
        Controls().BitBtn1->click();
        EXPECT_TRUE(Controls().CheckBox1->isChecked());
        EXPECT_NE(Stored().find("\"Show Messages\"=dword:00000001"), std::string::npos);
        Controls().CheckBox1->click();
    };
    modal.ExecDialog(Dialog());
    EXPECT_EQ(Controls().Label1->text(), "100 Percent");
    EXPECT_EQ(GameOf().settings.showMessages, 0);

    // With the option off the next dialog shows the information text.
    modal.onDialog = nullptr;
    modal.ExecDialog(Dialog());
    EXPECT_EQ(Controls().Memo1->toPlainText(), "Information: Button to the right enables / disables message display.");
    EXPECT_EQ(Controls().Label2->text(), "Excellent, you made it!");
}

// The computer's moves are no result of the player's: leaving an automatic
// game for a new one shows only the new game's results.
TEST_F(ResultsDialogTest, NewGameDuringAutomaticPlayShowsNoResultsForIt) {
    Create();
    StartUp();
    std::vector<QString> shown;
    modal.onDialog = [&](QDialog& dialog) {
        if (&dialog == ResDlg1) shown.push_back(Controls().Label1->text());
    };
    QAction* newGame = form->findChild<QAction*>("NewGame1");
    clock.steps.push_back([&] { form->findChild<QAction*>("AutoPlay1")->trigger(); });
    clock.onPause = [&](int) {
        if (GameOf().table.score < 4 || !GameOf().table.autoPlay) return;
        modal.answers = {MessageAnswer::Yes};
        QMetaObject::invokeMethod(newGame, "trigger", Qt::QueuedConnection);
        clock.steps.push_back([&] {
            EXPECT_EQ(GameOf().table.autoPlay, 0) << "a manual game follows";
            modal.answers = {MessageAnswer::Yes};
            form->findChild<QAction*>("FinishGame1")->trigger();
        });
    };
    clock.Advance(400);
    EXPECT_EQ(modal.Count("EndDlg1"), 0);
    EXPECT_EQ(shown, std::vector<QString>{"  0 Percent"});
    EXPECT_EQ(GameOf().table.tableReady, 0);
}

// Pressing the picture does not make it the button that Enter presses: OK
// closes the real dialog, and Show Messages changed once.
TEST_F(ResultsDialogTest, EnterPressesOkAfterThePictureButton) {
    QtModalService realModal;
    windows = CreateForms({clock, realModal, settingsPath, QSize(1280, 1024), false});
    form = windows.form1.get();
    form->show();
    GameOf().table.score = 16;
    bool closedByEnter = false;
    QTimer::singleShot(0, [&] {
        QApplication::setActiveWindow(ResDlg1);
        QTest::mouseClick(Controls().BitBtn1, Qt::LeftButton);
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : ResDlg1, Qt::Key_Return);
        closedByEnter = !ResDlg1->isVisible();
        if (!closedByEnter) ResDlg1->reject();
    });
    form->ShowResultsDialog();
    EXPECT_TRUE(closedByEnter);
    EXPECT_EQ(ResDlg1->result(), QDialog::Accepted);
    EXPECT_EQ(GameOf().settings.showMessages, 0);
    EXPECT_EQ(Controls().Label2->text(), "At this stage, people usually wake up.");
}

// The emblem's pictures are made when the real dialog first shows, and then
// the button holds the drawing for each density, not an enlarged copy.
TEST_F(ResultsDialogTest, PictureButtonHoldsTheEmblemAtEveryDensityOnceShown) {
    QtModalService realModal;
    windows = CreateForms({clock, realModal, settingsPath, QSize(1280, 1024), false});
    form = windows.form1.get();
    form->show();
    EXPECT_TRUE(Controls().BitBtn1->icon().isNull());
    EXPECT_EQ(Controls().BitBtn1->iconSize(), QSize(116, 110));
    QTimer::singleShot(0, [&] { ResDlg1->reject(); });
    form->ShowResultsDialog();
    const QIcon icon = Controls().BitBtn1->icon();
    for (const qreal ratio : {1.0, 2.0, 3.0}) {
        EXPECT_EQ(icon.pixmap(QSize(116, 110), ratio).toImage().convertToFormat(QImage::Format_RGB32),
                  ArtImage(EmblemBitmap(), ratio).convertToFormat(QImage::Format_RGB32))
            << ratio;
    }
}

}  // namespace
}  // namespace jadeleaf::test
