#pragma once

#include <QWidget>

class TReportDocument;

// The pages of a report one below the other on a grey desk, at a scale.
class TReportPageView : public QWidget
{
public:
    explicit TReportPageView(QWidget* parent = nullptr);

    void SetDocument(const TReportDocument* document);
    // Screen pixels per millimetre of paper.
    void SetScale(double pixelsPerMm);
    double Scale() const { return m_scale; }
    QSizeF PageSizeMm() const;

    static constexpr int Gap = 12;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Resize();

    const TReportDocument* m_document = nullptr;
    double m_scale = 1;
};
