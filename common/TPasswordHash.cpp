#include "common/TPasswordHash.h"

#include <QByteArray>
#include <sodium.h>

#include "controls/ESelvarError.h"

namespace {
void Initialise()
{
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw ESelvarError(QStringLiteral("암호 라이브러리를 초기화할 수 없습니다."));
}
} // namespace

QString TPasswordHash::Make(const QString& password)
{
    Initialise();
    const QByteArray bytes = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, bytes.constData(), static_cast<unsigned long long>(bytes.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE)
        != 0)
        throw ESelvarError(QStringLiteral("비밀번호를 암호화할 메모리가 부족합니다."));
    return QString::fromLatin1(out);
}

bool TPasswordHash::Verify(const QString& stored, const QString& password)
{
    Initialise();
    const QByteArray hash = stored.toLatin1();
    if (hash.isEmpty() || hash.size() >= crypto_pwhash_STRBYTES)
        return false;
    const QByteArray bytes = password.toUtf8();
    return crypto_pwhash_str_verify(hash.constData(), bytes.constData(),
                                    static_cast<unsigned long long>(bytes.size()))
           == 0;
}

void TPasswordHash::VerifyNothing(const QString& password)
{
    static const QString dummy = Make(QStringLiteral("no such employee"));
    Verify(dummy, password);
}
