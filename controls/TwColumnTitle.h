#pragma once

#include "controls/TwTitle.h"

class TwColumn;

// The title cell of one column; its font and margins follow the column's
// until given, and it can show a sort mark.
class TwColumnTitle : public TwTitle
{
public:
    explicit TwColumnTitle(TwColumn* column);

    TwColumn* Column() const { return m_column; }
    TwSortMark SortMark() const { return m_sortMark; }
    void SetSortMark(TwSortMark value);

protected:
    QFont DefaultFont() const override;
    QMargins DefaultMargins() const override;

private:
    TwColumn* m_column;
    TwSortMark m_sortMark = wsmNone;
};
