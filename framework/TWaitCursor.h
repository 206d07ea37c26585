#pragma once

#include <QApplication>

// The wait cursor for the length of a command; Restore ends it early (before
// a message box, which must not show the wait cursor).
class TWaitCursor
{
public:
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { Restore(); }
    void Restore()
    {
        if (m_shown)
            QApplication::restoreOverrideCursor();
        m_shown = false;
    }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    bool m_shown = true;
};
