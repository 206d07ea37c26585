#pragma once

#include <QString>
#include <QWidget>
#include <vector>

// A status bar of fixed panels side by side, each with its own width, text
// and alignment, drawn sunken. It keeps the look of an enabled bar when its
// screen disables it.
class TStatusBar : public QWidget
{
    Q_OBJECT

public:
    explicit TStatusBar(int panelCount, QWidget* parent = nullptr);

    int PanelCount() const { return int(m_panels.size()); }
    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& text); // repaints later
    int PanelWidth(int index) const;
    void SetPanelWidth(int index, int width);
    Qt::Alignment PanelAlignment(int index) const;
    void SetPanelAlignment(int index, Qt::Alignment alignment);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Panel
    {
        QString text;
        int width = 50;
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    Panel& At(int index);
    const Panel& At(int index) const;

    std::vector<Panel> m_panels;
};
