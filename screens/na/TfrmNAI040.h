#pragma once

#include "common/TQueryProvider.h"
#include "controls/TwClientDataSet.h"
#include "controls/TwDataSource.h"
#include "framework/TfrmZZI010.h"

class QLineEdit;
class QSplitter;
class TPanel;
class TPopupBtn;
class TwDBGrid;
class TwMemGrid;

// Rate settings: the lease contracts in force today, narrowed by the
// beginning of the owner's and the shop's name, above a list of termination
// rates by month. The rate list is display-only and stays empty; the screen
// reads contracts and writes nothing.
class TfrmNAI040 : public TfrmZZI010
{
    Q_OBJECT

public:
    explicit TfrmNAI040(QWidget* parent = nullptr);
    ~TfrmNAI040() override;

    void bbtSearchClick() override;
    void bbtCancelClick() override;
    void pbtBossNameClick();
    void pbtShopNameClick();
    // The statement a search runs.
    QString SearchStatement() const;
    // "U" after an edit of the rate list began, "S" after cancel undid it.
    QString EditFlag() const { return m_editFlag; }

    QLineEdit* edtFindBossName;
    TPopupBtn* pbtBossName;
    QLineEdit* edtFindShopName;
    TPopupBtn* pbtShopName;
    TwDBGrid* rdbMain;
    QSplitter* Splitter1;
    TPanel* pnlList;
    TwMemGrid* rgRate;
    TQuery sqlMain;
    TQueryProvider dspMain;
    TwClientDataSet cdsMain;
    TwDataSource dsMain;

protected:
    void FormCreate() override;

private:
    void BuildSearchBar();
    void BuildContractGrid();
    void BuildRateGrid();

    QString m_editFlag;
};
