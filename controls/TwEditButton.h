#pragma once

#include <QWidget>
#include <functional>

// The small ellipsis button at the right edge of the current cell of a
// column with `EditButton`. The grid places it with `Placement` (and the
// editor over `EditorRect`), and turns `OnClick` into its
// `OnEditButtonClick(AColumn)`. A click is a press and a release of the left
// button over it; it never takes the focus.
class TwEditButton : public QWidget
{
    Q_OBJECT

public:
    explicit TwEditButton(QWidget* parent = nullptr);

    // The button's rectangle inside a cell: the cell's full height, at most
    // `MaxWidth` pixels wide, at its right edge.
    static QRect Placement(const QRect& cell);
    // What is left of the cell for the editor.
    static QRect EditorRect(const QRect& cell);
    static constexpr int MaxWidth = 16;

    bool IsDown() const { return m_down; }

    std::function<void()> OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false; // the left button went down over it
    bool m_down = false;    // drawn pressed: pressed and the pointer is over it
};
