// The yardstick for orxprog's start-up: an empty main window with a menu bar, a tool bar and a
// status bar, shown the same way.

#include "StartupProbe.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File"));
    window.addToolBar(QStringLiteral("Tools"));
    window.statusBar();
    window.resize(1000, 640);
    WatchFirstPaint(&window);
    window.show();
    return app.exec();
}
