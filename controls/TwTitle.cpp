#include "controls/TwTitle.h"

TwTitle::TwTitle(TwCustomGrid* grid) : TwDrawObject(grid)
{
    m_cellStyle = wcsRaised;
}

void TwTitle::SetCaption(const QString& value)
{
    m_caption = value;
    Changed();
}

void TwTitle::SetImage(const QPixmap& value)
{
    m_image = value;
    Changed();
}

void TwTitle::SetImageLayout(TwImageLayout value)
{
    m_imageLayout = value;
    Changed();
}
