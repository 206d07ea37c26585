#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "common/TExcelLimits.h"

// The readers take file names: each input is written to one scratch file.
// Lower bounds keep single inputs fast; the checks are the same.
inline QString FuzzFile(const uint8_t* data, size_t size, const QByteArray& name)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

inline void FuzzSetUp(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    TExcelLimits::MaxPartBytes = 16 << 20;
    TExcelLimits::MaxTotalBytes = 32 << 20;
    TExcelLimits::MaxCells = 200'000;
    TExcelLimits::MaxTextChars = 2'000'000;
}
