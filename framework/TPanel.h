#pragma once

#include <QFrame>

// A plain container panel with the bevel kinds the screens use: none, raised
// or lowered edges all round, or a single separating line along its top.
class TPanel : public QFrame
{
    Q_OBJECT

public:
    enum TBevel { bvNone, bvRaised, bvLowered, bvTopLine };

    explicit TPanel(QWidget* parent = nullptr, TBevel bevel = bvNone);

    TBevel Bevel() const { return m_bevel; }
    void SetBevel(TBevel bevel);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TBevel m_bevel;
};
