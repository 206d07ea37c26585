#include "controls/TwInCheckEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>

#include "controls/EConvertError.h"
#include "controls/TwInplaceRules.h"
#include "controls/TwMemColumn.h"

namespace {
constexpr int kBoxSide = 13;
constexpr int kGap = 4;

// What a cell of the column shows for a Boolean value.
QString CellTextOf(const TwMemColumn& column, bool value)
{
    if (column.DataType() == wdtBool) {
        const bool pairs = column.HasItemPairs() && column.Values().size() > 1;
        return pairs ? column.Items().at(value ? 1 : 0) : column.BoolText(value);
    }
    try {
        return column.FormatValue(column.BoolText(value), nullptr);
    } catch (const EConvertError&) {
        return column.BoolText(value);
    }
}
} // namespace

TwInCheckEdit::TwInCheckEdit(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void TwInCheckEdit::SetupFromColumn(const TwMemColumn& column)
{
    m_color = TwInplaceRules::EditorColor(column);
    m_alignment = TwInplaceRules::Alignment(column);
    m_ctl3D = column.Ctl3D();
    m_falseText = CellTextOf(column, false);
    m_trueText = CellTextOf(column, true);
    setFont(column.Font());
    update();
}

void TwInCheckEdit::SetValue(const QVariant& value)
{
    if (value.isValid() && !value.isNull() && value.canConvert<bool>())
        m_value = value.toBool();
    else
        m_value.reset();
    update();
}

QVariant TwInCheckEdit::Value() const
{
    return m_value.has_value() ? QVariant(*m_value) : QVariant();
}

bool TwInCheckEdit::Allowed()
{
    if (!m_canModify || m_canModify())
        return true;
    QApplication::beep();
    return false;
}

void TwInCheckEdit::Toggle()
{
    if (!Allowed())
        return;
    m_value = !m_value.value_or(false);
    update();
}

void TwInCheckEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        Toggle();
    } else if (event->key() == Qt::Key_Delete && !(event->modifiers() & Qt::ControlModifier)) {
        if (m_value.has_value() && Allowed()) {
            m_value.reset();
            update();
        }
    } else {
        QWidget::keyPressEvent(event);
    }
}

void TwInCheckEdit::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    Toggle();
}

QRect TwInCheckEdit::PlaceBox(const QRect& area, int side, int contentWidth) const
{
    int left = area.left();
    if (m_alignment & Qt::AlignRight)
        left = area.right() + 1 - contentWidth;
    else if (m_alignment & Qt::AlignHCenter)
        left = area.left() + (area.width() - contentWidth) / 2;
    int top = area.top() + (area.height() - side) / 2;
    if (m_alignment & Qt::AlignTop)
        top = area.top();
    else if (m_alignment & Qt::AlignBottom)
        top = area.bottom() + 1 - side;
    return QRect(qMax(area.left(), left), top, side, side);
}

void TwInCheckEdit::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
    PaintValue(painter, rect().adjusted(2, 1, -2, -1));
}

void TwInCheckEdit::PaintValue(QPainter& painter, const QRect& area)
{
    const QString caption = m_value.has_value() ? Caption(*m_value) : QString();
    const int textWidth = caption.isEmpty() ? 0 : kGap + fontMetrics().horizontalAdvance(caption);
    const QRect box = PlaceBox(area, kBoxSide, kBoxSide + textWidth);
    if (m_ctl3D) {
        QStyleOptionButton option;
        option.initFrom(this);
        option.rect = box;
        option.state |= !m_value.has_value() ? QStyle::State_NoChange
                        : *m_value           ? QStyle::State_On
                                             : QStyle::State_Off;
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);
    } else {
        painter.save();
        painter.setPen(palette().color(QPalette::Text));
        painter.setBrush(m_value.has_value() ? palette().color(QPalette::Base) : TwColors::Silver());
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        if (m_value.value_or(false)) {
            painter.setPen(QPen(palette().color(QPalette::Text), 2));
            painter.drawPolyline(QPolygon({box.topLeft() + QPoint(3, 6), box.topLeft() + QPoint(5, 9),
                                           box.topLeft() + QPoint(10, 3)}));
        }
        painter.restore();
    }
    if (caption.isEmpty())
        return;
    const QRect textArea(box.right() + 1 + kGap, area.top(), qMax(0, area.right() - box.right() - kGap), area.height());
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(textArea, int((m_alignment & Qt::AlignVertical_Mask) | Qt::AlignLeft), caption);
}
