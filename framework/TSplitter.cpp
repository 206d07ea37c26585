#include "framework/TSplitter.h"

#include <QMouseEvent>
#include <QPainter>

TSplitter::TSplitter(QWidget* leftPanel, QWidget* parent) : QWidget(parent), m_left(leftPanel)
{
    setFixedWidth(3);
    setCursor(Qt::SplitHCursor);
}

void TSplitter::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Active, QPalette::Window));
}

void TSplitter::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    m_pressX = int(event->globalPosition().x());
    m_startWidth = m_left->width();
}

void TSplitter::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    // The right-hand panel keeps at least the minimum size too.
    const int room = parentWidget() ? parentWidget()->width() - width() - m_minSize : m_startWidth;
    const int wanted = m_startWidth + int(event->globalPosition().x()) - m_pressX;
    m_left->setFixedWidth(qBound(m_minSize, wanted, qMax(m_minSize, room)));
}

void TSplitter::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
}
