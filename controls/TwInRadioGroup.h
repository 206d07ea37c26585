#pragma once

#include <QStringList>
#include <QWidget>

#include "controls/TwInplaceEditor.h"
#include "controls/TwTypes.h"

class QPainter;

// The radio group the grid places over a cell (editor kind 5): one button
// per value of the column, captioned as the cell shows that value (the
// `Items` text when `Items` and `Values` pair), arranged top to bottom in
// `RadioColumns` columns. A Boolean column without values has the buttons
// for False and True. The value is the chosen button's index into `Values`,
// Null when none is chosen. Clicks and arrow keys choose, when the column
// may be modified; Up/Down stay inside a column of buttons.
class TwInRadioGroup : public QWidget, public TwInplaceEditor
{
    Q_OBJECT

public:
    explicit TwInRadioGroup(QWidget* parent = nullptr);

    QWidget* Widget() override { return this; }
    void SetupFromColumn(const TwMemColumn& column) override;
    // An index; Null, or one outside the buttons, chooses none.
    void SetValue(const QVariant& value) override;
    QVariant Value() const override;
    bool AtTextStart() const override { return m_index <= 0; }
    bool AtTextEnd() const override { return m_index >= m_captions.size() - 1; }
    // Chooses the next button, after the last the first.
    bool TogglesOnClick() const override { return true; }
    void Toggle() override;
    bool KeepsKey(const QKeyEvent& event) const override;
    void SetCanModify(std::function<bool()> check) override { m_canModify = std::move(check); }

    const QStringList& Captions() const { return m_captions; }
    int ItemIndex() const { return m_index; }
    int Columns() const { return m_columns; }
    // Where button `index` lies.
    QRect ButtonRect(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int Rows() const;
    void Choose(int index);

    QStringList m_captions;
    int m_columns = 1;
    int m_index = -1;
    QColor m_color = TwColors::Window();
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    std::function<bool()> m_canModify;
};
