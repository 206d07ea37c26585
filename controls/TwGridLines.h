#pragma once

#include <QColor>

// Pens of the lines between cells: horizontal and vertical colour, style and
// width.
class TwGridLines
{
public:
    explicit TwGridLines(const QColor& horzColor = Qt::black) : m_horzColor(horzColor) {}
    virtual ~TwGridLines() = default;

    QColor HorzColor() const { return m_horzColor; }
    void SetHorzColor(const QColor& value) { m_horzColor = value; }
    Qt::PenStyle HorzStyle() const { return m_horzStyle; }
    void SetHorzStyle(Qt::PenStyle value) { m_horzStyle = value; }
    int HorzWidth() const { return m_horzWidth; }
    void SetHorzWidth(int value) { m_horzWidth = qBound(0, value, 0xFFFF); }
    QColor VertColor() const { return m_vertColor; }
    void SetVertColor(const QColor& value) { m_vertColor = value; }
    Qt::PenStyle VertStyle() const { return m_vertStyle; }
    void SetVertStyle(Qt::PenStyle value) { m_vertStyle = value; }
    int VertWidth() const { return m_vertWidth; }
    void SetVertWidth(int value) { m_vertWidth = qBound(0, value, 0xFFFF); }

private:
    QColor m_horzColor;
    Qt::PenStyle m_horzStyle = Qt::SolidLine;
    int m_horzWidth = 1;
    QColor m_vertColor = Qt::black;
    Qt::PenStyle m_vertStyle = Qt::SolidLine;
    int m_vertWidth = 1;
};
