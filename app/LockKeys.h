#pragma once

// The state of the Caps Lock, Num Lock and Scroll Lock keys for the status-bar indicators. Read from
// the X server's keyboard indicators where the program runs on X11; elsewhere the state is followed
// from the lock keys pressed while the program has the focus.

#include <QObject>

class LockKeys : public QObject {
    Q_OBJECT
public:
    explicit LockKeys(QObject* parent = nullptr);

    bool caps() const { return m_caps; }
    bool num() const { return m_num; }
    bool scroll() const { return m_scroll; }

    // Asks the window system again.
    void refresh();

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool queryWindowSystem();

    bool m_caps = false;
    bool m_num = false;
    bool m_scroll = false;
};
