#include "framework/TPanel.h"

#include <QPainter>

TPanel::TPanel(QWidget* parent, TBevel bevel) : QFrame(parent), m_bevel(bevel)
{
    SetBevel(bevel);
}

void TPanel::SetBevel(TBevel bevel)
{
    m_bevel = bevel;
    // The edges are one pixel wide; keep children clear of them.
    const int edge = bevel == bvNone ? 0 : 1;
    setContentsMargins(bevel == bvTopLine ? 0 : edge, edge, bevel == bvTopLine ? 0 : edge,
                       bevel == bvTopLine ? 0 : edge);
    update();
}

void TPanel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_bevel == bvNone)
        return;
    QPainter painter(this);
    const QColor light = palette().color(QPalette::Active, QPalette::Light);
    const QColor dark = palette().color(QPalette::Active, QPalette::Dark);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    if (m_bevel == bvTopLine) {
        painter.setPen(dark);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.setPen(light);
        painter.drawLine(r.topLeft() + QPoint(0, 1), r.topRight() + QPoint(0, 1));
        return;
    }
    const bool raised = m_bevel == bvRaised;
    painter.setPen(raised ? light : dark);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(raised ? dark : light);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}
