#pragma once

#include "controls/TwGridLines.h"
#include "controls/TwTypes.h"

// Grid lines plus the lines between columns inside a group level and between
// levels.
class TwGridLinesEx : public TwGridLines
{
public:
    explicit TwGridLinesEx(const QColor& innerColor = TwColors::Silver())
        : m_cellColor(innerColor), m_levelColor(innerColor)
    {
    }

    QColor CellColor() const { return m_cellColor; }
    void SetCellColor(const QColor& value) { m_cellColor = value; }
    Qt::PenStyle CellStyle() const { return m_cellStyle; }
    void SetCellStyle(Qt::PenStyle value) { m_cellStyle = value; }
    int CellWidth() const { return m_cellWidth; }
    void SetCellWidth(int value) { m_cellWidth = qBound(0, value, 0xFFFF); }
    QColor LevelColor() const { return m_levelColor; }
    void SetLevelColor(const QColor& value) { m_levelColor = value; }
    Qt::PenStyle LevelStyle() const { return m_levelStyle; }
    void SetLevelStyle(Qt::PenStyle value) { m_levelStyle = value; }
    int LevelWidth() const { return m_levelWidth; }
    void SetLevelWidth(int value) { m_levelWidth = qBound(0, value, 0xFFFF); }

private:
    QColor m_cellColor;
    Qt::PenStyle m_cellStyle = Qt::SolidLine;
    int m_cellWidth = 1;
    QColor m_levelColor;
    Qt::PenStyle m_levelStyle = Qt::SolidLine;
    int m_levelWidth = 1;
};
