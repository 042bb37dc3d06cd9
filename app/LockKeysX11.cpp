// The keyboard indicators of the X server, for the status-bar lock indicators.

#include <QGuiApplication>

#ifdef ORX_HAVE_X11
#include <QtGui/qguiapplication_platform.h>
#include <X11/XKBlib.h>
#endif

bool QueryX11LockState(bool& caps, bool& num, bool& scroll)
{
#ifdef ORX_HAVE_X11
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    unsigned int state = 0;
    if (display && XkbGetIndicatorState(display, XkbUseCoreKbd, &state) == 0) {
        // The usual indicator order of X keyboards: Caps Lock, Num Lock, Scroll Lock.
        caps = state & 0x01;
        num = state & 0x02;
        scroll = state & 0x04;
        return true;
    }
#else
    (void)caps;
    (void)num;
    (void)scroll;
#endif
    return false;
}
