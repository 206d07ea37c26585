#pragma once

#include <QChar>
#include <QString>

// The editing model of a numeric field, free of any widget so that the
// stand-alone field and the grid's in-place field share it.
//
// The digit text holds the absolute value with exactly `Precision` decimals
// and "." as the decimal point (1234.50, or 1234 without decimals); the sign
// is kept apart. An empty text is the null state, reachable only with
// `EnableNull`. The caret and the selection are indexes into the digit text.
class TwNumText
{
public:
    // What an edit did: `Change` asks the owner to fire its change event,
    // `Beep` to signal a refused key.
    struct Effect {
        bool Change = false;
        bool Beep = false;
    };

    const QString& Text() const { return m_text; }
    bool IsEmpty() const { return m_text.isEmpty(); }
    int Sign() const { return m_sign; }
    int Caret() const { return m_caret; }
    void SetCaret(int index);
    // Length of the integer part of the digit text.
    int IntLength() const;

    // Selection; `SelStart`/`SelEnd` are ordered, the anchor is where it began.
    bool SelActive() const { return m_selActive; }
    int SelStart() const;
    int SelEnd() const;
    bool HasSelection() const { return m_selActive && SelStart() < SelEnd(); }
    void Select(int anchor, int caret);
    void SelectAll() { Select(0, m_text.size()); }
    void SelectIntegerPart() { Select(0, IntLength()); }
    void DropSelection() { m_selActive = false; }
    QString SelectedText() const;

    int Precision() const { return m_precision; }
    int MaxLength() const { return m_maxLength; }
    // Both keep `MaxLength` >= `Precision` (when limited) and rewrite a
    // non-empty value with the new settings.
    Effect SetPrecision(int value);
    Effect SetMaxLength(int value);
    bool EnableNull() const { return m_enableNull; }
    // Turning the null state off leaves an empty field at 0.
    Effect SetEnableNull(bool value);
    double MinValue() const { return m_minValue; }
    double MaxValue() const { return m_maxValue; }
    void SetMinValue(double value) { m_minValue = value; }
    void SetMaxValue(double value) { m_maxValue = value; }
    bool RangeActive() const { return m_minValue != m_maxValue; }
    double Clamp(double value) const;

    double Value() const;
    // Writes the value with `Precision` decimals; the caret goes to the end.
    // Changes only when the digit text changes (a new sign alone does not).
    Effect SetValue(double value);
    Effect Clear();

    // Key handling; each returns what the owner must do.
    Effect TypeChar(QChar ch);
    Effect Backspace();
    Effect Delete();
    Effect DeleteSelection();
    // Caret keys: without `extend` the selection ends, with it the selection
    // starts at the old caret or follows the caret.
    void MoveCaret(int index, bool extend);
    // Leaving the field: the range is enforced unless the field is null.
    Effect ClampOnExit();
    Effect Spin(int delta) { return SetValue(Clamp(Value() + delta)); }

    // |value| with `decimals` decimals, taken to 18 significant digits and
    // rounded half away from zero; no sign, no grouping.
    static QString FormatFixed(double value, int decimals);
    // Display text of a digit text: groups of three in the integer part
    // joined by `groupSep` (none when it is null).
    static QString GroupDigits(const QString& digits, int intLength, QChar groupSep);
    // Display position of a digit-text index when grouped as above.
    static int DisplayIndex(int index, int intLength, bool grouped);
    // The digit-text index of a display position (a separator counts as the
    // digit after it).
    static int TextIndex(int displayIndex, int length, int intLength, bool grouped);

private:
    Effect Finish(const QString& before, int signBefore, bool signCounts);
    Effect TypeDigit(QChar digit);
    Effect TypeMinus();
    void TypePoint();
    int DigitCount() const { return m_text.size() - (m_precision > 0 ? 1 : 0); }
    bool AtDigitLimit() const { return m_maxLength > 0 && DigitCount() >= m_maxLength; }
    void ReplaceWithValue(double value);

    QString m_text = QStringLiteral("0");
    int m_sign = 1;
    int m_caret = 1;
    bool m_selActive = false;
    int m_selAnchor = 0;
    int m_precision = 0;
    int m_maxLength = 10;
    bool m_enableNull = false;
    double m_minValue = 0;
    double m_maxValue = 0;
};
