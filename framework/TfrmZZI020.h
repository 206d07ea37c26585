#pragma once

#include "common/TQueryProvider.h"
#include "controls/TwClientDataSet.h"
#include "controls/TwDataSource.h"
#include "framework/TfrmZZI010.h"

class QToolButton;
class QVBoxLayout;
class TwDBGrid;

// The search/save screen with the commands new (F4) and delete (F9), four
// buttons that step through the records, and a data-aware grid at the bottom
// of the data area showing the client-side result set cdsGrid, which takes
// its rows from qryGrid in packets of 100. The handlers only check that a
// command is available and move the cursor; business screens run their
// statements themselves.
class TfrmZZI020 : public TfrmZZI010
{
    Q_OBJECT

public:
    explicit TfrmZZI020(QWidget* parent = nullptr);
    ~TfrmZZI020() override;

    virtual void bbtAddClick();
    virtual void bbtDeleteClick();
    void sbtFirstClick();
    void sbtPriorClick();
    void sbtNextClick();
    void sbtLastClick();

    QPushButton* bbtAdd;
    QPushButton* bbtDelete;
    QToolButton* sbtFirst;
    QToolButton* sbtPrior;
    QToolButton* sbtNext;
    QToolButton* sbtLast;
    TwDBGrid* rgrGrid;
    TQuery qryGrid;
    TQueryProvider dspGrid;
    TwClientDataSet cdsGrid;
    TwDataSource dtsGrid;

protected:
    // The data area's layout: controls go in above rgrGrid.
    QVBoxLayout* DataLayout() const { return m_dataLayout; }

private:
    QToolButton* NavigationButton(const QString& name, const QString& text, const QString& hint, int position);

    QVBoxLayout* m_dataLayout;
};
