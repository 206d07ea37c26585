#pragma once

#include <QWidget>

// A thin vertical bar between two side-by-side panels: dragging it changes the
// width of the panel on its left. Both panels keep their own parent, so the
// bar adds no level to the controls' nesting.
class TSplitter : public QWidget
{
    Q_OBJECT

public:
    TSplitter(QWidget* leftPanel, QWidget* parent = nullptr);

    int MinSize() const { return m_minSize; }
    void SetMinSize(int value) { m_minSize = value; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QWidget* m_left;
    int m_minSize = 30;
    int m_pressX = 0;
    int m_startWidth = 0;
    bool m_dragging = false;
};
