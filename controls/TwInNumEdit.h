#pragma once

#include "controls/TwCustomNumEdit.h"
#include "controls/TwInplaceEditor.h"

// The numeric field the grid places over a number cell (editor kinds 6 and
// 7, the latter with spin buttons). It may be empty, has no border of its
// own, takes no tab stop and sets itself up from the column each time it is
// shown: decimals and grouping from `EditFormat`, digit limit, range,
// colour, font and layout. `Value` is the cell value: Null when empty, else
// the number clamped to the range.
class TwInNumEdit : public TwCustomNumEdit, public TwInplaceEditor
{
    Q_OBJECT

public:
    explicit TwInNumEdit(bool spin, QWidget* parent = nullptr);

    QWidget* Widget() override { return this; }
    void SetupFromColumn(const TwMemColumn& column) override;
    using TwCustomNumEdit::SetValue;
    void SetValue(const QVariant& value) override;
    QVariant Value() const override { return CellValue(); }
    void SelectAll() override;
    void CaretToEnd() override;
    bool AtTextStart() const override { return Num().Caret() == 0; }
    bool AtTextEnd() const override { return Num().Caret() >= Num().Text().size(); }
    void SetCanModify(std::function<bool()> check) override { m_canModify = std::move(check); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_spin;
    TwDataType m_dataType = wdtFloat;
    std::function<bool()> m_canModify;
};
