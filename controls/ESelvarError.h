#pragma once

#include <QString>
#include <stdexcept>

// Root of every failure the client raises on purpose. It carries the message
// text exactly as the user is to see it.
class ESelvarError : public std::runtime_error
{
public:
    explicit ESelvarError(const QString& message);

    const QString& Message() const { return m_message; }

private:
    QString m_message;
};
