#include "framework/TStatusBar.h"

#include <QPainter>

#include "controls/ESelvarError.h"

namespace {
constexpr int BarHeight = 23;
constexpr int PanelGap = 2;
constexpr int TextMargin = 4;
} // namespace

TStatusBar::TStatusBar(int panelCount, QWidget* parent) : QWidget(parent), m_panels(size_t(panelCount))
{
    setFixedHeight(BarHeight);
}

TStatusBar::Panel& TStatusBar::At(int index)
{
    if (index < 0 || index >= PanelCount())
        throw ESelvarError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return m_panels[size_t(index)];
}

const TStatusBar::Panel& TStatusBar::At(int index) const
{
    return const_cast<TStatusBar*>(this)->At(index);
}

QString TStatusBar::PanelText(int index) const { return At(index).text; }

void TStatusBar::SetPanelText(int index, const QString& text)
{
    At(index).text = text;
    update();
}

int TStatusBar::PanelWidth(int index) const { return At(index).width; }

void TStatusBar::SetPanelWidth(int index, int width)
{
    At(index).width = qMax(0, width);
    update();
}

Qt::Alignment TStatusBar::PanelAlignment(int index) const { return At(index).alignment; }

void TStatusBar::SetPanelAlignment(int index, Qt::Alignment alignment)
{
    At(index).alignment = alignment;
    update();
}

QSize TStatusBar::sizeHint() const
{
    int width = 0;
    for (const Panel& panel : m_panels)
        width += panel.width;
    return QSize(width, BarHeight);
}

void TStatusBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colors = palette();
    painter.fillRect(rect(), colors.color(QPalette::Active, QPalette::Window));
    const QColor shadow = colors.color(QPalette::Active, QPalette::Dark);
    const QColor light = colors.color(QPalette::Active, QPalette::Light);
    painter.setPen(colors.color(QPalette::Active, QPalette::WindowText));
    int x = 0;
    for (size_t i = 0; i < m_panels.size(); ++i) {
        const Panel& panel = m_panels[i];
        if (panel.width <= 0)
            continue;
        // The last panel reaches the right edge, as the bar's own end.
        const int width = i + 1 == m_panels.size() ? qMax(panel.width, this->width() - x) : panel.width;
        const QRect cell(x, PanelGap, width - PanelGap, height() - PanelGap);
        painter.save();
        painter.setPen(shadow);
        painter.drawLine(cell.topLeft(), cell.topRight());
        painter.drawLine(cell.topLeft(), cell.bottomLeft());
        painter.setPen(light);
        painter.drawLine(cell.bottomLeft(), cell.bottomRight());
        painter.drawLine(cell.topRight(), cell.bottomRight());
        painter.restore();
        const QRect textRect = cell.adjusted(TextMargin, 1, -TextMargin, -1);
        const QString text = painter.fontMetrics().elidedText(panel.text, Qt::ElideRight, textRect.width());
        painter.drawText(textRect, int(panel.alignment | Qt::AlignVCenter), text);
        x += panel.width;
    }
}
