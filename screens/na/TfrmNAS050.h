#pragma once

#include "framework/TfrmZZI020.h"

class QLineEdit;
class TPopupBtn;

// Contract status inquiry: every lease contract with its tenant,
// representative and shop, narrowed by the beginning of the owner's and the
// shop's name, and the same selection exported to a spreadsheet. It only
// reads.
class TfrmNAS050 : public TfrmZZI020
{
    Q_OBJECT

public:
    explicit TfrmNAS050(QWidget* parent = nullptr);

    void bbtSearchClick() override;
    void bbtCancelClick() override;
    void bbtExcelClick();
    void pbtBossNameClick();
    void pbtShopNameClick();
    // The statements a search and an export run.
    QString SearchStatement() const;
    QString ExportStatement() const;

    QLineEdit* edtBossName;
    TPopupBtn* pbtBossName;
    QLineEdit* edtShopName;
    TPopupBtn* pbtShopName;
    QPushButton* bbtExcel;

protected:
    void FormCreate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildSearchBar();
    void DeclareFields();
    void BuildColumns();
};
