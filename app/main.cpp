// orxprog: the programming tool for the ORX handheld radio.

#include "FileNames.h"
#include "ProgramApp.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Help and version need no window system: answered before the application connects to one.
    // The help follows a --lang given before it.
    QString language;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--")
            break;
        if (arg == "--lang" && i + 1 < argc)
            language = QString::fromLocal8Bit(argv[i + 1]);
        else if (arg.startsWith("--lang="))
            language = QString::fromLocal8Bit(arg.mid(7));
        if (arg == "-h" || arg == "--help") {
            std::fputs(CProgramApp::UsageText(language).toUtf8().constData(), stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("orxprog %s\n", ORX_VERSION);
            return 0;
        }
    }
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
