#include "controls/ESelvarError.h"

ESelvarError::ESelvarError(const QString& message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}
