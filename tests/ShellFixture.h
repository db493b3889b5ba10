// The real main window under the offscreen platform, with its clock and its
// modal windows under the test's control and its settings in a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <string>

#include "model/TableLayout.h"
#include "shell/MainRoutine.h"
#include "tests/ManualClock.h"
#include "tests/ScriptedModal.h"

namespace jadeleaf::test {

class ShellFixture : public ::testing::Test {
protected:
    ShellFixture() {
        settingsPath = directory.path().toStdString() + "/Projects/Jadeleaf1.1_R6.reg";
        qputenv("XDG_DATA_HOME", (directory.path() + "/data").toUtf8());
    }

    void Create(QSize screen = QSize(1280, 1024)) {
        windows = CreateForms({clock, modal, settingsPath, screen, false});
        form = windows.form1.get();
        clock.onStuck = [this] { form->GameState().table.tableReady = 0; };
    }

    // The message loop shows the window and goes idle: the library and the
    // tile pictures are loaded.
    void StartUp() {
        form->show();
        QCoreApplication::processEvents();
        form->ApplicationIdle();
    }

    Game& GameOf() { return form->GameState(); }

    // Starts the program and runs `play` at the first wait of the first game.
    void PlayFirstGame(std::function<void()> play) {
        Create();
        StartUp();
        clock.steps.push_back(std::move(play));
        clock.Advance(400);
    }

    // Has automatic play start at the clock's next step, with `started` set to
    // the number of pauses made before it.
    void StartAutomaticPlayAtNextStep(std::size_t& started) {
        clock.steps.push_back([this, &started] {
            started = clock.pauses.size();
            form->findChild<QAction*>("AutoPlay1")->trigger();
        });
    }

    // Runs `act` while the settings file's lock is taken by a folder, so that
    // every write is refused; returns the text of the real message box that
    // reports it, answered at once.
    QString RefusedWriteReport(const std::function<void()>& act) {
        const QString lock = QString::fromStdString(settingsPath + ".lock");
        EXPECT_TRUE(QDir().mkpath(lock));
        QString shown;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        act();
        QDir().rmdir(lock);
        return shown;
    }

    // The middle of tile `p`'s press area, in table pixels.
    QPoint CentreOf(int p) {
        const TileRecord& tile = GameOf().table.tiles[p];
        return {tile.x + kTableLeft + 16, tile.y + kTableTop + 21};
    }

    QTemporaryDir directory;
    std::string settingsPath;
    ManualClock clock;
    ScriptedModal modal;
    ApplicationWindows windows;
    TForm1* form = nullptr;
};

}  // namespace jadeleaf::test
