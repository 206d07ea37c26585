#include "common/TXmlScanner.h"

#include <cstring>

#include "common/EExcelError.h"

namespace {

constexpr size_t kNone = std::string_view::npos;

std::string_view LocalName(std::string_view name)
{
    const size_t colon = name.find(':');
    return colon == kNone ? name : name.substr(colon + 1);
}

bool IsSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

void AppendUtf8(std::string& out, unsigned code)
{
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = 0xFFFD;
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

// The value of a numeric character reference body ("#65", "#x41"), or -1.
long CharacterReference(std::string_view body)
{
    if (body.size() < 2 || body.size() > 10 || body[0] != '#')
        return -1;
    const bool hex = body[1] == 'x' || body[1] == 'X';
    const std::string digits(body.substr(hex ? 2 : 1));
    if (digits.empty())
        return -1;
    char* end = nullptr;
    const long value = std::strtol(digits.c_str(), &end, hex ? 16 : 10);
    return *end == '\0' && value >= 0 ? value : -1;
}

} // namespace

void TXmlScanner::Fail(const QString& detail) const
{
    throw EExcelError(detail);
}

void TXmlScanner::Feed(const char* data, size_t size)
{
    m_buffer.append(data, size);
    const size_t used = Scan(false);
    m_buffer.erase(0, used);
    if (m_buffer.size() > MaxTokenBytes)
        Fail(QStringLiteral("XML 항목이 너무 깁니다."));
}

void TXmlScanner::Finish()
{
    const size_t used = Scan(true);
    m_buffer.erase(0, used);
    if (!m_buffer.empty())
        Fail(QStringLiteral("XML이 중간에 끊어졌습니다."));
}

size_t TXmlScanner::Scan(bool atEnd)
{
    size_t pos = 0;
    const size_t size = m_buffer.size();
    while (pos < size) {
        if (m_buffer[pos] != '<') {
            const size_t lt = m_buffer.find('<', pos);
            if (lt == kNone && !atEnd)
                return pos;
            const size_t end = lt == kNone ? size : lt;
            Text(std::string_view(m_buffer).substr(pos, end - pos), false);
            pos = end;
            continue;
        }
        const size_t next = Markup(pos, atEnd);
        if (next == kNone)
            return pos;
        pos = next;
    }
    return pos;
}

// Handles the markup at pos; returns where the next token starts, or npos
// when the markup is not complete yet.
size_t TXmlScanner::Markup(size_t pos, bool atEnd)
{
    const std::string_view rest = std::string_view(m_buffer).substr(pos);
    auto skipTo = [&](std::string_view closing, size_t from) {
        const size_t end = rest.find(closing, from);
        return end == kNone ? kNone : pos + end + closing.size();
    };
    if (rest.size() < 9 && !atEnd && rest.find('>') == kNone)
        return kNone;
    if (rest.starts_with("<?"))
        return skipTo("?>", 2);
    if (rest.starts_with("<!--"))
        return skipTo("-->", 4);
    if (rest.starts_with("<![CDATA[")) {
        const size_t end = rest.find("]]>", 9);
        if (end == kNone)
            return kNone;
        Text(rest.substr(9, end - 9), true);
        return pos + end + 3;
    }
    if (rest.starts_with("<!"))
        Fail(QStringLiteral("XML 문서 형식 선언은 읽지 않습니다."));
    return Tag(pos);
}

size_t TXmlScanner::Tag(size_t pos)
{
    const char* data = m_buffer.data();
    const size_t size = m_buffer.size();
    char quote = 0;
    size_t end = pos + 1;
    for (; end < size; ++end) {
        const char ch = data[end];
        if (quote) {
            if (ch == quote)
                quote = 0;
        } else if (ch == '"' || ch == '\'') {
            quote = ch;
        } else if (ch == '>') {
            break;
        } else if (ch == '<') {
            Fail(QStringLiteral("XML 태그가 올바르지 않습니다."));
        }
    }
    if (end >= size)
        return kNone;
    std::string_view body(data + pos + 1, end - pos - 1);
    if (body.starts_with('/')) {
        body.remove_prefix(1);
        while (!body.empty() && IsSpace(body.back()))
            body.remove_suffix(1);
        EndElement(LocalName(body));
        return end + 1;
    }
    const bool empty = body.ends_with('/');
    if (empty)
        body.remove_suffix(1);
    size_t nameEnd = 0;
    while (nameEnd < body.size() && !IsSpace(body[nameEnd]))
        ++nameEnd;
    if (nameEnd == 0)
        Fail(QStringLiteral("XML 태그에 이름이 없습니다."));
    const std::string_view name = LocalName(body.substr(0, nameEnd));
    StartElement(name, body.substr(nameEnd));
    if (empty)
        EndElement(name);
    return end + 1;
}

bool TXmlScanner::Attribute(std::string_view attributes, std::string_view name, std::string_view& value)
{
    size_t pos = 0;
    while (pos < attributes.size()) {
        while (pos < attributes.size() && IsSpace(attributes[pos]))
            ++pos;
        const size_t eq = attributes.find('=', pos);
        if (eq == kNone)
            return false;
        std::string_view key = attributes.substr(pos, eq - pos);
        while (!key.empty() && IsSpace(key.back()))
            key.remove_suffix(1);
        size_t open = eq + 1;
        while (open < attributes.size() && IsSpace(attributes[open]))
            ++open;
        if (open >= attributes.size() || (attributes[open] != '"' && attributes[open] != '\''))
            return false;
        const size_t close = attributes.find(attributes[open], open + 1);
        if (close == kNone)
            return false;
        if (key == name) {
            value = attributes.substr(open + 1, close - open - 1);
            return true;
        }
        pos = close + 1;
    }
    return false;
}

void TXmlScanner::AppendDecoded(std::string& out, std::string_view raw)
{
    size_t pos = 0;
    while (pos < raw.size()) {
        const size_t amp = raw.find('&', pos);
        if (amp == kNone) {
            out.append(raw.substr(pos));
            return;
        }
        out.append(raw.substr(pos, amp - pos));
        const size_t semi = raw.find(';', amp);
        const std::string_view body = semi == kNone ? std::string_view() : raw.substr(amp + 1, semi - amp - 1);
        long code = -1;
        if (body == "amp") code = '&';
        else if (body == "lt") code = '<';
        else if (body == "gt") code = '>';
        else if (body == "quot") code = '"';
        else if (body == "apos") code = '\'';
        else code = CharacterReference(body);
        if (code < 0) {
            out += '&'; // not a reference: keep the ampersand as written
            pos = amp + 1;
            continue;
        }
        AppendUtf8(out, unsigned(code));
        pos = semi + 1;
    }
}

QString TXmlScanner::CellString(std::string_view utf8)
{
    QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'_' && i + 6 < text.size() && text[i + 1] == u'x' && text[i + 6] == u'_') {
            bool ok = false;
            const ushort code = QStringView(text).mid(i + 2, 4).toUShort(&ok, 16);
            if (ok) {
                out += QChar(code);
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}
