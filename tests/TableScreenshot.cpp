// Draws the real main window with a dealt table under the offscreen platform and saves it as a
// PNG: the screenshot that the AppStream metadata shows in software centres.
//   table_screenshot FILE.png
#include <QApplication>
#include <QDir>
#include <QImage>
#include <cstdio>
#include <string>

#include "shell/MainRoutine.h"
#include "tests/ManualClock.h"
#include "tests/ScriptedModal.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: table_screenshot FILE.png\n");
        return 2;
    }
    // The settings of a first start, in a file of its own that is removed afterwards.
    const std::string settings = QDir::tempPath().toStdString() + "/jadeleaf-screenshot-" +
                                 std::to_string(QCoreApplication::applicationPid()) + ".reg";
    std::remove(settings.c_str());
    jadeleaf::test::ManualClock clock;
    jadeleaf::test::ScriptedModal modal;
    jadeleaf::ApplicationWindows windows = jadeleaf::CreateForms({clock, modal, settings, QSize(800, 600), false});
    jadeleaf::TForm1& form = *windows.form1;
    form.show();
    QCoreApplication::processEvents();
    form.ApplicationIdle();

    // The clock's fixed calendar time gives the same deal on every run. The picture is taken while
    // the game waits for the first move; then the game loop is let go.
    QImage picture;
    clock.steps.push_back([&] {
        if (form.GameState().table.tableReady == 1) {
            QCoreApplication::processEvents();
            picture = form.grab().toImage();
        }
        form.GameState().table.tableReady = 0;
    });
    clock.onStuck = [&] { form.GameState().table.tableReady = 0; };
    if (form.TimerEnabled(jadeleaf::WindowTimer::Timer2)) clock.Advance(400);
    std::remove(settings.c_str());
    if (picture.isNull() || !modal.messages.empty()) {
        std::fprintf(stderr, "table_screenshot: the table was not dealt\n");
        return 1;
    }
    if (!picture.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "table_screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
