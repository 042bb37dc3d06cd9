// orxprog: the programming tool for the ORX handheld radio.

#include "ProgramApp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    CProgramApp app(QApplication::arguments());
    if (!app.InitInstance())
        return app.exitCode();
    return app.Run();
}
