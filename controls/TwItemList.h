#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>

#include "controls/TwItemListModel.h"

class QScrollBar;

// The drop-down list of a pick list: several columns per line, an optional
// title row, a selected line and incremental search. It sizes itself from
// its texts each time it is opened (`DropDownSize`).
class TwItemList : public QWidget
{
    Q_OBJECT

public:
    explicit TwItemList(QWidget* parent = nullptr);

    const TwItemListModel& Model() const { return m_model; }
    void SetModel(const TwItemListModel& model);
    const TwItemListOption& Option() const { return m_model.Option(); }
    // Pictures shown at the start of a line, picked by `OnGetImageIndex`.
    void SetImages(const QList<QPixmap>& images);

    int ItemIndex() const { return m_itemIndex; } // selected line, -1 none
    void SetItemIndex(int line);
    int TopLine() const { return m_topLine; }
    int VisibleLines() const;
    // Selects the first line starting with `text`; none when nothing matches.
    int Search(const QString& text);
    // Up, Down, PgUp, PgDn, Home and End; false for other keys.
    bool MoveSelection(int key);

    // Geometry as the list opens.
    int LineHeight() const;
    int TitleHeight() const;
    int CharUnit() const;
    // Width of a column in character cells.
    int ColumnChars(int column) const;
    // Character cells of a text: two for every non-ASCII character.
    static int TextUnits(const QString& text);
    int ColumnWidth(int column) const { return ColumnChars(column) * CharUnit() + 2; }
    int NaturalWidth() const;
    QSize DropDownSize(int editorWidth) const;

    std::function<void(int line)> OnLineClick;
    std::function<void(int line, int& index)> OnGetImageIndex;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static constexpr int kFrame = 1;
    int ImageIndex(int line) const;
    int LineAt(const QPoint& pos) const;
    int Rows() const; // lines that fit the current height
    void ScrollTo(int line);
    void UpdateScrollBar();
    void PaintLine(class QPainter& painter, int line, int top);

    TwItemListModel m_model;
    QList<QPixmap> m_images;
    int m_itemIndex = -1;
    int m_topLine = 0;
    int m_pressedLine = -1;
    QScrollBar* m_scrollBar;
};
