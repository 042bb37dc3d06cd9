#include "StartupProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

// Peak resident set size so far, from the kernel's accounting of this process.
long peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

class FirstPaintWatcher : public QObject {
public:
    explicit FirstPaintWatcher(QWidget* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Runs once the paint that is starting now has been drawn and flushed.
            QTimer::singleShot(0, [] {
                std::printf("painted %ld\n", peakResidentKb());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

} // namespace

void WatchFirstPaint(QWidget* window)
{
    if (qEnvironmentVariableIsSet("ORX_REPORT_FIRST_PAINT"))
        new FirstPaintWatcher(window);
}
