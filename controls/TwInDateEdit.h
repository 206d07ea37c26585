#pragma once

#include "controls/TwDateEdit.h"
#include "controls/TwInplaceEditor.h"
#include "controls/TwTypes.h"

// The date picker the grid places over a date cell (editor kind 8). It
// starts on today's date without a focus rectangle, may always be empty,
// and takes the column's `EditFormat` (the cell's own "yyyy-mm-dd" layout
// when it has none), alignment, font and colour. Reading the value commits
// the field being typed. Ctrl/Alt+Up/Down stay with the picker (field steps,
// the calendar); a step or a calendar is allowed only when the column may
// be modified.
class TwInDateEdit : public TwDateEdit, public TwInplaceEditor
{
    Q_OBJECT

public:
    explicit TwInDateEdit(QWidget* parent = nullptr);

    QWidget* Widget() override { return this; }
    void SetupFromColumn(const TwMemColumn& column) override;
    // A date-time; Null empties the picker.
    void SetValue(const QVariant& value) override { SetCellValue(value); }
    // Null when empty; a date column gets midnight of the date, a time
    // column the time on the zero day.
    QVariant Value() const override;
    // Selects the first field, which typed digits then replace.
    void SelectAll() override;
    void CaretToEnd() override;
    // Left and Right leave an empty picker; a filled one only with Ctrl.
    bool AtTextStart() const override { return Empty(); }
    bool AtTextEnd() const override { return Empty(); }
    bool KeepsKey(const QKeyEvent& event) const override;
    void SetCanModify(std::function<bool()> check) override { m_canModify = std::move(check); }

    TwDataType DataType() const { return m_dataType; }

protected:
    // The layout for a column without `EditFormat`.
    virtual QString DefaultFormat(TwDataType type) const;
    bool Allowed();
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    TwDataType m_dataType = wdtDate;
    std::function<bool()> m_canModify;
};
