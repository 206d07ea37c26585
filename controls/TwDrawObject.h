#pragma once

#include <QColor>
#include <QFont>
#include <QMargins>

#include "controls/TwTypes.h"

class TwCustomGrid;

// Style of a painted cell that is not a data cell. Each property reads the
// owner's default until it is given a value, so a style follows its owner.
class TwDrawObject
{
public:
    explicit TwDrawObject(TwCustomGrid* grid);
    virtual ~TwDrawObject() = default;
    TwDrawObject(const TwDrawObject&) = delete;
    TwDrawObject& operator=(const TwDrawObject&) = delete;

    TwCustomGrid* Grid() const { return m_grid; }

    Qt::Alignment Alignment() const;
    void SetAlignment(Qt::Alignment value);
    TwCellStyle CellStyle() const { return m_cellStyle; }
    void SetCellStyle(TwCellStyle value);
    QColor Color() const;
    void SetColor(const QColor& value);
    TwFitStyle FitStyle() const;
    void SetFitStyle(TwFitStyle value);
    QFont Font() const;
    void SetFont(const QFont& value);
    TwTextLayout Layout() const;
    void SetLayout(TwTextLayout value);
    int MarginLeft() const { return Margins().left(); }
    int MarginTop() const { return Margins().top(); }
    int MarginRight() const { return Margins().right(); }
    int MarginBottom() const { return Margins().bottom(); }
    void SetMarginLeft(int value);
    void SetMarginTop(int value);
    void SetMarginRight(int value);
    void SetMarginBottom(int value);
    bool WordWrap() const;
    void SetWordWrap(bool value);

protected:
    virtual Qt::Alignment DefaultAlignment() const { return Qt::AlignHCenter; }
    virtual QColor DefaultColor() const { return TwColors::BtnFace(); }
    virtual TwFitStyle DefaultFitStyle() const { return wfitNone; }
    virtual QFont DefaultFont() const;
    virtual TwTextLayout DefaultLayout() const { return tlCenter; }
    virtual QMargins DefaultMargins() const { return QMargins(); }
    virtual bool DefaultWordWrap() const { return false; }
    virtual void Changed();

    QMargins Margins() const;
    void SetMargins(const QMargins& value);

    TwCellStyle m_cellStyle = wcsNormal;

private:
    enum Assigned { aAlignment = 1, aColor = 2, aFitStyle = 4, aFont = 8, aLayout = 16, aMargins = 32, aWordWrap = 64 };

    TwCustomGrid* m_grid;
    int m_assigned = 0;
    Qt::Alignment m_alignment;
    QColor m_color;
    TwFitStyle m_fitStyle = wfitNone;
    QFont m_font;
    TwTextLayout m_layout = tlCenter;
    QMargins m_margins;
    bool m_wordWrap = false;
};
