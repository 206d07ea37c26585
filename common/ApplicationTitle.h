#pragma once

#include <QString>

// The application title; start-up sets it and every message box uses it as caption.
inline QString ApplicationTitle()
{
    return QStringLiteral("임대업장 관리");
}
