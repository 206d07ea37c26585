#pragma once

#include <QString>
#include <functional>

class QWidget;

// Factories of the business screens by program ID. Each screen unit registers
// its class (see RegisterScreens); the main window asks for a new screen by ID.
class ScreenRegistry
{
public:
    using Factory = std::function<QWidget*()>;

    static void Register(const QString& programId, Factory factory);
    static void Unregister(const QString& programId);
    static bool Contains(const QString& programId);

    // A new screen without owner, or nullptr when no factory is registered.
    static QWidget* Create(const QString& programId);
};

// Registers every screen class this program ships.
void RegisterScreens();
