// The yardstick of the game's start: a bare Qt Widgets window with a menu bar
// and a status bar and nothing else, of the size given on the command line.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Bare window");
    window.menuBar()->addMenu("&Game");
    window.menuBar()->addMenu("&View");
    window.menuBar()->addMenu("&Help");
    window.statusBar()->showMessage("Ready");
    if (argc >= 3) window.resize(std::atoi(argv[1]), std::atoi(argv[2]));
    window.show();
    return application.exec();
}
