#include "screens/ScreenRegistry.h"

#include <QHash>

namespace {
QHash<QString, ScreenRegistry::Factory>& Factories()
{
    static QHash<QString, ScreenRegistry::Factory> factories;
    return factories;
}
} // namespace

void ScreenRegistry::Register(const QString& programId, Factory factory)
{
    Factories().insert(programId, std::move(factory));
}

void ScreenRegistry::Unregister(const QString& programId)
{
    Factories().remove(programId);
}

bool ScreenRegistry::Contains(const QString& programId)
{
    return Factories().contains(programId);
}

QWidget* ScreenRegistry::Create(const QString& programId)
{
    const auto it = Factories().constFind(programId);
    return it == Factories().constEnd() ? nullptr : (*it)();
}
