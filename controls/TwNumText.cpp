#include "controls/TwNumText.h"

#include <cmath>

void TwNumText::SetCaret(int index)
{
    m_caret = qBound(0, index, int(m_text.size()));
}

int TwNumText::IntLength() const
{
    if (m_text.isEmpty())
        return 0;
    return m_precision > 0 ? int(m_text.size()) - m_precision - 1 : int(m_text.size());
}

int TwNumText::SelStart() const
{
    return qMin(m_selAnchor, m_caret);
}

int TwNumText::SelEnd() const
{
    return qMax(m_selAnchor, m_caret);
}

void TwNumText::Select(int anchor, int caret)
{
    m_selAnchor = qBound(0, anchor, int(m_text.size()));
    SetCaret(caret);
    m_selActive = true;
}

QString TwNumText::SelectedText() const
{
    if (!HasSelection())
        return {};
    return m_text.mid(SelStart(), SelEnd() - SelStart());
}

TwNumText::Effect TwNumText::SetPrecision(int value)
{
    value = qMax(0, value);
    if (m_maxLength > 0)
        value = qMin(value, m_maxLength);
    if (value == m_precision)
        return {};
    const double current = Value();
    m_precision = value;
    return IsEmpty() ? Effect{} : SetValue(current);
}

TwNumText::Effect TwNumText::SetMaxLength(int value)
{
    value = qMax(0, value);
    if (value > 0)
        value = qMax(value, m_precision);
    if (value == m_maxLength)
        return {};
    const double current = Value();
    m_maxLength = value;
    return IsEmpty() ? Effect{} : SetValue(current);
}

TwNumText::Effect TwNumText::SetEnableNull(bool value)
{
    m_enableNull = value;
    if (!value && IsEmpty())
        return SetValue(0);
    return {};
}

double TwNumText::Clamp(double value) const
{
    if (!RangeActive())
        return value;
    if (value < m_minValue)
        return m_minValue;
    return value > m_maxValue ? m_maxValue : value;
}

double TwNumText::Value() const
{
    if (m_text.isEmpty())
        return 0;
    return m_text.toDouble() * m_sign;
}

void TwNumText::ReplaceWithValue(double value)
{
    if (!std::isfinite(value))
        value = 0;
    m_text = FormatFixed(value, m_precision);
    // A value that rounds to zero is written without a sign ("-0.00" would mislead).
    m_sign = value >= 0 || m_text.toDouble() == 0 ? 1 : -1;
    m_caret = m_text.size();
    m_selActive = false;
}

TwNumText::Effect TwNumText::SetValue(double value)
{
    const QString before = m_text;
    ReplaceWithValue(value);
    return {before != m_text, false};
}

TwNumText::Effect TwNumText::Clear()
{
    if (!m_enableNull)
        return SetValue(0);
    const QString before = m_text;
    m_text.clear();
    m_sign = 1;
    m_caret = 0;
    m_selActive = false;
    return {!before.isEmpty(), false};
}

TwNumText::Effect TwNumText::Finish(const QString& before, int signBefore, bool signCounts)
{
    Effect effect;
    effect.Change = before != m_text || (signCounts && signBefore != m_sign && Value() != 0);
    return effect;
}

TwNumText::Effect TwNumText::TypeChar(QChar ch)
{
    if (ch == u'-')
        return TypeMinus();
    if (ch == u'.' && m_precision > 0) {
        TypePoint();
        return {};
    }
    if (ch.isDigit() && ch.unicode() < 128)
        return TypeDigit(ch);
    return {false, true};
}

TwNumText::Effect TwNumText::TypeMinus()
{
    if (RangeActive() && m_minValue >= 0 && m_sign == 1)
        return {false, true};
    m_selActive = false;
    m_sign = -m_sign;
    return {Value() != 0, false};
}

void TwNumText::TypePoint()
{
    if (IsEmpty())
        return;
    m_selActive = false;
    const int intLength = IntLength();
    m_caret = m_caret <= intLength ? intLength + 1 : intLength;
}

TwNumText::Effect TwNumText::TypeDigit(QChar digit)
{
    const QString before = m_text;
    if (HasSelection())
        DeleteSelection();
    m_selActive = false;
    if (m_text.isEmpty()) {
        ReplaceWithValue((digit.unicode() - u'0') * double(m_sign));
        m_caret = IntLength();
        return Finish(before, m_sign, false);
    }
    const int intLength = IntLength();
    if (m_precision > 0 && m_caret > intLength) {
        // Decimals are overwritten; the point never moves.
        if (m_caret < m_text.size())
            m_text[m_caret++] = digit;
    } else if (m_precision > 0) {
        if (std::fabs(Value()) >= 1 || m_caret > 1) {
            if (AtDigitLimit())
                return {Finish(before, m_sign, false).Change, true};
            m_text.insert(m_caret++, digit);
        } else if (m_maxLength > 0 && m_precision >= m_maxLength) {
            return {Finish(before, m_sign, false).Change, true};
        } else if (intLength == 1 && m_text[0] == u'0') {
            m_text[0] = digit;
            m_caret = 1;
        } else {
            // Leading zeros typed by the user: still never beyond MaxLength.
            if (AtDigitLimit())
                return {Finish(before, m_sign, false).Change, true};
            m_text.insert(m_caret++, digit);
        }
    } else if (AtDigitLimit()) {
        SetCaret(m_caret + 1);
        return {Finish(before, m_sign, false).Change, true};
    } else if (m_text == u"0") {
        m_text = digit;
        m_caret = 1;
    } else {
        m_text.insert(m_caret++, digit);
    }
    return Finish(before, m_sign, false);
}

TwNumText::Effect TwNumText::Backspace()
{
    if (m_text.isEmpty())
        return {};
    if (HasSelection())
        return DeleteSelection();
    m_selActive = false;
    const QString before = m_text;
    const int signBefore = m_sign;
    const int length = m_text.size();
    const int intLength = IntLength();
    if (m_enableNull && length == 1 && m_caret == 1)
        return Clear();
    if (m_caret == 0) {
        m_sign = 1;
        return Finish(before, signBefore, true);
    }
    if (m_precision > 0) {
        if (m_caret == intLength + 1) {
            m_caret = intLength;
        } else if (m_caret > intLength + 1) {
            m_text[--m_caret] = u'0';
        } else if (length == m_precision + 2 && m_caret == 1) {
            m_text[0] = u'0';
        } else {
            m_text.remove(--m_caret, 1);
        }
    } else if (length == 1) {
        m_text = QStringLiteral("0");
        m_caret = 0;
    } else {
        m_text.remove(--m_caret, 1);
    }
    return Finish(before, signBefore, false);
}

TwNumText::Effect TwNumText::Delete()
{
    if (m_text.isEmpty())
        return {};
    if (HasSelection())
        return DeleteSelection();
    m_selActive = false;
    const QString before = m_text;
    const int length = m_text.size();
    const int intLength = IntLength();
    if (m_enableNull && length == 1 && m_caret == 0)
        return Clear();
    if (m_caret >= length)
        return {};
    if (m_precision > 0) {
        if (m_caret == intLength) {
            ++m_caret;
        } else if (m_caret > intLength) {
            m_text[m_caret++] = u'0';
        } else if (length == m_precision + 2 && m_caret == 0) {
            m_text[0] = u'0';
            ++m_caret;
        } else {
            m_text.remove(m_caret, 1);
        }
    } else if (length == 1) {
        m_text = QStringLiteral("0");
        if (m_caret == 0)
            m_caret = 1;
    } else {
        m_text.remove(m_caret, 1);
    }
    return Finish(before, m_sign, false);
}

TwNumText::Effect TwNumText::DeleteSelection()
{
    const int start = SelStart();
    const int end = SelEnd();
    m_selActive = false;
    if (start >= end)
        return {};
    if (start == 0 && end >= m_text.size()) {
        if (m_enableNull)
            return Clear();
        Effect effect = SetValue(0);
        m_caret = IntLength();
        return effect;
    }
    const QString before = m_text;
    const int intLength = IntLength();
    if (end > intLength) {
        for (int i = qMax(start, intLength + 1); i < end; ++i)
            m_text[i] = u'0';
        if (start < intLength)
            m_text.remove(start, intLength - start);
    } else {
        m_text.remove(start, end - start);
    }
    if (m_text.startsWith(u'.'))
        m_text.prepend(u'0');
    m_caret = start;
    return Finish(before, m_sign, false);
}

void TwNumText::MoveCaret(int index, bool extend)
{
    if (extend) {
        if (!m_selActive)
            m_selAnchor = m_caret;
        m_selActive = true;
    } else {
        m_selActive = false;
    }
    SetCaret(index);
}

TwNumText::Effect TwNumText::ClampOnExit()
{
    if (m_enableNull && IsEmpty())
        return {};
    return SetValue(Clamp(Value()));
}

QString TwNumText::FormatFixed(double value, int decimals)
{
    value = std::fabs(value);
    if (!std::isfinite(value))
        value = 0;
    decimals = qMax(0, decimals);
    // 18 significant digits d0.d1...d17 and the decimal exponent.
    const QString sci = QString::asprintf("%.17e", value);
    QString digits = sci.left(1) + sci.mid(2, 17);
    int exponent = sci.mid(sci.indexOf(u'e') + 1).toInt();
    int keep = exponent + 1 + decimals; // digits before the rounding position
    if (value == 0 || keep < 0) {
        digits.clear();
        exponent = -1;
        keep = 0;
    } else if (keep < digits.size()) {
        const bool up = digits[keep] >= u'5';
        digits.truncate(keep);
        if (up) {
            int i = keep - 1;
            while (i >= 0 && digits[i] == u'9')
                digits[i--] = u'0';
            if (i >= 0) {
                digits[i] = QChar(digits[i].unicode() + 1);
            } else {
                digits.prepend(u'1');
                ++exponent;
            }
        }
    }
    // Place the digits around the point: exponent + 1 integer digits.
    const int intDigits = exponent + 1;
    QString intPart;
    QString fracPart;
    if (intDigits <= 0) {
        intPart = QStringLiteral("0");
        fracPart = QString(-intDigits, u'0') + digits;
    } else {
        intPart = digits.left(intDigits).leftJustified(intDigits, u'0');
        fracPart = digits.mid(intDigits);
    }
    fracPart = fracPart.leftJustified(decimals, u'0').left(decimals);
    return decimals > 0 ? intPart + u'.' + fracPart : intPart;
}

QString TwNumText::GroupDigits(const QString& digits, int intLength, QChar groupSep)
{
    if (groupSep.isNull())
        return digits;
    QString out;
    out.reserve(digits.size() + intLength / 3);
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && i < intLength && (intLength - i) % 3 == 0)
            out += groupSep;
        out += digits[i];
    }
    return out;
}

// Separators sit before digits j (0 < j < intLength) with (intLength - j) % 3 == 0.
static int SeparatorsUpTo(int last, int intLength)
{
    int count = 0;
    for (int j = 1; j <= qMin(last, intLength - 1); ++j)
        if ((intLength - j) % 3 == 0)
            ++count;
    return count;
}

int TwNumText::DisplayIndex(int index, int intLength, bool grouped)
{
    // The caret stands right after the digit before it, in front of a separator.
    return grouped ? index + SeparatorsUpTo(index - 1, intLength) : index;
}

int TwNumText::TextIndex(int displayIndex, int length, int intLength, bool grouped)
{
    if (!grouped)
        return qBound(0, displayIndex, length);
    for (int i = 0; i < length; ++i) {
        // Position of the digit i itself; a separator in front of it belongs to it.
        if (displayIndex <= i + SeparatorsUpTo(i, intLength))
            return i;
    }
    return length;
}
