// Runs the start-up of the real main window in a process of its own and
// prints what the player would see, for tests of a missing or damaged
// resource file, found beside a copy of the probe in a folder of its own.
// With --real-boxes the message loop, the idle hook and the message boxes are
// the real ones, each box closed from a timer once it shows.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <string>

#include "shell/MainRoutine.h"
#include "tests/ManualClock.h"
#include "tests/ScriptedModal.h"

namespace {

const char* IconName(jadeleaf::MessageIcon icon) {
    switch (icon) {
    case jadeleaf::MessageIcon::Information:
        return "information";
    case jadeleaf::MessageIcon::Warning:
        return "warning";
    case jadeleaf::MessageIcon::Error:
        return "error";
    default:
        return "none";
    }
}

std::string SettingsPath() {
    return QDir::tempPath().toStdString() + "/jadeleaf-probe-" + std::to_string(QCoreApplication::applicationPid()) +
           ".reg";
}

// Boxes beyond this many mean the load started again from a box's own loop.
constexpr int kBoxLimit = 12;
// Timer ticks without a box after the load has finished before the probe ends.
constexpr int kQuietTicks = 40;

int RunWithRealBoxes() {
    jadeleaf::test::ManualClock clock;
    jadeleaf::QtModalService modal;
    const std::string settings = SettingsPath();
    std::remove(settings.c_str());
    jadeleaf::ApplicationWindows windows = jadeleaf::CreateForms({clock, modal, settings, QSize(1280, 1024), true});
    jadeleaf::TForm1& form = *windows.form1;
    form.show();

    int boxes = 0;
    int quiet = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            std::printf("box: %s|%s\n", box->windowTitle().toStdString().c_str(), box->text().toStdString().c_str());
            quiet = 0;
            if (++boxes > kBoxLimit) {
                std::printf("boxes: more than %d\n", kBoxLimit);
                std::fflush(stdout);
                std::_Exit(1);
            }
            box->done(QMessageBox::Ok);
            return;
        }
        const jadeleaf::TileGraphics& graphics = form.Graphics();
        if ((graphics.graphicsFailed || graphics.library.Loaded()) && ++quiet >= kQuietTicks) QCoreApplication::quit();
    });
    closer.start(5);
    QApplication::exec();
    std::printf("boxes: %d\n", boxes);
    std::remove(settings.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--real-boxes") == 0) return RunWithRealBoxes();
    jadeleaf::test::ManualClock clock;
    jadeleaf::test::ScriptedModal modal;
    const std::string settings = SettingsPath();
    std::remove(settings.c_str());
    jadeleaf::ApplicationWindows windows = jadeleaf::CreateForms({clock, modal, settings, QSize(1280, 1024), false});
    jadeleaf::TForm1& form = *windows.form1;
    form.show();
    QCoreApplication::processEvents();
    form.ApplicationIdle();

    bool dealt = false;
    clock.steps.push_back([&] {
        dealt = form.GameState().table.tableReady == 1;
        form.GameState().table.tableReady = 0;
    });
    clock.onStuck = [&] { form.GameState().table.tableReady = 0; };
    const bool timer2 = form.TimerEnabled(jadeleaf::WindowTimer::Timer2);
    std::printf("timer2: %s\n", timer2 ? std::to_string(form.Timer(jadeleaf::WindowTimer::Timer2).Interval()).c_str() : "off");
    if (timer2) clock.Advance(400);
    for (const auto& message : modal.messages) {
        std::printf("box: %s|%s|%s\n", message.caption.c_str(), message.text.c_str(), IconName(message.icon));
    }
    std::printf("label: %s\n", form.MessageLineText().toStdString().c_str());
    std::printf("status1: %s\n", form.StatusText(1).toStdString().c_str());
    std::printf("menus: %s\n", form.MenusEnabled() ? "enabled" : "disabled");
    std::printf("game: %s\n", dealt ? "dealt" : "none");
    std::remove(settings.c_str());
    return 0;
}
