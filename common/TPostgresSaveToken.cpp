#include "common/TPostgresSaveToken.h"

#include <QRandomGenerator>

QByteArray TPostgresSaveToken::New()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return QByteArray(reinterpret_cast<const char*>(words), sizeof(words)).toHex();
}

QStringList TPostgresSaveToken::Install()
{
    return {QStringLiteral("CREATE SCHEMA IF NOT EXISTS selvar_save"),
            QStringLiteral("CREATE TABLE IF NOT EXISTS selvar_save.save_token (token uuid PRIMARY KEY, "
                           "saved_at timestamptz NOT NULL DEFAULT now())"),
            QStringLiteral("CREATE TABLE IF NOT EXISTS selvar_save.work_lock (held boolean)")};
}

// The token is hex digits of our own making, never user text.
QByteArray TPostgresSaveToken::Insert(const QByteArray& token)
{
    return "INSERT INTO selvar_save.save_token (token) VALUES ('" + token + "')";
}
