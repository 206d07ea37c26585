#include "controls/TwInRadioGroup.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>

#include "controls/EConvertError.h"
#include "controls/TwInplaceRules.h"
#include "controls/TwMemColumn.h"

namespace {
constexpr int kIndicator = 13;
constexpr int kGap = 4;

// What a cell of the column shows for value `k`.
QString CaptionOf(const TwMemColumn& column, int k)
{
    const QString& value = column.Values().at(k);
    if (column.DataType() == wdtBool)
        return column.HasItemPairs() ? column.Items().at(k) : value;
    try {
        return column.FormatValue(value, nullptr);
    } catch (const EConvertError&) {
        return value;
    }
}
} // namespace

TwInRadioGroup::TwInRadioGroup(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void TwInRadioGroup::SetupFromColumn(const TwMemColumn& column)
{
    m_captions.clear();
    for (int k = 0; k < column.Values().size(); ++k)
        m_captions << CaptionOf(column, k);
    if (m_captions.isEmpty() && column.DataType() == wdtBool)
        m_captions << column.BoolText(false) << column.BoolText(true);
    m_columns = qMax(1, column.RadioColumns());
    m_color = TwInplaceRules::EditorColor(column);
    m_alignment = TwInplaceRules::Alignment(column);
    m_index = -1;
    setFont(column.Font());
    update();
}

void TwInRadioGroup::SetValue(const QVariant& value)
{
    bool ok = false;
    const int index = value.isValid() && !value.isNull() ? value.toInt(&ok) : -1;
    m_index = ok && index >= 0 && index < m_captions.size() ? index : -1;
    update();
}

QVariant TwInRadioGroup::Value() const
{
    return m_index >= 0 ? QVariant(m_index) : QVariant();
}

int TwInRadioGroup::Rows() const
{
    return qMax(1, int((m_captions.size() + m_columns - 1) / m_columns));
}

QRect TwInRadioGroup::ButtonRect(int index) const
{
    if (index < 0 || index >= m_captions.size())
        return {};
    const QRect area = rect().adjusted(2, 1, -2, -1);
    const int rows = Rows();
    const int column = index / rows;
    const int row = index % rows;
    const int width = area.width() / m_columns;
    const int top = area.top() + area.height() * row / rows;
    const int bottom = area.top() + area.height() * (row + 1) / rows;
    return QRect(area.left() + column * width, top, width, bottom - top);
}

void TwInRadioGroup::Choose(int index)
{
    if (index == m_index || index < 0 || index >= m_captions.size())
        return;
    if (m_canModify && !m_canModify()) {
        QApplication::beep();
        return;
    }
    m_index = index;
    update();
}

void TwInRadioGroup::Toggle()
{
    if (!m_captions.isEmpty())
        Choose((m_index + 1) % m_captions.size());
}

bool TwInRadioGroup::KeepsKey(const QKeyEvent& event) const
{
    // Up and Down move inside a column of buttons; at its ends they leave.
    if (m_index < 0 || event.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    const int row = m_index % Rows();
    if (event.key() == Qt::Key_Up)
        return row > 0;
    if (event.key() == Qt::Key_Down)
        return row < Rows() - 1 && m_index + 1 < m_captions.size();
    return false;
}

void TwInRadioGroup::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up: Choose(m_index - 1); break;
    case Qt::Key_Right:
    case Qt::Key_Down: Choose(m_index + 1); break;
    default: QWidget::keyPressEvent(event); return;
    }
}

void TwInRadioGroup::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    for (int i = 0; i < m_captions.size(); ++i)
        if (ButtonRect(i).contains(event->position().toPoint()))
            Choose(i);
}

void TwInRadioGroup::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
    const QFontMetrics fm = fontMetrics();
    for (int i = 0; i < m_captions.size(); ++i) {
        const QRect cell = ButtonRect(i);
        const int content = qMin(cell.width(), kIndicator + kGap + fm.horizontalAdvance(m_captions[i]));
        int left = cell.left();
        if (m_alignment & Qt::AlignRight)
            left = cell.right() + 1 - content;
        else if (m_alignment & Qt::AlignHCenter)
            left = cell.left() + (cell.width() - content) / 2;
        QStyleOptionButton option;
        option.initFrom(this);
        option.rect = QRect(left, cell.top() + (cell.height() - kIndicator) / 2, kIndicator, kIndicator);
        option.state |= i == m_index ? QStyle::State_On : QStyle::State_Off;
        if (!(i == m_index && hasFocus()))
            option.state &= ~QStyle::State_HasFocus;
        style()->drawPrimitive(QStyle::PE_IndicatorRadioButton, &option, &painter, this);
        const QRect text(option.rect.right() + 1 + kGap, cell.top(), cell.right() - option.rect.right() - kGap,
                         cell.height());
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(text, int(Qt::AlignLeft | Qt::AlignVCenter), fm.elidedText(m_captions[i], Qt::ElideRight, text.width()));
    }
}
