#include "controls/TwSlotCodec.h"

#include <QDateTime>
#include <cmath>
#include <cstring>

#include "controls/EConvertError.h"
#include "controls/TwFormat.h"

namespace {
int CharCapacity(int dataWidth) { return qBound(1, dataWidth, 255); }

qint64 ReadInt(TwDataType type, const quint8* p)
{
    switch (type) {
    case wdtShort: return qint8(p[0]);
    case wdtSmall: { qint16 v; std::memcpy(&v, p, 2); return v; }
    case wdtWord: { quint16 v; std::memcpy(&v, p, 2); return v; }
    case wdtLong: { qint32 v; std::memcpy(&v, p, 4); return v; }
    default: return p[0]; // wdtBool, wdtByte
    }
}

double ReadDouble(const quint8* p)
{
    double v;
    std::memcpy(&v, p, 8);
    return v;
}

QString ReadChars(const quint8* p, int dataWidth)
{
    const int capacity = CharCapacity(dataWidth);
    QString text;
    for (int i = 0; i < capacity; ++i) {
        char16_t unit;
        std::memcpy(&unit, p + 2 * i, 2);
        if (unit == 0)
            break;
        text += QChar(unit);
    }
    return text;
}

// Nearest integer with ties to even; values beyond 64 bits give 0.
qint64 RoundToInt64(double v)
{
    if (!std::isfinite(v) || v >= 9.2233720368547758e18 || v < -9.2233720368547758e18)
        return 0;
    return qint64(std::nearbyint(v));
}

bool IsIntegerSlot(TwDataType t) { return t >= wdtBool && t <= wdtLong; }

void WriteInt(TwDataType type, const TwSlotRef& slot, qint64 v)
{
    quint8* p = slot.bytes + 1;
    switch (type) {
    case wdtSmall:
    case wdtWord: { const quint16 w = quint16(v); std::memcpy(p, &w, 2); break; }
    case wdtLong: { const quint32 w = quint32(v); std::memcpy(p, &w, 4); break; }
    default: p[0] = quint8(v); break;
    }
    slot.bytes[0] = TwSlotCodec::Present;
}

void WriteDouble(const TwSlotRef& slot, double v)
{
    std::memcpy(slot.bytes + 1, &v, 8);
    slot.bytes[0] = TwSlotCodec::Present;
}

void WriteText(TwDataType type, int dataWidth, const TwSlotRef& slot, const QString& value)
{
    const int limit = type == wdtChar ? CharCapacity(dataWidth) : dataWidth;
    const QString cut = limit > 0 ? value.left(limit) : value;
    if (slot.text) {
        *slot.text = cut;
    } else {
        quint8* p = slot.bytes + 1;
        std::memset(p, 0, size_t(TwSlotCodec::PayloadSize(type, dataWidth)));
        std::memcpy(p, cut.utf16(), size_t(cut.size()) * 2);
    }
    slot.bytes[0] = TwSlotCodec::Present;
}

QString TextOf(TwDataType type, const TwSlotRef& slot, int dataWidth)
{
    return slot.text ? *slot.text : ReadChars(slot.bytes + 1, dataWidth);
}

void RequireFinite(double value)
{
    if (!std::isfinite(value))
        throw EConvertError::InvalidFloat(QString::number(value));
}
} // namespace

int TwSlotCodec::PayloadSize(TwDataType type, int dataWidth)
{
    switch (type) {
    case wdtChar: return (CharCapacity(dataWidth) + 1) * 2;
    case wdtBool:
    case wdtShort:
    case wdtByte: return 1;
    case wdtSmall:
    case wdtWord: return 2;
    case wdtLong: return 4;
    case wdtFloat:
    case wdtDate:
    case wdtTime:
    case wdtDateTime: return 8;
    default: return 0; // wdtString, wdtGraphic
    }
}

void TwSlotCodec::Clear(const TwSlotRef& slot, TwDataType type, int dataWidth)
{
    if (slot.text && TwIsTextType(type)) {
        slot.bytes[0] = 0;
        slot.text->clear();
        return;
    }
    std::memset(slot.bytes, 0, size_t(PayloadSize(type, dataWidth)) + 1);
}

QString TwSlotCodec::GetString(TwDataType type, const TwSlotRef& slot)
{
    if (IsNull(slot))
        return QString();
    const quint8* p = slot.bytes + 1;
    switch (type) {
    case wdtString:
    case wdtChar: return TextOf(type, slot, 255);
    case wdtFloat: return TwFormat::FloatText(ReadDouble(p));
    case wdtDate: return TwFormat::DateText(ReadDouble(p));
    case wdtTime: return TwFormat::TimeText(ReadDouble(p));
    case wdtDateTime: return TwFormat::DateTimeText(ReadDouble(p));
    case wdtGraphic: return QString();
    default: return QString::number(ReadInt(type, p));
    }
}

bool TwSlotCodec::GetBoolean(TwDataType type, const TwSlotRef& slot)
{
    if (IsNull(slot) || type == wdtGraphic)
        return false;
    if (TwIsTextType(type))
        return TwFormat::ParseInteger(GetString(type, slot)) != 0;
    if (IsIntegerSlot(type))
        return ReadInt(type, slot.bytes + 1) != 0;
    return RoundToInt64(ReadDouble(slot.bytes + 1)) != 0;
}

int TwSlotCodec::GetInteger(TwDataType type, const TwSlotRef& slot)
{
    if (IsNull(slot) || type == wdtGraphic)
        return 0;
    if (TwIsTextType(type))
        return TwFormat::ParseInteger(GetString(type, slot));
    if (IsIntegerSlot(type))
        return int(ReadInt(type, slot.bytes + 1));
    return int(RoundToInt64(ReadDouble(slot.bytes + 1)));
}

double TwSlotCodec::GetFloat(TwDataType type, const TwSlotRef& slot)
{
    if (IsNull(slot) || type == wdtGraphic)
        return 0;
    if (TwIsTextType(type))
        return TwFormat::ParseFloat(GetString(type, slot));
    if (IsIntegerSlot(type))
        return double(ReadInt(type, slot.bytes + 1));
    return ReadDouble(slot.bytes + 1);
}

double TwSlotCodec::GetDateTime(TwDataType type, const TwSlotRef& slot)
{
    if (IsNull(slot))
        return 0;
    if (TwIsTextType(type))
        return TwFormat::ParseDateTime(GetString(type, slot));
    return GetFloat(type, slot);
}

QVariant TwSlotCodec::GetVariant(TwDataType type, const TwSlotRef& slot)
{
    if (IsNull(slot))
        return QVariant();
    const quint8* p = slot.bytes + 1;
    switch (type) {
    case wdtString:
    case wdtChar: return GetString(type, slot);
    case wdtBool: return p[0] != 0;
    case wdtShort: return QVariant::fromValue(qint8(p[0]));
    case wdtByte: return QVariant::fromValue(quint8(p[0]));
    case wdtSmall: return QVariant::fromValue(qint16(ReadInt(type, p)));
    case wdtWord: return QVariant::fromValue(quint16(ReadInt(type, p)));
    case wdtLong: return int(ReadInt(type, p));
    case wdtFloat: return ReadDouble(p);
    case wdtDate:
    case wdtTime:
    case wdtDateTime: return TwFormat::FromSerial(ReadDouble(p));
    default: return QVariant();
    }
}

void TwSlotCodec::SetString(TwDataType type, int dataWidth, const TwSlotRef& slot, const QString& value)
{
    if (value.isEmpty()) {
        Clear(slot, type, dataWidth);
        return;
    }
    switch (type) {
    case wdtString:
    case wdtChar: WriteText(type, dataWidth, slot, value); break;
    case wdtFloat: WriteDouble(slot, TwFormat::ParseFloat(value)); break;
    case wdtDate: WriteDouble(slot, TwFormat::ParseDate(value)); break;
    case wdtTime: WriteDouble(slot, TwFormat::ParseTime(value)); break;
    case wdtDateTime: WriteDouble(slot, TwFormat::ParseDateTime(value)); break;
    case wdtGraphic: break;
    default: WriteInt(type, slot, TwFormat::ParseInteger(value)); break;
    }
}

void TwSlotCodec::SetBoolean(TwDataType type, int dataWidth, const TwSlotRef& slot, bool value)
{
    if (TwIsTextType(type))
        WriteText(type, dataWidth, slot, value ? QStringLiteral("1") : QStringLiteral("0"));
    else if (IsIntegerSlot(type))
        WriteInt(type, slot, value ? 1 : 0);
    else if (type == wdtGraphic)
        slot.bytes[0] = Present;
    else
        WriteDouble(slot, value ? 1.0 : 0.0);
}

void TwSlotCodec::SetInteger(TwDataType type, int dataWidth, const TwSlotRef& slot, qint64 value)
{
    if (TwIsTextType(type))
        WriteText(type, dataWidth, slot, QString::number(value));
    else if (IsIntegerSlot(type))
        WriteInt(type, slot, value);
    else if (type != wdtGraphic)
        WriteDouble(slot, double(value));
}

void TwSlotCodec::SetFloat(TwDataType type, int dataWidth, const TwSlotRef& slot, double value)
{
    RequireFinite(value);
    if (TwIsTextType(type))
        WriteText(type, dataWidth, slot, TwFormat::FloatText(value));
    else if (IsIntegerSlot(type))
        WriteInt(type, slot, RoundToInt64(value));
    else if (type != wdtGraphic)
        WriteDouble(slot, value);
}

void TwSlotCodec::SetDateTime(TwDataType type, int dataWidth, const TwSlotRef& slot, double serial)
{
    if (TwIsTextType(type))
        WriteText(type, dataWidth, slot, TwFormat::DateTimeText(serial));
    else
        SetFloat(type, dataWidth, slot, serial);
}

void TwSlotCodec::SetVariant(TwDataType type, int dataWidth, const TwSlotRef& slot, const QVariant& value)
{
    if (!value.isValid() || value.isNull()) {
        Clear(slot, type, dataWidth);
        return;
    }
    switch (value.metaType().id()) {
    case QMetaType::Bool: SetBoolean(type, dataWidth, slot, value.toBool()); break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Char: SetInteger(type, dataWidth, slot, value.toLongLong()); break;
    case QMetaType::Double:
    case QMetaType::Float: SetFloat(type, dataWidth, slot, value.toDouble()); break;
    case QMetaType::QDate:
        SetDateTime(type, dataWidth, slot, TwFormat::ToSerial(QDateTime(value.toDate(), QTime(0, 0))));
        break;
    case QMetaType::QDateTime: SetDateTime(type, dataWidth, slot, TwFormat::ToSerial(value.toDateTime())); break;
    case QMetaType::QTime:
        SetDateTime(type, dataWidth, slot, TwFormat::ToSerial(QDateTime(QDate(1899, 12, 30), value.toTime())));
        break;
    default: SetString(type, dataWidth, slot, value.toString()); break;
    }
}

double TwSlotCodec::ParseAs(TwDataType type, const QString& text)
{
    switch (type) {
    case wdtDate: return TwFormat::ParseDate(text);
    case wdtTime: return TwFormat::ParseTime(text);
    case wdtDateTime: return TwFormat::ParseDateTime(text);
    default: return TwFormat::ParseFloat(text);
    }
}
