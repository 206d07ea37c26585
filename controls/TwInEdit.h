#pragma once

#include "controls/TwCustomMaskEdit.h"
#include "controls/TwInplaceEditor.h"

// The single-line text editor the grid places over a cell. It takes the
// column's alignment, layout, margins, font, colour, border, case
// conversion, edit mask (text columns) and maximum length, and accepts only
// the characters that suit the column's type; a refused character beeps.
// Its value is the text, Null when empty.
class TwInEdit : public TwCustomMaskEdit, public TwInplaceEditor
{
    Q_OBJECT

public:
    explicit TwInEdit(QWidget* parent = nullptr);

    QWidget* Widget() override { return this; }
    void SetupFromColumn(const TwMemColumn& column) override;
    void SetValue(const QVariant& value) override;
    QVariant Value() const override;
    void SelectAll() override { selectAll(); }
    void CaretToEnd() override;
    bool AtTextStart() const override;
    bool AtTextEnd() const override;

    TwDataType DataType() const { return m_dataType; }
    bool AnyChar() const { return m_anyChar; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TwDataType m_dataType = wdtString;
    bool m_anyChar = true;
    TwEditCharCase m_charCase = ecNormal;
};
