#pragma once

#include <QPixmap>
#include <QString>

#include "controls/TwDrawObject.h"

// A title cell: caption, optional picture, and whether it acts as a button.
class TwTitle : public TwDrawObject
{
public:
    explicit TwTitle(TwCustomGrid* grid);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& value);
    // A clicking title shows pressed while held and fires its click event.
    bool Clicking() const { return m_clicking; }
    void SetClicking(bool value) { m_clicking = value; }
    QPixmap Image() const { return m_image; }
    void SetImage(const QPixmap& value);
    TwImageLayout ImageLayout() const { return m_imageLayout; }
    void SetImageLayout(TwImageLayout value);

private:
    QString m_caption;
    bool m_clicking = false;
    QPixmap m_image;
    TwImageLayout m_imageLayout = wimgNone;
};
