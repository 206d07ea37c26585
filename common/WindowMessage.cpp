#include "common/WindowMessage.h"

#include <QCoreApplication>

WindowMessage::WindowMessage(int message, const QVariant& first, const QVariant& second)
    : QEvent(TypeOf(message)), m_first(first), m_second(second)
{
}

bool WindowMessage::Send(QObject* target, int message, const QVariant& first,
                         const QVariant& second)
{
    if (!target)
        return false;
    WindowMessage event(message, first, second);
    return QCoreApplication::sendEvent(target, &event);
}
