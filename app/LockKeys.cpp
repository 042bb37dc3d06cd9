#include "LockKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>

// In LockKeysX11.cpp, apart from this file: the X11 headers define names such as KeyRelease.
bool QueryX11LockState(bool& caps, bool& num, bool& scroll);

LockKeys::LockKeys(QObject* parent) : QObject(parent)
{
    if (qApp)
        qApp->installEventFilter(this);
    refresh();
}

bool LockKeys::queryWindowSystem()
{
    return QueryX11LockState(m_caps, m_num, m_scroll);
}

void LockKeys::refresh()
{
    const bool caps = m_caps, num = m_num, scroll = m_scroll;
    queryWindowSystem();
    if (caps != m_caps || num != m_num || scroll != m_scroll)
        emit changed();
}

bool LockKeys::eventFilter(QObject* watched, QEvent* event)
{
    // A key event travels through several receivers; look at it once, at the window.
    const bool atWindow = watched->isWindowType();
    if ((event->type() == QEvent::KeyRelease && atWindow) || event->type() == QEvent::ApplicationActivate) {
        const bool caps = m_caps, num = m_num, scroll = m_scroll;
        if (!queryWindowSystem() && event->type() == QEvent::KeyRelease) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat()) {
                if (key->key() == Qt::Key_CapsLock)
                    m_caps = !m_caps;
                else if (key->key() == Qt::Key_NumLock)
                    m_num = !m_num;
                else if (key->key() == Qt::Key_ScrollLock)
                    m_scroll = !m_scroll;
            }
        }
        if (caps != m_caps || num != m_num || scroll != m_scroll)
            emit changed();
    }
    return QObject::eventFilter(watched, event);
}
