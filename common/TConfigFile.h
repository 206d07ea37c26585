#pragma once

#include <QSettings>
#include <QString>
#include <memory>

class QTemporaryFile;

// A configuration file (INI format) opened for reading. Files saved by
// Windows editors in UTF-16 or code page 949 read the same as UTF-8 ones;
// a file that cannot be read as text at all throws ESelvarError with a
// message naming it, instead of reading as empty. A missing file reads as
// empty, as before.
class TConfigFile
{
public:
    explicit TConfigFile(const QString& path);
    ~TConfigFile();
    TConfigFile(const TConfigFile&) = delete;
    TConfigFile& operator=(const TConfigFile&) = delete;

    const QSettings& Settings() const { return *m_settings; }
    QSettings& Settings() { return *m_settings; }

    // One value of a file; an unreadable or missing file, or a missing key,
    // gives an invalid value.
    static QVariant Value(const QString& path, const QString& key);

    static constexpr qint64 MaxBytes = qint64(1) << 20;

private:
    std::unique_ptr<QTemporaryFile> m_copy; // the UTF-8 text that QSettings reads
    std::unique_ptr<QSettings> m_settings;
};
