#pragma once

#include <QWidget>
#include <optional>

#include "controls/TwInplaceEditor.h"
#include "controls/TwTypes.h"

class QPainter;

// The check box the grid places over a Boolean cell (editor kind 3): a box
// and, beside it, the text the cell shows for the value, placed by the
// column's alignment and layout, 3-D when the column is. It may be empty
// (Null). Space or a left click toggles (empty becomes True), Delete empties;
// each change is allowed only when the column may be modified.
class TwInCheckEdit : public QWidget, public TwInplaceEditor
{
    Q_OBJECT

public:
    explicit TwInCheckEdit(QWidget* parent = nullptr);

    QWidget* Widget() override { return this; }
    void SetupFromColumn(const TwMemColumn& column) override;
    // A Boolean; Null (or anything that is not one) empties the box.
    void SetValue(const QVariant& value) override;
    QVariant Value() const override;
    bool TogglesOnClick() const override { return true; }
    void Toggle() override;
    void SetCanModify(std::function<bool()> check) override { m_canModify = std::move(check); }

    bool IsEmpty() const { return !m_value.has_value(); }
    // The text shown beside the box for a value.
    QString Caption(bool value) const { return value ? m_trueText : m_falseText; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Draws the value inside the client area (without the background).
    virtual void PaintValue(QPainter& painter, const QRect& area);
    bool Allowed();
    // A square of `side` pixels placed in `area` by the column's alignment.
    QRect PlaceBox(const QRect& area, int side, int contentWidth) const;
    std::optional<bool> CurrentValue() const { return m_value; }

private:
    std::optional<bool> m_value;
    QColor m_color = TwColors::Window();
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool m_ctl3D = true;
    QString m_falseText = QStringLiteral("False");
    QString m_trueText = QStringLiteral("True");
    std::function<bool()> m_canModify;
};
