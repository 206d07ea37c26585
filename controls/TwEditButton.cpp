#include "controls/TwEditButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

TwEditButton::TwEditButton(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
}

QRect TwEditButton::Placement(const QRect& cell)
{
    const int width = qMin(MaxWidth, cell.height());
    return QRect(cell.right() + 1 - width, cell.top(), width, cell.height());
}

QRect TwEditButton::EditorRect(const QRect& cell)
{
    QRect rest = cell;
    rest.setRight(Placement(cell).left() - 1);
    return rest;
}

void TwEditButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    qDrawWinButton(&painter, rect(), palette(), m_down, &palette().brush(QPalette::Button));
    // Three dots, one pixel further when pressed.
    const QPoint centre = rect().center() + (m_down ? QPoint(1, 1) : QPoint());
    const QColor ink = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
    for (int dx : {-4, 0, 4})
        painter.fillRect(QRect(centre.x() + dx - 1, centre.y() + 2, 2, 2), ink);
}

void TwEditButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_pressed = true;
    m_down = true;
    update();
}

void TwEditButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressed)
        return;
    const bool over = rect().contains(event->position().toPoint());
    if (over != m_down) {
        m_down = over;
        update();
    }
}

void TwEditButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return QWidget::mouseReleaseEvent(event);
    const bool over = rect().contains(event->position().toPoint());
    m_pressed = false;
    m_down = false;
    update();
    if (over && OnClick)
        OnClick();
}
