#include "common/TConfigFile.h"

#include <QFile>
#include <QTemporaryFile>

#include "common/TextEncoding.h"
#include "controls/ESelvarError.h"

namespace {

QString NotText(const QString& path)
{
    return QStringLiteral("설정 파일을 텍스트로 읽을 수 없습니다.\r%1").arg(path);
}

} // namespace

TConfigFile::TConfigFile(const QString& path)
{
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly)) {
        m_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
        return;
    }
    if (file.size() > MaxBytes)
        throw ESelvarError(QStringLiteral("설정 파일이 너무 큽니다.\r%1").arg(path));
    const QByteArray bytes = file.readAll();
    const bool plainUtf8 = !bytes.startsWith("\xFF\xFE") && !bytes.startsWith("\xFE\xFF")
                           && !bytes.contains('\0') && IsValidUtf8(bytes);
    if (plainUtf8) { // what QSettings reads itself (a UTF-8 mark included)
        m_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
        return;
    }
    bool isText = false;
    const QString text = DecodeTextFile(bytes, &isText);
    if (!isText)
        throw ESelvarError(NotText(path));
    // QSettings parses only UTF-8: hand it a private UTF-8 copy.
    m_copy = std::make_unique<QTemporaryFile>();
    const QByteArray utf8 = text.toUtf8();
    if (!m_copy->open() || m_copy->write(utf8) != utf8.size() || !m_copy->flush())
        throw ESelvarError(NotText(path));
    m_copy->close();
    m_settings = std::make_unique<QSettings>(m_copy->fileName(), QSettings::IniFormat);
}

TConfigFile::~TConfigFile() = default;

QVariant TConfigFile::Value(const QString& path, const QString& key)
{
    try {
        const TConfigFile file(path);
        return file.Settings().value(key);
    } catch (const ESelvarError&) {
        return {};
    }
}
