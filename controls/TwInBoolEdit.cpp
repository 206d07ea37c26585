#include "controls/TwInBoolEdit.h"

#include <QPainter>

void TwInBoolEdit::PaintValue(QPainter& painter, const QRect& area)
{
    if (!CurrentValue().value_or(false))
        return;
    const QRect box = PlaceBox(area, 11, 11);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Text), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(box.left() + 1, box.top() + 5.5), QPointF(box.left() + 4, box.bottom() - 1),
                                    QPointF(box.right(), box.top() + 1)}));
    painter.restore();
}
