#pragma once

// Small helpers for tests that work with files and run the project's programs: read and write whole
// files, an image as bytes, and a program run to its end with its exit status and output.

#include "RadioImage.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace testfiles {

inline QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// False when the file could not be written whole.
[[nodiscard]] inline bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QByteArray ImageBytes(const orx::RadioImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data().data()), qsizetype(image.data().size()));
}

struct Run {
    int status = -1; // -1 when the program did not end normally in time
    QString out;
    QString err;
};

inline Run RunProgram(const QString& program, const QStringList& args, int timeoutMs = 60000)
{
    QProcess p;
    p.start(program, args);
    Run r;
    if (!p.waitForFinished(timeoutMs) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.status = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace testfiles
