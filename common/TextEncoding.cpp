#include "common/TextEncoding.h"

#include <QStringDecoder>
#include <cerrno>
#include <iconv.h>
#include <langinfo.h>

namespace {

// One conversion descriptor per direction and thread, opened once: opening
// costs more than converting a short cell text.
class TConverter
{
public:
    TConverter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~TConverter()
    {
        if (Valid())
            iconv_close(m_cd);
    }
    TConverter(const TConverter&) = delete;
    TConverter& operator=(const TConverter&) = delete;

    bool Valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
        return m_cd;
    }

private:
    iconv_t m_cd;
};

// Runs iconv over the whole input; on an unconvertible or invalid input
// sequence it emits the replacement and skips `skipOnError` input bytes
// (or one UTF-8 character when that is 0).
QByteArray Convert(const TConverter& converter, const QByteArray& input,
                   const QByteArray& replacement, int skipOnError)
{
    if (!converter.Valid())
        return {};
    iconv_t cd = converter.Get();
    QByteArray out;
    out.reserve(input.size() * 2 + 16);
    char* in = const_cast<char*>(input.constData());
    size_t inLeft = size_t(input.size());
    char buffer[4096];
    while (inLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        size_t rc = iconv(cd, &in, &inLeft, &dst, &dstLeft);
        out.append(buffer, dst - buffer);
        if (rc != size_t(-1) || errno == E2BIG)
            continue;
        // EILSEQ or EINVAL: replace the offending input and go on.
        size_t skip = size_t(skipOnError);
        if (skip == 0) {
            const unsigned char lead = static_cast<unsigned char>(*in);
            skip = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        }
        skip = std::min(skip, inLeft);
        in += skip;
        inLeft -= skip;
        out.append(replacement);
    }
    return out;
}

} // namespace

QByteArray ToCp949(const QString& text)
{
    bool ascii = true;
    for (QChar ch : text)
        ascii = ascii && ch.unicode() < 0x80;
    if (ascii)
        return text.toLatin1();
    thread_local const TConverter converter("CP949", "UTF-8");
    return Convert(converter, text.toUtf8(), "?", 0);
}

QString FromCp949(const QByteArray& bytes)
{
    thread_local const TConverter converter("UTF-8", "CP949");
    return QString::fromUtf8(Convert(converter, bytes, "\xEF\xBF\xBD", 1));
}

bool IsValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

namespace {

QString DecodeUtf16(QByteArrayView bytes, QStringDecoder::Encoding encoding, bool& isText)
{
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    isText = !decoder.hasError();
    return text;
}

} // namespace

QString DecodeTextFile(const QByteArray& bytes, bool* isText)
{
    bool ok = true;
    QString text;
    const QByteArrayView view(bytes);
    if (view.startsWith("\xFF\xFE")) {
        text = DecodeUtf16(view.sliced(2), QStringDecoder::Utf16LE, ok);
    } else if (view.startsWith("\xFE\xFF")) {
        text = DecodeUtf16(view.sliced(2), QStringDecoder::Utf16BE, ok);
    } else if (view.startsWith("\xEF\xBB\xBF")) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = decoder.decode(view.sliced(3));
        ok = !decoder.hasError() && !view.contains('\0');
    } else if (IsValidUtf8(bytes)) {
        text = QString::fromUtf8(bytes);
        ok = !view.contains('\0');
    } else {
        // Line by line: a sheet saved once as UTF-8 and appended to in 949.
        ok = !view.contains('\0');
        text.reserve(bytes.size());
        for (qsizetype pos = 0; pos < bytes.size();) {
            qsizetype end = bytes.indexOf('\n', pos);
            end = end < 0 ? bytes.size() : end + 1;
            const QByteArray line = bytes.mid(pos, end - pos);
            if (IsValidUtf8(line)) {
                text += QString::fromUtf8(line);
            } else {
                const QString decoded = FromCp949(line);
                ok = ok && !decoded.contains(QChar(0xFFFD));
                text += decoded;
            }
            pos = end;
        }
    }
    if (isText)
        *isText = ok;
    return text;
}

QByteArray ToLocaleEncoding(const QString& text)
{
    const QByteArray codeset = nl_langinfo(CODESET);
    // The plain C locale names ASCII; Qt runs it as UTF-8, and so does the log.
    if (codeset.isEmpty() || codeset.compare("UTF-8", Qt::CaseInsensitive) == 0
        || codeset == "ANSI_X3.4-1968")
        return text.toUtf8();
    const TConverter converter(codeset.constData(), "UTF-8");
    const QByteArray converted = Convert(converter, text.toUtf8(), "?", 0);
    return converted.isEmpty() && !text.isEmpty() ? text.toUtf8() : converted;
}
