#pragma once
// Shows the wait cursor while a step that may take a while runs (a long export, a save
// waiting for another copy of the program); restored when it goes out of scope.
#include <QApplication>

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { Restore(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    // Back to the normal cursor before the scope ends, for a message shown meanwhile.
    void Restore()
    {
        if (m_active)
            QApplication::restoreOverrideCursor();
        m_active = false;
    }

private:
    bool m_active = true;
};
