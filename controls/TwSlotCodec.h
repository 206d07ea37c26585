#pragma once

#include <QString>
#include <QVariant>

#include "controls/TwTypes.h"

// One cell's value as it lies in memory: a presence byte (0 = empty, 0xFF =
// value present) followed by the payload of the column type. Text cells keep
// their text in `text` when it is given (string lists, edit buffers);
// otherwise a fixed-capacity text lies in the payload as zero-terminated
// UTF-16 units.
struct TwSlotRef
{
    quint8* bytes = nullptr;
    QString* text = nullptr;
};

// The set and get conversions between a slot and text, Boolean, integer,
// float, date-time and variant values. A failed parse raises EConvertError
// before the slot is touched.
class TwSlotCodec
{
public:
    static constexpr quint8 Present = 0xFF;

    // Payload size of a type; `dataWidth` matters only for wdtChar.
    static int PayloadSize(TwDataType type, int dataWidth);

    static bool IsNull(const TwSlotRef& slot) { return slot.bytes[0] == 0; }
    static void Clear(const TwSlotRef& slot, TwDataType type, int dataWidth);

    static QString GetString(TwDataType type, const TwSlotRef& slot);
    static bool GetBoolean(TwDataType type, const TwSlotRef& slot);
    static int GetInteger(TwDataType type, const TwSlotRef& slot);
    static double GetFloat(TwDataType type, const TwSlotRef& slot);
    static double GetDateTime(TwDataType type, const TwSlotRef& slot);
    static QVariant GetVariant(TwDataType type, const TwSlotRef& slot);

    static void SetString(TwDataType type, int dataWidth, const TwSlotRef& slot, const QString& value);
    static void SetBoolean(TwDataType type, int dataWidth, const TwSlotRef& slot, bool value);
    static void SetInteger(TwDataType type, int dataWidth, const TwSlotRef& slot, qint64 value);
    static void SetFloat(TwDataType type, int dataWidth, const TwSlotRef& slot, double value);
    static void SetDateTime(TwDataType type, int dataWidth, const TwSlotRef& slot, double serial);
    static void SetVariant(TwDataType type, int dataWidth, const TwSlotRef& slot, const QVariant& value);

    // Text parsed in a type: date types by their date parse, others as a number.
    static double ParseAs(TwDataType type, const QString& text);
};
