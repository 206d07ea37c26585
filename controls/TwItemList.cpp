#include "controls/TwItemList.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

TwItemList::TwItemList(QWidget* parent) : QWidget(parent), m_scrollBar(new QScrollBar(Qt::Vertical, this))
{
    setFocusPolicy(Qt::StrongFocus);
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    m_scrollBar->hide();
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        m_topLine = value;
        update();
    });
}

void TwItemList::SetModel(const TwItemListModel& model)
{
    m_model = model;
    m_itemIndex = -1;
    m_topLine = 0;
    UpdateScrollBar();
    update();
}

void TwItemList::SetImages(const QList<QPixmap>& images)
{
    m_images = images;
    update();
}

void TwItemList::SetItemIndex(int line)
{
    m_itemIndex = line >= 0 && line < m_model.LineCount() ? line : -1;
    if (m_itemIndex >= 0)
        ScrollTo(m_itemIndex);
    update();
}

int TwItemList::VisibleLines() const
{
    return qMin(m_model.Option().ItemCount(), m_model.LineCount());
}

int TwItemList::Search(const QString& text)
{
    SetItemIndex(m_model.Find(text));
    return m_itemIndex;
}

bool TwItemList::MoveSelection(int key)
{
    const int count = m_model.LineCount();
    if (count == 0)
        return false;
    const int page = qMax(1, Rows() - 1);
    int line = m_itemIndex;
    switch (key) {
    case Qt::Key_Up: line = line < 0 ? 0 : line - 1; break;
    case Qt::Key_Down: line = line + 1; break;
    case Qt::Key_PageUp: line = line - page; break;
    case Qt::Key_PageDown: line = line < 0 ? page : line + page; break;
    case Qt::Key_Home: line = 0; break;
    case Qt::Key_End: line = count - 1; break;
    default: return false;
    }
    SetItemIndex(qBound(0, line, count - 1));
    return true;
}

// ---- geometry -------------------------------------------------------------

int TwItemList::LineHeight() const
{
    int height = QFontMetrics(m_model.Option().Font()).height() + 2;
    for (const QPixmap& image : m_images)
        height = qMax(height, image.height() + 2);
    return height + (m_model.Option().RowLines() ? 1 : 0);
}

int TwItemList::TitleHeight() const
{
    const TwListoption& option = m_model.Option();
    return option.ShowTitle() ? QFontMetrics(option.TitleFont()).height() + 4 : 0;
}

int TwItemList::CharUnit() const
{
    const TwListoption& option = m_model.Option();
    if (option.CharWidth() > 0)
        return option.CharWidth();
    const QFontMetrics list(option.Font());
    const QFontMetrics title(option.TitleFont());
    const QFontMetrics screen(QApplication::font());
    if (option.CharWidth() < 0) {
        const int widest = option.ShowTitle() ? qMax(list.maxWidth(), title.maxWidth()) : list.maxWidth();
        return qMin(widest, screen.maxWidth());
    }
    int average = qMin(list.averageCharWidth(), screen.averageCharWidth());
    if (option.ShowTitle())
        average = qMax(average, qMin(title.averageCharWidth(), screen.averageCharWidth())) + 1;
    return qMax(1, average);
}

int TwItemList::TextUnits(const QString& text)
{
    // Korean and other non-ASCII characters take two character cells.
    int units = 0;
    for (QChar ch : text)
        units += ch.unicode() < 0x80 ? 1 : 2;
    return units;
}

int TwItemList::ColumnChars(int column) const
{
    int chars = 1;
    for (int line = 0; line < m_model.LineCount(); ++line)
        chars = qMax(chars, TextUnits(m_model.CellText(line, column)));
    if (m_model.Option().ShowTitle())
        chars = qMax(chars, TextUnits(m_model.Title(column)));
    return chars;
}

int TwItemList::NaturalWidth() const
{
    int width = 2 * kFrame;
    for (int column = 0; column < m_model.ColumnCount(); ++column)
        width += ColumnWidth(column);
    if (m_model.LineCount() > VisibleLines())
        width += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return width;
}

QSize TwItemList::DropDownSize(int editorWidth) const
{
    if (m_model.LineCount() == 0)
        return {editorWidth, 12};
    const int wanted = m_model.Option().Width();
    int width = wanted;
    if (wanted == 0)
        width = editorWidth;
    else if (wanted == -1)
        width = NaturalWidth();
    else if (wanted < 0)
        width = qMax(editorWidth, NaturalWidth());
    const int height = 2 * kFrame + VisibleLines() * LineHeight() + TitleHeight();
    return {width, height};
}

int TwItemList::Rows() const
{
    return qMax(1, (height() - 2 * kFrame - TitleHeight()) / LineHeight());
}

void TwItemList::ScrollTo(int line)
{
    const int rows = Rows();
    if (line < m_topLine)
        m_topLine = line;
    else if (line >= m_topLine + rows)
        m_topLine = line - rows + 1;
    m_topLine = qBound(0, m_topLine, qMax(0, m_model.LineCount() - rows));
    UpdateScrollBar();
}

void TwItemList::UpdateScrollBar()
{
    const int rows = Rows();
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const bool needed = m_model.LineCount() > rows;
    m_scrollBar->setVisible(needed);
    m_scrollBar->setGeometry(width() - kFrame - extent, kFrame, extent, height() - 2 * kFrame);
    const QSignalBlocker block(m_scrollBar);
    m_scrollBar->setRange(0, qMax(0, m_model.LineCount() - rows));
    m_scrollBar->setPageStep(rows);
    m_scrollBar->setValue(m_topLine);
}

int TwItemList::LineAt(const QPoint& pos) const
{
    const int y = pos.y() - kFrame - TitleHeight();
    if (y < 0)
        return -1;
    const int line = m_topLine + y / LineHeight();
    return line < m_model.LineCount() ? line : -1;
}

int TwItemList::ImageIndex(int line) const
{
    int index = -1;
    if (OnGetImageIndex)
        OnGetImageIndex(line, index);
    return index >= 0 && index < m_images.size() ? index : -1;
}

// ---- painting and input ---------------------------------------------------

void TwItemList::paintEvent(QPaintEvent*)
{
    const TwListoption& option = m_model.Option();
    QPainter painter(this);
    painter.fillRect(rect(), option.Color());
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const int right = m_scrollBar->isVisible() ? m_scrollBar->x() : width() - kFrame;
    painter.setClipRect(QRect(kFrame, kFrame, right - kFrame, height() - 2 * kFrame));

    int top = kFrame;
    if (option.ShowTitle()) {
        const int titleHeight = TitleHeight();
        painter.fillRect(QRect(kFrame, top, right - kFrame, titleHeight), option.TitleColor());
        painter.setFont(option.TitleFont());
        painter.setPen(palette().color(QPalette::ButtonText));
        int x = kFrame;
        for (int column = 0; column < m_model.ColumnCount(); ++column) {
            const QRect cell(x + 1, top, ColumnWidth(column) - 2, titleHeight);
            painter.drawText(cell, Qt::AlignCenter, m_model.Title(column));
            x += ColumnWidth(column);
        }
        top += titleHeight;
    }
    painter.setFont(option.Font());
    for (int line = m_topLine; line < m_model.LineCount() && top < height() - kFrame; ++line) {
        PaintLine(painter, line, top);
        top += LineHeight();
    }
}

void TwItemList::PaintLine(QPainter& painter, int line, int top)
{
    const TwListoption& option = m_model.Option();
    const int lineHeight = LineHeight();
    const int right = m_scrollBar->isVisible() ? m_scrollBar->x() : width() - kFrame;
    const bool selected = line == m_itemIndex;
    if (selected)
        painter.fillRect(QRect(kFrame, top, right - kFrame, lineHeight), palette().color(QPalette::Highlight));
    painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
    int x = kFrame;
    const int image = ImageIndex(line);
    for (int column = 0; column < m_model.ColumnCount(); ++column) {
        QRect cell(x + 2, top, ColumnWidth(column) - 3, lineHeight);
        if (column == 0 && image >= 0) {
            const QPixmap& picture = m_images[image];
            painter.drawPixmap(cell.left(), top + (lineHeight - picture.height()) / 2, picture);
            cell.setLeft(cell.left() + picture.width() + 2);
        }
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, m_model.CellText(line, column));
        x += ColumnWidth(column);
        if (option.ColLines()) {
            painter.save();
            painter.setPen(option.LineColor());
            painter.drawLine(x - 1, top, x - 1, top + lineHeight - 1);
            painter.restore();
        }
    }
    if (option.RowLines()) {
        painter.save();
        painter.setPen(option.LineColor());
        painter.drawLine(kFrame, top + lineHeight - 1, right, top + lineHeight - 1);
        painter.restore();
    }
}

void TwItemList::keyPressEvent(QKeyEvent* event)
{
    if (MoveSelection(event->key()))
        return;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_itemIndex >= 0 && OnLineClick) {
        OnLineClick(m_itemIndex);
        return;
    }
    QWidget::keyPressEvent(event);
}

void TwItemList::mousePressEvent(QMouseEvent* event)
{
    m_pressedLine = LineAt(event->position().toPoint());
    if (m_pressedLine >= 0)
        SetItemIndex(m_pressedLine);
}

void TwItemList::mouseReleaseEvent(QMouseEvent* event)
{
    const int line = LineAt(event->position().toPoint());
    if (line >= 0 && line == m_pressedLine && OnLineClick)
        OnLineClick(line);
    m_pressedLine = -1;
}

void TwItemList::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    m_topLine = qBound(0, m_topLine - steps, qMax(0, m_model.LineCount() - Rows()));
    UpdateScrollBar();
    update();
}

void TwItemList::resizeEvent(QResizeEvent*)
{
    UpdateScrollBar();
}
