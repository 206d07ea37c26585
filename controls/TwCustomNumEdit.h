#pragma once

#include <QColor>
#include <QVariant>
#include <QWidget>
#include <functional>

#include "controls/TwNumText.h"
#include "controls/TwTypes.h"

class QPainter;
class TwColumn;

// A right-aligned field that only ever holds a number. It paints its own text
// and caret; thousands separators exist only on screen, the decimal point
// never moves while typing. `TwNumEdit` publishes it for forms; the grid's
// in-place number editor derives from it and routes keys through
// `HandleKey`/`HandleChar` after its own checks.
class TwCustomNumEdit : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE SetValue)

public:
    enum BorderStyle { bsNone, bsSingle };

    explicit TwCustomNumEdit(QWidget* parent = nullptr);

    double Value() const { return m_num.Value(); }
    void SetValue(double value);
    bool IsEmpty() const { return m_num.IsEmpty(); }
    // Empties the field (with `EnableNull`; otherwise it becomes 0).
    void Clear();
    // The editing model: digit text, sign, caret and selection.
    const TwNumText& Num() const { return m_num; }

    // Value exchange with a grid cell: Null stands for the empty field; what
    // comes back is clamped to the range.
    void SetCellValue(const QVariant& value);
    QVariant CellValue() const;

    bool AutoSelect() const { return m_autoSelect; }
    void SetAutoSelect(bool value) { m_autoSelect = value; }
    BorderStyle Border() const { return m_borderStyle; }
    void SetBorderStyle(BorderStyle value);
    bool Ctl3D() const { return m_ctl3D; }
    void SetCtl3D(bool value);
    QColor Color() const { return m_color; }
    void SetColor(const QColor& value);
    bool EnableNull() const { return m_num.EnableNull(); }
    void SetEnableNull(bool value);
    TwTextLayout Layout() const { return m_layout; }
    void SetLayout(TwTextLayout value);
    int MaxLength() const { return m_num.MaxLength(); }
    void SetMaxLength(int value);
    double MaxValue() const { return m_num.MaxValue(); }
    void SetMaxValue(double value) { m_num.SetMaxValue(value); }
    double MinValue() const { return m_num.MinValue(); }
    void SetMinValue(double value) { m_num.SetMinValue(value); }
    int Precision() const { return m_num.Precision(); }
    void SetPrecision(int value);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    bool Spinner() const { return m_spinner; }
    void SetSpinner(bool value);
    bool Spinner3D() const { return m_spinner3D; }
    void SetSpinner3D(bool value);
    bool ThousandSep() const { return m_thousandSep; }
    void SetThousandSep(bool value);

    // The text as painted, without the sign ("1,234.50").
    QString DisplayText() const;

    // Sets the field up from a grid column: decimals and grouping from its
    // edit format, digit limit, range texts (empty or unreadable = 0) and
    // spin buttons.
    static void SetupFromColumn(TwCustomNumEdit& edit, const QString& editFormat, int maxLength,
                                const QString& maxValue, const QString& minValue, bool spin);
    // The same from the column itself, with its colour (the window colour
    // when it has `EditColor`), font and layout; `spin` for the spin kind.
    static void SetupFromColumn(TwCustomNumEdit& edit, const TwColumn& column, bool spin);
    // Number of "0"/"#" characters right after the first "." of a format.
    static int PrecisionOfFormat(const QString& editFormat);

    std::function<void(QObject* Sender)> OnChange;
    // The focus left the box (after the value was clamped).
    std::function<void(QObject* Sender)> OnExit;
    std::function<void(QObject* Sender, int Delta, bool& Accept)> OnSpinClick;
    // May change the typed character or drop it (set to a null QChar).
    std::function<void(QObject* Sender, QChar& Key)> OnKeyPress;

    QSize sizeHint() const override { return {121, 21}; }

    // Key handling without any routing; true when the key was used.
    bool HandleKey(QKeyEvent* event);
    void HandleChar(QChar ch);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // The editing model for caret and selection moves of derived editors.
    TwNumText& EditNum() { return m_num; }
    // Applies an edit's outcome: repaint, beep, change event.
    void Apply(TwNumText::Effect effect);
    void Beep();
    void Copy();
    void Cut();
    void Paste();
    // More whole digits than MaxLength leaves room for beside the decimals.
    bool TooManyDigits(const QString& number) const;

    QRect TextRect() const;
    QRect SpinRect() const;
    // The digit-text index under a point of the text area.
    int IndexAt(const QPoint& pos) const;

private:
    int FrameWidth() const;
    QChar GroupSeparator() const;
    int TextLeft(const QString& display) const;
    void PaintSpinner(QPainter& painter);
    void PaintText(QPainter& painter);

    TwNumText m_num;
    bool m_autoSelect = true;
    BorderStyle m_borderStyle = bsSingle;
    bool m_ctl3D = true;
    QColor m_color = TwColors::Window();
    TwTextLayout m_layout = tlCenter;
    bool m_readOnly = false;
    bool m_spinner = false;
    bool m_spinner3D = true;
    bool m_thousandSep = true;
    // Spin state: pressed half (+1 upper, -1 lower, 0 none), drawn pressed.
    int m_spinPressed = 0;
    bool m_spinDown = false;
};
