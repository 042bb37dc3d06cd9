// orxprog: the programming tool for the ORX handheld radio.

#include "FileNames.h"
#include "ProgramApp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // The arguments Qt left, each byte kept: a file name need not be UTF-8 (QApplication::arguments()
    // would turn such bytes into U+FFFD, and the file could not be found).
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << FileNameFromBytes(QByteArray(argv[i]));
    CProgramApp app(arguments);
    if (!app.InitInstance())
        return app.exitCode();
    return app.Run();
}
