#include "common/TTraceSettings.h"

#include <QCoreApplication>
#include <QFileInfo>

TTraceSettings& TTraceSettings::Current()
{
    static TTraceSettings settings;
    return settings;
}

QDateTime TTraceSettings::CurrentTime() const
{
    return Now ? Now() : QDateTime::currentDateTime();
}

QString TTraceSettings::ExecutableName() const
{
    return ExeName.isEmpty() ? QFileInfo(QCoreApplication::applicationFilePath()).fileName() : ExeName;
}
