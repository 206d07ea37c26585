#pragma once

#include "controls/TwGridLines.h"
#include "controls/TwTypes.h"

// The optional check-mark column after the indicators; its content comes
// from OnDrawMarker.
class TwMarkers
{
public:
    bool Clicking() const { return m_clicking; }
    void SetClicking(bool value) { m_clicking = value; }
    TwImageLayout ImageLayout() const { return m_imageLayout; }
    void SetImageLayout(TwImageLayout value) { m_imageLayout = value; }
    TwGridLines& Lines() { return m_lines; }
    bool Sizing() const { return m_sizing; }
    void SetSizing(bool value) { m_sizing = value; }
    TwMarkerStyle Style() const { return m_style; }
    void SetStyle(TwMarkerStyle value) { m_style = value; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool value) { m_visible = value; }
    int Width() const { return m_width; }
    void SetWidth(int value) { m_width = qMax(0, value); }

private:
    bool m_clicking = false;
    TwImageLayout m_imageLayout = wimgAlone;
    TwGridLines m_lines;
    bool m_sizing = false;
    TwMarkerStyle m_style = wmsDefault;
    bool m_visible = false;
    int m_width = 15;
};
