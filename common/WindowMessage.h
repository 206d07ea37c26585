#pragma once

#include <QEvent>
#include <QVariant>

class QObject;

// A window message between the main window, its screens and the card reader,
// carried as a custom event whose type is the message number. Messages are
// delivered synchronously: Send returns when the receiver has handled it.
class WindowMessage : public QEvent
{
public:
    static constexpr int WM_PAGE_RESIZE = 1124;    // shell -> screen: width, height
    static constexpr int WM_CLOSE_PROGRAM = 1314;  // screen -> shell: close the active tab
    static constexpr int WM_OPEN_PROGRAM = 1324;   // screen -> shell: caption, program ID
    static constexpr int WM_RFID_READ = 1424;      // shell -> active screen: a card was read
    static constexpr int WM_CLIENT_CLOSING = 1924; // shell -> launcher: the main window closes

    WindowMessage(int message, const QVariant& first = {}, const QVariant& second = {});

    int Message() const { return static_cast<int>(type()); }
    const QVariant& First() const { return m_first; }
    const QVariant& Second() const { return m_second; }

    static QEvent::Type TypeOf(int message) { return static_cast<QEvent::Type>(message); }

    // Sends the message to target and reports whether the receiver accepted it.
    static bool Send(QObject* target, int message, const QVariant& first = {},
                     const QVariant& second = {});

private:
    QVariant m_first;
    QVariant m_second;
};
